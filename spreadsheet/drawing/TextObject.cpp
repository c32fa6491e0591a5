#include "spreadsheet/drawing/TextObject.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"

namespace {

constexpr int kTxoSize = 18;
// Text bytes per continuation record, after the flag byte.
constexpr int kTextPart = 8222;

uint16_t Word(const std::vector<uint8_t>& b, size_t at) {
    return at + 1 < b.size() ? static_cast<uint16_t>(b[at] | b[at + 1] << 8) : 0;
}

void PutWord(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

} // namespace

TShapeOutsideMsoBaseText::TShapeOutsideMsoBaseText(uint8_t kind) : TXO(kTxoSize, 0) {
    ObjectKind = kind;
}

void TShapeOutsideMsoBaseText::SetDefaultFormat() {
    Text.clear();
    TXO.assign(kTxoSize, 0);
    PutWord(TXO, 0, 0x0212);
    Runs.assign(2, TTXORun{});
}

void TShapeOutsideMsoBaseText::CopyTextTo(TShapeOutsideMsoBaseText& target) const {
    target.TXO = TXO;
    target.Text = Text;
    target.Runs = Runs;
}

std::unique_ptr<TShapeOutsideMso> TShapeOutsideMsoBaseText::AssignObject() const {
    auto copy = std::make_unique<TShapeOutsideMsoBaseText>(okTextBox);
    CopyTextTo(*copy);
    return copy;
}

void TShapeOutsideMsoBaseText::WriteText(TBIFFStream& stream) const {
    std::vector<uint8_t> txo = TXO;
    if (txo.size() < kTxoSize)
        txo.resize(kTxoSize);
    std::vector<TTXORun> runs = Runs;
    PutWord(txo, 10, static_cast<uint16_t>(Text.size()));
    PutWord(txo, 12, static_cast<uint16_t>(8 * runs.size()));
    if (!runs.empty())
        runs.back().FirstChar = static_cast<uint16_t>(Text.size());
    // The client text box in a drawing record of its own.
    stream.WriteHeader(recMSODRAWING, 8);
    stream.WriteMSOHeader(0, 0, msoClientTextbox, 0);
    stream.WriteRecord(recTXO, txo.data(), static_cast<int>(txo.size()));
    std::vector<uint8_t> bytes;
    for (char16_t c : Text) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    for (size_t at = 0; at < bytes.size(); at += kTextPart) {
        const size_t n = std::min<size_t>(kTextPart, bytes.size() - at);
        std::vector<uint8_t> part{1};
        part.insert(part.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                    bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
        stream.WriteRecord(kRecordCONTINUE, part.data(), static_cast<int>(part.size()));
    }
    if (!runs.empty()) {
        // Each run: first character, font and four reserved bytes.
        std::vector<uint8_t> body;
        for (const TTXORun& r : runs) {
            const uint8_t run[8] = {
                static_cast<uint8_t>(r.FirstChar),      static_cast<uint8_t>(r.FirstChar >> 8),
                static_cast<uint8_t>(r.Font),           static_cast<uint8_t>(r.Font >> 8),
                static_cast<uint8_t>(r.Reserved),       static_cast<uint8_t>(r.Reserved >> 8),
                static_cast<uint8_t>(r.Reserved >> 16), static_cast<uint8_t>(r.Reserved >> 24)};
            body.insert(body.end(), run, run + 8);
        }
        stream.WriteRecord(kRecordCONTINUE, body.data(), static_cast<int>(body.size()));
    }
}

void TShapeOutsideMsoBaseText::WriteObject(TBIFFStream& stream) const {
    WriteText(stream);
}

int TShapeOutsideMsoBaseText::ReadObject(TDrawingReader& reader) {
    TBIFFHeader h = reader.NextRecord();
    if (h.RecId != recMSODRAWING && h.RecId != kRecordCONTINUE)
        throw Exception("Excpected record missing: MSODRAWING");
    reader.RecordBody(h.Length);
    const int clientTextbox = h.Length;
    h = reader.NextRecord();
    if (h.RecId != recTXO)
        throw Exception("Excpected record missing: TXO");
    TXO = reader.RecordBody(h.Length);
    if (TXO.size() < kTxoSize)
        TXO.resize(kTxoSize);
    const int length = Word(TXO, 10), runBytes = Word(TXO, 12);
    Text.clear();
    Runs.clear();
    if (length > 0) {
        // Continuation records until the text is complete: a flag byte (1: 16-bit characters)
        // and characters in each.
        std::vector<uint8_t> bytes;
        int firstFlag = -1;
        int chars = 0;
        while (chars < length) {
            h = reader.NextRecord();
            if (h.RecId != kRecordCONTINUE || h.Length < 1)
                throw Exception("Excpected record missing: CONTINUE");
            const std::vector<uint8_t> part = reader.RecordBody(h.Length);
            const int flag = part[0];
            if (firstFlag < 0)
                firstFlag = flag;
            if (flag == firstFlag) {
                bytes.insert(bytes.end(), part.begin() + 1, part.end());
            } else if (firstFlag == 1 && flag == 0) {
                for (size_t i = 1; i < part.size(); ++i)
                    bytes.insert(bytes.end(), {part[i], 0});
            } else {
                throw Exception("Unicode error in TXO");
            }
            chars = static_cast<int>(firstFlag == 1 ? bytes.size() / 2 : bytes.size());
        }
        if (firstFlag == 1) {
            for (int i = 0; i < length; ++i)
                Text += static_cast<char16_t>(bytes[2 * static_cast<size_t>(i)] |
                                              bytes[2 * static_cast<size_t>(i) + 1] << 8);
        } else {
            Text = Utf8ToUtf16(Cp1251ToUtf8(std::string(bytes.begin(), bytes.begin() + length)));
        }
    }
    if (runBytes > 0) {
        h = reader.NextRecord();
        if (h.RecId != kRecordCONTINUE)
            throw Exception("Excpected record missing: CONTINUE");
        const std::vector<uint8_t> body = reader.RecordBody(h.Length);
        for (size_t at = 0; at + 8 <= body.size() && at < static_cast<size_t>(runBytes); at += 8)
            Runs.push_back({Word(body, at), Word(body, at + 2),
                            static_cast<uint32_t>(Word(body, at + 4) | Word(body, at + 6) << 16)});
    }
    return clientTextbox;
}

std::unique_ptr<TShapeOutsideMso> TShapeOutsideMsoNote::AssignObject() const {
    auto copy = std::make_unique<TShapeOutsideMsoNote>();
    CopyTextTo(*copy);
    copy->CellCol = CellCol;
    copy->CellRow = CellRow;
    copy->Options = Options;
    copy->Author = Author;
    return copy;
}

void TShapeOutsideMsoNote::WriteNote(TBIFFStream& stream, uint16_t objectId) const {
    std::vector<uint8_t> body;
    const auto word = [&](uint16_t v) {
        body.push_back(static_cast<uint8_t>(v));
        body.push_back(static_cast<uint8_t>(v >> 8));
    };
    word(static_cast<uint16_t>(CellRow));
    word(static_cast<uint16_t>(CellCol));
    word(Options);
    word(objectId);
    word(static_cast<uint16_t>(Author.size()));
    body.push_back(Author.empty() ? 0 : 1);
    for (char16_t c : Author)
        word(c);
    stream.WriteRecord(recNOTE, body.data(), static_cast<int>(body.size()));
}
