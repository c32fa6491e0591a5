#pragma once
// "COMn" port names over the machine's serial devices.
//
// The list holds the serial devices found under /sys/class/tty that belong to real hardware
// (entries with a device link; ttyS<n> only where a UART answers): ttyS<n> is COM<n+1>, every
// other device (USB and ACM adapters first, then the rest, each by number) takes the lowest free
// number from COM3 up. An override list maps names to any path; it comes from the environment
// variable QUORVAN_PORTS ("COM9=/dev/pts/5;COM10=/dev/serial/by-id/...") and from the [Ports]
// section of serialports.ini beside the program, the environment winning. A name beginning with
// "/" is a path and is opened as given.

#include "platform/serial/SerialDevice.h"

#include <memory>
#include <string>
#include <vector>

struct TSerialPortEntry {
    std::string Name; // "COM3"
    std::string Path; // "/dev/ttyUSB0"
    bool operator==(const TSerialPortEntry&) const = default;
};

// Where the list comes from; the defaults read the machine.
struct TSerialPortSources {
    std::string ClassDir = "/sys/class/tty";
    std::string DevDir = "/dev";
    std::string Overrides;    // text of the override variable
    std::string OverrideFile; // path of an ini file with a [Ports] section, or empty
};

// The machine's sources with the override variable and the ini file beside the program.
TSerialPortSources DefaultSerialPortSources();

// Every port, ordered by number.
std::vector<TSerialPortEntry> EnumerateSerialPorts(const TSerialPortSources& sources);
std::vector<TSerialPortEntry> EnumerateSerialPorts();

// "COM3" for "COM3", "com3", "COM3:" and "\\.\COM3"; empty when `name` is no port name.
std::string NormalizeComName(const std::string& name);

// The device path for a port name or a path; false when the name matches no port.
bool ResolveSerialPort(const std::string& name, std::string& path,
                       const TSerialPortSources& sources);
bool ResolveSerialPort(const std::string& name, std::string& path);

// Resolves `name` and opens the device exclusively. Returns null and sets `error` (ENOENT for a
// name that matches no port) on failure.
std::unique_ptr<TSerialDevice> OpenSerialPort(const std::string& name, int& error);
