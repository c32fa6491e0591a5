// Driver for the Python cross-checks. Every argument and result is hex, one case a line:
//   F <pattern> <text>              -> the 1-based position
//   R <all 0|1> <old> <new> <text>  -> the replaced text
//   A <charset> <bytes>             -> UTF-8 of the bytes in the charset's code page
//   U <charset> <utf8>              -> the bytes in the charset's code page
//   W <charset> <bytes>             -> UTF-16LE of the bytes
// "loc-oracle ini-write FILE" reads "<section> <key> <value>" lines and saves them to FILE;
// "loc-oracle ini-read FILE" prints one such line for every key of FILE.

#include "i18n/ini/LocIniFile.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"
#include "platform/rtl/Classes.h"

#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {

std::string FromHex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::string ToHex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// "-" stands for the empty text.
std::string Hex(std::string_view bytes) {
    return bytes.empty() ? std::string("-") : ToHex(bytes);
}

std::string Field(std::istringstream& in) {
    std::string s;
    in >> s;
    return s == "-" ? std::string() : FromHex(s);
}

std::string RunCase(const std::string& line) {
    std::istringstream in(line);
    std::string op;
    in >> op;
    if (op == "F") {
        std::string pattern = Field(in), text = Field(in);
        return std::to_string(FindText(pattern, text));
    }
    if (op == "R") {
        int all = 0;
        in >> all;
        std::string oldText = Field(in), newText = Field(in), text = Field(in);
        return Hex(ReplaceText(text, oldText, newText, all != 0));
    }
    int charSet = 0;
    in >> charSet;
    std::string data = Field(in);
    if (op == "A")
        return Hex(AnsiToUtf8ByCharSet(data, static_cast<uint8_t>(charSet)));
    if (op == "U")
        return Hex(Utf8ToAnsiByCharSet(data, static_cast<uint8_t>(charSet)));
    if (op == "W") {
        std::u16string wide = AnsiToWideByCharSet(data, static_cast<uint8_t>(charSet));
        std::string le;
        for (char16_t u : wide) {
            le += static_cast<char>(u & 0xFF);
            le += static_cast<char>(u >> 8);
        }
        return Hex(le);
    }
    return "?";
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::string line;
    if (argc == 3 && std::strcmp(argv[1], "ini-write") == 0) {
        TLocMemIniFile ini(argv[2]);
        while (std::getline(std::cin, line)) {
            std::istringstream in(line);
            std::string section = Field(in), key = Field(in), value = Field(in);
            ini.WriteText(section, key, value);
        }
        ini.SaveFile();
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "ini-read") == 0) {
        TLocMemIniFile ini(argv[2]);
        TStringList sections, keys, values;
        ini.ListSections(sections);
        for (int s = 0; s < sections.Count(); ++s) {
            ini.ListKeys(sections[s], keys);
            ini.ListValues(sections[s], values);
            for (int k = 0; k < keys.Count(); ++k)
                std::cout << Hex(sections[s]) << ' ' << Hex(keys[k]) << ' ' << Hex(values[k])
                          << '\n';
        }
        return 0;
    }
    while (std::getline(std::cin, line))
        std::cout << RunCase(line) << '\n';
    return 0;
}
