// quorvan4-unitsim: a simulated QUORVAN-4 unit on a pseudo-terminal (or a serial device), for
// trying the configurator and for tests without a unit. Prints the path to connect to as its
// first line, then serves until interrupted.

#include "tools/unitsim/UnitSim.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

const char* const kUsage =
    R"(usage: quorvan4-unitsim [options]

Serves a simulated QUORVAN-4 unit and prints the path to connect to as its first line.

line:
  --device PATH        serve this serial device instead of a new pseudo-terminal
  --link PATH          make PATH a symbolic link to the line while serving
  --no-pacing          write as fast as possible instead of at 19200 bit/s
  --modem              a GSM modem answers first; the unit is reached by dialling it
  --trace              print every chunk that crosses the line to standard error
unit:
  --version TEXT       firmware version text (default "REV 07.503.090")
  --flash NAME         flash type: AT45DB161D (default) or M45PE16
  --set KEY=VALUE      stored value of a setting (e.g. --set object=0123)
  --supply V1,V2,...   supply voltage readings to report in turn (hex, e.g. 04B0,04C4)
  --powered-up MS      a freshly powered unit: "AT" when the line is opened, "AT+CFUN=1" MS later
reply shape:
  --no-echo            answer ">value" instead of "keyword>value"
  --setter-ok          answer a write with "OK" only
faults:
  --silent             never answer
  --delay MS           every reply starts MS later
  --garbage            send noise bytes before every reply
  --cut N              send only the first N bytes of every reply
  --error              refuse every command with "ERROR"
  --drop-ok            leave out the closing "OK"
  --split MS           send every reply in two parts MS apart
modem (with --modem):
  --reg-status N       registration status once registered: 1 home (default), 5 roaming
  --reg-polls N        answer the first N registration queries with status 2
  --dial-delay MS      time from dialling to the result (default 300)
  --dial-result WORD   end every dial with WORD (BUSY, "NO CARRIER", "NO DIALTONE", "NO ANSWER", ERROR)
  --guard MS           escape guard time around "+++" (default 1000; 0: none)
  --hangup-after N     the call drops when line N+1 is sent
)";

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "quorvan4-unitsim: " << message << "\n";
    std::exit(2);
}

int ToInt(const std::string& option, const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 100'000'000)
        Fail(option + " needs a whole number, not \"" + text + "\"");
    return static_cast<int>(value);
}

} // namespace

int main(int argc, char** argv) {
    TUnitSimOptions options;
    TUnitFaults faults;
    TReplyShape shape;
    TModemOptions modem;
    bool trace = false;
    int poweredUp = -1;
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> supply;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> const char* {
            if (i + 1 >= argc)
                Fail(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "-h" || arg == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--device") {
            options.Device = next();
        } else if (arg == "--link") {
            options.Link = next();
        } else if (arg == "--no-pacing") {
            options.Pacing = false;
        } else if (arg == "--modem") {
            options.Modem = true;
        } else if (arg == "--trace") {
            trace = true;
        } else if (arg == "--version") {
            values.emplace_back("v", next());
        } else if (arg == "--flash") {
            const std::string name = next();
            if (name == "AT45DB161D")
                values.emplace_back("typepan", "38");
            else if (name == "M45PE16")
                values.emplace_back("typepan", "00");
            else
                Fail("--flash is AT45DB161D or M45PE16");
        } else if (arg == "--set") {
            const std::string pair = next();
            const size_t eq = pair.find('=');
            if (eq == std::string::npos || eq == 0)
                Fail("--set needs KEY=VALUE");
            values.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
        } else if (arg == "--supply") {
            std::string list = next();
            size_t start = 0;
            while (start <= list.size()) {
                const size_t comma = std::min(list.find(',', start), list.size());
                if (comma > start)
                    supply.push_back(list.substr(start, comma - start));
                start = comma + 1;
            }
        } else if (arg == "--powered-up") {
            poweredUp = ToInt(arg, next());
        } else if (arg == "--no-echo") {
            shape.EchoKeyword = false;
        } else if (arg == "--setter-ok") {
            shape.SetterEchoesValue = false;
        } else if (arg == "--silent") {
            faults.Silent = true;
        } else if (arg == "--delay") {
            faults.DelayMs = ToInt(arg, next());
        } else if (arg == "--garbage") {
            faults.Garbage = std::string("\x00\xFF#\x00~\xFF", 6);
        } else if (arg == "--cut") {
            faults.CutAfter = ToInt(arg, next());
        } else if (arg == "--error") {
            faults.AnswerError = true;
        } else if (arg == "--drop-ok") {
            faults.DropOk = true;
        } else if (arg == "--split") {
            faults.SplitGapMs = ToInt(arg, next());
        } else if (arg == "--reg-status") {
            modem.RegStatus = ToInt(arg, next());
        } else if (arg == "--reg-polls") {
            modem.RegPollsBeforeFinal = ToInt(arg, next());
        } else if (arg == "--dial-delay") {
            modem.DialDelayMs = ToInt(arg, next());
        } else if (arg == "--dial-result") {
            modem.DialResult = next();
        } else if (arg == "--guard") {
            modem.GuardMs = ToInt(arg, next());
        } else if (arg == "--hangup-after") {
            modem.HangUpAfterLines = ToInt(arg, next());
        } else {
            Fail("unknown option " + arg + " (see --help)");
        }
    }

    // SIGINT and SIGTERM are taken by sigwait below; blocked before the server thread starts so
    // that it never receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TUnitSim sim(options);
    sim.SetFaults(faults);
    sim.SetShape(shape);
    if (options.Modem)
        sim.SetModemOptions(modem);
    for (const auto& [key, value] : values)
        sim.SetValue(key, value);
    if (!supply.empty())
        sim.Access([&](TSimUnit& unit, TSimModem*) { unit.SetSupplySeries(supply); });
    if (poweredUp >= 0)
        sim.SetOnPeerOpened([poweredUp](TSimUnit& unit) { unit.PowerUpChatter(poweredUp); });
    // The trace gathers the unit's paced bytes into lines.
    std::string pending;
    auto flush = [&pending] {
        if (!pending.empty())
            std::cerr << "<- " << TWireLog::Escape(pending) << std::endl;
        pending.clear();
    };
    if (trace)
        sim.SetTrace([&](const TWireLog::TEntry& entry) {
            if (entry.Direction == TWireLog::wdToPc) {
                pending += entry.Bytes;
                if (!pending.empty() && pending.back() == '\n')
                    flush();
                return;
            }
            flush();
            std::cerr << "-> " << TWireLog::Escape(entry.Bytes) << std::endl;
        });

    try {
        sim.Start();
    } catch (const Exception& e) {
        Fail(e.Message());
    }
    std::cout << (options.Link.empty() ? sim.Path() : options.Link) << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    sim.Stop();
    return 0;
}
