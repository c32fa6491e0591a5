// Ini files from arbitrary bytes: parsing never fails, saving loses no line, and writing a key
// reads back the value that was written.

#include "platform/rtl/IniFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TIniDocument doc;
    doc.Parse(bytes);
    const std::string saved = doc.Serialize();

    // Saving and reading again gives the same lines and the same file.
    TIniDocument again;
    again.Parse(saved);
    if (again.Lines() != doc.Lines() || again.Serialize() != saved)
        std::abort();

    // Every section and key that is listed can be read, and a write is read back.
    std::vector<std::string> sections, keys;
    doc.Sections(sections);
    for (const std::string& section : sections) {
        if (section.find_first_of("]\r\n") != std::string::npos)
            continue;
        doc.Keys(section, keys);
        std::string value;
        for (const std::string& key : keys)
            if (!doc.Find(section, key, value))
                std::abort();
        const std::string written = bytes.substr(0, std::min<size_t>(bytes.size(), 16));
        doc.Write(section, "fuzzKey", written);
        if (!doc.Find(section, "FUZZKEY", value))
            std::abort();
        std::string expected = written;
        for (char& c : expected)
            if (c == '\r' || c == '\n')
                c = ' ';
        if (value != expected)
            std::abort();
    }
    return 0;
}
