#pragma once
// The serial-port component with a Hayes modem behind it: tracks whether the modem is present,
// connected and in command state from the line signals and from its result codes, sends AT
// commands and collects their results, switches between data and command state with the escape
// sequence, sets S-registers and hangs up.

#include "device/Comm.h"
#include "platform/rtl/SyncObjs.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

Q4_ENUM(TDialType, dtPulse, dtTone);
Q4_ENUM(TConnectType, ctDial, ctDirect, ctWait);

// What a modem link is set up with. Kept for the form; the component itself reads none of it.
class TModemSettings : public TPersistent {
    Q4_CLASS(TModemSettings, TPersistent)
public:
    TModemSettings() = default;
    static void DeclareProperties(TPropertyList& p) {
        using C = TModemSettings;
        p.Add("InitString", &C::InitString, &C::SetInitString).Stored(&C::InitStringStored);
        p.Add("ResetString", &C::ResetString, &C::SetResetString).Stored(&C::ResetStringStored);
        p.Add("DialNumber", &C::DialNumber, &C::SetDialNumber);
        p.Add("DialType", &C::DialType, &C::SetDialType).Default(dtTone);
        p.Add("ConnectType", &C::ConnectType, &C::SetConnectType).Default(ctDial);
        p.Add("Speed", &C::Speed, &C::SetSpeed).Default(33600);
        p.Add("WaitRings", &C::WaitRings, &C::SetWaitRings).Default(2);
    }

    // A source of another class raises EConvertError.
    void Assign(TPersistent* source) override;
    void Assign(const TModemSettings& source);

    static constexpr const char* DefaultInitString = "ATX&C1&D2&K3M0";
    static constexpr const char* DefaultResetString = "ATZ";
    bool InitStringStored() const { return initString_ != DefaultInitString; }
    bool ResetStringStored() const { return resetString_ != DefaultResetString; }

    const std::string& InitString() const { return initString_; }
    void SetInitString(const std::string& value) { initString_ = value; }
    const std::string& ResetString() const { return resetString_; }
    void SetResetString(const std::string& value) { resetString_ = value; }
    const std::string& DialNumber() const { return dialNumber_; }
    void SetDialNumber(const std::string& value) { dialNumber_ = value; }
    TDialType DialType() const { return dialType_; }
    void SetDialType(TDialType value) { dialType_ = value; }
    TConnectType ConnectType() const { return connectType_; }
    void SetConnectType(TConnectType value) { connectType_ = value; }
    // Only the modem speeds 0, 2400, 4800 ... 33600, 56000 and 57600 are taken; others are
    // ignored.
    int Speed() const { return speed_; }
    void SetSpeed(int value);
    uint8_t WaitRings() const { return waitRings_; }
    void SetWaitRings(uint8_t value) { waitRings_ = value; }

private:
    std::string initString_ = DefaultInitString;
    std::string resetString_ = DefaultResetString;
    std::string dialNumber_;
    TDialType dialType_ = dtTone;
    TConnectType connectType_ = ctDial;
    int speed_ = 33600;
    uint8_t waitRings_ = 2;
};

// Result codes of THayesAT.
enum : int {
    hrNone = -1,
    hrOK = 0,
    hrConnect = 1,
    hrRing = 2,
    hrNoCarrier = 3,
    hrError = 4,
    hrNoDialtone = 5,
    hrBusy = 6,
    hrNoAnswer = 7,
    hrUnknown = 65535,
};

// One command and its result.
struct THayesAT {
    std::string Command;    // the command line echoed or sent
    std::string Response;   // the lines before the result word, each ended by CR LF
    std::string ResultText; // the result word
    int ResultCode = hrNone;
};

// Bits of ModemState.
enum : uint8_t {
    msPresent = 1,
    msConnected = 2,
    msCommand = 4,
    msAwaiting = 8,
    msConnecting = 16,
    msWaitRings = 32,
    msDisconnecting = 64,
};

// Bits of ModemStatus.
constexpr unsigned mdCTS = 1, mdDSR = 2, mdRing = 4, mdCarrier = 8;

// The position of the command `name` in an AT command line, or -1. Blanks do not count; the
// names of extended commands ("+CREG", "#CLS", "-SEC") and a dial string are skipped, and a
// command only counts where it follows the "AT" prefix, a digit, "=", "?" or another command
// letter. Lower-case letters count as capitals. The position is that of the name's first
// character in `line`.
int FindATCommand(const std::string& line, const std::string& name);

// Reads a modem's reply as collected so far (lines ended by CR; LFs do not count). True when
// its last line is a result word: `at` then holds the result, the echoed command (or
// `lastCommand` when there was no echo, unless that was "A/") and the lines in between.
bool ParseHayesReply(const std::string& text, const std::string& lastCommand, THayesAT& at);

// The command with every Q1 command in it turned into Q0, so that result codes stay on.
std::string ResultCodesOn(const std::string& command);

class TCustomModem : public TCustomComm {
    Q4_CLASS(TCustomModem, TCustomComm)
public:
    using THayesATEvent = std::function<void(TObject* sender, const THayesAT& at)>;
    using TConnectingEvent = std::function<void(TObject* sender, TConnectType type)>;
    using TModemNotifyEvent = std::function<void(TObject* sender)>;

    explicit TCustomModem(TComponent* owner = nullptr);
    ~TCustomModem() override;

    int LockState() const override;
    void Open() override;
    // Hangs up a call first.
    void Close() override;

    // The modem lines: CTS (1), DSR (2), ring (4), carrier (8); 0 when they cannot be read.
    // Raises code 1 when closed.
    unsigned ModemStatus();
    bool IsModemPresent();
    bool IsConnected();
    // The state bits (msPresent ...), 0 when no modem is present.
    int ModemState();

    // Sends an AT command (CR LF is added). False when the port is slower than 300 bit/s, no
    // modem is present or the write fails.
    bool SendATCommand(const std::string& command);
    // Waits up to `timeoutMs` (0: no limit) for the result of the last command, running the
    // main thread's hand-over queue meanwhile; `at` gets the result, code -1 when none came.
    // Raises code 1 when closed and code 256 outside command state.
    void WaitResult(uint32_t timeoutMs, THayesAT& at);
    bool EnterCommandState();
    bool SetSRegister(int reg, int value);
    void HangUp();

    THayesAT LastResult() const;
    uint8_t EscapeChar() const { return escapeChar_.load(); }

    TModemSettings& Settings() { return settings_; }
    void SetSettings(const TModemSettings& value) { settings_.Assign(value); }

    THayesATEvent OnHayesAT;
    TModemNotifyEvent OnConnect;
    TModemNotifyEvent OnDisconnect;
    TConnectingEvent OnConnecting;
    TModemNotifyEvent OnDisconnecting;
    TModemNotifyEvent OnRing;
    TModemNotifyEvent OnChangeCmdState;

    // How long the component waits for the results of the commands it issues itself.
    static constexpr uint32_t OwnCommandTimeoutMs = 10000;
    // How much of an unfinished reply is kept while a result is awaited (its last bytes).
    static constexpr size_t MaxPendingReply = 64 * 1024;

protected:
    virtual void DoConnect();
    virtual void DoDisconnect();
    virtual void DoConnecting(TConnectType type);
    virtual void DoDisconnecting();
    virtual void DoChangeCmdState();

    void HandleData(unsigned received) override;
    void HandleCommEvent(TDeviceEvents events) override;
    // Receives every completed result.
    virtual void HandleHayesAT(THayesAT at);

private:
    class TOwnIO;
    bool HasState(uint8_t bits) const { return (state_.load() & bits) != 0; }
    void SetState(uint8_t bits) { state_.fetch_or(bits); }
    void ClearState(uint8_t bits) { state_.fetch_and(static_cast<uint8_t>(~bits)); }
    std::string EscapeSequence() const;
    void CollectResult();
    void LineSignals(TDeviceEvents events);
    // Sends a command of the component's own and waits for its result; true on OK.
    bool OwnCommand(const std::string& command, THayesAT& at);

    TModemSettings settings_;
    mutable std::mutex mutex_; // guards the texts and the last result
    std::string lastCommand_;
    std::string pending_;
    THayesAT lastResult_;
    std::atomic<uint8_t> escapeChar_{'+'};
    std::atomic<int> waitState_{-1};
    std::atomic<bool> ownCommand_{false};
    std::atomic<int> ownIO_{0};
    std::atomic<uint8_t> state_{0};
    bool savedCommandState_ = false;
    TEvent resultArrived_{false, false};
};

// The modem component with its properties (Settings among them) published. Creating one, from
// code or from a description, never opens the device.
class TXModem : public TCustomModem {
    Q4_CLASS(TXModem, TCustomModem)
public:
    explicit TXModem(TComponent* owner = nullptr) : TCustomModem(owner) {}
    static void DeclareProperties(TPropertyList& p);
};

// Makes TXComm and TXModem known to form descriptions (also done when the program starts).
void RegisterModemComponents();
