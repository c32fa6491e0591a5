#pragma once
// The connect dialog's stored translation tables (the 986-byte "TranslationData" block of its
// localiser) and the pieces of a form description that carry them.

#include "i18n/lang/LocNames.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string ConnectTranslationBlock() {
    std::ifstream file(Q4_SOURCE_DIR "/tests/platform/classes/data/ConnectTranslationData.bin",
                       std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline std::string HexBlock(const std::string& block, const std::string& indent) {
    static const char hex[] = "0123456789ABCDEF";
    std::string text = "{";
    for (size_t i = 0; i < block.size(); ++i) {
        if (i % 32 == 0)
            text += "\r\n" + indent;
        text += hex[static_cast<unsigned char>(block[i]) >> 4];
        text += hex[block[i] & 15];
    }
    return text + "}";
}

// The 20 names the dialog stores (the defaults of a new localiser).
inline std::string ExcludedNamesText(const std::string& indent) {
    std::string text = "ExcludedProperties.Strings = (";
    const std::vector<std::string>& names = DefaultExcludedProperties();
    for (size_t i = 0; i < names.size(); ++i)
        text += "\r\n" + indent + "  '" + names[i] + "'";
    return text + ")";
}

// The dialog's localiser locLang1 as its description stores it (two languages, "Russian" active),
// one level inside the dialog's object.
inline std::string ConnectLocaliserText(const std::string& block = ConnectTranslationBlock()) {
    const std::string in = "    ";
    return "  object locLang1: TLocLang\r\n"
           "    Version = '6.5'\r\n"
           "    StringsTypes.Strings = (\r\n      'TIB_STRINGLIST'\r\n      'TSTRINGLIST')\r\n"
           "    NumOfLanguages = 2\r\n"
           "    LangDelim = 1\r\n"
           "    LangNames.Strings = (\r\n      'Russian'\r\n      'English')\r\n"
           "    Language = 'Russian'\r\n" +
           in + ExcludedNamesText(in) + "\r\n" + in +
           "TranslationData = " + HexBlock(block, in + "  ") + "\r\n  end\r\n";
}
