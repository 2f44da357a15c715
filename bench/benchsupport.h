#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Prints as the console reporter does, but only the median and the coefficient of variation of
// each benchmark, in the order they were registered rather than the shuffled order they ran in;
// keeps each benchmark's median real time and the medians of its counters.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    MedianReporter();

    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

    // Nanoseconds per iteration; 0 for a benchmark that did not run.
    double median(const std::string &name) const;
    // The median over the repetitions of a counter the benchmark set; 0 if there is none.
    double medianCounter(const std::string &name, const std::string &counter) const;

private:
    std::map<std::string, double> m_medians;
    std::map<std::string, double> m_counterMedians;
    std::vector<std::vector<Run>> m_reports;
};

// Runs every registered benchmark: interleaved repetitions of at least minTime seconds each,
// reported as aggregates. Flags given on the command line override these defaults.
void runBenchmarks(int argc, char **argv, double minTime, MedianReporter &reporter);

#endif // BENCHSUPPORT_H
