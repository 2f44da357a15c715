// Times `prismora --convert -` on a generated file of a million colours, every model and
// --format hex, against the same work in two JavaScript colour libraries, culori and
// colorjs.io, each driven by a small Node script (js/). Also compares the converter's peak memory
// on a million lines with that on a thousand: a stream should not grow with its input.
// Free of Qt, like the start-up launcher: it forks and executes every contender itself and reads
// their time and peak memory from wait4.
//
// usage: bench_throughput PRISMORA NODE JS_FOLDER WORK_FOLDER [--runs=N]
#include "goal.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Sample
{
    double seconds = 0; // wall time
    double cpuSeconds = 0; // user and system, every thread of the child
    double peakMiB = 0;
    long long outputLines = 0;
};

double now()
{
    timespec time {};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return double(time.tv_sec) + double(time.tv_nsec) / 1e9;
}

// Runs the command with the file on standard input and its output into `output`, counted
// afterwards when asked (outside the timing).
bool launch(const std::vector<std::string> &command, const std::string &input,
    const std::string &output, Sample &sample, bool count)
{
    std::vector<char *> argv;
    for (const std::string &argument : command)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    const double start = now();
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        const int in = open(input.c_str(), O_RDONLY);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open("/dev/null", O_WRONLY);
        if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (wait4(child, &status, 0, &usage) != child)
        return false;
    sample.seconds = now() - start;
    const auto seconds
        = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    sample.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    sample.peakMiB = double(usage.ru_maxrss) / 1024; // ru_maxrss is in KiB
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s ended with status %d\n", command[0].c_str(),
            command.back().c_str(), status);
        return false;
    }
    sample.outputLines = 0;
    if (count) {
        if (std::FILE *file = std::fopen(output.c_str(), "rb")) {
            char buffer[1 << 16];
            size_t got = 0;
            while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
                sample.outputLines += std::count(buffer, buffer + got, '\n');
            std::fclose(file);
        }
    }
    return true;
}

// splitmix64: the same colours on every machine and every run.
class Random
{
public:
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    double between(double low, double high)
    {
        return low + (high - low) * double(next() >> 11) / double(1ull << 53);
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }

private:
    std::uint64_t m_state = 20261208;
};

// The notations in turn, with values that each library reads alike: hex, names, rgb(), hsl(),
// hwb(), lab(), lch(), oklab(), oklch() and color() in Display P3.
bool generate(const std::string &path, int count)
{
    static const char *const names[] = {"red", "steelblue", "rebeccapurple", "navy", "gold",
        "tomato", "teal", "orchid", "peru", "linen", "slategray", "chartreuse"};
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    Random random;
    for (int i = 0; i < count; ++i) {
        const auto u = [&](double low, double high) { return random.between(low, high); };
        switch (i % 10) {
        case 0:
            std::fprintf(file, "#%06x\n", unsigned(random.next() & 0xffffff));
            break;
        case 1:
            std::fprintf(file, "%s\n", names[random.below(int(std::size(names)))]);
            break;
        case 2:
            std::fprintf(
                file, "rgb(%d %d %d)\n", random.below(256), random.below(256), random.below(256));
            break;
        case 3:
            std::fprintf(file, "hsl(%.2f %.2f%% %.2f%%)\n", u(0, 360), u(0, 100), u(0, 100));
            break;
        case 4:
            std::fprintf(file, "hwb(%.2f %.2f%% %.2f%%)\n", u(0, 360), u(0, 50), u(0, 50));
            break;
        case 5:
            std::fprintf(file, "lab(%.2f %.2f %.2f)\n", u(0, 100), u(-80, 80), u(-80, 80));
            break;
        case 6:
            std::fprintf(file, "lch(%.2f %.2f %.2f)\n", u(0, 100), u(0, 100), u(0, 360));
            break;
        case 7:
            std::fprintf(file, "oklab(%.3f %.3f %.3f)\n", u(0, 1), u(-0.3, 0.3), u(-0.3, 0.3));
            break;
        case 8:
            std::fprintf(file, "oklch(%.3f %.3f %.2f)\n", u(0, 1), u(0, 0.3), u(0, 360));
            break;
        default:
            std::fprintf(file, "color(display-p3 %.3f %.3f %.3f)\n", u(0, 1), u(0, 1), u(0, 1));
            break;
        }
    }
    return std::fclose(file) == 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Contender
{
    const char *name;
    std::vector<std::string> command;
    long long linesPerColour;
    // colorjs.io takes about ten times culori's time; timed on the first tenth of the colours,
    // it keeps a run within minutes, and its time per colour does not depend on the count.
    bool tenth = false;
    std::vector<Sample> samples {};
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s PRISMORA NODE JS_FOLDER WORK_FOLDER [--runs=N]\n", argv[0]);
        return 2;
    }
    const std::string prismora = argv[1], node = argv[2], js = argv[3], work = argv[4];
    int runs = 3;
    if (argc > 5 && std::strncmp(argv[5], "--runs=", 7) == 0)
        runs = std::max(1, std::atoi(argv[5] + 7));
    constexpr int colours = 1000000;
    constexpr int fewColours = 1000;
    const std::string many = work + "/colours-1000000.txt", few = work + "/colours-1000.txt";
    const std::string tenth = work + "/colours-100000.txt";
    const std::string output = work + "/throughput.out";
    if (!generate(many, colours) || !generate(few, fewColours) || !generate(tenth, colours / 10))
        return 1;

    // Every model prints 13 lines a colour: hex, the eleven models and the gamut.
    std::vector<Contender> contenders = {
        {"prismora --convert -", {prismora, "--convert", "-"}, 13},
        {"culori", {node, js + "/culori.mjs", "every"}, 13},
        {"colorjs.io", {node, js + "/colorjs.mjs", "every"}, 13, true},
        {"prismora --format hex", {prismora, "--convert", "-", "--format", "hex"}, 1},
        {"culori hex", {node, js + "/culori.mjs", "hex"}, 1},
        {"colorjs.io hex", {node, js + "/colorjs.mjs", "hex"}, 1, true},
    };
    // Once on the small file, which also warms the page cache: every colour is read.
    for (Contender &contender : contenders) {
        Sample sample;
        if (!launch(contender.command, few, output, sample, true))
            return 1;
        if (sample.outputLines != fewColours * contender.linesPerColour) {
            std::fprintf(stderr, "%s wrote %lld lines for %d colours\n", contender.name,
                sample.outputLines, fewColours);
            return 1;
        }
    }
    // Interleaved, so that a change in the machine's speed touches every contender alike.
    std::vector<double> smallPeaks, largePeaks;
    for (int run = 0; run < runs; ++run) {
        for (Contender &contender : contenders) {
            Sample sample;
            if (!launch(contender.command, contender.tenth ? tenth : many, output, sample, false))
                return 1;
            contender.samples.push_back(sample);
            std::printf("  run %d: %-22s %6.2f s wall, %6.2f s cpu, peak %6.1f MiB\n", run + 1,
                contender.name, sample.seconds, sample.cpuSeconds, sample.peakMiB);
            std::fflush(stdout);
        }
        Sample small;
        if (!launch(contenders[0].command, few, output, small, false))
            return 1;
        smallPeaks.push_back(small.peakMiB);
        largePeaks.push_back(contenders[0].samples.back().peakMiB);
    }
    std::remove(output.c_str());

    std::printf(
        "%d colours, median of %d runs (colours per second by wall time, and by CPU time):\n",
        colours, runs);
    std::vector<double> wall(contenders.size()), cpu(contenders.size());
    for (size_t i = 0; i < contenders.size(); ++i) {
        std::vector<double> w, c;
        for (const Sample &sample : contenders[i].samples) {
            w.push_back(sample.seconds);
            c.push_back(sample.cpuSeconds);
        }
        // Seconds per million colours.
        wall[i] = median(w) * (contenders[i].tenth ? 10 : 1);
        cpu[i] = median(c) * (contenders[i].tenth ? 10 : 1);
        std::printf("  %-22s %10.0f /s wall %10.0f /s cpu\n", contenders[i].name, colours / wall[i],
            colours / cpu[i]);
    }
    for (const size_t first : {size_t(0), size_t(3)}) {
        for (const size_t peer : {first + 1, first + 2}) {
            std::printf("  %s / %s: %.1fx wall, %.1fx cpu\n", contenders[first].name,
                contenders[peer].name, wall[peer] / wall[first], cpu[peer] / cpu[first]);
        }
    }
    const double small = median(smallPeaks), large = median(largePeaks);
    std::printf("  peak memory: %.2f MiB for %d lines, %.2f MiB for %d lines\n", large, colours,
        small, fewColours);
    // CPU time: on a shared machine the wall time also counts the waits for other processes.
    // Each a ratio of times, Prismora's over culori's: 0.10 is ten times the throughput.
    printGoal("every model, CPU time / culori's", cpu[0] / cpu[1], 0.10);
    printGoal("--format hex, CPU time / culori's", cpu[3] / cpu[4], 0.20);
    printGoal("peak memory of 1,000,000 lines minus 1,000 lines, MiB", large - small, 2.0);
    return 0;
}
