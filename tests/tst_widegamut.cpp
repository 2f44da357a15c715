#include "prismora.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <random>

// The colour as set against conversions written here again from the published constants, in long
// double, sharing no code with the engine.
namespace {

using Real = long double;
using Vec = std::array<Real, 3>;
using Mat = std::array<Vec, 3>;

Vec times(const Mat &m, const Vec &v)
{
    Vec out {};
    for (std::size_t i = 0; i < 3; ++i)
        out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return out;
}

const Mat srgbToXyz {{{506752.0L / 1228815, 87881.0L / 245763, 12673.0L / 70218},
    {87098.0L / 409605, 175762.0L / 245763, 12673.0L / 175545},
    {7918.0L / 409605, 87881.0L / 737289, 1001167.0L / 1053270}}};
const Mat xyzToSrgb {{{12831.0L / 3959, -329.0L / 214, -1974.0L / 3959},
    {-851781.0L / 878810, 1648619.0L / 878810, 36519.0L / 878810},
    {705.0L / 12673, -2585.0L / 12673, 705.0L / 667}}};
const Mat p3ToXyz {{{608311.0L / 1250200, 189793.0L / 714400, 198249.0L / 1000160},
    {35783.0L / 156275, 247089.0L / 357200, 198249.0L / 2500400},
    {0, 32229.0L / 714400, 5220557.0L / 5000800}}};
const Mat xyzToP3 {{{446124.0L / 178915, -333277.0L / 357830, -72051.0L / 178915},
    {-14852.0L / 17905, 63121.0L / 35810, 423.0L / 17905},
    {11844.0L / 330415, -50337.0L / 660830, 316169.0L / 330415}}};
const Mat rec2020ToXyz {{{63426534.0L / 99577255, 20160776.0L / 139408157, 47086771.0L / 278816314},
    {26158966.0L / 99577255, 472592308.0L / 697040785, 8267143.0L / 139408157},
    {0, 19567812.0L / 697040785, 295819943.0L / 278816314}}};
const Mat xyzToRec2020 {{{30757411.0L / 17917100, -6372589.0L / 17917100, -4539589.0L / 17917100},
    {-19765991.0L / 29648200, 47925759.0L / 29648200, 467509.0L / 29648200},
    {792561.0L / 44930125, -1921689.0L / 44930125, 42328811.0L / 44930125}}};
const Mat xyzToLms {{{0.8190224379967030L, 0.3619062600528904L, -0.1288737815209879L},
    {0.0329836539323885L, 0.9292868615863434L, 0.0361446663506424L},
    {0.0481771893596242L, 0.2642395317527308L, 0.6335478284694309L}}};
const Mat lmsToOklab {{{0.2104542683093140L, 0.7936177747023054L, -0.0040720430116193L},
    {1.9779985324311684L, -2.4285922420485799L, 0.4505937096174110L},
    {0.0259040424655478L, 0.7827717124575296L, -0.8086757549230774L}}};
// The engine's own XYZ white and its four-decimal way back to sRGB.
const Vec engineWhite {95.05L, 100, 108.9L};
const Vec d65 {0.3127L / 0.3290L, 1, (1 - 0.3127L - 0.3290L) / 0.3290L};
const Mat engineXyzToSrgb {
    {{3.2406L, -1.5372L, -0.4986L}, {-0.9689L, 1.8758L, 0.0415L}, {0.0557L, -0.204L, 1.057L}}};

Real srgbEncode(Real v)
{
    const Real a = std::fabs(v);
    const Real e = a <= 0.0031308L ? 12.92L * a : 1.055L * std::pow(a, 1 / 2.4L) - 0.055L;
    return v < 0 ? -e : e;
}

Real srgbDecode(Real v)
{
    const Real a = std::fabs(v);
    const Real d = a <= 0.04045L ? a / 12.92L : std::pow((a + 0.055L) / 1.055L, 2.4L);
    return v < 0 ? -d : d;
}

constexpr Real alpha = 1.09929682680944L;
constexpr Real beta = 0.018053968510807L;

Real rec2020Encode(Real v)
{
    const Real a = std::fabs(v);
    const Real e = a <= beta ? 4.5L * a : alpha * std::pow(a, 0.45L) - (alpha - 1);
    return v < 0 ? -e : e;
}

Real rec2020Decode(Real v)
{
    const Real a = std::fabs(v);
    const Real d = a < 4.5L * beta ? a / 4.5L : std::pow((a + alpha - 1) / alpha, 1 / 0.45L);
    return v < 0 ? -d : d;
}

Vec each(Vec v, Real (*f)(Real))
{
    for (Real &x : v)
        x = f(x);
    return v;
}

Real labF(Real t)
{
    return t > 216.0L / 24389 ? std::cbrt(t) : (24389.0L / 27 * t + 16) / 116;
}

Vec polar(const Vec &lab, Real lightnessScale)
{
    Real hue = std::atan2(lab[2], lab[1]) * 180 / 3.14159265358979323846264L;
    if (hue < 0)
        hue += 360;
    return {lab[0] * lightnessScale, std::hypot(lab[1], lab[2]), hue};
}

enum Model { Xyz, Lab, Lch, Oklab, Oklch, P3, Rec2020, Models };

// Every wide model of one XYZ (D65, white Y = 1), in the engine's units.
std::array<Vec, Models> expected(const Vec &xyz)
{
    std::array<Vec, Models> out {};
    for (std::size_t i = 0; i < 3; ++i)
        out[Xyz][i] = xyz[i] / d65[i] * engineWhite[i];
    const Vec f {labF(out[Xyz][0] / engineWhite[0]), labF(out[Xyz][1] / engineWhite[1]),
        labF(out[Xyz][2] / engineWhite[2])};
    out[Lab] = {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
    out[Lch] = polar(out[Lab], 1);
    const Vec oklab
        = times(lmsToOklab, each(times(xyzToLms, xyz), [](Real x) { return std::cbrt(x); }));
    out[Oklab] = {oklab[0] * 100, oklab[1], oklab[2]};
    out[Oklch] = polar(oklab, 100);
    out[P3] = each(times(xyzToP3, xyz), srgbEncode);
    out[Rec2020] = each(times(xyzToRec2020, xyz), rec2020Encode);
    return out;
}

using Setter = void (Prismora::*)(double);
using Getter = double (Prismora::*)() const;
const Setter setters[Models][3]
    = {{&Prismora::set_xyz_x, &Prismora::set_xyz_y, &Prismora::set_xyz_z},
        {&Prismora::set_lab_l, &Prismora::set_lab_a, &Prismora::set_lab_b},
        {&Prismora::set_lch_l, &Prismora::set_lch_c, &Prismora::set_lch_h},
        {&Prismora::set_oklab_l, &Prismora::set_oklab_a, &Prismora::set_oklab_b},
        {&Prismora::set_oklch_l, &Prismora::set_oklch_c, &Prismora::set_oklch_h},
        {&Prismora::set_p3_r, &Prismora::set_p3_g, &Prismora::set_p3_b},
        {&Prismora::set_rec2020_r, &Prismora::set_rec2020_g, &Prismora::set_rec2020_b}};
const Getter getters[Models][3]
    = {{&Prismora::get_xyz_x, &Prismora::get_xyz_y, &Prismora::get_xyz_z},
        {&Prismora::get_lab_l, &Prismora::get_lab_a, &Prismora::get_lab_b},
        {&Prismora::get_lch_l, &Prismora::get_lch_c, &Prismora::get_lch_h},
        {&Prismora::get_oklab_l, &Prismora::get_oklab_a, &Prismora::get_oklab_b},
        {&Prismora::get_oklch_l, &Prismora::get_oklch_c, &Prismora::get_oklch_h},
        {&Prismora::get_p3_r, &Prismora::get_p3_g, &Prismora::get_p3_b},
        {&Prismora::get_rec2020_r, &Prismora::get_rec2020_g, &Prismora::get_rec2020_b}};
// What "relative" is taken against where a value nears 0: the size of the model's range.
const Real units[Models][3] = {{100, 100, 100}, {100, 100, 100}, {100, 100, 360}, {100, 1, 1},
    {100, 1, 360}, {1, 1, 1}, {1, 1, 1}};

constexpr Real edge = 0.5L / 255;

bool inside(const Vec &values, Real tolerance = edge)
{
    for (const Real v : values) {
        if (v < -tolerance || v > 1 + tolerance)
            return false;
    }
    return true;
}

enum Region { InSrgb, InP3Only, InRec2020Only, Beyond };

// A colour of the region, drawn in the space that bounds it.
Vec sample(std::mt19937_64 &random, Region region)
{
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_real_distribution<double> wide(-0.4, 1.4);
    for (;;) {
        const Vec drawn {Real(region == Beyond ? wide(random) : unit(random)),
            Real(region == Beyond ? wide(random) : unit(random)),
            Real(region == Beyond ? wide(random) : unit(random))};
        Vec xyz {};
        if (region == InSrgb)
            return times(srgbToXyz, each(drawn, srgbDecode));
        if (region == InP3Only)
            xyz = times(p3ToXyz, each(drawn, srgbDecode));
        else
            xyz = times(rec2020ToXyz, each(drawn, rec2020Decode));
        // Clear of sRGB's edge by a level, where the engine's four-decimal matrix and the exact
        // one could disagree.
        const bool nearSrgb = inside(each(times(xyzToSrgb, xyz), srgbEncode), 3 * edge);
        const bool inP3 = inside(each(times(xyzToP3, xyz), srgbEncode));
        const bool inRec2020 = inside(each(times(xyzToRec2020, xyz), rec2020Encode));
        if (region == InP3Only && !nearSrgb)
            return xyz;
        if (region == InRec2020Only && !inP3 && inRec2020)
            return xyz;
        if (region == Beyond && !inRec2020 && xyz[1] > 0.01L)
            return xyz;
    }
}

// The whole levels of RGB the engine shows: the colour clipped into sRGB, then truncated, a value
// within 1e-6 below a whole number taken as that number.
Vec clippedLevels(const Vec &linear)
{
    Vec levels {};
    for (std::size_t i = 0; i < 3; ++i) {
        const Real level = std::clamp(srgbEncode(linear[i]) * 255, Real(0), Real(255));
        levels[i] = std::floor(level + 1e-6L);
    }
    return levels;
}

} // namespace

using Triple = std::array<double, 3>;
Q_DECLARE_METATYPE(Triple)

class TestWideGamut : public QObject
{
    Q_OBJECT

private slots:
    void everyWideModelShowsTheColourAsSet();
    void gamutLimits_data();
    void gamutLimits();
    void nearestSrgb_data();
    void nearestSrgb();
};

void TestWideGamut::everyWideModelShowsTheColourAsSet()
{
    std::mt19937_64 random(20261208);
    Prismora engine;
    int checked = 0;
    for (int n = 0; n < 100000; ++n) {
        const auto region = static_cast<Region>(n % 4);
        const Vec xyz = sample(random, region);
        const std::array<Vec, Models> want = expected(xyz);
        // The engine's XYZ, LAB and LCh reach RGB through its own four-decimal matrix.
        const Vec engineLinear
            = times(engineXyzToSrgb, {want[Xyz][0] / 100, want[Xyz][1] / 100, want[Xyz][2] / 100});
        for (int set = 0; set < Models; ++set) {
            for (int c = 0; c < 3; ++c)
                (engine.*setters[set][c])(double(want[set][c]));
            for (int m = 0; m < Models; ++m) {
                for (int c = 0; c < 3; ++c) {
                    // A hue of almost no chroma is no measure of the colour.
                    if ((m == Lch || m == Oklch) && c == 2 && want[m][1] < 1e-6L * units[m][1])
                        continue;
                    const Real got = (engine.*getters[m][c])();
                    Real error = std::fabs(got - want[m][c]);
                    if ((m == Lch || m == Oklch) && c == 2)
                        error = std::min(error, 360 - error);
                    const Real scale = std::max(std::fabs(want[m][c]), units[m][c]);
                    if (error > 1e-9L * scale) {
                        QFAIL(qPrintable(QStringLiteral("colour %1 set in %2: model %3 channel %4 "
                                                        "reads %5, not %6")
                                             .arg(n)
                                             .arg(set)
                                             .arg(m)
                                             .arg(c)
                                             .arg(double(got), 0, 'g', 17)
                                             .arg(double(want[m][c]), 0, 'g', 17)));
                    }
                }
            }
            const Vec levels = clippedLevels(set <= Lch ? engineLinear : times(xyzToSrgb, xyz));
            QCOMPARE(Vec({engine.get_rgb_r(), engine.get_rgb_g(), engine.get_rgb_b()}), levels);
            QCOMPARE(engine.in_srgb_gamut(), region == InSrgb);
            QCOMPARE(engine.in_p3_gamut(), region <= InP3Only);
            // Display P3's reds reach a hair beyond Rec. 2020.
            QCOMPARE(
                engine.in_rec2020_gamut(), inside(each(times(xyzToRec2020, xyz), rec2020Encode)));
            ++checked;
        }
    }
    QCOMPARE(checked, 100000 * Models);
}

void TestWideGamut::gamutLimits_data()
{
    QTest::addColumn<bool>("setInP3");
    QTest::addColumn<Triple>("values");
    QTest::addColumn<bool>("inP3");
    QTest::addColumn<bool>("inRec2020");
    // Display P3's red lies a hair beyond Rec. 2020's red-green edge.
    QTest::newRow("p3 red") << true << Triple {1, 0, 0} << true << false;
    QTest::newRow("half a level beyond p3")
        << true << Triple {1 + 0.49 / 255, 0.5, 0.5} << true << true;
    QTest::newRow("more") << true << Triple {1 + 0.51 / 255, 0.5, 0.5} << false << true;
    QTest::newRow("below 0") << true << Triple {0.5, -0.51 / 255, 0.5} << false << true;
    QTest::newRow("rec2020 green") << false << Triple {0, 1, 0} << false << true;
    QTest::newRow("beyond rec2020") << false << Triple {0, 1.01, 0} << false << false;
}

void TestWideGamut::gamutLimits()
{
    QFETCH(bool, setInP3);
    QFETCH(Triple, values);
    QFETCH(bool, inP3);
    QFETCH(bool, inRec2020);
    const Setter *from = setters[setInP3 ? P3 : Rec2020];
    const Getter *to = getters[setInP3 ? Rec2020 : P3];
    Prismora engine;
    for (int c = 0; c < 3; ++c)
        (engine.*from[c])(values[std::size_t(c)]);
    QCOMPARE(engine.in_p3_gamut(), inP3);
    QCOMPARE(engine.in_rec2020_gamut(), inRec2020);
    QVERIFY(!engine.in_srgb_gamut());
    // The other space's values read back as the colour as set, and judge it alike.
    Prismora back;
    for (int c = 0; c < 3; ++c)
        (back.*setters[setInP3 ? Rec2020 : P3][c])((engine.*to[c])());
    for (int c = 0; c < 3; ++c)
        QVERIFY(std::fabs((back.*getters[setInP3 ? P3 : Rec2020][c])() - values[std::size_t(c)])
            < 1e-12);
    QCOMPARE(back.in_p3_gamut(), inP3);
    QCOMPARE(back.in_rec2020_gamut(), inRec2020);
}

void TestWideGamut::nearestSrgb_data()
{
    QTest::addColumn<Triple>("oklch");
    QTest::addColumn<Triple>("truncated");
    QTest::addColumn<Triple>("rounded");
    // Computed apart from the engine by CSS's algorithm in 64-bit floating point.
    QTest::newRow("green beyond") << Triple {70, 0.3, 150} << Triple {0, 193, 71}
                                  << Triple {0, 194, 72};
    QTest::newRow("light blue far beyond")
        << Triple {90, 0.4, 270} << Triple {203, 220, 255} << Triple {204, 221, 255};
    QTest::newRow("red beyond") << Triple {50, 0.37, 20} << Triple {193, 0, 40}
                                << Triple {193, 0, 40};
    // Lightness at or beyond either end is white or black, whatever the chroma.
    QTest::newRow("white") << Triple {100, 0.3, 150} << Triple {255, 255, 255}
                           << Triple {255, 255, 255};
    QTest::newRow("black") << Triple {0, 0.3, 150} << Triple {0, 0, 0} << Triple {0, 0, 0};
    // Inside sRGB it is the colour itself, as the RGB getters give it.
    QTest::newRow("inside") << Triple {60, 0.1, 200} << Triple {12, 145, 151}
                            << Triple {13, 146, 152};
}

void TestWideGamut::nearestSrgb()
{
    QFETCH(Triple, oklch);
    QFETCH(Triple, truncated);
    QFETCH(Triple, rounded);
    Prismora engine;
    engine.set_oklch_l(oklch[0]);
    engine.set_oklch_c(oklch[1]);
    engine.set_oklch_h(oklch[2]);
    QCOMPARE(engine.nearest_srgb(), truncated);
    engine.set_rgb_rounding(Prismora::RgbRounding::Nearest);
    QCOMPARE(engine.nearest_srgb(), rounded);
    if (engine.in_srgb_gamut())
        QCOMPARE(engine.nearest_srgb(),
            Triple({engine.get_rgb_r(), engine.get_rgb_g(), engine.get_rgb_b()}));
}

QTEST_APPLESS_MAIN(TestWideGamut)
#include "tst_widegamut.moc"
