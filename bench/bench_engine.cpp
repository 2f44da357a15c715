#include "benchsupport.h"
#include "colourmodels.h"
#include "goal.h"
#include "prismora.h"

#include <QColor>
#include <QLoggingCategory>
#include <QtGlobal>

#include <lcms2.h>

#include <array>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// 16 starting colours times 256 channel values: 4096 varied colours for every benchmark.
constexpr int startCount = 16;
constexpr int valueCount = 256;

struct Start
{
    int r, g, b;
};

std::array<Start, startCount> startColours()
{
    std::array<Start, startCount> starts {};
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>(seed >> 24);
    };
    for (Start &start : starts)
        start = {next(), next(), next()};
    return starts;
}

// Consecutive steps land far apart, as a varied stream of colours would.
int valueIndex(unsigned step)
{
    return static_cast<int>((step * 97u) % valueCount);
}

// One setter of the colour model table, as engine/set_<model>_<channel> names it.
struct Setter
{
    std::string name;
    int model;
    const ColourModels::Channel *channel;
};

// A channel by its letter, the first of its description: "Red, 0 to 255" is r, "a* (green to
// red...)" a.
std::string channelName(const ColourModels::Channel &channel, int index)
{
    const auto first = static_cast<unsigned char>(channel.description[0]);
    if (std::isalpha(first))
        return std::string(1, static_cast<char>(std::tolower(first)));
    return std::to_string(index);
}

std::vector<Setter> setters()
{
    std::vector<Setter> all;
    for (int m = 0; m < ColourModels::Count; ++m) {
        const ColourModels::Model &model = *ColourModels::model(m);
        for (int c = 0; c < model.channelCount; ++c) {
            all.push_back(
                {std::string("engine/set_") + model.key + "_" + channelName(model.channels[c], c),
                    m, &model.channels[c]});
        }
    }
    return all;
}

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) { }

enum class Trace { Plain, NoOpHandler, DebugDisabled };

void runSetter(benchmark::State &state, const Setter &setter, Trace trace)
{
    std::array<double, valueCount> values {};
    for (int k = 0; k < valueCount; ++k)
        values[k] = setter.channel->lowest
            + (setter.channel->highest - setter.channel->lowest) * k / (valueCount - 1);
    std::array<Prismora, startCount> engines;
    const auto starts = startColours();
    for (int i = 0; i < startCount; ++i)
        engines[i].set_rgb(starts[i].r, starts[i].g, starts[i].b);

    // The HSL conversion writes a debug trace; it must reach no terminal while timed.
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    if (trace == Trace::DebugDisabled)
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    unsigned step = 0;
    for (auto _ : state) {
        setter.channel->write(engines[(step / valueCount) % startCount], values[valueIndex(step)]);
        ++step;
    }
    benchmark::ClobberMemory();

    if (trace == Trace::DebugDisabled)
        QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
}

void BM_set_rgb(benchmark::State &state)
{
    const auto starts = startColours();
    std::array<Prismora, startCount> engines;
    unsigned step = 0;
    for (auto _ : state) {
        const Start &start = starts[(step / valueCount) % startCount];
        // Each start colour's channels rotate with the step, so all three change every time.
        const int v = valueIndex(step);
        engines[(step / valueCount) % startCount].set_rgb(
            v, (start.g + v) % valueCount, (start.b + 3 * v) % valueCount);
        ++step;
    }
}
BENCHMARK(BM_set_rgb)->Name("engine/set_rgb");

// The same 4096 colours that set_rgb_r walks through: every red over each start's green and blue.
std::array<QColor, startCount * valueCount> peerColours()
{
    std::array<QColor, startCount * valueCount> colours;
    const auto starts = startColours();
    for (unsigned step = 0; step < colours.size(); ++step) {
        const Start &start = starts[(step / valueCount) % startCount];
        colours[step] = QColor(valueIndex(step), start.g, start.b);
    }
    return colours;
}

template<typename Convert> void runQColor(benchmark::State &state, Convert convert)
{
    const auto colours = peerColours();
    unsigned step = 0;
    for (auto _ : state) {
        QColor converted = convert(colours[step % colours.size()]);
        benchmark::DoNotOptimize(converted);
        ++step;
    }
}

void BM_QColor_toCmyk(benchmark::State &state)
{
    runQColor(state, [](const QColor &c) { return c.toCmyk(); });
}
BENCHMARK(BM_QColor_toCmyk)->Name("peer/QColor_toCmyk");

void BM_QColor_toHsv(benchmark::State &state)
{
    runQColor(state, [](const QColor &c) { return c.toHsv(); });
}
BENCHMARK(BM_QColor_toHsv)->Name("peer/QColor_toHsv");

void BM_QColor_toHsl(benchmark::State &state)
{
    runQColor(state, [](const QColor &c) { return c.toHsl(); });
}
BENCHMARK(BM_QColor_toHsl)->Name("peer/QColor_toHsl");

// A Little CMS transform from 8-bit sRGB, built once and then used one pixel per call, as a
// converter taking one colour at a time would use it.
class LcmsTransform
{
public:
    LcmsTransform(cmsHPROFILE target, cmsUInt32Number format)
    {
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        m_transform
            = cmsCreateTransform(srgb, TYPE_RGB_8, target, format, INTENT_RELATIVE_COLORIMETRIC, 0);
        cmsCloseProfile(srgb);
        cmsCloseProfile(target);
    }
    ~LcmsTransform()
    {
        if (m_transform)
            cmsDeleteTransform(m_transform);
    }
    LcmsTransform(const LcmsTransform &) = delete;
    LcmsTransform &operator=(const LcmsTransform &) = delete;

    bool isValid() const { return m_transform != nullptr; }
    void convert(const std::uint8_t *pixel, double *out) const
    {
        cmsDoTransform(m_transform, pixel, out, 1);
    }

private:
    cmsHTRANSFORM m_transform = nullptr;
};

LcmsTransform toXyz()
{
    return LcmsTransform(cmsCreateXYZProfile(), TYPE_XYZ_DBL);
}

LcmsTransform toLab()
{
    return LcmsTransform(cmsCreateLab4Profile(nullptr), TYPE_Lab_DBL);
}

std::array<std::uint8_t, 3 * startCount * valueCount> peerPixels()
{
    const auto colours = peerColours();
    std::array<std::uint8_t, 3 * startCount * valueCount> pixels {};
    for (unsigned i = 0; i < colours.size(); ++i) {
        pixels[3 * i] = static_cast<std::uint8_t>(colours[i].red());
        pixels[3 * i + 1] = static_cast<std::uint8_t>(colours[i].green());
        pixels[3 * i + 2] = static_cast<std::uint8_t>(colours[i].blue());
    }
    return pixels;
}

void runLcms(benchmark::State &state, const LcmsTransform &transform)
{
    if (!transform.isValid()) {
        state.SkipWithError("Little CMS built no transform");
        return;
    }
    const auto pixels = peerPixels();
    double out[3] = {};
    unsigned step = 0;
    for (auto _ : state) {
        transform.convert(&pixels[3 * (step % (startCount * valueCount))], out);
        benchmark::DoNotOptimize(out);
        ++step;
    }
}

void BM_lcms_sRGB_to_XYZ(benchmark::State &state)
{
    runLcms(state, toXyz());
}
BENCHMARK(BM_lcms_sRGB_to_XYZ)->Name("peer/lcms_sRGB_to_XYZ");

void BM_lcms_sRGB_to_Lab(benchmark::State &state)
{
    runLcms(state, toLab());
}
BENCHMARK(BM_lcms_sRGB_to_Lab)->Name("peer/lcms_sRGB_to_Lab");

// The same colours in Lab, as the Lab transform gives them, for the polar conversion.
std::array<cmsCIELab, startCount * valueCount> peerLabs(const LcmsTransform &lab)
{
    const auto pixels = peerPixels();
    std::array<cmsCIELab, startCount * valueCount> labs {};
    for (unsigned i = 0; i < labs.size(); ++i) {
        double out[3] = {};
        lab.convert(&pixels[3 * i], out);
        labs[i] = {out[0], out[1], out[2]};
    }
    return labs;
}

void BM_lcms_Lab_to_LCh(benchmark::State &state)
{
    const LcmsTransform lab = toLab();
    if (!lab.isValid()) {
        state.SkipWithError("Little CMS built no transform");
        return;
    }
    const auto labs = peerLabs(lab);
    cmsCIELCh lch {};
    unsigned step = 0;
    for (auto _ : state) {
        cmsLab2LCh(&lch, &labs[step % labs.size()]);
        benchmark::DoNotOptimize(lch);
        ++step;
    }
}
BENCHMARK(BM_lcms_Lab_to_LCh)->Name("peer/lcms_Lab_to_LCh");

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The goal's ratio. Absolute times drift from minute to minute, so the two sides alternate in
// blocks of 256 colours, each side first in every other block: set_rgb_r over 0..255 on one
// start colour, then each peer over the same 256 colours. The ratio is of the summed times.
void BM_cascade_vs_peers(benchmark::State &state)
{
    const LcmsTransform xyz = toXyz();
    const LcmsTransform lab = toLab();
    if (!xyz.isValid() || !lab.isValid()) {
        state.SkipWithError("Little CMS built no transform");
        return;
    }
    const auto starts = startColours();
    std::array<Prismora, startCount> engines;
    for (int i = 0; i < startCount; ++i)
        engines[i].set_rgb(starts[i].r, starts[i].g, starts[i].b);
    const auto colours = peerColours();
    const auto pixels = peerPixels();
    const auto labs = peerLabs(lab);

    double engineSeconds = 0;
    double peerSeconds = 0;
    unsigned block = 0;
    for (auto _ : state) {
        const unsigned base = (block % startCount) * valueCount;
        Prismora &engine = engines[block % startCount];
        const auto cascades = [&] {
            const auto start = Clock::now();
            for (unsigned k = 0; k < valueCount; ++k)
                engine.set_rgb_r(valueIndex(base + k));
            return secondsSince(start);
        };
        const auto peers = [&] {
            const auto start = Clock::now();
            for (unsigned k = 0; k < valueCount; ++k)
                benchmark::DoNotOptimize(colours[base + k].toCmyk());
            for (unsigned k = 0; k < valueCount; ++k)
                benchmark::DoNotOptimize(colours[base + k].toHsv());
            for (unsigned k = 0; k < valueCount; ++k)
                benchmark::DoNotOptimize(colours[base + k].toHsl());
            double out[3] = {};
            for (unsigned k = 0; k < valueCount; ++k) {
                xyz.convert(&pixels[3 * (base + k)], out);
                benchmark::DoNotOptimize(out);
            }
            for (unsigned k = 0; k < valueCount; ++k) {
                lab.convert(&pixels[3 * (base + k)], out);
                benchmark::DoNotOptimize(out);
            }
            cmsCIELCh lch {};
            for (unsigned k = 0; k < valueCount; ++k) {
                cmsLab2LCh(&lch, &labs[base + k]);
                benchmark::DoNotOptimize(lch);
            }
            return secondsSince(start);
        };
        double engineBlock = 0;
        double peerBlock = 0;
        if (block % 2 == 0) {
            engineBlock = cascades();
            peerBlock = peers();
        } else {
            peerBlock = peers();
            engineBlock = cascades();
        }
        engineSeconds += engineBlock;
        peerSeconds += peerBlock;
        state.SetIterationTime(engineBlock + peerBlock);
        ++block;
    }
    const double calls = static_cast<double>(state.iterations()) * valueCount;
    state.counters["cascade_ns"] = engineSeconds / calls * 1e9;
    state.counters["peers_ns"] = peerSeconds / calls * 1e9;
    state.counters["ratio"] = engineSeconds / peerSeconds;
}
BENCHMARK(BM_cascade_vs_peers)->Name("goal/cascade_vs_peers")->UseManualTime();

} // namespace

int main(int argc, char **argv)
{
    for (const Setter &setter : setters()) {
        const std::string &name = setter.name;
        if (setter.model == ColourModels::Hsl) {
            benchmark::RegisterBenchmark(
                (name + "/noop_handler").c_str(), runSetter, setter, Trace::NoOpHandler);
            benchmark::RegisterBenchmark(
                (name + "/debug_disabled").c_str(), runSetter, setter, Trace::DebugDisabled);
        } else {
            benchmark::RegisterBenchmark(name.c_str(), runSetter, setter, Trace::Plain);
        }
    }

    MedianReporter reporter;
    runBenchmarks(argc, argv, 0.1, reporter);

    const std::string paired = "goal/cascade_vs_peers";
    const double ratio = reporter.medianCounter(paired, "ratio");
    if (ratio > 0) {
        std::printf("cascade set_rgb_r: %.1f ns; QColor (CMYK, HSV, HSL) + Little CMS (XYZ, Lab, "
                    "LCh): %.1f ns, per colour, medians of alternating blocks\n",
            reporter.medianCounter(paired, "cascade_ns"),
            reporter.medianCounter(paired, "peers_ns"));
        printGoal(
            "RGB-setter cascade / (QColor CMYK+HSV+HSL + Little CMS XYZ+Lab+LCh)", ratio, 0.70);
    }
    return 0;
}
