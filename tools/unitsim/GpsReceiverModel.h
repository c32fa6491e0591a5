#pragma once
// The simulated unit's GPS receiver behind the pass-through.
//
// "GPSACCESS_ON" makes the unit hand the line to its receiver until "GPSACCESS_OFF" shows up in
// the byte stream. The receiver starts in its text (NMEA) protocol; the sentence
// "$PSRF100,0,9600,8,0,0*0D" switches it to the binary frame protocol, in which it answers the
// clock, almanac and ephemeris polls, takes almanac, ephemeris and initialisation frames, and goes
// back to text on the switch frame. Frames are built and parsed here on their own, apart from the
// configurator's code, so that tests compare two implementations.

#include "tools/unitsim/SimUnit.h"

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

class TGpsReceiverModel {
public:
    using TBytes = std::vector<uint8_t>;
    static constexpr int Satellites = 32;

    // Registers "GPSACCESS_ON" and "GPSACCESS_OFF" with the unit. The receiver holds a clock,
    // a whole almanac and ephemeris for a few satellites.
    explicit TGpsReceiverModel(TSimUnit& unit);
    ~TGpsReceiverModel();
    TGpsReceiverModel(const TGpsReceiverModel&) = delete;
    TGpsReceiverModel& operator=(const TGpsReceiverModel&) = delete;

    // Receiver data.
    void SetClock(uint16_t week, uint32_t timeOfWeek, int32_t drift);
    // 28 almanac bytes of a satellite (1..32); an empty vector: the satellite has no almanac.
    void SetAlmanac(int satellite, TBytes data);
    const TBytes& Almanac(int satellite) const { return almanac_.at(satellite - 1); }
    // 90 ephemeris bytes; empty: none.
    void SetEphemeris(int satellite, TBytes data);
    const TBytes& Ephemeris(int satellite) const { return ephemeris_.at(satellite - 1); }
    // Forgets almanac and ephemeris (a receiver that lost its data).
    void ClearData();

    // Faults and behaviour.
    void SetAnswerClock(bool on) { answerClock_ = on; }
    // The next frame of this message id that the receiver sends is cut after half its bytes.
    void CutNext(uint8_t id) { cutNext_.insert(id); }
    // Text sentences every second in text mode, and a navigation frame every second in binary
    // mode, as a working receiver sends them.
    void SetChatter(bool on);
    // How long the receiver takes to begin a reply.
    void SetReplyDelay(int ms) { replyDelayMs_ = ms; }

    // State and records.
    bool PassThrough() const { return passThrough_; }
    bool Binary() const { return binary_; }
    // Payloads of every well-formed frame received, in order.
    const std::vector<TBytes>& Received() const { return received_; }
    // Frames whose checksum, length or end marker was wrong.
    int BadFrames() const { return badFrames_; }
    // The 90-byte data of each set-ephemeris frame, in order; the payload of the last
    // initialisation frame.
    const std::vector<TBytes>& WrittenEphemeris() const { return writtenEphemeris_; }
    const TBytes& InitData() const { return initData_; }
    int AlmanacWrites() const { return almanacWrites_; }

    // A frame around a payload in the receiver's protocol.
    static TBytes Frame(const TBytes& payload);

private:
    void Input(std::string_view bytes);
    void TextByte(char c);
    void ParseFrames();
    void Handle(const TBytes& payload);
    void Send(const TBytes& payload);
    void Leave(std::string_view rest);
    void Chatter();

    TSimUnit& unit_;
    bool passThrough_ = false;
    bool binary_ = false;
    bool answerClock_ = true;
    bool chatter_ = false;
    int replyDelayMs_ = 20;
    uint16_t week_ = 2390;
    uint32_t timeOfWeek_ = 12345678;
    int32_t drift_ = 95000;
    std::array<TBytes, Satellites> almanac_;
    std::array<TBytes, Satellites> ephemeris_;
    std::set<uint8_t> cutNext_;
    std::string text_;   // text-mode line being assembled
    std::string recent_; // the last bytes seen, to spot "GPSACCESS_OFF"
    TBytes frames_;      // binary-mode bytes not yet taken as frames
    std::vector<TBytes> received_;
    std::vector<TBytes> writtenEphemeris_;
    TBytes initData_;
    int almanacWrites_ = 0;
    int badFrames_ = 0;
    std::shared_ptr<bool> alive_;
};
