// The bar family's settings and the counting every bar series does before a drawing.

#include "chart/series/CustomBarSeries.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/SeriesMarks.h"

#include <algorithm>
#include <cmath>
#include <vector>

TCustomBarSeries::TCustomBarSeries(TComponent* owner) : TChartSeries(owner) {
    const TNotifyEvent changed = [this](TObject* sender) { SubObjectChanged(sender); };
    gradient_ = std::make_unique<TBarSeriesGradient>(changed);
    gradient_->SetVisible(true);
    shadow_ = std::make_unique<TPlotShadow>(changed);
    shadow_->SetDefaults(static_cast<TColor>(0x808080), 0);
    tickLines_ = std::make_unique<TChartHiddenPen>(changed);
    Marks()->SetVisible(true);
    Marks()->Callout()->SetDefaultLength(20);
    drawBetweenPoints_ = false;
}

// The owned objects go before the base, as they were made to notify this series.
TCustomBarSeries::~TCustomBarSeries() {
    shadow_.reset();
    tickLines_.reset();
    gradient_.reset();
}

void TCustomBarSeries::DeclareProperties(TPropertyList& p) {
    using S = TCustomBarSeries;
    p.Add("AutoBarSize", &S::AutoBarSize, &S::SetAutoBarSize).Default(false);
    p.Add("AutoMarkPosition", &S::AutoMarkPosition, &S::SetAutoMarkPosition).Default(true);
    p.Add("BarBrush", &S::BarBrush, &S::SetBarBrush);
    p.Add("BarPen", &S::BarPen, &S::SetBarPen);
    p.Add("BarStyle", &S::BarStyle, &S::SetBarStyle).Default(bsRectangle);
    p.Add("BarWidthPercent", &S::BarWidthPercent, &S::SetBarWidthPercent).Default(70);
    p.Add("BevelSize", &S::BevelSize, &S::SetBevelSize).Default(1);
    p.Add("Dark3D", &S::Dark3D, &S::SetDark3D).Default(true);
    p.Add("DarkPen", &S::DarkPen, &S::SetDarkPen).Default(0);
    p.Add("DepthPercent", &S::DepthPercent, &S::SetDepthPercent).Default(100);
    p.Add("Gradient", &S::Gradient, &S::SetGradient);
    p.Add("MultiBar", &S::MultiBar, &S::SetMultiBar).Default(mbSide);
    p.Add("OffsetPercent", &S::OffsetPercent, &S::SetOffsetPercent).Default(0);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
    p.Add("SideMargins", &S::SideMargins, &S::SetSideMargins).Default(true);
    p.Add("StackGroup", &S::StackGroup, &S::SetStackGroup).Default(0);
    p.Add("TickLines", &S::TickLines, &S::SetTickLines);
    p.Add("Transparency", &S::Transparency, &S::SetTransparency).Default(0);
    p.Add("UseYOrigin", &S::UseYOrigin, &S::SetUseYOrigin).Default(true);
    p.Add("YOrigin", &S::YOrigin, &S::SetYOrigin).Stored(&S::YOriginStored);
    p.Add("OnGetBarStyle", &S::OnGetBarStyle);
}

void TCustomBarSeries::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TCustomBarSeries*>(source)) {
        autoMarkPosition_ = s->autoMarkPosition_;
        barWidthPercent_ = s->barWidthPercent_;
        barStyle_ = s->barStyle_;
        bevelSize_ = s->bevelSize_;
        customBarWidth_ = s->customBarWidth_;
        dark3D_ = s->dark3D_;
        darkPen_ = s->darkPen_;
        depthPercent_ = s->depthPercent_;
        gradient_->Assign(s->gradient_.get());
        multiBar_ = s->multiBar_;
        offsetPercent_ = s->offsetPercent_;
        yOrigin_ = s->yOrigin_;
        shadow_->Assign(s->shadow_.get());
        sideMargins_ = s->sideMargins_;
        stackGroup_ = s->stackGroup_;
        tickLines_->Assign(s->tickLines_.get());
        transparency_ = s->transparency_;
        useYOrigin_ = s->useYOrigin_;
    }
    TChartSeries::Assign(source);
}

void TCustomBarSeries::SetParentChart(TChartHost* chart) {
    TChartSeries::SetParentChart(chart);
    if (!chart)
        return;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        auto* first = dynamic_cast<TCustomBarSeries*>(chart->SeriesAt(i));
        if (first && first->ClassType() == ClassType()) {
            multiBar_ = first->multiBar_;
            sideMargins_ = first->sideMargins_;
            break;
        }
    }
}

void TCustomBarSeries::SetMultiBar(TMultiBar value) {
    if (value == multiBar_)
        return;
    multiBar_ = value;
    ShareMultiBar();
}

void TCustomBarSeries::SetSideMargins(bool value) {
    sideMargins_ = value;
    ShareMultiBar();
}

// Every series of this class in the chart shows its bars the same way.
void TCustomBarSeries::ShareMultiBar() {
    auto apply = [this](TCustomBarSeries* s) {
        s->multiBar_ = multiBar_;
        s->sideMargins_ = sideMargins_;
        s->calcVisiblePoints_ = multiBar_ != mbSelfStack;
    };
    apply(this);
    if (TChartHost* chart = ParentChart()) {
        for (int i = 0; i < chart->SeriesCount(); ++i) {
            auto* other = dynamic_cast<TCustomBarSeries*>(chart->SeriesAt(i));
            if (other && other->ClassType() == ClassType())
                apply(other);
        }
    }
    Repaint();
}

TBarStyle TCustomBarSeries::StyleOf(int index) {
    TBarStyle style = barStyle_;
    if (OnGetBarStyle)
        OnGetBarStyle(this, index, style);
    return style;
}

// ---- counting ---------------------------------------------------------------------------------

void TCustomBarSeries::PrepareForChartDraw() {
    orderPosition_ = 1;
    previousCount_ = 0;
    barCount_ = 0;
    pointSlots_ = -1;
    TChartHost* chart = ParentChart();
    if (!chart)
        return;
    std::vector<int> groups;
    bool found = false;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* s = chart->SeriesAt(i);
        if (!s->Active())
            continue;
        if (!IsSameKindAs(s)) {
            if (s->YMandatory())
                pointSlots_ = std::max(pointSlots_, s->Count());
            continue;
        }
        if (s == this)
            found = true;
        const int n = s->Count();
        if (pointSlots_ == -1 || pointSlots_ < n)
            pointSlots_ = sideMargins_ && n > 0 ? n + 1 : n;
        switch (multiBar_) {
        case mbNone:
        case mbSelfStack:
            barCount_ = 1;
            break;
        case mbStacked:
        case mbStacked100: {
            const int group = static_cast<TCustomBarSeries*>(s)->stackGroup_;
            if (std::find(groups.begin(), groups.end(), group) == groups.end()) {
                groups.push_back(group);
                ++barCount_;
                if (!found)
                    ++orderPosition_;
            }
            break;
        }
        case mbSide:
        case mbSideAll:
            ++barCount_;
            if (!found)
                ++orderPosition_;
            break;
        }
        if (!found)
            previousCount_ += n;
    }
    if (Stacking()) {
        const auto it = std::find(groups.begin(), groups.end(), stackGroup_);
        orderPosition_ = static_cast<int>(it - groups.begin()) + 1;
    }
    const int perPage = chart->MaxPointsPerPage();
    if (multiBar_ == mbSelfStack)
        pointSlots_ = perPage != 0 ? perPage : barCount_;
    else if (perPage > 0)
        pointSlots_ = perPage;
}

void TCustomBarSeries::CalcBarSize() {
    if (customBarWidth_ != 0) {
        barSize_ = customBarWidth_;
        return;
    }
    TChartAxis* axis = PositionAxis();
    if (pointSlots_ <= 0 || !axis) {
        barSize_ = 0;
        return;
    }
    const int size = axis->PixelSize();
    int w;
    if (autoBarSize_) {
        w = RoundEven(size / (axis->InternalMaximum() - axis->InternalMinimum() + 2));
    } else if (axis->Automatic()) {
        w = size / pointSlots_;
    } else {
        TChartValueList& positions = *NotMandatoryValueList();
        const double low = positions.Lowest(), high = positions.Highest();
        const double step = Count() > 0 ? (high - low) / Count() : 0;
        w = std::abs(PositionPixel(high + step) - PositionPixel(low)) / pointSlots_;
    }
    barSize_ = RoundEven(barWidthPercent_ * 0.01 * w) / BarCount();
    if (barSize_ > 0 && barSize_ % 2 == 1)
        ++barSize_;
}

// ---- samples ----------------------------------------------------------------------------------

int TCustomBarSeries::DefaultSampleCount() const {
    TChartHost* chart = ParentChart();
    if (!chart || chart->SeriesCount() <= 1)
        return 6;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        auto* other = dynamic_cast<TCustomBarSeries*>(chart->SeriesAt(i));
        if (other && other != this && other->Count() > 0)
            return other->Count();
    }
    return 6;
}

void TCustomBarSeries::AddSampleValues(int count, bool onlyMandatory) {
    bool ownPositions = false;
    if (TChartHost* chart = ParentChart()) {
        for (int i = 0; i < chart->SeriesCount() && !ownPositions; ++i) {
            TChartSeries* other = chart->SeriesAt(i);
            if (other == this || other->ClassType() != ClassType() || !other->UsesNotMandatory())
                continue;
            const TChartValueList& positions = *other->NotMandatoryValueList();
            for (int k = 0; k < positions.Count(); ++k) {
                if (positions.ValueAt(k) != k) {
                    ownPositions = true;
                    break;
                }
            }
        }
    }
    TChartSeries::AddSampleValues(count, ownPositions ? onlyMandatory : true);
}
