#pragma once
// What the firmware tests share: hand-made HEX records, Python's intelhex as the oracle, a clock
// that runs twenty times faster than the wall clock, and a simulated unit with its bootloader on
// a pseudo-terminal with a command object talking to it over the cable.

#include "app/firmware/BootLink.h"
#include "device/ComPortWorker.h"
#include "device/DevQuorvan.h"
#include "device/ModemWorker.h"
#include "device/WorkerClock.h"
#include "tools/unitsim/SimBootloader.h"
#include "tools/unitsim/UnitSim.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fwtest {

// ":LLAAAATT...CC" with a right check byte.
std::string Record(int type, int offset, const std::vector<uint8_t>& data);
const std::string kEnd = ":00000001FF";
// A file of 16-byte data records from address 0, `lines` of them, the byte at address a being
// (a * 7 + seed) & 0xFF, then the end record.
std::string LinesFile(int lines, int seed = 0);
// The byte LinesFile puts at an address.
inline uint8_t LinesByte(uint32_t address, int seed = 0) {
    return static_cast<uint8_t>((address * 7 + seed) & 0xFF);
}

// A fresh folder for one test's files.
std::string TempFolder();
void WriteFile(const std::string& path, const std::string& bytes);
// Runs tests/app/firmware/intelhex_oracle.py with the arguments; its standard output.
std::string Oracle(const std::string& arguments);

// Twenty milliseconds of its own for each one of the wall clock: pauses of seconds pass in a
// blink, while a reply still gets real time to come.
class TFastClock : public TWorkerClock {
public:
    static constexpr int Factor = 20;
    uint32_t Ticks() override;
    void Sleep(uint32_t ms) override;

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// A unit with its bootloader on a pseudo-terminal (unpaced unless asked), a cable worker on a
// fast clock (and, with `modem`, a data call through the simulated GSM modem) and the command
// object, and the bootloader requests over it.
class TFlashRig {
public:
    explicit TFlashRig(bool pacing = false, bool modem = false);
    ~TFlashRig();

    TUnitSim& Sim() { return sim_; }
    TDevQuorvan& Dev() { return *dev_; }
    TBootLink& Link() { return *link_; }
    TFastClock& Clock() { return clock_; }
    // Runs `action` on the bootloader with the simulator's state locked.
    void Boot(const std::function<void(TSimBootloader&)>& action);
    std::vector<uint8_t> Flash();
    // The command lines the unit received.
    std::vector<std::string> Lines() { return sim_.UnitLines(); }

private:
    TUnitSim sim_;
    TFastClock clock_;
    std::unique_ptr<TSimBootloader> boot_;
    std::unique_ptr<TComPortWorker> port_;
    std::unique_ptr<TModemWorker> modem_;
    std::unique_ptr<TDevQuorvan> dev_;
    std::unique_ptr<TDevBootLink> link_;
};

} // namespace fwtest
