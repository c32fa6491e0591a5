// quorvan4-unitsim: a simulated QUORVAN-4 unit on a pseudo-terminal (or a serial device), for
// trying the configurator and for tests without a unit. Prints the path to connect to as its
// first line, then serves until interrupted.

#include "tools/unitsim/GpsReceiverModel.h"
#include "tools/unitsim/HistoryRing.h"
#include "tools/unitsim/ProgramOptions.h"
#include "tools/unitsim/SimBootloader.h"
#include "tools/unitsim/UnitSim.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "quorvan4-unitsim: " << message << "\n";
    std::exit(2);
}

} // namespace

int main(int argc, char** argv) {
    TProgramOptions program;
    std::string error;
    if (!ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc), program, error))
        Fail(error);
    if (program.Help) {
        std::cout << UnitSimUsage;
        return 0;
    }
    const TUnitSimOptions& options = program.Line;

    // SIGINT and SIGTERM are taken by sigwait below; blocked before the server thread starts so
    // that it never receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    // The unit's parts outlive the server, which holds their handlers until it stops.
    std::unique_ptr<THistoryRing> ring;
    std::unique_ptr<TGpsReceiverModel> gps;
    TUnitSim sim(options);
    // Unplugs itself from the unit when it goes, so it goes first.
    std::unique_ptr<TSimBootloader> bootloader;
    sim.SetFaults(program.Faults);
    sim.SetShape(program.Shape);
    if (options.Modem)
        sim.SetModemOptions(program.Modem);
    for (const auto& [key, value] : program.Values)
        sim.SetValue(key, value);
    sim.Access([&](TSimUnit& unit, TSimModem*) {
        if (!program.Supply.empty())
            unit.SetSupplySeries(program.Supply);
        ring = std::make_unique<THistoryRing>(unit);
        ring->SetNewerLayout(program.NewerRecordLayout);
        ring->Fill(program.HistoryRecords);
        gps = std::make_unique<TGpsReceiverModel>(unit);
        bootloader = std::make_unique<TSimBootloader>(unit);
        bootloader->Faults() = program.Boot;
        bootloader->Times() = program.BootTimes;
        bootloader->SetVersionAfterUpdate(program.VersionAfterUpdate);
    });
    if (program.PoweredUpMs >= 0)
        sim.SetOnPeerOpened(
            [poweredUp = program.PoweredUpMs](TSimUnit& unit) { unit.PowerUpChatter(poweredUp); });
    // The trace gathers the unit's paced bytes into lines.
    std::string pending;
    auto flush = [&pending] {
        if (!pending.empty())
            std::cerr << "<- " << TWireLog::Escape(pending) << std::endl;
        pending.clear();
    };
    if (program.Trace)
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
