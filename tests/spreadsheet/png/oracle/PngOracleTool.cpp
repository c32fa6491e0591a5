// The PNG codec on the command line, for the outside checks:
//   spreadsheet_png_oracle dump FILE...              for each file: its header and samples, one
//                                                    image row per line, then a line "end"
//   spreadsheet_png_oracle resave [-iN] IN OUT...    load and save again (-i0 plain, -i1 Adam7)
// Samples are printed at the file's precision: grey levels at the file's depth (a 2-bit level as
// 0-3), palette indices, 16-bit colour samples with their low bytes, alpha of 16-bit images as
// its held high byte times 257.

#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngPicture.h"
#include "spreadsheet/png/PngRowFormat.h"

#include "platform/rtl/Exception.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void PrintPixel(const TPngPicture& png, const TChunkIHDR& h, int x, int y) {
    const std::uint8_t* row = png.RowPointer(y);
    const std::uint8_t* low = png.LowByteRow(y);
    const std::uint8_t* alpha = png.AlphaRow(y);
    bool wide = h.BitDepth == 16;
    auto sample = [&](int offset) { return wide ? row[offset] * 256 + low[offset] : row[offset]; };
    switch (h.ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE: {
        if (wide) {
            std::printf(" %d", sample(x));
            break;
        }
        unsigned v = PackedSample(row, static_cast<std::size_t>(x), h.Image.BitCount());
        if (h.BitDepth == 2 && h.ColourType == COLOR_GRAYSCALE)
            v /= 5;
        std::printf(" %u", v);
        break;
    }
    case COLOR_GRAYSCALEALPHA:
        std::printf(" %d,%d", sample(x), wide ? alpha[x] * 257 : alpha[x]);
        break;
    default:
        std::printf(" %d,%d,%d", sample(3 * x + 2), sample(3 * x + 1), sample(3 * x));
        if (h.ColourType == COLOR_RGBALPHA)
            std::printf(",%d", wide ? alpha[x] * 257 : alpha[x]);
        break;
    }
}

void Dump(const char* path) {
    TPngPicture png;
    png.LoadFromFile(path);
    const TChunkIHDR& h = *png.RequireHeader();
    std::printf("%u %u %d %d %d\n", h.Width, h.Height, h.ColourType, h.BitDepth,
                png.InterlaceKind());
    for (int y = 0; y < static_cast<int>(h.Height); ++y) {
        for (int x = 0; x < static_cast<int>(h.Width); ++x)
            PrintPixel(png, h, x, y);
        std::printf("\n");
    }
    std::printf("end\n");
}

void Resave(const char* in, const char* out, int interlace) {
    TPngPicture png;
    png.LoadFromFile(in);
    if (interlace >= 0)
        png.SetInterlaceKind(static_cast<std::uint8_t>(interlace));
    png.SaveToFile(out);
}

} // namespace

int main(int argc, char** argv) {
    InitializePngUnit();
    std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "dump" && argc > 2) {
            for (int i = 2; i < argc; ++i)
                Dump(argv[i]);
            return 0;
        }
        if (command == "resave" && argc > 3) {
            int first = 2, interlace = -1;
            if (std::strncmp(argv[2], "-i", 2) == 0)
                interlace = std::atoi(argv[first++] + 2);
            if ((argc - first) % 2 == 0) {
                for (int i = first; i < argc; i += 2)
                    Resave(argv[i], argv[i + 1], interlace);
                return 0;
            }
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s: %s\n", e.ClassName(), e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: %s dump FILE... | resave [-i0|-i1] IN OUT...\n", argv[0]);
    return 2;
}
