#include "tools/unitsim/HistoryRing.h"

#include <cstdio>
#include <cstdlib>

namespace {

const std::string kEmpty(54, 'F');

std::string Hex(unsigned long value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*lX", digits, value);
    return text;
}

// A coordinate as the unit stores it: bit 31 is the sign, the rest the magnitude.
std::string Coordinate(long value) {
    const unsigned long magnitude = static_cast<unsigned long>(std::labs(value)) & 0x7FFFFFFFul;
    return Hex(magnitude | (value < 0 ? 0x80000000ul : 0), 8);
}

bool ParseHex(const std::string& text, int& value) {
    if (text.size() != 4) {
        return false;
    }
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 16);
    if (*end != '\0' || text.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

} // namespace

THistoryRing::THistoryRing(TSimUnit& unit) : unit_(unit), records_(RingSize, kEmpty) {
    unit_.RegisterKeyword("read", [this](const TUnitRequest& r) { return Read(r); });
    unit_.RegisterKeyword("erase", [this](const TUnitRequest& r) { return Erase(r); });
    unit_.RegisterKeyword("point", [this](const TUnitRequest& r) {
        if (r.IsWrite()) {
            return TUnitReply::Error();
        }
        return TUnitReply::ValueOf(r.Keyword, Hex(pointer_, 4));
    });
    unit_.RegisterKeyword("nspoint", [this](const TUnitRequest& r) {
        if (r.IsWrite()) {
            int value = 0;
            if (!ParseHex(r.Value, value) || value > LastIndex) {
                return TUnitReply::Error();
            }
            unsent_ = value;
        }
        return TUnitReply::ValueOf(r.Keyword, Hex(unsent_, 4));
    });
}

THistoryRing::TPoint THistoryRing::PointOf(long long serial) {
    TPoint p;
    // A drive north-east out of 59 deg 56' N, 30 deg 18' E, one record every 37 seconds.
    p.Latitude = 595600000 + static_cast<long>(serial % 100000) * 7;
    p.Longitude = 301800000 + static_cast<long>(serial % 100000) * 11;
    const long long seconds = 12 * 3600 + serial * 37;
    p.Hour = static_cast<int>(seconds / 3600 % 24);
    p.Minute = static_cast<int>(seconds / 60 % 60);
    p.Second = static_cast<int>(seconds % 60);
    const long long day = seconds / 86400;
    p.Day = static_cast<int>(day % 28) + 1;
    p.Month = static_cast<int>(day / 28 % 12) + 1;
    p.Year = static_cast<int>(8 + day / 336 % 20);
    p.Speed = static_cast<long>(serial * 1237 % 120000);
    p.Tenths = static_cast<int>(serial % 4000) - 500;
    p.Satellites = static_cast<int>(serial % 12) + 1;
    p.Fix = static_cast<int>(serial % 3) + 1;
    p.Supply = 1100 + static_cast<int>(serial % 300);
    p.Signal = 30 + static_cast<int>(serial % 20);
    p.Type = static_cast<int>(serial % 3) + 1;
    return p;
}

std::string THistoryRing::Encode(const TPoint& p, int index, bool newer) {
    std::string r = Coordinate(p.Latitude) + Coordinate(p.Longitude);
    r += Hex(static_cast<unsigned long>(p.Day * 10000 + p.Month * 100 + p.Year), 6);
    r += Hex(static_cast<unsigned long>(p.Hour * 10000 + p.Minute * 100 + p.Second), 6);
    r += Hex(static_cast<unsigned long>(p.Speed) & 0xFFFFFFFFul, 8);
    r += Hex(static_cast<unsigned long>(p.Tenths) & 0xFFFFul, 4);
    r += Hex(static_cast<unsigned long>(p.Satellites), 2);
    r += Hex(static_cast<unsigned long>(p.Fix), 2);
    if (newer) {
        r += Hex(static_cast<unsigned long>(p.Supply), 4) +
             Hex(static_cast<unsigned long>(p.Signal), 2);
    } else {
        r += Hex(static_cast<unsigned long>(p.Signal), 2) +
             Hex(static_cast<unsigned long>(p.Supply), 4);
    }
    r += Hex(static_cast<unsigned long>(p.Type), 2);
    unsigned sum = static_cast<unsigned>((index >> 8) + (index & 0xFF));
    for (size_t i = 0; i < r.size(); i += 2) {
        sum += static_cast<unsigned>(std::stoul(r.substr(i, 2), nullptr, 16));
    }
    return r + Hex((256 - sum % 256) % 256, 2);
}

void THistoryRing::Append(int count) {
    for (int i = 0; i < count; ++i) {
        records_[pointer_] = Encode(PointOf(serial_++), pointer_, newer_);
        if (++pointer_ == RingSize) {
            pointer_ = 0;
            wrapped_ = true;
        }
    }
}

void THistoryRing::Fill(long long written) {
    records_.assign(RingSize, kEmpty);
    pointer_ = 0;
    wrapped_ = false;
    serial_ = 0;
    // Only the last ring's worth of records is still there; the serials stay those of the
    // whole run so that a wrapped ring holds records newer than the overwritten ones.
    const long long skip = written > RingSize ? written - RingSize : 0;
    if (skip > 0) {
        serial_ = skip;
        pointer_ = static_cast<int>(skip % RingSize);
        wrapped_ = true;
    }
    Append(static_cast<int>(written - skip));
}

std::string THistoryRing::Record(int index) const {
    return records_.at(index);
}

TUnitReply THistoryRing::Read(const TUnitRequest& request) {
    int first = 0;
    int last = 0;
    if (request.Value.size() != 8 || !ParseHex(request.Value.substr(0, 4), first) ||
        !ParseHex(request.Value.substr(4), last) || first > last || last > LastIndex) {
        return TUnitReply::Error();
    }
    reads_.emplace_back(first, last);
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(last - first + 1));
    for (int i = first; i <= last; ++i) {
        std::string record = records_[i];
        if (corruptOnce_.erase(i)) {
            record[52] = record[52] == '0' ? '1' : '0';
        }
        lines.push_back(Hex(static_cast<unsigned long>(i), 4) + ">" + record);
    }
    return TUnitReply::LinesThenOk(std::move(lines));
}

TUnitReply THistoryRing::Erase(const TUnitRequest& request) {
    if (request.IsWrite()) {
        return TUnitReply::Error();
    }
    ++erases_;
    records_.assign(RingSize, kEmpty);
    pointer_ = 0;
    unsent_ = 0;
    wrapped_ = false;
    if (eraseDelayMs_ <= 0) {
        return TUnitReply::Ok();
    }
    unit_.Emit(unit_.Render(TUnitReply::Ok()), eraseDelayMs_);
    return TUnitReply::None();
}
