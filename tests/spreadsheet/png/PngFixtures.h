#pragma once
// Hand-made PNG files for the codec's tests: chunks with their CRCs, zlib data, raw rows.

#include "spreadsheet/png/PngPicture.h"

#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>
#include <zlib.h>

namespace pngfix {

inline std::string BigEndian32(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

inline std::uint32_t Crc(const std::string& typeAndData) {
    return static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(typeAndData.data()),
                                            static_cast<uInt>(typeAndData.size())));
}

inline std::string Chunk(const std::string& type, const std::string& data) {
    return BigEndian32(static_cast<std::uint32_t>(data.size())) + type + data +
           BigEndian32(Crc(type + data));
}

inline const std::string Signature = "\x89PNG\r\n\x1a\n";

inline std::string Ihdr(std::uint32_t w, std::uint32_t h, int depth, int colourType,
                        int interlace = 0, int compression = 0) {
    return Chunk("IHDR", BigEndian32(w) + BigEndian32(h) + static_cast<char>(depth) +
                             static_cast<char>(colourType) + static_cast<char>(compression) + '\0' +
                             static_cast<char>(interlace));
}

inline std::string Iend() {
    return Chunk("IEND", "");
}

inline std::string Zlib(const std::string& raw, int level = 6) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), level);
    out.resize(size);
    return out;
}

// A whole file: signature, IHDR, the extra chunks, one IDAT of the raw (filtered) rows, IEND.
inline std::string Png(const std::string& ihdr, const std::string& raw,
                       const std::string& extra = "") {
    return Signature + ihdr + extra + Chunk("IDAT", Zlib(raw)) + Iend();
}

inline std::vector<std::uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

inline std::string Text(const std::vector<std::uint8_t>& v) {
    return {v.begin(), v.end()};
}

inline void Load(TPngPicture& png, const std::string& file) {
    png.LoadFromBytes(Bytes(file));
}

inline std::string Save(const TPngPicture& png) {
    return Text(png.SaveToBytes());
}

// A chunk of a file: its type and data.
struct TFileChunk {
    std::string type;
    std::string data;
};

inline std::vector<TFileChunk> ChunksOf(const std::string& file) {
    std::vector<TFileChunk> chunks;
    std::size_t pos = 8;
    while (pos + 12 <= file.size()) {
        auto p = reinterpret_cast<const unsigned char*>(file.data() + pos);
        std::uint32_t length = (p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
        chunks.push_back({file.substr(pos + 4, 4), file.substr(pos + 8, length)});
        pos += 12 + length;
    }
    return chunks;
}

inline std::string Inflate(const std::string& data) {
    z_stream z{};
    inflateInit(&z);
    std::string out;
    char buffer[4096];
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    int rc;
    do {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        rc = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    } while (rc == Z_OK);
    inflateEnd(&z);
    return out;
}

// The inflated image data of all IDAT chunks of a file.
inline std::string ImageData(const std::string& file) {
    std::string compressed;
    for (const TFileChunk& c : ChunksOf(file)) {
        if (c.type == "IDAT")
            compressed += c.data;
    }
    return Inflate(compressed);
}

// Rows of whole-byte pixels (bpp bytes each, row-major in pixels) with filter None, plain or as
// the seven Adam7 passes.
inline std::string RawRows(const std::string& pixels, int width, int height, int bpp,
                           bool interlaced = false) {
    static const int passes[7][4] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                     {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};
    std::string raw;
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            raw += '\0' + pixels.substr(static_cast<std::size_t>(y) * width * bpp,
                                        static_cast<std::size_t>(width) * bpp);
        return raw;
    }
    for (const auto& p : passes) {
        if (width <= p[1])
            continue;
        for (int y = p[0]; y < height; y += p[2]) {
            raw += '\0';
            for (int x = p[1]; x < width; x += p[3])
                raw += pixels.substr((static_cast<std::size_t>(y) * width + x) * bpp, bpp);
        }
    }
    return raw;
}

// Deterministic pseudo-random bytes.
inline std::string Noise(std::size_t n, std::uint32_t seed = 1) {
    std::string s(n, '\0');
    for (char& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return s;
}

inline std::string ChunkTypes(const TPngPicture& png) {
    std::string types;
    for (int i = 0; i < png.Chunks().Count(); ++i) {
        if (i > 0)
            types += ' ';
        types += png.Chunks().Item(i)->ChunkTypeText();
    }
    return types;
}

} // namespace pngfix
