#pragma once
// The simulated unit's bootloader. "+BL" in the unit's normal mode answers "OK" and restarts the
// unit into its bootloader, which then takes every line itself (no echo):
//   "+v"                 -> "BootLdr v1.0", "OK"
//   "+BE"                -> erases the whole flash, then "OK"
//   "+WNNNN:DATA:XX"     -> programs DATA (hex pairs of either case, at most 128 bytes) at
//                           address NNNN x 16 when XX is the XOR of its bytes; answers "NNNN",
//                           "OK". A wrong check byte, malformed line, write before the erase or
//                           beyond the flash is answered "ERROR" and programs nothing.
//   "+EES1S2S3S4"        -> compares the four sums with its own (the check bytes of the accepted
//                           blocks XORed into sum 1, 2, 3, 4, 1, ... in the order they were
//                           accepted; a block sent again counts once) and answers "OK", then
//                           restarts into the unit's normal mode; different sums give "ERROR".
// Any other line gets no answer. Programming works as flash does: a byte can only lose bits
// until the next erase. The flash keeps its bytes across restarts and power cuts, so a test can
// compare it with the image it sent.
//
// Faults stand for a bootloader that never answers, an erase or one block that fails, an erase
// and end that answer without confirming, and a power cut after some blocks (the unit is dead until
// PowerOn(); it then starts in its bootloader again, the image being incomplete).

#include "tools/unitsim/SimUnit.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TBootFaults {
    bool NoAnswer = false;   // the bootloader takes lines but never answers
    bool EraseError = false; // "+BE" is refused with "ERROR" and erases nothing
    int ErrorBlock = -1;     // a block with this number (NNNN) is always refused with "ERROR"
    int PowerCutAfter = -1;  // the power goes after this many blocks were programmed (-1: never)
    // "+BE", or "+EE", is answered "FAIL" (no "OK", no "ERROR") and changes nothing
    bool UnconfirmedErase = false;
    bool UnconfirmedEnd = false;
};

// How long the unit takes for each step (0: at once).
struct TBootTimes {
    int EnterMs = 0;   // from "+BL" answered to the bootloader taking lines
    int EraseMs = 0;   // to erase the flash before "OK"
    int BlockMs = 0;   // to program one block before its answer
    int RestartMs = 0; // from "+EE" answered to the unit's normal mode
};

class TSimBootloader {
public:
    static constexpr size_t DefaultFlashSize = 0x20000;
    static constexpr size_t MaxBlockBytes = 128;

    // One "+W" line the bootloader took in, in order.
    struct TBlockRecord {
        int Number = 0;    // NNNN
        size_t Bytes = 0;  // data bytes in the line
        uint8_t Check = 0; // XX as sent
        bool Accepted = false;
    };

    // Registers "BL" with the unit. The flash starts erased.
    explicit TSimBootloader(TSimUnit& unit, size_t flashSize = DefaultFlashSize);
    ~TSimBootloader();
    TSimBootloader(const TSimBootloader&) = delete;
    TSimBootloader& operator=(const TSimBootloader&) = delete;

    TBootFaults& Faults() { return faults_; }
    TBootTimes& Times() { return times_; }
    // The version text the unit reports after a flashing that ended well; empty: unchanged.
    void SetVersionAfterUpdate(std::string text) { versionAfter_ = std::move(text); }

    // Whether the bootloader takes the lines now (rather than the unit's normal mode).
    bool Active() const { return active_; }
    bool PoweredOff() const { return poweredOff_; }
    // Power comes back after a cut: the unit starts in its bootloader.
    void PowerOn();

    const std::vector<uint8_t>& Flash() const { return flash_; }
    // Replaces the flash contents (a unit that already holds firmware).
    void SetFlash(std::vector<uint8_t> bytes) { flash_ = std::move(bytes); }
    const std::vector<TBlockRecord>& Blocks() const { return blocks_; }
    // The sums over the blocks accepted since the last erase.
    std::array<uint8_t, 4> Sums() const { return sums_; }
    // The sums of the last "+EE" line, as sent (8 hex digits).
    const std::string& FinishSums() const { return finishSums_; }
    int Entries() const { return entries_; }
    int Erases() const { return erases_; }
    // Flashings that ended with matching sums.
    int Updates() const { return updates_; }

private:
    std::optional<TUnitReply> Line(const std::string& line);
    TUnitReply Write(const std::string& args);
    TUnitReply Finish(const std::string& args);
    void Enter();
    void Leave();
    // Replies after `delayMs` (the unit busy meanwhile), or at once.
    TUnitReply Later(int delayMs, TUnitReply reply);

    TSimUnit& unit_;
    TBootFaults faults_;
    TBootTimes times_;
    std::string versionAfter_;
    std::vector<uint8_t> flash_;
    std::vector<TBlockRecord> blocks_;
    std::vector<int> counted_; // block numbers already counted into the sums
    std::array<uint8_t, 4> sums_{};
    std::string finishSums_;
    bool active_ = false;
    bool erased_ = false;
    bool restarting_ = false; // between the answer to "+EE" and the normal mode
    bool poweredOff_ = false;
    int programmed_ = 0; // blocks programmed since entering, for the power cut
    int entries_ = 0;
    int erases_ = 0;
    int updates_ = 0;
};
