#include "chart/series/LineSeries.h"

#include "chart/core/SeriesMarks.h"

TLineSeries::TLineSeries(TComponent* owner) : TCustomSeries(owner) {
    SetConnectPoints(true);
    Pointer()->Hide();
    allowSinglePoint_ = false;
    drawBetweenPoints_ = true;
}

void TLineSeries::Assign(TPersistent* source) {
    TCustomSeries::Assign(source);
    if (!source->InheritsFrom(TLineSeries::StaticClass()) && !source->InheritsFrom(ClassType()))
        Pointer()->Hide();
    SetDrawArea(false);
    SetConnectPoints(true);
}

THorizLineSeries::THorizLineSeries(TComponent* owner) : TLineSeries(owner) {
    SetXMandatory();
    calcVisiblePoints_ = false;
    XValues()->SetOrder(loNone);
    YValues()->SetOrder(loAscending);
}

int THorizLineSeries::MarkOffset() {
    return Marks()->MaxMarkWidth();
}

void THorizLineSeries::DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) {
    const TMarksCallout* callout = Marks()->Callout();
    int offset = callout->Length() + callout->Distance();
    // A point left of its origin has its mark on the left.
    const bool leftward = OriginPos(index) > position.ArrowFrom.X;
    if (leftward)
        offset = -offset - position.Width;
    position.Left += offset + position.Width / 2;
    position.Top += position.Height / 2;
    position.ArrowTo.X += offset;
    position.ArrowFrom.X += leftward ? -callout->Distance() : callout->Distance();
    TLineSeries::DrawMark(index, text, position);
}
