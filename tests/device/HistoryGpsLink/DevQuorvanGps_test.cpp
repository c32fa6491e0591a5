#include "device/GpsAidingFile.h"
#include "device/GpsFrame.h"

#include "tests/device/HistoryGpsLink/LinkFixture.h"

#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using TBytes = TGpsReceiverModel::TBytes;

constexpr TDateTime kSunday10s = 29226.0 + 2390 * 7 + 10.0 / 86400; // week 2390, 00:00:10 UTC

class TTempDir {
public:
    TTempDir() {
        path_ = std::filesystem::temp_directory_path() /
                ("q4-gps-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(path_);
    }
    ~TTempDir() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Raw(const TBytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The position in the PC's traffic of each marker, which must appear in this order.
void ExpectOrder(const std::string& sent, const std::vector<std::string>& markers) {
    size_t from = 0;
    for (const auto& m : markers) {
        const size_t at = sent.find(m, from);
        ASSERT_NE(at, std::string::npos)
            << TGpsFrame::HexText(reinterpret_cast<const uint8_t*>(m.data()), m.size());
        from = at + m.size();
    }
}

// When the PC's byte at Offset of everything it sent reached the unit.
TWireLog::TClock::time_point SentAt(const std::vector<TWireLog::TEntry>& Wire, size_t Offset) {
    size_t end = 0;
    TWireLog::TClock::time_point last{};
    for (const auto& e : Wire) {
        if (e.Direction == TWireLog::wdFromPc) {
            end += e.Bytes.size();
            last = e.Time;
            if (Offset < end) {
                break;
            }
        }
    }
    return last;
}

double Ms(TWireLog::TClock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Milliseconds between the PC's last byte of First and its first byte of Next (the first of each
// after the previous marker): how long the PC listened after sending First.
double ListenedMs(const std::vector<TWireLog::TEntry>& Wire, const std::string& First,
                  const std::string& Next) {
    std::string sent;
    for (const auto& e : Wire) {
        if (e.Direction == TWireLog::wdFromPc) {
            sent += e.Bytes;
        }
    }
    const size_t first = sent.find(First);
    const size_t next = first == std::string::npos ? first : sent.find(Next, first + First.size());
    if (next == std::string::npos) {
        return -1;
    }
    return Ms(SentAt(Wire, next) - SentAt(Wire, first + First.size() - 1));
}

const std::string kOn = "GPSACCESS_ON\r";
const std::string kBinary = "$PSRF100,0,9600,8,0,0*0D\r";
const std::string kOff = "GPSACCESS_OFF\r";
const std::string kPollClock = Raw(TGpsFrame::PollClockStatus());
const std::string kPollAlmanac = Raw(TGpsFrame::PollAlmanac());
const std::string kPollEphemeris = Raw(TGpsFrame::PollEphemeris());
const std::string kToNmea = Raw(TGpsFrame::SwitchToNmea());

// Reads a receiver's data into a file and writes the file into a receiver that lost its data: the
// receiver ends up with the same almanac and is given the same ephemeris, in satellite order.
TEST(DevQuorvanGpsLink, SaveAndLoadRoundTrip) {
    TTempDir dir;
    const std::string file = dir.File("aiding.txt");
    THistoryGpsLink link;
    std::vector<TBytes> almanac(32);
    std::vector<TBytes> ephemeris;
    link.Gps([&](TGpsReceiverModel& gps) {
        gps.SetClock(2390, 12345678, 95000);
        // End-marker bytes inside the data must not cut a frame short.
        TBytes sv3 = gps.Almanac(3);
        sv3[6] = 0xB0;
        sv3[7] = 0xB3;
        gps.SetAlmanac(3, sv3);
        TBytes e13 = gps.Ephemeris(13);
        e13[40] = 0xB0;
        e13[41] = 0xB3;
        gps.SetEphemeris(13, e13);
        gps.SetChatter(true);
        for (int sv = 1; sv <= 32; ++sv) {
            almanac[sv - 1] = gps.Almanac(sv);
            if (!gps.Ephemeris(sv).empty()) {
                ephemeris.push_back(gps.Ephemeris(sv));
            }
        }
    });

    ASSERT_TRUE(TGpsAidingFile::Save(link.Dev(), file));
    ExpectOrder(link.Sim().FromPc(),
                {kOn, kBinary, kPollClock, kPollAlmanac, kPollEphemeris, kToNmea, kOff});
    // Each poll is followed by its listening window: clock 3 s, almanac 3 s, ephemeris 9 s.
    const auto saveWire = link.Sim().Wire();
    EXPECT_GE(ListenedMs(saveWire, kPollClock, kPollAlmanac), 2950);
    EXPECT_GE(ListenedMs(saveWire, kPollAlmanac, kPollEphemeris), 2950);
    EXPECT_GE(ListenedMs(saveWire, kPollEphemeris, kToNmea), 8950);
    TStringList lines;
    lines.LoadFromFile(file);
    ASSERT_EQ(lines.Count(), 34 + static_cast<int>(ephemeris.size()));
    EXPECT_EQ(lines[0], "00 BC 61 4E 09 56");
    EXPECT_EQ(lines[1], "00 01 73 18");
    EXPECT_EQ(lines[4].substr(0, 17), "A0 A2 00 1E 0E 03");
    EXPECT_EQ(lines[4].size(), 38u * 3 - 1);
    EXPECT_EQ(lines[34].substr(0, 17), "A0 A2 00 5C 0F 02");
    EXPECT_NE(ReadFile(file).find("B0 B3\r\nA0 A2"), std::string::npos); // CR LF line ends
    link.Gps([](TGpsReceiverModel& gps) {
        EXPECT_FALSE(gps.PassThrough());
        EXPECT_FALSE(gps.Binary());
        gps.SetChatter(false);
        gps.ClearData();
    });

    link.Sim().ClearRecords();
    ASSERT_TRUE(TGpsAidingFile::Load(link.Dev(), file, kSunday10s));
    ExpectOrder(link.Sim().FromPc(), {kOn, kBinary, "\xA0\xA2\x03\x81\x82", "\xA0\xA2\x00\x5B\x95",
                                      "\xA0\xA2\x00\x19\x80", kToNmea, kOff});
    // Written frames are followed by half a second each.
    const auto loadWire = link.Sim().Wire();
    EXPECT_GE(ListenedMs(loadWire, "\xA0\xA2\x03\x81\x82", "\xA0\xA2\x00\x5B\x95"), 450);
    EXPECT_GE(ListenedMs(loadWire, "\xA0\xA2\x00\x19\x80", kToNmea), 450);
    // The 905 bytes of the set-almanac frame go out 2 ms apart.
    const size_t almanacAt = link.Sim().FromPc().find("\xA0\xA2\x03\x81\x82");
    ASSERT_NE(almanacAt, std::string::npos);
    EXPECT_GE(Ms(SentAt(loadWire, almanacAt + 904) - SentAt(loadWire, almanacAt)), 904 * 2 - 50);
    link.Gps([&](TGpsReceiverModel& gps) {
        EXPECT_EQ(gps.BadFrames(), 0);
        EXPECT_EQ(gps.AlmanacWrites(), 1);
        for (int sv = 1; sv <= 32; ++sv) {
            EXPECT_EQ(gps.Almanac(sv), almanac[sv - 1]) << sv;
        }
        EXPECT_EQ(gps.WrittenEphemeris(), ephemeris);
        // Fixed position, the file's drift, then time of week 1000 and week 2390 of the clock.
        const TBytes init = gps.InitData();
        ASSERT_EQ(init.size(), 25u);
        EXPECT_EQ(TBytes(init.begin() + 13, init.begin() + 23),
                  (TBytes{0x00, 0x01, 0x73, 0x18, 0x00, 0x00, 0x03, 0xE8, 0x09, 0x56}));
        EXPECT_FALSE(gps.PassThrough());
        EXPECT_FALSE(gps.Binary());
    });
}

// Without a clock reading the file's layout would shift: nothing is written and the save fails,
// but the receiver is put back to text and the pass-through closed.
TEST(DevQuorvanGpsLink, FailedClockReadWritesNoFile) {
    TTempDir dir;
    const std::string file = dir.File("aiding.txt");
    THistoryGpsLink link;
    link.Gps([](TGpsReceiverModel& gps) { gps.SetAnswerClock(false); });
    EXPECT_FALSE(TGpsAidingFile::Save(link.Dev(), file));
    EXPECT_FALSE(std::filesystem::exists(file));
    const std::string sent = link.Sim().FromPc();
    ExpectOrder(sent, {kOn, kBinary, kPollClock, kToNmea, kOff});
    EXPECT_EQ(sent.find(kPollAlmanac), std::string::npos);
    link.Gps([](TGpsReceiverModel& gps) {
        EXPECT_FALSE(gps.PassThrough());
        EXPECT_FALSE(gps.Binary());
    });
}

// A receiver without the almanac of satellite 7: the file is written with what was read (31
// almanac lines, so the later lines move up) and the save reports failure; loading such a file
// writes no almanac.
TEST(DevQuorvanGpsLink, MissingAlmanacSatellite) {
    TTempDir dir;
    const std::string file = dir.File("aiding.txt");
    THistoryGpsLink link;
    link.Gps([](TGpsReceiverModel& gps) { gps.SetAlmanac(7, {}); });
    EXPECT_FALSE(TGpsAidingFile::Save(link.Dev(), file));
    TStringList lines;
    lines.LoadFromFile(file);
    ASSERT_EQ(lines.Count(), 2 + 31 + 6);
    EXPECT_EQ(lines[8].substr(0, 17), "A0 A2 00 1E 0E 08");
    EXPECT_FALSE(link.Dev().GpsWriteAlmanac(lines));
}

TEST(DevQuorvanGpsLink, BrokenClockFrameIsNoReading) {
    THistoryGpsLink link;
    link.Gps([](TGpsReceiverModel& gps) { gps.CutNext(0x07); });
    ASSERT_TRUE(link.Dev().GpsAccessOn());
    link.Dev().GpsSwitchToBinary();
    std::string week, drift;
    EXPECT_FALSE(link.Dev().GpsReadClock(week, drift));
    EXPECT_TRUE(link.Dev().GpsReadClock(week, drift));
    EXPECT_EQ(drift, "00 01 73 18");
    link.Dev().GpsSwitchToNmea();
    EXPECT_TRUE(link.Dev().GpsAccessOff());
}

TEST(DevQuorvanGpsLink, RefusedAccessIsNoPassThrough) {
    for (bool modem : {false, true}) {
        THistoryGpsLink link(modem);
        TUnitFaults faults;
        faults.RefuseKeyword = "GPSACCESS_ON";
        faults.DelayMs = 120;
        link.Sim().SetFaults(faults);
        EXPECT_FALSE(link.Dev().GpsAccessOn()) << (modem ? "modem" : "cable");
        link.Sim().SetFaults({});
        EXPECT_TRUE(link.Dev().GpsAccessOn());
        EXPECT_TRUE(link.Dev().GpsAccessOff());
    }
}

// An error part-way (a drift line that is not hexadecimal) still closes the pass-through before
// it reaches the caller.
TEST(DevQuorvanGpsLink, SwitchOffGoesOutWhenLoadingRaises) {
    TTempDir dir;
    const std::string file = dir.File("bad.txt");
    {
        TStringList lines;
        lines.Add("00 00 00 00 09 56");
        lines.Add("XX 01 73 18");
        lines.Add("A0 A2");
        lines.SaveToFile(file);
    }
    THistoryGpsLink link;
    EXPECT_THROW(TGpsAidingFile::Load(link.Dev(), file, kSunday10s), EConvertError);
    const std::string sent = link.Sim().FromPc();
    ExpectOrder(sent, {kOn, kBinary, kOff});
    EXPECT_EQ(sent.find("\xA0\xA2\x00\x19\x80"), std::string::npos);
    link.Gps([](TGpsReceiverModel& gps) { EXPECT_FALSE(gps.PassThrough()); });
}

// A drift line of the wrong length writes nothing into the receiver, but the receiver, already
// switched to binary, is switched back to text before the pass-through closes.
TEST(DevQuorvanGpsLink, WrongDriftLineWritesNothing) {
    TTempDir dir;
    const std::string file = dir.File("drift.txt");
    {
        TStringList lines;
        lines.Add("00 00 00 00 09 56");
        lines.Add("00 01 73 18 00");
        for (int i = 0; i < 40; ++i) {
            lines.Add("A0 A2 00 02 90 00 00 90 B0 B3");
        }
        lines.SaveToFile(file);
    }
    THistoryGpsLink link;
    EXPECT_FALSE(TGpsAidingFile::Load(link.Dev(), file, kSunday10s));
    const std::string sent = link.Sim().FromPc();
    ExpectOrder(sent, {kOn, kBinary, kToNmea, kOff});
    EXPECT_EQ(sent.find("\xA0\xA2\x03\x81\x82"), std::string::npos);
    link.Gps([](TGpsReceiverModel& gps) {
        EXPECT_EQ(gps.Received().size(), 1u); // the switch back to text only
        EXPECT_FALSE(gps.Binary());
    });
}

TEST(DevQuorvanGpsLink, FilesThatCannotBeLoadedSendNothing) {
    TTempDir dir;
    const std::string shortFile = dir.File("short.txt");
    {
        TStringList lines;
        lines.Add("00 00 00 00 09 56");
        lines.Add("00 01 73 18");
        lines.SaveToFile(shortFile);
    }
    THistoryGpsLink link;
    EXPECT_FALSE(TGpsAidingFile::Load(link.Dev(), shortFile, kSunday10s));
    EXPECT_FALSE(TGpsAidingFile::Load(link.Dev(), dir.File("missing.txt"), kSunday10s));
    EXPECT_EQ(link.Sim().FromPc(), "");
}

// Over a data call the same frames go through the modem worker.
TEST(DevQuorvanGpsLink, ClockOverTheModemLink) {
    THistoryGpsLink link(true);
    ASSERT_TRUE(link.Dev().GpsAccessOn());
    link.Dev().GpsSwitchToBinary();
    std::string week, drift;
    ASSERT_TRUE(link.Dev().GpsReadClock(week, drift));
    EXPECT_EQ(week, "09 56 00 BC 61 4E");
    link.Dev().GpsSwitchToNmea();
    EXPECT_TRUE(link.Dev().GpsAccessOff());
    ExpectOrder(link.Sim().FromPc(), {kOn, kBinary, kPollClock, kToNmea, kOff});
}

} // namespace
