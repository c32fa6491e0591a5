#pragma once
// Frames of the GPS receiver's binary protocol, as the unit's pass-through carries them.
//
// A frame is: start A0 A2, payload length (2 bytes, high first), payload (message id first),
// checksum (2 bytes, high first: the sum of the payload bytes modulo 32768), end B0 B3. Frames
// travel as hexadecimal text: each byte as two upper-case hex digits, bytes separated by blanks.
//
// A received frame is delimited by its length field and accepted only when its checksum and end
// marker agree; the end marker's byte pair may occur inside a payload, so it never cuts a frame.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TGpsBytes = std::vector<uint8_t>;

// Where a well-formed frame lies in a byte stream.
struct TGpsFrameSpan {
    size_t Offset = 0;
    size_t Size = 0; // the whole frame, markers included
};

class TGpsFrame {
public:
    TGpsFrame() = delete;

    // Message ids the configurator sends and parses.
    static constexpr uint8_t InitDataSourceId = 0x80;
    static constexpr uint8_t SwitchToNmeaId = 0x81;
    static constexpr uint8_t SetAlmanacId = 0x82;
    static constexpr uint8_t PollClockStatusId = 0x90;
    static constexpr uint8_t PollAlmanacId = 0x92;
    static constexpr uint8_t PollEphemerisId = 0x93;
    static constexpr uint8_t SetEphemerisId = 0x95;
    static constexpr uint8_t ClockStatusId = 0x07;
    static constexpr uint8_t AlmanacId = 0x0E;
    static constexpr uint8_t EphemerisId = 0x0F;

    static constexpr size_t ClockStatusLength = 20;
    static constexpr size_t AlmanacLength = 30;   // id, satellite, 28 almanac bytes
    static constexpr size_t EphemerisLength = 92; // id, satellite, 90 ephemeris bytes
    static constexpr size_t AlmanacDataSize = 28;
    static constexpr size_t EphemerisDataSize = 90;
    static constexpr int SatelliteCount = 32;
    static constexpr size_t MaxPayload = 0x7FFF;

    // The sum of the payload bytes modulo 32768.
    static uint16_t Checksum(const uint8_t* Payload, size_t Size);

    // The whole frame around a payload (its first byte is the message id).
    static TGpsBytes Build(const TGpsBytes& Payload);

    // "A0 A2 00 02 ..." : two upper-case hex digits per byte, separated by single blanks.
    static std::string HexText(const uint8_t* Bytes, size_t Size);
    static std::string HexText(const TGpsBytes& Bytes) {
        return HexText(Bytes.data(), Bytes.size());
    }

    // Reads hexadecimal text of byte pairs separated by blanks (any white space). False when a
    // group is not exactly two hexadecimal digits.
    static bool ParseHexText(std::string_view Text, TGpsBytes& Bytes);

    // True when Bytes at Offset hold a whole well-formed frame; Size receives its length.
    static bool FrameAt(const TGpsBytes& Bytes, size_t Offset, size_t& Size);

    // Every well-formed frame of a stream, in order. Bytes between frames (text sentences,
    // noise, broken frames) are skipped; Broken, when given, receives the offsets of start
    // markers that begin no well-formed frame and lie outside every one.
    static std::vector<TGpsFrameSpan> Split(const TGpsBytes& Stream,
                                            std::vector<size_t>* Broken = nullptr);

    // The payload of a text that holds exactly one well-formed frame (blanks around it allowed).
    static bool ParseFrameText(std::string_view Text, TGpsBytes& Payload);

    // The frames the configurator sends.
    static TGpsBytes PollClockStatus();
    static TGpsBytes PollAlmanac();
    static TGpsBytes PollEphemeris(); // all satellites
    static TGpsBytes SwitchToNmea();
    // Drift (4 bytes), time of week (4, hundredths of a second), week (2).
    static TGpsBytes InitDataSource(const TGpsBytes& Aiding);
    // 32 x 28 almanac bytes of satellites 1 to 32.
    static TGpsBytes SetAlmanac(const TGpsBytes& Data);
    // The 90 ephemeris bytes of one satellite.
    static TGpsBytes SetEphemeris(const TGpsBytes& Data);

    // Parsers of the receiver's replies (hex text as collected from the line).
    // The clock status: week and time of week as "WW WW TT TT TT TT", drift as "DD DD DD DD".
    static bool ParseClockStatus(std::string_view Reply, std::string& WeekAndTime,
                                 std::string& Drift);
    // Almanac frames of satellites 1 to 32 as frame texts, in satellite order; true when all 32
    // were found.
    static bool ParseAlmanac(std::string_view Reply, std::vector<std::string>& Lines);
    // Ephemeris frames in satellite order; satellites without one are skipped. False when a
    // satellite's frame was started but is not whole or fails its checksum.
    static bool ParseEphemeris(std::string_view Reply, std::vector<std::string>& Lines);
};
