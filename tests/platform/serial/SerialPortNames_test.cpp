#include "platform/serial/SerialPortNames.h"
#include "tests/support/serial/PtyPair.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A stand-in for /sys/class/tty: a directory per terminal, with a device link where hardware
// sits behind it and a type file for legacy UART nodes.
class FakeSysfs {
public:
    FakeSysfs() {
        root_ = fs::temp_directory_path() /
                ("q4-tty-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        fs::create_directories(root_ / "class");
        fs::create_directories(root_ / "hw");
    }
    ~FakeSysfs() { fs::remove_all(root_); }

    // A terminal with hardware behind it; `uartType` writes the type file ("" for none).
    void AddDevice(const std::string& name, const std::string& uartType = "") {
        const fs::path dir = root_ / "class" / name;
        fs::create_directories(dir);
        fs::create_directory_symlink(root_ / "hw", dir / "device");
        if (!uartType.empty())
            std::ofstream(dir / "type") << uartType << "\n";
    }
    // A terminal without hardware (virtual consoles, the console).
    void AddVirtual(const std::string& name) { fs::create_directories(root_ / "class" / name); }

    TSerialPortSources Sources(const std::string& overrides = "",
                               const std::string& file = "") const {
        TSerialPortSources s;
        s.ClassDir = (root_ / "class").string();
        s.DevDir = "/dev";
        s.Overrides = overrides;
        s.OverrideFile = file;
        return s;
    }
    fs::path Root() const { return root_; }

private:
    static inline int counter_ = 0;
    fs::path root_;
};

} // namespace

TEST(SerialPortNames, NormalisesPortNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"COM3", "COM3"},   {"com3", "COM3"},   {"COM3:", "COM3"},  {"\\\\.\\COM12", "COM12"},
        {" COM7 ", "COM7"}, {"COM007", "COM7"}, {"COM0", ""},       {"COM", ""},
        {"COMX", ""},       {"LPT1", ""},       {"/dev/ttyS0", ""}, {"COM3x", ""},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(NormalizeComName(input), expected) << input;
}

TEST(SerialPortNames, NumbersTheMachinesDevices) {
    FakeSysfs sys;
    sys.AddDevice("ttyS0", "4"); // a 16550A
    sys.AddDevice("ttyS1", "0"); // a legacy node with no UART behind it
    sys.AddDevice("ttyS3", "4");
    sys.AddDevice("ttyACM0");
    sys.AddDevice("ttyUSB1");
    sys.AddDevice("ttyUSB0");
    sys.AddDevice("ttyAMA0");
    sys.AddVirtual("tty0");
    sys.AddVirtual("tty12");
    sys.AddVirtual("console");
    sys.AddVirtual("ptmx");

    const auto ports = EnumerateSerialPorts(sys.Sources());
    // ttyS1 answers with no UART: COM2 stays free, and adapters start at COM3.
    const std::vector<TSerialPortEntry> want = {
        {"COM1", "/dev/ttyS0"},   {"COM3", "/dev/ttyUSB0"}, {"COM4", "/dev/ttyS3"},
        {"COM5", "/dev/ttyUSB1"}, {"COM6", "/dev/ttyACM0"}, {"COM7", "/dev/ttyAMA0"},
    };
    EXPECT_EQ(ports, want);
}

TEST(SerialPortNames, OverridesComeFirstAndKeepTheirNumbers) {
    FakeSysfs sys;
    sys.AddDevice("ttyS0", "4");
    sys.AddDevice("ttyUSB0");
    sys.AddDevice("ttyUSB1");
    const fs::path ini = sys.Root() / "serialports.ini";
    std::ofstream(ini) << "; ports of this bench\n[Other]\nCOM8=/dev/ignored\n[Ports]\n"
                          "COM3 = /dev/serial/by-id/usb-cable\ncom9=/dev/pts/9\nCOM1=/dev/lost\n";

    const auto ports =
        EnumerateSerialPorts(sys.Sources("COM1=/tmp/vA;bad;COM12=/dev/ttyUSB1; =x", ini));
    const std::vector<TSerialPortEntry> want = {
        {"COM1", "/tmp/vA"},                     // the environment wins over the file and ttyS0
        {"COM3", "/dev/serial/by-id/usb-cable"}, // from the file
        {"COM4", "/dev/ttyUSB0"},                // first free number from COM3 up
        {"COM9", "/dev/pts/9"},                  //
        {"COM12", "/dev/ttyUSB1"},               // the device keeps its override only
    };
    EXPECT_EQ(ports, want);
}

TEST(SerialPortNames, ResolvesNamesAndPaths) {
    FakeSysfs sys;
    sys.AddDevice("ttyUSB0");
    const auto sources = sys.Sources("COM9=/dev/pts/5");
    std::string path;
    EXPECT_TRUE(ResolveSerialPort("COM3", path, sources));
    EXPECT_EQ(path, "/dev/ttyUSB0");
    EXPECT_TRUE(ResolveSerialPort("\\\\.\\com9", path, sources));
    EXPECT_EQ(path, "/dev/pts/5");
    EXPECT_TRUE(ResolveSerialPort("/dev/anything", path, sources));
    EXPECT_EQ(path, "/dev/anything");
    EXPECT_FALSE(ResolveSerialPort("COM42", path, sources));
    EXPECT_TRUE(path.empty());
    EXPECT_FALSE(ResolveSerialPort("ttyUSB0", path, sources));
}

TEST(SerialPortNames, OpensAnOverriddenNameFromTheEnvironment) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ::setenv("QUORVAN_PORTS", ("COM77=" + pty.Path()).c_str(), 1);
    int error = 0;
    auto device = OpenSerialPort("COM77", error);
    EXPECT_TRUE(device) << SystemErrorText(error);
    bool listed = false;
    for (const auto& port : EnumerateSerialPorts())
        listed |= port == TSerialPortEntry{"COM77", pty.Path()};
    EXPECT_TRUE(listed);
    EXPECT_FALSE(OpenSerialPort("COM78", error));
    EXPECT_EQ(error, ENOENT);
    ::unsetenv("QUORVAN_PORTS");
}
