// A chart panel's back image from outside: the first byte chooses the kind of picture file (an
// enhanced or Windows metafile, a BMP file, an icon, a PNG) and how the image is placed; the rest
// is the file. The file either loads or raises the picture error; what loads is drawn as the
// panel's background into a small bitmap, and a metafile is also written in the other kind and
// read back.

#include "chart/imaging/Filters.h"
#include "chart/panel/PlotPanelExtended.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Exception.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

class TFuzzPanel : public TCustomPlotPanelExtended {
    Q4_CLASS(TFuzzPanel, TCustomPlotPanelExtended)
public:
    explicit TFuzzPanel(TComponent* owner) : TCustomPlotPanelExtended(owner) {}

protected:
    void DrawToRect(const TRect& r) override { DrawBackground(r); }
};

std::unique_ptr<TGraphic> GraphicOfKind(int kind) {
    switch (kind) {
    case 0:
        return std::make_unique<TMetafile>();
    case 1:
        return std::make_unique<TBitmap>();
    case 2:
        return std::make_unique<TIcon>();
    default:
        return std::make_unique<TRasterImage>("png");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    StartChartImaging();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int kind = data[0] & 3;
    const auto mode = static_cast<TPlotBackImageMode>((data[0] >> 2) & 3);
    const std::vector<std::uint8_t> file(data + 1, data + size);
    std::unique_ptr<TGraphic> graphic = GraphicOfKind(kind);
    try {
        graphic->LoadFromBytes(file);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    TFuzzPanel panel(nullptr);
    panel.SetBounds(0, 0, 48, 32);
    panel.BackImage()->SetGraphic(graphic.get());
    panel.SetBackImageMode(mode);
    TBitmap target(48, 32);
    panel.DrawToCanvas(target.Canvas(), {0, 0, 48, 32});
    if (auto* metafile = dynamic_cast<TMetafile*>(graphic.get())) {
        metafile->SetEnhanced(!metafile->Enhanced());
        TMetafile again;
        again.LoadFromBytes(metafile->SaveToBytes()); // what was written must load
    }
    return 0;
}
