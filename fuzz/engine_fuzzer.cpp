// Drives the engine with a sequence of setter calls read from the input and checks, after every
// call, what must hold whatever the numbers: no undefined behaviour (the sanitizers watch), every
// getter answers, the whole-number RGB getters are finite. A second engine takes the same calls
// with each value brought into the range the window accepts, as the window would let it through,
// and must then also keep the model set last as given and every other model in step with RGB.
//
// Input: repeated records of one operation byte and its payload. Below 240 the byte picks one of
// the first 20 setters (byte % 20) and how its value is encoded (byte / 20):
//   0-3   8 bytes, a double as it lies in memory (little-endian);
//   4-7   2 bytes, a fraction of the window's range for that channel;
//   8-9   2 bytes, a whole number within that range;
//   10-11 1 byte, one of the awkward values in awkwardValue().
// From 240 up a second byte follows and picks one of the nine LCh, OKLab and OKLCh setters
// (second % 9) and the encoding ((second / 9) % 13, as above, 12 being awkward too), so that
// inputs written before those setters existed still mean what they meant.
// set_rgb reads three values the same way. An incomplete record ends the input.

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

namespace {

enum Model { Rgb, Cmyk, Hsv, Hsl, Xyz, Lab, Lch, Oklab, Oklch, ModelCount };

struct Setter
{
    Model model;
    int channel; // -1: all three RGB channels at once
};

constexpr Setter setters[] = {{Rgb, 0}, {Rgb, 1}, {Rgb, 2}, {Rgb, -1}, {Cmyk, 0}, {Cmyk, 1},
    {Cmyk, 2}, {Cmyk, 3}, {Hsv, 0}, {Hsv, 1}, {Hsv, 2}, {Hsl, 0}, {Hsl, 1}, {Hsl, 2}, {Xyz, 0},
    {Xyz, 1}, {Xyz, 2}, {Lab, 0}, {Lab, 1}, {Lab, 2}, {Lch, 0}, {Lch, 1}, {Lch, 2}, {Oklab, 0},
    {Oklab, 1}, {Oklab, 2}, {Oklch, 0}, {Oklch, 1}, {Oklch, 2}};
constexpr int setterCount = sizeof(setters) / sizeof(setters[0]);
// The first operation byte of a record for one of the setters after the first 20.
constexpr int firstExtended = 240;
constexpr int olderSetters = 20;
constexpr int encodingCount = 13;

constexpr int channelCounts[ModelCount] = {3, 4, 3, 3, 3, 3, 3, 3, 3};

// The ranges the window's text entry accepts, inclusive.
struct Range
{
    double lowest;
    double highest;
};
constexpr Range ranges[ModelCount][4] = {
    {{0, 255}, {0, 255}, {0, 255}},
    {{0, 100}, {0, 100}, {0, 100}, {0, 100}},
    {{0, 360}, {0, 100}, {0, 100}},
    {{0, 360}, {0, 100}, {0, 100}},
    {{0, 255}, {0, 100}, {0, 108.9}},
    {{0, 100}, {-128, 127}, {-128, 127}},
    {{0, 100}, {0, 200}, {0, 360}},
    {{0, 100}, {-0.4, 0.4}, {-0.4, 0.4}},
    {{0, 100}, {0, 0.4}, {0, 360}},
};

// Every getter, in model order; the first index of each model in it.
constexpr int firstGetter[ModelCount] = {0, 3, 7, 10, 13, 16, 19, 22, 25};
constexpr int getterCount = 28;
using Snapshot = std::array<double, getterCount>;

Snapshot snapshot(const Prismora &e)
{
    return {e.get_rgb_r(), e.get_rgb_g(), e.get_rgb_b(), e.get_cmyk_c(), e.get_cmyk_m(),
        e.get_cmyk_y(), e.get_cmyk_k(), e.get_hsv_h(), e.get_hsv_s(), e.get_hsv_v(), e.get_hsl_h(),
        e.get_hsl_s(), e.get_hsl_l(), e.get_xyz_x(), e.get_xyz_y(), e.get_xyz_z(), e.get_lab_l(),
        e.get_lab_a(), e.get_lab_b(), e.get_lch_l(), e.get_lch_c(), e.get_lch_h(), e.get_oklab_l(),
        e.get_oklab_a(), e.get_oklab_b(), e.get_oklch_l(), e.get_oklch_c(), e.get_oklch_h()};
}

const char *const getterNames[getterCount]
    = {"rgb r", "rgb g", "rgb b", "cmyk c", "cmyk m", "cmyk y", "cmyk k", "hsv h", "hsv s", "hsv v",
        "hsl h", "hsl s", "hsl l", "xyz x", "xyz y", "xyz z", "lab l", "lab a", "lab b", "lch l",
        "lch c", "lch h", "oklab l", "oklab a", "oklab b", "oklch l", "oklch c", "oklch h"};

[[noreturn]] void fail(const char *what, int getter, double actual, double expected)
{
    std::fprintf(stderr, "engine property broken: %s: %s is %.17g, expected %.17g\n", what,
        getter >= 0 ? getterNames[getter] : "value", actual, expected);
    std::abort();
}

void check(bool holds, const char *what, int getter, double actual, double expected)
{
    if (!holds)
        fail(what, getter, actual, expected);
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

double awkwardValue(std::uint8_t index, const Range &range)
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

bool readValue(Reader &reader, int encoding, const Range &range, double &value)
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

void apply(Prismora &e, Model model, int channel, double value)
{
    switch (model * 4 + channel) {
    case Rgb * 4 + 0:
        return e.set_rgb_r(value);
    case Rgb * 4 + 1:
        return e.set_rgb_g(value);
    case Rgb * 4 + 2:
        return e.set_rgb_b(value);
    case Cmyk * 4 + 0:
        return e.set_cmyk_c(value);
    case Cmyk * 4 + 1:
        return e.set_cmyk_m(value);
    case Cmyk * 4 + 2:
        return e.set_cmyk_y(value);
    case Cmyk * 4 + 3:
        return e.set_cmyk_k(value);
    case Hsv * 4 + 0:
        return e.set_hsv_h(toFloat(value));
    case Hsv * 4 + 1:
        return e.set_hsv_s(toFloat(value));
    case Hsv * 4 + 2:
        return e.set_hsv_v(toFloat(value));
    case Hsl * 4 + 0:
        return e.set_hsl_h(value);
    case Hsl * 4 + 1:
        return e.set_hsl_s(value);
    case Hsl * 4 + 2:
        return e.set_hsl_l(value);
    case Xyz * 4 + 0:
        return e.set_xyz_x(value);
    case Xyz * 4 + 1:
        return e.set_xyz_y(value);
    case Xyz * 4 + 2:
        return e.set_xyz_z(value);
    case Lab * 4 + 0:
        return e.set_lab_l(value);
    case Lab * 4 + 1:
        return e.set_lab_a(value);
    case Lab * 4 + 2:
        return e.set_lab_b(value);
    case Lch * 4 + 0:
        return e.set_lch_l(value);
    case Lch * 4 + 1:
        return e.set_lch_c(value);
    case Lch * 4 + 2:
        return e.set_lch_h(value);
    case Oklab * 4 + 0:
        return e.set_oklab_l(value);
    case Oklab * 4 + 1:
        return e.set_oklab_a(value);
    case Oklab * 4 + 2:
        return e.set_oklab_b(value);
    case Oklch * 4 + 0:
        return e.set_oklch_l(value);
    case Oklch * 4 + 1:
        return e.set_oklch_c(value);
    case Oklch * 4 + 2:
        return e.set_oklch_h(value);
    }
    std::abort();
}

// What must hold after any call, whatever the values.
void checkAlways(const Snapshot &now)
{
    for (int c = 0; c < 3; ++c) {
        check(std::isfinite(now[c]) && now[c] >= INT_MIN && now[c] <= INT_MAX, "whole-number RGB",
            c, now[c], 0);
    }
}

// The engine fed only values the window accepts, with what it was given per channel of the model
// set last, as far as known since that model became the last.
struct SaneTrack
{
    Model last = Rgb;
    std::array<double, 4> given {};
    std::array<bool, 4> known {};
};

void checkWithin(double value, double lowest, double highest, double slack, int getter)
{
    check(value >= lowest - slack && value <= highest + slack, "range", getter, value,
        value < lowest ? lowest : highest);
}

double hueDistance(double a, double b)
{
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

// Bit for bit: a fresh engine given the same values of the model set last holds what this one does.
void checkAgainstFresh(
    const Snapshot &now, Model model, const std::array<double, 4> &values, const char *what)
{
    Prismora fresh;
    for (int c = 0; c < channelCounts[model]; ++c)
        apply(fresh, model, c, values[static_cast<std::size_t>(c)]);
    const Snapshot want = snapshot(fresh);
    for (int i = 0; i < getterCount; ++i)
        check(sameBits(now[i], want[i]), what, i, now[i], want[i]);
}

// The model set last: the channel just set reads back as given, up to the getter's own scaling,
// the setter leaves the model's other channels alone, and the state depends on the model's values
// only, never on what came before.
void checkLastModel(const Snapshot &before, const Snapshot &now, const SaneTrack &track,
    const Setter &setter, const std::array<double, 3> &values)
{
    const Model m = setter.model;
    const int first = firstGetter[m];
    for (int k = 0; k < (setter.channel < 0 ? 3 : 1); ++k) {
        const int c = setter.channel < 0 ? k : setter.channel;
        const double given = values[static_cast<std::size_t>(k)];
        const double got = now[first + c];
        switch (m) {
        case Rgb:
            check(got == std::trunc(given), "RGB reads back truncated", first + c, got, given);
            break;
        case Cmyk:
        case Hsl:
            // Divided by 100 or 360 on the way in and multiplied back on the way out.
            check(std::fabs(got - given) <= 1e-14 * std::fabs(given) + 1e-300, "reads back",
                first + c, got, given);
            break;
        case Hsv:
            // The same in single precision.
            check(std::fabs(got - given) <= 5e-7 * std::fabs(given) + 1e-40, "reads back",
                first + c, got, given);
            break;
        case Xyz:
        case Lab:
            check(sameBits(got, given), "reads back exactly", first + c, got, given);
            break;
        case Lch:
        case Oklab:
        case Oklch:
            // Lightness in percent and hues in degrees are scaled as CMYK is; the rest is stored.
            if (m == Lch ? c == 2 : c == 0 || (m == Oklch && c == 2)) {
                check(std::fabs(got - given) <= 1e-14 * std::fabs(given) + 1e-300, "reads back",
                    first + c, got, given);
            } else {
                check(sameBits(got, given), "reads back exactly", first + c, got, given);
            }
            break;
        default:
            std::abort();
        }
    }
    if (setter.channel >= 0) {
        for (int c = 0; c < channelCounts[m]; ++c) {
            if (c != setter.channel) {
                check(sameBits(now[first + c], before[first + c]), "own model kept", first + c,
                    now[first + c], before[first + c]);
            }
        }
    }

    bool allKnown = true;
    for (int c = 0; c < channelCounts[m]; ++c)
        allKnown = allKnown && track.known[static_cast<std::size_t>(c)];
    if (allKnown)
        checkAgainstFresh(now, m, track.given, "same values, same state");
    // XYZ and LAB getters return what is stored, so their state can be replayed from them.
    if (m == Xyz || m == Lab)
        checkAgainstFresh(
            now, m, {now[first], now[first + 1], now[first + 2], 0}, "replayed from getters");
}

// Every value finite and within what the window shows for in-range input.
void checkRanges(const Snapshot &now, Model m)
{
    for (int i = 0; i < getterCount; ++i)
        check(std::isfinite(now[i]), "finite", i, now[i], 0);
    for (int c = 0; c < 3; ++c)
        checkWithin(now[c], 0, 255, 0, c);
    for (int c = 3; c < 7; ++c)
        checkWithin(now[c], 0, 100, 1e-9, c);
    // HSV in single precision.
    checkWithin(now[7], 0, 360, 1e-4, 7);
    checkWithin(now[8], 0, 100, 1e-4, 8);
    checkWithin(now[9], 0, 100, 1e-4, 9);
    checkWithin(now[10], 0, 360, 1e-9, 10);
    checkWithin(now[11], 0, 100, 1e-9, 11);
    checkWithin(now[12], 0, 100, 1e-9, 12);
    checkWithin(now[16], 0, 100, 1e-9, 16);
    checkWithin(now[19], 0, 100, 1e-9, 19);
    checkWithin(now[21], 0, 360, 0, 21);
    checkWithin(now[22], 0, 100, 1e-9, 22);
    checkWithin(now[25], 0, 100, 1e-9, 25);
    checkWithin(now[27], 0, 360, 0, 27);
    // Chroma is never negative. Setting a model and its polar form in turn builds up any chroma (a
    // and b kept from a larger chroma, then one of them set), and XYZ set takes a* far beyond the
    // window's range; from RGB, C* stays within 134 and OKLab's a and b within 0.32.
    const bool cieSet = m == Xyz || m == Lab || m == Lch;
    const bool okSet = m == Oklab || m == Oklch;
    const double infinity = std::numeric_limits<double>::infinity();
    checkWithin(now[20], 0, cieSet ? infinity : 150, 0, 20);
    checkWithin(now[26], 0, okSet ? infinity : 0.4, 0, 26);
    if (!okSet) {
        checkWithin(now[23], -0.4, 0.4, 0, 23);
        checkWithin(now[24], -0.4, 0.4, 0, 24);
    }
    if (!cieSet) {
        // White in XYZ is 95.05, 100, 108.9; every displayable colour lies within it.
        checkWithin(now[13], 0, 95.05, 1e-9, 13);
        checkWithin(now[14], 0, 100, 1e-9, 14);
        checkWithin(now[15], 0, 108.9, 1e-9, 15);
        // The sRGB gamut's a* and b* stay well inside this.
        checkWithin(now[17], -150, 150, 0, 17);
        checkWithin(now[18], -150, 150, 0, 18);
    }
}

// A polar model and its cartesian partner describe the same colour, whichever was set. Tiny a and
// b read as 0 when the polar form is set, so the hue is compared only with some chroma.
void checkPolar(const Snapshot &now, int cartesian, int polar)
{
    check(
        sameBits(now[polar], now[cartesian]), "polar lightness", polar, now[polar], now[cartesian]);
    const double a = now[cartesian + 1];
    const double b = now[cartesian + 2];
    const double chroma = std::hypot(a, b);
    check(std::fabs(now[polar + 1] - chroma) <= 1e-9 + 1e-12 * chroma, "polar chroma", polar + 1,
        now[polar + 1], chroma);
    if (chroma > 1e-3) {
        const double hue = std::atan2(b, a) * 180 / 3.14159265358979323846;
        check(hueDistance(now[polar + 2], hue < 0 ? hue + 360 : hue) <= 1e-4, "polar hue",
            polar + 2, now[polar + 2], hue);
    }
}

// The other models agree with RGB. RGB's fractions are not readable, but CMYK gives them back:
// 255 (1 - C) (1 - K) is cmyk_rgb itself and exactly the inverse of rgb_cmyk. What is derived from
// that RGB agrees within rounding where it is well defined: hue needs some chroma, saturation a
// denominator away from zero.
void checkAgreement(const Snapshot &now, Model m, const Snapshot &whole)
{
    const double keep = 1 - now[6] / 100;
    std::array<double, 3> rgb {};
    for (int c = 0; c < 3; ++c) {
        const double channel = 255 * (1 - now[3 + c] / 100) * keep;
        rgb[static_cast<std::size_t>(c)] = channel;
        // The getters truncate the very same channel.
        check(channel >= now[c] - 1e-9 && channel < now[c] + 1 + 1e-9, "RGB agrees with CMYK", c,
            now[c], channel);
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
            for (int i = 3; i < 6; ++i) {
                check(std::fabs(now[i] - want[i]) <= 1e-6, "CMYK agrees with RGB", i, now[i],
                    want[i]);
            }
        }
        check(std::fabs(now[6] - want[6]) <= 1e-9, "key agrees with RGB", 6, now[6], want[6]);
    }
    if (m != Hsv) {
        // Single precision.
        if (hasHue)
            check(hueDistance(now[7], want[7]) <= 1e-3, "HSV agrees with RGB", 7, now[7], want[7]);
        if (high > wellDefined)
            check(std::fabs(now[8] - want[8]) <= 1e-3, "HSV agrees with RGB", 8, now[8], want[8]);
        check(std::fabs(now[9] - want[9]) <= 1e-4, "HSV agrees with RGB", 9, now[9], want[9]);
    }
    if (m != Hsl) {
        if (hasHue) {
            check(hueDistance(now[10], want[10]) <= 1e-6, "HSL agrees with RGB", 10, now[10],
                want[10]);
        }
        if (hslSaturationDefined) {
            check(std::fabs(now[11] - want[11]) <= 1e-6, "HSL agrees with RGB", 11, now[11],
                want[11]);
        }
        check(std::fabs(now[12] - want[12]) <= 1e-9, "HSL agrees with RGB", 12, now[12], want[12]);
    }

    // The model set last agrees with the RGB it produced, within display tolerance: HSL's own
    // conversion offsets hue by 0.33333 rather than a third, and HSV runs in single precision,
    // which moves a channel by about 1e-7 of full scale and so the hue by that over the chroma.
    if ((m == Hsv || m == Hsl) && high > wellDefined) {
        const int h = firstGetter[m];
        const double hueTolerance = 1e-2 + 60 * 1e-6 / (high - low);
        if (hasHue) {
            check(hueDistance(now[h], want[h]) <= hueTolerance, "set hue agrees with RGB", h,
                now[h], want[h]);
        }
        if (m == Hsv || hslSaturationDefined) {
            check(std::fabs(now[h + 1] - want[h + 1]) <= 1e-2, "set saturation agrees with RGB",
                h + 1, now[h + 1], want[h + 1]);
        }
        check(std::fabs(now[h + 2] - want[h + 2]) <= 1e-2, "set value agrees with RGB", h + 2,
            now[h + 2], want[h + 2]);
    }

    // XYZ follows the whole-number RGB that the getters show, LAB follows XYZ and LCh LAB, unless
    // one of them was set; OKLab and OKLCh likewise.
    const bool cieSet = m == Xyz || m == Lab || m == Lch;
    const bool okSet = m == Oklab || m == Oklch;
    for (int i = 13; i < getterCount; ++i) {
        if (i < firstGetter[Oklab] ? !cieSet : !okSet)
            check(sameBits(now[i], whole[i]), "derived from whole RGB", i, now[i], whole[i]);
    }
    checkPolar(now, firstGetter[Lab], firstGetter[Lch]);
    checkPolar(now, firstGetter[Oklab], firstGetter[Oklch]);
    if (cieSet && std::all_of(rgb.begin(), rgb.end(), [](double channel) {
            return channel > 1e-9 && channel < 255 - 1e-9;
        })) {
        // XYZ, set or derived from LAB, against the XYZ of the whole-number RGB it gave: a step
        // of one in every channel moves X, Y or Z by less than 1. Clamped channels tell nothing.
        for (int i = 13; i < 16; ++i)
            check(std::fabs(now[i] - whole[i]) <= 1, "XYZ agrees with RGB", i, now[i], whole[i]);
    }
}

// Round trips through the engine's own conversions, from the XYZ, LAB and LCh of whole RGB. Back
// to RGB a channel moves by less than one, as the four-decimal matrices are nearly inverse; LAB
// and LCh give XYZ again up to rounding. OKLab gives the whole channels back to 1e-9, fractions
// and all (CMYK shows them), and so does OKLCh up to its cosines.
void checkRoundTrips(const Snapshot &now, const Snapshot &whole)
{
    for (const Model model : {Lch, Oklab, Oklch}) {
        Prismora back;
        for (int c = 0; c < 3; ++c)
            apply(back, model, c, whole[firstGetter[model] + c]);
        const Snapshot via = snapshot(back);
        if (model == Lch) {
            for (int i = 13; i < 16; ++i)
                check(std::fabs(via[i] - whole[i]) <= 1e-6, "XYZ to LCh and back", i, via[i],
                    whole[i]);
            continue;
        }
        const double keep = 1 - via[6] / 100;
        for (int c = 0; c < 3; ++c) {
            const double channel = 255 * (1 - via[3 + c] / 100) * keep;
            check(std::fabs(channel - whole[c]) <= (model == Oklab ? 1e-9 : 1e-8),
                "RGB to OKLab and back", c, channel, whole[c]);
        }
    }

    Prismora fromXyz;
    fromXyz.set_xyz_x(whole[13]);
    fromXyz.set_xyz_y(whole[14]);
    fromXyz.set_xyz_z(whole[15]);
    const Snapshot viaXyz = snapshot(fromXyz);
    for (int c = 0; c < 3; ++c)
        check(std::fabs(viaXyz[c] - now[c]) <= 1, "RGB to XYZ and back", c, viaXyz[c], now[c]);
    Prismora fromLab;
    fromLab.set_lab_l(whole[16]);
    fromLab.set_lab_a(whole[17]);
    fromLab.set_lab_b(whole[18]);
    const Snapshot viaLab = snapshot(fromLab);
    for (int i = 13; i < 16; ++i) {
        check(
            std::fabs(viaLab[i] - whole[i]) <= 1e-6, "XYZ to LAB and back", i, viaLab[i], whole[i]);
    }
}

void checkSane(const Snapshot &before, const Snapshot &now, const SaneTrack &track,
    const Setter &setter, const std::array<double, 3> &values)
{
    checkLastModel(before, now, track, setter, values);
    checkRanges(now, setter.model);
    Prismora whole;
    whole.set_rgb(now[0], now[1], now[2]);
    const Snapshot wholeNow = snapshot(whole);
    checkAgreement(now, setter.model, wholeNow);
    checkRoundTrips(now, wholeNow);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quietMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Reader reader(data, size);
    Prismora hostile;
    Prismora sane;
    SaneTrack track;

    std::uint8_t operation = 0;
    while (reader.take(&operation, sizeof operation)) {
        int index = operation % olderSetters;
        int encoding = operation / olderSetters;
        if (operation >= firstExtended) {
            std::uint8_t second = 0;
            if (!reader.take(&second, sizeof second))
                break;
            index = olderSetters + second % (setterCount - olderSetters);
            encoding = second / (setterCount - olderSetters) % encodingCount;
        }
        const Setter setter = setters[index];
        const int count = setter.channel < 0 ? 3 : 1;
        std::array<double, 3> values {};
        bool complete = true;
        for (int k = 0; k < count && complete; ++k) {
            const int channel = setter.channel < 0 ? k : setter.channel;
            complete = readValue(reader, encoding, ranges[setter.model][channel],
                values[static_cast<std::size_t>(k)]);
        }
        if (!complete)
            break;

        // Whatever the value, including those the window would refuse.
        const Snapshot hostileBefore = snapshot(hostile);
        if (setter.channel < 0)
            hostile.set_rgb(values[0], values[1], values[2]);
        else
            apply(hostile, setter.model, setter.channel, values[0]);
        const Snapshot hostileNow = snapshot(hostile);
        checkAlways(hostileNow);
        // Red refuses what lies outside 0..255 and leaves the whole engine as it was.
        if (setter.model == Rgb && setter.channel == 0 && !(values[0] >= 0 && values[0] <= 255)) {
            for (int i = 0; i < getterCount; ++i) {
                check(sameBits(hostileNow[i], hostileBefore[i]), "refused red changes nothing", i,
                    hostileNow[i], hostileBefore[i]);
            }
        }

        // The same call as the window would make it: NaN refused, the rest held to the range.
        bool refused = false;
        std::array<double, 3> accepted {};
        for (int k = 0; k < count; ++k) {
            const int channel = setter.channel < 0 ? k : setter.channel;
            const Range &range = ranges[setter.model][channel];
            const double value = values[static_cast<std::size_t>(k)];
            refused = refused || std::isnan(value);
            accepted[static_cast<std::size_t>(k)] = std::clamp(value, range.lowest, range.highest);
            // HSV travels as float, and the window converts the value it accepted.
            if (setter.model == Hsv)
                accepted[static_cast<std::size_t>(k)]
                    = toFloat(accepted[static_cast<std::size_t>(k)]);
        }
        if (refused)
            continue;
        if (setter.model != track.last) {
            track.last = setter.model;
            track.known.fill(false);
        }
        for (int k = 0; k < count; ++k) {
            const auto channel = static_cast<std::size_t>(setter.channel < 0 ? k : setter.channel);
            track.given[channel] = accepted[static_cast<std::size_t>(k)];
            track.known[channel] = true;
        }
        const Snapshot saneBefore = snapshot(sane);
        if (setter.channel < 0)
            sane.set_rgb(accepted[0], accepted[1], accepted[2]);
        else
            apply(sane, setter.model, setter.channel, accepted[0]);
        const Snapshot saneNow = snapshot(sane);
        checkAlways(saneNow);
        checkSane(saneBefore, saneNow, track, setter, accepted);
        // Within the window's ranges these models give only colours a screen shows.
        if (setter.model <= Hsl)
            check(sane.in_srgb_gamut(), "within sRGB", -1, 0, 1);
    }
    return 0;
}
