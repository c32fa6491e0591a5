#include "device/GpsFrame.h"

#include "device/util/Helpers.h"

namespace {

constexpr uint8_t kStart1 = 0xA0;
constexpr uint8_t kStart2 = 0xA2;
constexpr uint8_t kEnd1 = 0xB0;
constexpr uint8_t kEnd2 = 0xB3;
constexpr size_t kOverhead = 8; // start, length, checksum, end

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The well-formed frame of the given message, length and satellite, or null.
const TGpsFrameSpan* FindMessage(const TGpsBytes& Stream, const std::vector<TGpsFrameSpan>& Frames,
                                 uint8_t Id, size_t Length, int Satellite) {
    for (const auto& f : Frames) {
        const size_t length = f.Size - kOverhead;
        const uint8_t* payload = Stream.data() + f.Offset + 4;
        if (length == Length && payload[0] == Id &&
            (Satellite < 0 || payload[1] == static_cast<uint8_t>(Satellite))) {
            return &f;
        }
    }
    return nullptr;
}

// True when a broken frame starts with the header of the given message and satellite: the
// receiver began that frame but it did not arrive whole.
bool HasBrokenMessage(const TGpsBytes& Stream, const std::vector<size_t>& Broken, size_t Length,
                      uint8_t Id, int Satellite) {
    const uint8_t header[] = {kStart1,
                              kStart2,
                              static_cast<uint8_t>(Length >> 8),
                              static_cast<uint8_t>(Length & 0xFF),
                              Id,
                              static_cast<uint8_t>(Satellite)};
    for (size_t at : Broken) {
        size_t k = 0;
        while (k < sizeof header && at + k < Stream.size() && Stream[at + k] == header[k]) {
            ++k;
        }
        if (k == sizeof header) {
            return true;
        }
    }
    return false;
}

std::string SpanText(const TGpsBytes& Stream, const TGpsFrameSpan& Span) {
    return TGpsFrame::HexText(Stream.data() + Span.Offset, Span.Size);
}

} // namespace

uint16_t TGpsFrame::Checksum(const uint8_t* Payload, size_t Size) {
    uint32_t sum = 0;
    for (size_t i = 0; i < Size; ++i) {
        sum += Payload[i];
    }
    return static_cast<uint16_t>(sum & 0x7FFF);
}

TGpsBytes TGpsFrame::Build(const TGpsBytes& Payload) {
    const uint16_t ck = Checksum(Payload.data(), Payload.size());
    TGpsBytes frame;
    frame.reserve(Payload.size() + kOverhead);
    frame.push_back(kStart1);
    frame.push_back(kStart2);
    frame.push_back(static_cast<uint8_t>(Payload.size() >> 8));
    frame.push_back(static_cast<uint8_t>(Payload.size() & 0xFF));
    frame.insert(frame.end(), Payload.begin(), Payload.end());
    frame.push_back(static_cast<uint8_t>(ck >> 8));
    frame.push_back(static_cast<uint8_t>(ck & 0xFF));
    frame.push_back(kEnd1);
    frame.push_back(kEnd2);
    return frame;
}

std::string TGpsFrame::HexText(const uint8_t* Bytes, size_t Size) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(Size * 3);
    for (size_t i = 0; i < Size; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += kDigits[Bytes[i] >> 4];
        text += kDigits[Bytes[i] & 0x0F];
    }
    return text;
}

bool TGpsFrame::ParseHexText(std::string_view Text, TGpsBytes& Bytes) {
    Bytes.clear();
    Bytes.reserve(Text.size() / 3 + 1);
    size_t i = 0;
    while (i < Text.size()) {
        if (IsSpace(Text[i])) {
            ++i;
            continue;
        }
        if (i + 1 >= Text.size()) {
            return false;
        }
        const int hi = HexDigitValue(Text[i]);
        const int lo = HexDigitValue(Text[i + 1]);
        if (hi < 0 || lo < 0 || (i + 2 < Text.size() && !IsSpace(Text[i + 2]))) {
            return false;
        }
        Bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
        i += 2;
    }
    return true;
}

bool TGpsFrame::FrameAt(const TGpsBytes& Bytes, size_t Offset, size_t& Size) {
    if (Offset + kOverhead > Bytes.size() || Bytes[Offset] != kStart1 ||
        Bytes[Offset + 1] != kStart2) {
        return false;
    }
    const size_t length = (size_t{Bytes[Offset + 2]} << 8) | Bytes[Offset + 3];
    if (length == 0 || length > MaxPayload || Bytes.size() - Offset < length + kOverhead) {
        return false;
    }
    const uint8_t* payload = Bytes.data() + Offset + 4;
    const size_t ck = (size_t{payload[length]} << 8) | payload[length + 1];
    if (ck != Checksum(payload, length) || payload[length + 2] != kEnd1 ||
        payload[length + 3] != kEnd2) {
        return false;
    }
    Size = length + kOverhead;
    return true;
}

std::vector<TGpsFrameSpan> TGpsFrame::Split(const TGpsBytes& Stream, std::vector<size_t>* Broken) {
    std::vector<TGpsFrameSpan> frames;
    size_t i = 0;
    while (i + 1 < Stream.size()) {
        if (Stream[i] != kStart1 || Stream[i + 1] != kStart2) {
            ++i;
            continue;
        }
        size_t size = 0;
        if (FrameAt(Stream, i, size)) {
            frames.push_back({i, size});
            i += size;
            continue;
        }
        if (Broken) {
            Broken->push_back(i);
        }
        ++i;
    }
    return frames;
}

bool TGpsFrame::ParseFrameText(std::string_view Text, TGpsBytes& Payload) {
    TGpsBytes bytes;
    size_t size = 0;
    if (!ParseHexText(Text, bytes) || !FrameAt(bytes, 0, size) || size != bytes.size()) {
        return false;
    }
    Payload.assign(bytes.begin() + 4, bytes.end() - 4);
    return true;
}

TGpsBytes TGpsFrame::PollClockStatus() {
    return Build({PollClockStatusId, 0x00});
}

TGpsBytes TGpsFrame::PollAlmanac() {
    return Build({PollAlmanacId, 0x00});
}

TGpsBytes TGpsFrame::PollEphemeris() {
    return Build({PollEphemerisId, 0x00, 0x00});
}

TGpsBytes TGpsFrame::SwitchToNmea() {
    // The text protocol's sentence rates, each with its checksum flag, as the unit's firmware
    // expects them, and 9600 bit/s.
    return Build({SwitchToNmeaId, 0x02, 0x01, 0x01, 0x00, 0x01, 0x05, 0x01,
                  0x05,           0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x01,
                  0x00,           0x01, 0x00, 0x01, 0x00, 0x01, 0x25, 0x80});
}

TGpsBytes TGpsFrame::InitDataSource(const TGpsBytes& Aiding) {
    // A fixed approximate position (ECEF metres), then the caller's clock drift, time of week and
    // week, 12 channels and the reset configuration.
    TGpsBytes payload = {
        InitDataSourceId, 0x00, 0x2A, 0x1E, 0x65, 0x00, 0x18, 0xBD, 0xCB, 0x00, 0x53, 0xE4, 0xE4};
    payload.insert(payload.end(), Aiding.begin(), Aiding.end());
    payload.push_back(0x0C);
    payload.push_back(0x03);
    return Build(payload);
}

TGpsBytes TGpsFrame::SetAlmanac(const TGpsBytes& Data) {
    TGpsBytes payload;
    payload.reserve(Data.size() + 1);
    payload.push_back(SetAlmanacId);
    payload.insert(payload.end(), Data.begin(), Data.end());
    return Build(payload);
}

TGpsBytes TGpsFrame::SetEphemeris(const TGpsBytes& Data) {
    TGpsBytes payload;
    payload.reserve(Data.size() + 1);
    payload.push_back(SetEphemerisId);
    payload.insert(payload.end(), Data.begin(), Data.end());
    return Build(payload);
}

bool TGpsFrame::ParseClockStatus(std::string_view Reply, std::string& WeekAndTime,
                                 std::string& Drift) {
    TGpsBytes stream;
    if (!ParseHexText(Reply, stream)) {
        return false;
    }
    const auto frames = Split(stream);
    const TGpsFrameSpan* f = FindMessage(stream, frames, ClockStatusId, ClockStatusLength, -1);
    if (!f) {
        return false;
    }
    const uint8_t* payload = stream.data() + f->Offset + 4;
    WeekAndTime = HexText(payload + 1, 6); // week (2), time of week (4)
    Drift = HexText(payload + 8, 4);       // after one byte that is not used
    return true;
}

bool TGpsFrame::ParseAlmanac(std::string_view Reply, std::vector<std::string>& Lines) {
    TGpsBytes stream;
    if (!ParseHexText(Reply, stream)) {
        return false;
    }
    const auto frames = Split(stream);
    bool all = true;
    for (int sv = 1; sv <= SatelliteCount; ++sv) {
        if (const TGpsFrameSpan* f = FindMessage(stream, frames, AlmanacId, AlmanacLength, sv)) {
            Lines.push_back(SpanText(stream, *f));
        } else {
            all = false;
        }
    }
    return all;
}

bool TGpsFrame::ParseEphemeris(std::string_view Reply, std::vector<std::string>& Lines) {
    TGpsBytes stream;
    if (!ParseHexText(Reply, stream)) {
        return false;
    }
    std::vector<size_t> broken;
    const auto frames = Split(stream, &broken);
    bool ok = true;
    for (int sv = 1; sv <= SatelliteCount; ++sv) {
        if (const TGpsFrameSpan* f =
                FindMessage(stream, frames, EphemerisId, EphemerisLength, sv)) {
            Lines.push_back(SpanText(stream, *f));
        } else if (HasBrokenMessage(stream, broken, EphemerisLength, EphemerisId, sv)) {
            ok = false;
        }
    }
    return ok;
}
