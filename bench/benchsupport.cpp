#include "benchsupport.h"

#include <unistd.h>

#include <algorithm>

namespace {

double nanosecondsPer(benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kSecond:
        return 1e9;
    case benchmark::kMillisecond:
        return 1e6;
    case benchmark::kMicrosecond:
        return 1e3;
    case benchmark::kNanosecond:
        break;
    }
    return 1;
}

} // namespace

MedianReporter::MedianReporter()
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
{ }

void MedianReporter::ReportRuns(const std::vector<Run> &runs)
{
    if (!runs.empty())
        m_reports.push_back(runs);
    for (const Run &run : runs) {
        if (run.error_occurred)
            continue;
        // A single run is its own median.
        if ((run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            || (run.run_type == Run::RT_Iteration && run.repetitions <= 1)) {
            const std::string &name = run.run_name.function_name;
            m_medians[name] = run.GetAdjustedRealTime() * nanosecondsPer(run.time_unit);
            for (const auto &counter : run.counters)
                m_counterMedians[name + '\n' + counter.first] = counter.second.value;
        }
    }
}

void MedianReporter::Finalize()
{
    std::stable_sort(m_reports.begin(), m_reports.end(),
        [](const std::vector<Run> &a, const std::vector<Run> &b) {
            return a.front().family_index < b.front().family_index;
        });
    // The median is what the goals compare; the coefficient of variation tells how far to trust it.
    for (const std::vector<Run> &runs : m_reports) {
        std::vector<Run> shown;
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name == "median"
                || run.aggregate_name == "cv")
                shown.push_back(run);
        }
        ConsoleReporter::ReportRuns(shown);
    }
    m_reports.clear();
    ConsoleReporter::Finalize();
}

double MedianReporter::median(const std::string &name) const
{
    const auto found = m_medians.find(name);
    return found == m_medians.end() ? 0.0 : found->second;
}

double MedianReporter::medianCounter(const std::string &name, const std::string &counter) const
{
    const auto found = m_counterMedians.find(name + '\n' + counter);
    return found == m_counterMedians.end() ? 0.0 : found->second;
}

void runBenchmarks(int argc, char **argv, double minTime, MedianReporter &reporter)
{
    // Absolute times drift from minute to minute, so repetitions of every benchmark are
    // interleaved and each goal compares medians taken side by side.
    std::vector<std::string> defaults = {"--benchmark_repetitions=9",
        "--benchmark_enable_random_interleaving=true", "--benchmark_display_aggregates_only=true",
        "--benchmark_min_time=" + std::to_string(minTime)};
    std::vector<char *> args = {argv[0]};
    for (std::string &flag : defaults)
        args.push_back(flag.data());
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
