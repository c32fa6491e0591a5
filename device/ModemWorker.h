#pragma once
// A GSM modem on a COM port: its AT dialogue (reset, check, registration, bearer, dial,
// hang-up) and, once the data call stands, the unit's "+" protocol over the call. Sits on a
// TComPortWorker, which it uses for writing and for reading what is queued, and watches every
// reply for the modem's result words: an error word raises TModemException at once, and the
// modem's third "error" reply in a row does too, counted one a reply whenever in its wait it
// comes. In the data call an "error" reply is the unit's refusal of one request: it fails that
// request and is not counted. Abort (from any thread) ends every wait and loop within one poll.

#include "device/ComPortWorker.h"
#include "device/LogWriter.h"

#include "platform/rtl/Exception.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

Q4_EXCEPTION(TModemException, Exception);

class TModemWorker {
public:
    // On a port worker that stays with the caller (who keeps it alive longer than this worker).
    TModemWorker(TComPortWorker& port, const std::string& phoneNumber, bool waitRegistration,
                 TLogWriter* log);
    // On a port worker of its own.
    TModemWorker(std::unique_ptr<TComPortWorker> port, const std::string& phoneNumber,
                 bool waitRegistration, TLogWriter* log);
    ~TModemWorker();
    TModemWorker(const TModemWorker&) = delete;
    TModemWorker& operator=(const TModemWorker&) = delete;

    // Sends `command` and a carriage return; true only when `terminator` (a carriage return when
    // empty) arrives. Reads and checks pending input for error words before each try, sleeps
    // 100 ms after a failed one. With a `keyword`, a reply that names another keyword before
    // ">" (late, to an earlier request) is logged and skipped.
    bool SendText(const std::string& command, std::string& reply, const std::string& terminator,
                  int tries, uint32_t timeoutMs, bool log,
                  const std::string& keyword = std::string());
    bool SendHex(const std::string& command, std::string& reply, const std::string& pattern,
                 int tries, uint32_t timeoutMs);
    bool WaitForText(std::string& reply, uint32_t timeoutMs, const std::string& pattern,
                     const std::string& keyword = std::string());
    bool WaitForHex(std::string& reply, uint32_t timeoutMs, const std::string& pattern);

    // Raises TModemException when `reply` holds one of the modem's error words.
    void CheckModemError(const std::string& reply);
    // Counts one reply: true when it holds "error", and the third such reply in a row raises
    // TModemException; a reply without "error" starts the count again.
    bool CountErrorReply(const std::string& reply);
    // Unless aborted, reads what is queued and checks it for error words.
    void CheckPending();

    bool ResetModem();
    bool CheckModem();
    // True once the network reports the modem registered, at home or roaming.
    bool CheckRegistration();
    bool SetBearer();
    // Dials PhoneNumber; raises TModemException, sending nothing, when the number holds anything
    // but dial characters.
    bool Dial();
    bool HangUp();

    // Returns the modem to command state: "+++" with a guard time of silence before and after,
    // so that the modem takes it as an escape and not as data. False when aborted.
    bool EscapeToCommand();
    // RTS low for 1 s, then high for 1 s (each step skipped once aborted).
    void PulseRts();
    void ClearRts();

    const std::string& GetPhoneNumber() const { return phoneNumber_; }
    bool GetWaitRegistration() const { return waitRegistration_; }
    int ErrorCount() const { return errorCount_; }
    // Dialled and connected, and not yet escaped, hung up or dropped.
    bool InCall() const { return inCall_; }
    TComPortWorker* Port() const { return port_; }

    void Abort() { aborted_.store(true); }
    void ClearAbort() { aborted_.store(false); }
    bool Aborted() const { return aborted_.load(); }

    // The characters a phone number may hold: digits, "+*#", pauses and dial modifiers
    // (",WwPpTt") and blanks.
    static bool IsDialableNumber(const std::string& number);

    // Guard time kept around "+++" (a Hayes modem's default is 1 s).
    static constexpr uint32_t EscapeGuardMs = 1100;

private:
    void Write(const std::string& text);
    void WriteHex(const std::string& text);
    // Sleeps `ms` in steps short enough to notice Abort; false when aborted.
    bool Pause(uint32_t ms);
    static bool HoldsError(const std::string& reply);
    // A wait ended on an error reply (false, counted outside the call) or otherwise (`found`,
    // the count starting again outside the call).
    bool ErrorReplied(const std::string& reply);
    bool WaitEnded(bool found);

    std::unique_ptr<TComPortWorker> ownedPort_; // empty when the port worker is borrowed
    TLogWriter* log_;
    std::string phoneNumber_;
    bool waitRegistration_;
    int errorCount_ = 0;
    bool inCall_ = false;
    TComPortWorker* port_;
    std::atomic<bool> aborted_{false};
    uint32_t lastWrite_ = 0;
    bool wrote_ = false;
};
