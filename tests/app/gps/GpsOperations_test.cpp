#include "tests/app/gps/GpsTestSupport.h"

#include "device/GpsFrame.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using gpstest::TGpsBench;
using gpstest::TTempFolder;
using TBytes = TGpsReceiverModel::TBytes;

const std::vector<std::string> kSaved = {"controls=false", "save=clBlue", "controls=true"};

// The page reads a receiver into a file and loads the file into a receiver that lost its data:
// the receiver gets back the same almanac and ephemeris. Commands run off the user-interface
// thread, which alone reads the file names.
TEST(GpsPageCommands, SaveThenLoadRestoresTheReceiversData) {
    TTempFolder folder;
    TGpsBench bench;
    std::vector<TBytes> almanac(32);
    std::vector<TBytes> ephemeris;
    bench.Gps([&](TGpsReceiverModel& gps) {
        gps.SetClock(2390, 12345678, 95000);
        for (int sv = 1; sv <= 32; ++sv) {
            almanac[sv - 1] = gps.Almanac(sv);
            if (!gps.Ephemeris(sv).empty()) {
                ephemeris.push_back(gps.Ephemeris(sv));
            }
        }
    });
    bench.View().Names = {folder.File("aiding.txt"), folder.File("aiding.txt")};

    bench.RunCommand([](TGpsOperations& ops) { ops.SaveAlmanac(); });
    EXPECT_EQ(bench.TakeQueued(), kSaved);
    EXPECT_EQ(bench.Host().Disabled, 1);
    EXPECT_EQ(bench.Host().Enabled, 1);
    // Line 0: time of week then week; line 1: the drift; 32 almanac frames; the ephemeris.
    TStringList lines;
    lines.LoadFromFile(folder.File("aiding.txt"));
    ASSERT_EQ(lines.Count(), 34 + static_cast<int>(ephemeris.size()));
    EXPECT_EQ(lines[0], "00 BC 61 4E 09 56");
    EXPECT_EQ(lines[1].size(), 11u);
    for (int sv = 1; sv <= 32; ++sv) {
        EXPECT_EQ(lines[1 + sv].substr(0, 17), "A0 A2 00 1E 0E " + IntToHex(sv, 2));
    }
    EXPECT_EQ(lines[34].substr(0, 14), "A0 A2 00 5C 0F");
    EXPECT_NE(ReadFileBytes(folder.File("aiding.txt")).find("B0 B3\r\n"), std::string::npos);

    bench.Gps([](TGpsReceiverModel& gps) { gps.ClearData(); });
    bench.RunCommand([](TGpsOperations& ops) { ops.LoadAlmanac(); });
    EXPECT_EQ(bench.TakeQueued(),
              (std::vector<std::string>{"controls=false", "load=clBlue", "controls=true"}));
    bench.Gps([&](TGpsReceiverModel& gps) {
        for (int sv = 1; sv <= 32; ++sv) {
            EXPECT_EQ(gps.Almanac(sv), almanac[sv - 1]) << sv;
        }
        EXPECT_EQ(gps.WrittenEphemeris(), ephemeris);
        // The drift of the file, then the time of week and week of the host's clock (Sunday
        // 00:00:10 UTC of week 2390: 1000 hundredths).
        const TBytes init = gps.InitData();
        ASSERT_EQ(init.size(), 25u);
        EXPECT_EQ(TBytes(init.begin() + 17, init.begin() + 23),
                  (TBytes{0x00, 0x00, 0x03, 0xE8, 0x09, 0x56}));
        EXPECT_FALSE(gps.PassThrough());
        EXPECT_FALSE(gps.Binary());
    });
    const std::vector<std::thread::id> ui(2, std::this_thread::get_id());
    EXPECT_EQ(bench.View().NameReaders, ui);
}

// Without a clock reading the file would be unusable: the save fails and writes nothing.
TEST(GpsPageCommands, FailedClockReadFailsTheSave) {
    TTempFolder folder;
    TGpsBench bench;
    bench.Gps([](TGpsReceiverModel& gps) { gps.SetAnswerClock(false); });
    bench.View().Names.Save = folder.File("aiding.txt");
    bench.RunCommand([](TGpsOperations& ops) { ops.SaveAlmanac(); });
    EXPECT_EQ(bench.TakeQueued(),
              (std::vector<std::string>{"controls=false", "save=clRed", "controls=true"}));
    EXPECT_FALSE(FileExists(folder.File("aiding.txt")));
    bench.Gps([](TGpsReceiverModel& gps) { EXPECT_FALSE(gps.PassThrough()); });
}

void WriteLines(const std::string& file, const std::vector<std::string>& lines) {
    TStringList list;
    list.AddStrings(lines);
    list.SetLineBreak("\r\n");
    list.SaveToFile(file);
}

// A file with the almanac and no ephemeris writes the almanac and the receiver's time, and
// still counts as failed.
TEST(GpsPageCommands, AlmanacWithoutEphemerisIsWrittenButFails) {
    TTempFolder folder;
    TGpsBench bench;
    std::vector<std::string> lines = {"00 00 00 00 09 56", "00 01 73 18"};
    bench.Gps([&](TGpsReceiverModel& gps) {
        for (int sv = 1; sv <= 32; ++sv) {
            TBytes payload = gps.Almanac(sv);
            payload.insert(payload.begin(), {0x0E, static_cast<uint8_t>(sv)});
            lines.push_back(TGpsFrame::HexText(TGpsReceiverModel::Frame(payload)));
        }
    });
    ASSERT_EQ(lines.size(), 34u);
    WriteLines(folder.File("almanac.txt"), lines);
    bench.View().Names.Load = folder.File("almanac.txt");
    bench.RunCommand([](TGpsOperations& ops) { ops.LoadAlmanac(); });
    EXPECT_EQ(bench.TakeQueued(),
              (std::vector<std::string>{"controls=false", "load=clRed", "controls=true"}));
    bench.Gps([](TGpsReceiverModel& gps) {
        std::vector<int> ids;
        for (const TBytes& payload : gps.Received()) {
            ids.push_back(payload.at(0));
        }
        EXPECT_EQ(ids, (std::vector<int>{0x82, 0x80, 0x81}));
        EXPECT_EQ(gps.AlmanacWrites(), 1);
        EXPECT_FALSE(gps.PassThrough());
    });
}

// A load that fails midway (a drift that is no hexadecimal number) reaches the worker thread as
// an error, which ends the connection; by then the unit is out of pass-through and the controls
// are enabled again.
TEST(GpsPageCommands, LoadFailingMidwayLeavesTheUnitOutOfPassThrough) {
    TTempFolder folder;
    TGpsBench bench;
    WriteLines(folder.File("bad.txt"), {"00 00 00 00 09 56", "XX 01 73 18", "A0 A2"});
    bench.View().Names.Load = folder.File("bad.txt");
    EXPECT_THROW(bench.RunCommand([](TGpsOperations& ops) { ops.LoadAlmanac(); }), EConvertError);
    EXPECT_EQ(bench.TakeQueued(), (std::vector<std::string>{"controls=false", "controls=true"}));
    EXPECT_EQ(bench.Host().Enabled, 1);
    bench.Gps([](TGpsReceiverModel& gps) { EXPECT_FALSE(gps.PassThrough()); });
    EXPECT_NE(bench.Sim().FromPc().find("GPSACCESS_OFF\r"), std::string::npos);
}

// Files that cannot be loaded, and a refused pass-through, write nothing into the receiver (a
// receiver already switched to binary frames is switched back to text).
TEST(GpsPageCommands, UnloadableFilesAndARefusedPassThroughFail) {
    TTempFolder folder;
    TGpsBench bench;
    WriteLines(folder.File("short.txt"), {"00 00 00 00 09 56", "00 01 73 18"});
    WriteLines(folder.File("drift.txt"), {"00 00 00 00 09 56", "00 01 73 1", "A0 A2"});
    for (const std::string name : {"missing.txt", "short.txt", "drift.txt"}) {
        SCOPED_TRACE(name);
        bench.View().Names.Load = folder.File(name);
        bench.RunCommand([](TGpsOperations& ops) { ops.LoadAlmanac(); });
        EXPECT_EQ(bench.TakeQueued(),
                  (std::vector<std::string>{"controls=false", "load=clRed", "controls=true"}));
    }
    TUnitFaults faults;
    faults.RefuseKeyword = "GPSACCESS_ON";
    bench.Sim().SetFaults(faults);
    bench.View().Names.Save = folder.File("saved.txt");
    bench.RunCommand([](TGpsOperations& ops) { ops.SaveAlmanac(); });
    EXPECT_EQ(bench.TakeQueued(),
              (std::vector<std::string>{"controls=false", "save=clRed", "controls=true"}));
    EXPECT_FALSE(FileExists(folder.File("saved.txt")));
    bench.Gps([](TGpsReceiverModel& gps) {
        for (const TBytes& payload : gps.Received()) {
            EXPECT_EQ(payload.at(0), 0x81); // to text
        }
        EXPECT_FALSE(gps.PassThrough());
        EXPECT_FALSE(gps.Binary());
    });
}

} // namespace
