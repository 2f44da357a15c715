// Pastes every copy of every one of the 16,777,216 sRGB colours back, under both RGB settings,
// and a seeded sample of colours beyond sRGB set in their own notations, and counts every copy
// that does not come back as the same colour. Too slow for the test suite; CI runs it as a stage
// of its own (scripts/reliability).
//
//   copyroundtrip [--step N] [--beyond N]    every Nth colour only, N colours beyond sRGB
#include "csslab.h"
#include "notation.h"
#include "prismora.h"

#include <QLoggingCategory>
#include <QString>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

namespace {

std::atomic<long long> failures {0};
// One count per copy format; sized in main() before the workers start.
std::vector<std::atomic<long long>> failuresByFormat;

void fail(const char *what, const Prismora &engine, const QString &text)
{
    if (failures++ < 20)
        std::printf(
            "%s: %s copied as %s\n", what, qPrintable(Notation::hex(engine)), qPrintable(text));
}

bool sameLevels(const Prismora &a, const Prismora &b)
{
    return a.get_rgb_r() == b.get_rgb_r() && a.get_rgb_g() == b.get_rgb_g()
        && a.get_rgb_b() == b.get_rgb_b();
}

Prismora pasted(const QString &text, Prismora::RgbRounding rounding)
{
    Prismora engine;
    engine.set_rgb_rounding(rounding);
    if (const auto request = Notation::parse(text).request)
        Notation::apply(*request, engine);
    return engine;
}

void everySrgbColour(int first, int step, Prismora::RgbRounding rounding)
{
    Prismora engine;
    engine.set_rgb_rounding(rounding);
    for (int colour = first; colour < 1 << 24; colour += step) {
        engine.set_rgb(colour >> 16, (colour >> 8) & 0xff, colour & 0xff);
        int index = 0;
        for (const Notation::CopyFormat &format : Notation::copyFormats()) {
            const QString text = format.format(engine);
            if (!sameLevels(pasted(text, rounding), engine)) {
                fail(format.id, engine, text);
                ++failuresByFormat[index];
            }
            ++index;
        }
    }
}

// Values of a wide notation's own family, within 1e-6 relative.
bool sameValues(double got, double wanted, bool hue)
{
    double difference = std::fabs(got - wanted);
    if (hue)
        difference = std::min(std::fmod(difference, 360.0), 360 - std::fmod(difference, 360.0));
    return difference <= 1e-6 * (hue ? 360.0 : std::max(1.0, std::fabs(wanted)));
}

// lch() as CSS reads it: from the engine's XYZ through D50.
bool sameLch(const Prismora &got, const Prismora &wanted)
{
    const auto lch = [](const Prismora &engine) {
        const CssLab::Triple lab
            = CssLab::fromXyz({engine.get_xyz_x(), engine.get_xyz_y(), engine.get_xyz_z()});
        return CssLab::Triple {lab[0], std::hypot(lab[1], lab[2]),
            std::atan2(lab[2], lab[1]) * 180 / 3.14159265358979323846};
    };
    const CssLab::Triple a = lch(got);
    const CssLab::Triple b = lch(wanted);
    const bool same = sameValues(a[0], b[0], false) && sameValues(a[1], b[1], false)
        && sameValues(a[2], b[2], true) && sameLevels(got, wanted);
    return same;
}

void beyondSrgb(int count)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> lightness(5, 95);
    std::uniform_real_distribution<double> hue(0, 360);
    int beyond = 0;
    for (int i = 0; i < count; ++i) {
        Prismora engine;
        const bool ok = i % 2 == 0;
        engine.set_oklch_l(lightness(random));
        engine.set_oklch_c(ok ? std::uniform_real_distribution<double>(0.1, 0.4)(random) : 0);
        engine.set_oklch_h(hue(random));
        if (!ok) {
            // As CSS's lch() gives it, which holds no lightness below 0.
            const QString text
                = QStringLiteral("lch(%1 %2 %3)")
                      .arg(lightness(random), 0, 'g', 17)
                      .arg(std::uniform_real_distribution<double>(60, 150)(random), 0, 'g', 17)
                      .arg(hue(random), 0, 'g', 17);
            Notation::apply(*Notation::parse(text).request, engine);
        }
        if (engine.in_srgb_gamut())
            continue;
        ++beyond;
        const QString text = ok ? Notation::oklch(engine) : Notation::lch(engine);
        const Prismora back = pasted(text, Prismora::RgbRounding::Truncate);
        const bool same = ok ? sameValues(back.get_oklch_l(), engine.get_oklch_l(), false)
                && sameValues(back.get_oklch_c(), engine.get_oklch_c(), false)
                && sameValues(back.get_oklch_h(), engine.get_oklch_h(), true)
                             : sameLch(back, engine);
        if (!same)
            fail(ok ? "oklch beyond sRGB" : "lch beyond sRGB", engine, text);
    }
    std::printf("%d colours beyond sRGB pasted back\n", beyond);
}

} // namespace

int main(int argc, char **argv)
{
    int step = 1;
    int beyond = 100000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--step") == 0)
            step = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--beyond") == 0)
            beyond = std::atoi(argv[i + 1]);
    }
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    failuresByFormat = std::vector<std::atomic<long long>>(Notation::copyFormats().size());
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    for (const auto rounding : {Prismora::RgbRounding::Truncate, Prismora::RgbRounding::Nearest}) {
        std::vector<std::thread> workers;
        for (unsigned t = 0; t < threads; ++t)
            workers.emplace_back(everySrgbColour, int(t) * step, int(threads) * step, rounding);
        for (std::thread &worker : workers)
            worker.join();
    }
    beyondSrgb(beyond);
    int index = 0;
    for (const Notation::CopyFormat &format : Notation::copyFormats())
        std::printf("%s: %lld\n", format.id, failuresByFormat[index++].load());
    std::printf("%lld copies did not paste back\n", failures.load());
    return failures == 0 ? 0 : 1;
}
