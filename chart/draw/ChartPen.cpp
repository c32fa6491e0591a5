#include "chart/draw/ChartPen.h"

TChartPen::TChartPen(TNotifyEvent onChange) {
    OnChange = std::move(onChange);
}

void TChartPen::DeclareProperties(TPropertyList& p) {
    p.Add("EndStyle", &TChartPen::EndStyle, &TChartPen::SetEndStyle)
        .Stored(&TChartPen::EndStyleStored);
    p.Add("SmallDots", &TChartPen::SmallDots, &TChartPen::SetSmallDots).Default(false);
    p.Add("SmallSpace", &TChartPen::SmallSpace, &TChartPen::SetSmallSpace).Default(0);
    p.Add("Visible", &TChartPen::Visible, &TChartPen::SetVisible).Stored(&TChartPen::VisibleStored);
}

void TChartPen::Assign(TPersistent* source) {
    if (auto* pen = dynamic_cast<TChartPen*>(source)) {
        visible_ = pen->visible_;
        smallDots_ = pen->smallDots_;
        smallSpace_ = pen->smallSpace_;
        endStyle_ = pen->endStyle_;
    }
    TPen::Assign(source);
}

void TChartPen::SetEndStyle(TPenEndStyle style) {
    if (style == endStyle_)
        return;
    endStyle_ = style;
    Changed();
}

void TChartPen::SetSmallDots(bool on) {
    if (on == smallDots_)
        return;
    smallDots_ = on;
    Changed();
}

void TChartPen::SetSmallSpace(int space) {
    if (space == smallSpace_)
        return;
    smallSpace_ = space;
    Changed();
}

void TChartPen::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    Changed();
}

TChartHiddenPen::TChartHiddenPen(TNotifyEvent onChange) : TChartPen() {
    defaultVisible_ = false;
    SetVisible(false);
    OnChange = std::move(onChange);
}

TDottedGrayPen::TDottedGrayPen(TNotifyEvent onChange) : TChartPen() {
    SetColor(clGray);
    SetStyle(psDot);
    OnChange = std::move(onChange);
}

void TDottedGrayPen::DeclareProperties(TPropertyList& p) {
    p.Add("Color", &TPen::Color, &TPen::SetColor, TColorTypeInfo()).Default(clGray);
    p.Add("Style", &TPen::Style, &TPen::SetStyle).Default(psDot);
}

TDarkGrayPen::TDarkGrayPen(TNotifyEvent onChange) : TChartPen() {
    SetColor(clGray);
    OnChange = std::move(onChange);
}

void TDarkGrayPen::DeclareProperties(TPropertyList& p) {
    p.Add("Color", &TPen::Color, &TPen::SetColor, TColorTypeInfo()).Default(clGray);
}

TWhitePen::TWhitePen(TNotifyEvent onChange) : TChartPen() {
    SetColor(clWhite);
    OnChange = std::move(onChange);
}

void TWhitePen::DeclareProperties(TPropertyList& p) {
    p.Add("Color", &TPen::Color, &TPen::SetColor, TColorTypeInfo()).Default(clWhite);
    p.Add("Visible", &TChartPen::Visible, &TChartPen::SetVisible).Stored(true);
}
