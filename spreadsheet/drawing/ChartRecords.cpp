#include "spreadsheet/drawing/ChartRecords.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/formats/XFont.h"
#include "spreadsheet/records/BIFFStream.h"

#include <algorithm>

TChartRecord::TChartRecord(uint16_t id, std::vector<uint8_t> body, TChartRecord* parent)
    : Id(id), Body(std::move(body)), Parent(parent) {}

TChartRecord::~TChartRecord() {
    // A workbook font the record counted a use of is given back; it goes only when nothing
    // else (cells, rich texts, other charts) refers to it.
    if (!counted_ || !fonts_)
        return;
    try {
        if (font_->Index >= 0 && font_->Index < fonts_->Count() &&
            fonts_->Fonts(font_->Index) == font_)
            fonts_->ReleaseFont(font_->Index);
    } catch (const Exception&) {
    }
}

std::unique_ptr<TChartRecord> TChartRecord::NewRoot(TChartRecordOwner* owner) {
    auto root = std::make_unique<TChartRecord>(crROOT, std::vector<uint8_t>(), nullptr);
    root->Owner = owner;
    return root;
}

TChartRecord* TChartRecord::Add(uint16_t id, std::vector<uint8_t> body) {
    Children.push_back(std::make_unique<TChartRecord>(id, std::move(body), this));
    return Children.back().get();
}

TChartRecord* TChartRecord::Insert(int index, uint16_t id, std::vector<uint8_t> body) {
    index = std::clamp(index, 0, Count());
    auto it = Children.insert(Children.begin() + index,
                              std::make_unique<TChartRecord>(id, std::move(body), this));
    return it->get();
}

TChartRecord& TChartRecord::Root() {
    TChartRecord* r = this;
    while (r->Parent)
        r = r->Parent;
    return *r;
}

TChartRecordOwner* TChartRecord::TreeOwner() {
    return Root().Owner;
}

uint16_t TChartRecord::Word(int offset) const {
    if (offset < 0 || static_cast<size_t>(offset) + 2 > Body.size())
        return 0;
    return static_cast<uint16_t>(Body[static_cast<size_t>(offset)] |
                                 Body[static_cast<size_t>(offset) + 1] << 8);
}

void TChartRecord::SetWord(int offset, uint16_t value) {
    if (offset < 0 || static_cast<size_t>(offset) + 2 > Body.size())
        return;
    Body[static_cast<size_t>(offset)] = static_cast<uint8_t>(value);
    Body[static_cast<size_t>(offset) + 1] = static_cast<uint8_t>(value >> 8);
}

void TChartRecord::AttachFont(TXFont* font, TXFonts* fonts) {
    font_ = font;
    fonts_ = fonts;
    counted_ = Id == crFONTX && font && fonts && !font->ChartFont;
    if (counted_)
        ++font->UsageCount;
}

std::vector<uint8_t> TChartRecord::WrittenBody() const {
    if (!font_)
        return Body;
    const auto index = static_cast<uint16_t>(font_->Index);
    if (Id == crFONTX)
        return {static_cast<uint8_t>(index), static_cast<uint8_t>(index >> 8)};
    std::vector<uint8_t> body(Body);
    body.resize(10);
    body[8] = static_cast<uint8_t>(index);
    body[9] = static_cast<uint8_t>(index >> 8);
    return body;
}

namespace {

std::vector<uint8_t> ReadBody(TBIFFStream& stream, uint16_t id, int length) {
    std::vector<uint8_t> body(static_cast<size_t>(length));
    if (length == 0)
        return body;
    // The beginning-of-file records stay in the clear; the key stream keeps in step.
    const int got = (id & 0xFF) == 0x09 ? stream.ReadSkipKey(body.data(), length)
                                        : stream.ReadData(body.data(), length);
    if (got != length)
        throw Exception("Chart records end early");
    return body;
}

TXFont* WorkbookFont(TXFonts* fonts, int index) {
    return fonts && index >= 0 && index < fonts->Count() ? fonts->Fonts(index) : nullptr;
}

// A FONTX names the font of the chart's FBI with that index, else the workbook's font.
void ResolveFontx(TChartRecord& record, TXFonts* fonts) {
    const uint16_t index = record.Word(0);
    for (const auto& r : record.Root().Children)
        if (r->Id == crFBI && r->Word(8) == index && r->Font()) {
            record.AttachFont(r->Font(), fonts);
            return;
        }
    record.AttachFont(WorkbookFont(fonts, index), fonts);
}

void ResolveFbi(TChartRecord& record, TXFonts* fonts) {
    TXFont* font = record.Body.size() >= 10 ? WorkbookFont(fonts, record.Word(8)) : nullptr;
    if (font)
        font->ChartFont = true;
    record.AttachFont(font, fonts);
}

// The body of a gel frame and the continuation parts after it.
void JoinGelFrame(TChartRecord& record, TBIFFStream& stream) {
    for (;;) {
        const uint16_t next = stream.PeekRecordId();
        if (next != crGELFRAME && next != crCONTINUE)
            return;
        TBIFFHeader h;
        stream.ReadHeader(h);
        std::vector<uint8_t> part = ReadBody(stream, h.RecId, h.Length);
        record.Body.insert(record.Body.end(), part.begin(), part.end());
        record.Parts.emplace_back(h.RecId, h.Length);
    }
}

class TChartReader {
public:
    TChartReader(TBIFFStream& stream, TChartRecord& root) : stream_(stream), root_(root) {}

    // True when the chart ended (EOF or the end of the stream).
    bool ReadLevel(TChartRecord& list, int depth);

private:
    void ReadDrawing(int length);

    TBIFFStream& stream_;
    TChartRecord& root_;
    // Set once an embedded drawing was read: the drawing writes the NOTE records of its notes
    // itself, so those that follow it are not kept as records of the chart.
    bool drawingRead_ = false;
};

void TChartReader::ReadDrawing(int length) {
    TChartRecordOwner* owner = root_.TreeOwner();
    if (!owner)
        throw Exception("Chart record parent is not of excpected type");
    owner->NewChartDrawing().LoadFromStream(stream_, length);
    drawingRead_ = true;
}

bool TChartReader::ReadLevel(TChartRecord& list, int depth) {
    TXFonts* fonts = root_.TreeOwner() ? root_.TreeOwner()->ChartFonts() : nullptr;
    for (;;) {
        TBIFFHeader h;
        if (stream_.ReadHeader(h) < 4)
            return true;
        switch (h.RecId) {
        case crMSODRAWING:
            if (h.Length > 80) {
                list.Add(crMSODRAWING);
                ReadDrawing(h.Length);
            } else {
                ReadBody(stream_, h.RecId, h.Length);
            }
            break;
        case crBEGIN: {
            ReadBody(stream_, h.RecId, h.Length);
            TChartRecord* last = list.Last();
            if (!last)
                throw Exception("Chart block without record");
            if (depth + 1 >= kMaxChartRecordDepth)
                throw Exception("Chart records nest too deep");
            last->Block = true;
            if (ReadLevel(*last, depth + 1))
                return true;
            break;
        }
        case crEND:
            ReadBody(stream_, h.RecId, h.Length);
            return false;
        case crNOTE:
            if (drawingRead_) {
                ReadBody(stream_, h.RecId, h.Length);
                break;
            }
            list.Add(h.RecId, ReadBody(stream_, h.RecId, h.Length));
            break;
        default: {
            TChartRecord* record = list.Add(h.RecId, ReadBody(stream_, h.RecId, h.Length));
            if (h.RecId == crEOF)
                return true;
            if (h.RecId == crFONTX)
                ResolveFontx(*record, fonts);
            else if (h.RecId == crFBI)
                ResolveFbi(*record, fonts);
            else if (h.RecId == crGELFRAME)
                JoinGelFrame(*record, stream_);
        }
        }
    }
}

// A gel frame split as it was read (when its parts still add up to its body).
void WriteInParts(const TChartRecord& r, TBIFFStream& stream) {
    size_t rest = r.Body.size();
    for (const auto& part : r.Parts)
        rest -= std::min<size_t>(rest, part.second);
    size_t total = rest;
    for (const auto& part : r.Parts)
        total += part.second;
    if (total != r.Body.size() || rest > 0xFFFF) {
        stream.WriteRecord(r.Id, r.Body.data(), static_cast<int>(r.Body.size()));
        return;
    }
    const auto write = [&](uint16_t id, size_t at, size_t length) {
        stream.WriteHeader(id, static_cast<uint16_t>(length));
        stream.WriteRaw(r.Body.data() + at, static_cast<int>(length));
    };
    write(r.Id, 0, rest);
    size_t at = rest;
    for (const auto& [id, length] : r.Parts) {
        write(id, at, length);
        at += length;
    }
}

void WriteLevel(const TChartRecord& list, TBIFFStream& stream, const TChartRecord& root) {
    for (const auto& child : list.Children) {
        const TChartRecord& r = *child;
        if (r.Id == crMSODRAWING) {
            TChartRecordOwner* owner = root.Owner;
            if (!owner)
                throw Exception("Chart record parent is not of excpected type");
            // A drawing without shapes writes a record of 80 bytes, which reading drops: it is
            // left out, so that what is written reads back the same.
            const TEscherDrawing* drawing = owner->ChartDrawing();
            if (drawing && drawing->ShapeCount() > 0)
                drawing->SaveToStream(stream);
        } else if (r.Id == crGELFRAME && r.Regenerate) {
            TChartRecord copy(r.Id, r.Body, nullptr);
            r.Regenerate(copy);
            stream.WriteRecord(r.Id, copy.Body.data(), static_cast<int>(copy.Body.size()));
        } else if (r.Id == crGELFRAME && !r.Parts.empty()) {
            WriteInParts(r, stream);
        } else {
            const std::vector<uint8_t> body = r.WrittenBody();
            stream.WriteRecord(r.Id, body.data(), static_cast<int>(body.size()));
        }
        if (r.Block || !r.Children.empty()) {
            stream.WriteRecord(crBEGIN, nullptr, 0);
            WriteLevel(r, stream, root);
            stream.WriteRecord(crEND, nullptr, 0);
        }
    }
}

} // namespace

void ReadChartRecords(TChartRecord& list, TBIFFStream& stream) {
    TChartReader reader(stream, list.Root());
    reader.ReadLevel(list, 0);
}

void WriteChartRecords(const TChartRecord& list, TBIFFStream& stream) {
    const TChartRecord* root = &list;
    while (root->Parent)
        root = root->Parent;
    WriteLevel(list, stream, *root);
}

bool ChartTreeUsesFont(const TChartRecord& list, int index) {
    for (const auto& child : list.Children)
        if ((child->Font() && child->Font()->Index == index) || ChartTreeUsesFont(*child, index))
            return true;
    return false;
}
