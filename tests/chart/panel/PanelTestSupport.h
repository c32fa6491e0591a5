#pragma once
// The chart panel tests: a panel on a shown form whose chart is its background and whatever the
// test draws over it, mouse drags sent to its window, and the window's pixels.

#include "chart/panel/PlotPanelExtended.h"
#include "platform/forms/Forms.h"

#include <QImage>

#include <functional>
#include <gtest/gtest.h>

namespace paneltest {

// A panel that draws its background and then what Content draws; it counts its drawings.
class TTestPanel : public TCustomPlotPanelExtended {
    Q4_CLASS(TTestPanel, TCustomPlotPanelExtended)
public:
    explicit TTestPanel(TComponent* owner) : TCustomPlotPanelExtended(owner) {}
    std::function<void(TTestPanel&, const TRect&)> Content;
    int Drawings = 0;
    int Zooms = 0;
    std::vector<std::pair<TPoint, TPoint>> Pans;
    using TCustomPlotPanel::DrawPanelFrame;

protected:
    void DrawToRect(const TRect& r) override;
    void ZoomToRect() override;
    bool PanBy(TPoint from, TPoint to) override;
};

class PanelFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A new panel of w x h on the form, its window made.
    TTestPanel* MakePanel(int w = 200, int h = 120);

    TForm* form = nullptr;
};

// The window as it is painted now (a paint runs first when one is due).
QImage Grab(TWinControl* control);
// Mouse events on the control's window; buttons is what is held during the event.
void Press(TWinControl* control, int x, int y, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers keys = Qt::NoModifier);
void MoveTo(TWinControl* control, int x, int y, Qt::MouseButtons held = Qt::LeftButton);
void Release(TWinControl* control, int x, int y, Qt::MouseButton button = Qt::LeftButton);
void DoubleClick(TWinControl* control, int x, int y);

} // namespace paneltest
