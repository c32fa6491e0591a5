// Where bars go: their position and value ends under MultiBar, their origins and bounds, the
// axis extremes and margins they need, the visible range, depth slots, marks and the hit test.
// Vertical bars run their positions along the horizontal axis; horizontal bars exchange the
// axes and differ where noted.

#include "chart/core/ChartAxis.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/series/CustomBarSeries.h"
#include "chart/series/VisibleRangeWidening.h"
#include "chart/util/HitTests.h"

#include <algorithm>
#include <utility>

// ---- positions --------------------------------------------------------------------------------

int TCustomBarSeries::ChartIndex() const {
    TChartHost* chart = ParentChart();
    if (!chart)
        return 0;
    for (int i = 0; i < chart->SeriesCount(); ++i)
        if (chart->SeriesAt(i) == this)
            return i;
    return 0;
}

int TCustomBarSeries::BarPositionPixel(int index) {
    int result;
    if (multiBar_ == mbSideAll) {
        result = PositionPixel(index + previousCount_) - barSize_ / 2;
    } else if (multiBar_ == mbSelfStack) {
        result = PositionPixel(ChartIndex()) - barSize_ / 2;
    } else {
        result = PositionPixel(NotMandatoryValueList()->ValueAt(index));
        if (multiBar_ != mbNone)
            result += RoundEven((orderPosition_ - BarCount() * 0.5 - 1) * barSize_);
        else
            result -= barSize_ / 2;
    }
    if (offsetPercent_ != 0)
        result += RoundEven(offsetPercent_ * barSize_ * 0.01);
    return result;
}

int TCustomBarSeries::BarValuePixel(int index) {
    if (!Stacking() && multiBar_ != mbSelfStack)
        return ValuePixel(MandatoryValueAt(index));
    double v = StackBase(index, false) + MandatoryValueAt(index);
    if (multiBar_ == mbStacked100) {
        const double total = StackBase(index, true);
        // A column whose values are all 0 has no percentages: both ends lie at pixel 0.
        if (total == 0)
            return 0;
        v = v * 100 / total;
    }
    return ValuePixel(v);
}

int TCustomBarSeries::PixelX(int index) {
    return Vertical() ? BarPositionPixel(index) : BarValuePixel(index);
}

int TCustomBarSeries::PixelY(int index) {
    return Vertical() ? BarValuePixel(index) : BarPositionPixel(index);
}

void TCustomBarSeries::PointPixels(int index, int& x, int& y) {
    x = PixelX(index);
    y = PixelY(index);
    (Vertical() ? x : y) += barSize_ / 2;
}

double TCustomBarSeries::StackBase(int index, bool all) {
    if (Stacking()) {
        TChartHost* chart = ParentChart();
        if (!chart)
            return 0;
        const double own = MandatoryValueAt(index);
        double sum = 0;
        for (int i = 0; i < chart->SeriesCount(); ++i) {
            TChartSeries* s = chart->SeriesAt(i);
            if (!all && s == this)
                break;
            auto* bar = dynamic_cast<TCustomBarSeries*>(s);
            if (!bar || !s->Active() || s->Count() <= index || !IsSameKindAs(bar) ||
                bar->stackGroup_ != stackGroup_)
                continue;
            const double v = s->MandatoryValueAt(index);
            if (own >= 0 ? v > 0 : v < 0)
                sum += v;
        }
        return sum;
    }
    if (multiBar_ == mbSelfStack) {
        double sum = 0;
        for (int i = 0; i < index; ++i)
            sum += MandatoryValueAt(i);
        return sum;
    }
    return yOrigin_;
}

int TCustomBarSeries::BarOrigin(int index) {
    const double base = StackBase(index, false);
    if (multiBar_ == mbStacked100) {
        const double total = StackBase(index, true);
        return total == 0 ? 0 : ValuePixel(base * 100 / total);
    }
    if (multiBar_ == mbStacked || multiBar_ == mbSelfStack || useYOrigin_)
        return ValuePixel(base);
    TChartAxis* axis = ValueAxis();
    if (!axis)
        return 0;
    return Vertical() ? axis->EndPixel() : axis->StartPixel();
}

TRect TCustomBarSeries::GetBarBounds(int index) {
    const bool apart = barWidthPercent_ != 100 || customBarWidth_ != 0 || multiBar_ == mbSelfStack;
    const bool penShown = Pen()->Visible();
    const int start = BarPositionPixel(index);
    const bool inverted = PositionAxis() && PositionAxis()->Inverted();
    const int last = Count() - 1;
    TRect r;
    if (Vertical()) {
        r.Left = start;
        if (apart) {
            r.Right = start + barSize_ + 1;
        } else {
            const int wp = penShown ? std::max(1, Pen()->Width()) : 0;
            if (inverted)
                r.Right = index > 0 ? BarPositionPixel(index - 1) : start + barSize_ + wp;
            else
                r.Right = index < last ? BarPositionPixel(index + 1) + 1 - wp / 2
                                       : start + barSize_ + 1 - wp / 2;
        }
        r.Top = BarValuePixel(index);
        r.Bottom = BarOrigin(index);
        if (!penShown) {
            ++r.Right;
            if (r.Bottom > r.Top)
                ++r.Bottom;
            else
                ++r.Top;
        }
        return r;
    }
    r.Top = start;
    if (apart) {
        r.Bottom = start + barSize_ - 1;
    } else {
        const int wp = penShown ? Pen()->Width() : 0;
        if (inverted)
            r.Bottom = index < last ? BarPositionPixel(index + 1) : start + barSize_ - wp;
        else
            r.Bottom = index > 0 ? BarPositionPixel(index - 1) : start + barSize_ - wp;
    }
    r.Right = BarValuePixel(index);
    r.Left = BarOrigin(index);
    if (!penShown) {
        if (r.Left >= r.Right) {
            ++r.Left;
            --r.Right;
        } else {
            ++r.Right;
        }
        ++r.Bottom;
    }
    return r;
}

// ---- extremes ---------------------------------------------------------------------------------

double TCustomBarSeries::ValueExtreme(bool highest) {
    double result;
    TChartValueList& values = *MandatoryValueList();
    if (multiBar_ == mbStacked100) {
        result = highest ? 100 : 0;
    } else if (multiBar_ == mbSelfStack && highest) {
        result = 0;
        for (int i = 0; i < Count(); ++i)
            result += MandatoryValueAt(i);
    } else {
        result = highest ? values.Highest() : values.Lowest();
        if (multiBar_ == mbStacked || multiBar_ == mbSelfStack) {
            for (int i = 0; i < Count(); ++i) {
                const double top = StackBase(i, false) + MandatoryValueAt(i);
                result = highest ? std::max(result, top) : std::min(result, top);
            }
        }
    }
    if (useYOrigin_)
        result = highest ? std::max(result, yOrigin_) : std::min(result, yOrigin_);
    return result;
}

double TCustomBarSeries::HighestX() {
    if (!Vertical())
        return ValueExtreme(true);
    if (multiBar_ == mbSideAll)
        return Count() + previousCount_ - 1;
    if (multiBar_ == mbSelfStack)
        return ChartIndex();
    return TChartSeries::HighestX();
}

double TCustomBarSeries::LowestX() {
    if (!Vertical())
        return ValueExtreme(false);
    return multiBar_ == mbSelfStack ? ChartIndex() : TChartSeries::LowestX();
}

double TCustomBarSeries::HighestY() {
    if (Vertical())
        return ValueExtreme(true);
    if (multiBar_ == mbSideAll)
        return Count() + previousCount_ - 1;
    if (multiBar_ == mbSelfStack)
        return ChartIndex();
    return TChartSeries::HighestY();
}

double TCustomBarSeries::LowestY() {
    if (Vertical())
        return ValueExtreme(false);
    return multiBar_ == mbSelfStack ? ChartIndex() : TChartSeries::LowestY();
}

// ---- margins ----------------------------------------------------------------------------------

int TCustomBarSeries::MarkExtent(int index) {
    TChartHost* chart = ParentChart();
    if (!chart)
        return 0;
    if (Vertical())
        return chart->FontHeight(Marks()->Font());
    if (index == -1)
        return Marks()->MaxMarkWidth();
    TCanvas3D* canvas = chart->ChartCanvas();
    if (!canvas)
        return 0;
    canvas->SelectFont(Marks()->Font());
    return canvas->MeasureTextWidth(MarkText(index));
}

int TCustomBarSeries::MarkSpace() {
    if (Count() == 0 || !Marks()->Visible())
        return 0;
    int space = MarkExtent(-1) + Marks()->Callout()->Length();
    if (Marks()->Pen()->Visible())
        space += 2 * Marks()->Pen()->Width();
    return space;
}

// Along the positions both margins grow by the bars of a point (half without SideMargins).
void TCustomBarSeries::PositionMargins(int& low, int& high) {
    CalcBarSize();
    int grow = multiBar_ == mbSideAll ? barSize_ : barSize_ * BarCount();
    if (!sideMargins_)
        grow /= 2;
    low += grow;
    high += grow;
}

// Along the values the marks need room beyond the bars: below (left of) the origin when some
// value lies there, above it unless every value stays at or below it.
void TCustomBarSeries::ValueMargins(int& below, int& above) {
    const int m = MarkSpace();
    if (m <= 0)
        return;
    TChartValueList& values = *MandatoryValueList();
    if (useYOrigin_ && values.Lowest() < yOrigin_)
        below += m + 1;
    if (!(useYOrigin_ && values.Highest() <= yOrigin_))
        above += m + 1;
}

void TCustomBarSeries::GetHorizMargins(int& left, int& right) {
    TChartSeries::GetHorizMargins(left, right);
    TChartAxis* axis = GetHorizAxis();
    if (Vertical())
        PositionMargins(left, right);
    else if (axis && axis->Inverted())
        ValueMargins(right, left);
    else
        ValueMargins(left, right);
}

void TCustomBarSeries::GetVertMargins(int& top, int& bottom) {
    TChartSeries::GetVertMargins(top, bottom);
    TChartAxis* axis = GetVertAxis();
    if (!Vertical())
        PositionMargins(top, bottom);
    else if (axis && axis->Inverted())
        ValueMargins(top, bottom);
    else
        ValueMargins(bottom, top);
}

// ---- depth ------------------------------------------------------------------------------------

// Bars shown together share the depth slot of the first series of their class.
void TCustomBarSeries::AssignZOrder() {
    TChartHost* chart = ParentChart();
    if (multiBar_ != mbNone && chart && ZOrder() == -1) {
        for (int i = 0; i < chart->SeriesCount(); ++i) {
            TChartSeries* s = chart->SeriesAt(i);
            if (s == this)
                break;
            if (s->Active() && s->ClassType() == ClassType()) {
                SetInternalZOrder(s->EffectiveZOrder());
                return;
            }
        }
    }
    TChartSeries::AssignZOrder();
}

void TCustomBarSeries::CalcZRange() {
    TChartSeries::CalcZRange();
    if (depthPercent_ == 0)
        return;
    const int d = RoundEven((100 - depthPercent_) * (EndZ() - StartZ()) * 0.005);
    SetZRange(StartZ() + d, EndZ() - d);
    Marks()->SetZPosition(MiddleZ());
}

bool TCustomBarSeries::SharesZOrder() {
    if (Vertical() && multiBar_ == mbSideAll)
        return false;
    return TChartSeries::SharesZOrder();
}

bool TCustomBarSeries::NormalRotation() const {
    if (multiBar_ == mbNone)
        return TChartSeries::NormalRotation();
    if (multiBar_ == mbSide || multiBar_ == mbSideAll)
        return Vertical() ? TChartSeries::NormalRotation() : false;
    TChartAxis* axis = GetVertAxis();
    return !(axis && axis->Inverted());
}

// ---- visible range ----------------------------------------------------------------------------

bool TCustomBarSeries::PointInChartRect(int index) {
    TChartHost* chart = ParentChart();
    if (!chart)
        return false;
    const TRect plot = chart->ChartRect();
    TRect r = GetBarBounds(index);
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    return std::max(plot.Left, r.Left) < std::min(plot.Right, r.Right) &&
           std::max(plot.Top, r.Top) < std::min(plot.Bottom, r.Bottom);
}

void TCustomBarSeries::UpdateVisibleRange() {
    if (multiBar_ == mbSelfStack) {
        SetVisibleRange(Count() > 0 ? 0 : -1, Count() - 1);
        return;
    }
    TChartHost* chart = ParentChart();
    if (chart && chart->MaxPointsPerPage() == 1) {
        int first = chart->CurrentPage() - 1;
        if (first >= Count())
            first = -1;
        SetVisibleRange(first, first);
        return;
    }
    TChartSeries::UpdateVisibleRange();
    int first = FirstVisibleIndex(), last = LastVisibleIndex();
    WidenVisibleRange(first, last, Count(), *NotMandatoryValueList(),
                      [this](int i) { return PointInChartRect(i); });
    SetVisibleRange(first, last);
}

// ---- hit test ---------------------------------------------------------------------------------

int TCustomBarSeries::PointAt(int x, int y) {
    const int first = FirstVisibleIndex();
    if (first < 0 || !ParentChart())
        return -1;
    const int last = std::min(LastVisibleIndex(), Count() - 1);
    for (int i = first; i <= last; ++i)
        if (BarHit(i, {x, y}))
            return i;
    return -1;
}

bool TCustomBarSeries::BarHit(int index, TPoint p) {
    TChartHost* chart = ParentChart();
    TCanvas3D* canvas = chart ? chart->ChartCanvas() : nullptr;
    const bool view3D = chart && chart->View3D() && canvas;
    // Along the positions (a, a + bar size); along the values (low, high).
    const int a = BarPositionPixel(index);
    const int b = a + barSize_;
    int low = BarValuePixel(index), high = BarOrigin(index);
    if (low > high)
        std::swap(low, high);
    const bool vertical = Vertical();
    auto at = [&](int along, int value) {
        return vertical ? TPoint{along, value} : TPoint{value, along};
    };
    auto project = [&](TPoint q, int z) { return view3D ? canvas->Project(q.X, q.Y, z) : q; };
    const int pos = vertical ? p.X : p.Y;
    if (!view3D && (pos < a || pos > b))
        return false;
    const TBarStyle style = StyleOf(index);
    // Pyramids and cones: the apex at the value end (the top of a vertical bar).
    if (style == bsPyramid || style == bsCone || style == bsInvPyramid || style == bsInvCone) {
        const bool inverse = style == bsInvPyramid || style == bsInvCone;
        int baseValue = vertical ? high : low, apexValue = vertical ? low : high;
        if (inverse)
            std::swap(baseValue, apexValue);
        return PointInsidePolygon(p, {project(at(a, baseValue), StartZ()),
                                      project(at(b, baseValue), StartZ()),
                                      project(at(a + barSize_ / 2, apexValue), MiddleZ())});
    }
    TPoint q = p;
    if (view3D)
        canvas->Unproject(q.X, q.Y, StartZ());
    const int qPos = vertical ? q.X : q.Y, qValue = vertical ? q.Y : q.X;
    if (qPos < a || qPos > b)
        return false;
    if (style == bsEllipse) {
        const TPoint c0 = at(a, low), c1 = at(b, high);
        return PointInsideEllipse(q, c0.X, c0.Y, c1.X, c1.Y);
    }
    return low <= qValue && qValue <= high;
}

// ---- marks ------------------------------------------------------------------------------------

// The mark stands beyond the bar's value end (above a vertical bar, right of a horizontal one),
// or beyond its other end for a bar below (left of) its origin.
void TCustomBarSeries::DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) {
    const TMarksCallout* callout = Marks()->Callout();
    const int distance = callout->Distance();
    int offset = callout->Length() + distance;
    if (Vertical()) {
        if (BarOrigin(index) < position.ArrowFrom.Y) {
            position.ArrowFrom.Y += distance;
            offset = -offset - position.Height;
        } else {
            position.ArrowFrom.Y -= distance;
        }
        position.Top -= offset;
        position.ArrowTo.Y -= offset;
        if (autoMarkPosition_)
            Marks()->AvoidOverlap(FirstVisibleIndex(), index, position);
    } else {
        const bool leftward = BarOrigin(index) > position.ArrowFrom.X;
        if (leftward)
            offset = -offset - position.Width;
        position.Left += offset + position.Width / 2;
        position.Top += position.Height / 2;
        position.ArrowTo.X += offset;
        position.ArrowFrom.X += leftward ? -distance : distance;
    }
    TChartSeries::DrawMark(index, text, position);
}
