#pragma once
// The loop the differential drivers share: each line of standard input is one operation, a
// letter and its arguments, handed to run(arguments, letter). A refused index prints
// "E index count"; any other chart error prints "D" and its message.

#include "chart/core/ChartValueList.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

inline void PrintValue(double v) {
    std::printf(" %.17g", v);
}

template <class Run> void RunDriverLines(Run run) {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        char op = 0;
        in >> op;
        try {
            run(in, op);
        } catch (const EChartIndexError& e) {
            std::printf("E %d %d\n", e.Index(), e.Count());
        } catch (const ChartException& e) {
            std::printf("D %s\n", e.what());
        }
    }
}
