#pragma once

// Runs the benchmarks and then prints how each of ours compares with its
// peer, from this one run: the ratio of CPU times (the medians when
// --benchmark_repetitions asks for several runs). A ratio may also compare
// costs per item, by giving each side the number of items it handles.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

struct CPeerRatio {
    const char *pLabel;
    std::string ours;
    std::string peer;
    double ourItems = 1; // the ratio compares time / items of each side
    double peerItems = 1;
};

class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const double seconds =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median")
                    m_median[name] = seconds;
            } else {
                m_single[name] = seconds;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The median when there is one, else the time of the (last) single run.
    bool Seconds(const std::string &name, double *pSeconds) const
    {
        auto it = m_median.find(name);
        if (it == m_median.end()) {
            it = m_single.find(name);
            if (it == m_single.end())
                return false;
        }
        *pSeconds = it->second;
        return true;
    }

private:
    std::map<std::string, double> m_median;
    std::map<std::string, double> m_single;
};

inline int RunWithPeerRatios(int argc, char **argv, const std::vector<CPeerRatio> &ratios)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    bool header = false;
    for (const CPeerRatio &r : ratios) {
        double ours = 0, peer = 0;
        if (!reporter.Seconds(r.ours, &ours) || !reporter.Seconds(r.peer, &peer) || peer <= 0)
            continue;
        if (!header) {
            std::printf("\nRatios (CPU time, ours / peer):\n");
            header = true;
        }
        std::printf("  %-48s %6.2fx\n", r.pLabel, (ours / r.ourItems) / (peer / r.peerItems));
    }
    std::fflush(stdout);
    return 0;
}
