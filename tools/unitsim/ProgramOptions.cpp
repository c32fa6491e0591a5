#include "tools/unitsim/ProgramOptions.h"

#include "tools/unitsim/HistoryRing.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>

const char* const UnitSimUsage =
    R"(usage: quorvan4-unitsim [options]

Serves a simulated QUORVAN-4 unit and prints the path to connect to as its first line.

line:
  --device PATH        serve this serial device instead of a new pseudo-terminal
  --link PATH          make PATH a symbolic link to the line while serving
  --no-pacing          write as fast as possible instead of at 19200 bit/s
  --pace-input         take in the PC's bytes at the line rate too (a long line takes its wire
                       time to arrive)
  --modem              a GSM modem answers first; the unit is reached by dialling it
  --trace              print every chunk that crosses the line to standard error
unit:
  --version TEXT       firmware version text (default "REV 07.503.090"); the history records
                       take the layout of this version
  --flash NAME         flash type: AT45DB161D (default) or M45PE16
  --set KEY=VALUE      stored value of a setting (e.g. --set object=0123)
  --supply V1,V2,...   supply voltage readings to report in turn (hex, e.g. 04B0,04C4)
  --powered-up MS      a freshly powered unit: "AT" when the line is opened, "AT+CFUN=1" MS later
  --history N          N track records written since the last erase (default 0: empty); from
                       the ring's 65504 on it has wrapped, the oldest records overwritten
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
  --refuse KEYWORD     refuse this one request (keyword or bare word) with "ERROR"
  --late KEYWORD       answer this one request late (--late-by MS, default 3500) and send the
                       reply again later (--repeat-after MS, default 500; 0: once)
bootloader ("+BL" enters it; see tools/unitsim/README.md):
  --boot-times MS,MS,MS,MS
                       milliseconds to enter, erase, program a block and restart (default 0)
  --boot-silent        the bootloader never answers
  --boot-erase-error   the erase is refused with "ERROR"
  --boot-error-block N the block numbered N (4 hex digits, e.g. 0010) is refused with "ERROR"
  --boot-power-cut N   the power goes while programming the block after N programmed ones
  --updated-version T  the version text the unit reports after a flashing that ended well
modem (with --modem):
  --reg-status N       registration status once registered: 1 home (default), 5 roaming
  --reg-polls N        answer the first N registration queries with status 2
  --dial-delay MS      time from dialling to the result (default 300)
  --dial-result WORD   end every dial with WORD (BUSY, "NO CARRIER", "NO DIALTONE", "NO ANSWER", ERROR)
  --guard MS           escape guard time around "+++" (default 1000; 0: none)
  --hangup-after N     the call drops when line N+1 is sent

The unit's GPS receiver is always there behind "GPSACCESS_ON", with a clock, a whole almanac and
the ephemeris of a few satellites.
)";

namespace {

constexpr long long kMaxNumber = 100'000'000;
// Ten times round the ring is as many records as anyone pages through.
constexpr long long kMaxHistory = 10LL * THistoryRing::RingSize;

bool ReadNumber(const std::string& Text, long long Max, long long& Value) {
    if (Text.empty() ||
        !std::all_of(Text.begin(), Text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    char* end = nullptr;
    const long long value = std::strtoll(Text.c_str(), &end, 10);
    if (*end != '\0' || value > Max) {
        return false;
    }
    Value = value;
    return true;
}

// The leading decimal digits of Text from Pos on as a number, moving Pos past them; -1 without.
int DigitsAt(const std::string& Text, size_t& Pos) {
    int value = -1;
    while (Pos < Text.size() && Text[Pos] >= '0' && Text[Pos] <= '9' && value < 100000) {
        value = (value < 0 ? 0 : value * 10) + (Text[Pos] - '0');
        ++Pos;
    }
    return value;
}

bool IsBootValueOption(const std::string& Arg) {
    return Arg == "--boot-times" || Arg == "--boot-error-block" || Arg == "--boot-power-cut" ||
           Arg == "--updated-version";
}

bool ReadBootTimes(const std::string& Text, TBootTimes& Times);

// The value of one of the bootloader's options; false with a message when it is not valid.
bool ReadBootValue(const std::string& Arg, const std::string& Value, TProgramOptions& Options,
                   std::string& Error) {
    if (Arg == "--boot-times") {
        if (ReadBootTimes(Value, Options.BootTimes))
            return true;
        Error = "--boot-times needs four whole numbers: ENTER,ERASE,BLOCK,RESTART";
        return false;
    }
    if (Arg == "--boot-error-block") {
        char* end = nullptr;
        const long block = std::strtol(Value.c_str(), &end, 16);
        if (Value.size() != 4 || *end != '\0' || block < 0 || Value[0] == '-' || Value[0] == '+') {
            Error = "--boot-error-block needs a block number of 4 hex digits";
            return false;
        }
        Options.Boot.ErrorBlock = static_cast<int>(block);
        return true;
    }
    if (Arg == "--boot-power-cut") {
        long long count = 0;
        if (!ReadNumber(Value, kMaxNumber, count)) {
            Error = Arg + " needs a whole number from 0 to " + std::to_string(kMaxNumber) +
                    ", not \"" + Value + "\"";
            return false;
        }
        Options.Boot.PowerCutAfter = static_cast<int>(count);
        return true;
    }
    Options.VersionAfterUpdate = Value;
    return true;
}

// "ENTER,ERASE,BLOCK,RESTART" in milliseconds.
bool ReadBootTimes(const std::string& Text, TBootTimes& Times) {
    int* const fields[] = {&Times.EnterMs, &Times.EraseMs, &Times.BlockMs, &Times.RestartMs};
    size_t start = 0;
    for (size_t i = 0; i < 4; ++i) {
        const size_t comma = std::min(Text.find(',', start), Text.size());
        long long value = 0;
        if (!ReadNumber(Text.substr(start, comma - start), kMaxNumber, value) ||
            (i < 3) != (comma < Text.size())) {
            return false;
        }
        *fields[i] = static_cast<int>(value);
        start = comma + 1;
    }
    return true;
}

} // namespace

bool VersionHasNewerRecordLayout(const std::string& Version) {
    // "REV 07.503.090": generation, shell, build.
    size_t pos = Version.find('.');
    if (pos == std::string::npos) {
        return true;
    }
    ++pos;
    const int shell = DigitsAt(Version, pos);
    if (shell < 0 || pos >= Version.size() || Version[pos] != '.') {
        return true;
    }
    ++pos;
    const int build = DigitsAt(Version, pos);
    if (build < 0) {
        return true;
    }
    return shell > 503 || (shell == 503 && build >= 70);
}

bool ParseProgramOptions(const std::vector<std::string>& Args, TProgramOptions& Options,
                         std::string& Error) {
    for (size_t i = 0; i < Args.size(); ++i) {
        const std::string& arg = Args[i];
        std::string value;
        auto next = [&]() {
            if (i + 1 >= Args.size()) {
                Error = arg + " needs a value";
                return false;
            }
            value = Args[++i];
            return true;
        };
        auto number = [&](auto& target, long long max = kMaxNumber) {
            if (!next()) {
                return false;
            }
            long long n = 0;
            if (!ReadNumber(value, max, n)) {
                Error = arg + " needs a whole number from 0 to " + std::to_string(max) +
                        ", not \"" + value + "\"";
                return false;
            }
            target = static_cast<std::remove_reference_t<decltype(target)>>(n);
            return true;
        };
        bool ok = true;
        if (arg == "-h" || arg == "--help") {
            Options.Help = true;
        } else if (arg == "--device") {
            ok = next();
            Options.Line.Device = value;
        } else if (arg == "--link") {
            ok = next();
            Options.Line.Link = value;
        } else if (arg == "--no-pacing") {
            Options.Line.Pacing = false;
        } else if (arg == "--modem") {
            Options.Line.Modem = true;
        } else if (arg == "--trace") {
            Options.Trace = true;
        } else if (arg == "--version") {
            ok = next();
            if (ok) {
                Options.Values.emplace_back("v", value);
                Options.NewerRecordLayout = VersionHasNewerRecordLayout(value);
            }
        } else if (arg == "--flash") {
            ok = next();
            if (ok && value == "AT45DB161D") {
                Options.Values.emplace_back("typepan", "38");
            } else if (ok && value == "M45PE16") {
                Options.Values.emplace_back("typepan", "00");
            } else if (ok) {
                Error = "--flash is AT45DB161D or M45PE16";
                ok = false;
            }
        } else if (arg == "--set") {
            ok = next();
            const size_t eq = value.find('=');
            if (ok && (eq == std::string::npos || eq == 0)) {
                Error = "--set needs KEY=VALUE";
                ok = false;
            } else if (ok) {
                Options.Values.emplace_back(value.substr(0, eq), value.substr(eq + 1));
            }
        } else if (arg == "--supply") {
            ok = next();
            size_t start = 0;
            while (ok && start <= value.size()) {
                const size_t comma = std::min(value.find(',', start), value.size());
                if (comma > start) {
                    Options.Supply.push_back(value.substr(start, comma - start));
                }
                start = comma + 1;
            }
        } else if (arg == "--powered-up") {
            ok = number(Options.PoweredUpMs);
        } else if (arg == "--history") {
            ok = number(Options.HistoryRecords, kMaxHistory);
        } else if (arg == "--no-echo") {
            Options.Shape.EchoKeyword = false;
        } else if (arg == "--setter-ok") {
            Options.Shape.SetterEchoesValue = false;
        } else if (arg == "--silent") {
            Options.Faults.Silent = true;
        } else if (arg == "--delay") {
            ok = number(Options.Faults.DelayMs);
        } else if (arg == "--garbage") {
            Options.Faults.Garbage = std::string("\x00\xFF#\x00~\xFF", 6);
        } else if (arg == "--cut") {
            ok = number(Options.Faults.CutAfter);
        } else if (arg == "--error") {
            Options.Faults.AnswerError = true;
        } else if (arg == "--drop-ok") {
            Options.Faults.DropOk = true;
        } else if (arg == "--split") {
            ok = number(Options.Faults.SplitGapMs);
        } else if (arg == "--refuse") {
            ok = next();
            Options.Faults.RefuseKeyword = value;
        } else if (arg == "--late") {
            ok = next();
            Options.Faults.LateKeyword = value;
        } else if (arg == "--late-by") {
            ok = number(Options.Faults.LateMs);
        } else if (arg == "--repeat-after") {
            ok = number(Options.Faults.RepeatMs);
        } else if (arg == "--pace-input") {
            Options.Line.PaceInput = true;
        } else if (arg == "--boot-silent") {
            Options.Boot.NoAnswer = true;
        } else if (arg == "--boot-erase-error") {
            Options.Boot.EraseError = true;
        } else if (IsBootValueOption(arg)) {
            ok = next() && ReadBootValue(arg, value, Options, Error);
        } else if (arg == "--reg-status") {
            ok = number(Options.Modem.RegStatus);
        } else if (arg == "--reg-polls") {
            ok = number(Options.Modem.RegPollsBeforeFinal);
        } else if (arg == "--dial-delay") {
            ok = number(Options.Modem.DialDelayMs);
        } else if (arg == "--dial-result") {
            ok = next();
            Options.Modem.DialResult = value;
        } else if (arg == "--guard") {
            ok = number(Options.Modem.GuardMs);
        } else if (arg == "--hangup-after") {
            ok = number(Options.Modem.HangUpAfterLines);
        } else {
            Error = "unknown option " + arg + " (see --help)";
            ok = false;
        }
        if (!ok) {
            return false;
        }
    }
    return true;
}
