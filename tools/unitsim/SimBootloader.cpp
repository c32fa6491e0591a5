#include "tools/unitsim/SimBootloader.h"

#include <algorithm>
#include <cstdio>

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The bytes of a run of hex pairs (either case); false for an odd length or another character.
bool HexBytes(const std::string& text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (text.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = HexValue(text[i]);
        const int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return true;
}

// A number of exactly `digits` upper-case hex digits, or -1.
int UpperHexNumber(const std::string& text, size_t digits) {
    if (text.size() != digits)
        return -1;
    int value = 0;
    for (char c : text) {
        if (HexValue(c) < 0 || (c >= 'a' && c <= 'f'))
            return -1;
        value = value * 16 + HexValue(c);
    }
    return value;
}

} // namespace

TSimBootloader::TSimBootloader(TSimUnit& unit, size_t flashSize)
    : unit_(unit), flash_(flashSize, 0xFF) {
    unit_.RegisterKeyword("BL", [this](const TUnitRequest& request) {
        if (request.IsWrite())
            return TUnitReply::Error();
        if (times_.EnterMs > 0)
            unit_.Host().Schedule(times_.EnterMs, [this] { Enter(); });
        else
            Enter();
        return TUnitReply::Ok();
    });
    unit_.SetLineFilter([this](const std::string& line) { return Line(line); });
}

TSimBootloader::~TSimBootloader() {
    unit_.UnregisterKeyword("BL");
    unit_.SetLineFilter({});
}

void TSimBootloader::Enter() {
    if (poweredOff_)
        return;
    active_ = true;
    erased_ = false;
    programmed_ = 0;
    ++entries_;
}

void TSimBootloader::Leave() {
    active_ = false;
    restarting_ = false;
    if (!versionAfter_.empty())
        unit_.Settings().Set("v", versionAfter_);
}

void TSimBootloader::PowerOn() {
    poweredOff_ = false;
    Enter();
}

TUnitReply TSimBootloader::Later(int delayMs, TUnitReply reply) {
    if (delayMs <= 0)
        return reply;
    unit_.Host().Schedule(delayMs, [this, reply = std::move(reply)] {
        if (!poweredOff_)
            unit_.Reply(reply);
    });
    return TUnitReply::None();
}

std::optional<TUnitReply> TSimBootloader::Line(const std::string& line) {
    if (poweredOff_)
        return TUnitReply::None();
    if (!active_)
        return std::nullopt;
    if (faults_.NoAnswer || restarting_)
        return TUnitReply::None();
    if (line == "+v")
        return TUnitReply::LinesThenOk({"BootLdr v1.0"});
    if ((faults_.UnconfirmedErase && line == "+BE") ||
        (faults_.UnconfirmedEnd && line.rfind("+EE", 0) == 0))
        return TUnitReply::RawBytes("\r\nFAIL\r\n");
    if (line == "+BE") {
        if (faults_.EraseError)
            return TUnitReply::Error();
        std::fill(flash_.begin(), flash_.end(), 0xFF);
        erased_ = true;
        sums_ = {};
        counted_.clear();
        ++erases_;
        return Later(times_.EraseMs, TUnitReply::Ok());
    }
    if (line.rfind("+W", 0) == 0)
        return Write(line.substr(2));
    if (line.rfind("+EE", 0) == 0)
        return Finish(line.substr(3));
    return TUnitReply::None();
}

TUnitReply TSimBootloader::Write(const std::string& args) {
    TBlockRecord record;
    const size_t first = args.find(':');
    const size_t last = args.rfind(':');
    record.Number = first == std::string::npos ? -1 : UpperHexNumber(args.substr(0, first), 4);
    const int check =
        last == std::string::npos || last == first ? -1 : UpperHexNumber(args.substr(last + 1), 2);
    std::vector<uint8_t> data;
    const bool wellFormed = record.Number >= 0 && check >= 0 &&
                            HexBytes(args.substr(first + 1, last - first - 1), data) &&
                            !data.empty() && data.size() <= MaxBlockBytes;
    record.Bytes = data.size();
    record.Check = static_cast<uint8_t>(std::max(check, 0));
    uint8_t x = 0;
    for (uint8_t b : data)
        x ^= b;
    const size_t address = static_cast<size_t>(std::max(record.Number, 0)) * 16;
    record.Accepted = wellFormed && x == check && erased_ &&
                      address + data.size() <= flash_.size() && record.Number != faults_.ErrorBlock;
    blocks_.push_back(record);
    if (!record.Accepted)
        return TUnitReply::Error();
    if (faults_.PowerCutAfter >= 0 && programmed_ >= faults_.PowerCutAfter) {
        // The power goes half-way through programming this block.
        for (size_t i = 0; i < data.size() / 2; ++i)
            flash_[address + i] &= data[i];
        blocks_.back().Accepted = false;
        poweredOff_ = true;
        active_ = false;
        return TUnitReply::None();
    }
    for (size_t i = 0; i < data.size(); ++i)
        flash_[address + i] &= data[i];
    ++programmed_;
    if (std::find(counted_.begin(), counted_.end(), record.Number) == counted_.end()) {
        sums_[counted_.size() % 4] ^= x;
        counted_.push_back(record.Number);
    }
    char number[8];
    std::snprintf(number, sizeof number, "%04X", static_cast<unsigned>(record.Number));
    return Later(times_.BlockMs, TUnitReply::LinesThenOk({number}));
}

TUnitReply TSimBootloader::Finish(const std::string& args) {
    finishSums_ = args;
    char own[12];
    std::snprintf(own, sizeof own, "%02X%02X%02X%02X", sums_[0], sums_[1], sums_[2], sums_[3]);
    if (!erased_ || args != own)
        return TUnitReply::Error();
    ++updates_;
    if (times_.RestartMs > 0) {
        restarting_ = true;
        unit_.Host().Schedule(times_.RestartMs, [this] {
            if (!poweredOff_)
                Leave();
        });
    } else {
        Leave();
    }
    return TUnitReply::Ok();
}
