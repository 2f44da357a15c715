// Runs a seeded sequence of random setter calls over every model and prints one digest of every
// getter's bits and every trace line after each call, so that two builds of the engine can be
// shown to give bit-identical values. It calls the engine's public setters and getters by name,
// so the same source builds against older and newer engines alike.
//
//   enginedigest [calls] [seed] [--every N]    prints the digest, and with --every a partial
//                                              digest every N calls to find where two runs part
//   enginedigest ... --values                  prints every getter after every call instead, one
//                                              line per call, to count where two builds differ
//   enginedigest ... --older                   calls and reads only RGB, CMYK, HSV, HSL, XYZ and
//                                              LAB, whose values later models must leave alone
#include "prismora.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

std::uint64_t digest = 1469598103934665603ULL;

void mix(const void *data, std::size_t size)
{
    const auto *bytes = static_cast<const unsigned char *>(data);
    for (std::size_t i = 0; i < size; ++i) {
        digest ^= bytes[i];
        digest *= 1099511628211ULL;
    }
}

void mixValue(double value)
{
    mix(&value, sizeof value);
}

void traceHandler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    const QByteArray text = message.toUtf8();
    mix(text.constData(), std::size_t(text.size()));
}

struct Setter
{
    void (*call)(Prismora &engine, double value);
    double lowest;
    double highest;
};

// Each channel's accepted range, widened below so that refused and clipped values occur too.
const Setter setters[] = {
    {[](Prismora &e, double v) { e.set_rgb_r(v); }, 0, 255},
    {[](Prismora &e, double v) { e.set_rgb_g(v); }, 0, 255},
    {[](Prismora &e, double v) { e.set_rgb_b(v); }, 0, 255},
    {[](Prismora &e, double v) { e.set_cmyk_c(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_cmyk_m(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_cmyk_y(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_cmyk_k(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_hsv_h(float(v)); }, 0, 360},
    {[](Prismora &e, double v) { e.set_hsv_s(float(v)); }, 0, 100},
    {[](Prismora &e, double v) { e.set_hsv_v(float(v)); }, 0, 100},
    {[](Prismora &e, double v) { e.set_hsl_h(v); }, 0, 360},
    {[](Prismora &e, double v) { e.set_hsl_s(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_hsl_l(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_xyz_x(v); }, 0, 95.05},
    {[](Prismora &e, double v) { e.set_xyz_y(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_xyz_z(v); }, 0, 108.9},
    {[](Prismora &e, double v) { e.set_lab_l(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_lab_a(v); }, -128, 127},
    {[](Prismora &e, double v) { e.set_lab_b(v); }, -128, 127},
    {[](Prismora &e, double v) { e.set_lch_l(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_lch_c(v); }, 0, 150},
    {[](Prismora &e, double v) { e.set_lch_h(v); }, 0, 360},
    {[](Prismora &e, double v) { e.set_oklab_l(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_oklab_a(v); }, -0.4, 0.4},
    {[](Prismora &e, double v) { e.set_oklab_b(v); }, -0.4, 0.4},
    {[](Prismora &e, double v) { e.set_oklch_l(v); }, 0, 100},
    {[](Prismora &e, double v) { e.set_oklch_c(v); }, 0, 0.4},
    {[](Prismora &e, double v) { e.set_oklch_h(v); }, 0, 360},
};

double (*const getters[])(const Prismora &) = {
    [](const Prismora &e) { return e.get_rgb_r(); },
    [](const Prismora &e) { return e.get_rgb_g(); },
    [](const Prismora &e) { return e.get_rgb_b(); },
    [](const Prismora &e) { return e.get_cmyk_c(); },
    [](const Prismora &e) { return e.get_cmyk_m(); },
    [](const Prismora &e) { return e.get_cmyk_y(); },
    [](const Prismora &e) { return e.get_cmyk_k(); },
    [](const Prismora &e) { return double(e.get_hsv_h()); },
    [](const Prismora &e) { return double(e.get_hsv_s()); },
    [](const Prismora &e) { return double(e.get_hsv_v()); },
    [](const Prismora &e) { return e.get_hsl_h(); },
    [](const Prismora &e) { return e.get_hsl_s(); },
    [](const Prismora &e) { return e.get_hsl_l(); },
    [](const Prismora &e) { return e.get_xyz_x(); },
    [](const Prismora &e) { return e.get_xyz_y(); },
    [](const Prismora &e) { return e.get_xyz_z(); },
    [](const Prismora &e) { return e.get_lab_l(); },
    [](const Prismora &e) { return e.get_lab_a(); },
    [](const Prismora &e) { return e.get_lab_b(); },
    [](const Prismora &e) { return e.get_lch_l(); },
    [](const Prismora &e) { return e.get_lch_c(); },
    [](const Prismora &e) { return e.get_lch_h(); },
    [](const Prismora &e) { return e.get_oklab_l(); },
    [](const Prismora &e) { return e.get_oklab_a(); },
    [](const Prismora &e) { return e.get_oklab_b(); },
    [](const Prismora &e) { return e.get_oklch_l(); },
    [](const Prismora &e) { return e.get_oklch_c(); },
    [](const Prismora &e) { return e.get_oklch_h(); },
};

// The setters and getters of RGB, CMYK, HSV, HSL, XYZ and LAB come first in both tables.
constexpr int olderSetters = 19;
constexpr int olderGetters = 19;

// Mostly values in range, some on whole numbers and on the edges (where noise shows), some beyond.
double pickValue(std::mt19937_64 &random, const Setter &setter)
{
    const double span = setter.highest - setter.lowest;
    switch (std::uniform_int_distribution<int>(0, 9)(random)) {
    case 0:
        return setter.lowest;
    case 1:
        return setter.highest;
    case 2:
        return std::round(
            std::uniform_real_distribution<double>(setter.lowest, setter.highest)(random));
    case 3:
        return std::uniform_real_distribution<double>(
            setter.lowest - span / 4, setter.highest + span / 4)(random);
    case 4:
        // The levels of 8-bit RGB in percent and fractions.
        return setter.lowest
            + span * double(std::uniform_int_distribution<int>(0, 255)(random)) / 255;
    default:
        return std::uniform_real_distribution<double>(setter.lowest, setter.highest)(random);
    }
}

} // namespace

int main(int argc, char **argv)
{
    long long calls = 1000000;
    unsigned long long seed = 20261207;
    long long every = 0;
    bool values = false;
    bool older = false;
    for (int i = 1, positional = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--values") == 0) {
            values = true;
        } else if (std::strcmp(argv[i], "--older") == 0) {
            older = true;
        } else if (std::strcmp(argv[i], "--every") == 0 && i + 1 < argc) {
            every = std::atoll(argv[++i]);
        } else if (positional++ == 0) {
            calls = std::atoll(argv[i]);
        } else {
            seed = std::strtoull(argv[i], nullptr, 10);
        }
    }

    qInstallMessageHandler(traceHandler);
    std::mt19937_64 random(seed);
    Prismora engine;
    const int setterCount = older ? olderSetters : int(sizeof setters / sizeof setters[0]);
    const int getterCount = older ? olderGetters : int(sizeof getters / sizeof getters[0]);
    for (long long call = 1; call <= calls; ++call) {
        const int which = std::uniform_int_distribution<int>(0, setterCount)(random);
        if (which == setterCount) {
            std::uniform_real_distribution<double> level(0, 255);
            engine.set_rgb(level(random), level(random), level(random));
        } else {
            setters[which].call(engine, pickValue(random, setters[which]));
        }
        for (int g = 0; g < getterCount; ++g)
            mixValue(getters[g](engine));
        if (values) {
            std::printf("%lld %d", call, which);
            for (int g = 0; g < getterCount; ++g)
                std::printf(" %a", getters[g](engine));
            std::printf("\n");
        }
        const bool inGamut = engine.in_srgb_gamut();
        mix(&inGamut, sizeof inGamut);
        if (every > 0 && call % every == 0)
            std::printf("%lld %016llx\n", call, static_cast<unsigned long long>(digest));
    }
    std::printf(
        "%lld calls, seed %llu: %016llx\n", calls, seed, static_cast<unsigned long long>(digest));
    return 0;
}
