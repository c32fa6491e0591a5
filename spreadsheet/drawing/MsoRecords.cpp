#include "spreadsheet/drawing/MsoRecords.h"

#include "platform/rtl/Exception.h"

#include <algorithm>

void WriteMSOHeader(TBIFFStream& stream, const TMSOHeader& h) {
    stream.WriteMSOHeader(h.Version, h.Instance, h.Type, h.Length);
}

void TMSORecords::Add(const TMSOHeader& header, std::vector<uint8_t> body) {
    records_.push_back({header, std::move(body)});
}

int TMSORecords::Size() const {
    int size = 0;
    for (const TRecord& r : records_)
        size += 8 + (r.Header.IsContainer() ? 0 : static_cast<int>(r.Body.size()));
    return size;
}

void TMSORecords::Write(TBIFFStream& stream) const {
    for (const TRecord& r : records_) {
        WriteMSOHeader(stream, r.Header);
        if (!r.Header.IsContainer() && !r.Body.empty())
            stream.WriteData(r.Body.data(), static_cast<int>(r.Body.size()));
    }
}

TDrawingReader::TDrawingReader(TBIFFStream& stream, int partLength)
    : stream_(stream), partLeft_(partLength) {
    stream_.SplitRead = false;
}

void TDrawingReader::ReadRaw(void* buffer, int count) {
    if (count > 0 && stream_.ReadData(buffer, count) != count)
        throw Exception("Drawing records end early");
}

void TDrawingReader::EnterPart(int length) {
    partLeft_ = length;
}

void TDrawingReader::NextPart() {
    for (;;) {
        TBIFFHeader header;
        if (stream_.ReadHeader(header) != 4)
            throw Exception("Drawing records end early");
        if (header.RecId == recMSODRAWING || header.RecId == kRecordCONTINUE) {
            if (header.RecId == recMSODRAWING)
                ++DrawingHeadersSkipped;
            partLeft_ = header.Length;
            if (partLeft_ > 0)
                return;
        } else if (header.RecId == recIMDATA) {
            // Picture data and its continuations are not drawing data.
            std::vector<uint8_t> skipped(header.Length);
            ReadRaw(skipped.data(), header.Length);
            while (stream_.PeekRecordId() == kRecordCONTINUE) {
                stream_.ReadHeader(header);
                skipped.resize(header.Length);
                ReadRaw(skipped.data(), header.Length);
            }
        } else {
            throw Exception("Expected record missing: MSODRAWING");
        }
    }
}

void TDrawingReader::Read(void* buffer, int count) {
    auto* out = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        if (partLeft_ == 0)
            NextPart();
        const int take = std::min(count, partLeft_);
        ReadRaw(out, take);
        out += take;
        count -= take;
        partLeft_ -= take;
    }
}

std::vector<uint8_t> TDrawingReader::ReadBytes(int count) {
    // Grown step by step as the data comes, so that a length running past the records raises
    // before more memory is taken than the records hold.
    constexpr int kStep = 1 << 20;
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(std::clamp(count, 0, kStep)));
    while (static_cast<int>(bytes.size()) < count) {
        const size_t at = bytes.size();
        const int take = std::min(count - static_cast<int>(at), kStep);
        bytes.resize(at + static_cast<size_t>(take));
        Read(bytes.data() + at, take);
    }
    return bytes;
}

TMSOHeader TDrawingReader::ReadHeader() {
    uint8_t b[8];
    Read(b, 8);
    const uint16_t verInst = static_cast<uint16_t>(b[0] | b[1] << 8);
    return {
        static_cast<uint16_t>(verInst & 0x0F), static_cast<uint16_t>(verInst >> 4),
        static_cast<uint16_t>(b[2] | b[3] << 8),
        static_cast<uint32_t>(b[4] | b[5] << 8 | b[6] << 16 | static_cast<uint32_t>(b[7]) << 24)};
}

TBIFFHeader TDrawingReader::NextRecord() {
    if (partLeft_ > 0)
        throw Exception("Error while reading Shape. Length <> 0");
    TBIFFHeader header{};
    if (stream_.ReadHeader(header) != 4)
        throw Exception("Drawing records end early");
    return header;
}

uint16_t TDrawingReader::PeekRecord() {
    return partLeft_ > 0 ? 0 : stream_.PeekRecordId();
}

std::vector<uint8_t> TDrawingReader::RecordBody(int length) {
    std::vector<uint8_t> body(static_cast<size_t>(length));
    ReadRaw(body.data(), length);
    return body;
}
