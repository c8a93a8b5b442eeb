#pragma once
// A console reporter that also remembers each benchmark's real time per
// iteration, so that a benchmark's main can print ratios between runs made
// in the same process (the machines are shared and noisy; only ratios
// measured side by side mean something).

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace orvane::bench {

class RatioReporter : public benchmark::ConsoleReporter {
   public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_seconds[run.benchmark_name()] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per iteration of the named run; 0 when it did not run.
    double seconds(const std::string& name) const {
        auto it = m_seconds.find(name);
        return it == m_seconds.end() ? 0.0 : it->second;
    }

   private:
    std::map<std::string, double> m_seconds;
};

}  // namespace orvane::bench
