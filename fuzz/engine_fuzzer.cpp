// Drives the engine with a sequence of setter calls read from the input and checks, after every
// call, what must hold whatever the numbers: no undefined behaviour (the sanitizers watch), every
// getter answers, the whole-number RGB getters are finite. A second engine takes the same calls
// with each value brought into the range the window accepts, as the window would let it through,
// and must then also keep the model set last as given and every other model in step with RGB.
// Getters, setters, names and ranges all come from the engine's table of colour models.
//
// Input: repeated records of an operation byte, for some operations more bytes naming the setter,
// and the values. A record cut short ends the input. By the operation byte b:
//   0-239    one of the 20 setters of oneByteSetters, b % 20, in encoding b / 20 (0 to 11);
//   240-254  a byte s follows: one of the 9 setters of twoByteSetters, s % 9, in encoding
//            s / 9 % 13;
//   255      bytes k and e follow: setter k of those both tables lack, in the model table's
//            order, in encoding e % 13. A k beyond them ends the input.
// A value in encoding
//   0-3      8 bytes, a double as it lies in memory (little-endian);
//   4-7      2 bytes, n little-endian: the fraction n / 65535 of the channel's window range;
//   8-9      2 bytes, n as above: the lowest of that range plus n modulo the whole numbers in it;
//   10-12    1 byte, one of the awkward values in awkwardValue().
// set_rgb reads three values in the same encoding. Both tables are frozen, so that a stored input
// means the same calls whatever setters come later; those are reached through 255 alone, which
// until then meant what 240 to 254 mean and which no stored input used. Fractions and whole numbers
// follow the window's ranges: a record keeps its place within the range of its channel.
//
// With --calls every input's calls are printed as decoded, one a line: the model's key, the
// channel or "all", and each value with its bits.

#include "colourmodels.h"
#include "prismora.h"
#include "quietmessages.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using namespace ColourModels;

const Model &modelAt(int m)
{
    return *model(m);
}

const Channel &channelAt(int m, int c)
{
    return modelAt(m).channels[c];
}

int channelCount(int m)
{
    return modelAt(m).channelCount;
}

// What a record calls: one channel's setter, or set_rgb with all three channels.
struct Setter
{
    int model;
    int channel;
};
constexpr int allRgb = -1;

constexpr Setter oneByteSetters[] = {{Rgb, 0}, {Rgb, 1}, {Rgb, 2}, {Rgb, allRgb}, {Cmyk, 0},
    {Cmyk, 1}, {Cmyk, 2}, {Cmyk, 3}, {Hsv, 0}, {Hsv, 1}, {Hsv, 2}, {Hsl, 0}, {Hsl, 1}, {Hsl, 2},
    {Xyz, 0}, {Xyz, 1}, {Xyz, 2}, {Lab, 0}, {Lab, 1}, {Lab, 2}};
constexpr Setter twoByteSetters[] = {{Lch, 0}, {Lch, 1}, {Lch, 2}, {Oklab, 0}, {Oklab, 1},
    {Oklab, 2}, {Oklch, 0}, {Oklch, 1}, {Oklch, 2}};
constexpr int oneByteCount = sizeof(oneByteSetters) / sizeof(oneByteSetters[0]);
constexpr int twoByteCount = sizeof(twoByteSetters) / sizeof(twoByteSetters[0]);
constexpr int firstTwoByte = 240;
constexpr int laterEscape = 255;
constexpr int encodingCount = 13;
static_assert(oneByteCount * (firstTwoByte / oneByteCount) == firstTwoByte,
    "every one-byte operation names a setter and an encoding");

bool frozen(int m, int c)
{
    const auto same = [m, c](const Setter &s) { return s.model == m && s.channel == c; };
    return std::any_of(std::begin(oneByteSetters), std::end(oneByteSetters), same)
        || std::any_of(std::begin(twoByteSetters), std::end(twoByteSetters), same);
}

// The channels of the model table that came after the tables were frozen.
const std::vector<Setter> &laterSetters()
{
    static const std::vector<Setter> later = [] {
        std::vector<Setter> setters;
        for (int m = 0; m < Count; ++m) {
            for (int c = 0; c < channelCount(m); ++c) {
                if (!frozen(m, c))
                    setters.push_back({m, c});
            }
        }
        return setters;
    }();
    return later;
}

bool printCalls = false;

// Every getter, by model and channel; channels a model lacks stay 0.
using Snapshot = std::array<std::array<double, 4>, Count>;

Snapshot snapshot(const Prismora &e)
{
    Snapshot s {};
    for (int m = 0; m < Count; ++m) {
        for (int c = 0; c < channelCount(m); ++c)
            s[m][c] = channelAt(m, c).read(e);
    }
    return s;
}

// m -1 for a value that is no getter's.
[[noreturn]] void fail(const char *what, int m, int c, double actual, double expected)
{
    if (m < 0) {
        std::fprintf(stderr, "engine property broken: %s: value is %.17g, expected %.17g\n", what,
            actual, expected);
    } else {
        std::fprintf(stderr,
            "engine property broken: %s: %s channel %d (%s) is %.17g, expected %.17g\n", what,
            modelAt(m).key, c, channelAt(m, c).description, actual, expected);
    }
    std::abort();
}

void check(bool holds, const char *what, int m, int c, double actual, double expected)
{
    if (!holds)
        fail(what, m, c, actual, expected);
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// Beyond float's range a double becomes an infinity, as IEEE rounding gives it.
float toFloat(double value)
{
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (std::fabs(value) > static_cast<double>(FLT_MAX))
        return std::copysign(std::numeric_limits<float>::infinity(), static_cast<float>(value));
    return static_cast<float>(value);
}

// HSV's setters take float, and a double beyond float's range has no defined conversion to it.
void write(Prismora &e, int m, int c, double value)
{
    channelAt(m, c).write(e, m == Hsv ? toFloat(value) : value);
}

void apply(Prismora &e, const Setter &setter, const std::array<double, 3> &values)
{
    if (setter.channel == allRgb)
        e.set_rgb(values[0], values[1], values[2]);
    else
        write(e, setter.model, setter.channel, values[0]);
}

int valueCount(const Setter &setter)
{
    return setter.channel == allRgb ? 3 : 1;
}

int channelOf(const Setter &setter, int k)
{
    return setter.channel == allRgb ? k : setter.channel;
}

double awkwardValue(std::uint8_t index, const Channel &range)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const double values[] = {
        std::numeric_limits<double>::quiet_NaN(),
        -std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::signaling_NaN(),
        infinity,
        -infinity,
        DBL_MAX,
        -DBL_MAX,
        1e300,
        -1e300,
        DBL_MIN,
        -DBL_MIN,
        std::numeric_limits<double>::denorm_min(),
        -std::numeric_limits<double>::denorm_min(),
        1e-310,
        -0.0,
        0.0,
        range.lowest,
        range.highest,
        std::nextafter(range.lowest, -infinity),
        std::nextafter(range.highest, infinity),
        std::nextafter(range.highest, -infinity),
        range.lowest - 1,
        range.highest + 1,
        (range.lowest + range.highest) / 2,
        2147483648.0,
        -2147483649.0,
        1e9,
        static_cast<double>(FLT_MAX) * 2,
        static_cast<double>(FLT_MIN) / 4,
        0.5,
        254.99999999999997,
        359.99999999999994,
    };
    return values[index % (sizeof(values) / sizeof(values[0]))];
}

class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    { }

    bool take(void *out, std::size_t count)
    {
        if (m_size - m_position < count)
            return false;
        std::memcpy(out, m_data + m_position, count);
        m_position += count;
        return true;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

bool readSetter(Reader &reader, Setter &setter, int &encoding)
{
    std::uint8_t operation = 0;
    if (!reader.take(&operation, sizeof operation))
        return false;
    if (operation < firstTwoByte) {
        setter = oneByteSetters[operation % oneByteCount];
        encoding = operation / oneByteCount;
        return true;
    }
    std::uint8_t second = 0;
    if (!reader.take(&second, sizeof second))
        return false;
    if (operation != laterEscape) {
        setter = twoByteSetters[second % twoByteCount];
        encoding = second / twoByteCount % encodingCount;
        return true;
    }
    std::uint8_t third = 0;
    if (std::size_t {second} >= laterSetters().size() || !reader.take(&third, sizeof third))
        return false;
    setter = laterSetters()[second];
    encoding = third % encodingCount;
    return true;
}

bool readValue(Reader &reader, int encoding, const Channel &range, double &value)
{
    if (encoding < 4)
        return reader.take(&value, sizeof value);
    if (encoding < 10) {
        std::uint16_t raw = 0;
        if (!reader.take(&raw, sizeof raw))
            return false;
        if (encoding < 8)
            value = range.lowest + (range.highest - range.lowest) * (raw / 65535.0);
        else
            value = range.lowest + raw % static_cast<int>(range.highest - range.lowest + 1);
        return true;
    }
    std::uint8_t index = 0;
    if (!reader.take(&index, sizeof index))
        return false;
    value = awkwardValue(index, range);
    return true;
}

void print(const Setter &setter, const std::array<double, 3> &values)
{
    std::printf("%s", modelAt(setter.model).key);
    if (setter.channel == allRgb)
        std::printf(" all");
    else
        std::printf(" %d", setter.channel);
    for (int k = 0; k < valueCount(setter); ++k) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &values[k], sizeof bits);
        std::printf(" %.17g %016llx", values[k], static_cast<unsigned long long>(bits));
    }
    std::printf("\n");
}

// The models that hold the colour as set: setting one of them takes the others along, also beyond
// what a screen shows.
bool wide(int m)
{
    return m == Xyz || m == Lab || m == Lch || m == Oklab || m == Oklch || m == DisplayP3
        || m == Rec2020;
}

// What must hold after any call, whatever the values.
void checkAlways(const Snapshot &now)
{
    for (int c = 0; c < channelCount(Rgb); ++c) {
        check(std::isfinite(now[Rgb][c]) && now[Rgb][c] >= INT_MIN && now[Rgb][c] <= INT_MAX,
            "whole-number RGB", Rgb, c, now[Rgb][c], 0);
    }
}

// The engine fed only values the window accepts, with what it was given per channel of the model
// set last, as far as known since that model became the last.
struct SaneTrack
{
    int last = Rgb;
    std::array<double, 4> given {};
    std::array<bool, 4> known {};
};

void checkWithin(double value, double lowest, double highest, double slack, int m, int c)
{
    check(value >= lowest - slack && value <= highest + slack, "range", m, c, value,
        value < lowest ? lowest : highest);
}

double hueDistance(double a, double b)
{
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

// Bit for bit: a fresh engine given the same values of the model set last holds what this one does.
void checkAgainstFresh(
    const Snapshot &now, int set, const std::array<double, 4> &values, const char *what)
{
    Prismora fresh;
    for (int c = 0; c < channelCount(set); ++c)
        write(fresh, set, c, values[c]);
    const Snapshot want = snapshot(fresh);
    for (int m = 0; m < Count; ++m) {
        for (int c = 0; c < channelCount(m); ++c)
            check(sameBits(now[m][c], want[m][c]), what, m, c, now[m][c], want[m][c]);
    }
}

// The model set last: the channel just set reads back as given, up to the getter's own scaling,
// the setter leaves the model's other channels alone, and the state depends on the model's values
// only, never on what came before. A model added to the table later has its read-back checked
// once it has a rule here.
void checkLastModel(const Snapshot &before, const Snapshot &now, const SaneTrack &track,
    const Setter &setter, const std::array<double, 3> &values)
{
    const int m = setter.model;
    for (int k = 0; k < valueCount(setter); ++k) {
        const int c = channelOf(setter, k);
        const double given = values[k];
        const double got = now[m][c];
        switch (m) {
        case Rgb:
            check(got == std::trunc(given), "RGB reads back truncated", m, c, got, given);
            break;
        case Cmyk:
        case Hsl:
            // Divided by 100 or 360 on the way in and multiplied back on the way out.
            check(std::fabs(got - given) <= 1e-14 * std::fabs(given) + 1e-300, "reads back", m, c,
                got, given);
            break;
        case Hsv:
            // The same in single precision.
            check(std::fabs(got - given) <= 5e-7 * std::fabs(given) + 1e-40, "reads back", m, c,
                got, given);
            break;
        case Xyz:
        case Lab:
        case DisplayP3:
        case Rec2020:
            check(sameBits(got, given), "reads back exactly", m, c, got, given);
            break;
        case Lch:
        case Oklab:
        case Oklch:
            // Lightness in percent and hues in degrees are scaled as CMYK is; the rest is stored.
            if (m == Lch ? c == 2 : c == 0 || (m == Oklch && c == 2)) {
                check(std::fabs(got - given) <= 1e-14 * std::fabs(given) + 1e-300, "reads back", m,
                    c, got, given);
            } else {
                check(sameBits(got, given), "reads back exactly", m, c, got, given);
            }
            break;
        default:
            break;
        }
    }
    if (setter.channel != allRgb) {
        for (int c = 0; c < channelCount(m); ++c) {
            if (c != setter.channel)
                check(sameBits(now[m][c], before[m][c]), "own model kept", m, c, now[m][c],
                    before[m][c]);
        }
    }

    bool allKnown = true;
    for (int c = 0; c < channelCount(m); ++c)
        allKnown = allKnown && track.known[c];
    if (allKnown)
        checkAgainstFresh(now, m, track.given, "same values, same state");
    // XYZ and LAB getters return what is stored, so their state can be replayed from them.
    if (m == Xyz || m == Lab)
        checkAgainstFresh(now, m, now[m], "replayed from getters");
}

// Where a getter stays, for in-range input, after the model set was the last set: the window's
// range for the channel, less where a family set takes its other members beyond it.
struct Bounds
{
    bool checked;
    double lowest;
    double highest;
};

Bounds saneBounds(int m, int c, int set)
{
    const Channel &channel = channelAt(m, c);
    const double infinity = std::numeric_limits<double>::infinity();
    // Set in one wide model, the colour as set may lie anywhere in the others, and so in the
    // channels of the model set that were carried over: only hues keep to a turn and chroma to
    // positive values. The channels given read back as given, checked apart.
    if (wide(m) && wide(set)) {
        const bool polar = m == Lch || m == Oklch;
        if (polar && c == 2)
            return {true, 0, 360};
        return {polar && c == 1, 0, infinity};
    }
    // From RGB, C* stays within 134 and OKLab's a and b within 0.32.
    if (m == Lch && c == 1)
        return {true, 0, 150};
    if (m == Xyz) {
        // White in XYZ is 95.05, 100, 108.9; every displayable colour lies within it.
        return {true, channel.lowest, c == 0 ? 95.05 : channel.highest};
    }
    return {true, channel.lowest, channel.highest};
}

// Whole-number RGB, hues from atan2 and the stored a, b and chroma stay exactly within; what is
// scaled to percent or degrees on the way out may pass by a rounding, HSV's in single precision.
double slack(int m, int c)
{
    if (m == Hsv)
        return 1e-4;
    if (m == Rgb || ((m == Lab || m == Lch || m == Oklab || m == Oklch) && c > 0))
        return 0;
    return 1e-9;
}

// Every value finite and within what the window shows for in-range input.
void checkRanges(const Snapshot &now, int set)
{
    for (int m = 0; m < Count; ++m) {
        for (int c = 0; c < channelCount(m); ++c) {
            check(std::isfinite(now[m][c]), "finite", m, c, now[m][c], 0);
            const Bounds bounds = saneBounds(m, c, set);
            if (bounds.checked)
                checkWithin(now[m][c], bounds.lowest, bounds.highest, slack(m, c), m, c);
        }
    }
}

// A polar model and its cartesian partner describe the same colour, whichever was set. Tiny a and
// b read as 0 when the polar form is set, so the hue is compared only with some chroma.
void checkPolar(const Snapshot &now, int cartesian, int polar)
{
    // Lightness is copied, except that a computed one within 1e-9 of 0 is noise read as 0.
    const double setLightness = now[cartesian][0];
    const double copied
        = std::fabs(setLightness) <= 1e-9 && now[polar][0] == 0 ? 0.0 : setLightness;
    const double seen = std::fabs(now[polar][0]) <= 1e-9 && setLightness == 0 ? 0.0 : now[polar][0];
    check(sameBits(seen, copied), "polar lightness", polar, 0, now[polar][0], setLightness);
    const double a = now[cartesian][1];
    const double b = now[cartesian][2];
    const double chroma = std::hypot(a, b);
    check(std::fabs(now[polar][1] - chroma) <= 1e-9 + 1e-12 * chroma, "polar chroma", polar, 1,
        now[polar][1], chroma);
    if (chroma > 1e-3) {
        const double hue = std::atan2(b, a) * 180 / 3.14159265358979323846;
        check(hueDistance(now[polar][2], hue < 0 ? hue + 360 : hue) <= 1e-4, "polar hue", polar, 2,
            now[polar][2], hue);
    }
}

Snapshot setFrom(int m, const Snapshot &values)
{
    Prismora engine;
    for (int c = 0; c < channelCount(m); ++c)
        write(engine, m, c, values[m][c]);
    return snapshot(engine);
}

// The other models agree with RGB. RGB's fractions are not readable, but CMYK gives them back:
// 255 (1 - C) (1 - K) is cmyk_rgb itself and exactly the inverse of rgb_cmyk. What is derived from
// that RGB agrees within rounding where it is well defined: hue needs some chroma, saturation a
// denominator away from zero.
void checkAgreement(const Snapshot &now, int m, const Snapshot &whole)
{
    const double keep = 1 - now[Cmyk][3] / 100;
    std::array<double, 3> rgb {};
    for (int c = 0; c < 3; ++c) {
        double channel = 255 * (1 - now[Cmyk][c] / 100) * keep;
        // A computed level within 1e-6 below a whole number is that number, in the engine and
        // so here; RGB set directly keeps its fraction.
        const double above = std::floor(channel) + 1;
        if (m != Rgb && above - channel <= 1e-6)
            channel = above;
        rgb[c] = channel;
        // The getters truncate the very same channel.
        check(channel >= now[Rgb][c] - 1e-9 && channel < now[Rgb][c] + 1 + 1e-9,
            "RGB agrees with CMYK", Rgb, c, now[Rgb][c], channel);
    }
    Prismora fresh;
    fresh.set_rgb(std::clamp(rgb[0], 0.0, 255.0), std::clamp(rgb[1], 0.0, 255.0),
        std::clamp(rgb[2], 0.0, 255.0));
    const Snapshot want = snapshot(fresh);
    const double high = *std::max_element(rgb.begin(), rgb.end()) / 255;
    const double low = *std::min_element(rgb.begin(), rgb.end()) / 255;
    const double wellDefined = 1e-6;
    const bool hasHue = high - low > wellDefined;
    const bool hslSaturationDefined = high + low > wellDefined && 2 - high - low > wellDefined;

    if (m != Cmyk) {
        if (high > wellDefined) {
            for (int c = 0; c < 3; ++c) {
                check(std::fabs(now[Cmyk][c] - want[Cmyk][c]) <= 1e-6, "CMYK agrees with RGB", Cmyk,
                    c, now[Cmyk][c], want[Cmyk][c]);
            }
        }
        check(std::fabs(now[Cmyk][3] - want[Cmyk][3]) <= 1e-9, "key agrees with RGB", Cmyk, 3,
            now[Cmyk][3], want[Cmyk][3]);
    }
    if (m != Hsv) {
        // Single precision.
        if (hasHue) {
            check(hueDistance(now[Hsv][0], want[Hsv][0]) <= 1e-3, "HSV agrees with RGB", Hsv, 0,
                now[Hsv][0], want[Hsv][0]);
        }
        if (high > wellDefined) {
            check(std::fabs(now[Hsv][1] - want[Hsv][1]) <= 1e-3, "HSV agrees with RGB", Hsv, 1,
                now[Hsv][1], want[Hsv][1]);
        }
        check(std::fabs(now[Hsv][2] - want[Hsv][2]) <= 1e-4, "HSV agrees with RGB", Hsv, 2,
            now[Hsv][2], want[Hsv][2]);
    }
    if (m != Hsl) {
        if (hasHue) {
            check(hueDistance(now[Hsl][0], want[Hsl][0]) <= 1e-6, "HSL agrees with RGB", Hsl, 0,
                now[Hsl][0], want[Hsl][0]);
        }
        if (hslSaturationDefined) {
            check(std::fabs(now[Hsl][1] - want[Hsl][1]) <= 1e-6, "HSL agrees with RGB", Hsl, 1,
                now[Hsl][1], want[Hsl][1]);
        }
        check(std::fabs(now[Hsl][2] - want[Hsl][2]) <= 1e-9, "HSL agrees with RGB", Hsl, 2,
            now[Hsl][2], want[Hsl][2]);
    }

    // The model set last agrees with the RGB it produced, within display tolerance: HSL's own
    // conversion offsets hue by 0.33333 rather than a third, and HSV runs in single precision,
    // which moves a channel by about 1e-7 of full scale and so the hue by that over the chroma.
    if ((m == Hsv || m == Hsl) && high > wellDefined) {
        const double hueTolerance = 1e-2 + 60 * 1e-6 / (high - low);
        if (hasHue) {
            check(hueDistance(now[m][0], want[m][0]) <= hueTolerance, "set hue agrees with RGB", m,
                0, now[m][0], want[m][0]);
        }
        if (m == Hsv || hslSaturationDefined) {
            check(std::fabs(now[m][1] - want[m][1]) <= 1e-2, "set saturation agrees with RGB", m, 1,
                now[m][1], want[m][1]);
        }
        check(std::fabs(now[m][2] - want[m][2]) <= 1e-2, "set value agrees with RGB", m, 2,
            now[m][2], want[m][2]);
    }

    // Set in the sRGB family, the colour as set is the whole-number RGB that the getters show,
    // and every wide model follows it.
    for (int d = 0; d < Count; ++d) {
        if (wide(d) && !wide(m)) {
            for (int c = 0; c < channelCount(d); ++c) {
                check(sameBits(now[d][c], whole[d][c]), "derived from whole RGB", d, c, now[d][c],
                    whole[d][c]);
            }
        }
    }
    checkPolar(now, Lab, Lch);
    checkPolar(now, Oklab, Oklch);
    if (wide(m)) {
        // Set in a wide model, the others hold the same colour: as the engine's XYZ, set again,
        // gives it. OKLab's cube roots magnify the last bits of a cone near zero, and so an XYZ
        // value next to 0 that reads as 0 by the noise rule.
        const Snapshot same = setFrom(Xyz, now);
        const bool nearBlack = now[Xyz][0] == 0 || now[Xyz][1] == 0 || now[Xyz][2] == 0
            || std::fabs(now[Xyz][0]) + std::fabs(now[Xyz][1]) + std::fabs(now[Xyz][2]) < 1e-6;
        for (const int d : {Lab, Oklab, DisplayP3, Rec2020}) {
            for (int c = 0; c < channelCount(d) && !(d == Oklab && nearBlack); ++c) {
                const double scale = std::max({1.0, std::fabs(now[d][c]), std::fabs(now[Xyz][0]),
                    std::fabs(now[Xyz][1]), std::fabs(now[Xyz][2])});
                check(std::fabs(now[d][c] - same[d][c]) <= (d == Oklab ? 1e-5 : 1e-7) * scale,
                    "same colour as set", d, c, now[d][c], same[d][c]);
            }
        }
    }
    if (wide(m) && std::all_of(rgb.begin(), rgb.end(), [](double channel) {
            return channel > 1e-9 && channel < 255 - 1e-9;
        })) {
        // XYZ, set or derived, against the XYZ of the whole-number RGB it gave: a step of one in
        // every channel moves X, Y or Z by less than 1. Clamped channels tell nothing.
        for (int c = 0; c < channelCount(Xyz); ++c) {
            check(std::fabs(now[Xyz][c] - whole[Xyz][c]) <= 1, "XYZ agrees with RGB", Xyz, c,
                now[Xyz][c], whole[Xyz][c]);
        }
    }
}

// Round trips through the engine's own conversions, from the XYZ, LAB and LCh of whole RGB. Back
// to RGB a channel moves by less than one, as the four-decimal matrices are nearly inverse; LAB
// and LCh give XYZ again up to rounding. OKLab gives the whole channels back to 1e-9, fractions
// and all (CMYK shows them), and so does OKLCh up to its cosines.
void checkRoundTrips(const Snapshot &now, const Snapshot &whole)
{
    for (const int m : {Lab, Lch}) {
        const Snapshot via = setFrom(m, whole);
        for (int c = 0; c < channelCount(Xyz); ++c) {
            check(std::fabs(via[Xyz][c] - whole[Xyz][c]) <= 1e-6,
                m == Lab ? "XYZ to LAB and back" : "XYZ to LCh and back", Xyz, c, via[Xyz][c],
                whole[Xyz][c]);
        }
    }
    for (const int m : {Oklab, Oklch}) {
        const Snapshot via = setFrom(m, whole);
        const double keep = 1 - via[Cmyk][3] / 100;
        for (int c = 0; c < 3; ++c) {
            const double channel = 255 * (1 - via[Cmyk][c] / 100) * keep;
            check(std::fabs(channel - whole[Rgb][c]) <= (m == Oklab ? 1e-9 : 1e-8),
                "RGB to OKLab and back", Rgb, c, channel, whole[Rgb][c]);
        }
    }
    const Snapshot viaXyz = setFrom(Xyz, whole);
    for (int c = 0; c < channelCount(Rgb); ++c) {
        check(std::fabs(viaXyz[Rgb][c] - now[Rgb][c]) <= 1, "RGB to XYZ and back", Rgb, c,
            viaXyz[Rgb][c], now[Rgb][c]);
    }
}

void checkSane(const Snapshot &before, const Snapshot &now, const SaneTrack &track,
    const Setter &setter, const std::array<double, 3> &values)
{
    checkLastModel(before, now, track, setter, values);
    checkRanges(now, setter.model);
    Prismora whole;
    whole.set_rgb(now[Rgb][0], now[Rgb][1], now[Rgb][2]);
    const Snapshot wholeNow = snapshot(whole);
    checkAgreement(now, setter.model, wholeNow);
    checkRoundTrips(now, wholeNow);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qInstallMessageHandler(quietMessages);
    for (int i = 1; i < *argc; ++i)
        printCalls = printCalls || std::strcmp((*argv)[i], "--calls") == 0;
    // A frozen setter the model table lost would change what stored inputs mean.
    const auto checkTable = [](const auto &table) {
        for (const Setter &s : table) {
            if (s.channel >= channelCount(s.model)) {
                std::fprintf(stderr, "%s has no channel %d\n", modelAt(s.model).key, s.channel);
                std::abort();
            }
        }
    };
    checkTable(oneByteSetters);
    checkTable(twoByteSetters);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Reader reader(data, size);
    if (printCalls)
        std::printf("input %zu\n", size);
    Prismora hostile;
    Prismora sane;
    SaneTrack track;

    Setter setter {};
    int encoding = 0;
    while (readSetter(reader, setter, encoding)) {
        const int count = valueCount(setter);
        std::array<double, 3> values {};
        bool complete = true;
        for (int k = 0; k < count && complete; ++k) {
            complete = readValue(
                reader, encoding, channelAt(setter.model, channelOf(setter, k)), values[k]);
        }
        if (!complete)
            break;
        if (printCalls)
            print(setter, values);

        // Whatever the value, including those the window would refuse.
        const Snapshot hostileBefore = snapshot(hostile);
        apply(hostile, setter, values);
        const Snapshot hostileNow = snapshot(hostile);
        checkAlways(hostileNow);
        // Red refuses what lies outside its range and leaves the whole engine as it was.
        const Channel &red = channelAt(Rgb, 0);
        if (setter.model == Rgb && setter.channel == 0
            && !(values[0] >= red.lowest && values[0] <= red.highest)) {
            for (int m = 0; m < Count; ++m) {
                for (int c = 0; c < channelCount(m); ++c) {
                    check(sameBits(hostileNow[m][c], hostileBefore[m][c]),
                        "refused red changes nothing", m, c, hostileNow[m][c], hostileBefore[m][c]);
                }
            }
        }

        // The same call as the window would make it: NaN refused, the rest held to the range.
        bool refused = false;
        std::array<double, 3> accepted {};
        for (int k = 0; k < count; ++k) {
            const Channel &range = channelAt(setter.model, channelOf(setter, k));
            refused = refused || std::isnan(values[k]);
            accepted[k] = std::clamp(values[k], range.lowest, range.highest);
            // HSV travels as float, and the window converts the value it accepted.
            if (setter.model == Hsv)
                accepted[k] = toFloat(accepted[k]);
        }
        if (refused)
            continue;
        if (setter.model != track.last) {
            track.last = setter.model;
            track.known.fill(false);
        }
        for (int k = 0; k < count; ++k) {
            track.given[channelOf(setter, k)] = accepted[k];
            track.known[channelOf(setter, k)] = true;
        }
        const Snapshot saneBefore = snapshot(sane);
        apply(sane, setter, accepted);
        const Snapshot saneNow = snapshot(sane);
        checkAlways(saneNow);
        checkSane(saneBefore, saneNow, track, setter, accepted);
        // Within the window's ranges these models give only colours a screen shows.
        if (setter.model == Rgb || setter.model == Cmyk || setter.model == Hsv
            || setter.model == Hsl)
            check(sane.in_srgb_gamut(), "within sRGB", -1, 0, 0, 1);
    }
    return 0;
}
