// A series' stored marks items from outside (a form description): the block either reads or
// raises an ordinary error, leaving no items; what reads is written back, and that block reads
// again to the same items.

#include "chart/core/ChartCore.h"
#include "chart/core/MarksItems.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    StartChartCore();
    return 0;
}

static std::string Block(const TMarksItems& items) {
    TStringStream stream;
    items.WriteBlock(stream);
    return stream.DataString();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    stream.Write(data, static_cast<std::int64_t>(size));
    stream.Seek(0, soBeginning);
    TMarksItems items;
    try {
        items.ReadBlock(stream);
    } catch (const Exception&) {
        if (items.Count() != 0 || items.Loading())
            std::abort();
        return 0;
    }
    const std::string written = Block(items);
    TStringStream again(written);
    TMarksItems back;
    back.ReadBlock(again);
    if (back.Count() != items.Count() || Block(back) != written)
        std::abort();
    return 0;
}
