#include "host/SettingsStore.h"

#include <limits>

namespace {

bool ParseDecimalText(const std::string& text, int32_t& result)
{
    size_t i = 0;
    const size_t n = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (i < n && blank(text[i]))
        ++i;
    size_t end = n;
    while (end > i && (blank(text[end - 1]) || text[end - 1] == '\0'))
        --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == end)
        return false;
    int64_t magnitude = 0;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1)
            return false;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max())
        return false;
    result = static_cast<int32_t>(value);
    return true;
}

}  // namespace

bool DecodeStoredInt32(const StoredValue& value, int32_t& field)
{
    switch (value.kind) {
    case StoredValue::Kind::Number:
        field = static_cast<int32_t>(value.number);
        return true;
    case StoredValue::Kind::Text:
        return ParseDecimalText(value.text, field);
    case StoredValue::Kind::Bytes: {
        if (value.bytes.size() > 4)
            return false;
        uint32_t bits = static_cast<uint32_t>(field);
        for (size_t k = 0; k < value.bytes.size(); ++k) {
            bits &= ~(0xFFu << (8 * k));
            bits |= static_cast<uint32_t>(value.bytes[k]) << (8 * k);
        }
        field = static_cast<int32_t>(bits);
        return true;
    }
    }
    return false;
}
