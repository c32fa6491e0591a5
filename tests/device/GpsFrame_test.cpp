#include "device/GpsFrame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// An almanac (0x0E) or ephemeris (0x0F) frame of a satellite, its data bytes counting up from
// Seed.
TGpsBytes SatelliteFrame(uint8_t Id, int Satellite, uint8_t Seed) {
    const size_t size =
        Id == TGpsFrame::AlmanacId ? TGpsFrame::AlmanacDataSize : TGpsFrame::EphemerisDataSize;
    TGpsBytes payload{Id, static_cast<uint8_t>(Satellite)};
    for (size_t i = 0; i < size; ++i) {
        payload.push_back(static_cast<uint8_t>(Seed + i));
    }
    return TGpsFrame::Build(payload);
}

std::string Text(const TGpsBytes& Bytes) {
    return TGpsFrame::HexText(Bytes);
}

// A reply as collected from the line: every byte as "XX ".
std::string Reply(const std::vector<TGpsBytes>& Parts) {
    std::string text;
    for (const auto& p : Parts) {
        text += Text(p) + " ";
    }
    return text;
}

TGpsBytes Ascii(const std::string& Text) {
    return TGpsBytes(Text.begin(), Text.end());
}

const char kClockReply[] = "A0 A2 00 14 07 09 56 00 BC 61 4E 08 00 01 73 18 00 01 86 A0 07 5B "
                           "CA 00 04 B8 B0 B3";

TEST(GpsFrameBuild, SentFramesAreByteExact) {
    struct Case {
        TGpsBytes frame;
        const char* text;
    };
    const Case cases[] = {
        {TGpsFrame::PollClockStatus(), "A0 A2 00 02 90 00 00 90 B0 B3"},
        {TGpsFrame::PollAlmanac(), "A0 A2 00 02 92 00 00 92 B0 B3"},
        {TGpsFrame::PollEphemeris(), "A0 A2 00 03 93 00 00 00 93 B0 B3"},
        {TGpsFrame::SwitchToNmea(), "A0 A2 00 18 81 02 01 01 00 01 05 01 05 01 01 01 01 01 00 01 "
                                    "00 01 00 01 00 01 25 80 01 3F B0 B3"},
        {TGpsFrame::InitDataSource({0x00, 0x01, 0x73, 0x18, 0x00, 0x00, 0x03, 0xE8, 0x09, 0x56}),
         "A0 A2 00 19 80 00 2A 1E 65 00 18 BD CB 00 53 E4 E4 00 01 73 18 00 00 03 E8 09 56 0C 03 "
         "06 CD B0 B3"},
        {SatelliteFrame(TGpsFrame::AlmanacId, 5, 0x10),
         "A0 A2 00 1E 0E 05 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F 20 21 22 23 24 25 26 "
         "27 28 29 2A 2B 03 4D B0 B3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text(c.frame), c.text);
    }
}

TEST(GpsFrameBuild, ChecksumIsFifteenBits) {
    EXPECT_EQ(TGpsFrame::Checksum(nullptr, 0), 0);
    const TGpsBytes ff(200, 0xFF); // 51,000
    EXPECT_EQ(TGpsFrame::Checksum(ff.data(), ff.size()), 51000 % 32768);
    const TGpsBytes frame = TGpsFrame::Build(ff);
    EXPECT_EQ(frame[2], 0x00);
    EXPECT_EQ(frame[3], 200);
    EXPECT_EQ(frame[204], 0x47);
    EXPECT_EQ(frame[205], 0x38);
}

TEST(GpsFrameBuild, SetAlmanacAndEphemeris) {
    TGpsBytes data;
    for (int i = 0; i < 32 * 28; ++i) {
        data.push_back(static_cast<uint8_t>(i));
    }
    const TGpsBytes almanac = TGpsFrame::SetAlmanac(data);
    ASSERT_EQ(almanac.size(), 897u + 8);
    EXPECT_EQ(Text(TGpsBytes(almanac.begin(), almanac.begin() + 5)), "A0 A2 03 81 82");
    size_t size = 0;
    EXPECT_TRUE(TGpsFrame::FrameAt(almanac, 0, size));

    const TGpsBytes ephemeris = TGpsFrame::SetEphemeris(TGpsBytes(90, 0x11));
    EXPECT_EQ(Text(TGpsBytes(ephemeris.begin(), ephemeris.begin() + 5)), "A0 A2 00 5B 95");
    const unsigned ck = (0x95 + 90 * 0x11) % 32768;
    EXPECT_EQ(ephemeris[95], ck >> 8);
    EXPECT_EQ(ephemeris[96], ck & 0xFF);
}

TEST(GpsFrameText, HexTextRoundTripAndErrors) {
    TGpsBytes bytes;
    ASSERT_TRUE(TGpsFrame::ParseHexText(" a0 A2\r\n00\t1e ", bytes));
    EXPECT_EQ(bytes, (TGpsBytes{0xA0, 0xA2, 0x00, 0x1E}));
    EXPECT_EQ(TGpsFrame::HexText(bytes), "A0 A2 00 1E");
    for (const char* bad : {"A0A2", "A", "A0 2", "G0", "A0 A2 0"}) {
        EXPECT_FALSE(TGpsFrame::ParseHexText(bad, bytes)) << bad;
    }
    ASSERT_TRUE(TGpsFrame::ParseHexText("", bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(GpsFrameSplit, FramesAreDelimitedByLengthNotByEndMarker) {
    // Data bytes B0 B3 inside the payload: the frame still runs to its length.
    TGpsBytes payload{TGpsFrame::AlmanacId, 7};
    for (int i = 0; i < 28; ++i) {
        payload.push_back(i == 4 ? 0xB0 : i == 5 ? 0xB3 : 0x20);
    }
    const TGpsBytes inner = TGpsFrame::Build(payload);
    TGpsBytes stream = Ascii("$GPGGA,1*00\r\n");
    stream.insert(stream.end(), inner.begin(), inner.end());
    stream.insert(stream.end(), {0xA0, 0xA2, 0x00, 0x05, 0x01}); // a frame cut short
    std::vector<size_t> broken;
    const auto frames = TGpsFrame::Split(stream, &broken);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Offset, 13u);
    EXPECT_EQ(frames[0].Size, inner.size());
    EXPECT_EQ(broken, (std::vector<size_t>{13 + inner.size()}));

    std::vector<std::string> lines;
    EXPECT_FALSE(TGpsFrame::ParseAlmanac(Reply({stream}), lines)); // only satellite 7
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], Text(inner));
}

TEST(GpsFrameSplit, BadChecksumLengthOrEndIsNoFrame) {
    const TGpsBytes good = SatelliteFrame(TGpsFrame::AlmanacId, 1, 0);
    struct Case {
        size_t at;
        uint8_t value;
    };
    for (const Case c : {Case{3, 0x1F}, Case{3, 0x1D}, Case{34, 0x00}, Case{37, 0xB4},
                         Case{10, 0x99}, Case{2, 0x80}}) {
        TGpsBytes bad = good;
        bad[c.at] = c.value;
        size_t size = 0;
        EXPECT_FALSE(TGpsFrame::FrameAt(bad, 0, size)) << c.at;
        EXPECT_TRUE(TGpsFrame::Split(bad).empty()) << c.at;
    }
    size_t size = 0;
    EXPECT_FALSE(TGpsFrame::FrameAt(TGpsFrame::Build({}), 0, size)); // empty payload
    EXPECT_FALSE(TGpsFrame::FrameAt(TGpsBytes(good.begin(), good.end() - 1), 0, size));
}

TEST(GpsFrameClock, ClockStatusReplies) {
    std::string week, drift;
    ASSERT_TRUE(TGpsFrame::ParseClockStatus(std::string("24 47 50 ") + kClockReply + " 0D 0A", week,
                                            drift));
    EXPECT_EQ(week, "09 56 00 BC 61 4E");
    EXPECT_EQ(drift, "00 01 73 18");

    const std::string clock = kClockReply;
    const std::string cases[] = {
        clock.substr(0, clock.size() - 6),            // without B0 B3
        "B0 B3 " + clock.substr(0, clock.size() - 6), // B0 B3 only before the header
        clock.substr(0, 60),                          // cut in the middle
        [&] {
            std::string s = clock;
            s[20] = '1';
            return s;
        }(), // checksum disagrees
        "",
        "A0 A2 00 02 90 00 00 90 B0 B3", // our own poll echoed
    };
    for (const auto& reply : cases) {
        EXPECT_FALSE(TGpsFrame::ParseClockStatus(reply, week, drift)) << reply;
    }
}

TEST(GpsFrameAlmanac, AllThirtyTwoSatellitesInOrder) {
    std::vector<TGpsBytes> parts{Ascii("$GPRMC,junk*00\r\n")};
    for (int sv = 32; sv >= 1; --sv) { // the receiver's order does not matter
        parts.push_back(SatelliteFrame(TGpsFrame::AlmanacId, sv, static_cast<uint8_t>(sv)));
    }
    std::vector<std::string> lines{"kept"};
    ASSERT_TRUE(TGpsFrame::ParseAlmanac(Reply(parts), lines));
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[0], "kept");
    for (int sv = 1; sv <= 32; ++sv) {
        EXPECT_EQ(lines[sv], Text(SatelliteFrame(TGpsFrame::AlmanacId, sv, sv))) << sv;
    }

    // Satellite 7 missing: false, the other 31 kept.
    parts.erase(parts.begin() + (33 - 7));
    lines.clear();
    EXPECT_FALSE(TGpsFrame::ParseAlmanac(Reply(parts), lines));
    EXPECT_EQ(lines.size(), 31u);
    EXPECT_FALSE(TGpsFrame::ParseAlmanac("not hex", lines));
}

TEST(GpsFrameEphemeris, MissingSatellitesAreSkippedBrokenOnesFail) {
    std::vector<std::string> lines;
    EXPECT_TRUE(TGpsFrame::ParseEphemeris("", lines));
    EXPECT_TRUE(TGpsFrame::ParseEphemeris(Reply({Ascii("$GPGSV,3*11\r\n")}), lines));
    EXPECT_TRUE(lines.empty());

    const TGpsBytes sv3 = SatelliteFrame(TGpsFrame::EphemerisId, 3, 0x40);
    const TGpsBytes sv9 = SatelliteFrame(TGpsFrame::EphemerisId, 9, 0xA0);
    ASSERT_TRUE(TGpsFrame::ParseEphemeris(Reply({sv9, sv3}), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{Text(sv3), Text(sv9)}));

    TGpsBytes cut(sv9.begin(), sv9.begin() + 50);
    lines.clear();
    EXPECT_FALSE(TGpsFrame::ParseEphemeris(Reply({sv3, cut}), lines));
    EXPECT_EQ(lines, std::vector<std::string>{Text(sv3)});
}

TEST(GpsFrameText, ParseFrameTextNeedsExactlyOneFrame) {
    const TGpsBytes f = SatelliteFrame(TGpsFrame::EphemerisId, 2, 0);
    TGpsBytes payload;
    ASSERT_TRUE(TGpsFrame::ParseFrameText(" " + Text(f) + " \r", payload));
    EXPECT_EQ(payload.size(), 92u);
    EXPECT_EQ(payload[1], 2);
    EXPECT_FALSE(TGpsFrame::ParseFrameText(Text(f) + " 00", payload));
    EXPECT_FALSE(TGpsFrame::ParseFrameText("00 " + Text(f), payload));
    EXPECT_FALSE(TGpsFrame::ParseFrameText(Text(f).substr(0, 200), payload));
}

} // namespace

namespace {

// Every frame the configurator builds, and replies built the way the receiver sends them, fed to
// the packet lexer of the Debian GPS daemon's Python bindings (an implementation of the receiver
// protocol written apart from ours). Skipped when the bindings are not installed.
TEST(GpsFrameInterop, IndependentPacketLexerAcceptsEveryFrame) {
    const std::string python = "/usr/bin/python3";
    if (std::system((python + " -c 'import gps.packet' >/dev/null 2>&1").c_str()) != 0) {
        GTEST_SKIP() << "python3-gps is not installed";
    }

    TGpsBytes almanacData;
    for (int i = 0; i < 32 * 28; ++i) {
        almanacData.push_back(static_cast<uint8_t>(i * 7));
    }
    TGpsBytes endInside(90, 0x33);
    endInside[10] = 0xB0;
    endInside[11] = 0xB3;
    const std::vector<TGpsBytes> frames = {
        TGpsFrame::PollClockStatus(),
        TGpsFrame::PollAlmanac(),
        TGpsFrame::PollEphemeris(),
        TGpsFrame::SwitchToNmea(),
        TGpsFrame::InitDataSource({0x00, 0x01, 0x73, 0x18, 0x00, 0x00, 0x03, 0xE8, 0x09, 0x56}),
        TGpsFrame::SetAlmanac(almanacData),
        TGpsFrame::SetEphemeris(TGpsBytes(90, 0xFF)),
        TGpsFrame::SetEphemeris(endInside),
        SatelliteFrame(TGpsFrame::AlmanacId, 32, 0xE0),
        SatelliteFrame(TGpsFrame::EphemerisId, 1, 0x90),
    };
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("gpsframe-lexer-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    {
        std::ofstream stream(dir / "frames.bin", std::ios::binary);
        for (const auto& f : frames) {
            stream.write(reinterpret_cast<const char*>(f.data()), static_cast<long>(f.size()));
        }
        std::ofstream script(dir / "lex.py");
        script
            << "import sys\n"
               "import gps.packet as sniffer\n"
               "lexer = sniffer.new()\n"
               "with open(sys.argv[1], 'rb') as f:\n"
               "    while True:\n"
               "        n, kind, packet, counter = lexer.get(f.fileno())\n"
               "        if n <= 0:\n"
               "            break\n"
               "        print('binary' if kind == sniffer.SIRF_PACKET else 'other', len(packet))\n";
    }
    const std::string command = python + " " + (dir / "lex.py").string() + " " +
                                (dir / "frames.bin").string() + " > " + (dir / "out.txt").string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream out(dir / "out.txt");
    std::vector<std::string> seen;
    for (std::string line; std::getline(out, line);) {
        seen.push_back(line);
    }
    std::filesystem::remove_all(dir);

    ASSERT_EQ(seen.size(), frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(seen[i], "binary " + std::to_string(frames[i].size())) << Text(frames[i]);
    }
}

} // namespace
