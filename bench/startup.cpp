// Times start-up to the first paint of the main window against a bare window of the same size,
// as whole processes, and reads each one's peak memory. Deliberately free of Qt: a child forked
// from a large process would report the parent's size as its own peak.
#include "goal.h"

#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Sample
{
    double milliseconds = 0;
    double peakMiB = 0;
};

double now()
{
    timespec time {};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
}

bool launch(const char *program, const char *mode, Sample &sample, const char *argument = nullptr)
{
    const double start = now();
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        execl(program, program, mode, argument, static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (wait4(child, &status, 0, &usage) != child)
        return false;
    const double end = now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s ended with status %d\n", program, mode, status);
        return false;
    }
    sample.milliseconds = end - start;
    sample.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024; // ru_maxrss is in KiB
    return true;
}

// A private runtime directory keeps the toolkit from warning about a missing one.
class RuntimeDirectory
{
public:
    RuntimeDirectory()
    {
        if (!getenv("XDG_RUNTIME_DIR") && mkdtemp(m_path)) {
            setenv("XDG_RUNTIME_DIR", m_path, 1);
            m_created = true;
        }
    }
    ~RuntimeDirectory()
    {
        if (m_created)
            rmdir(m_path);
    }
    RuntimeDirectory(const RuntimeDirectory &) = delete;
    RuntimeDirectory &operator=(const RuntimeDirectory &) = delete;

private:
    char m_path[32] = "/tmp/prismora-bench-XXXXXX";
    bool m_created = false;
};

// Data and configuration folders of one run's own, so that no user's history, palettes or
// settings are read; with `stored`, filled as a long-standing user's.
class Home
{
public:
    Home(const char *program, bool stored)
        : m_program(program)
    {
        m_created = mkdtemp(m_path) != nullptr;
        Sample ignored;
        m_ok = m_created && (!stored || launch(program, "fill", ignored, data().c_str()));
    }
    ~Home()
    {
        Sample ignored;
        if (m_created)
            launch(m_program, "clean", ignored, m_path);
    }
    Home(const Home &) = delete;
    Home &operator=(const Home &) = delete;

    bool ok() const { return m_ok; }
    void use() const
    {
        setenv("XDG_DATA_HOME", data().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (std::string(m_path) + "/config").c_str(), 1);
    }

private:
    std::string data() const { return std::string(m_path) + "/data"; }

    const char *m_program;
    char m_path[32] = "/tmp/prismora-home-XXXXXX";
    bool m_created = false;
    bool m_ok = false;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    if (values.size() % 2)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    const char *program = PRISMORA_FIRSTPAINT;
    int rounds = 31;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rounds=", 9) == 0)
            rounds = std::max(1, std::atoi(argv[i] + 9));
        else
            program = argv[i];
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const RuntimeDirectory runtime;
    const Home empty(program, false);
    const Home stored(program, true);
    if (!empty.ok() || !stored.ok())
        return 1;
    empty.use();

    // The first starts fill the page cache; they are not counted.
    Sample bare;
    Sample window;
    for (int i = 0; i < 2; ++i) {
        if (!launch(program, "bare", bare) || !launch(program, "main", window))
            return 1;
    }

    std::vector<double> bareTimes, windowTimes, bareMemory, windowMemory, timeRatios, memoryRatios;
    for (int round = 0; round < rounds; ++round) {
        // Alternate which goes first, so neither always starts on a machine the other warmed.
        const bool bareFirst = round % 2 == 0;
        const bool ok = bareFirst
            ? launch(program, "bare", bare) && launch(program, "main", window)
            : launch(program, "main", window) && launch(program, "bare", bare);
        if (!ok)
            return 1;
        bareTimes.push_back(bare.milliseconds);
        windowTimes.push_back(window.milliseconds);
        bareMemory.push_back(bare.peakMiB);
        windowMemory.push_back(window.peakMiB);
        timeRatios.push_back(window.milliseconds / bare.milliseconds);
        memoryRatios.push_back(window.peakMiB / bare.peakMiB);
    }

    std::printf("start-up to first paint, median of %d interleaved rounds:\n", rounds);
    std::printf(
        "  bare QMainWindow: %.1f ms, peak %.1f MiB\n", median(bareTimes), median(bareMemory));
    std::printf(
        "  MainWindow:       %.1f ms, peak %.1f MiB\n", median(windowTimes), median(windowMemory));
    printGoal("start-up to first paint / bare window", median(timeRatios), 1.20);
    printGoal("peak memory / bare window", median(memoryRatios), 1.12);

    // The same window over a data folder with a 1,000-colour history and 50 palettes of 200
    // colours, against an empty one; "loaded" also waits for the files read after the paint.
    const char *const modes[] = {"main", "loaded"};
    std::vector<double> times[2][2];
    std::vector<double> storedRatios;
    for (int round = 0; round < rounds; ++round) {
        for (const char *mode : modes) {
            Sample none;
            Sample full;
            const bool noneFirst = round % 2 == 0;
            const auto run = [&](const Home &home, Sample &sample) {
                home.use();
                return launch(program, mode, sample);
            };
            const bool ok = noneFirst ? run(empty, none) && run(stored, full)
                                      : run(stored, full) && run(empty, none);
            if (!ok)
                return 1;
            const int m = mode == modes[0] ? 0 : 1;
            times[m][0].push_back(none.milliseconds);
            times[m][1].push_back(full.milliseconds);
            if (m == 0)
                storedRatios.push_back(full.milliseconds / none.milliseconds);
        }
    }
    std::printf("start-up with stored colours, median of %d interleaved rounds:\n", rounds);
    std::printf("  to first paint:       %.1f ms with none, %.1f ms with stored colours\n",
        median(times[0][0]), median(times[0][1]));
    std::printf("  to the colours read:  %.1f ms with none, %.1f ms with stored colours\n",
        median(times[1][0]), median(times[1][1]));
    printGoal(
        "start-up to first paint with stored colours / with none", median(storedRatios), 1.10);
    return 0;
}
