// Writes the configurator's three built-in firmware images, "1.txt", "2.txt" and "3.txt", into
// the folder given: a header line ("REV 07.503.090", the same for the variant for the other
// flash type, "REV 07.503.088p" for the variant units), then the image as Intel HEX records of
// 16 bytes at consecutive addresses from 0, then the end record; lines end in CR LF.
//
// These are test images of the right shape, not firmware that runs on a unit: a reset vector
// table, a text naming the image, and reproducible filler.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct TImageSpec {
    const char* File;
    const char* Header;
    size_t Bytes;
    uint32_t Seed;
};

const TImageSpec kImages[] = {
    {"1.txt", "REV 07.503.090", 24 * 1024, 0x51A7E001},
    {"2.txt", "REV 07.503.090", 24 * 1024, 0x51A7E002},
    {"3.txt", "REV 07.503.088p", 20 * 1024, 0x51A7E003},
};

std::vector<uint8_t> ImageBytes(const TImageSpec& spec) {
    std::vector<uint8_t> bytes(spec.Bytes);
    uint32_t state = spec.Seed;
    for (uint8_t& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<uint8_t>(state >> 24);
    }
    // Eight reset and interrupt vectors pointing into the image, then its name.
    for (int v = 0; v < 8; ++v) {
        const uint32_t target = 0x100 + v * 0x40;
        for (int k = 0; k < 4; ++k)
            bytes[v * 4 + k] = static_cast<uint8_t>(target >> (8 * k));
    }
    const std::string name = std::string("QUORVAN-4 test image ") + spec.Header;
    for (size_t i = 0; i < name.size(); ++i)
        bytes[0x40 + i] = static_cast<uint8_t>(name[i]);
    return bytes;
}

std::string Record(uint16_t address, uint8_t type, const uint8_t* data, size_t count) {
    std::string line = ":";
    uint8_t sum = 0;
    const auto put = [&](uint8_t b) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", b);
        line += pair;
        sum = static_cast<uint8_t>(sum + b);
    };
    put(static_cast<uint8_t>(count));
    put(static_cast<uint8_t>(address >> 8));
    put(static_cast<uint8_t>(address & 0xFF));
    put(type);
    for (size_t i = 0; i < count; ++i)
        put(data[i]);
    put(static_cast<uint8_t>(0x100 - sum));
    return line + "\r\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    for (const TImageSpec& spec : kImages) {
        const std::vector<uint8_t> bytes = ImageBytes(spec);
        std::string text = std::string(spec.Header) + "\r\n";
        for (size_t at = 0; at < bytes.size(); at += 16)
            text += Record(static_cast<uint16_t>(at), 0x00, &bytes[at], 16);
        text += Record(0, 0x01, nullptr, 0);
        std::ofstream out(std::string(argv[1]) + "/" + spec.File, std::ios::binary);
        out << text;
        if (!out) {
            std::fprintf(stderr, "cannot write %s/%s\n", argv[1], spec.File);
            return 1;
        }
    }
    return 0;
}
