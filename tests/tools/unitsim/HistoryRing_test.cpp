#include "tools/unitsim/HistoryRing.h"

#include "tests/tools/unitsim/FakeHost.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class HistoryRingTest : public ::testing::Test {
protected:
    std::string Ask(const std::string& line) {
        unit.Feed(line + "\r");
        host.Advance(30'000);
        return host.Take();
    }

    // The checksum rule, written out apart from the ring's own encoder.
    static bool Sound(int index, const std::string& record) {
        unsigned sum = static_cast<unsigned>((index >> 8) + (index & 0xFF));
        for (size_t i = 0; i < record.size(); i += 2) {
            sum += static_cast<unsigned>(std::stoul(record.substr(i, 2), nullptr, 16));
        }
        return record.size() == 54 && sum % 256 == 0;
    }

    TFakeHost host;
    TSimUnit unit{host};
    THistoryRing ring{unit};
};

TEST_F(HistoryRingTest, EncodesTheWorkedExampleInBothLayouts) {
    THistoryRing::TPoint p;
    p.Latitude = 595612345;
    p.Longitude = 301850000;
    p.Day = 25, p.Month = 12, p.Year = 8;
    p.Hour = 12, p.Minute = 34, p.Second = 56;
    p.Speed = 10500;
    p.Tenths = 1234;
    p.Satellites = 8;
    p.Fix = 3;
    p.Supply = 1200;
    p.Signal = 42;
    p.Type = 1;
    EXPECT_EQ(THistoryRing::Encode(p, 0x10, true),
              "238052B911FDDD9003D54801E2400000290404D2080304B02A0197");
    EXPECT_EQ(THistoryRing::Encode(p, 0x10, false),
              "238052B911FDDD9003D54801E2400000290404D208032A04B00197");
    p.Latitude = -p.Latitude;
    p.Tenths = -1;
    const std::string south = THistoryRing::Encode(p, 0x10, true);
    EXPECT_EQ(south.substr(0, 8), "A38052B9");
    EXPECT_EQ(south.substr(36, 4), "FFFF");
    EXPECT_TRUE(Sound(0x10, south));
}

TEST_F(HistoryRingTest, UnwrappedAndWrappedRings) {
    ring.Fill(100);
    EXPECT_EQ(Ask("+point"), "point>0064\r\nOK\r\n");
    EXPECT_FALSE(ring.Wrapped());
    EXPECT_NE(ring.Record(99), std::string(54, 'F'));
    EXPECT_EQ(ring.Record(100), std::string(54, 'F'));
    EXPECT_EQ(ring.Record(65503), std::string(54, 'F'));

    ring.Fill(THistoryRing::RingSize + 10);
    EXPECT_EQ(Ask("+point"), "point>000A\r\nOK\r\n");
    EXPECT_TRUE(ring.Wrapped());
    for (int i : {0, 9, 10, 65503}) {
        EXPECT_TRUE(Sound(i, ring.Record(i))) << i;
    }
    // The slot at the pointer holds the oldest record, the one before it the newest.
    EXPECT_EQ(ring.Record(9), THistoryRing::Encode(THistoryRing::PointOf(65513), 9, true));
    EXPECT_EQ(ring.Record(10), THistoryRing::Encode(THistoryRing::PointOf(10), 10, true));

    ring.Append(65494);
    EXPECT_EQ(ring.Pointer(), 0);
}

TEST_F(HistoryRingTest, RangeReads) {
    ring.Fill(5);
    const std::string reply = Ask("+read00000002");
    EXPECT_EQ(reply, "0000>" + ring.Record(0) + "\r\n0001>" + ring.Record(1) + "\r\n0002>" +
                         ring.Record(2) + "\r\nOK\r\n");
    EXPECT_EQ(Ask("+readFFDFFFDF"), "FFDF>" + std::string(54, 'F') + "\r\nOK\r\n");
    for (const char* bad :
         {"+read0002000", "+read00030002", "+read0000FFE0", "+read0000000G", "+read"}) {
        EXPECT_EQ(Ask(bad), "ERROR\r\n") << bad;
    }
    EXPECT_EQ(ring.Reads(), (std::vector<std::pair<int, int>>{{0, 2}, {65503, 65503}}));

    ring.CorruptOnce(1);
    const std::string noisy = Ask("+read00010001");
    EXPECT_FALSE(Sound(1, noisy.substr(5, 54)));
    EXPECT_TRUE(Sound(1, Ask("+read00010001").substr(5, 54)));
}

TEST_F(HistoryRingTest, UnsentPointerAndErase) {
    EXPECT_EQ(Ask("+nspoint"), "nspoint>0000\r\nOK\r\n");
    EXPECT_EQ(Ask("+nspoint01A0"), "nspoint>01A0\r\nOK\r\n");
    EXPECT_EQ(Ask("+nspointFFE0"), "ERROR\r\n");
    EXPECT_EQ(Ask("+nspoint1"), "ERROR\r\n");
    EXPECT_EQ(ring.Unsent(), 0x01A0);

    ring.Fill(300);
    ring.SetEraseDelay(5000);
    unit.Feed("+erase\r");
    host.Advance(4900);
    EXPECT_EQ(host.Take(), "");
    host.Advance(200);
    EXPECT_EQ(host.Take(), "OK\r\n");
    EXPECT_EQ(ring.Pointer(), 0);
    EXPECT_EQ(ring.Unsent(), 0);
    EXPECT_EQ(ring.Record(0), std::string(54, 'F'));
    EXPECT_EQ(ring.Erases(), 1);
    EXPECT_EQ(Ask("+erase00"), "ERROR\r\n");
}

} // namespace
