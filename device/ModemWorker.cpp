#include "device/ModemWorker.h"

#include "device/ReplyCollector.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

namespace {

constexpr uint32_t kPollMs = 50;
constexpr uint32_t kRetryTextMs = 100;
constexpr uint32_t kRetryHexMs = 10;
constexpr uint32_t kAtLimitMs = 4500;
constexpr uint32_t kDialLimitMs = 50000;
constexpr uint32_t kRtsStepMs = 1000;

struct TErrorWord {
    const char* word;
    const char* message;
};

// Checked in this order; the first found decides the message.
const TErrorWord kErrorWords[] = {
    {"busy", "ОШИБКА! Линия занята(BUSY)!"},
    {"no carrier", "ОШИБКА! Не могу утсановить соединение или оно разорвано(NO CARRIER)!"},
    {"no dialtone", "ОШИБКА! Нет сигнала в линии(NO DIALTONE)!"},
    {"disconnect", "ОШИБКА! Обрыв Соединения(DISCONNECT)!"},
    {"no answer", "ОШИБКА! Нет ответа(NO ANSWER)!"},
};

const char* const kTooManyErrors = "ОШИБКА! Слишком много ошибока от модема!";
const char* const kBadNumber = "ОШИБКА! Недопустимый номер телефона(";

} // namespace

TModemWorker::TModemWorker(TComPortWorker& port, const std::string& phoneNumber,
                           bool waitRegistration, TLogWriter* log)
    : log_(log), phoneNumber_(phoneNumber), waitRegistration_(waitRegistration), port_(&port) {}

TModemWorker::TModemWorker(std::unique_ptr<TComPortWorker> port, const std::string& phoneNumber,
                           bool waitRegistration, TLogWriter* log)
    : TModemWorker(*port, phoneNumber, waitRegistration, log) {
    ownedPort_ = std::move(port);
}

TModemWorker::~TModemWorker() = default;

void TModemWorker::Write(const std::string& text) {
    port_->WriteText(text);
    lastWrite_ = port_->Ticks();
    wrote_ = true;
}

void TModemWorker::WriteHex(const std::string& text) {
    port_->WriteHex(text);
    lastWrite_ = port_->Ticks();
    wrote_ = true;
}

bool TModemWorker::Pause(uint32_t ms) {
    const uint32_t start = port_->Ticks();
    for (;;) {
        if (Aborted())
            return false;
        const uint32_t spent = TicksBetween(start, port_->Ticks());
        if (spent >= ms)
            return true;
        port_->Clock().Sleep(std::min(ms - spent, kPollMs));
    }
}

bool TModemWorker::SendText(const std::string& command, std::string& reply,
                            const std::string& terminator, int tries, uint32_t timeoutMs, bool log,
                            const std::string& keyword) {
    reply.clear();
    const std::string line = command + "\r";
    const std::string& until = terminator.empty() ? std::string("\r") : terminator;
    for (int attempt = 0; attempt < tries && !Aborted(); ++attempt) {
        CheckPending();
        reply.clear();
        Write(line);
        if (log && log_)
            log_->WriteLine("#Modem<-: " + line);
        const bool found = WaitForText(reply, timeoutMs, until, keyword);
        if (log && log_)
            log_->WriteLine("@Modem->: " + reply);
        if (found)
            return true;
        port_->Clock().Sleep(kRetryTextMs);
    }
    return false;
}

bool TModemWorker::SendHex(const std::string& command, std::string& reply,
                           const std::string& pattern, int tries, uint32_t timeoutMs) {
    reply.clear();
    const std::string frame = Trim(command) + " ";
    TComPortWorker::HexCommandBytes(frame);
    for (int attempt = 0; attempt < tries && !Aborted(); ++attempt) {
        CheckPending();
        reply.clear();
        WriteHex(frame);
        if (log_)
            log_->WriteLine("#Modem<-: " + frame);
        const bool found = WaitForHex(reply, timeoutMs, pattern);
        reply = Trim(reply) + " ";
        if (log_)
            log_->WriteLine("@Modem->: " + reply);
        if (found)
            return true;
        port_->Clock().Sleep(kRetryHexMs);
    }
    return false;
}

bool TModemWorker::WaitForText(std::string& reply, uint32_t timeoutMs, const std::string& pattern,
                               const std::string& keyword) {
    reply.clear();
    const uint32_t start = port_->Ticks();
    TReplyCollector collector(pattern, keyword);
    std::string received;
    while (TicksBetween(start, port_->Ticks()) <= timeoutMs && !Aborted()) {
        std::string queued;
        port_->ReadText(queued);
        for (char c : queued)
            collector.Add(c);
        const std::string stale = collector.TakeStale();
        if (!stale.empty() && log_)
            log_->WriteLine("Пропущен ответ на другой запрос: " + Trim(stale));
        received += queued;
        reply = collector.Bytes();
        // The modem's own words count wherever they stand.
        CheckModemError(received);
        if (HoldsError(reply))
            return ErrorReplied(reply);
        if (collector.Found())
            return WaitEnded(true);
        port_->PollPause(kPollMs);
    }
    return WaitEnded(false);
}

bool TModemWorker::WaitForHex(std::string& reply, uint32_t timeoutMs, const std::string& pattern) {
    reply.clear();
    const uint32_t start = port_->Ticks();
    const std::string wanted = UpperCase(pattern);
    bool polled = false;
    while (TicksBetween(start, port_->Ticks()) <= timeoutMs && !Aborted()) {
        polled = true;
        std::string queued;
        port_->ReadHex(queued);
        reply += queued;
        CheckModemError(reply);
        if (HoldsError(reply))
            return ErrorReplied(reply);
        if (!wanted.empty() && reply.find(wanted) != std::string::npos)
            return WaitEnded(true);
        port_->PollPause(kPollMs);
    }
    return WaitEnded(wanted.empty() && polled && !Aborted());
}

void TModemWorker::CheckModemError(const std::string& reply) {
    const std::string lower = LowerCase(reply);
    for (const TErrorWord& e : kErrorWords)
        if (lower.find(e.word) != std::string::npos) {
            inCall_ = false; // whichever word it is, no call stands after it
            throw TModemException(e.message);
        }
}

bool TModemWorker::HoldsError(const std::string& reply) {
    return LowerCase(reply).find("error") != std::string::npos;
}

bool TModemWorker::CountErrorReply(const std::string& reply) {
    if (!HoldsError(reply)) {
        errorCount_ = 0;
        return false;
    }
    if (errorCount_++ == 2)
        throw TModemException(kTooManyErrors);
    return true;
}

bool TModemWorker::ErrorReplied(const std::string& reply) {
    // In the call the modem passes the unit's words on: "ERROR" is the unit refusing this one
    // request, which fails as it does on the cable. Only the modem's own replies are counted.
    if (!inCall_)
        CountErrorReply(reply);
    return false;
}

bool TModemWorker::WaitEnded(bool found) {
    if (!inCall_)
        errorCount_ = 0;
    return found;
}

void TModemWorker::CheckPending() {
    if (Aborted())
        return;
    std::string queued;
    port_->ReadText(queued);
    CheckModemError(queued);
}

bool TModemWorker::ResetModem() {
    std::string reply;
    return SendText("ATZ", reply, "OK", 1, kAtLimitMs, true);
}

bool TModemWorker::CheckModem() {
    std::string reply;
    return SendText("AT", reply, "OK", 2, kAtLimitMs, true);
}

bool TModemWorker::CheckRegistration() {
    std::string reply;
    if (!SendText("AT+CREG?", reply, "OK", 3, kAtLimitMs, true))
        return false;
    std::string compact = LowerCase(reply);
    compact.erase(std::remove(compact.begin(), compact.end(), ' '), compact.end());
    return compact.find("+creg:0,1") != std::string::npos ||
           compact.find("+creg:0,5") != std::string::npos;
}

bool TModemWorker::SetBearer() {
    std::string reply;
    return SendText("AT+CBST=7,0,1", reply, "OK", 2, kAtLimitMs, true);
}

bool TModemWorker::IsDialableNumber(const std::string& number) {
    bool digits = false;
    for (char c : number) {
        if (c >= '0' && c <= '9') {
            digits = true;
            continue;
        }
        static const std::string allowed = "+*#,WwPpTt ";
        if (allowed.find(c) == std::string::npos)
            return false;
    }
    return digits;
}

bool TModemWorker::Dial() {
    // Only a number goes after "ATD": a line end would start another command, and a ";" would
    // make a voice call.
    if (!IsDialableNumber(phoneNumber_))
        throw TModemException(kBadNumber + phoneNumber_ + ")!");
    std::string reply;
    inCall_ = SendText("ATD " + phoneNumber_, reply, "CONNECT", 1, kDialLimitMs, true);
    return inCall_;
}

bool TModemWorker::HangUp() {
    std::string reply;
    inCall_ = false;
    return SendText("ATH", reply, "OK", 2, kAtLimitMs, true);
}

bool TModemWorker::EscapeToCommand() {
    if (Aborted())
        return false;
    CheckPending();
    // Silence before: the guard time counts from our last byte to the modem.
    if (wrote_) {
        const uint32_t since = TicksBetween(lastWrite_, port_->Ticks());
        if (since < EscapeGuardMs && !Pause(EscapeGuardMs - since))
            return false;
    }
    Write("+++");
    // Silence after: only then does the modem leave data state and answer "OK".
    Pause(EscapeGuardMs);
    inCall_ = false;
    return true;
}

void TModemWorker::PulseRts() {
    if (Aborted())
        return;
    port_->ClearRts();
    port_->Clock().Sleep(kRtsStepMs);
    if (Aborted())
        return;
    port_->SetRts();
    port_->Clock().Sleep(kRtsStepMs);
}

void TModemWorker::ClearRts() {
    port_->ClearRts();
}
