#include "app/pages/MaskedNumber.h"

#include "platform/rtl/Exception.h"

#include <cstdint>

bool TryMaskedNumber(const std::string& text, int& number) {
    int64_t value = 0;
    for (const char c : text) {
        if (c != ' ' && (c < '0' || c > '9'))
            return false;
        value = value * 10 + (c == ' ' ? 0 : c - '0');
        if (value > INT32_MAX)
            return false;
    }
    number = static_cast<int>(value);
    return true;
}

int MaskedNumber(const std::string& text) {
    int number = 0;
    return TryMaskedNumber(text, number) ? number : 0;
}

int MaskedValue(const std::string& text) {
    int number = 0;
    if (!TryMaskedNumber(text, number))
        throw EConvertError("'" + text + "' is not a valid integer value");
    return number;
}
