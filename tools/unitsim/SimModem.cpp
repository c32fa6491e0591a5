#include "tools/unitsim/SimModem.h"

#include "tools/unitsim/SimUnit.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string WithoutBlanks(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

} // namespace

TSimModem::TSimModem(TSimHost& host, TSimUnit& unit) : host_(host), unit_(unit) {}

void TSimModem::Feed(std::string_view bytes) {
    const auto now = host_.Now();
    if (state_ == msOnline) {
        FeedOnline(bytes, now);
        return;
    }
    for (char c : bytes) {
        if (state_ == msDialling)
            continue; // keys typed while dialling are ignored
        FeedCommand(c);
    }
    lastByte_ = now;
}

void TSimModem::FeedCommand(char c) {
    if (echo_ && !options_.Silent)
        host_.Transmit(std::string(1, c));
    if (c == '\r') {
        std::string line;
        line.swap(line_);
        Execute(line);
    } else if (c != '\n') {
        line_ += c;
        if (line_.size() > 256)
            line_.clear();
    }
}

void TSimModem::Result(const std::string& word) {
    if (options_.Silent)
        return;
    if (options_.ResultDelayMs <= 0) {
        host_.Transmit("\r\n" + word + "\r\n");
        return;
    }
    host_.Schedule(options_.ResultDelayMs,
                   [this, word] { host_.Transmit("\r\n" + word + "\r\n"); });
}

void TSimModem::Execute(const std::string& typed) {
    // Leading blanks and noise before "AT" are ignored, as a modem hunts for "AT".
    const std::string upper = Upper(typed);
    const size_t at = upper.find("AT");
    if (at == std::string::npos)
        return;
    commands_.push_back(typed.substr(at));
    const std::string cmd = WithoutBlanks(upper.substr(at + 2));
    if (options_.AnswerError) {
        Result("ERROR");
        return;
    }
    if (cmd.empty()) {
        Result("OK");
    } else if (cmd == "Z" || cmd == "Z0") {
        echo_ = false;
        Result("OK");
    } else if (cmd == "E0" || cmd == "E1") {
        echo_ = cmd == "E1";
        Result("OK");
    } else if (cmd == "+CREG?") {
        const int status = regPolls_ < options_.RegPollsBeforeFinal ? 2 : options_.RegStatus;
        ++regPolls_;
        Result("+CREG: 0," + std::to_string(status) + "\r\n\r\nOK");
    } else if (cmd.rfind("+CBST=", 0) == 0) {
        Result("OK");
    } else if (cmd[0] == 'D') {
        if (callUp_) {
            Result("ERROR");
            return;
        }
        dialled_.push_back(cmd.substr(1));
        state_ = msDialling;
        host_.Schedule(options_.DialDelayMs, [this] {
            if (state_ != msDialling)
                return;
            if (!options_.DialResult.empty()) {
                state_ = msCommand;
                Result(options_.DialResult);
                return;
            }
            state_ = msOnline;
            callUp_ = true;
            pluses_ = 0;
            linesRelayed_ = 0;
            lastByte_ = host_.Now();
            Result(options_.ConnectText);
        });
    } else if (cmd == "H" || cmd == "H0") {
        callUp_ = false;
        Result("OK");
    } else if (cmd == "O" || cmd == "O0") {
        if (!callUp_) {
            Result("NO CARRIER");
            return;
        }
        state_ = msOnline;
        pluses_ = 0;
        lastByte_ = host_.Now();
        Result(options_.ConnectText);
    } else {
        Result("ERROR");
    }
}

void TSimModem::FeedOnline(std::string_view bytes, TSimHost::TClock::time_point now) {
    const auto guard = std::chrono::milliseconds(options_.GuardMs);
    std::string data;
    for (char c : bytes) {
        ++byteSerial_;
        if (c == '+' && pluses_ > 0 && pluses_ < 3) {
            ++pluses_;
        } else if (c == '+' && pluses_ == 0 && now - lastByte_ >= guard && data.empty()) {
            pluses_ = 1;
        } else {
            // Not an escape: the held "+" were data after all.
            data.append(static_cast<size_t>(pluses_), '+');
            pluses_ = 0;
            data += c;
        }
    }
    lastByte_ = now;
    if (!data.empty())
        RelayToUnit(data);
    if (pluses_ == 3) {
        if (options_.GuardMs <= 0) {
            CheckEscape(byteSerial_);
        } else {
            const unsigned serial = byteSerial_;
            host_.Schedule(options_.GuardMs, [this, serial] { CheckEscape(serial); });
        }
    }
}

void TSimModem::CheckEscape(unsigned serial) {
    // Escapes only when nothing followed the third "+" during the guard time.
    if (state_ != msOnline || pluses_ != 3 || serial != byteSerial_)
        return;
    pluses_ = 0;
    state_ = msCommand;
    commands_.push_back("+++");
    Result("OK");
}

void TSimModem::RelayToUnit(std::string_view bytes) {
    if (options_.HangUpAfterLines >= 0) {
        const int lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\r'));
        if (linesRelayed_ + lines > options_.HangUpAfterLines) {
            // The call drops while this line is on its way: the unit never sees it.
            DropCall();
            return;
        }
        linesRelayed_ += lines;
    }
    unit_.Feed(bytes);
}

void TSimModem::FromUnit(std::string bytes) {
    if (state_ == msOnline && callUp_)
        host_.Transmit(std::move(bytes));
}

void TSimModem::DropCall() {
    if (!callUp_)
        return;
    callUp_ = false;
    state_ = msCommand;
    pluses_ = 0;
    Result("NO CARRIER");
}
