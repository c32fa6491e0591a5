#include "chart/tools/SeriesAnimationTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartValueList.h"
#include "chart/tools/ToolTexts.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Timer.h"
#include "platform/rtl/Clock.h"

#include <algorithm>

// The series being animated (none once it went or was swapped for another) and its values.
struct TSeriesAnimationTool::TRun {
    TChartSeries* Series = nullptr;
    std::vector<double> Original;
};

TSeriesAnimationTool::TSeriesAnimationTool(TComponent* owner)
    : TPlotCustomToolSeries(owner), ticks_(GetTickCount), alive_(std::make_shared<bool>(true)) {}

TSeriesAnimationTool::~TSeriesAnimationTool() {
    *alive_ = false;
    if (run_)
        LetGoOfSeries(true);
    stopped_ = true;
}

void TSeriesAnimationTool::DeclareProperties(TPropertyList& p) {
    using T = TSeriesAnimationTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("Delay", &T::Delay, &T::SetDelay).Default(0);
    p.Add("DrawEvery", &T::DrawEvery, &T::SetDrawEvery).Default(0);
    p.Add("Loop", &T::Loop, &T::SetLoop).Default(salNo);
    p.Add("StartAtMin", &T::StartAtMin, &T::SetStartAtMin).Default(true);
    p.Add("StartValue", &T::StartValue, &T::SetStartValue).Default(0.0);
    p.Add("Steps", &T::Steps, &T::SetSteps).Default(100);
}

std::string TSeriesAnimationTool::ToolTitleText() const {
    return ToolText(ttSeriesAnimationTitle);
}

std::string TSeriesAnimationTool::ToolSummaryText() const {
    return ToolText(ttSeriesAnimationSummary);
}

void TSeriesAnimationTool::SetTicks(TAnimationTicks ticks) {
    ticks_ = ticks ? std::move(ticks) : TAnimationTicks(GetTickCount);
}

void TSeriesAnimationTool::SetSeries(TChartSeries* value) {
    if (run_ && value != Series()) {
        LetGoOfSeries(true);
        Repaint();
    }
    TPlotCustomToolSeries::SetSeries(value);
}

void TSeriesAnimationTool::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && run_ && component == run_->Series)
        LetGoOfSeries(false);
    TPlotCustomToolSeries::Notification(component, operation);
}

void TSeriesAnimationTool::Stop() {
    if (stopped_)
        return;
    stopped_ = true;
    if (OnStop)
        OnStop(this);
}

// ---- the run ------------------------------------------------------------------------------------

void TSeriesAnimationTool::RestoreValues() {
    TChartValueList* values = run_->Series->MandatoryValueList();
    const int count = std::min(values->Count(), static_cast<int>(run_->Original.size()));
    for (int i = 0; i < count; ++i)
        values->SetValueAt(i, run_->Original[static_cast<std::size_t>(i)]);
}

void TSeriesAnimationTool::LetGoOfSeries(bool restore) {
    TChartSeries* series = run_->Series;
    if (series == nullptr)
        return;
    if (restore) {
        RestoreValues();
        series->EndUpdate();
    }
    run_->Series = nullptr;
}

void TSeriesAnimationTool::Finish() {
    LetGoOfSeries(true);
    if (TCustomAxisPanel* panel = Panel())
        panel->Invalidate();
    Stop();
    run_.reset();
}

void TSeriesAnimationTool::Execute() {
    TChartSeries* series = Series();
    if (series == nullptr || run_ || !stopped_)
        return;
    const std::shared_ptr<bool> alive = alive_;
    run_ = std::make_unique<TRun>();
    run_->Series = series;
    TChartValueList* values = series->MandatoryValueList();
    run_->Original.reserve(static_cast<std::size_t>(values->Count()));
    for (int i = 0; i < values->Count(); ++i)
        run_->Original.push_back(values->ValueAt(i));
    series->BeginUpdate();
    stopped_ = false;
    try {
        if (OnStart)
            OnStart(this);
        if (*alive && loop_ == salNo) {
            RunPass(alive, true);
        } else if (*alive) {
            backward_ = true;
            while (!stopped_ && RunPass(alive, backward_))
                backward_ = !backward_;
        }
    } catch (...) {
        if (*alive)
            Finish();
        throw;
    }
    if (*alive)
        Finish();
}

bool TSeriesAnimationTool::RunPass(const std::shared_ptr<bool>& alive, bool backward) {
    TChartValueList* values = run_->Series->MandatoryValueList();
    const int count = values->Count();
    const double start = startAtMin_ ? values->Lowest() : startValue_;
    for (int i = 0; i < count; ++i)
        values->SetValueAt(i, start);
    if (!Refresh(alive))
        return false;
    const bool shrink = loop_ == salCircular && !backward;
    const int groupSize = drawEvery_ > 0 ? drawEvery_ : std::max(count, 1);
    for (int first = 0; first < count || (first == 0 && count == 0 && drawEvery_ == 0);
         first += groupSize) {
        const int last = std::min(first + groupSize, count);
        if (!AnimateGroup(alive, first, last, start, shrink))
            return false;
        if (stopped_) {
            RestoreValues();
            return Refresh(alive);
        }
    }
    RestoreValues();
    return Refresh(alive);
}

bool TSeriesAnimationTool::AnimateGroup(const std::shared_ptr<bool>& alive, int first, int last,
                                        double start, bool shrink) {
    const int steps = std::max(steps_, 1);
    for (int k = 0; k <= steps; ++k) {
        TChartValueList* values = run_->Series->MandatoryValueList();
        const double f = static_cast<double>(k) / steps;
        for (int j = first; j < last && j < values->Count(); ++j) {
            const double original = run_->Original[static_cast<std::size_t>(j)];
            values->SetValueAt(j, shrink ? original * (steps - k) / steps
                                         : f * original + start - start * f);
        }
        // A copy: the handler may free the tool, and its own function object with it.
        if (const TSeriesAnimationStep step = OnStep)
            step(this, k);
        if (!*alive || run_->Series == nullptr || !Refresh(alive))
            return false;
        if (stopped_)
            return true;
    }
    return true;
}

bool TSeriesAnimationTool::Refresh(const std::shared_ptr<bool>& alive) {
    if (TCustomAxisPanel* panel = Panel())
        panel->Invalidate();
    if (Application != nullptr) {
        if (delay_ > 0) {
            if (!WaitDelay(alive))
                return false;
        } else {
            Application->ProcessMessages();
        }
    }
    return *alive && run_->Series != nullptr;
}

bool TSeriesAnimationTool::WaitDelay(const std::shared_ptr<bool>& alive) {
    const std::uint32_t begin = ticks_();
    Application->ProcessMessages();
    while (*alive) {
        const std::uint32_t passed = TicksBetween(begin, ticks_());
        if (passed >= static_cast<std::uint32_t>(delay_))
            return true;
        // A timer wakes the waiting message loop when the time is up.
        if (!wake_) {
            wake_ = std::make_unique<TTimer>(nullptr);
            wake_->SetEnabled(false);
            wake_->SetOnTimer([this](TObject*) { wake_->SetEnabled(false); });
        }
        wake_->SetInterval(static_cast<unsigned>(delay_) - passed);
        wake_->SetEnabled(true);
        Application->HandleMessage();
        if (*alive)
            wake_->SetEnabled(false);
    }
    return false;
}
