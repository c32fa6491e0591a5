#pragma once
// A console reporter that also keeps each benchmark's real time per iteration by name, so that a
// benchmark program can print its ratio against the reference measured in the same run.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class TTimesReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times; // benchmark name -> time per iteration in its unit

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration)
                times[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
};
