// A picture's stored filter list from outside (a form description): it either reads or raises
// an ordinary error; what reads is applied to a small bitmap, written back and read again.

#include "chart/imaging/Filters.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    StartChartImaging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    stream.Write(data, static_cast<std::int64_t>(size));
    stream.Seek(0, soBeginning);
    TFilterItems items;
    try {
        TReader reader(stream);
        items.ReadItems(reader);
    } catch (const Exception&) {
        return 0;
    }
    TBitmap bitmap(24, 16, pf32bit);
    try {
        // Sizes read from outside may ask for huge bitmaps; those raise, nothing else may. Blur
        // steps ask for as many passes (ending early only at a fixed point).
        for (int i = 0; i < items.Count(); ++i) {
            if (auto* r = dynamic_cast<TResizeFilter*>(items.Items(i))) // crops too
                r->Width = std::min(r->Width, 64), r->Height = std::min(r->Height, 64);
            if (auto* b = dynamic_cast<TBlurFilter*>(items.Items(i)))
                b->Steps = std::min(b->Steps, 64);
        }
        items.ApplyTo(bitmap);
    } catch (const Exception&) {
    }
    TMemoryStream out;
    {
        TWriter writer(out);
        items.WriteItems(writer);
    }
    out.Seek(0, soBeginning);
    TFilterItems again;
    TReader reader(out);
    again.ReadItems(reader);
    return 0;
}
