#include "bench/ProcessMemory.h"

#include <malloc.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long StatusKiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + field.size());
    return 0;
}

}  // namespace

long ResidentKiB()
{
    return StatusKiB("VmRSS:");
}

long PeakResidentKiB()
{
    return StatusKiB("VmHWM:");
}

void ResetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

long HeapInUseKiB()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}
