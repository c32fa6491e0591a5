#include "chart/tools/PageNumTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/axispanel/ChartPage.h"
#include "chart/draw/ChartMessages.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/tools/ToolTexts.h"
#include "chart/util/HitTests.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
// Room the two buttons add to a box that sizes itself: each button's width and 4 pixels.
constexpr int kButtonGap = 4;

std::unique_ptr<TPlotGradient> ButtonGradient(TColor start, TColor end, TNotifyEvent onChange) {
    auto gradient = std::make_unique<TPlotGradient>(std::move(onChange));
    gradient->SetStartColor(start);
    gradient->SetEndColor(end);
    gradient->SetVisible(true);
    return gradient;
}

} // namespace

TPageNumTool::TPageNumTool(TComponent* owner)
    : TAnnotationTool(owner),
      buttonPen_(std::make_unique<TChartPen>([this](TObject*) { Repaint(); })),
      enabledButton_(ButtonGradient(clBlack, clSilver, [this](TObject*) { Repaint(); })),
      disabledButton_(ButtonGradient(clWhite, clSilver, [this](TObject*) { Repaint(); })),
      format_(ChartMsg(msgPageOfPages)) {}

TPageNumTool::~TPageNumTool() {
    buttonPen_.reset();
    disabledButton_.reset();
    enabledButton_.reset();
}

void TPageNumTool::DeclareProperties(TPropertyList& p) {
    using T = TPageNumTool;
    p.Add("ButtonPen", &T::ButtonPen, &T::SetButtonPen);
    p.Add("ButtonWidth", &T::ButtonWidth, &T::SetButtonWidth).Default(12);
    p.Add("DisabledButton", &T::DisabledButton, &T::SetDisabledButton);
    p.Add("EnabledButton", &T::EnabledButton, &T::SetEnabledButton);
    p.Add("Format", &T::Format, &T::SetFormat).Stored(&T::FormatStored);
    p.Add("ShowButtons", &T::ShowButtons, &T::SetShowButtons).Default(true);
}

void TPageNumTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPageNumTool*>(source)) {
        buttonWidth_ = other->buttonWidth_;
        buttonPen_->Assign(other->buttonPen_.get());
        enabledButton_->Assign(other->enabledButton_.get());
        disabledButton_->Assign(other->disabledButton_.get());
        format_ = other->format_;
        showButtons_ = other->showButtons_;
    }
    TAnnotationTool::Assign(source);
}

std::string TPageNumTool::ToolTitleText() const {
    return ToolText(ttPageNumTitle);
}

std::string TPageNumTool::ToolSummaryText() const {
    return ToolText(ttPageNumSummary);
}

void TPageNumTool::SetButtonPen(TChartPen* pen) {
    buttonPen_->Assign(pen);
}

void TPageNumTool::SetDisabledButton(TPlotGradient* gradient) {
    disabledButton_->Assign(gradient);
}

void TPageNumTool::SetEnabledButton(TPlotGradient* gradient) {
    enabledButton_->Assign(gradient);
}

void TPageNumTool::SetFormat(const std::string& format) {
    if (format == format_)
        return;
    // The text is tried on two page numbers before it is kept, so that drawing never meets a
    // placeholder without its argument or of another kind.
    try {
        ::Format(format, {1, 1});
    } catch (const EConvertError& e) {
        throw ChartException(e.Message());
    }
    format_ = format;
    Repaint();
}

bool TPageNumTool::FormatStored() const {
    return format_ != ChartMsg(msgPageOfPages);
}

// ---- pages --------------------------------------------------------------------------------------

int TPageNumTool::CurrentPage() const {
    TCustomAxisPanel* chart = Chart();
    return chart != nullptr ? chart->Pages()->Current() : 1;
}

int TPageNumTool::PageCount() const {
    TCustomAxisPanel* chart = Chart();
    return chart != nullptr ? chart->PageCount() : 1;
}

std::string TPageNumTool::GetText() const {
    return ::Format(format_, {CurrentPage(), PageCount()});
}

// ---- layout -------------------------------------------------------------------------------------

bool TPageNumTool::ButtonsOnLeft() const {
    return Shape()->CustomPosition() || Position() == ppLeftTop || Position() == ppLeftBottom;
}

int TPageNumTool::GetTextOffset() {
    if (!showButtons_)
        return 0;
    switch (TextAlignment()) {
    case taLeftJustify:
        return buttonWidth_ + kButtonGap;
    case taRightJustify:
        return -(buttonWidth_ + kButtonGap);
    default:
        return 0;
    }
}

TRect TPageNumTool::CalcShapeBounds(int& lines) {
    TRect box = TAnnotationTool::CalcShapeBounds(lines);
    if (Chart() == nullptr)
        return box;
    if (AutoSize() && showButtons_) {
        const int room = 2 * buttonWidth_ + 2 * kButtonGap;
        if (ButtonsOnLeft())
            box.Right += room;
        else
            box.Left -= room;
    }
    Shape()->ShapeRect = box;
    return box;
}

TPointList TPageNumTool::PreviousButton() const {
    const TRect& r = Shape()->ShapeRect;
    const int x = r.Left + 3;
    return {{x, (r.Top + r.Bottom) / 2},
            {x + buttonWidth_, r.Top + 4},
            {x + buttonWidth_, r.Bottom - 4}};
}

TPointList TPageNumTool::NextButton() const {
    const TRect& r = Shape()->ShapeRect;
    const int x = r.Right - 4;
    return {{x, (r.Top + r.Bottom) / 2},
            {x - buttonWidth_, r.Top + 4},
            {x - buttonWidth_, r.Bottom - 4}};
}

// ---- drawing and mouse --------------------------------------------------------------------------

void TPageNumTool::DrawAnnotation() {
    TAnnotationTool::DrawAnnotation();
    if (!showButtons_)
        return;
    DrawButton(PreviousButton(), CurrentPage() > 1);
    DrawButton(NextButton(), CurrentPage() < PageCount());
}

void TPageNumTool::DrawButton(const TPointList& points, bool usable) {
    TCustomAxisPanel& chart = *Chart();
    TCanvas3D& canvas = *chart.DrawCanvas();
    // The buttons are laid out in the chart's own coordinates, like the box.
    const TRect& bounds = chart.PanelBounds();
    TPointList shifted = points;
    for (TPoint& p : shifted) {
        p.X += bounds.Left;
        p.Y += bounds.Top;
    }
    canvas.ApplyChartPen(buttonPen_.get(), buttonPen_->Color());
    canvas.GradientPolygon(shifted, usable ? *enabledButton_ : *disabledButton_);
}

bool TPageNumTool::OnUsableButton(int x, int y) {
    GetBounds();
    return (CurrentPage() > 1 && PointInsidePolygon({x, y}, PreviousButton())) ||
           (CurrentPage() < PageCount() && PointInsidePolygon({x, y}, NextButton()));
}

void TPageNumTool::ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) {
    TCustomAxisPanel* chart = Chart();
    if (showButtons_ && chart != nullptr) {
        if (kind == kMouseDown && button == mbLeft) {
            GetBounds();
            const TPoint at{x, y};
            // A press on a button is the button's, whether or not the page can turn: it
            // neither clicks the annotation nor starts the chart's zoom or scroll.
            if (PointInsidePolygon(at, PreviousButton())) {
                chart->MouseCancelled = true;
                chart->Pages()->PreviousPage();
                return;
            }
            if (PointInsidePolygon(at, NextButton())) {
                chart->MouseCancelled = true;
                chart->Pages()->NextPage();
                return;
            }
        } else if (kind == kMouseMove) {
            if (OnUsableButton(x, y)) {
                chart->SetChartCursor(crHandPoint);
                chart->MouseCancelled = true;
                return;
            }
        }
    }
    TAnnotationTool::ChartMouseEvent(kind, button, shift, x, y);
}
