#include "prismora.h"

#include "colourspaces.h"
#include "gamutmapping.h"

#include <QDebug>
#include <QLoggingCategory>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace {

// How far a computed value may lie from a whole level, or from 0 or a full turn, and still be
// taken as it: rounding noise of the conversions, far below anything shown.
constexpr double wholeNoise = 1e-6;
constexpr double zeroNoise = 1e-9;

constexpr double oneThird = 1.0 / 3.0;
constexpr double twoThirds = 2.0 / 3.0;

// Truncation toward zero through a 32-bit int, defined for every double: casting NaN or a value
// beyond int's range is undefined behaviour, so those are mapped first.
double truncateToInt(double value)
{
    if (std::isnan(value))
        return 0.0;
    if (value >= static_cast<double>(INT_MAX))
        return static_cast<double>(INT_MAX);
    if (value <= static_cast<double>(INT_MIN))
        return static_cast<double>(INT_MIN);
    // Through int, so that -0.5 becomes +0 rather than -0.
    return static_cast<double>(static_cast<int>(value));
}

// Linear light in percent of an RGB channel on the 0..255 scale.
double linearise(double channel)
{
    const auto formula = [](double value) {
        const double fraction = value / 255;
        if (fraction > 0.04045)
            return std::pow((fraction + 0.055) / 1.055, 2.4) * 100;
        return fraction / 12.92 * 100;
    };
    // Every colour change linearises three whole channels, and pow dominated the cascade; the
    // table holds the formula's own results, so nothing changes by a single bit.
    static const std::array<double, 256> table = [&formula] {
        std::array<double, 256> values {};
        for (int whole = 0; whole < 256; ++whole)
            values[static_cast<std::size_t>(whole)] = formula(whole);
        return values;
    }();
    // Getters may hand over any whole number down to INT_MIN; the table covers only 0..255.
    if (channel >= 0 && channel <= 255) {
        const int whole = static_cast<int>(channel);
        if (whole == channel)
            return table[static_cast<std::size_t>(whole)];
    }
    return formula(channel);
}

// The engine's own white: the forward matrix applied to linear 100, 100, 100 exactly as rgb_xyz
// sums it, so that white reads L 100, a 0, b 0 to the last bit.
constexpr double whiteX = 100 * 0.4124 + 100 * 0.3576 + 100 * 0.1805;
constexpr double whiteY = 100 * 0.2126 + 100 * 0.7152 + 100 * 0.0722;
constexpr double whiteZ = 100 * 0.0193 + 100 * 0.1192 + 100 * 0.9505;
// The engine's XYZ meets the colour as set by scaling its white onto CSS's D65, as lab() does,
// so that greys stay grey and white stays white in both.
constexpr ColourSpaces::Triple engineWhite {whiteX, whiteY, whiteZ};
constexpr ColourSpaces::Triple d65White {0.3127 / 0.3290, 1, (1 - 0.3127 - 0.3290) / 0.3290};
constexpr double labEpsilon = 216.0 / 24389.0;
constexpr double labKappa = 24389.0 / 27.0;
// Greys leave a rounding residue of about 1e-13 in a and b; below this it reads as exactly 0.
constexpr double labSnap = 1e-9;

double labForward(double t)
{
    if (t > labEpsilon)
        return std::cbrt(t);
    return (labKappa * t + 16) / 116;
}

double labInverse(double f)
{
    const double cube = f * f * f;
    if (cube > labEpsilon)
        return cube;
    return (116 * f - 16) / labKappa;
}

double snapToZero(double value)
{
    return std::fabs(value) < labSnap ? 0.0 : value;
}

double encode(double linear)
{
    if (linear > 0.0031308)
        return 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return linear * 12.92;
}

// OKLab in the 64-bit form the web uses, so that its values agree with CSS's to the last digits
// shown: linear sRGB to XYZ and back by exact rationals, then the published LMS matrices, all
// from the colour spaces.
using Vector = ColourSpaces::Triple;

constexpr double fullTurn = 2 * 3.14159265358979323846;

// The hue of a, b as a fraction of a turn in [0, 1). A colour without chroma has none: it reads 0,
// whatever the signs of its zeros.
double hueTurns(double a, double b)
{
    if (a == 0 && b == 0)
        return 0.0;
    double turns = std::atan2(b, a) / fullTurn;
    if (turns < 0)
        turns += 1;
    // A hue a hair below 0 comes back as a whole turn once 1 is added.
    if (turns >= 1)
        turns = 0;
    return turns;
}

// More than half a level outside 0..255 is a colour no screen shows; NaN is not shown either.
bool shownAsIs(double channel)
{
    return channel >= -0.5 && channel <= 255.5;
}

// The same half level at the edges of the wider gamuts, of their full scale 1.
constexpr double edgeTolerance = 0.5 / 255;

} // namespace

Prismora::Prismora()
{
    sort_rgb();
    set_rgb_r(0);
    set_rgb_g(0);
    set_rgb_b(0);
}

void Prismora::set_rgb_r(double value)
{
    // Written so that NaN is refused too.
    if (!(value >= 0 && value <= 255))
        return;
    red = value;
    cascade(ColourModels::Rgb);
}

void Prismora::set_rgb_g(double value)
{
    green = value;
    cascade(ColourModels::Rgb);
}

void Prismora::set_rgb_b(double value)
{
    blue = value;
    cascade(ColourModels::Rgb);
}

void Prismora::set_rgb(double r, double g, double b)
{
    set_rgb_r(r);
    set_rgb_g(g);
    set_rgb_b(b);
}

void Prismora::set_cmyk_c(double value)
{
    cyan = value / 100;
    cascade(ColourModels::Cmyk);
}

void Prismora::set_cmyk_m(double value)
{
    magenta = value / 100;
    cascade(ColourModels::Cmyk);
}

void Prismora::set_cmyk_y(double value)
{
    yellow = value / 100;
    cascade(ColourModels::Cmyk);
}

void Prismora::set_cmyk_k(double value)
{
    key = value / 100;
    cascade(ColourModels::Cmyk);
}

void Prismora::set_hsv_h(float value)
{
    hsvHue = static_cast<float>(static_cast<double>(value) / 360);
    cascade(ColourModels::Hsv);
}

void Prismora::set_hsv_s(float value)
{
    hsvSaturation = static_cast<float>(static_cast<double>(value) / 100);
    cascade(ColourModels::Hsv);
}

void Prismora::set_hsv_v(float value)
{
    hsvValue = static_cast<float>(static_cast<double>(value) / 100);
    cascade(ColourModels::Hsv);
}

void Prismora::set_hsl_h(double value)
{
    hslHue = value / 360;
    cascade(ColourModels::Hsl);
}

void Prismora::set_hsl_s(double value)
{
    hslSaturation = value / 100;
    cascade(ColourModels::Hsl);
}

void Prismora::set_hsl_l(double value)
{
    hslLightness = value / 100;
    cascade(ColourModels::Hsl);
}

void Prismora::set_xyz_x(double value)
{
    xyzX = value;
    cascade(ColourModels::Xyz);
}

void Prismora::set_xyz_y(double value)
{
    xyzY = value;
    cascade(ColourModels::Xyz);
}

void Prismora::set_xyz_z(double value)
{
    xyzZ = value;
    cascade(ColourModels::Xyz);
}

void Prismora::set_lab_l(double value)
{
    labL = value;
    cascade(ColourModels::Lab);
}

void Prismora::set_lab_a(double value)
{
    labA = value;
    cascade(ColourModels::Lab);
}

void Prismora::set_lab_b(double value)
{
    labB = value;
    cascade(ColourModels::Lab);
}

void Prismora::set_lch_l(double value)
{
    lchL = value;
    cascade(ColourModels::Lch);
}

void Prismora::set_lch_c(double value)
{
    lchC = value;
    cascade(ColourModels::Lch);
}

void Prismora::set_lch_h(double value)
{
    lchH = value / 360;
    cascade(ColourModels::Lch);
}

void Prismora::set_oklab_l(double value)
{
    oklabL = value / 100;
    cascade(ColourModels::Oklab);
}

void Prismora::set_oklab_a(double value)
{
    oklabA = value;
    cascade(ColourModels::Oklab);
}

void Prismora::set_oklab_b(double value)
{
    oklabB = value;
    cascade(ColourModels::Oklab);
}

void Prismora::set_oklch_l(double value)
{
    oklchL = value / 100;
    cascade(ColourModels::Oklch);
}

void Prismora::set_oklch_c(double value)
{
    oklchC = value;
    cascade(ColourModels::Oklch);
}

void Prismora::set_oklch_h(double value)
{
    oklchH = value / 360;
    cascade(ColourModels::Oklch);
}

void Prismora::set_p3_r(double value)
{
    as_set_p3();
    displayP3[0] = value;
    cascade(ColourModels::DisplayP3);
}

void Prismora::set_p3_g(double value)
{
    as_set_p3();
    displayP3[1] = value;
    cascade(ColourModels::DisplayP3);
}

void Prismora::set_p3_b(double value)
{
    as_set_p3();
    displayP3[2] = value;
    cascade(ColourModels::DisplayP3);
}

void Prismora::set_rec2020_r(double value)
{
    as_set_rec2020();
    rec2020[0] = value;
    cascade(ColourModels::Rec2020);
}

void Prismora::set_rec2020_g(double value)
{
    as_set_rec2020();
    rec2020[1] = value;
    cascade(ColourModels::Rec2020);
}

void Prismora::set_rec2020_b(double value)
{
    as_set_rec2020();
    rec2020[2] = value;
    cascade(ColourModels::Rec2020);
}

void Prismora::set_rgb_rounding(RgbRounding rounding)
{
    rgbRounding = rounding;
}

Prismora::RgbRounding Prismora::rgb_rounding() const
{
    return rgbRounding;
}

double Prismora::wholeLevel(double channel) const
{
    if (rgbRounding == RgbRounding::Truncate)
        return truncateToInt(channel);
    // A computed level a hair below a half rounds up with the half.
    const double noise = lastSet == ColourModels::Rgb ? 0.0 : wholeNoise;
    return truncateToInt(std::floor(channel + 0.5 + noise));
}

double Prismora::get_rgb_r() const
{
    return wholeLevel(red);
}
double Prismora::get_rgb_g() const
{
    return wholeLevel(green);
}
double Prismora::get_rgb_b() const
{
    return wholeLevel(blue);
}

double Prismora::get_cmyk_c() const
{
    return 100 * cyan;
}
double Prismora::get_cmyk_m() const
{
    return 100 * magenta;
}
double Prismora::get_cmyk_y() const
{
    return 100 * yellow;
}
double Prismora::get_cmyk_k() const
{
    return 100 * key;
}

float Prismora::get_hsv_h() const
{
    return 360.0f * hsvHue;
}
float Prismora::get_hsv_s() const
{
    return 100.0f * hsvSaturation;
}
float Prismora::get_hsv_v() const
{
    return 100.0f * hsvValue;
}

double Prismora::get_hsl_h() const
{
    return 360 * hslHue;
}
double Prismora::get_hsl_s() const
{
    return 100 * hslSaturation;
}
double Prismora::get_hsl_l() const
{
    return 100 * hslLightness;
}

double Prismora::get_xyz_x() const
{
    return xyzX;
}
double Prismora::get_xyz_y() const
{
    return xyzY;
}
double Prismora::get_xyz_z() const
{
    return xyzZ;
}

double Prismora::get_lab_l() const
{
    return labL;
}

double Prismora::get_lab_a() const
{
    return labA;
}

double Prismora::get_lab_b() const
{
    return labB;
}

double Prismora::get_lch_l() const
{
    return lchL;
}
double Prismora::get_lch_c() const
{
    return lchC;
}
double Prismora::get_lch_h() const
{
    return 360 * lchH;
}

double Prismora::get_oklab_l() const
{
    return 100 * oklabL;
}
double Prismora::get_oklab_a() const
{
    return oklabA;
}
double Prismora::get_oklab_b() const
{
    return oklabB;
}

double Prismora::get_oklch_l() const
{
    return 100 * oklchL;
}
double Prismora::get_oklch_c() const
{
    return oklchC;
}
double Prismora::get_oklch_h() const
{
    return 360 * oklchH;
}

double Prismora::get_p3_r() const
{
    as_set_p3();
    return displayP3[0];
}
double Prismora::get_p3_g() const
{
    as_set_p3();
    return displayP3[1];
}
double Prismora::get_p3_b() const
{
    as_set_p3();
    return displayP3[2];
}

double Prismora::get_rec2020_r() const
{
    as_set_rec2020();
    return rec2020[0];
}
double Prismora::get_rec2020_g() const
{
    as_set_rec2020();
    return rec2020[1];
}
double Prismora::get_rec2020_b() const
{
    as_set_rec2020();
    return rec2020[2];
}

bool Prismora::in_srgb_gamut() const
{
    return !rgbClamped && shownAsIs(red) && shownAsIs(green) && shownAsIs(blue);
}

bool Prismora::in_p3_gamut() const
{
    as_set_p3();
    return ColourSpaces::inGamut(ColourSpaces::Space::DisplayP3, displayP3, edgeTolerance);
}

bool Prismora::in_rec2020_gamut() const
{
    as_set_rec2020();
    return ColourSpaces::inGamut(ColourSpaces::Space::Rec2020, rec2020, edgeTolerance);
}

ColourSpaces::Triple Prismora::xyz_d65() const
{
    return asSet;
}

ColourSpaces::Triple Prismora::nearest_srgb() const
{
    if (in_srgb_gamut())
        return {get_rgb_r(), get_rgb_g(), get_rgb_b()};
    const Vector mapped = GamutMapping::nearest(ColourSpaces::Space::Srgb, asSet);
    Vector levels {};
    for (std::size_t i = 0; i < 3; ++i) {
        const double level = std::clamp(mapped[i], 0.0, 1.0) * 255;
        // As settle_levels and the RGB getters make whole levels of a computed value.
        const double above = std::floor(level) + 1;
        const double settled = above - level <= wholeNoise ? above : level;
        levels[i] = rgbRounding == RgbRounding::Truncate
            ? truncateToInt(settled)
            : truncateToInt(std::floor(settled + 0.5 + wholeNoise));
    }
    return levels;
}

// What follows a setter of each model, in its fixed order, by the model's index. CMYK, HSV, HSL
// and XYZ go back to RGB before each model they feed, as they always have: the repeats keep every
// value and the HSL setters' four trace groups as they are. RGB and LAB lead to HSL through
// hsl_from_chroma, since rgb_hsv has just sorted the same channels. The sRGB family sets the
// colour as set from its whole levels; XYZ and LAB (and LCh through them) set it from XYZ, and
// the wider models from themselves, and everything beyond sRGB follows from it.
const Prismora::Cascade Prismora::cascades[ColourModels::Count] = {
    // RGB
    {{&Prismora::rgb_as_given, &Prismora::rgb_cmyk, &Prismora::rgb_hsv, &Prismora::hsl_from_chroma,
        &Prismora::rgb_xyz, &Prismora::xyz_lab, &Prismora::lab_lch, &Prismora::rgb_as_set,
        &Prismora::as_set_oklab, &Prismora::oklab_oklch, &Prismora::settle_noise}},
    // CMYK
    {{&Prismora::cmyk_rgb, &Prismora::cmyk_rgb, &Prismora::rgb_hsv, &Prismora::cmyk_rgb,
        &Prismora::rgb_hsl, &Prismora::cmyk_rgb, &Prismora::rgb_xyz, &Prismora::xyz_lab,
        &Prismora::lab_lch, &Prismora::rgb_as_set, &Prismora::as_set_oklab, &Prismora::oklab_oklch,
        &Prismora::settle_noise}},
    // HSV
    {{&Prismora::hsv_rgb, &Prismora::hsv_rgb, &Prismora::rgb_cmyk, &Prismora::hsv_rgb,
        &Prismora::rgb_hsl, &Prismora::hsv_rgb, &Prismora::rgb_xyz, &Prismora::xyz_lab,
        &Prismora::lab_lch, &Prismora::rgb_as_set, &Prismora::as_set_oklab, &Prismora::oklab_oklch,
        &Prismora::settle_noise}},
    // HSL
    {{&Prismora::hsl_rgb, &Prismora::hsl_rgb, &Prismora::rgb_cmyk, &Prismora::hsl_rgb,
        &Prismora::rgb_hsv, &Prismora::hsl_rgb, &Prismora::rgb_xyz, &Prismora::xyz_lab,
        &Prismora::lab_lch, &Prismora::rgb_as_set, &Prismora::as_set_oklab, &Prismora::oklab_oklch,
        &Prismora::settle_noise}},
    // XYZ
    {{&Prismora::xyz_rgb, &Prismora::xyz_rgb, &Prismora::rgb_cmyk, &Prismora::xyz_rgb,
        &Prismora::rgb_hsv, &Prismora::xyz_rgb, &Prismora::rgb_hsl, &Prismora::xyz_lab,
        &Prismora::lab_lch, &Prismora::xyz_as_set, &Prismora::as_set_oklab, &Prismora::oklab_oklch,
        &Prismora::settle_noise}},
    // LAB
    {{&Prismora::lab_xyz, &Prismora::xyz_rgb, &Prismora::rgb_cmyk, &Prismora::rgb_hsv,
        &Prismora::hsl_from_chroma, &Prismora::lab_lch, &Prismora::xyz_as_set,
        &Prismora::as_set_oklab, &Prismora::oklab_oklch, &Prismora::settle_noise}},
    // LCh
    {{&Prismora::lch_lab, &Prismora::lab_xyz, &Prismora::xyz_rgb, &Prismora::rgb_cmyk,
        &Prismora::rgb_hsv, &Prismora::hsl_from_chroma, &Prismora::xyz_as_set,
        &Prismora::as_set_oklab, &Prismora::oklab_oklch, &Prismora::settle_noise}},
    // OKLab
    {{&Prismora::oklab_as_set, &Prismora::as_set_rgb, &Prismora::rgb_cmyk, &Prismora::rgb_hsv,
        &Prismora::hsl_from_chroma, &Prismora::as_set_xyz, &Prismora::xyz_lab, &Prismora::lab_lch,
        &Prismora::oklab_oklch, &Prismora::settle_noise}},
    // OKLCh
    {{&Prismora::oklch_oklab, &Prismora::oklab_as_set, &Prismora::as_set_rgb, &Prismora::rgb_cmyk,
        &Prismora::rgb_hsv, &Prismora::hsl_from_chroma, &Prismora::as_set_xyz, &Prismora::xyz_lab,
        &Prismora::lab_lch, &Prismora::settle_noise}},
    // Display P3
    {{&Prismora::p3_as_set, &Prismora::as_set_rgb, &Prismora::rgb_cmyk, &Prismora::rgb_hsv,
        &Prismora::hsl_from_chroma, &Prismora::as_set_xyz, &Prismora::xyz_lab, &Prismora::lab_lch,
        &Prismora::as_set_oklab, &Prismora::oklab_oklch, &Prismora::settle_noise}},
    // Rec. 2020
    {{&Prismora::rec2020_as_set, &Prismora::as_set_rgb, &Prismora::rgb_cmyk, &Prismora::rgb_hsv,
        &Prismora::hsl_from_chroma, &Prismora::as_set_xyz, &Prismora::xyz_lab, &Prismora::lab_lch,
        &Prismora::as_set_oklab, &Prismora::oklab_oklch, &Prismora::settle_noise}},
};

Prismora::Batch::Batch(Prismora &engine)
    : engine(engine)
{
    engine.batching = true;
    engine.cascadePending = false;
}

Prismora::Batch::~Batch()
{
    engine.batching = false;
    if (engine.cascadePending)
        engine.cascade(engine.pendingFrom);
}

void Prismora::cascade(ColourModels::Index from)
{
    // Display P3 and Rec. 2020 follow the colour as set when first read: most changes of colour
    // are never read in them, and their transfer functions cost more than the rest of a cascade.
    // Marked at once even in a batch, so that the next channel's setter keeps the one just set.
    p3Current = from == ColourModels::DisplayP3;
    rec2020Current = from == ColourModels::Rec2020;
    if (batching) {
        cascadePending = true;
        pendingFrom = from;
        return;
    }
    lastSet = from;
    for (const Step step : cascades[from].steps) {
        if (!step)
            break;
        (this->*step)();
    }
}

void Prismora::settle_levels()
{
    // A level a hair below a whole number is that number (254.99999999999997 is 255, not 254),
    // before any other model is computed from it.
    for (double *channel : {&red, &green, &blue}) {
        const double above = std::floor(*channel) + 1;
        if (above - *channel <= wholeNoise)
            *channel = above;
    }
}

void Prismora::settle_noise()
{
    // Rounding noise of the conversions is no value: stored as the value it stands for, it
    // reads so in every getter and in every later conversion from it. Zero and full-turn noise
    // are judged in the units the getters give; hues are stored in turns.
    const auto zero = [](double &value, double unit) {
        if (std::fabs(value * unit) <= zeroNoise)
            value = 0;
    };
    const auto zeroFloat = [](float &value, float unit) {
        if (std::fabs(double(value * unit)) <= zeroNoise)
            value = 0;
    };
    const auto turn = [](double &turns) {
        if ((1 - turns) * 360 <= zeroNoise)
            turns = 0;
    };
    if (lastSet != ColourModels::Cmyk) {
        for (double *value : {&cyan, &magenta, &yellow, &key})
            zero(*value, 100);
    }
    if (lastSet != ColourModels::Hsv) {
        if (double((1 - hsvHue) * 360) <= zeroNoise)
            hsvHue = 0;
        zeroFloat(hsvHue, 360);
        zeroFloat(hsvSaturation, 100);
        zeroFloat(hsvValue, 100);
    }
    if (lastSet != ColourModels::Hsl) {
        turn(hslHue);
        zero(hslHue, 360);
        zero(hslSaturation, 100);
        zero(hslLightness, 100);
    }
    if (lastSet != ColourModels::Xyz) {
        for (double *value : {&xyzX, &xyzY, &xyzZ})
            zero(*value, 1);
    }
    if (lastSet != ColourModels::Lab) {
        for (double *value : {&labL, &labA, &labB})
            zero(*value, 1);
    }
    if (lastSet != ColourModels::Lch) {
        turn(lchH);
        zero(lchL, 1);
        zero(lchC, 1);
        zero(lchH, 360);
    }
    if (lastSet != ColourModels::Oklab) {
        zero(oklabL, 100);
        zero(oklabA, 1);
        zero(oklabB, 1);
    }
    if (lastSet != ColourModels::Oklch) {
        turn(oklchH);
        zero(oklchL, 100);
        zero(oklchC, 1);
        zero(oklchH, 360);
    }
}

void Prismora::settleUnits(ColourSpaces::Triple &values)
{
    // As settle_noise for the other models; white is full in every RGB space, give or take the
    // last bits of the matrices.
    for (double &value : values) {
        if (std::fabs(value) <= zeroNoise)
            value = 0;
        else if (std::fabs(value - 1) <= zeroNoise)
            value = 1;
    }
}

void Prismora::rgb_as_given()
{
    // No conversion into RGB ran: the channels themselves say whether they can be shown.
    rgbClamped = false;
}

void Prismora::sort_rgb()
{
    // Refilled in place: every cascade sorts, and a fresh vector each time cost an allocation.
    sortedChannels.resize(3);
    double *channels = sortedChannels.data();
    channels[0] = red / 255;
    channels[1] = green / 255;
    channels[2] = blue / 255;
    std::sort(channels, channels + 3);
}

void Prismora::calc_chroma()
{
    sort_rgb();
    chroma = sortedChannels[2] - sortedChannels[0];
}

void Prismora::rgb_cmyk()
{
    // The smallest of the inverted channels; 1 - x/255 is never -0, so any order gives it.
    key = std::min({1 - red / 255, 1 - green / 255, 1 - blue / 255});
    // Black: cyan, magenta and yellow would divide by zero, so they read as full.
    if (key == 1) {
        cyan = 1;
        magenta = 1;
        yellow = 1;
        return;
    }
    cyan = ((1 - red / 255) - key) / (1 - key);
    magenta = ((1 - green / 255) - key) / (1 - key);
    yellow = ((1 - blue / 255) - key) / (1 - key);
}

void Prismora::cmyk_rgb()
{
    rgbClamped = false;
    red = (255 * (1 - cyan)) * (1 - key);
    green = (255 * (1 - magenta)) * (1 - key);
    blue = (255 * (1 - yellow)) * (1 - key);
    settle_levels();
}

void Prismora::rgb_hsv()
{
    calc_chroma();
    const double max = sortedChannels[2];
    const double rn = red / 255;
    const double gn = green / 255;
    const double bn = blue / 255;

    hsvValue = static_cast<float>(max);
    if (chroma == 0) {
        hsvHue = 0;
        hsvSaturation = 0;
        return;
    }
    hsvSaturation = static_cast<float>(chroma / max);

    const double deltaR = ((max - rn) / 6 + chroma / 2) / chroma;
    const double deltaG = ((max - gn) / 6 + chroma / 2) / chroma;
    const double deltaB = ((max - bn) / 6 + chroma / 2) / chroma;
    if (rn == max)
        hsvHue = static_cast<float>(deltaB - deltaG);
    else if (gn == max)
        hsvHue = static_cast<float>((oneThird + deltaR) - deltaB);
    else if (bn == max)
        hsvHue = static_cast<float>((twoThirds + deltaG) - deltaR);

    if (hsvHue < 0)
        hsvHue += 1.0f;
    if (hsvHue > 1)
        hsvHue -= 1.0f;
}

void Prismora::hsv_rgb()
{
    rgbClamped = false;
    const float s = hsvSaturation;
    const float v = hsvValue;
    if (s == 0) {
        red = green = blue = static_cast<double>(v * 255.0f);
        settle_levels();
        return;
    }

    double h6 = static_cast<double>(hsvHue * 6.0f);
    if (h6 == 6)
        h6 = 0;
    const double sector = truncateToInt(h6);
    const double f = h6 - sector;
    const double p = static_cast<double>(v * (1.0f - s));
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));

    double rn = v;
    double gn = p;
    double bn = q;
    if (sector == 0) {
        rn = v;
        gn = t;
        bn = p;
    } else if (sector == 1) {
        rn = q;
        gn = v;
        bn = p;
    } else if (sector == 2) {
        rn = p;
        gn = v;
        bn = t;
    } else if (sector == 3) {
        rn = p;
        gn = q;
        bn = v;
    } else if (sector == 4) {
        rn = t;
        gn = p;
        bn = v;
    }
    red = rn * 255;
    green = gn * 255;
    blue = bn * 255;
    settle_levels();
}

void Prismora::rgb_hsl()
{
    calc_chroma();
    hsl_from_chroma();
}

void Prismora::hsl_from_chroma()
{
    const double min = sortedChannels[0];
    const double max = sortedChannels[2];
    const double rn = red / 255;
    const double gn = green / 255;
    const double bn = blue / 255;

    hslLightness = (min + max) * 0.5;
    if (chroma == 0) {
        hslHue = 0;
        hslSaturation = 0;
        return;
    }
    if (hslLightness < 0.5)
        hslSaturation = chroma / (min + max);
    else
        hslSaturation = chroma / ((2 - max) - min);

    const double deltaR = ((max - rn) / 6 + chroma / 2) / chroma;
    const double deltaG = ((max - gn) / 6 + chroma / 2) / chroma;
    const double deltaB = ((max - bn) / 6 + chroma / 2) / chroma;
    if (rn == max)
        hslHue = deltaB - deltaG;
    else if (gn == max)
        hslHue = (oneThird + deltaR) - deltaB;
    else if (bn == max)
        hslHue = (twoThirds + deltaG) - deltaR;

    if (hslHue < 0)
        hslHue += 1;
    if (hslHue > 1)
        hslHue -= 1;
}

void Prismora::hsl_rgb()
{
    const double l = hslLightness;
    const double s = hslSaturation;
    const double h = hslHue;

    // Formatting the trace costs more than the conversion; skipped when nobody would see it.
    const bool tracing = QLoggingCategory::defaultCategory()->isDebugEnabled();
    if (tracing)
        qDebug() << "hsl begin" << red << green << blue;
    if (s == 0) {
        red = green = blue = l * 255;
    } else {
        const double high = l < 0.5 ? l * (1 + s) : (l + s) - (s * l);
        const double low = 2 * l - high;
        if (tracing)
            qDebug() << "hsl end" << red << green << blue;
        red = 255 * Hue_2_RGB(low, high, h + oneThird);
        green = 255 * Hue_2_RGB(low, high, h);
        blue = 255 * Hue_2_RGB(low, high, h - oneThird);
    }
    // Only saturation or lightness beyond 100 % can overshoot; nothing is clamped from below.
    rgbClamped = red > 255.5 || green > 255.5 || blue > 255.5;
    red = std::min(red, 255.0);
    green = std::min(green, 255.0);
    blue = std::min(blue, 255.0);
    if (tracing)
        qDebug() << "hsl end" << red << green << blue;
    settle_levels();
}

double Prismora::Hue_2_RGB(double low, double high, double h)
{
    if (h < 0)
        h += 1;
    if (h > 1)
        h -= 1;
    if (6 * h < 1)
        return low + ((high - low) * 6) * h;
    if (2 * h < 1)
        return high;
    if (3 * h < 2)
        return low + ((high - low) * (twoThirds - h)) * 6;
    // Streaming into QDebug costs more than the conversion, even when nobody sees the trace.
    if (QLoggingCategory::defaultCategory()->isDebugEnabled())
        qDebug() << "4";
    return low;
}

void Prismora::rgb_xyz()
{
    // XYZ follows the whole channels the window shows, not their fractions.
    const double r = linearise(get_rgb_r());
    const double g = linearise(get_rgb_g());
    const double b = linearise(get_rgb_b());

    xyzX = r * 0.4124 + g * 0.3576 + b * 0.1805;
    xyzY = r * 0.2126 + g * 0.7152 + b * 0.0722;
    xyzZ = r * 0.0193 + g * 0.1192 + b * 0.9505;
}

void Prismora::xyz_rgb()
{
    const double x = xyzX / 100;
    const double y = xyzY / 100;
    const double z = xyzZ / 100;

    const double r = x * 3.2406 + y * -1.5372 + z * -0.4986;
    const double g = x * -0.9689 + y * 1.8758 + z * 0.0415;
    const double b = x * 0.0557 + y * -0.204 + z * 1.057;
    linear_rgb(r, g, b);
}

void Prismora::linear_rgb(double r, double g, double b)
{
    const double encodedRed = encode(r) * 255;
    const double encodedGreen = encode(g) * 255;
    const double encodedBlue = encode(b) * 255;
    // The four-decimal matrices overshoot white by a few thousandths of a level, which is no
    // colour beyond the screen; out-of-gamut XYZ or OKLab lands far outside 0..255.
    rgbClamped = !(shownAsIs(encodedRed) && shownAsIs(encodedGreen) && shownAsIs(encodedBlue));
    // Every other model is derived from RGB, so it must stay a displayable colour.
    red = std::clamp(encodedRed, 0.0, 255.0);
    green = std::clamp(encodedGreen, 0.0, 255.0);
    blue = std::clamp(encodedBlue, 0.0, 255.0);
    settle_levels();
}

void Prismora::xyz_lab()
{
    const double fx = labForward(xyzX / whiteX);
    const double fy = labForward(xyzY / whiteY);
    const double fz = labForward(xyzZ / whiteZ);
    labL = 116 * fy - 16;
    labA = snapToZero(500 * (fx - fy));
    labB = snapToZero(200 * (fy - fz));
}

void Prismora::lab_xyz()
{
    const double fy = (labL + 16) / 116;
    const double fx = fy + labA / 500;
    const double fz = fy - labB / 200;
    const double yr = labL > labKappa * labEpsilon ? fy * fy * fy : labL / labKappa;
    xyzX = labInverse(fx) * whiteX;
    xyzY = yr * whiteY;
    xyzZ = labInverse(fz) * whiteZ;
}

void Prismora::lab_lch()
{
    lchL = labL;
    lchC = std::hypot(labA, labB);
    lchH = hueTurns(labA, labB);
}

void Prismora::lch_lab()
{
    const double angle = lchH * fullTurn;
    labL = lchL;
    // Hues on an axis leave a residue such as 50 cos(90 degrees) = 3e-15; as for greys, it reads 0.
    labA = snapToZero(lchC * std::cos(angle));
    labB = snapToZero(lchC * std::sin(angle));
}

void Prismora::rgb_as_set()
{
    // From the whole channels the window shows, as XYZ is, so that every model describes the
    // colour on the screen.
    asSet = ColourSpaces::multiply(ColourSpaces::linearSrgbToXyz,
        {linearise(get_rgb_r()) / 100, linearise(get_rgb_g()) / 100, linearise(get_rgb_b()) / 100});
}

void Prismora::xyz_as_set()
{
    asSet = {xyzX / engineWhite[0] * d65White[0], xyzY / engineWhite[1] * d65White[1],
        xyzZ / engineWhite[2] * d65White[2]};
}

void Prismora::as_set_xyz()
{
    xyzX = asSet[0] / d65White[0] * engineWhite[0];
    xyzY = asSet[1] / d65White[1] * engineWhite[1];
    xyzZ = asSet[2] / d65White[2] * engineWhite[2];
}

void Prismora::as_set_rgb()
{
    const Vector linear = ColourSpaces::multiply(ColourSpaces::xyzToLinearSrgb, asSet);
    linear_rgb(linear[0], linear[1], linear[2]);
}

void Prismora::oklab_as_set()
{
    asSet = ColourSpaces::xyzFromOklab({oklabL, oklabA, oklabB});
}

void Prismora::as_set_oklab()
{
    const Vector lab = ColourSpaces::oklabFromXyz(asSet);
    oklabL = lab[0];
    oklabA = snapToZero(lab[1]);
    oklabB = snapToZero(lab[2]);
}

void Prismora::p3_as_set()
{
    asSet = ColourSpaces::toXyz(ColourSpaces::Space::DisplayP3, displayP3);
}

void Prismora::as_set_p3() const
{
    if (p3Current)
        return;
    displayP3 = ColourSpaces::fromXyz(ColourSpaces::Space::DisplayP3, asSet);
    settleUnits(displayP3);
    p3Current = true;
}

void Prismora::rec2020_as_set()
{
    asSet = ColourSpaces::toXyz(ColourSpaces::Space::Rec2020, rec2020);
}

void Prismora::as_set_rec2020() const
{
    if (rec2020Current)
        return;
    rec2020 = ColourSpaces::fromXyz(ColourSpaces::Space::Rec2020, asSet);
    settleUnits(rec2020);
    rec2020Current = true;
}

void Prismora::oklab_oklch()
{
    oklchL = oklabL;
    oklchC = std::hypot(oklabA, oklabB);
    oklchH = hueTurns(oklabA, oklabB);
}

void Prismora::oklch_oklab()
{
    const double angle = oklchH * fullTurn;
    oklabL = oklchL;
    oklabA = snapToZero(oklchC * std::cos(angle));
    oklabB = snapToZero(oklchC * std::sin(angle));
}
