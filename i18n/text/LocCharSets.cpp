#include "i18n/text/LocCharSets.h"

#include "platform/rtl/CodePage.h"

const std::vector<TLocCharSetName>& CharSetNames() {
    static const std::vector<TLocCharSetName> names = {
        {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
        {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
        {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
        {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
        {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
        {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
        {"OEM_CHARSET", 255},
    };
    return names;
}

int CharSetOfName(std::string_view name) {
    for (const TLocCharSetName& n : CharSetNames())
        if (name == n.Name)
            return n.CharSet;
    return -1;
}

int CharSetCodePage(uint8_t charSet) {
    switch (charSet) {
    case 0:
        return 1252;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    default:
        return CP_1251;
    }
}

std::u16string AnsiToWideByCharSet(std::string_view text, uint8_t charSet) {
    return Utf8ToUtf16(AnsiToUtf8ByCharSet(text, charSet));
}

std::string WideToAnsiByCharSet(std::u16string_view text, uint8_t charSet) {
    return Utf8ToAnsiByCharSet(Utf16ToUtf8(text), charSet);
}

std::string AnsiToUtf8ByCharSet(std::string_view text, uint8_t charSet) {
    return text.empty() ? std::string() : CodePageToUtf8(text, CharSetCodePage(charSet));
}

std::string Utf8ToAnsiByCharSet(std::string_view text, uint8_t charSet) {
    return text.empty() ? std::string() : Utf8ToCodePage(text, CharSetCodePage(charSet));
}
