#include "device/Modem.h"

#include "device/DeviceError.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Threads.h"

#include <cctype>
#include <vector>

namespace {

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// An AT command line reduced to what names commands: capitals without blanks, without the names
// of extended commands and without dial strings, each character with its place in the line.
struct TATScan {
    std::string chars;
    std::vector<size_t> where;
};

bool CommandMayFollow(char c) {
    return c == ' ' || IsDigit(c) || c == '=' || c == '?' || (c >= 'A' && c <= 'Z');
}

TATScan ScanAT(const std::string& line) {
    TATScan scan;
    enum { Normal, SkipToDigit, SkipToQuery, SkipDial } mode = Normal;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = Upper(line[i]);
        if (c == ' ')
            continue;
        switch (mode) {
        case SkipToDigit:
            if (!(IsDigit(c) || c == '=' || c == '?'))
                continue;
            mode = Normal;
            break;
        case SkipToQuery:
            if (!(c == '=' || c == '?'))
                continue;
            mode = Normal;
            break;
        case SkipDial:
            if (c != ';')
                continue;
            mode = Normal;
            break;
        case Normal:
            break;
        }
        const bool commandPlace = scan.chars.size() >= 2 && CommandMayFollow(scan.chars.back());
        scan.chars += c;
        scan.where.push_back(i);
        if (c == '#' || c == '-')
            mode = SkipToDigit;
        else if (c == '+')
            mode = SkipToQuery;
        else if (c == 'D' && commandPlace)
            mode = SkipDial;
    }
    return scan;
}

// Index in `scan` of the command `name`, searching from `from`; -1 when absent.
int FindInScan(const TATScan& scan, const std::string& name, size_t from = 2) {
    if (scan.chars.size() < 2 || scan.chars.compare(0, 2, "AT") != 0 || name.empty())
        return -1;
    std::string upper;
    for (char c : name)
        upper += Upper(c);
    for (size_t i = std::max<size_t>(from, 2); i + upper.size() <= scan.chars.size(); ++i)
        if (scan.chars.compare(i, upper.size(), upper) == 0 && CommandMayFollow(scan.chars[i - 1]))
            return static_cast<int>(i);
    return -1;
}

std::string TrimmedRight(const std::string& text) {
    size_t e = text.size();
    while (e > 0 && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.substr(0, e);
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

constexpr const char* kResultWords[] = {"OK",    "CONNECT",     "RING", "NO CARRIER",
                                        "ERROR", "NO DIALTONE", "BUSY", "NO ANSWER"};

// The result word of a line, with its code; false when the line holds no result.
bool ResultOfLine(const std::string& line, std::string& word, int& code) {
    if (line.empty())
        return false;
    if (IsDigit(line[0])) {
        // Numeric results: 0-4 as the words, 6 no dial tone, 7 busy, 8 no answer.
        static constexpr int kNumeric[] = {0, 1, 2, 3, 4, -1, 5, 6, 7, -1};
        const int index = kNumeric[line[0] - '0'];
        if (index < 0) {
            word = "UNKNOWN";
            code = hrUnknown;
        } else {
            word = kResultWords[index];
            code = index;
        }
        return true;
    }
    for (int i = 0; i < 8; ++i) {
        const std::string w = kResultWords[i];
        if (line.compare(0, w.size(), w) == 0) {
            word = line;
            code = i;
            return true;
        }
    }
    return false;
}

} // namespace

bool ParseHayesReply(const std::string& text, const std::string& lastCommand, THayesAT& at) {
    at = THayesAT{};
    std::string clean;
    clean.reserve(text.size());
    for (char c : text)
        if (c != '\n')
            clean += c;
    if (clean.empty() || clean.back() != '\r')
        return false;

    // Lines without their CR; empty lines (CR CR) carry nothing.
    std::vector<std::string> lines;
    size_t begin = 0;
    for (size_t i = 0; i < clean.size(); ++i)
        if (clean[i] == '\r') {
            if (i > begin)
                lines.push_back(clean.substr(begin, i - begin));
            begin = i + 1;
        }
    std::string word;
    int code = hrNone;
    if (lines.empty() || !ResultOfLine(lines.back(), word, code))
        return false;

    at.ResultText = word;
    at.ResultCode = code;
    size_t first = 0;
    std::string head = lines.front();
    size_t skip = 0;
    while (skip < head.size() && static_cast<unsigned char>(head[skip]) < ' ')
        ++skip;
    head.erase(0, skip);
    if (lines.size() > 1 &&
        (SameText(head.substr(0, 2), "AT") || SameText(head.substr(0, 2), "A/"))) {
        at.Command = head;
        first = 1;
    } else if (!SameText(lastCommand, "A/")) {
        at.Command = lastCommand;
    }
    for (size_t i = first; i + 1 < lines.size(); ++i)
        at.Response += lines[i] + "\r\n";
    return true;
}

std::string ResultCodesOn(const std::string& command) {
    std::string text = command;
    const TATScan scan = ScanAT(text);
    for (int at = FindInScan(scan, "Q1"); at >= 0; at = FindInScan(scan, "Q1", at + 2))
        text[scan.where[at + 1]] = '0';
    return text;
}

int FindATCommand(const std::string& line, const std::string& name) {
    const TATScan scan = ScanAT(line);
    const int at = FindInScan(scan, name);
    return at < 0 ? -1 : static_cast<int>(scan.where[at]);
}

// TModemSettings

void TModemSettings::Assign(TPersistent* source) {
    if (auto* same = dynamic_cast<TModemSettings*>(source))
        Assign(*same);
    else
        inherited::Assign(source);
}

void TModemSettings::Assign(const TModemSettings& source) {
    if (&source == this)
        return;
    initString_ = source.initString_;
    resetString_ = source.resetString_;
    dialNumber_ = source.dialNumber_;
    dialType_ = source.dialType_;
    connectType_ = source.connectType_;
    speed_ = source.speed_;
    waitRings_ = source.waitRings_;
}

void TModemSettings::SetSpeed(int value) {
    static constexpr int kSpeeds[] = {0,     2400,  4800,  7200,  9600,  12000, 14400, 16800, 19200,
                                      21600, 24000, 26400, 28800, 31200, 33600, 56000, 57600};
    for (int speed : kSpeeds)
        if (speed == value) {
            speed_ = value;
            return;
        }
}

// TCustomModem

// Marks the component's own reads and writes, which the command-state read lock lets through.
class TCustomModem::TOwnIO {
public:
    explicit TOwnIO(TCustomModem& modem) : modem_(modem) { modem_.ownIO_.fetch_add(1); }
    ~TOwnIO() { modem_.ownIO_.fetch_sub(1); }

private:
    TCustomModem& modem_;
};

TCustomModem::TCustomModem(TComponent* owner) : TCustomComm(owner) {}

TCustomModem::~TCustomModem() {
    if (IsOpen()) {
        try {
            TCustomModem::Close();
        } catch (...) {
        }
    }
}

int TCustomModem::LockState() const {
    int state = TCustomComm::LockState();
    if (HasState(msCommand) && ownIO_.load() == 0)
        state |= 2;
    return state;
}

void TCustomModem::Open() {
    TCustomComm::Open();
    state_.store(0);
    ownCommand_.store(false);
    ownIO_.store(0);
    std::lock_guard lock(mutex_);
    pending_.clear();
}

void TCustomModem::Close() {
    CheckOpen();
    try {
        if (IsConnected())
            HangUp();
        if (HasState(msConnected)) {
            ClearState(msConnected);
            DoDisconnect();
        }
    } catch (...) {
        // A port that fails while hanging up is still closed.
        TCustomComm::Close();
        throw;
    }
    TCustomComm::Close();
}

unsigned TCustomModem::ModemStatus() {
    CheckOpen();
    unsigned lines = 0;
    if (Device()->GetModemLines(lines) != 0)
        return 0;
    return ((lines & mlCTS) ? mdCTS : 0) | ((lines & mlDSR) ? mdDSR : 0) |
           ((lines & mlRing) ? mdRing : 0) | ((lines & mlCarrier) ? mdCarrier : 0);
}

bool TCustomModem::IsModemPresent() {
    return IsOpen() && (ModemStatus() & mdDSR);
}

bool TCustomModem::IsConnected() {
    return IsOpen() && (ModemStatus() & mdCarrier);
}

int TCustomModem::ModemState() {
    return IsModemPresent() ? (state_.load() | msPresent) : 0;
}

std::string TCustomModem::EscapeSequence() const {
    return std::string(3, static_cast<char>(escapeChar_.load()));
}

bool TCustomModem::SendATCommand(const std::string& command) {
    if (BaudValue() < 300 || !IsModemPresent())
        return false;
    const bool own = ownCommand_.load();
    std::string text = own ? command : ResultCodesOn(command);
    const bool escape = escapeChar_.load() != 0 && text == EscapeSequence();
    if (!escape && !SameText(text, "A/"))
        text += "\r\n";
    {
        std::lock_guard lock(mutex_);
        lastCommand_ = command;
        pending_.clear();
    }
    bool written = false;
    {
        TOwnIO io(*this);
        PurgeInput();
        PurgeOutput();
        SetState(msAwaiting);
        try {
            written = SendString(text);
        } catch (...) {
            ClearState(msAwaiting);
            throw;
        }
    }
    if (!written) {
        ClearState(msAwaiting);
        return false;
    }
    if (!own) {
        if (FindATCommand(command, "D") >= 0) {
            const std::string trimmed = TrimmedRight(command);
            if (trimmed.empty() || trimmed.back() != ';')
                DoConnecting(ctDial);
        } else if (FindATCommand(command, "A") >= 0) {
            DoConnecting(ctDirect);
        }
    }
    return true;
}

void TCustomModem::WaitResult(uint32_t timeoutMs, THayesAT& at) {
    {
        std::lock_guard lock(mutex_);
        lastResult_ = THayesAT{};
    }
    at = THayesAT{};
    CheckOpen();
    bool awaitingEscape = false;
    if (HasState(msAwaiting)) {
        std::lock_guard lock(mutex_);
        awaitingEscape = escapeChar_.load() != 0 && lastCommand_ == EscapeSequence();
    }
    if (!HasState(msCommand) && !awaitingEscape)
        RaiseCommError(sModemCommandState, DEVICE_MODEMCMDSTATE);
    if (HasState(msAwaiting)) {
        waitState_.store(-2);
        const uint32_t start = GetTickCount();
        const bool mainThread = IsMainThread();
        while (HasState(msAwaiting)) {
            if (timeoutMs != 0 && TicksSince(start) >= timeoutMs)
                break;
            if (!IsOpen() || !IsModemPresent())
                break;
            // Results arrive through the event thread, handed over to the main thread when the
            // port synchronises its events.
            if (mainThread)
                CheckSynchronize(10);
            else
                resultArrived_.WaitFor(50);
        }
        waitState_.store(-1);
    }
    std::lock_guard lock(mutex_);
    at = lastResult_;
}

bool TCustomModem::OwnCommand(const std::string& command, THayesAT& at) {
    ownCommand_.store(true);
    SuspendEvents(true);
    bool ok = false;
    try {
        if (SendATCommand(command)) {
            WaitResult(OwnCommandTimeoutMs, at);
            ok = at.ResultCode == hrOK;
        }
    } catch (...) {
        SuspendEvents(false);
        ownCommand_.store(false);
        throw;
    }
    SuspendEvents(false);
    ownCommand_.store(false);
    return ok;
}

bool TCustomModem::SetSRegister(int reg, int value) {
    CheckOpen();
    if (!HasState(msCommand))
        RaiseCommError(sModemCommandState, DEVICE_MODEMCMDSTATE);
    if (reg == 3)
        value = 13;
    else if (reg == 4)
        value = 10;
    else if (reg == 2 && value != 0)
        value = 43;
    value = value < 0 ? 0 : value % 1000;
    std::string digits = std::to_string(value);
    digits.insert(0, 3 - digits.size(), '0');
    THayesAT at;
    if (!OwnCommand("ATS" + std::to_string(reg) + "=" + digits, at))
        return false;
    if (reg == 2)
        escapeChar_.store(static_cast<uint8_t>(value));
    if (reg == 0 && !HasState(msConnected)) {
        if (value != 0) {
            SetState(msWaitRings);
            DoConnecting(ctWait);
        } else if (HasState(msWaitRings)) {
            ClearState(msWaitRings);
            DoDisconnecting();
        }
    }
    return true;
}

bool TCustomModem::EnterCommandState() {
    if (HasState(msConnected) && !HasState(msCommand) && escapeChar_.load() != 0) {
        THayesAT at;
        OwnCommand(EscapeSequence(), at);
    } else if (!HasState(msConnected) && !HasState(msCommand) && IsModemPresent()) {
        SetState(msCommand);
        DoChangeCmdState();
    }
    return HasState(msCommand);
}

void TCustomModem::HangUp() {
    if (HasState(msWaitRings)) {
        if (HasState(msCommand))
            SetSRegister(0, 0);
        return;
    }
    if (HasState(msConnecting)) {
        DoDisconnecting();
        // Any character ends a call being set up.
        {
            TOwnIO io(*this);
            SetState(msAwaiting);
            if (!SendString("\r\n\x1b"))
                ClearState(msAwaiting);
        }
        if (HasState(msCommand)) {
            THayesAT at;
            ownCommand_.store(true);
            WaitResult(OwnCommandTimeoutMs, at);
            ownCommand_.store(false);
        }
        ClearState(msConnecting);
        return;
    }
    if (HasState(msConnected)) {
        SetState(msDisconnecting);
        DoDisconnecting();
        THayesAT at;
        if (EnterCommandState() && OwnCommand("ATH", at) && HasState(msConnected)) {
            ClearState(msConnected);
            DoDisconnect();
        }
        ClearState(msDisconnecting);
    }
}

THayesAT TCustomModem::LastResult() const {
    std::lock_guard lock(mutex_);
    return lastResult_;
}

void TCustomModem::DoConnect() {
    if (OnConnect)
        OnConnect(this);
}

void TCustomModem::DoDisconnect() {
    if (OnDisconnect)
        OnDisconnect(this);
}

void TCustomModem::DoConnecting(TConnectType type) {
    SetState(msConnecting);
    if (OnConnecting)
        OnConnecting(this, type);
}

void TCustomModem::DoDisconnecting() {
    if (OnDisconnecting)
        OnDisconnecting(this);
}

void TCustomModem::DoChangeCmdState() {
    if (OnChangeCmdState)
        OnChangeCmdState(this);
}

void TCustomModem::HandleCommEvent(TDeviceEvents events) {
    LineSignals(events);
    TCustomComm::HandleCommEvent(events);
}

void TCustomModem::LineSignals(TDeviceEvents events) {
    const bool carrierChange = events.Contains(deRLSD);
    const bool ring = events.Contains(deRing);
    if (carrierChange && !ring) {
        if (ModemStatus() & mdCarrier) {
            savedCommandState_ = HasState(msCommand);
            ClearState(msCommand | msConnecting | msWaitRings);
            SetState(msConnected);
            DoConnect();
        } else if (HasState(msConnected)) {
            if (savedCommandState_)
                SetState(msCommand);
            else
                ClearState(msCommand);
            if (!HasState(msDisconnecting))
                DoDisconnecting();
            ClearState(msConnected | msDisconnecting);
            DoDisconnect();
        }
    } else if (ring && !carrierChange) {
        if (HasState(msCommand) && OnRing)
            OnRing(this);
    }
}

void TCustomModem::HandleData(unsigned received) {
    if (HasState(msAwaiting)) {
        CollectResult();
        return;
    }
    if (HasState(msCommand))
        return; // the modem's own chatter in command state is nobody's data
    TCustomComm::HandleData(received);
}

void TCustomModem::CollectResult() {
    std::string text;
    std::string lastCommand;
    {
        TOwnIO io(*this);
        std::string more;
        ReadString(more);
        std::lock_guard lock(mutex_);
        text = pending_ + more;
        pending_.clear();
        lastCommand = lastCommand_;
    }
    std::string clean;
    for (char c : text)
        if (c != '\n')
            clean += c;

    auto keep = [&] {
        // A line that never ends a result (noise, a stream of data) must not grow without
        // bound: only the tail can still hold the result word.
        if (clean.size() > MaxPendingReply)
            clean.erase(0, clean.size() - MaxPendingReply);
        std::lock_guard lock(mutex_);
        pending_ = clean;
    };
    THayesAT at;
    if (!ParseHayesReply(clean, lastCommand, at))
        return keep();

    // More may follow at once: wait one character time for it.
    const uint32_t rate = BaudValue();
    const int charMs = static_cast<int>(10000 / (rate ? rate : 300) + 1);
    if (Device()->Wait(swReadable, charMs, nullptr) & swReadable || QueueCount(0) > 0)
        return keep();

    ClearState(msAwaiting);
    HandleHayesAT(std::move(at));
    resultArrived_.SetEvent();
}

void TCustomModem::HandleHayesAT(THayesAT at) {
    if (HasState(msConnected)) {
        if (at.ResultCode == hrConnect && FindATCommand(at.Command, "O") >= 0) {
            ClearState(msCommand);
            DoChangeCmdState();
        } else if (at.ResultCode == hrOK && escapeChar_.load() != 0 &&
                   at.Command == EscapeSequence()) {
            SetState(msCommand);
            DoChangeCmdState();
        }
    }
    if (HasState(msConnecting)) {
        int code = at.ResultCode;
        if (ModemStatus() & mdCarrier)
            code = hrConnect;
        if (!HasState(msWaitRings)) {
            ClearState(msConnecting);
            if (code != hrConnect)
                DoDisconnecting();
        }
    }
    {
        std::lock_guard lock(mutex_);
        lastResult_ = at;
    }
    if (!EventsSuspended() && !ownCommand_.load() && OnHayesAT)
        OnHayesAT(this, at);
}

void TXModem::DeclareProperties(TPropertyList& p) {
    DeclareCommProperties(p);
    using C = TCustomModem;
    p.AddFn<C>(
        "Settings", [](C* c) { return &c->Settings(); },
        [](C* c, TModemSettings* v) {
            if (v)
                c->SetSettings(*v);
        });
    p.Add("OnHayesAT", &C::OnHayesAT);
    p.Add("OnConnect", &C::OnConnect);
    p.Add("OnDisconnect", &C::OnDisconnect);
    p.Add("OnConnecting", &C::OnConnecting);
    p.Add("OnDisconnecting", &C::OnDisconnecting);
    p.Add("OnRing", &C::OnRing);
    p.Add("OnChangeCmdState", &C::OnChangeCmdState);
}

void RegisterModemComponents() {
    RegisterCommComponents();
    RegisterClass(TXModem::StaticClass());
}

namespace {
const bool kModemRegistered = (RegisterModemComponents(), true);
} // namespace
