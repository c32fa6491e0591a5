#pragma once
// A framed shape the user may place: the base of the legend and of the chart titles. While
// CustomPosition is off the chart lays the shape out; once it is on (setting Left or Top turns it
// on) the shape keeps the place it was given. Its look (frame, fill, font, shadow, text format) is
// published here for the titles and the legend alike.

#include "chart/panel/PlotShape.h"

class TPlotCustomShapePosition : public TPlotCustomShape {
    Q4_CLASS(TPlotCustomShapePosition, TPlotCustomShape)
public:
    explicit TPlotCustomShapePosition(TCustomPlotPanel* parent,
                                      std::unique_ptr<TChartBrush> brush = nullptr);
    static void DeclareProperties(TPropertyList& p);
    // CustomPosition and, when it is set, Left and Top; then the shape's own properties.
    void Assign(TPersistent* source) override;

    bool CustomPosition() const { return customPosition_; }
    void SetCustomPosition(bool on) { SetValue(customPosition_, on); }
    // The left and top of the shape's rectangle. Writing either turns CustomPosition on and moves
    // that edge.
    int Left() const { return ShapeRect.Left; }
    void SetLeft(int left);
    int Top() const { return ShapeRect.Top; }
    void SetTop(int top);

protected:
    // What CustomPosition is compared with when deciding whether to store it.
    bool defaultCustomPosition_ = false;
    bool CustomPositionStored() const { return customPosition_ != defaultCustomPosition_; }
    bool PositionStored() const { return customPosition_; }

private:
    bool customPosition_ = false;
};
