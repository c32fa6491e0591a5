#include "app/pages/phones/PhoneNumbers.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

namespace {

constexpr char16_t kBackspace = 8;
const char* const kSection = "EnPhones";

std::string Key(size_t row) {
    return "EnPhone" + IntToStr(static_cast<int64_t>(row + 1));
}

// Characters, not bytes: a number may hold any letter the operator types.
size_t CharacterCount(const std::string& text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++count)
        Utf8Next(text, i);
    return count;
}

} // namespace

bool PhoneKeyAllowed(const std::string& cell, char16_t key) {
    return key == kBackspace || CharacterCount(cell) < static_cast<size_t>(MaxPhoneLength);
}

std::string CutPhoneNumber(const std::string& text) {
    size_t i = 0;
    for (int count = 0; count < MaxPhoneLength && i < text.size(); ++count)
        Utf8Next(text, i);
    return text.substr(0, i);
}

bool NoPhoneNumbers(const TPhoneNumbers& numbers) {
    return std::all_of(numbers.begin(), numbers.end(),
                       [](const std::string& number) { return number.empty(); });
}

TColor ContrastingTextColor(TColor background) {
    const TColor rgb = ColorToRGB(background);
    const int lightness = 299 * GetRValue(rgb) + 587 * GetGValue(rgb) + 114 * GetBValue(rgb);
    return lightness >= 128 * 1000 ? clBlack : clWhite;
}

void SavePhoneNumbers(TCustomIniFile& ini, const TPhoneNumbers& numbers) {
    for (size_t row = 0; row < numbers.size(); ++row)
        ini.WriteString(kSection, Key(row), numbers[row]);
}

TPhoneNumbers LoadPhoneNumbers(TCustomIniFile& ini) {
    TPhoneNumbers numbers;
    for (size_t row = 0; row < numbers.size(); ++row)
        numbers[row] = CutPhoneNumber(ini.ReadString(kSection, Key(row), ""));
    return numbers;
}
