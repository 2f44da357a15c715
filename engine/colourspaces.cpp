#include "colourspaces.h"

#include <cmath>

namespace ColourSpaces {

const Matrix linearSrgbToXyz {{{506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
    {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
    {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270}}};
const Matrix xyzToLinearSrgb {{{12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
    {705.0 / 12673, -2585.0 / 12673, 705.0 / 667}}};
const Matrix d65ToD50 {{{1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371}}};
const Matrix d50ToD65 {{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};

namespace {

constexpr Matrix identity {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
constexpr Matrix linearP3ToXyz {{{608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
    {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
    {0, 32229.0 / 714400, 5220557.0 / 5000800}}};
constexpr Matrix xyzToLinearP3 {{{446124.0 / 178915, -333277.0 / 357830, -72051.0 / 178915},
    {-14852.0 / 17905, 63121.0 / 35810, 423.0 / 17905},
    {11844.0 / 330415, -50337.0 / 660830, 316169.0 / 330415}}};
constexpr Matrix linearRec2020ToXyz {
    {{63426534.0 / 99577255, 20160776.0 / 139408157, 47086771.0 / 278816314},
        {26158966.0 / 99577255, 472592308.0 / 697040785, 8267143.0 / 139408157},
        {0, 19567812.0 / 697040785, 295819943.0 / 278816314}}};
constexpr Matrix xyzToLinearRec2020 {
    {{30757411.0 / 17917100, -6372589.0 / 17917100, -4539589.0 / 17917100},
        {-19765991.0 / 29648200, 47925759.0 / 29648200, 467509.0 / 29648200},
        {792561.0 / 44930125, -1921689.0 / 44930125, 42328811.0 / 44930125}}};
constexpr Matrix linearA98ToXyz {{{573536.0 / 994567, 263643.0 / 1420810, 187206.0 / 994567},
    {591459.0 / 1989134, 6239551.0 / 9945670, 374412.0 / 4972835},
    {53769.0 / 1989134, 351524.0 / 4972835, 4929758.0 / 4972835}}};
constexpr Matrix xyzToLinearA98 {{{1829569.0 / 896150, -506331.0 / 896150, -308931.0 / 896150},
    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
    {16779.0 / 1248040, -147721.0 / 1248040, 1266979.0 / 1248040}}};
// ProPhoto's own white is D50: these reach XYZ relative to D50.
constexpr Matrix linearProphotoToXyzD50 {{{0.79776664490064230, 0.13518129740053308,
                                              0.03134773412839220},
    {0.28807482881940130, 0.71183523424187300, 0.00008993693872564}, {0, 0, 0.82510460251046020}}};
constexpr Matrix xyzD50ToLinearProphoto {{{1.34578688164715830, -0.25557208737979464,
                                              -0.05110186497554526},
    {-0.54463070512490190, 1.50824774284514680, 0.02052744743642139}, {0, 0, 1.21196754563894520}}};

constexpr Matrix xyzToLms {{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
constexpr Matrix lmsToXyz {{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};
constexpr Matrix lmsToOklab {{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
constexpr Matrix oklabToLms {
    {{1.0, 0.3963377773761749, 0.2158037573099136}, {1.0, -0.1055613458156586, -0.0638541728258133},
        {1.0, -0.0894841775298119, -1.2914855480194092}}};

// Transfer functions reflect through zero, so that values beyond the gamut survive a round trip.
double reflected(double v, double (*curve)(double))
{
    return std::signbit(v) ? -curve(-v) : curve(v);
}

double srgbLinear(double v)
{
    return reflected(
        v, [](double a) { return a <= 0.04045 ? a / 12.92 : std::pow((a + 0.055) / 1.055, 2.4); });
}

double srgbEncoded(double v)
{
    return reflected(v,
        [](double a) { return a <= 0.0031308 ? 12.92 * a : 1.055 * std::pow(a, 1 / 2.4) - 0.055; });
}

constexpr double rec2020Alpha = 1.09929682680944;
constexpr double rec2020Beta = 0.018053968510807;

double rec2020Linear(double v)
{
    return reflected(v, [](double a) {
        return a < 4.5 * rec2020Beta ? a / 4.5
                                     : std::pow((a + rec2020Alpha - 1) / rec2020Alpha, 1 / 0.45);
    });
}

double rec2020Encoded(double v)
{
    return reflected(v, [](double a) {
        return a <= rec2020Beta ? 4.5 * a : rec2020Alpha * std::pow(a, 0.45) - (rec2020Alpha - 1);
    });
}

double a98Linear(double v)
{
    return reflected(v, [](double a) { return std::pow(a, 563.0 / 256); });
}

double a98Encoded(double v)
{
    return reflected(v, [](double a) { return std::pow(a, 256.0 / 563); });
}

double prophotoLinear(double v)
{
    return reflected(v, [](double a) { return a <= 16.0 / 512 ? a / 16 : std::pow(a, 1.8); });
}

double prophotoEncoded(double v)
{
    return reflected(v, [](double a) { return a < 1.0 / 512 ? 16 * a : std::pow(a, 1 / 1.8); });
}

double unchanged(double v)
{
    return v;
}

struct Definition
{
    Space space;
    const char *name;
    const Matrix &toXyz;
    const Matrix &fromXyz;
    double (*linearise)(double);
    double (*encode)(double);
    bool d50; // the matrices reach XYZ relative to D50
    bool rgb; // a gamut with a unit cube; XYZ has none
};

// One row per space, in the order of Space.
const Definition definitions[] = {
    {Space::Srgb, "srgb", linearSrgbToXyz, xyzToLinearSrgb, srgbLinear, srgbEncoded, false, true},
    {Space::SrgbLinear, "srgb-linear", linearSrgbToXyz, xyzToLinearSrgb, unchanged, unchanged,
        false, true},
    {Space::DisplayP3, "display-p3", linearP3ToXyz, xyzToLinearP3, srgbLinear, srgbEncoded, false,
        true},
    {Space::A98Rgb, "a98-rgb", linearA98ToXyz, xyzToLinearA98, a98Linear, a98Encoded, false, true},
    {Space::ProphotoRgb, "prophoto-rgb", linearProphotoToXyzD50, xyzD50ToLinearProphoto,
        prophotoLinear, prophotoEncoded, true, true},
    {Space::Rec2020, "rec2020", linearRec2020ToXyz, xyzToLinearRec2020, rec2020Linear,
        rec2020Encoded, false, true},
    {Space::XyzD65, "xyz-d65", identity, identity, unchanged, unchanged, false, false},
    {Space::XyzD50, "xyz-d50", identity, identity, unchanged, unchanged, true, false},
};

const Definition &definition(Space space)
{
    return definitions[static_cast<std::size_t>(space)];
}

} // namespace

std::optional<Space> fromName(std::string_view name)
{
    if (name == "xyz")
        return Space::XyzD65;
    for (const Definition &row : definitions) {
        if (name == row.name)
            return row.space;
    }
    return std::nullopt;
}

const char *name(Space space)
{
    return definition(space).name;
}

Triple multiply(const Matrix &m, const Triple &v)
{
    Triple out {};
    for (std::size_t i = 0; i < 3; ++i)
        out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return out;
}

Triple toXyz(Space space, const Triple &values)
{
    const Definition &row = definition(space);
    const Triple xyz = multiply(
        row.toXyz, {row.linearise(values[0]), row.linearise(values[1]), row.linearise(values[2])});
    return row.d50 ? multiply(d50ToD65, xyz) : xyz;
}

Triple fromXyz(Space space, const Triple &xyz)
{
    const Definition &row = definition(space);
    const Triple linear = multiply(row.fromXyz, row.d50 ? multiply(d65ToD50, xyz) : xyz);
    return {row.encode(linear[0]), row.encode(linear[1]), row.encode(linear[2])};
}

bool inGamut(Space space, const Triple &values, double tolerance)
{
    if (!definition(space).rgb)
        return true;
    for (const double value : values) {
        // Written so that NaN is outside.
        if (!(value >= -tolerance && value <= 1 + tolerance))
            return false;
    }
    return true;
}

Triple oklabFromXyz(const Triple &xyz)
{
    Triple lms = multiply(xyzToLms, xyz);
    for (double &cone : lms)
        cone = std::cbrt(cone);
    return multiply(lmsToOklab, lms);
}

Triple xyzFromOklab(const Triple &oklab)
{
    Triple lms = multiply(oklabToLms, oklab);
    for (double &cone : lms)
        cone = cone * cone * cone;
    return multiply(lmsToXyz, lms);
}

} // namespace ColourSpaces
