#include "tools/unitsim/GpsReceiverModel.h"

#include <cstdio>

namespace {

const std::string kOffWord = "GPSACCESS_OFF\r";
constexpr size_t kLongestFrame = 2048; // longer length fields are noise

// The checksum of a text sentence: XOR of the characters between "$" and "*".
bool SentenceChecksumHolds(const std::string& sentence) {
    const size_t star = sentence.find('*');
    if (sentence.empty() || sentence[0] != '$' || star == std::string::npos ||
        star + 3 != sentence.size()) {
        return false;
    }
    unsigned x = 0;
    for (size_t i = 1; i < star; ++i) {
        x ^= static_cast<unsigned char>(sentence[i]);
    }
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", x);
    return sentence.compare(star + 1, 2, hex) == 0;
}

std::string Sentence(const std::string& body) {
    unsigned x = 0;
    for (char c : body) {
        x ^= static_cast<unsigned char>(c);
    }
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", x);
    return "$" + body + tail;
}

void PutBig(TGpsReceiverModel::TBytes& bytes, uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

} // namespace

TGpsReceiverModel::TGpsReceiverModel(TSimUnit& unit)
    : unit_(unit), alive_(std::make_shared<bool>(true)) {
    for (int sv = 1; sv <= Satellites; ++sv) {
        TBytes data;
        for (int i = 0; i < 28; ++i) {
            data.push_back(static_cast<uint8_t>(sv * 7 + i * 13));
        }
        almanac_[sv - 1] = data;
    }
    for (int sv : {2, 5, 7, 13, 21, 30}) {
        TBytes data;
        for (int i = 0; i < 90; ++i) {
            data.push_back(static_cast<uint8_t>(sv * 11 + i * 5));
        }
        ephemeris_[sv - 1] = data;
    }
    unit_.RegisterWord("GPSACCESS_ON", [this](const TUnitRequest&) {
        passThrough_ = true;
        text_.clear();
        recent_.clear();
        frames_.clear();
        unit_.SetRawInput([this](std::string_view bytes) { Input(bytes); });
        return TUnitReply::Ok();
    });
    // Outside the pass-through the switch-off is simply confirmed (a repeated try).
    unit_.RegisterWord("GPSACCESS_OFF", [](const TUnitRequest&) { return TUnitReply::Ok(); });
}

TGpsReceiverModel::~TGpsReceiverModel() {
    *alive_ = false;
    if (passThrough_) {
        unit_.SetRawInput(nullptr);
    }
}

void TGpsReceiverModel::SetClock(uint16_t week, uint32_t timeOfWeek, int32_t drift) {
    week_ = week;
    timeOfWeek_ = timeOfWeek;
    drift_ = drift;
}

void TGpsReceiverModel::SetAlmanac(int satellite, TBytes data) {
    almanac_.at(satellite - 1) = std::move(data);
}

void TGpsReceiverModel::SetEphemeris(int satellite, TBytes data) {
    ephemeris_.at(satellite - 1) = std::move(data);
}

void TGpsReceiverModel::ClearData() {
    for (auto& a : almanac_) {
        a.clear();
    }
    for (auto& e : ephemeris_) {
        e.clear();
    }
}

void TGpsReceiverModel::SetChatter(bool on) {
    const bool start = on && !chatter_;
    chatter_ = on;
    if (start) {
        Chatter();
    }
}

void TGpsReceiverModel::Chatter() {
    std::weak_ptr<bool> alive = alive_;
    unit_.Host().Schedule(1000, [this, alive] {
        const auto lock = alive.lock();
        if (!lock || !*lock || !chatter_) {
            return;
        }
        if (passThrough_ && !binary_) {
            unit_.Emit(Sentence("GPGGA,123519,5956.1234,N,03018.5000,E,1,08,0.9,45.4,M,,M,,"));
        } else if (passThrough_) {
            Send(TBytes(41, 0x00)); // a navigation message the configurator does not poll
        }
        Chatter();
    });
}

TGpsReceiverModel::TBytes TGpsReceiverModel::Frame(const TBytes& payload) {
    TBytes frame{0xA0, 0xA2};
    PutBig(frame, static_cast<uint32_t>(payload.size()), 2);
    frame.insert(frame.end(), payload.begin(), payload.end());
    uint32_t sum = 0;
    for (uint8_t b : payload) {
        sum += b;
    }
    PutBig(frame, sum & 0x7FFF, 2);
    frame.push_back(0xB0);
    frame.push_back(0xB3);
    return frame;
}

void TGpsReceiverModel::Input(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        recent_ += c;
        if (recent_.size() > kOffWord.size()) {
            recent_.erase(0, recent_.size() - kOffWord.size());
        }
        if (recent_ == kOffWord) {
            Leave(bytes.substr(i + 1));
            return;
        }
        if (binary_) {
            frames_.push_back(static_cast<uint8_t>(c));
        } else {
            TextByte(c);
        }
    }
    if (binary_) {
        ParseFrames();
    }
}

void TGpsReceiverModel::TextByte(char c) {
    if (c != '\r' && c != '\n') {
        text_ += c;
        if (text_.size() > 256) {
            text_.clear();
        }
        return;
    }
    const std::string line = std::move(text_);
    text_.clear();
    if (line.rfind("$PSRF100,0,", 0) == 0 && SentenceChecksumHolds(line)) {
        binary_ = true;
        frames_.clear();
    }
}

void TGpsReceiverModel::ParseFrames() {
    for (;;) {
        size_t start = 0;
        while (start + 1 < frames_.size() &&
               !(frames_[start] == 0xA0 && frames_[start + 1] == 0xA2)) {
            ++start;
        }
        if (start + 1 >= frames_.size()) {
            // Keep a lone A0 that may begin a frame.
            const bool keepLast = !frames_.empty() && frames_.back() == 0xA0;
            frames_.erase(frames_.begin(), frames_.end() - (keepLast ? 1 : 0));
            return;
        }
        frames_.erase(frames_.begin(), frames_.begin() + static_cast<long>(start));
        if (frames_.size() < 4) {
            return;
        }
        const size_t length = (size_t{frames_[2]} << 8) | frames_[3];
        if (length == 0 || length > kLongestFrame) {
            ++badFrames_;
            frames_.erase(frames_.begin());
            continue;
        }
        if (frames_.size() < length + 8) {
            return;
        }
        uint32_t sum = 0;
        for (size_t i = 0; i < length; ++i) {
            sum += frames_[4 + i];
        }
        const uint32_t ck = (uint32_t{frames_[4 + length]} << 8) | frames_[5 + length];
        if (ck != (sum & 0x7FFF) || frames_[6 + length] != 0xB0 || frames_[7 + length] != 0xB3) {
            ++badFrames_;
            frames_.erase(frames_.begin());
            continue;
        }
        const TBytes payload(frames_.begin() + 4, frames_.begin() + 4 + static_cast<long>(length));
        frames_.erase(frames_.begin(), frames_.begin() + static_cast<long>(length + 8));
        received_.push_back(payload);
        Handle(payload);
    }
}

void TGpsReceiverModel::Handle(const TBytes& p) {
    switch (p[0]) {
    case 0x90: // poll clock status
        if (answerClock_) {
            TBytes reply{0x07};
            PutBig(reply, week_, 2);
            PutBig(reply, timeOfWeek_, 4);
            reply.push_back(8); // satellites in use
            PutBig(reply, static_cast<uint32_t>(drift_), 4);
            PutBig(reply, 100000, 4);                   // clock bias
            PutBig(reply, timeOfWeek_ / 100 * 1000, 4); // GPS time, whole seconds in ms
            Send(reply);
        }
        break;
    case 0x92: // poll almanac: every satellite the receiver has
        for (int sv = 1; sv <= Satellites; ++sv) {
            if (!almanac_[sv - 1].empty()) {
                TBytes reply{0x0E, static_cast<uint8_t>(sv)};
                reply.insert(reply.end(), almanac_[sv - 1].begin(), almanac_[sv - 1].end());
                Send(reply);
            }
        }
        break;
    case 0x93: // poll ephemeris: one satellite, or all with 0
        for (int sv = 1; sv <= Satellites; ++sv) {
            if (!ephemeris_[sv - 1].empty() && (p.size() < 2 || p[1] == 0 || p[1] == sv)) {
                TBytes reply{0x0F, static_cast<uint8_t>(sv)};
                reply.insert(reply.end(), ephemeris_[sv - 1].begin(), ephemeris_[sv - 1].end());
                Send(reply);
            }
        }
        break;
    case 0x82: // set almanac: 28 bytes for each of the 32 satellites
        if (p.size() == 1 + Satellites * 28) {
            ++almanacWrites_;
            for (int sv = 1; sv <= Satellites; ++sv) {
                const auto from = p.begin() + 1 + (sv - 1) * 28;
                almanac_[sv - 1].assign(from, from + 28);
            }
        }
        break;
    case 0x95: // set ephemeris
        if (p.size() == 91) {
            writtenEphemeris_.emplace_back(p.begin() + 1, p.end());
        }
        break;
    case 0x80: // initialise data source
        initData_ = p;
        break;
    case 0x81: // back to the text protocol
        binary_ = false;
        frames_.clear();
        text_.clear();
        break;
    default:
        break;
    }
}

void TGpsReceiverModel::Send(const TBytes& payload) {
    TBytes frame = Frame(payload);
    if (cutNext_.erase(payload[0])) {
        frame.resize(frame.size() / 2);
    }
    unit_.Emit(std::string(frame.begin(), frame.end()), replyDelayMs_);
}

void TGpsReceiverModel::Leave(std::string_view rest) {
    passThrough_ = false;
    text_.clear();
    frames_.clear();
    recent_.clear();
    unit_.SetRawInput(nullptr);
    unit_.Reply(TUnitReply::Ok());
    if (!rest.empty()) {
        unit_.Feed(rest);
    }
}
