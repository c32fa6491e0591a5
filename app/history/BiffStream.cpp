#include "app/history/BiffStream.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"

namespace {

constexpr uint16_t kBof = 0x0809;
constexpr uint16_t kCodePage = 0x0042;
constexpr uint16_t kLabel = 0x0204;
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kWorksheet = 0x0010;

void Put16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8 & 0xFF));
}

void Record(std::string& out, uint16_t number, uint16_t length) {
    Put16(out, number);
    Put16(out, length);
}

} // namespace

void WriteBiffLabel(std::string& Stream, int Column, int Row, std::string_view Text) {
    if (Row < 0 || Row > TBiffStream::MaxIndex || Column < 0 || Column > TBiffStream::MaxIndex) {
        throw EArgumentException("cell index out of range");
    }
    std::string text = Utf8ToCp1251(Text);
    if (text.size() > TBiffStream::MaxTextBytes) {
        text.resize(TBiffStream::MaxTextBytes);
    }
    Record(Stream, kLabel, static_cast<uint16_t>(text.size() + 8));
    Put16(Stream, static_cast<unsigned>(Row));
    Put16(Stream, static_cast<unsigned>(Column));
    Put16(Stream, 0); // cell format
    Put16(Stream, static_cast<unsigned>(text.size()));
    Stream += text;
}

TBiffStream::TBiffStream() {
    Record(bytes_, kBof, 8);
    Put16(bytes_, 0); // version
    Put16(bytes_, kWorksheet);
    Put16(bytes_, 0);
    Put16(bytes_, 0);
    Record(bytes_, kCodePage, 2);
    Put16(bytes_, CP_1251);
}

void TBiffStream::Label(int Row, int Column, std::string_view Text) {
    WriteBiffLabel(bytes_, Column, Row, Text);
}

std::string TBiffStream::Finish() {
    Record(bytes_, kEof, 0);
    return std::move(bytes_);
}
