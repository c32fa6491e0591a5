#include "device/ComPortWorker.h"

#include "device/ReplyCollector.h"
#include "device/util/Helpers.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr uint32_t kPollMs = 50;
constexpr uint32_t kPauseAfterTextMs = 400;
constexpr std::chrono::microseconds kHexByteGap{2000};
constexpr std::chrono::microseconds kHexByteMinimumGap{1000};

// Finds `pattern` (already upper case) in the upper-case text, looking only where a match
// could include the newest `added` bytes.
bool EndsWithin(const std::string& upper, const std::string& pattern, size_t added) {
    if (pattern.empty() || upper.size() < pattern.size())
        return false;
    const size_t reach = pattern.size() + added;
    const size_t from = upper.size() > reach ? upper.size() - reach : 0;
    return upper.find(pattern, from) != std::string::npos;
}

} // namespace

TComPortWorker::TComPortWorker(const std::string& portName, bool fast, TLogWriter* log)
    : comm_(std::make_unique<TXComm>()), log_(log), clock_(&TWorkerClock::System()) {
    comm_->DataControl().SetDataBits(db8);
    comm_->DataControl().SetParity(paNone);
    comm_->DataControl().SetStopBits(sb1);
    comm_->SetFlowControl(fcNone);
    comm_->EventChars().SetEventChar(13);
    comm_->Buffers().SetInputTimeout(500);
    comm_->Buffers().SetOutputTimeout(500);
    comm_->SetDeviceName(portName);
    comm_->SetBaudRate(fast ? br115200 : br19200);
}

TComPortWorker::~TComPortWorker() = default;

void TComPortWorker::Close() {
    if (IsOpen())
        comm_->Close();
}

void TComPortWorker::Reopen() {
    Close();
    comm_->Open();
}

void TComPortWorker::Log(const std::string& line) {
    if (log_)
        log_->WriteLine(line);
}

bool TComPortWorker::SendText(const std::string& command, std::string& reply,
                              const std::string& terminator, int tries, uint32_t timeoutMs,
                              bool strict, bool log, const std::string& keyword) {
    reply.clear();
    if (!IsOpen())
        return false;
    const std::string line = command + "\r";
    const std::string& until = terminator.empty() ? std::string("\r") : terminator;
    bool result = false;
    for (int attempt = 0; attempt < tries && IsOpen(); ++attempt) {
        DrainInput();
        reply.clear();
        WriteText(line);
        if (log)
            Log("#com<-: " + Trim(line));
        const bool found = WaitForText(reply, timeoutMs, until, keyword);
        if (log)
            Log("@com->: " + reply);
        // A refusal is never an answer, whatever else came with it.
        const bool refused = TReplyCollector::IsRefusal(reply);
        if (found && !refused) {
            result = true;
            break;
        }
        // The last try decides: any other reply counts unless the caller is strict.
        result = !reply.empty() && !strict && !refused;
    }
    clock_->Sleep(kPauseAfterTextMs);
    return result;
}

void TComPortWorker::PollPause(uint32_t ms) {
    if (IsOpen())
        comm_->WaitForInput(0);
    clock_->Sleep(ms);
}

bool TComPortWorker::ReadOne(uint8_t& byte) {
    return comm_->Read(&byte, 1, comm_->Buffers().InputTimeout()) == 1;
}

bool TComPortWorker::WaitForText(std::string& reply, uint32_t timeoutMs, const std::string& pattern,
                                 const std::string& keyword) {
    reply.clear();
    const uint32_t start = Ticks();
    TReplyCollector collector(pattern, keyword);
    // The port is polled at least once, even when the clock ticks on before the first look.
    bool polled = false;
    while (!collector.Found() && !collector.Refused() && IsOpen() &&
           (!polled || TicksBetween(start, Ticks()) <= timeoutMs)) {
        polled = true;
        while (!collector.Found() && !collector.Refused() && IsOpen() && comm_->QueueCount(0) > 0) {
            uint8_t byte = 0;
            if (!ReadOne(byte))
                break;
            if (byte != 0x00 && byte != 0xFF)
                collector.Add(static_cast<char>(byte));
        }
        const std::string stale = collector.TakeStale();
        if (!stale.empty())
            Log("Пропущен ответ на другой запрос: " + Trim(Cp1251ToUtf8(stale)));
        if (!collector.Found() && !collector.Refused())
            PollPause(kPollMs);
    }
    reply = Cp1251ToUtf8(collector.Bytes());
    return collector.Found() && !collector.Refused();
}

bool TComPortWorker::SendHex(const std::string& command, std::string& reply,
                             const std::string& pattern, int tries, uint32_t timeoutMs) {
    reply.clear();
    if (!IsOpen())
        return false;
    const std::string frame = Trim(command) + " ";
    HexCommandBytes(frame);
    for (int attempt = 0; attempt < tries && IsOpen(); ++attempt) {
        DrainInput();
        reply.clear();
        WriteHex(frame);
        Log("#com<-: " + Trim(frame));
        const bool found = WaitForHex(reply, timeoutMs, pattern);
        reply = Trim(reply) + " ";
        Log("@com->: " + reply);
        if (found)
            return true;
    }
    return false;
}

bool TComPortWorker::WaitForHex(std::string& reply, uint32_t timeoutMs,
                                const std::string& pattern) {
    reply.clear();
    const uint32_t start = Ticks();
    const std::string wanted = UpperCase(pattern);
    bool polled = false;
    while (IsOpen() && (!polled || TicksBetween(start, Ticks()) <= timeoutMs)) {
        polled = true;
        while (IsOpen() && comm_->QueueCount(0) > 0) {
            uint8_t byte = 0;
            if (!ReadOne(byte))
                break;
            reply += HexOfBytes(std::string(1, static_cast<char>(byte)));
            if (EndsWithin(reply, wanted, 3))
                return true;
        }
        if (!wanted.empty() && reply.find(wanted) != std::string::npos)
            return true;
        PollPause(kPollMs);
    }
    // With no pattern nothing ends the wait early: the whole window is the reply.
    return wanted.empty() && polled;
}

void TComPortWorker::DrainInput() {
    if (!IsOpen())
        return;
    std::string dropped;
    while (comm_->ReadString(dropped)) {
    }
}

void TComPortWorker::ReadText(std::string& text) {
    std::string bytes;
    comm_->ReadString(bytes);
    text = TextOfBytes(bytes);
}

void TComPortWorker::ReadHex(std::string& text) {
    std::string bytes;
    comm_->ReadString(bytes);
    text = HexOfBytes(bytes);
}

void TComPortWorker::WriteText(const std::string& text) {
    std::string bytes;
    if (!TryUtf8ToCp1251(text, bytes))
        throw EEncodingError("'" + text + "' has characters that cannot be sent to the unit");
    comm_->SendString(bytes);
}

void TComPortWorker::WriteHex(const std::string& text) {
    // The whole row is checked first, so that a bad pair never leaves half a frame on the line.
    const std::string bytes = HexCommandBytes(text);
    // Byte k is due 2k ms after the first, so a sleep that wakes late makes the following gaps
    // shorter instead of delaying every later byte; a byte never goes out before its time, and
    // while catching up the bytes stay at least 1 ms apart for the unit to pass them on.
    using TClock = std::chrono::steady_clock;
    const TClock::time_point start = TClock::now();
    TClock::time_point sent = start;
    for (size_t k = 0; k < bytes.size(); ++k) {
        comm_->SendByte(static_cast<uint8_t>(bytes[k]));
        sent = TClock::now();
        const TClock::time_point due = start + kHexByteGap * static_cast<int64_t>(k + 1);
        std::this_thread::sleep_until(std::max(due, sent + kHexByteMinimumGap));
    }
}

void TComPortWorker::ClearRts() {
    Log("ClrRTS");
    comm_->SetRTS(false);
}

void TComPortWorker::SetRts() {
    Log("SetRTS");
    comm_->SetRTS(true);
}

std::string TComPortWorker::TextOfBytes(const std::string& bytes) {
    std::string kept;
    kept.reserve(bytes.size());
    for (char c : bytes)
        if (c != '\x00' && c != '\xFF')
            kept += c;
    return Cp1251ToUtf8(kept);
}

std::string TComPortWorker::HexOfBytes(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 0x0F];
        text += ' ';
    }
    return text;
}

std::string TComPortWorker::HexCommandBytes(const std::string& text) {
    std::string bytes;
    if (!BytesOfHex(text, bytes))
        throw EConvertError("'" + Trim(text) + "' is not a valid hexadecimal command");
    return bytes;
}

bool TComPortWorker::BytesOfHex(const std::string& text, std::string& bytes) {
    const std::string pairs = Trim(text);
    std::string out;
    size_t i = 0;
    while (i < pairs.size()) {
        if (i + 1 >= pairs.size())
            return false;
        const int high = HexDigitValue(pairs[i]);
        const int low = HexDigitValue(pairs[i + 1]);
        if (high < 0 || low < 0)
            return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        if (i < pairs.size()) {
            if (pairs[i] != ' ')
                return false;
            ++i;
        }
    }
    bytes = std::move(out);
    return true;
}
