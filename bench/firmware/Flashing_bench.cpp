// Flashing an image over the simulated cable at 19200 bit/s, paced both ways (the unit takes in
// each command line only when its bytes have come down the line), against the time the dialogue
// cannot do without: every byte on the line in either direction at 10 bits a byte, the 400 ms
// pause after every cable request, the 3 s for the unit to enter its bootloader and the 15 s for
// it to restart. "ratio" is the measured time over that reference (the target is within 5 %);
// the 128 KiB run takes about ten minutes. Run it from a Release build.

#include "app/firmware/BootLink.h"
#include "app/firmware/FlashSession.h"
#include "device/ComPortWorker.h"
#include "device/DevQuorvan.h"
#include "device/WorkerClock.h"
#include "tools/unitsim/SimBootloader.h"
#include "tools/unitsim/UnitSim.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kBitRate = 19200;
constexpr double kPauseAfterRequestMs = 400;

void BM_FlashOverCable(benchmark::State& state) {
    const uint32_t bytes = static_cast<uint32_t>(state.range(0)) * 1024;
    TFirmwareImage image;
    for (uint32_t a = 0; a < bytes; ++a)
        image.Put(a, static_cast<uint8_t>(a * 131 + (a >> 8)));
    const std::vector<TFlashBlock> blocks = PaddedBlocks(image);

    for (auto _ : state) {
        TUnitSimOptions options;
        options.PaceInput = true;
        TUnitSim sim(options);
        std::unique_ptr<TSimBootloader> boot;
        sim.Access(
            [&](TSimUnit& unit, TSimModem*) { boot = std::make_unique<TSimBootloader>(unit); });
        sim.Start();
        TComPortWorker port(sim.Path(), false, nullptr);
        port.Reopen();
        TDevQuorvan dev(nullptr, &port);
        TDevBootLink link(dev);
        TFlashObserver quiet;
        sim.ClearRecords();

        const auto start = Clock::now();
        const TFlashResult result = TFlashSession(link, TWorkerClock::System(), quiet).Run(blocks);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (!result.Ok()) {
            state.SkipWithError("the flashing failed");
            return;
        }
        const double lineBytes = static_cast<double>(sim.FromPc().size() + sim.ToPc().size());
        const double requests = static_cast<double>(sim.UnitLines().size());
        const double referenceMs = lineBytes * 10 / kBitRate * 1000 +
                                   requests * kPauseAfterRequestMs + TFlashSession::EnterPauseMs +
                                   TFlashSession::RestartWaitMs;
        state.counters["blocks"] = static_cast<double>(blocks.size());
        state.counters["line_bytes"] = lineBytes;
        state.counters["reference_s"] = referenceMs / 1000;
        state.counters["measured_s"] = ms / 1000;
        state.counters["ratio"] = ms / referenceMs;
        port.Close();
        sim.Stop();
        boot.reset();
    }
}
BENCHMARK(BM_FlashOverCable)
    ->Arg(8)
    ->Arg(128)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

} // namespace
