// One request/reply round trip of the transport workers against the simulated unit with pacing
// off, compared with the time the request itself prescribes: the 50 ms poll interval (the first
// poll comes straight after the write, before the unit can have answered, so the reply is seen
// one interval later), the 400 ms pause after every text request on the cable, and 2 ms between
// the bytes of a hexadecimal frame. "overhead_ms" is what the round trip costs beyond that.
// Run it from a Release build.

#include "device/ComPortWorker.h"
#include "device/ModemWorker.h"
#include "platform/rtl/Clock.h"
#include "tools/unitsim/UnitSim.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The simulated unit answers this long after a request, well inside one poll interval, so that
// every reply is seen at the second poll, exactly one interval after the write.
constexpr int kUnitMs = 10;

TUnitSimOptions Unpaced(bool modem) {
    TUnitSimOptions o;
    o.Pacing = false;
    o.Modem = modem;
    return o;
}

// Runs `request` once per iteration and reports the mean time beyond `requiredMs`.
template <typename F> void Measure(benchmark::State& state, double requiredMs, F request) {
    double overhead = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool ok = request();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (!ok) {
            state.SkipWithError("the request failed");
            return;
        }
        overhead += ms - requiredMs;
    }
    state.counters["required_ms"] = requiredMs;
    state.counters["overhead_ms"] = overhead / static_cast<double>(state.iterations());
}

void BM_CableTextRoundTrip(benchmark::State& state) {
    TUnitSim sim(Unpaced(false));
    TUnitFaults faults;
    faults.DelayMs = kUnitMs;
    sim.SetFaults(faults);
    sim.Start();
    TComPortWorker port(sim.Path(), false, nullptr);
    port.Reopen();
    std::string reply;
    Measure(state, 50 + 400,
            [&] { return port.SendText("+object", reply, "OK", 3, 3000, false, true); });
}
BENCHMARK(BM_CableTextRoundTrip)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);

// A frame of `size` bytes (a poll of 10, or a set-almanac frame of 905) answered by a short frame
// once the whole frame has reached the unit.
void CableHexRoundTrip(benchmark::State& state, size_t size) {
    TUnitSim sim(Unpaced(false));
    sim.Start();
    std::string frame = "A0 A2";
    for (size_t i = 2; i + 2 < size; ++i) {
        frame += " 5A";
    }
    frame += " B0 B3";
    sim.Access([size](TSimUnit& unit, TSimModem*) {
        // The receiver answers every frame with a clock-status frame.
        unit.SetRawInput([&unit, size, seen = size_t(0)](std::string_view bytes) mutable {
            seen += bytes.size();
            if (seen >= size) {
                seen = 0;
                unit.Emit(std::string("\xA0\xA2\x00\x02\x07\x01\x00\x08\xB0\xB3", 10), kUnitMs);
            }
        });
    });
    TComPortWorker port(sim.Path(), false, nullptr);
    port.Reopen();
    std::string reply;
    Measure(state, static_cast<double>(size) * 2 + 50,
            [&] { return port.SendHex(frame, reply, "B0 B3", 1, 5000); });
}

void BM_CableHexRoundTrip(benchmark::State& state) {
    CableHexRoundTrip(state, 10);
}
BENCHMARK(BM_CableHexRoundTrip)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_CableHexLongFrame(benchmark::State& state) {
    CableHexRoundTrip(state, 905);
}
BENCHMARK(BM_CableHexLongFrame)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ModemTextRoundTrip(benchmark::State& state) {
    TUnitSim sim(Unpaced(true));
    TModemOptions options;
    options.DialDelayMs = 0;
    sim.SetModemOptions(options);
    TUnitFaults faults;
    faults.DelayMs = kUnitMs;
    sim.SetFaults(faults);
    sim.Start();
    TComPortWorker port(sim.Path(), false, nullptr);
    port.Reopen();
    TModemWorker modem(port, "5551234", false, nullptr);
    if (!modem.Dial()) {
        state.SkipWithError("no call");
        return;
    }
    std::string reply;
    Measure(state, 50, [&] { return modem.SendText("+object", reply, "OK", 3, 4500, true); });
}
BENCHMARK(BM_ModemTextRoundTrip)->Iterations(40)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The machine's own share: what the prescribed sleeps alone overrun by, with no serial traffic.
void BM_SleepsAlone(benchmark::State& state) {
    Measure(state, 50 + 400, [] {
        Sleep(50);
        Sleep(400);
        return true;
    });
}
BENCHMARK(BM_SleepsAlone)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_HexGapsAlone(benchmark::State& state) {
    Measure(state, 10 * 2 + 50, [] {
        for (int i = 0; i < 10; ++i)
            Sleep(2);
        Sleep(50);
        return true;
    });
}
BENCHMARK(BM_HexGapsAlone)->Iterations(20)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
