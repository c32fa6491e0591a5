#include "tools/unitsim/UnitSim.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The PC end of the line, opened as a program opens a serial port.
class PcEnd {
public:
    explicit PcEnd(const std::string& path) {
        fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    }
    ~PcEnd() {
        if (fd_ >= 0)
            close(fd_);
    }
    bool IsOpen() const { return fd_ >= 0; }
    void Write(const std::string& bytes) {
        ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Everything that arrives within `ms`.
    std::string ReadFor(int ms) {
        std::string got;
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < end)
            Collect(got, end);
        return got;
    }
    // Reads until `text` has arrived or `ms` passed.
    std::string ReadUntil(const std::string& text, int ms) {
        std::string got;
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (got.find(text) == std::string::npos && Clock::now() < end)
            Collect(got, end);
        return got;
    }

private:
    void Collect(std::string& got, Clock::time_point end) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(std::max<long>(left.count(), 0))) > 0) {
            char buf[512];
            const ssize_t n = read(fd_, buf, sizeof buf);
            if (n > 0)
                got.append(buf, static_cast<size_t>(n));
        }
    }

    int fd_ = -1;
};

TUnitSimOptions Unpaced(bool modem = false) {
    TUnitSimOptions o;
    o.Pacing = false;
    o.Modem = modem;
    return o;
}

TEST(UnitSim, ServesAPseudoTerminalAndRecordsExactBytes) {
    TUnitSim sim(Unpaced());
    sim.Start();
    ASSERT_EQ(sim.Path().rfind("/dev/pts/", 0), 0u) << sim.Path();
    PcEnd pc(sim.Path());
    ASSERT_TRUE(pc.IsOpen());
    pc.Write("+object\r");
    EXPECT_EQ(pc.ReadUntil("OK\r\n", 2000), "object>0050\r\nOK\r\n");
    pc.Write("CABLE CONNECT\r");
    EXPECT_EQ(pc.ReadUntil("OK\r\n", 2000), "OK\r\n");
    ASSERT_TRUE(sim.WaitIdle(1000));
    EXPECT_EQ(sim.FromPc(), "+object\rCABLE CONNECT\r");
    EXPECT_EQ(sim.ToPc(), "object>0050\r\nOK\r\nOK\r\n");
    EXPECT_EQ(sim.UnitLines(), (std::vector<std::string>{"+object", "CABLE CONNECT"}));
    const auto wire = sim.Wire();
    ASSERT_FALSE(wire.empty());
    EXPECT_EQ(wire.front().Direction, TWireLog::wdFromPc);
    EXPECT_NE(sim.WireDump().find("-> +object\\r"), std::string::npos) << sim.WireDump();

    sim.ClearRecords();
    EXPECT_EQ(sim.FromPc(), "");
    EXPECT_TRUE(sim.UnitLines().empty());
}

TEST(UnitSim, PacesRepliesAtTheLineRate) {
    TUnitSim sim; // 19200 bit/s: 10 bits a byte, 0.52 ms each
    sim.SetValue("GAPN", std::string(35, 'a'));
    sim.Start();
    PcEnd pc(sim.Path());
    pc.Write("+GAPN\r");
    const std::string reply = "GAPN>" + std::string(35, 'a') + "\r\nOK\r\n";
    EXPECT_EQ(pc.ReadUntil("OK\r\n", 2000), reply);
    ASSERT_TRUE(sim.WaitIdle(1000));
    Clock::time_point first{}, last{};
    size_t bytes = 0;
    for (const auto& e : sim.Wire()) {
        if (e.Direction != TWireLog::wdToPc)
            continue;
        if (bytes == 0)
            first = e.Time;
        last = e.Time;
        bytes += e.Bytes.size();
    }
    ASSERT_EQ(bytes, reply.size());
    // The last byte cannot leave before the frames of all earlier ones have been sent.
    const double spanMs = std::chrono::duration<double, std::milli>(last - first).count();
    EXPECT_GE(spanMs, (reply.size() - 1) * 10.0 / 19.2 - 0.5) << spanMs;

    // Without pacing the whole reply goes out in one write.
    sim.SetPacing(false);
    sim.ClearRecords();
    pc.Write("+GAPN\r");
    EXPECT_EQ(pc.ReadUntil("OK\r\n", 2000), reply);
    ASSERT_TRUE(sim.WaitIdle(1000));
    size_t chunks = 0;
    for (const auto& e : sim.Wire())
        chunks += e.Direction == TWireLog::wdToPc;
    EXPECT_EQ(chunks, 1u);
}

TEST(UnitSim, PacedInputReachesTheUnitAfterItsWireTime) {
    TUnitSimOptions options = Unpaced();
    options.PaceInput = true;
    TUnitSim sim(options);
    sim.Start();
    PcEnd pc(sim.Path());
    // Two lines in one write: 240 bytes (125 ms at 19200 bit/s), then 7 more.
    const std::string longLine = "+object" + std::string(232, '0') + "\r";
    const auto sent = Clock::now();
    pc.Write(longLine + "+point\r");
    ASSERT_TRUE(sim.WaitFromPc("+point\r", 2000));
    std::vector<TWireLog::TEntry> wire;
    for (const auto& e : sim.Wire())
        if (e.Direction == TWireLog::wdFromPc)
            wire.push_back(e);
    ASSERT_EQ(wire.size(), 2u);
    EXPECT_EQ(wire[0].Bytes, longLine);
    const auto ms = [&](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(t - sent).count();
    };
    EXPECT_GE(ms(wire[0].Time), 240 * 10.0 / 19.2 - 1);
    EXPECT_GE(ms(wire[1].Time), 247 * 10.0 / 19.2 - 1);
    EXPECT_LT(ms(wire[1].Time), 400);
    EXPECT_EQ(sim.UnitLines().size(), 2u);
}

TEST(UnitSim, SplitReplyArrivesInTwoParts) {
    TUnitSim sim(Unpaced());
    TUnitFaults faults;
    faults.SplitGapMs = 400;
    faults.SplitAt = 14; // "object>0050\r\nO" then "K\r\n"
    sim.SetFaults(faults);
    sim.Start();
    PcEnd pc(sim.Path());
    pc.Write("+object\r");
    EXPECT_EQ(pc.ReadFor(200), "object>0050\r\nO");
    EXPECT_EQ(pc.ReadUntil("K\r\n", 1000), "K\r\n");
}

TEST(UnitSim, DelayedAndSilentUnit) {
    TUnitSim sim(Unpaced());
    TUnitFaults faults;
    faults.DelayMs = 600;
    sim.SetFaults(faults);
    sim.Start();
    PcEnd pc(sim.Path());
    const auto start = Clock::now();
    pc.Write("+v\r");
    EXPECT_EQ(pc.ReadFor(450), "");
    EXPECT_EQ(pc.ReadUntil("OK\r\n", 1000), "v>REV 07.503.090\r\nOK\r\n");
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(600));

    faults = {};
    faults.Silent = true;
    sim.SetFaults(faults);
    pc.Write("+v\r");
    EXPECT_EQ(pc.ReadFor(300), "");
    EXPECT_TRUE(sim.WaitFromPc("+v\r+v\r", 1000)); // heard, never answered
}

TEST(UnitSim, ModemDialogueAndDataCallOverTheLine) {
    TUnitSim sim(Unpaced(true));
    TModemOptions modem;
    modem.DialDelayMs = 100;
    sim.SetModemOptions(modem);
    sim.Start();
    PcEnd pc(sim.Path());
    pc.Write("ATZ\r");
    EXPECT_EQ(pc.ReadUntil("OK\r\n", 1000), "\r\nOK\r\n");
    pc.Write("ATD 5551234\r");
    EXPECT_EQ(pc.ReadUntil("9600\r\n", 2000), "\r\nCONNECT 9600\r\n");
    pc.Write("+object\r");
    EXPECT_EQ(pc.ReadUntil("OK\r\n", 1000), "object>0050\r\nOK\r\n");

    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    pc.Write("+++");
    EXPECT_EQ(pc.ReadUntil("OK\r\n", 2500), "\r\nOK\r\n");
    pc.Write("ATH\r");
    EXPECT_EQ(pc.ReadUntil("OK\r\n", 1000), "\r\nOK\r\n");
    EXPECT_EQ(sim.ModemCommands(), (std::vector<std::string>{"ATZ", "ATD 5551234", "+++", "ATH"}));
    EXPECT_EQ(sim.UnitLines(), (std::vector<std::string>{"+object"}));
}

TEST(UnitSim, UnsolicitedNoCarrierWhenTheCallDrops) {
    TUnitSim sim(Unpaced(true));
    TModemOptions modem;
    modem.DialDelayMs = 0;
    sim.SetModemOptions(modem);
    sim.Start();
    PcEnd pc(sim.Path());
    pc.Write("ATD 1\r");
    ASSERT_NE(pc.ReadUntil("CONNECT", 1000).find("CONNECT"), std::string::npos);
    pc.ReadFor(50);
    sim.DropCall();
    EXPECT_EQ(pc.ReadUntil("NO CARRIER\r\n", 1000), "\r\nNO CARRIER\r\n");
}

TEST(UnitSim, OutputIsLostWhileNobodyHasTheLineOpen) {
    TUnitSim sim(Unpaced());
    sim.SetOnPeerOpened([](TSimUnit& unit) { unit.PowerUpChatter(200); });
    sim.Start();
    EXPECT_FALSE(sim.PeerPresent());
    sim.Inject("stale\r\n");
    ASSERT_TRUE(sim.WaitIdle(1000));
    EXPECT_EQ(sim.ToPc(), "");

    // Opening the line is what a freshly powered unit's chatter greets.
    PcEnd pc(sim.Path());
    EXPECT_EQ(pc.ReadUntil("AT+CFUN=1\r", 2000), "AT\rAT+CFUN=1\r");
    EXPECT_TRUE(sim.PeerPresent());
}

TEST(UnitSim, ServesAGivenDevice) {
    // The far end of a second pseudo-terminal stands in for a serial device.
    TUnitSim line(Unpaced());
    line.Start();
    TUnitSimOptions options = Unpaced();
    options.Device = line.Path();
    TUnitSim sim(options);
    sim.Start();
    EXPECT_EQ(sim.Path(), line.Path());
    line.Inject("+v\r");
    EXPECT_TRUE(line.WaitToPc("+v\r", 1000));
    EXPECT_TRUE(sim.WaitToPc("v>REV 07.503.090\r\nOK\r\n", 2000)) << sim.WireDump();

    TUnitSimOptions missing;
    missing.Device = "/nonexistent/ttyQ9";
    TUnitSim bad(missing);
    EXPECT_THROW(bad.Start(), EUnitSim);
}

#ifdef UNITSIM_PROGRAM
TEST(UnitSimProgram, PrintsThePathFirstAndStopsOnInterrupt) {
    const std::string link = "/tmp/unitsim-test-" + std::to_string(getpid());
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        execl(UNITSIM_PROGRAM, UNITSIM_PROGRAM, "--no-pacing", "--link", link.c_str(), "--version",
              "REV 07.503.088_p", "--history", "65510", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string first;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n')
        first += c;
    close(out[0]);
    EXPECT_EQ(first, link);
    {
        PcEnd pc(link);
        ASSERT_TRUE(pc.IsOpen());
        pc.Write("+v\r");
        EXPECT_EQ(pc.ReadUntil("OK\r\n", 2000), "v>REV 07.503.088_p\r\nOK\r\n");
        // The history ring wrapped six records past its end, and the receiver behind the
        // pass-through.
        pc.Write("+point\r");
        EXPECT_EQ(pc.ReadUntil("OK\r\n", 2000), "point>0006\r\nOK\r\n");
        pc.Write("GPSACCESS_ON\r");
        EXPECT_NE(pc.ReadUntil("OK\r\n", 2000).find("OK\r\n"), std::string::npos);
        pc.Write("GPSACCESS_OFF\r");
        EXPECT_NE(pc.ReadUntil("OK\r\n", 2000).find("OK\r\n"), std::string::npos);
    }
    kill(child, SIGINT);
    int status = 0;
    const auto start = Clock::now();
    while (waitpid(child, &status, WNOHANG) == 0 && Clock::now() - start < std::chrono::seconds(3))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(WIFEXITED(status)) << "still running after SIGINT";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "link left behind";
}
#endif

} // namespace
