#pragma once
// The power page's supply-voltage chart, two ways: read from the page's form description and
// built in code with the same settings; fed as the page feeds it; and one drawing of it recorded
// as the platform canvas's calls (one line each) with the drawing groups they fell in.

#include "chart/control/Chart.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/series/LineSeries.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/DateTime.h"
#include "tests/chart/support/CanvasCallLog.h"

#include <QImage>

#include <memory>
#include <string>
#include <vector>

namespace powertest {

constexpr double kSecond = 1.0 / 86400;
extern const std::string kTitle;
// The chart of the power page's form description (the form converter's text form), on a form of
// its own; empty when the page's description holds no chart.
std::string PowerFormText();

// The chart and its two series, owned by a form.
struct TPowerChart {
    TForm* form = nullptr;
    TChart* chart = nullptr;
    TLineSeries* voltage = nullptr;
    TLineSeries* threshold = nullptr;
    // What the page does with each reading: the window [t - 1 s, t + 1 ms], the threshold line
    // across it, the reading.
    void Feed(TDateTime t, double thresholdVolts, double volts);
};

// Read from kPowerFormText into a new form.
TPowerChart LoadPowerChart();
// Built in code on a new form.
TPowerChart BuildPowerChart();

// A chart canvas noting which lines of the call log each drawing group covers.
class TGroupLogCanvas : public TPlotCanvas3D {
public:
    struct TGroup {
        std::string name;
        std::size_t begin = 0, end = 0;
    };
    charttest::TCanvasCallLog* Log = nullptr;
    std::vector<TGroup> Groups;
    void BeginGroup(const std::string& name) override;
    void EndGroup() override;

private:
    std::vector<std::size_t> open_;
};

// One drawing of a chart into a width x height bitmap, recorded.
class TRecording {
public:
    TRecording(TChart& chart, int width, int height);
    ~TRecording();
    const std::vector<std::string>& Lines() const { return log_->Lines(); }
    std::vector<std::string> LinesIn(const std::string& group) const;
    std::vector<std::string> GroupNames() const;
    std::vector<std::string> Matching(const std::string& op) const { return log_->Matching(op); }
    std::vector<std::string> Texts() const;
    QImage Image() const;

private:
    std::unique_ptr<TBitmap> bitmap_;
    std::unique_ptr<charttest::TCanvasCallLog> log_;
    TGroupLogCanvas* canvas_ = nullptr;
};

// The numbers of a recorded line after its operation name ("POLYGON 1,2 3,4" gives 1 2 3 4).
std::vector<int> NumbersOf(const std::string& line);
// The quoted text of a TEXT line.
std::string TextOf(const std::string& line);

} // namespace powertest
