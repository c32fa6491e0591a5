#pragma once
// TSeriesAnimationTool: Execute lets the points of its series grow from a start value (the
// lowest value, or StartValue) to their own values in Steps steps, all points at once or in
// groups of DrawEvery points one after the other, repainting the chart after each step and
// letting the application's messages run meanwhile (Delay milliseconds at least per step).
// Passes may repeat (Loop) until Stop; a circular loop shrinks the points back on every second
// pass. The series' own values come back at the end, after Stop, and after a failure.
//
// Messages running inside Execute may free the series or the tool itself: the run notices and
// ends without touching either (a freed tool gives the series its values back first). Execute
// called again while it runs does nothing.

#include "chart/axispanel/ChartTool.h"
#include "platform/rtl/Events.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TSeriesAnimationTool;
class TTimer;

Q4_ENUM(TSeriesAnimationLoop, salNo, salOneWay, salCircular);

using TSeriesAnimationStep = std::function<void(TSeriesAnimationTool* sender, int step)>;
// Milliseconds of a monotonic clock, as the platform's tick count gives them.
using TAnimationTicks = std::function<std::uint32_t()>;

class TSeriesAnimationTool : public TPlotCustomToolSeries {
    Q4_CLASS(TSeriesAnimationTool, TPlotCustomToolSeries)
public:
    explicit TSeriesAnimationTool(TComponent* owner);
    ~TSeriesAnimationTool() override;
    static void DeclareProperties(TPropertyList& p);
    std::string EditorClassName() const override { return "TSeriesAnimToolEditor"; }
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;
    // Another series during a run: the one animated gets its values back first.
    void SetSeries(TChartSeries* value) override;
    void Notification(TComponent* component, TOperation operation) override;

    // Runs the animation (only with a series, and not while one runs).
    virtual void Execute();
    // Ends a running animation: the series gets its values back at once; OnStop fires.
    void Stop();
    bool Stopped() const { return stopped_; }
    // The direction of the current pass of a circular loop (true: growing).
    bool Backward() const { return backward_; }

    // ---- settings ------------------------------------------------------------------------------
    // Milliseconds each step lasts at least (0: the messages run once per step); at least 0.
    int Delay() const { return delay_; }
    void SetDelay(int value) { delay_ = value < 0 ? 0 : value; }
    // 0: every point at once; n: groups of n points one after the other. At least 0.
    int DrawEvery() const { return drawEvery_; }
    void SetDrawEvery(int value) { drawEvery_ = value < 0 ? 0 : value; }
    TSeriesAnimationLoop Loop() const { return loop_; }
    void SetLoop(TSeriesAnimationLoop value) { loop_ = value; }
    bool StartAtMin() const { return startAtMin_; }
    void SetStartAtMin(bool value) { startAtMin_ = value; }
    double StartValue() const { return startValue_; }
    void SetStartValue(double value) { startValue_ = value; }
    // Steps of a group's growth; at least 1.
    int Steps() const { return steps_; }
    void SetSteps(int value) { steps_ = value < 1 ? 1 : value; }

    TNotifyEvent OnStart;
    TNotifyEvent OnStop;
    TSeriesAnimationStep OnStep;

    // The clock the delay is measured by (tests give their own); the tick count by default.
    void SetTicks(TAnimationTicks ticks);

private:
    struct TRun;

    // One pass over every group; false when the run lost its series or the tool went.
    bool RunPass(const std::shared_ptr<bool>& alive, bool backward);
    // Grows (or shrinks) one group of points; false as RunPass.
    bool AnimateGroup(const std::shared_ptr<bool>& alive, int first, int last, double start,
                      bool shrink);
    // Repaints and lets the messages run; false as RunPass.
    bool Refresh(const std::shared_ptr<bool>& alive);
    // Waits for Delay milliseconds running messages; false when the tool went meanwhile.
    bool WaitDelay(const std::shared_ptr<bool>& alive);
    // Every value of the series as it was.
    void RestoreValues();
    // The animated series leaves its update state (with its values back when restore); the run
    // goes on without it.
    void LetGoOfSeries(bool restore);
    // The end of a run: values back, update state left, Stop.
    void Finish();

    int delay_ = 0;
    int drawEvery_ = 0;
    TSeriesAnimationLoop loop_ = salNo;
    bool startAtMin_ = true;
    double startValue_ = 0;
    int steps_ = 100;
    bool stopped_ = true;
    bool backward_ = false;
    TAnimationTicks ticks_;
    std::unique_ptr<TRun> run_;
    std::unique_ptr<TTimer> wake_;
    // False once the tool is being freed; a run holds a copy to find out after the messages.
    std::shared_ptr<bool> alive_;
};
