// The console reporter of the benchmarks, which then prints each
// benchmark's mean real and CPU time as a ratio to a floor measured in the
// same run (figures from one machine at one moment compare; absolute ones
// do not).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class CRatioReporter : public benchmark::ConsoleReporter {
public:
    // `floor`: the benchmark the others are measured against; `floorWord`
    // names it in the printed lines.
    CRatioReporter(std::string floor, std::string floorWord)
        : floor_(std::move(floor)), floorWord_(std::move(floorWord)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // Each repetition, or only the means when just the aggregates are reported.
            const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration && !mean)) continue;
            Totals& t = totals_[run.run_name.function_name];
            t.real += run.GetAdjustedRealTime();
            t.cpu += run.GetAdjustedCPUTime();
            ++t.runs;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        const auto base = totals_.find(floor_);
        if (base == totals_.end()) return;
        const Totals& b = base->second;
        for (const auto& [name, t] : totals_) {
            if (name == base->first) continue;
            std::printf("%-20s real %.2fx, CPU %.2fx the %s\n", name.c_str(), (t.real / t.runs) / (b.real / b.runs),
                        (t.cpu / t.runs) / (b.cpu / b.runs), floorWord_.c_str());
        }
    }

private:
    struct Totals {
        double real = 0;
        double cpu = 0;
        int runs = 0;
    };
    std::string floor_;
    std::string floorWord_;
    std::map<std::string, Totals> totals_;
};
