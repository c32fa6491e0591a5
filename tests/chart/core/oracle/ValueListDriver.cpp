// Reads value list operations, one a line, and prints what they return:
//   o N      set the order (0 none, 1 ascending, 2 descending)
//   a V      append by order; prints the index
//   i I V    insert at index      d I    delete at index      r I N   delete a range
//   s A B    swap two values      l      rotate left          f V     index of a value (printed)
//   q        print highest, lowest, sum and sum of absolute values
//   p        print the count and every value
// An operation refused for its index prints "E index count".
#include "chart/core/ChartValueList.h"

#include "DriverLoop.h"

#include <cstdio>
#include <sstream>
#include <string>

namespace {

void Run(TChartValueList& list, std::istringstream& in, char op) {
    int a = 0, b = 0;
    double v = 0;
    switch (op) {
    case 'o':
        in >> a;
        list.SetOrder(static_cast<TChartListOrder>(a));
        break;
    case 'a':
        in >> v;
        std::printf("%d\n", list.AppendValue(v));
        break;
    case 'i':
        in >> a >> v;
        list.InsertValueAt(a, v);
        break;
    case 'd':
        in >> a;
        list.DeleteValue(a);
        break;
    case 'r':
        in >> a >> b;
        list.DeleteRange(a, b);
        break;
    case 's':
        in >> a >> b;
        list.SwapValues(a, b);
        break;
    case 'l':
        list.RotateLeft();
        break;
    case 'f':
        in >> v;
        std::printf("%d\n", list.IndexOfValue(v));
        break;
    case 'q':
        std::printf("q");
        PrintValue(list.Highest());
        PrintValue(list.Lowest());
        PrintValue(list.Sum());
        PrintValue(list.SumAbs());
        std::printf("\n");
        break;
    case 'p':
        std::printf("p %d", list.Count());
        for (int i = 0; i < list.Count(); ++i)
            PrintValue(list.ValueAt(i));
        std::printf("\n");
        break;
    default:
        std::printf("? %c\n", op);
    }
}

} // namespace

int main() {
    TChartValueList list(nullptr, "X");
    RunDriverLines([&](std::istringstream& in, char op) { Run(list, in, op); });
    return 0;
}
