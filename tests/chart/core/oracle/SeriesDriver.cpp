// Reads series point operations, one a line, applies them to a series and prints what they
// return, for the differential test against the Python model (series_differential.py):
//   o N        X order (0 none, 1 ascending, 2 descending)     O N   Y order
//   a X Y C L  AddXYValue (C the colour number, L the label or "-" for none); prints the index
//   v Y C L    AddValue; prints the index                      n X Y AddNullPoint
//   d I        DeletePoint       r S N R  DeletePoints (R 1 renumbers)    s A B  SwapPoints
//   S          sort by the X order      A  ApplyValueOrder      c  ClearValues
//   q          highest, lowest, sum and absolute sum of X, then of Y
//   p          count, X values, Y values, own colours ("-" without a colour list), labels
// A refused index prints "E index count"; a refused DeletePoint prints "D" and its message.
#include "chart/core/ChartCore.h"
#include "chart/core/ChartSeries.h"

#include "DriverLoop.h"

#include <cstdio>
#include <sstream>
#include <string>

namespace {

std::string LabelArg(std::istringstream& in) {
    std::string label;
    in >> label;
    return label == "-" ? std::string() : label;
}

void PrintStats(TChartValueList* list) {
    PrintValue(list->Highest());
    PrintValue(list->Lowest());
    PrintValue(list->Sum());
    PrintValue(list->SumAbs());
}

void PrintSeries(const TChartSeries& s) {
    std::printf("p %d |", s.Count());
    for (int i = 0; i < s.Count(); ++i)
        PrintValue(s.XValueAt(i));
    std::printf(" |");
    for (int i = 0; i < s.Count(); ++i)
        PrintValue(s.YValueAt(i));
    std::printf(" |");
    if (!s.HasPointColors())
        std::printf(" -");
    for (int i = 0; i < s.PointColorCount(); ++i)
        std::printf(" %u", static_cast<unsigned>(s.OwnPointColor(i)));
    std::printf(" | %d", s.Labels().Count());
    for (int i = 0; i < s.Labels().Count(); ++i)
        std::printf(" %s", s.Labels().Get(i).empty() ? "-" : s.Labels().Get(i).c_str());
    std::printf("\n");
}

void Run(TChartSeries& s, std::istringstream& in, char op) {
    int a = 0, b = 0, c = 0;
    double x = 0, y = 0;
    unsigned colour = 0;
    switch (op) {
    case 'o':
    case 'O':
        in >> a;
        (op == 'o' ? s.XValues() : s.YValues())->SetOrder(static_cast<TChartListOrder>(a));
        break;
    case 'a':
        in >> x >> y >> colour;
        std::printf("%d\n", s.AddXYValue(x, y, LabelArg(in), static_cast<TColor>(colour)));
        break;
    case 'v':
        in >> y >> colour;
        std::printf("%d\n", s.AddValue(y, LabelArg(in), static_cast<TColor>(colour)));
        break;
    case 'n':
        in >> x >> y;
        std::printf("%d\n", s.AddNullPoint(x, y));
        break;
    case 'd':
        in >> a;
        s.DeletePoint(a);
        break;
    case 'r':
        in >> a >> b >> c;
        s.DeletePoints(a, b, c != 0);
        break;
    case 's':
        in >> a >> b;
        s.SwapPoints(a, b);
        break;
    case 'S':
        s.XValues()->SortByOrder();
        break;
    case 'A':
        s.ApplyValueOrder();
        break;
    case 'c':
        s.ClearValues();
        break;
    case 'q':
        std::printf("q");
        PrintStats(s.XValues());
        PrintStats(s.YValues());
        std::printf("\n");
        break;
    case 'p':
        PrintSeries(s);
        break;
    default:
        std::printf("? %c\n", op);
    }
}

} // namespace

int main() {
    StartChartCore();
    {
        TChartSeries series(nullptr);
        RunDriverLines([&](std::istringstream& in, char op) { Run(series, in, op); });
    }
    StopChartCore();
    return 0;
}
