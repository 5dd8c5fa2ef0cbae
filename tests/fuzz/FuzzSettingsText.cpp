// libFuzzer target: the settings file's text and the values read from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "host/SettingsStore.h"
#include "platform/linux/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SettingsDocument document = ParseSettingsText(text);
    for (const auto& section : document.sections)
        for (const auto& value : section.second) {
            if (value.first.empty())
                std::abort();
            StoredValue stored;
            stored.kind = StoredValue::Kind::Text;
            stored.text = value.second;
            int32_t field = 0;
            DecodeStoredInt32(stored, field);
        }
    return 0;
}
