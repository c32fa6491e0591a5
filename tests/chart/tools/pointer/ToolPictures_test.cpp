#include "chart/core/SeriesPointer.h"
#include "chart/draw/ChartPen.h"
#include "chart/tools/CursorTool.h"
#include "chart/tools/MarksTipTool.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <QApplication>
#include <QPainter>
#include <QToolTip>
#include <QWidget>

namespace {

class ToolPictures : public tooltest::ToolChartFixture {};

// The shown tool tip window, if any.
QWidget* ShownToolTip() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->inherits("QLabel"))
            return widget;
    return nullptr;
}

TEST_F(ToolPictures, ACursorOverTheChartAndAMarkTipBesideAPoint) {
    TLineSeries* series = AddSeries({});
    series->AddXYValue(1, 30, "Январь");
    series->AddXYValue(4, 80, "Февраль");
    series->AddXYValue(7, 55, "Март");
    series->AddXYValue(9, 90, "Апрель");
    series->Pointer()->SetVisible(true);
    auto* cursor = new TCursorTool(form);
    cursor->SetParentChart(chart);
    cursor->SetSeries(series);
    cursor->SetSnap(true);
    cursor->SetStyle(cssScope);
    cursor->SetScopeStyle(scsCircle);
    cursor->SetScopeSize(6);
    cursor->SetHorizSize(12);
    cursor->SetVertSize(12);
    cursor->Pen()->SetColor(clBlue);
    auto* tips = new TMarksTipTool(form);
    tips->SetParentChart(chart);
    Paint();
    // The cursor is snapped to the point nearest the middle of the axes (5, 50) in axis values.
    EXPECT_DOUBLE_EQ(cursor->XValue(), 7);
    EXPECT_DOUBLE_EQ(cursor->YValue(), 55);
    // The tip of a point away from the cursor, which would keep the mouse over its lines.
    const int x = series->PixelX(1);
    const int y = series->PixelY(1);
    MoveTo(x, y, Qt::NoButton);
    QImage picture = Paint();
    EXPECT_EQ(chart->Hint(), "Февраль");
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QString::fromUtf8("Февраль"));
    // The tip is a window of its own: laid over the chart's picture where it shows.
    if (QWidget* tip = ShownToolTip()) {
        const QPoint at = tip->pos() - chart->Handle()->mapToGlobal(QPoint(0, 0));
        QPainter painter(&picture);
        painter.drawImage(at, tip->grab().toImage());
    }
    charttest::SavePicture(picture, "tools-cursor-and-mark-tip");
    QToolTip::hideText();
}

} // namespace
