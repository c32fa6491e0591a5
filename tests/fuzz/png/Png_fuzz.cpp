// PNG files from outside: each either loads or raises one of the codec's own errors; what loads
// draws, gives its pixels, becomes a bitmap, writes back and loads again, and once more after a
// resize and a pixel set.

#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngImageMemory.h"
#include "spreadsheet/png/PngPicture.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The errors a PNG file may legitimately cause.
bool ListedError(const Exception& e) {
    static const char* const listed[] = {"EPNGOutMemory",          "EPngError",
                                         "EPngUnexpectedEnd",      "EPngInvalidCRC",
                                         "EPngInvalidIHDR",        "EPNGMissingMultipleIDAT",
                                         "EPNGZLIBError",          "EPNGInvalidPalette",
                                         "EPNGInvalidFileHeader",  "EPNGIHDRNotFirst",
                                         "EPNGSizeExceeds",        "EPNGUnknownCriticalChunk",
                                         "EPNGUnknownCompression", "EPNGUnknownInterlace",
                                         "EPNGNoImageData",        "EPNGHeaderNotPresent",
                                         "EPNGInvalidNewSize"};
    for (const char* name : listed) {
        if (std::strcmp(e.ClassName(), name) == 0)
            return true;
    }
    return false;
}

[[noreturn]] void Unlisted(const Exception& e) {
    std::fprintf(stderr, "unlisted error %s: %s\n", e.ClassName(), e.what());
    std::abort();
}

// Drawing may meet a palette index beyond the palette (EPngError); nothing else may fail.
void DrawAndRead(TPngPicture& png) {
    try {
        TBitmap target(8, 8, pf24bit);
        png.Draw(target.Canvas(), Rect(0, 0, 8, 8));
        for (int y = 0; y < png.Height() && y < 4; ++y)
            for (int x = 0; x < png.Width() && x < 4; ++x)
                png.PixelColour(x, y);
    } catch (const EPngError&) {
    }
}

// What was written must load.
void SaveAndLoad(const TPngPicture& png) {
    TPngPicture again;
    again.LoadFromBytes(png.SaveToBytes());
}

void Use(TPngPicture& png) {
    DrawAndRead(png);
    if (png.Width() <= 256 && png.Height() <= 256) {
        try {
            TBitmap bitmap;
            png.AssignTo(&bitmap);
        } catch (const EPngError&) {
        }
    }
    SaveAndLoad(png);
    png.ResizeImage(png.Width() % 64 + 1, png.Height() / 2 + 1);
    png.SetPixelColour(0, 0, RGB(200, 100, 50));
    DrawAndRead(png);
    SaveAndLoad(png);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = [] {
        InitializePngUnit();
        // Small pictures only: a large header is refused like an out-of-memory one.
        TPngImageMemory::SetMaxBytes(std::uint64_t{16} << 20);
        return true;
    }();
    (void)started;
    TPngPicture png;
    try {
        png.LoadFromBytes(std::vector<std::uint8_t>(data, data + size));
    } catch (const Exception& e) {
        if (!ListedError(e))
            Unlisted(e);
        // The chunks read before the error stay: the picture must still draw or refuse safely.
        if (png.HasHeader()) {
            try {
                DrawAndRead(png);
            } catch (const Exception& again) {
                if (!ListedError(again))
                    Unlisted(again);
            }
        }
        return 0;
    }
    try {
        Use(png);
    } catch (const Exception& e) {
        Unlisted(e);
    }
    return 0;
}
