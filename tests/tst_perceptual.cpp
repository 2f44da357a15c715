#include "messagelog.h"
#include "prismora.h"

#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// The published conversions and the round trip promise agreement to this, in the getters' units.
constexpr double referenceTolerance = 1e-9;
// LCh of the engine's LAB against published CIE figures, quoted to two decimals.
constexpr double displayTolerance = 5e-2;
// The four-decimal XYZ matrices are not quite inverse: a channel moves by up to a tenth of a level.
constexpr double matrixNoise = 1e-1;

QByteArray describe(double actual, double expected)
{
    return "actual " + QByteArray::number(actual, 'g', 17) + " expected "
        + QByteArray::number(expected, 'g', 17);
}

// QCOMPARE on doubles is fuzzy; these compare bit for bit (the sign of zero too) or within a bound.
#define COMPARE_EXACT(actual, expected)                                                            \
    QVERIFY2((actual) == (expected) && std::signbit(actual) == std::signbit(expected),             \
        describe((actual), (expected)).constData())
#define COMPARE_NEAR(actual, expected, tolerance)                                                  \
    QVERIFY2(std::fabs((actual) - (expected)) <= (tolerance),                                      \
        describe((actual), (expected)).constData())

enum class Model { Rgb, Cmyk, Hsv, Hsl, Xyz, Lab, Lch, Oklab, Oklch };

// Sets the model's channels from the one numbered from onward.
void setModel(Prismora &e, Model model, const QVector<double> &values, int from = 0)
{
#define SET(name) [](Prismora &p, double v) { p.set_##name(v); }
#define SET_FLOAT(name) [](Prismora &p, double v) { p.set_##name(static_cast<float>(v)); }
    using Setter = void (*)(Prismora &, double);
    static const Setter setters[][4] = {{SET(rgb_r), SET(rgb_g), SET(rgb_b)},
        {SET(cmyk_c), SET(cmyk_m), SET(cmyk_y), SET(cmyk_k)},
        {SET_FLOAT(hsv_h), SET_FLOAT(hsv_s), SET_FLOAT(hsv_v)},
        {SET(hsl_h), SET(hsl_s), SET(hsl_l)}, {SET(xyz_x), SET(xyz_y), SET(xyz_z)},
        {SET(lab_l), SET(lab_a), SET(lab_b)}, {SET(lch_l), SET(lch_c), SET(lch_h)},
        {SET(oklab_l), SET(oklab_a), SET(oklab_b)}, {SET(oklch_l), SET(oklch_c), SET(oklch_h)}};
#undef SET
#undef SET_FLOAT
    for (int channel = from; channel < values.size(); ++channel)
        setters[static_cast<int>(model)][channel](e, values[channel]);
}

// Every getter: the six older models (19 values), then LCh, OKLab and OKLCh.
QVector<double> readAll(const Prismora &e)
{
    return {e.get_rgb_r(), e.get_rgb_g(), e.get_rgb_b(), e.get_cmyk_c(), e.get_cmyk_m(),
        e.get_cmyk_y(), e.get_cmyk_k(), e.get_hsv_h(), e.get_hsv_s(), e.get_hsv_v(), e.get_hsl_h(),
        e.get_hsl_s(), e.get_hsl_l(), e.get_xyz_x(), e.get_xyz_y(), e.get_xyz_z(), e.get_lab_l(),
        e.get_lab_a(), e.get_lab_b(), e.get_lch_l(), e.get_lch_c(), e.get_lch_h(), e.get_oklab_l(),
        e.get_oklab_a(), e.get_oklab_b(), e.get_oklch_l(), e.get_oklch_c(), e.get_oklch_h()};
}
constexpr int xyzFirst = 13;
constexpr int lchFirst = 19;
constexpr int oklabFirst = 22;
constexpr int oklchFirst = 25;

// The RGB getters truncate; CMYK holds the channels' fractions, and 255 (1 - C) (1 - K) is
// exactly the inverse of how it got them.
void compareRgb(const Prismora &e, const QVector<double> &expected, double tolerance)
{
    const double keep = 1 - e.get_cmyk_k() / 100;
    COMPARE_NEAR(255 * (1 - e.get_cmyk_c() / 100) * keep, expected[0], tolerance);
    COMPARE_NEAR(255 * (1 - e.get_cmyk_m() / 100) * keep, expected[1], tolerance);
    COMPARE_NEAR(255 * (1 - e.get_cmyk_y() / 100) * keep, expected[2], tolerance);
}

} // namespace

Q_DECLARE_METATYPE(Model)

class TestPerceptual : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_quiet = std::make_unique<MessageLog>(); }
    void cleanup() { m_quiet.reset(); }
    void references_data();
    void references();
    void greysAndWhiteHaveNoChroma();
    void oklabRoundTrip();
    void everySetterRefreshesEveryModel_data();
    void everySetterRefreshesEveryModel();
    void olderModelsKeepTheirValues_data();
    void olderModelsKeepTheirValues();
    void gamut_data();
    void gamut();
    void huesOnTheAxes_data();
    void huesOnTheAxes();

private:
    // Swallows the HSL trace.
    std::unique_ptr<MessageLog> m_quiet;
};

void TestPerceptual::references_data()
{
    QTest::addColumn<QVector<double>>("rgb");
    QTest::addColumn<QVector<double>>("oklab");
    QTest::addColumn<QVector<double>>("oklch");
    QTest::addColumn<QVector<double>>("lch");

    // OKLab and OKLCh worked out exactly from the published matrices (rationals and decimals, cube
    // roots to 50 digits), then rounded to doubles; LCh as published for D65.
    const QVector<double> redOklab {62.79553639214312, 0.22486306842627407, 0.12584627733058493};
    const QVector<double> blueOklab {
        45.201371817442364, -0.03245697517079761, -0.31152816567757774};
    QTest::newRow("red") << QVector<double> {255, 0, 0} << redOklab
                         << QVector<double> {0.2576833038053605, 29.23388027962789}
                         << QVector<double> {104.55, 40.00};
    QTest::newRow("blue") << QVector<double> {0, 0, 255} << blueOklab
                          << QVector<double> {0.3132143886344848, 264.0520226163699}
                          << QVector<double> {133.81, 306.28};
}

void TestPerceptual::references()
{
    QFETCH(QVector<double>, rgb);
    QFETCH(QVector<double>, oklab);
    QFETCH(QVector<double>, oklch);
    QFETCH(QVector<double>, lch);

    Prismora e;
    setModel(e, Model::Rgb, rgb);
    COMPARE_NEAR(e.get_oklab_l(), oklab[0], referenceTolerance);
    COMPARE_NEAR(e.get_oklab_a(), oklab[1], referenceTolerance);
    COMPARE_NEAR(e.get_oklab_b(), oklab[2], referenceTolerance);
    COMPARE_EXACT(e.get_oklch_l(), e.get_oklab_l());
    COMPARE_NEAR(e.get_oklch_c(), oklch[0], referenceTolerance);
    COMPARE_NEAR(e.get_oklch_h(), oklch[1], referenceTolerance);
    COMPARE_EXACT(e.get_lch_l(), e.get_lab_l());
    COMPARE_NEAR(e.get_lch_c(), lch[0], displayTolerance);
    COMPARE_NEAR(e.get_lch_h(), lch[1], displayTolerance);

    // And back from each model.
    Prismora back;
    setModel(back, Model::Oklab, oklab);
    compareRgb(back, rgb, referenceTolerance);
    setModel(back, Model::Oklch, {oklab[0], oklch[0], oklch[1]});
    compareRgb(back, rgb, referenceTolerance);
    setModel(back, Model::Lch, {e.get_lch_l(), e.get_lch_c(), e.get_lch_h()});
    compareRgb(back, rgb, matrixNoise);
}

void TestPerceptual::greysAndWhiteHaveNoChroma()
{
    Prismora e;
    double previous = -1;
    for (int v = 0; v <= 255; ++v) {
        e.set_rgb(v, v, v);
        const QVector<double> got = readAll(e);
        for (int i : {lchFirst + 1, lchFirst + 2, oklabFirst + 1, oklabFirst + 2, oklchFirst + 1,
                 oklchFirst + 2})
            COMPARE_EXACT(got[i], 0.0);
        QVERIFY(got[oklabFirst] > previous);
        previous = got[oklabFirst];
    }
    COMPARE_NEAR(e.get_oklab_l(), 100.0, referenceTolerance);
    COMPARE_EXACT(e.get_lch_l(), 100.0);
}

void TestPerceptual::oklabRoundTrip()
{
    // A lattice, the linear segment of the transfer function and its edge, and every grey.
    QVector<QVector<double>> colours;
    for (int r = 0; r <= 255; r += 15) {
        for (int g = 0; g <= 255; g += 15) {
            for (int b = 0; b <= 255; b += 15)
                colours << QVector<double> {double(r), double(g), double(b)};
        }
    }
    for (int v = 0; v <= 255; ++v)
        colours << QVector<double> {double(v), double(v), double(v)}
                << QVector<double> {double(v % 13), double(v / 13 % 13), double(v % 7)};

    Prismora e;
    Prismora back;
    back.set_rgb(17, 200, 33);
    for (const QVector<double> &rgb : colours) {
        setModel(e, Model::Rgb, rgb);
        setModel(back, Model::Oklab, {e.get_oklab_l(), e.get_oklab_a(), e.get_oklab_b()});
        QVERIFY(back.in_srgb_gamut());
        compareRgb(back, rgb, referenceTolerance);
    }
}

void TestPerceptual::everySetterRefreshesEveryModel_data()
{
    QTest::addColumn<Model>("model");
    QTest::addColumn<QVector<double>>("first");
    QTest::addColumn<QVector<double>>("second");

    QTest::newRow("lch") << Model::Lch << QVector<double> {60, 40, 300}
                         << QVector<double> {45, 70, 20};
    QTest::newRow("oklab") << Model::Oklab << QVector<double> {70, -0.1, 0.05}
                           << QVector<double> {50, 0.12, -0.08};
    QTest::newRow("oklch") << Model::Oklch << QVector<double> {70, 0.1, 200}
                           << QVector<double> {50, 0.15, 30};
}

void TestPerceptual::everySetterRefreshesEveryModel()
{
    QFETCH(Model, model);
    QFETCH(QVector<double>, first);
    QFETCH(QVector<double>, second);

    for (int channel = 0; channel < 3; ++channel) {
        // One setter moves the colour; everything must then be what a fresh engine given the same
        // values holds, so a model the setter forgot would keep the first colour's values.
        QVector<double> values = first;
        values[channel] = second[channel];
        Prismora e;
        setModel(e, model, first);
        setModel(e, model, values.mid(0, channel + 1), channel);
        Prismora fresh;
        fresh.set_rgb(250, 5, 160);
        setModel(fresh, model, values);
        const QVector<double> got = readAll(e);
        const QVector<double> want = readAll(fresh);
        for (int i = 0; i < got.size(); ++i)
            COMPARE_EXACT(got[i], want[i]);
        QCOMPARE(e.in_srgb_gamut(), fresh.in_srgb_gamut());

        // The models beyond sRGB follow the colour as set, not the whole RGB shown: they are what
        // the same colour set in XYZ gives, LCh from its LAB and OKLab from the colour itself.
        Prismora asSet;
        setModel(asSet, Model::Xyz, got.mid(xyzFirst, 3));
        const QVector<double> same = readAll(asSet);
        for (int i = xyzFirst; i < got.size(); ++i)
            COMPARE_NEAR(got[i], same[i], referenceTolerance * std::max(1.0, std::fabs(same[i])));
    }
}

void TestPerceptual::olderModelsKeepTheirValues_data()
{
    QTest::addColumn<Model>("model");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<QVector<double>>("expected");

    // Recorded before LCh, OKLab and OKLCh joined the cascades, bit for bit.
    QTest::newRow("rgb") << Model::Rgb << QVector<double> {200, 60.5, 13}
                         << QVector<double> {200, 60, 13, 0, 69.749999999999986, 93.5,
                                21.568627450980394, 15.240641593933105, 93.5, 78.431373596191406,
                                15.240641711229955, 87.793427230046944, 41.764705882352942,
                                25.507922174334407, 15.54013595807143, 2.0358991589145523,
                                46.365287283160306, 53.694952937649923, 54.445313295234484};
    QTest::newRow("cmyk") << Model::Cmyk << QVector<double> {10, 60, 30, 20}
                          << QVector<double> {183, 81, 142, 10, 60, 30, 20, 324, 55.555557250976562,
                                 72, 324, 41.666666666666686, 52, 27.353353635891931,
                                 17.905132873145373, 27.605540692344952, 49.380841399670771,
                                 48.294110533694202, -13.850825586435889};
    QTest::newRow("hsv") << Model::Hsv << QVector<double> {200, 40, 70}
                         << QVector<double> {107, 154, 178, 39.999996594020246, 13.33333988984435,
                                0, 30.000001192092896, 200.00001525878906, 40, 70,
                                200.00001153775736, 31.818178739429488, 56.000000238418579,
                                25.654887189257849, 29.451354625904273, 46.452003215734187,
                                61.177921970016513, -9.53440930989502, -17.487422343346282};
    QTest::newRow("hsl") << Model::Hsl << QVector<double> {330, 80, 40}
                         << QVector<double> {183, 20, 102, 0, 88.8888888888889, 44.444444444444429,
                                27.999999999999993, 330, 88.888893127441406, 72, 330, 80, 40,
                                22.176867973486939, 11.52690062631847, 13.626435040688261,
                                40.45410226097092, 64.475697872671049, -2.6994524403886055};
    QTest::newRow("xyz") << Model::Xyz << QVector<double> {60, 40, 90}
                         << QVector<double> {241, 125, 243, 1.0999227215703253, 48.587287068021809,
                                0, 4.3855863037935645, 298.6417236328125, 48.587287902832031,
                                95.614418029785156, 298.64171541000377, 84.11814188752615,
                                72.386188865715553, 60, 40, 90, 69.469530768456963,
                                60.510348401191408, -40.326033773724035};
    QTest::newRow("lab") << Model::Lab << QVector<double> {53.24, 80.09, 67.2}
                         << QVector<double> {255, 0, 0, 0, 99.873800539568848, 99.95999041533814, 0,
                                0.051734626293182373, 99.959991455078125, 100, 0.051734624269870189,
                                100, 50.02000479233093, 41.245018933198203, 21.266558247570636,
                                1.9338950283863399, 53.24, 80.09, 67.2};
}

void TestPerceptual::olderModelsKeepTheirValues()
{
    QFETCH(Model, model);
    QFETCH(QVector<double>, values);
    QFETCH(QVector<double>, expected);

    Prismora e;
    setModel(e, model, values);
    const QVector<double> got = readAll(e);
    for (int i = 0; i < expected.size(); ++i)
        COMPARE_EXACT(got[i], expected[i]);

    // The newer models follow: LCh from this LAB, OKLab and OKLCh from the colour as set, which
    // is the whole RGB shown for the sRGB family and the XYZ given or reached otherwise.
    Prismora lab;
    setModel(lab, Model::Lab, got.mid(16, 3));
    Prismora source;
    if (model == Model::Xyz || model == Model::Lab)
        setModel(source, Model::Xyz, got.mid(xyzFirst, 3));
    else
        setModel(source, Model::Rgb, got.mid(0, 3));
    for (int i = lchFirst; i < got.size(); ++i)
        COMPARE_EXACT(got[i], readAll(i < oklabFirst ? lab : source)[i]);
}

void TestPerceptual::gamut_data()
{
    QTest::addColumn<Model>("model");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<bool>("inGamut");

    QTest::newRow("rgb 255.5") << Model::Rgb << QVector<double> {255, 255.5, 0} << true;
    QTest::newRow("rgb 255.6") << Model::Rgb << QVector<double> {255, 255.6, 0} << false;
    QTest::newRow("rgb -0.6") << Model::Rgb << QVector<double> {0, 0, -0.6} << false;
    QTest::newRow("cmyk") << Model::Cmyk << QVector<double> {10, 60, 30, 20} << true;
    QTest::newRow("cmyk below 0 %") << Model::Cmyk << QVector<double> {-50, 0, 0, 0} << false;
    QTest::newRow("hsv") << Model::Hsv << QVector<double> {200, 40, 70} << true;
    QTest::newRow("hsl") << Model::Hsl << QVector<double> {330, 80, 40} << true;
    QTest::newRow("hsl beyond 100 %") << Model::Hsl << QVector<double> {0, 150, 60} << false;
    QTest::newRow("xyz white, matrix noise")
        << Model::Xyz << QVector<double> {95.05, 100, 108.9} << true;
    QTest::newRow("xyz beyond") << Model::Xyz << QVector<double> {100, 100, 100} << false;
    QTest::newRow("lch far out") << Model::Lch << QVector<double> {50, 200, 0} << false;
    QTest::newRow("oklch grey") << Model::Oklch << QVector<double> {50, 0, 123} << true;
    QTest::newRow("oklch far out") << Model::Oklch << QVector<double> {90, 0.4, 270} << false;
}

void TestPerceptual::gamut()
{
    QFETCH(Model, model);
    QFETCH(QVector<double>, values);
    QFETCH(bool, inGamut);

    // Start from the other answer, so that a flag left over from before shows.
    Prismora e;
    if (inGamut)
        setModel(e, Model::Xyz, {100, 100, 100});
    setModel(e, model, values);
    QCOMPARE(e.in_srgb_gamut(), inGamut);
    // The swatch gets a displayable colour either way.
    if (model != Model::Rgb && model != Model::Cmyk) {
        for (int i = 0; i < 3; ++i)
            QVERIFY(readAll(e)[i] >= 0 && readAll(e)[i] <= 255);
    }
}

void TestPerceptual::huesOnTheAxes_data()
{
    QTest::addColumn<Model>("model");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<int>("getter");
    QTest::addColumn<double>("expected");

    // A hue a hair below 0 would read as a whole turn; a hue on an axis leaves a residue.
    QTest::newRow("lab a hair below the axis")
        << Model::Lab << QVector<double> {50, 1, -1e-17} << lchFirst + 2 << 0.0;
    QTest::newRow("oklab a hair below the axis")
        << Model::Oklab << QVector<double> {50, 0.1, -1e-18} << oklchFirst + 2 << 0.0;
    QTest::newRow("lab negative zeros")
        << Model::Lab << QVector<double> {50, -0.0, -0.0} << lchFirst + 2 << 0.0;
    QTest::newRow("lab straight down")
        << Model::Lab << QVector<double> {50, 0, -20} << lchFirst + 2 << 270.0;
    QTest::newRow("lch at 90 degrees") << Model::Lch << QVector<double> {50, 20, 90} << 17 << 0.0;
    QTest::newRow("oklch at 180 degrees")
        << Model::Oklch << QVector<double> {50, 0.1, 180} << oklabFirst + 2 << 0.0;
}

void TestPerceptual::huesOnTheAxes()
{
    QFETCH(Model, model);
    QFETCH(QVector<double>, values);
    QFETCH(int, getter);
    QFETCH(double, expected);

    Prismora e;
    setModel(e, model, values);
    COMPARE_EXACT(readAll(e)[getter], expected);
}

QTEST_GUILESS_MAIN(TestPerceptual)
#include "tst_perceptual.moc"
