#ifndef PRISMORA_H
#define PRISMORA_H

#include "colourmodels.h"
#include "colourspaces.h"

#include <QVector>

// One colour held in every model at once: RGB, CMYK, HSV, HSL, XYZ, CIE L*a*b* and its polar form
// LCh, OKLab and its polar form OKLCh, Display P3 and Rec. 2020. Setting any channel rebuilds RGB
// from the model that was set and every other model from that RGB (LCh from LAB, OKLCh from
// OKLab); the model set last keeps exactly the values given.
// Beside them the engine holds the colour as set, unclipped, as one XYZ value (D65, white Y = 1):
// every model that can hold a colour beyond sRGB (XYZ, LAB, LCh, OKLab, OKLCh, Display P3 and
// Rec. 2020) shows that colour, while RGB and the models that follow only from it (CMYK, HSV,
// HSL) hold it clipped to what an sRGB screen can show. A colour set in the sRGB family is held as
// its whole RGB levels show it.
class Prismora
{
public:
    Prismora();

    // RGB channels 0..255. Only red refuses values outside that range (and NaN).
    void set_rgb_r(double value);
    void set_rgb_g(double value);
    void set_rgb_b(double value);
    void set_rgb(double r, double g, double b);

    // CMYK in percent.
    void set_cmyk_c(double value);
    void set_cmyk_m(double value);
    void set_cmyk_y(double value);
    void set_cmyk_k(double value);

    // HSV: hue in degrees, saturation and value in percent, kept in single precision.
    void set_hsv_h(float value);
    void set_hsv_s(float value);
    void set_hsv_v(float value);

    // HSL: hue in degrees, saturation and lightness in percent.
    void set_hsl_h(double value);
    void set_hsl_s(double value);
    void set_hsl_l(double value);

    // XYZ unscaled, on the scale where white has Y = 100.
    void set_xyz_x(double value);
    void set_xyz_y(double value);
    void set_xyz_z(double value);

    // CIE L*a*b* relative to the engine's own white: L 0..100, a and b about -128..127.
    void set_lab_l(double value);
    void set_lab_a(double value);
    void set_lab_b(double value);

    // CIE LCh, the polar form of the LAB above: L 0..100, C 0 up (about 0..200), H in degrees.
    void set_lch_l(double value);
    void set_lch_c(double value);
    void set_lch_h(double value);

    // OKLab: L in percent (100 % is CSS's 1), a and b about -0.4..0.4.
    void set_oklab_l(double value);
    void set_oklab_a(double value);
    void set_oklab_b(double value);

    // OKLCh: L in percent, C about 0..0.4, H in degrees.
    void set_oklch_l(double value);
    void set_oklch_c(double value);
    void set_oklch_h(double value);

    // Display P3 and Rec. 2020: red, green and blue as their transfer functions encode them, 1
    // being full; a colour outside the space reads beyond 0..1.
    void set_p3_r(double value);
    void set_p3_g(double value);
    void set_p3_b(double value);
    void set_rec2020_r(double value);
    void set_rec2020_g(double value);
    void set_rec2020_b(double value);

    // How the RGB getters make whole levels: truncated toward zero (the default), or rounded to
    // the nearest with halves up, as CSS and browsers do.
    enum class RgbRounding { Truncate, Nearest };
    void set_rgb_rounding(RgbRounding rounding);
    RgbRounding rgb_rounding() const;

    // Every model other than the one set last holds rounding noise as no value: a level within
    // 1e-6 below a whole number (or a half, rounding) is that number, a hue within 1e-9 of 360
    // is 0, and CMYK, HSV, HSL, XYZ, LAB, LCh, OKLab and OKLCh within 1e-9 of 0 are 0, as are
    // Display P3 and Rec. 2020 within 1e-9 of 0 (or 1, which they read then).

    // RGB channels as whole numbers, truncated toward zero unless rounding is chosen.
    double get_rgb_r() const;
    double get_rgb_g() const;
    double get_rgb_b() const;

    // CMYK in percent, not rounded.
    double get_cmyk_c() const;
    double get_cmyk_m() const;
    double get_cmyk_y() const;
    double get_cmyk_k() const;

    // HSV: hue in degrees, saturation and value in percent.
    float get_hsv_h() const;
    float get_hsv_s() const;
    float get_hsv_v() const;

    // HSL: hue in degrees, saturation and lightness in percent.
    double get_hsl_h() const;
    double get_hsl_s() const;
    double get_hsl_l() const;

    // XYZ unscaled.
    double get_xyz_x() const;
    double get_xyz_y() const;
    double get_xyz_z() const;

    // CIE L*a*b*, as stored.
    double get_lab_l() const;
    double get_lab_a() const;
    double get_lab_b() const;

    // LCh: L and C as stored, H in degrees 0 up to 360 (a colour without chroma reads 0).
    double get_lch_l() const;
    double get_lch_c() const;
    double get_lch_h() const;

    // OKLab: L in percent, a and b as stored.
    double get_oklab_l() const;
    double get_oklab_a() const;
    double get_oklab_b() const;

    // OKLCh: L in percent, C as stored, H in degrees.
    double get_oklch_l() const;
    double get_oklch_c() const;
    double get_oklch_h() const;

    // Display P3 and Rec. 2020, not rounded.
    double get_p3_r() const;
    double get_p3_g() const;
    double get_p3_b() const;
    double get_rec2020_r() const;
    double get_rec2020_g() const;
    double get_rec2020_b() const;

    // False while the colour lies beyond what sRGB can show: the last conversion into RGB had to
    // clamp a channel by more than half a level, or RGB itself was set that far outside 0..255.
    bool in_srgb_gamut() const;
    // Whether the colour as set lies within Display P3 or Rec. 2020, with the same half a level
    // (of 255) to spare at the edge.
    bool in_p3_gamut() const;
    bool in_rec2020_gamut() const;

    // While a Batch lives, each setter stores its channel and leaves the cascade to the Batch's
    // end, which runs it once, from the model set last: setting the three channels of one model
    // so costs one cascade instead of three, and gives the same colour, since a cascade rebuilds
    // every other model from the one set alone. Only for the channels of one model.
    class Batch
    {
    public:
        explicit Batch(Prismora &engine);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        Prismora &engine;
    };

    // The colour as set, in XYZ relative to D65 with white at Y = 1.
    ColourSpaces::Triple xyz_d65() const;
    // The nearest colour sRGB can show by CSS's gamut mapping, as whole levels rounded as the RGB
    // getters round; inside sRGB, the RGB getters themselves.
    ColourSpaces::Triple nearest_srgb() const;

private:
    void sort_rgb();
    void calc_chroma();

    void rgb_cmyk();
    void cmyk_rgb();
    void rgb_hsv();
    void hsv_rgb();
    void rgb_hsl();
    void hsl_from_chroma(); // rgb_hsl after calc_chroma
    void hsl_rgb();
    double Hue_2_RGB(double low, double high, double h);
    void rgb_xyz();
    void xyz_rgb();
    void xyz_lab();
    void lab_xyz();
    void lab_lch();
    void lch_lab();
    void oklab_oklch();
    void oklch_oklab();
    void linear_rgb(double r, double g, double b); // encoded, clamped to 0..255 and gamut noted

    // The colour as set, to and from the models that can hold it unclipped.
    void rgb_as_set(); // from the whole levels
    void xyz_as_set();
    void as_set_xyz();
    void as_set_rgb();
    void oklab_as_set();
    void as_set_oklab();
    void p3_as_set();
    void rec2020_as_set();
    // Computed on first read after a change, and kept until the next.
    void as_set_p3() const;
    void as_set_rec2020() const;
    static void settleUnits(ColourSpaces::Triple &values);

    void rgb_as_given();
    void settle_levels(); // after every conversion into RGB
    void settle_noise(); // the last step of every cascade

    // The conversion steps that follow a setter of each model: a list of at most maxSteps, ended
    // early by a null step.
    using Step = void (Prismora::*)();
    static constexpr int maxSteps = 16;
    struct Cascade
    {
        Step steps[maxSteps];
    };
    static const Cascade cascades[ColourModels::Count];
    void cascade(ColourModels::Index from);

    double wholeLevel(double channel) const;

    ColourModels::Index lastSet = ColourModels::Rgb;
    bool batching = false;
    bool cascadePending = false;
    ColourModels::Index pendingFrom = ColourModels::Rgb;
    RgbRounding rgbRounding = RgbRounding::Truncate;
    double red = 0;
    double green = 0;
    double blue = 0;
    double cyan = 0;
    double magenta = 0;
    double yellow = 0;
    double key = 0;
    float hsvHue = 0;
    float hsvSaturation = 0;
    float hsvValue = 0;
    double hslHue = 0;
    double hslSaturation = 0;
    double hslLightness = 0;
    double xyzX = 0;
    double xyzY = 0;
    double xyzZ = 0;
    double labL = 0;
    double labA = 0;
    double labB = 0;
    double lchL = 0;
    double lchC = 0;
    double lchH = 0;
    double oklabL = 0;
    double oklabA = 0;
    double oklabB = 0;
    double oklchL = 0;
    double oklchC = 0;
    double oklchH = 0;
    ColourSpaces::Triple asSet {};
    mutable ColourSpaces::Triple displayP3 {};
    mutable ColourSpaces::Triple rec2020 {};
    mutable bool p3Current = false;
    mutable bool rec2020Current = false;
    // Set by every conversion into RGB: whether it had to pull a channel back by over half a level.
    bool rgbClamped = false;
    double chroma = 0;
    QVector<double> sortedChannels;
};

#endif // PRISMORA_H
