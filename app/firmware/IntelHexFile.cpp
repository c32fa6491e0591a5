#include "app/firmware/IntelHexFile.h"

#include "platform/rtl/Strings.h"

namespace {

// The reason a problem stopped the reading, as the operator reads it.
std::string ProblemText(THexProblem problem) {
    switch (problem) {
    case hpNotARecord:
        return "строка не начинается с двоеточия";
    case hpBadDigits:
        return "в записи есть знаки, которые не являются шестнадцатеричными цифрами";
    case hpBadLength:
        return "длина записи не совпадает с числом байтов в ней";
    case hpCheckByte:
        return "неверная контрольная сумма записи";
    case hpUnknownType:
        return "неизвестный тип записи";
    case hpBadAddressType:
        return "неверная запись адреса";
    case hpBadEnd:
        return "неверная запись конца файла";
    case hpAfterEnd:
        return "записи после записи конца файла";
    case hpOutOfRange:
        return "данные за пределами памяти панели (128 КБ)";
    case hpOverlap:
        return "данные по этому адресу уже заданы в файле";
    case hpNoData:
        return "в файле нет данных прошивки";
    case hpNoEnd:
        return "файл кончился без записи конца файла, он неполный";
    }
    return {};
}

std::string MessageOf(THexProblem problem, int line, const std::string& detail) {
    std::string text = line > 0 ? "Загрузка остановлена в строке " + IntToStr(line) + ": "
                                : "Загрузка не завершена: ";
    text += ProblemText(problem);
    if (!detail.empty())
        text += " (" + detail + ")";
    return text + ".";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// One record's fields.
struct TRecord {
    uint8_t Type = 0;
    uint16_t Offset = 0;
    std::vector<uint8_t> Data;
};

// The record of one line (without its line end); raises for a malformed one.
TRecord ParseRecord(std::string_view line, int lineNo) {
    if (line.empty() || line[0] != ':')
        throw EHexFileError(hpNotARecord, lineNo, 0, {});
    std::vector<uint8_t> bytes;
    if ((line.size() - 1) % 2 != 0)
        throw EHexFileError(hpBadLength, lineNo, 0, {});
    for (size_t i = 1; i < line.size(); i += 2) {
        const int high = HexDigit(line[i]);
        const int low = HexDigit(line[i + 1]);
        if (high < 0 || low < 0)
            throw EHexFileError(hpBadDigits, lineNo, 0,
                                "знак " + IntToStr(high < 0 ? i + 1 : i + 2));
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    if (bytes.size() < 5 || bytes.size() != bytes[0] + 5u)
        throw EHexFileError(hpBadLength, lineNo, 0, {});
    uint8_t sum = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        sum = static_cast<uint8_t>(sum + bytes[i]);
    const uint8_t expected = static_cast<uint8_t>(0x100 - sum);
    if (bytes.back() != expected)
        throw EHexFileError(hpCheckByte, lineNo, 0,
                            "в файле " + IntToHex(bytes.back(), 2) + ", должна быть " +
                                IntToHex(expected, 2));
    TRecord record;
    record.Offset = static_cast<uint16_t>(bytes[1] * 256 + bytes[2]);
    record.Type = bytes[3];
    record.Data.assign(bytes.begin() + 4, bytes.end() - 1);
    return record;
}

// Strips the line end and trailing blanks.
std::string_view TrimEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

class THexReader {
public:
    THexReader(TFirmwareImage& image, std::vector<THexDataRecord>* records)
        : image_(image), records_(records) {}

    void Line(std::string_view text, int lineNo) {
        if (text.empty())
            return;
        if (ended_)
            throw EHexFileError(hpAfterEnd, lineNo, 0, {});
        const TRecord record = ParseRecord(text, lineNo);
        switch (record.Type) {
        case 0x00:
            Data(record, lineNo);
            break;
        case 0x01:
            if (!record.Data.empty())
                throw EHexFileError(hpBadEnd, lineNo, 0, {});
            ended_ = true;
            break;
        case 0x02:
        case 0x04:
            if (record.Data.size() != 2 || record.Offset != 0)
                throw EHexFileError(hpBadAddressType, lineNo, 0, {});
            base_ = (record.Data[0] * 256u + record.Data[1]) << (record.Type == 0x02 ? 4 : 16);
            break;
        case 0x03:
        case 0x05: // a start address: nothing to program
            if (record.Data.size() != 4)
                throw EHexFileError(hpBadAddressType, lineNo, 0, {});
            break;
        default:
            throw EHexFileError(hpUnknownType, lineNo, 0, "тип " + IntToHex(record.Type, 2));
        }
    }

    void End(int lines) {
        if (image_.Empty())
            throw EHexFileError(hpNoData, 0, 0, {});
        if (!ended_)
            throw EHexFileError(hpNoEnd, 0, 0, "строк в файле: " + IntToStr(lines));
    }

private:
    void Data(const TRecord& record, int lineNo) {
        const uint32_t first = base_ + record.Offset;
        if (record.Offset + record.Data.size() > 0x10000 ||
            first + record.Data.size() > TFirmwareImage::FlashSize)
            throw EHexFileError(hpOutOfRange, lineNo, first, "адрес " + IntToHex(first, 5));
        for (size_t i = 0; i < record.Data.size(); ++i) {
            const uint32_t address = first + static_cast<uint32_t>(i);
            if (!image_.Put(address, record.Data[i]))
                throw EHexFileError(hpOverlap, lineNo, address, "адрес " + IntToHex(address, 5));
        }
        if (records_)
            records_->push_back({lineNo, first, record.Data.size()});
    }

    TFirmwareImage& image_;
    std::vector<THexDataRecord>* records_;
    uint32_t base_ = 0;
    bool ended_ = false;
};

} // namespace

EHexFileError::EHexFileError(THexProblem problem, int line, uint32_t address, std::string detail)
    : Exception(MessageOf(problem, line, detail)), problem_(problem), line_(line),
      address_(address) {}

void ReadIntelHex(std::string_view text, TFirmwareImage& image,
                  std::vector<THexDataRecord>* records, int lineOffset) {
    THexReader reader(image, records);
    int lineNo = lineOffset;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++lineNo;
        reader.Line(TrimEnd(text.substr(start, end - start)), lineNo);
        start = end + 1;
    }
    reader.End(lineNo - lineOffset);
}
