#include "spreadsheet/core/XLSUtils.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Math.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <utility>

std::u16string ErrorCodeText(int code) {
    switch (code) {
    case 0x00:
        return u"#NULL!";
    case 0x07:
        return u"#DIV/0!";
    case 0x0F:
        return u"#VALUE!";
    case 0x17:
        return u"#REF!";
    case 0x1D:
        return u"#NAME?";
    case 0x24:
        return u"#NUM!";
    case 0x2A:
        return u"#N/A";
    default:
        return u"#???";
    }
}

void NormalizeArea(int& col1, int& row1, int& col2, int& row2) {
    if (col2 < col1)
        std::swap(col1, col2);
    if (row2 < row1)
        std::swap(row1, row2);
}

bool ClipToSheet(int& col1, int& row1, int& col2, int& row2) {
    if (col1 > MaxCol || row1 > MaxRow || col2 < 0 || row2 < 0)
        return false;
    col1 = std::max(col1, 0);
    row1 = std::max(row1, 0);
    col2 = std::min(col2, MaxCol);
    row2 = std::min(row2, MaxRow);
    return true;
}

int ClampColorIndex(int c) {
    return (c & 0xFFFF) <= 64 ? c : 64;
}

int NearestPaletteColor(uint32_t rgb, const std::array<uint32_t, 64>& palette) {
    int best = 8;
    int bestDistance = 16777215;
    for (int i = 8; i < 64; ++i) {
        int distance = 0;
        for (int shift = 0; shift < 24; shift += 8)
            distance +=
                std::abs(static_cast<int>((rgb >> shift) & 0xFF) -
                         static_cast<int>((palette[static_cast<size_t>(i)] >> shift) & 0xFF));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

double EMUToCm(int64_t value) {
    return static_cast<double>(value) / 360000.0;
}

int64_t CmToEMU(double value) {
    return Round(value * 360000.0);
}

std::string TempDirectory() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::temp_directory_path(error);
    return error ? std::string() : path.string();
}

bool ByteInSet(uint16_t value, const uint8_t set[32]) {
    return value < 256 && ((set[value / 8] >> (value % 8)) & 1);
}

std::u16string ReplaceAllText(std::u16string_view text, std::u16string_view find,
                              std::u16string_view replace) {
    if (find.empty())
        return std::u16string(text);
    std::u16string out;
    size_t from = 0;
    for (size_t at; (at = text.find(find, from)) != std::u16string_view::npos;
         from = at + find.size()) {
        out.append(text.substr(from, at - from));
        out.append(replace);
    }
    out.append(text.substr(from));
    return out;
}

int CharPos(char c, std::string_view text) {
    const size_t at = text.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

int LastCharPos(char16_t c, std::u16string_view text) {
    const size_t at = text.rfind(c);
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at) + 1;
}

std::u16string FlaggedToWide(std::string_view bytes, int count) {
    std::u16string text;
    if (count <= 0 || bytes.empty())
        return text;
    const std::string_view rest = bytes.substr(1);
    if (static_cast<uint8_t>(bytes[0]) == 1) {
        const size_t n = std::min<size_t>(static_cast<size_t>(count), rest.size() / 2);
        for (size_t i = 0; i < n; ++i)
            text += static_cast<char16_t>(static_cast<uint8_t>(rest[2 * i]) |
                                          static_cast<uint8_t>(rest[2 * i + 1]) << 8);
    } else {
        const size_t n = std::min<size_t>(static_cast<size_t>(count), rest.size());
        for (size_t i = 0; i < n; ++i)
            text += static_cast<char16_t>(static_cast<uint8_t>(rest[i]));
    }
    return text;
}

std::string WideToFlagged(std::u16string_view text) {
    std::string out(1, '\x01');
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::u16string FlaggedAnsiToWide(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const uint8_t flag = static_cast<uint8_t>(bytes[0]);
    if (flag == 0)
        return Utf8ToUtf16(Cp1251ToUtf8(bytes.substr(1)));
    if (flag == 1)
        return FlaggedToWide(bytes, static_cast<int>((bytes.size() - 1) / 2));
    return Utf8ToUtf16(Cp1251ToUtf8(bytes));
}

std::u16string UpperText(std::u16string_view text) {
    const std::u16string copy(text);
    std::string upper;
    const std::string utf8 = Utf16ToUtf8(copy);
    for (size_t i = 0; i < utf8.size();)
        AppendUtf8(upper, UnicodeUpper(Utf8Next(utf8, i)));
    return Utf8ToUtf16(upper);
}
