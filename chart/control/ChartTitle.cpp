// The chart's titles: layout, drawing and the strip each takes from the plot rectangle.

#include "chart/control/ChartTitle.h"

#include "chart/control/TitleText.h"
#include "chart/panel/PlotPanel.h"

#include <algorithm>

TChartTitle::TChartTitle(TCustomPlotPanel* parent)
    : TPlotCustomShapePosition(parent), text_(std::make_unique<TStringList>()) {
    defaultTransparent_ = true;
    SetTransparent(true);
    Font()->SetColor(clBlue);
    Font()->SetDefaultColor(clBlue);
    text_->OnChange = [this](TObject*) { Changed(); };
}

TChartTitle::~TChartTitle() = default;

void TChartTitle::DeclareProperties(TPropertyList& p) {
    using S = TChartTitle;
    p.Add("AdjustFrame", &S::AdjustFrame, &S::SetAdjustFrame).Default(true);
    p.Add("Alignment", &S::Alignment, &S::SetAlignment).Default(taCenter);
    p.Add("Text", &S::Text, &S::SetText).Stored(&S::TextStored);
    p.Add("VertMargin", &S::VertMargin, &S::SetVertMargin).Default(5);
}

void TChartTitle::SetText(TStrings* text) {
    SetTitleLines(*text_, text);
}

void TChartTitle::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TChartTitle*>(source)) {
        adjustFrame_ = other->adjustFrame_;
        alignment_ = other->alignment_;
        SetText(other->text_.get());
        vertMargin_ = other->vertMargin_;
    }
    TPlotCustomShapePosition::Assign(source);
}

int TChartTitle::FrameWidth() const {
    if (Bevel() != bvNone)
        return BevelWidth();
    if (Pen()->Visible() && Pen()->Color() != clDefault)
        return Pen()->Width();
    return 0;
}

bool TChartTitle::Clicked(int x, int y) const {
    return Visible() && x >= ShapeRect.Left && x <= ShapeRect.Right && y >= ShapeRect.Top &&
           y <= ShapeRect.Bottom;
}

void TChartTitle::Draw() {
    TCustomPlotPanel* panel = Parent();
    if (!Visible() || text_->Count() == 0 || panel == nullptr)
        return;
    TCanvas3D& canvas = *panel->DrawCanvas();
    const int lines = text_->Count();
    const int frame = FrameWidth();
    if (!CustomPosition()) {
        ShapeRect = panel->PlotRect();
        if (onTop_)
            ShapeRect.Top += frame;
    }
    canvas.SelectFont(Font());
    canvas.SetTextAlignment(TA_LEFT);
    const int lineHeight = canvas.CharHeight();
    if (onTop_ || CustomPosition())
        ShapeRect.Bottom = ShapeRect.Top + lines * lineHeight;
    else
        ShapeRect.Top = ShapeRect.Bottom - lines * lineHeight;
    if (!CustomPosition())
        InflateRect(ShapeRect, frame, frame);
    const int charWidth = canvas.MeasureTextWidth("W");
    if (adjustFrame_)
        FitWidth(canvas, frame, charWidth);
    DrawShape();
    DrawLines(canvas, frame, lineHeight, charWidth);
    if (!CustomPosition())
        TakeStrip(frame, lineHeight);
}

void TChartTitle::FitWidth(TPlotCanvas& canvas, int frame, int charWidth) {
    int widest = 0;
    for (int i = 0; i < text_->Count(); ++i)
        widest = std::max(widest, canvas.MeasureTextWidth(text_->Get(i)));
    const int width = charWidth + frame + widest;
    switch (alignment_) {
    case taLeftJustify:
        ShapeRect.Right = ShapeRect.Left + width;
        break;
    case taRightJustify:
        ShapeRect.Left = ShapeRect.Right - width;
        break;
    case taCenter: {
        if (CustomPosition())
            ShapeRect.Right = ShapeRect.Left + width;
        const int centre = (ShapeRect.Left + ShapeRect.Right) / 2;
        ShapeRect.Left = centre - width / 2;
        ShapeRect.Right = centre + width / 2;
        break;
    }
    }
}

void TChartTitle::DrawLines(TPlotCanvas& canvas, int frame, int lineHeight, int charWidth) {
    // Text over a solid brush would fill its cell.
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(cbmTransparent);
    canvas.SetTextAlignment(TA_LEFT);
    const int lines = text_->Count();
    if (TextFormat() == ttfHtml) {
        const int y = onTop_ ? ShapeRect.Top + frame : ShapeRect.Bottom - lineHeight - frame;
        canvas.TextOutTagged(ShapeRect.Left + charWidth / 2, y, text_->Text(), true);
        return;
    }
    for (int i = 0; i < lines; ++i) {
        const std::string line = text_->Get(i);
        const int y = onTop_
                          ? ShapeRect.Top + frame + i * lineHeight
                          : ShapeRect.Bottom - lineHeight - (frame + (lines - 1 - i) * lineHeight);
        int x = ShapeRect.Left + charWidth / 2;
        if (alignment_ == taRightJustify)
            x = ShapeRect.Right - canvas.MeasureTextWidth(line) - charWidth / 2;
        else if (alignment_ == taCenter)
            x = (ShapeRect.Left + ShapeRect.Right) / 2 - canvas.MeasureTextWidth(line) / 2;
        canvas.TextOut(x, y, line);
    }
}

void TChartTitle::TakeStrip(int frame, int lineHeight) {
    TCustomPlotPanel* panel = Parent();
    int gap = vertMargin_ + frame;
    if (!Transparent() && Shadow() != nullptr && Shadow()->Visible())
        gap += Shadow()->VertSize();
    if (panel->FixedPlotRect())
        return;
    TRect plot = panel->PlotRect();
    if (onTop_)
        plot.Top = ShapeRect.Bottom + gap;
    else
        plot.Bottom = ShapeRect.Bottom - gap - text_->Count() * lineHeight;
    panel->SetPlotRect(plot);
    panel->SetFixedPlotRect(false);
    panel->RecalcPlotSize();
}

TChartFootTitle::TChartFootTitle(TCustomPlotPanel* parent) : TChartTitle(parent) {
    onTop_ = false;
    Font()->SetColor(clRed);
    Font()->SetDefaultColor(clRed);
    Font()->SetStyle(TFontStyles{fsItalic});
    Font()->SetDefaultStyle(TFontStyles{fsItalic});
}
