// The PNG codec on the command line, for the outside checks:
//   spreadsheet_png_oracle dump FILE...              for each file: its header and samples, one
//                                                    image row per line, then a line "end"
//   spreadsheet_png_oracle resave [-iN] IN OUT...    load and save again (-i0 plain, -i1 Adam7)
//   spreadsheet_png_oracle frombmp IN OUT...         a BMP file as a bitmap, assigned to a PNG
//                                                    picture and saved
//   spreadsheet_png_oracle tobmp IN OUT...           a PNG picture assigned to a new bitmap (which
//                                                    takes the picture's pixel format), saved as
//                                                    BMP
// Samples are printed at the file's precision: grey levels at the file's depth (a 2-bit level as
// 0-3), palette indices, 16-bit colour samples with their low bytes, alpha of 16-bit images as
// its held high byte times 257.

#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngPicture.h"
#include "spreadsheet/png/PngRowFormat.h"

#include "platform/graphics/Bitmap.h"
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

// The interlace kind resave writes (-1: the file's own).
int gInterlace = -1;

void Resave(const char* in, const char* out) {
    TPngPicture png;
    png.LoadFromFile(in);
    if (gInterlace >= 0)
        png.SetInterlaceKind(static_cast<std::uint8_t>(gInterlace));
    png.SaveToFile(out);
}

void FromBmp(const char* in, const char* out) {
    TBitmap bitmap;
    bitmap.LoadFromFile(in);
    TPngPicture png;
    png.Assign(&bitmap);
    png.SaveToFile(out);
}

void ToBmp(const char* in, const char* out) {
    TPngPicture png;
    png.LoadFromFile(in);
    TBitmap bitmap;
    png.AssignTo(&bitmap);
    bitmap.SaveToFile(out);
}

// Runs convert over the IN OUT pairs of argv[first...]; false when they are not pairs.
bool ForPairs(int argc, char** argv, int first, void (*convert)(const char*, const char*)) {
    if (argc <= first || (argc - first) % 2 != 0)
        return false;
    for (int i = first; i < argc; i += 2)
        convert(argv[i], argv[i + 1]);
    return true;
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
            int first = 2;
            if (std::strncmp(argv[2], "-i", 2) == 0)
                gInterlace = std::atoi(argv[first++] + 2);
            if (ForPairs(argc, argv, first, Resave))
                return 0;
        }
        if (command == "frombmp" && ForPairs(argc, argv, 2, FromBmp))
            return 0;
        if (command == "tobmp" && ForPairs(argc, argv, 2, ToBmp))
            return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s: %s\n", e.ClassName(), e.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: %s dump FILE... | resave [-i0|-i1] IN OUT... | frombmp IN OUT... | "
                 "tobmp IN OUT...\n",
                 argv[0]);
    return 2;
}
