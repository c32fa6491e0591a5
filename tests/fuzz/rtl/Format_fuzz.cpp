// Format with an arbitrary format string and a mixed argument list: it either formats or raises
// EConvertError; nothing else may escape and nothing may crash.

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8)
        return 0;
    int64_t i;
    double d;
    std::memcpy(&i, data, sizeof i);
    std::memcpy(&d, data, sizeof d);
    const std::string format(reinterpret_cast<const char*>(data) + 8, size - 8);
    const std::vector<TVarRec> args = {
        static_cast<int32_t>(i % 100),
        i,
        d,
        std::string(format.substr(0, 8)),
        static_cast<uint64_t>(i),
        'c',
        static_cast<const void*>(data),
        static_cast<int32_t>(i >> 32) % 70,
    };
    try {
        Format(format, args, TFormatSettings::Russian());
    } catch (const EConvertError&) {
    }
    return 0;
}
