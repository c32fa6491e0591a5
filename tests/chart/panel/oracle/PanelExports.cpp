// Writes a bare chart panel (one framed shape with a gradient and a shadow) into the folder given
// on the command line, as the window shows it and as the panel exports it:
//   screen.png   the panel's window, painted
//   panel.bmp    CreateBitmapImage
//   panel.emf    CreateMetafileImage, enhanced
//   panel.wmf    CreateMetafileImage, placeable Windows metafile
//   fixture.txt  where the parts are: "name left top right bottom" and "name colour" lines
// A caption above the shape (Cyrillic, in Arial) is drawn in the panel's text colour.

#include "chart/panel/PlotPanelExtended.h"
#include "chart/panel/PlotShape.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Metafile.h"
#include "tests/support/ProjectFonts.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr TRect kShape{40, 30, 180, 110};
constexpr int kShadow = 6;
constexpr TColor kBack = 0x00E8D0C0;
constexpr TRect kCaption{40, 4, 230, 26};

class TFixturePanel : public TCustomPlotPanelExtended {
    Q4_CLASS(TFixturePanel, TCustomPlotPanelExtended)
public:
    explicit TFixturePanel(TComponent* owner) : TCustomPlotPanelExtended(owner), shape(this) {
        SetBevelOuter(bvNone);
        SetColor(kBack);
        shape.SetColor(clWhite);
        shape.Pen()->SetColor(clBlack);
        shape.Gradient()->SetVisible(true);
        shape.Gradient()->SetDirection(gdTopBottom);
        shape.Gradient()->SetStartColor(clRed);
        shape.Gradient()->SetEndColor(clYellow);
        shape.Shadow()->SetVisible(true);
        shape.Shadow()->SetSmooth(false);
        shape.Shadow()->SetColor(clNavy);
        shape.Shadow()->SetSize(kShadow);
        shape.ShapeRect = kShape;
    }
    TPlotShape shape;

protected:
    void DrawToRect(const TRect& r) override {
        DrawBackground(r);
        shape.DrawShapeIn(kShape, 0, 0);
        TCanvas3D& dc = *DrawCanvas();
        dc.Font()->SetName("Arial");
        dc.Font()->SetHeight(-16);
        dc.Font()->SetColor(clBlack);
        dc.Brush()->SetStyle(bsClear);
        dc.TextOut(kCaption.Left, kCaption.Top, "Напряжение 12 В");
    }
};

std::string Hex(TColor c) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(ColorToRGB(c)));
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: chart_panel_exports <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    UseProjectFontsOnly("chart-panel-fonts");
    int one = 1;
    TApplication app(one, argv);
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    form->Show();
    auto* panel = new TFixturePanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 240, 160);
    QApplication::processEvents();
    panel->Handle()
        ->grab()
        .toImage()
        .convertToFormat(QImage::Format_RGB888)
        .save(QString::fromStdString(folder + "/screen.png"));
    panel->CreateBitmapImage()->SaveToFile(folder + "/panel.bmp");
    const TRect all = panel->PanelRectangle();
    panel->CreateMetafileImage(true, all)->SaveToFile(folder + "/panel.emf");
    panel->CreateMetafileImage(false, all)->SaveToFile(folder + "/panel.wmf");

    std::ofstream fixture(folder + "/fixture.txt");
    fixture << "panel 0 0 240 160\n";
    fixture << "shape " << kShape.Left << ' ' << kShape.Top << ' ' << kShape.Right << ' '
            << kShape.Bottom << '\n';
    fixture << "shadow " << kShadow << '\n';
    fixture << "caption " << kCaption.Left << ' ' << kCaption.Top << ' ' << kCaption.Right << ' '
            << kCaption.Bottom << '\n';
    fixture << "back " << Hex(kBack) << "\nstart " << Hex(clRed) << "\nend " << Hex(clYellow)
            << "\nshadowcolor " << Hex(clNavy) << "\npen " << Hex(clBlack) << '\n';
    form->Free();
    return 0;
}
