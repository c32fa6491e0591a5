#pragma once
// The simulated unit's track history: a ring of 65,504 records of 27 bytes, the write pointer
// ("point"), the first unsent record ("nspoint"), range reads ("+read" first last) and erasing
// ("+erase").
//
// Records are generated along a made-up track so that every record differs, and are built here
// independently of the configurator's own decoder: a test that reads them back through the
// configurator checks one implementation against the other.

#include "tools/unitsim/SimUnit.h"

#include <set>
#include <string>
#include <vector>

class THistoryRing {
public:
    static constexpr int RingSize = 65504;
    static constexpr int LastIndex = RingSize - 1;

    // One track point as the unit stores it.
    struct TPoint {
        long Latitude = 0;                // ddmm.mmmmm x 100,000, negative: south
        long Longitude = 0;               // negative: west
        int Day = 1, Month = 1, Year = 0; // two-digit year
        int Hour = 0, Minute = 0, Second = 0;
        long Speed = 0; // knots x 1000
        int Tenths = 0; // altitude in tenths of a metre, signed 16-bit
        int Satellites = 0;
        int Fix = 3;
        int Supply = 0;
        int Signal = 0;
        int Type = 1;
    };

    // Registers "read", "erase", "point" and "nspoint" with the unit; the ring starts empty.
    explicit THistoryRing(TSimUnit& unit);

    // Record layout: the newer one has the supply before the signal byte.
    void SetNewerLayout(bool newer) { newer_ = newer; }
    // How long the unit takes to answer "+erase".
    void SetEraseDelay(int ms) { eraseDelayMs_ = ms; }

    // Writes `count` generated records at the pointer, moving it on and wrapping at the end.
    void Append(int count);
    // The state after `written` records since the last erase: unwrapped while fewer than the ring
    // holds (slots from the pointer on are empty), wrapped otherwise.
    void Fill(long long written);
    void SetRecord(int index, const std::string& record) { records_.at(index) = record; }
    // The record text of a slot (54 "F" for an empty one).
    std::string Record(int index) const;
    int Pointer() const { return pointer_; }
    int Unsent() const { return unsent_; }
    bool Wrapped() const { return wrapped_; }

    // The next read that includes `index` sends it with a broken checksum (line noise); later
    // reads send it whole again.
    void CorruptOnce(int index) { corruptOnce_.insert(index); }

    // Every "+read" range received, in order.
    const std::vector<std::pair<int, int>>& Reads() const { return reads_; }
    int Erases() const { return erases_; }

    // The generated track point of the `serial`-th record written since the ring was created.
    static TPoint PointOf(long long serial);
    // A point as record text in the given layout, with its checksum for `index`.
    static std::string Encode(const TPoint& point, int index, bool newer);

private:
    TUnitReply Read(const TUnitRequest& request);
    TUnitReply Erase(const TUnitRequest& request);

    TSimUnit& unit_;
    std::vector<std::string> records_;
    int pointer_ = 0;
    int unsent_ = 0;
    bool wrapped_ = false;
    bool newer_ = true;
    int eraseDelayMs_ = 0;
    long long serial_ = 0;
    std::set<int> corruptOnce_;
    std::vector<std::pair<int, int>> reads_;
    int erases_ = 0;
};
