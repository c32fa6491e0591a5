// Reads function cases, one a line, and prints the points a summing function gives, for the
// period test against the Python reference (function_periods.py):
//   f STYLE PERIOD ALIGN N X1 .. XN Y1 .. YN
// STYLE 0 counts points per period, 1 measures a range of positions; ALIGN 0 first, 1 centre,
// 2 last. The source gets the points (X ascending as given); the answer is
//   r COUNT X1 Y1 X2 Y2 ...   the function series' points in index order
// A refused period prints "D" and its message.
#include "chart/core/ChartCore.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/PlotFunction.h"

#include "../SumFunction.h"
#include "DriverLoop.h"

#include <cstdio>
#include <sstream>
#include <vector>

namespace {

void Run(std::istringstream& in, char op) {
    if (op != 'f')
        return;
    int style = 0, align = 0, n = 0;
    double period = 0;
    in >> style >> period >> align >> n;
    std::vector<double> xs(static_cast<size_t>(n)), ys(static_cast<size_t>(n));
    for (double& x : xs)
        in >> x;
    for (double& y : ys)
        in >> y;
    TChartSeries source(nullptr), result(nullptr);
    for (int i = 0; i < n; ++i)
        source.AddXYValue(xs[static_cast<size_t>(i)], ys[static_cast<size_t>(i)]);
    auto* function = new TSumFunction(nullptr);
    result.SetFunction(function); // the series owns it from now on
    function->SetPeriodStyle(static_cast<TFunctionPeriodStyle>(style));
    function->SetPeriodAlign(static_cast<TFunctionPeriodAlign>(align));
    function->SetPeriod(period);
    function->AddPointsFrom(&source);
    std::printf("r %d", result.Count());
    for (int i = 0; i < result.Count(); ++i) {
        PrintValue(result.XValueAt(i));
        PrintValue(result.YValueAt(i));
    }
    std::printf("\n");
}

} // namespace

int main() {
    StartChartCore();
    RunDriverLines(Run);
    StopChartCore();
    return 0;
}
