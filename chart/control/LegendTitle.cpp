// The legend title's size, placement and lines.

#include "chart/control/LegendTitle.h"

#include "chart/control/TitleText.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/Shadow.h"

#include <algorithm>

TLegendTitle::TLegendTitle(TCustomPlotPanel* parent)
    : TPlotShape(parent), text_(std::make_unique<TStringList>()) {
    defaultTransparent_ = true;
    SetTransparent(true);
    Font()->SetStyle(TFontStyles{fsBold});
    Font()->SetDefaultStyle(TFontStyles{fsBold});
    Shadow()->SetDefaults(static_cast<TColor>(0xC0C0C0), 2);
    text_->OnChange = [this](TObject*) { Changed(); };
}

TLegendTitle::~TLegendTitle() = default;

void TLegendTitle::DeclareProperties(TPropertyList& p) {
    using S = TLegendTitle;
    p.Add("Text", &S::Text, &S::SetText).Stored(&S::TextStored);
    p.Add("TextAlignment", &S::TextAlignment, &S::SetTextAlignment).Default(taLeftJustify);
    p.Add("TextFormat", &S::TextFormat, &S::SetTextFormat).Default(ttfNormal);
}

void TLegendTitle::SetText(TStrings* text) {
    SetTitleLines(*text_, text);
}

void TLegendTitle::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TLegendTitle*>(source)) {
        text_->Assign(*other->text_);
        textAlignment_ = other->textAlignment_;
    }
    TPlotShape::Assign(source);
}

int TLegendTitle::FrameWidth() const {
    return Pen()->Visible() ? Pen()->Width() : 0;
}

int TLegendTitle::TitleHeight(TCanvas3D& canvas) {
    canvas.SelectFont(Font());
    int height = canvas.CharHeight() * text_->Count();
    if (!Transparent())
        height += 2 + 2 * FrameWidth();
    return height;
}

int TLegendTitle::TitleWidth(TCanvas3D& canvas) {
    canvas.SelectFont(Font());
    int widest = 0;
    for (int i = 0; i < text_->Count(); ++i)
        widest = std::max(widest, canvas.MeasureTextWidth(text_->Get(i)));
    int width = widest + canvas.MeasureTextWidth("W");
    if (!Transparent()) {
        width += 2 * FrameWidth();
        if (Shadow()->Visible())
            width += Shadow()->HorizSize();
    }
    return width;
}

void TLegendTitle::DrawIn(TCanvas3D& canvas, const TRect& legend) {
    const int height = TitleHeight(canvas);
    ShapeRect = TRect{legend.Left + 2, legend.Top + 2, legend.Right - 2, legend.Top + 2 + height};
    if (!Transparent() && Shadow()->Visible()) {
        const int h = Shadow()->HorizSize();
        if (h < 1)
            ShapeRect.Left -= h;
        else
            ShapeRect.Right -= h;
        if (Shadow()->VertSize() < 0)
            ShapeRect.Top -= Shadow()->VertSize();
    }
    DrawShape();
    canvas.SelectFont(Font());
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(cbmTransparent);
    canvas.SetTextAlignment(TA_LEFT);
    const int lineHeight = canvas.CharHeight();
    const int w = canvas.MeasureTextWidth("W");
    if (TextFormat() == ttfHtml) {
        // Tagged text lays out its own lines.
        canvas.TextOutTagged(ShapeRect.Left + w / 2, ShapeRect.Top + 1, text_->Text(), true);
        return;
    }
    for (int i = 0; i < text_->Count(); ++i) {
        const std::string line = text_->Get(i);
        int x = ShapeRect.Left + w / 2;
        if (textAlignment_ == taRightJustify)
            x = ShapeRect.Right - canvas.MeasureTextWidth(line) - w / 2;
        else if (textAlignment_ == taCenter)
            x = (ShapeRect.Left + ShapeRect.Right) / 2 - canvas.MeasureTextWidth(line) / 2;
        canvas.TextOut(x, ShapeRect.Top + 1 + i * lineHeight, line);
    }
}
