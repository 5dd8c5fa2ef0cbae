#include "platform/linux/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class MappedFile : public FileBytes {
public:
    MappedFile(void* view, std::size_t size) : view_(view), size_(size) {}
    ~MappedFile() override { munmap(view_, size_); }
    const std::uint8_t* data() const override { return static_cast<const std::uint8_t*>(view_); }
    std::size_t size() const override { return size_; }

private:
    void* view_;
    std::size_t size_;
};

}  // namespace

std::unique_ptr<FileBytes> MapWholeFile(const char* name)
{
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status {};
    void* view = MAP_FAILED;
    std::size_t size = 0;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        size = static_cast<std::size_t>(status.st_size);
        view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    }
    // The mapping outlives the descriptor.
    close(fd);
    if (view == MAP_FAILED)
        return nullptr;
    return std::make_unique<MappedFile>(view, size);
}
