#pragma once
// The record of everything that crossed the simulated unit's serial line, in both directions,
// with the time each chunk was read or written. Tests assert on the exact bytes and on the
// intervals between them.

#include <chrono>
#include <string>
#include <vector>

class TWireLog {
public:
    using TClock = std::chrono::steady_clock;

    enum TDirection { wdFromPc, wdToPc };

    struct TEntry {
        TClock::time_point Time;
        TDirection Direction;
        std::string Bytes;
    };

    void Add(TDirection direction, std::string bytes, TClock::time_point time = TClock::now());
    void Clear();

    // Every byte the PC sent, in order (all chunks concatenated).
    std::string FromPc() const;
    // Every byte the unit side sent to the PC, in order.
    std::string ToPc() const;
    const std::vector<TEntry>& Entries() const { return entries_; }

    // One line per chunk: milliseconds since the first entry, direction arrow and the bytes with
    // control characters and bytes from 0x7F up written as escapes ("\r", "\x00").
    std::string Dump() const;

    // Printable form of a byte string, as used by Dump ("OK\r\n", "\xFF").
    static std::string Escape(const std::string& bytes);

private:
    std::vector<TEntry> entries_;
};
