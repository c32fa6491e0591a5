// Series marks: their settings, stored form, positions and items.

#include "chart/core/SeriesMarks.h"

#include "chart/core/ChartHost.h"
#include "chart/panel/PlotPanel.h"
#include "platform/classes/Filer.h"

#include <cmath>

TSeriesMarksSymbol::TSeriesMarksSymbol(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {
    SetVisible(false);
    SetTransparent(false);
    if (TPlotShadow* shadow = Shadow())
        shadow->SetDefaults(shadow->Color(), 1);
}

TSeriesMarks::TSeriesMarks(TChartSeries* series)
    : TPlotCustomShape(nullptr), series_(series),
      margins_(std::make_unique<TMargins>([this](TObject*) { RepaintChart(); }, 20)) {
    SetVisible(false);
    SetColor(DefaultColor);
    if (TPlotShadow* shadow = Shadow())
        shadow->SetDefaults(clGray, 3);
}

TSeriesMarks::~TSeriesMarks() = default;

void TSeriesMarksSymbol::DeclareProperties(TPropertyList& p) {
    using S = TSeriesMarksSymbol;
    p.Add("Bevel", &S::Bevel, &S::SetBevel).Default(bvNone);
    p.Add("BevelWidth", &S::BevelWidth, &S::SetBevelWidth).Default(2);
    p.Add("Brush", &S::Brush, &S::SetBrush);
    p.Add("Frame", &S::Pen, &S::SetPen);
    p.Add("Gradient", &S::Gradient, &S::SetGradient).Stored(&S::GradientStored);
    p.Add("Pen", &S::Pen, &S::SetPen).Stored(&S::PenStored);
    p.Add("Picture", &S::Picture, &S::SetPicture).Stored(&S::PictureStored);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
    p.Add("ShapeStyle", &S::ShapeStyle, &S::SetShapeStyle).Default(fosRectangle);
    p.Add("Transparency", &S::Transparency, &S::SetTransparency).Default(0);
    p.Add("Visible", &S::Visible, &S::SetVisible).Default(false);
}

void TSeriesMarks::DeclareProperties(TPropertyList& p) {
    using S = TSeriesMarks;
    p.Add("Angle", &S::Angle, &S::SetAngle).Default(0);
    // Shortcuts to the callout and the box colour: read, never written (the callout and Color
    // store them).
    p.Add("Arrow", &S::Arrow, &S::SetArrow).Stored(&S::ShortcutStored);
    p.Add("ArrowLength", &S::ArrowLength, &S::SetArrowLength).Stored(&S::ShortcutStored);
    p.Add("BackColor", &S::BackColor, &S::SetBackColor, TColorTypeInfo())
        .Stored(&S::ShortcutStored);
    p.Add("Bevel", &S::Bevel, &S::SetBevel).Default(bvNone);
    p.Add("BevelWidth", &S::BevelWidth, &S::SetBevelWidth).Default(2);
    p.Add("Brush", &S::Brush, &S::SetBrush);
    p.Add("Callout", &S::Callout, &S::SetCallout).Stored(&S::CalloutStored);
    p.Add("Clip", &S::Clip, &S::SetClip).Default(false);
    p.Add("Color", &S::Color, &S::SetColor, TColorTypeInfo()).Default(DefaultColor);
    p.Add("DrawEvery", &S::DrawEvery, &S::SetDrawEvery).Default(1);
    p.Add("Font", &S::Font, &S::SetFont);
    p.Add("Frame", &S::Pen, &S::SetPen);
    p.Add("Gradient", &S::Gradient, &S::SetGradient).Stored(&S::GradientStored);
    p.Add("Margins", &S::Margins, &S::SetMargins);
    p.Add("MultiLine", &S::MultiLine, &S::SetMultiLine).Default(false);
    p.Add("Picture", &S::Picture, &S::SetPicture).Stored(&S::PictureStored);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
    p.Add("ShapeStyle", &S::ShapeStyle, &S::SetShapeStyle).Default(fosRectangle);
    p.Add("Style", &S::Style, &S::SetStyle).Default(smsLabel);
    p.Add("Symbol", &S::Symbol, &S::SetSymbol).Stored(&S::SymbolStored);
    p.Add("TextAlign", &S::TextAlign, &S::SetTextAlign).Default(taCenter);
    p.Add("TextFormat", &S::TextFormat, &S::SetTextFormat).Default(ttfNormal);
    p.Add("Transparency", &S::Transparency, &S::SetTransparency).Default(0);
    p.Add("Transparent", &S::Transparent, &S::SetTransparent).Stored(&S::TransparentStored);
    p.Add("Visible", &S::Visible, &S::SetVisible).Default(false);
}

void TSeriesMarks::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TSeriesMarks*>(source)) {
        angle_ = other->angle_;
        SetCallout(other->callout_.get());
        clip_ = other->clip_;
        drawEvery_ = other->drawEvery_;
        style_ = other->style_;
        margins_->Assign(other->margins_.get());
        multiLine_ = other->multiLine_;
        SetSymbol(other->symbol_.get());
        textAlign_ = other->textAlign_;
        items_.Clear();
        for (int i = 0; i < other->items_.Count(); ++i)
            if (TMarksItem* item = other->items_.Existing(i))
                items_.Item(i)->Assign(item);
    }
    TPlotCustomShape::Assign(source);
}

void TSeriesMarks::SetCallout(TMarksCallout* callout) {
    if (callout == nullptr)
        callout_.reset();
    else if (callout != callout_.get())
        Callout()->Assign(callout);
}

void TSeriesMarks::SetSymbol(TSeriesMarksSymbol* symbol) {
    if (symbol == nullptr)
        symbol_.reset();
    else if (symbol != symbol_.get())
        Symbol()->Assign(symbol);
}

void TSeriesMarks::DefineProperties(TFiler* filer) {
    TPlotCustomShape::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Items", [this](TStream& s) { items_.ReadBlock(s); },
        [this](TStream& s) { items_.WriteBlock(s); }, items_.Count() > 0);
}

std::unique_ptr<TPlotGradient> TSeriesMarks::NewGradient() {
    return std::make_unique<TSeriesMarksGradient>();
}

void TSeriesMarks::RepaintChart() const {
    if (TChartHost* chart = Chart())
        chart->Invalidate();
}

TMarksCallout* TSeriesMarks::Callout() {
    if (!callout_)
        callout_ = std::make_unique<TMarksCallout>(series_);
    return callout_.get();
}

TSeriesMarksSymbol* TSeriesMarks::Symbol() {
    if (!symbol_)
        symbol_ = std::make_unique<TSeriesMarksSymbol>(Parent());
    return symbol_.get();
}

TPlotCustomShape* TSeriesMarks::ItemOrSelf(int index) const {
    if (TMarksItem* item = items_.Existing(index))
        return item;
    return const_cast<TSeriesMarks*>(this);
}

void TSeriesMarks::ApplyCallout(TSeriesMarkPosition& position) const {
    if (callout_)
        callout_->ApplyTo(position);
}

void TSeriesMarks::StorePosition(int index, TSeriesMarkPosition& position) {
    if (index < 0)
        return;
    TSeriesMarkPosition& stored = positions_.Ensure(index);
    if (!stored.Custom) {
        stored = position;
        return;
    }
    const TPoint arrowFrom = position.ArrowFrom;
    const bool fixed = position.ArrowFix;
    position = stored;
    if (fixed)
        position.ArrowFrom = arrowFrom;
}

void TSeriesMarks::ClearPositionsAndItems() {
    positions_.Clear();
    ClearItems();
}

void TSeriesMarks::ClearItems() {
    // Items just read from a description outlive the clearing of the points that follows them
    // while the series is still being read.
    if (items_.Loading() && series_ != nullptr && series_->ComponentState().Contains(csLoading))
        return;
    items_.EndLoading();
    if (items_.Count() > 0)
        items_.Clear();
}

void TSeriesMarks::DeletePoint(int index) {
    positions_.Delete(index);
    items_.Delete(index);
}

void TSeriesMarks::SetParentChart(TChartHost* chart) {
    auto* panel =
        chart != nullptr ? dynamic_cast<TCustomPlotPanel*>(chart->ChartComponent()) : nullptr;
    SetParent(panel);
    items_.SetParent(panel);
    if (symbol_)
        symbol_->SetParent(panel);
    if (callout_)
        callout_->SetParentChart(chart);
}

bool TSeriesMarks::CustomItemText(int index, std::string& text) const {
    const TMarksItem* item = items_.Existing(index);
    if (item == nullptr || item->TextIfAny() == nullptr || item->TextIfAny()->Count() == 0)
        return false;
    text.clear();
    for (int i = 0; i < item->TextIfAny()->Count(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += item->TextIfAny()->Get(i);
    }
    return true;
}
