#include "platform/serial/SerialPortNames.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Trimmed(const std::string& text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.substr(b, e - b);
}

// The number of "COMn", 0 when the text is no port name.
unsigned ComNumber(const std::string& name) {
    const std::string normal = NormalizeComName(name);
    return normal.empty() ? 0 : static_cast<unsigned>(std::stoul(normal.substr(3)));
}

// Splits "ttyUSB12" into "ttyUSB" and 12; false when it does not end in digits.
bool SplitKernelName(const std::string& name, std::string& prefix, unsigned& number) {
    size_t i = name.size();
    while (i > 0 && std::isdigit(static_cast<unsigned char>(name[i - 1])))
        --i;
    if (i == name.size() || i == 0 || name.size() - i > 6)
        return false;
    prefix = name.substr(0, i);
    number = static_cast<unsigned>(std::stoul(name.substr(i)));
    return true;
}

int KindRank(const std::string& prefix) {
    if (prefix == "ttyUSB")
        return 0;
    if (prefix == "ttyACM")
        return 1;
    return 2;
}

bool ReadFirstLine(const fs::path& file, std::string& line) {
    std::ifstream in(file);
    if (!in)
        return false;
    std::getline(in, line);
    return true;
}

// A ttyS node exists for every legacy port address whether or not a UART sits there; the
// driver reports the UART type as 0 where none answered.
bool UartPresent(const fs::path& entry) {
    std::string type;
    if (!ReadFirstLine(entry / "type", type))
        return true; // drivers without the attribute register present hardware only
    return Trimmed(type) != "0" && !Trimmed(type).empty();
}

void AddOverrides(std::map<unsigned, std::string>& into, const std::string& text, char separator) {
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, separator)) {
        const size_t eq = item.find('=');
        if (eq == std::string::npos)
            continue;
        const unsigned number = ComNumber(Trimmed(item.substr(0, eq)));
        const std::string path = Trimmed(item.substr(eq + 1));
        if (number == 0 || path.empty() || into.count(number))
            continue;
        into[number] = path;
    }
}

void AddOverrideFile(std::map<unsigned, std::string>& into, const std::string& file) {
    if (file.empty())
        return;
    std::ifstream in(file);
    if (!in)
        return;
    std::string line, ports;
    bool inPorts = false;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            std::string section =
                Trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            std::transform(section.begin(), section.end(), section.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            inPorts = section == "ports";
            continue;
        }
        if (inPorts)
            ports += line + "\n";
    }
    AddOverrides(into, ports, '\n');
}

std::string ProgramDirectory() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

} // namespace

TSerialPortSources DefaultSerialPortSources() {
    TSerialPortSources sources;
    if (const char* env = std::getenv("QUORVAN_PORTS"))
        sources.Overrides = env;
    const std::string dir = ProgramDirectory();
    if (!dir.empty())
        sources.OverrideFile = dir + "/serialports.ini";
    return sources;
}

std::string NormalizeComName(const std::string& name) {
    std::string text = Trimmed(name);
    if (text.rfind("\\\\.\\", 0) == 0)
        text.erase(0, 4);
    if (!text.empty() && text.back() == ':')
        text.pop_back();
    if (text.size() < 4 || text.size() > 8)
        return {};
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i])
            return {};
    for (size_t i = 3; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return {};
    const unsigned long number = std::stoul(text.substr(3));
    if (number == 0)
        return {};
    return "COM" + std::to_string(number);
}

std::vector<TSerialPortEntry> EnumerateSerialPorts(const TSerialPortSources& sources) {
    std::map<unsigned, std::string> byNumber;
    AddOverrides(byNumber, sources.Overrides, ';');
    AddOverrideFile(byNumber, sources.OverrideFile);
    std::set<std::string> overridden;
    for (const auto& [number, path] : byNumber)
        overridden.insert(path);

    struct TFound {
        int rank;
        std::string prefix;
        unsigned number;
        std::string name;
    };
    std::vector<TFound> others;
    std::error_code ec;
    for (fs::directory_iterator it(sources.ClassDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::string prefix;
        unsigned number = 0;
        if (!SplitKernelName(name, prefix, number) || prefix == "tty" || prefix == "pts")
            continue;
        std::error_code linkError;
        if (!fs::exists(it->path() / "device", linkError))
            continue; // virtual terminals, the console and the like
        const std::string path = sources.DevDir + "/" + name;
        if (overridden.count(path))
            continue;
        if (prefix == "ttyS") {
            if (UartPresent(it->path()) && !byNumber.count(number + 1))
                byNumber[number + 1] = path;
            continue;
        }
        others.push_back({KindRank(prefix), prefix, number, name});
    }
    std::sort(others.begin(), others.end(), [](const TFound& a, const TFound& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return a.number < b.number;
    });
    unsigned next = 3;
    for (const auto& found : others) {
        while (byNumber.count(next))
            ++next;
        byNumber[next] = sources.DevDir + "/" + found.name;
    }

    std::vector<TSerialPortEntry> ports;
    for (const auto& [number, path] : byNumber)
        ports.push_back({"COM" + std::to_string(number), path});
    return ports;
}

std::vector<TSerialPortEntry> EnumerateSerialPorts() {
    return EnumerateSerialPorts(DefaultSerialPortSources());
}

bool ResolveSerialPort(const std::string& name, std::string& path,
                       const TSerialPortSources& sources) {
    path.clear();
    if (!name.empty() && name[0] == '/') {
        path = name;
        return true;
    }
    const std::string normal = NormalizeComName(name);
    if (normal.empty())
        return false;
    for (const auto& port : EnumerateSerialPorts(sources))
        if (port.Name == normal) {
            path = port.Path;
            return true;
        }
    return false;
}

bool ResolveSerialPort(const std::string& name, std::string& path) {
    return ResolveSerialPort(name, path, DefaultSerialPortSources());
}

std::unique_ptr<TSerialDevice> OpenSerialPort(const std::string& name, int& error) {
    std::string path;
    if (!ResolveSerialPort(name, path)) {
        error = ENOENT;
        return nullptr;
    }
    return OpenSerialDevicePath(path, error);
}
