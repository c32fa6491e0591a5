#pragma once
// Lengths of the runs of positions 0..n-1 for which hit(i) holds, in order: how many segments a
// row of pixels shows, and how long each is.

#include <vector>

namespace controlstest {

template <class Hit> std::vector<int> RunLengths(int n, Hit hit) {
    std::vector<int> runs;
    int run = 0;
    for (int i = 0; i < n; ++i) {
        if (hit(i)) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run > 0)
        runs.push_back(run);
    return runs;
}

} // namespace controlstest
