// Arbitrary bytes as port names and as the port override list (the variable's text and the ini
// file's lines): names normalise to "COMn" or nothing, and the list is ordered, unique and
// normalised.

#include "platform/serial/SerialPortNames.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <unistd.h>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

unsigned Number(const std::string& comName) {
    return static_cast<unsigned>(std::stoul(comName.substr(3)));
}

void CheckList(const TSerialPortSources& sources) {
    const auto ports = EnumerateSerialPorts(sources);
    std::set<std::string> names;
    unsigned last = 0;
    for (const auto& port : ports) {
        Check(NormalizeComName(port.Name) == port.Name);
        Check(!port.Path.empty());
        Check(names.insert(port.Name).second);
        Check(Number(port.Name) > last);
        last = Number(port.Name);
        std::string path;
        Check(ResolveSerialPort(port.Name, path, sources) && path == port.Path);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::string normal = NormalizeComName(text);
    if (!normal.empty()) {
        Check(normal.rfind("COM", 0) == 0 && normal.size() >= 4);
        Check(NormalizeComName(normal) == normal);
        Check(Number(normal) > 0);
    }

    // No machine ports: only the overrides count.
    TSerialPortSources sources;
    sources.ClassDir = "/nonexistent-q4-class";
    sources.DevDir = "/nonexistent-q4-dev";
    sources.Overrides = text;
    CheckList(sources);

    // The same bytes as the ini file beside the program.
    static const std::string file = "/tmp/q4-fuzz-ports-" + std::to_string(::getpid()) + ".ini";
    if (FILE* f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
        sources.Overrides.clear();
        sources.OverrideFile = file;
        CheckList(sources);
        std::remove(file.c_str());
    }
    return 0;
}
