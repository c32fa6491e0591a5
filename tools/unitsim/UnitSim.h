#pragma once
// The simulated unit on a serial line: opens a new pseudo-terminal (or a given serial device),
// and on its own thread reads what the PC sends, hands it to the unit (or to the GSM modem in
// front of it), and writes the replies paced at the line rate. Every byte in both directions is
// recorded with its time.
//
// All state lives behind one lock. Tests and tools change switches and read records through the
// methods below, or run code against the unit and modem with Access(); they never touch the
// parts from another thread directly.

#include "tools/unitsim/SimHost.h"
#include "tools/unitsim/SimModem.h"
#include "tools/unitsim/SimUnit.h"
#include "tools/unitsim/WireLog.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/serial/PseudoTerminal.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

Q4_EXCEPTION(EUnitSim, Exception);

struct TUnitSimOptions {
    std::string Device; // serial device to serve; empty: a new pseudo-terminal
    std::string Link;   // when set, a symbolic link to the line's path made while serving
    bool Pacing = true; // write at the line rate rather than as fast as possible
    // The unit takes in each byte from the PC only when its frame has come down the line at the
    // line rate (a long command line takes its wire time to arrive), rather than at once.
    bool PaceInput = false;
    int BitRate = 19200; // line rate; a byte takes 10 bit times (8N1)
    bool Modem = false;  // a GSM modem answers first and relays to the unit after "CONNECT"
};

class TUnitSim : private TSimHost {
public:
    explicit TUnitSim(TUnitSimOptions options = {});
    ~TUnitSim() override;
    TUnitSim(const TUnitSim&) = delete;
    TUnitSim& operator=(const TUnitSim&) = delete;

    // Opens the line and starts serving. Raises EUnitSim when the line cannot be opened.
    void Start();
    // Stops serving and closes the line; pending output and scheduled actions are dropped.
    void Stop();
    bool Running() const { return running_.load(); }

    // The path a program opens to talk to the unit (the pseudo-terminal's other end, or the
    // device).
    std::string Path() const { return path_; }
    const TUnitSimOptions& Options() const { return options_; }

    // Runs `action` with the state locked, for anything the methods below do not cover
    // (registering keywords, installing filters). `modem` is null on the cable link.
    void Access(const std::function<void(TSimUnit& unit, TSimModem* modem)>& action);

    // Switches.
    void SetPacing(bool on);
    void SetFaults(const TUnitFaults& faults);
    TUnitFaults Faults();
    void SetShape(const TReplyShape& shape);
    void SetModemOptions(const TModemOptions& options);
    void ScriptReply(std::string raw);

    // Settings store.
    std::string Value(const std::string& keyword);
    void SetValue(const std::string& keyword, const std::string& value);
    void SetVersion(const std::string& text) { SetValue("v", text); }

    // Sends bytes to the PC now, as they are (unsolicited text, noise).
    void Inject(std::string bytes);
    // The far end drops the call (modem link).
    void DropCall();

    // Records.
    std::string FromPc();
    std::string ToPc();
    std::vector<TWireLog::TEntry> Wire();
    std::string WireDump();
    std::vector<std::string> UnitLines();
    std::vector<std::string> ModemCommands();
    void ClearRecords();

    // Waits until `predicate` (run with the state locked, after each turn of the server loop)
    // holds, or `timeoutMs` passes; returns whether it held.
    bool WaitUntil(const std::function<bool()>& predicate, int timeoutMs);
    // Waits until the PC has sent `text` (counted over everything it sent since the records were
    // cleared), or the unit side has sent it.
    bool WaitFromPc(const std::string& text, int timeoutMs);
    bool WaitToPc(const std::string& text, int timeoutMs);
    // Waits until every queued byte has been written to the line.
    bool WaitIdle(int timeoutMs);

    // Called with each chunk (direction and bytes) as it crosses the line, on the server
    // thread, with the state locked. For tracing by the program.
    void SetTrace(std::function<void(const TWireLog::TEntry&)> trace);
    // Called (on the server thread, state locked) each time a program opens the pseudo-terminal,
    // as when a unit is powered up while the cable is plugged in.
    void SetOnPeerOpened(std::function<void(TSimUnit& unit)> action);
    // Whether a program has the pseudo-terminal open (always true for a device).
    bool PeerPresent();

private:
    // TSimHost.
    void Transmit(std::string bytes) override;
    void Schedule(int delayMs, std::function<void()> action) override;
    TClock::time_point Now() const override { return TClock::now(); }

    void OpenLine();
    void Run();
    void Wake();
    // One turn of the server loop after the wait: input, hang-ups, timers, output.
    void Serve(unsigned flags);
    void ReadInput();
    // Hands the unit (or modem) the bytes from the PC; with input pacing, those whose frames
    // have arrived by `now`.
    void TakeIn(std::string bytes, TClock::time_point now);
    void DeliverInput(TClock::time_point now);
    void RunTimers(TClock::time_point now);
    void FlushOutput(TClock::time_point now);
    TClock::duration ByteTime() const;
    void Record(TWireLog::TDirection direction, std::string bytes, TClock::time_point time);
    void SetHungUp(bool hungUp);

    TUnitSimOptions options_;
    std::string path_;
    std::unique_ptr<TPseudoTerminal> line_;
    TEvent wake_{false, false};
    bool isPty_ = false;
    std::atomic<bool> running_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;

    std::recursive_mutex mutex_;
    std::condition_variable_any changed_;
    std::unique_ptr<TSimUnit> unit_;
    std::unique_ptr<TSimModem> modem_;
    TWireLog wire_;
    std::function<void(const TWireLog::TEntry&)> trace_;
    std::function<void(TSimUnit&)> onPeerOpened_;

    // Input on its way down the line (input pacing): bytes with the time their frames end.
    std::deque<std::pair<TClock::time_point, std::string>> in_;
    TClock::time_point inFrameEnd_{};

    // Output queue and pacing.
    std::string out_;
    TClock::time_point frameStart_{};
    bool hungUp_ = false; // pseudo-terminal with no program on the other end
    bool writeBlocked_ = false;

    // Scheduled actions, by due time and then by order of scheduling.
    std::multimap<std::pair<TClock::time_point, unsigned long>, std::function<void()>> timers_;
    unsigned long timerSerial_ = 0;
};
