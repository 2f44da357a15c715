#include "colourmodels.h"
#include "messagelog.h"
#include "modeloracle.h"
#include "notation.h"
#include "prismora.h"

#include <QtTest>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// XYZ values quoted to two decimals or with "about": display-level agreement is all they promise.
constexpr double displayTolerance = 1e-2;
// Sums of products that an exact figure such as 41.24 reaches only up to the last bits.
constexpr double roundingTolerance = 1e-12;

// QCOMPARE on doubles is fuzzy; the engine promises exact figures, so compare bit for bit.
bool sameDouble(double actual, double expected)
{
    if (std::isnan(actual) || std::isnan(expected))
        return std::isnan(actual) && std::isnan(expected);
    return actual == expected && std::signbit(actual) == std::signbit(expected);
}

QByteArray describe(double actual, double expected)
{
    return QByteArray("actual ") + QByteArray::number(actual, 'g', 17) + " expected "
        + QByteArray::number(expected, 'g', 17);
}

#define COMPARE_EXACT(actual, expected)                                                            \
    QVERIFY2(sameDouble((actual), (expected)), describe((actual), (expected)).constData())

#define COMPARE_NEAR(actual, expected, tolerance)                                                  \
    QVERIFY2(std::fabs((actual) - (expected)) <= (tolerance),                                      \
        describe((actual), (expected)).constData())

struct Snapshot
{
    QVector<double> values;

    explicit Snapshot(const Prismora &e)
        : values {e.get_rgb_r(), e.get_rgb_g(), e.get_rgb_b(), e.get_cmyk_c(), e.get_cmyk_m(),
            e.get_cmyk_y(), e.get_cmyk_k(), e.get_hsv_h(), e.get_hsv_s(), e.get_hsv_v(),
            e.get_hsl_h(), e.get_hsl_s(), e.get_hsl_l(), e.get_xyz_x(), e.get_xyz_y(),
            e.get_xyz_z(), e.get_lab_l(), e.get_lab_a(), e.get_lab_b()}
    { }

    bool operator==(const Snapshot &other) const
    {
        for (int i = 0; i < values.size(); ++i) {
            if (!sameDouble(values[i], other.values[i]))
                return false;
        }
        return true;
    }
};

enum class Model { Rgb, Cmyk, Hsv, Hsl, Xyz, Lab };

void setModel(Prismora &e, Model model, double a, double b, double c, double d = 0)
{
    switch (model) {
    case Model::Rgb:
        e.set_rgb(a, b, c);
        break;
    case Model::Cmyk:
        e.set_cmyk_c(a);
        e.set_cmyk_m(b);
        e.set_cmyk_y(c);
        e.set_cmyk_k(d);
        break;
    case Model::Hsv:
        e.set_hsv_h(static_cast<float>(a));
        e.set_hsv_s(static_cast<float>(b));
        e.set_hsv_v(static_cast<float>(c));
        break;
    case Model::Hsl:
        e.set_hsl_h(a);
        e.set_hsl_s(b);
        e.set_hsl_l(c);
        break;
    case Model::Xyz:
        e.set_xyz_x(a);
        e.set_xyz_y(b);
        e.set_xyz_z(c);
        break;
    case Model::Lab:
        e.set_lab_l(a);
        e.set_lab_a(b);
        e.set_lab_b(c);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Model)

class TestPrismora : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_quiet = std::make_unique<MessageLog>(); }
    void cleanup() { m_quiet.reset(); }
    void newEngineHoldsBlack();
    void batchGivesTheSameColour_data();
    void batchGivesTheSameColour();
    void redRefusesOutOfRange_data();
    void redRefusesOutOfRange();
    void greenAndBlueStoreAnything();
    void rgbGettersTruncate_data();
    void rgbGettersTruncate();
    void fromRgb_data();
    void fromRgb();
    void cmykKeepsItsValues();
    void cmykFullKeyGivesBlack();
    void hsvToRgb_data();
    void hsvToRgb();
    void hsvSaturationZeroKeepsHue();
    void hslToRgb_data();
    void hslToRgb();
    void hslOverSaturationClampsHigh();
    void hslTraceLines();
    void traceNumberFormat_data();
    void traceNumberFormat();
    void traceNamesTheEngineSource();
    void onlyHslSettersTrace();
    void rgbToXyz_data();
    void rgbToXyz();
    void linearSegmentEndsAtTen();
    void xyzToRgb_data();
    void xyzToRgb();
    void xyzWhiteViewedInOtherModels();
    void setModelKeepsItAndDerivesOthersFromRgb_data();
    void setModelKeepsItAndDerivesOthersFromRgb();
    void rgbToLab_data();
    void rgbToLab();
    void greysHaveNoChroma();
    void labRoundTrip_data();
    void labRoundTrip();
    void labKeepsItsValues();
    void everySetterUpdatesLab();
    void hostileNumbersDoNotCrash_data();
    void hostileNumbersDoNotCrash();
    void noiseIsNoValue_data();
    void noiseIsNoValue();
    void registryMatchesOracle_data();
    void registryMatchesOracle();

private:
    // Swallows the trace of setup calls; a test that reads the trace opens its own log.
    std::unique_ptr<MessageLog> m_quiet;
};

void TestPrismora::newEngineHoldsBlack()
{
    MessageLog log;
    Prismora e;
    QVERIFY(log.lines().isEmpty());
    const Snapshot expected(e);
    const QVector<double> black {0, 0, 0, 100, 100, 100, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < black.size(); ++i)
        COMPARE_EXACT(expected.values[i], black[i]);
}

void TestPrismora::redRefusesOutOfRange_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("zero") << 0.0 << true;
    QTest::newRow("255") << 255.0 << true;
    QTest::newRow("fraction") << 127.9 << true;
    QTest::newRow("256") << 256.0 << false;
    QTest::newRow("just above 255") << 255.0000001 << false;
    QTest::newRow("-1") << -1.0 << false;
    QTest::newRow("NaN") << notANumber << false;
    QTest::newRow("infinity") << infinity << false;
    QTest::newRow("-infinity") << -infinity << false;
}

void TestPrismora::redRefusesOutOfRange()
{
    QFETCH(double, value);
    QFETCH(bool, accepted);
    Prismora e;
    e.set_rgb(10, 200, 90);
    const Snapshot before(e);
    e.set_rgb_r(value);
    if (accepted) {
        COMPARE_EXACT(e.get_rgb_r(), std::trunc(value));
    } else {
        QVERIFY(Snapshot(e) == before);
    }
}

void TestPrismora::greenAndBlueStoreAnything()
{
    Prismora e;
    e.set_rgb_g(300);
    COMPARE_EXACT(e.get_rgb_g(), 300.0);
    // Recomputed from the stored 300: the key goes negative, cyan and yellow stay full.
    QVERIFY(e.get_cmyk_k() < 0);
    COMPARE_EXACT(e.get_cmyk_c(), 100.0);
    COMPARE_EXACT(e.get_cmyk_m(), 0.0);
    COMPARE_EXACT(e.get_cmyk_y(), 100.0);
    COMPARE_NEAR(e.get_hsv_h(), 120.0f, 1e-4);
    e.set_rgb_b(-20);
    COMPARE_EXACT(e.get_rgb_b(), -20.0);
}

void TestPrismora::rgbGettersTruncate_data()
{
    QTest::addColumn<double>("stored");
    QTest::addColumn<double>("shown");
    QTest::newRow("fraction down") << 127.9 << 127.0;
    QTest::newRow("negative half is +0") << -0.5 << 0.0;
    QTest::newRow("toward zero") << -1.5 << -1.0;
    QTest::newRow("NaN") << notANumber << 0.0;
    QTest::newRow("huge saturates") << 1e300 << double(INT_MAX);
    QTest::newRow("infinity saturates") << infinity << double(INT_MAX);
    QTest::newRow("huge negative saturates") << -1e300 << double(INT_MIN);
    QTest::newRow("just past int range") << 2147483648.5 << double(INT_MAX);
}

void TestPrismora::rgbGettersTruncate()
{
    QFETCH(double, stored);
    QFETCH(double, shown);
    Prismora e;
    e.set_rgb_g(stored);
    COMPARE_EXACT(e.get_rgb_g(), shown);
    e.set_rgb_b(stored);
    COMPARE_EXACT(e.get_rgb_b(), shown);
}

void TestPrismora::fromRgb_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("b");
    QTest::addColumn<QVector<double>>("cmyk");
    QTest::addColumn<QVector<float>>("hsv");
    QTest::addColumn<QVector<double>>("hsl");

    const double k128 = 49.80392156862745;
    QTest::newRow("black") << 0.0 << 0.0 << 0.0 << QVector<double> {100, 100, 100, 100}
                           << QVector<float> {0, 0, 0} << QVector<double> {0, 0, 0};
    QTest::newRow("white") << 255.0 << 255.0 << 255.0 << QVector<double> {0, 0, 0, 0}
                           << QVector<float> {0, 0, 100} << QVector<double> {0, 0, 100};
    QTest::newRow("red") << 255.0 << 0.0 << 0.0 << QVector<double> {0, 100, 100, 0}
                         << QVector<float> {0, 100, 100} << QVector<double> {0, 100, 50};
    QTest::newRow("dark red") << 128.0 << 0.0 << 0.0 << QVector<double> {0, 100, 100, k128}
                              << QVector<float> {0, 100, 50.196083068847656f}
                              << QVector<double> {0, 100, 25.098039215686274};
    QTest::newRow("grey") << 128.0 << 128.0 << 128.0 << QVector<double> {0, 0, 0, k128}
                          << QVector<float> {0, 0, 50.196083068847656f}
                          << QVector<double> {0, 0, 50.19607843137255};
    QTest::newRow("orange") << 255.0 << 128.0 << 0.0
                            << QVector<double> {0, 49.80392156862745, 100, 0}
                            << QVector<float> {30.117647171020508f, 100, 100}
                            << QVector<double> {30.117647058823501, 100, 50};
    QTest::newRow("yellow takes the red branch")
        << 255.0 << 255.0 << 0.0 << QVector<double> {0, 0, 100, 0} << QVector<float> {60, 100, 100}
        << QVector<double> {59.999999999999986, 100, 50};
    QTest::newRow("cyan takes the green branch")
        << 0.0 << 255.0 << 255.0 << QVector<double> {100, 0, 0, 0} << QVector<float> {180, 100, 100}
        << QVector<double> {180, 100, 50};
    QTest::newRow("navy takes the blue branch")
        << 0.0 << 0.0 << 128.0 << QVector<double> {100, 100, 0, k128}
        << QVector<float> {240, 100, 50.196083068847656f}
        << QVector<double> {240, 100, 25.098039215686274};
    QTest::newRow("magenta wraps the hue")
        << 255.0 << 0.0 << 255.0 << QVector<double> {0, 100, 0, 0} << QVector<float> {300, 100, 100}
        << QVector<double> {300, 100, 50};
    QTest::newRow("light, lightness above half")
        << 255.0 << 128.0 << 128.0 << QVector<double> {0, 49.80392156862745, 49.80392156862745, 0}
        << QVector<float> {0, 49.80392156862745f, 100}
        << QVector<double> {0, 100, 75.09803921568627};
}

void TestPrismora::fromRgb()
{
    QFETCH(double, r);
    QFETCH(double, g);
    QFETCH(double, b);
    QFETCH(QVector<double>, cmyk);
    QFETCH(QVector<float>, hsv);
    QFETCH(QVector<double>, hsl);

    Prismora e;
    e.set_rgb(r, g, b);
    COMPARE_EXACT(e.get_cmyk_c(), cmyk[0]);
    COMPARE_EXACT(e.get_cmyk_m(), cmyk[1]);
    COMPARE_EXACT(e.get_cmyk_y(), cmyk[2]);
    COMPARE_EXACT(e.get_cmyk_k(), cmyk[3]);
    COMPARE_EXACT(e.get_hsv_h(), hsv[0]);
    COMPARE_EXACT(e.get_hsv_s(), hsv[1]);
    COMPARE_EXACT(e.get_hsv_v(), hsv[2]);
    COMPARE_EXACT(e.get_hsl_h(), hsl[0]);
    COMPARE_EXACT(e.get_hsl_s(), hsl[1]);
    COMPARE_EXACT(e.get_hsl_l(), hsl[2]);
}

void TestPrismora::cmykKeepsItsValues()
{
    Prismora e;
    setModel(e, Model::Cmyk, 50, 50, 50, 0);
    COMPARE_EXACT(e.get_rgb_r(), 127.0);
    COMPARE_EXACT(e.get_rgb_g(), 127.0);
    COMPARE_EXACT(e.get_rgb_b(), 127.0);
    // RGB 127.5 would give back 0, 0, 0, 50; the model set last is never rewritten.
    COMPARE_EXACT(e.get_cmyk_c(), 50.0);
    COMPARE_EXACT(e.get_cmyk_m(), 50.0);
    COMPARE_EXACT(e.get_cmyk_y(), 50.0);
    COMPARE_EXACT(e.get_cmyk_k(), 0.0);
    // HSV and HSL come from the fractional 127.5, XYZ from the whole 127.
    COMPARE_EXACT(e.get_hsv_v(), static_cast<float>(100 * static_cast<float>(127.5 / 255)));
    COMPARE_EXACT(e.get_hsl_l(), 50.0);
    Prismora whole;
    whole.set_rgb(127, 127, 127);
    COMPARE_EXACT(e.get_xyz_y(), whole.get_xyz_y());
}

void TestPrismora::cmykFullKeyGivesBlack()
{
    Prismora e;
    setModel(e, Model::Cmyk, 10, 60, 30, 100);
    COMPARE_EXACT(e.get_rgb_r(), 0.0);
    COMPARE_EXACT(e.get_rgb_g(), 0.0);
    COMPARE_EXACT(e.get_rgb_b(), 0.0);
    COMPARE_EXACT(e.get_hsv_v(), 0.0f);
}

void TestPrismora::hsvToRgb_data()
{
    QTest::addColumn<float>("h");
    QTest::addColumn<float>("s");
    QTest::addColumn<float>("v");
    QTest::addColumn<QVector<double>>("rgb");
    QTest::addColumn<double>("cmykM");

    // Magenta shows the fractional green: CMYK is computed from 127.5, not from the shown 127.
    QTest::newRow("orange") << 30.0f << 100.0f << 100.0f << QVector<double> {255, 127, 0} << 50.0;
    QTest::newRow("hue 360 is hue 0")
        << 360.0f << 100.0f << 100.0f << QVector<double> {255, 0, 0} << 100.0;
    QTest::newRow("grey ignores the hue")
        << 200.0f << 0.0f << 50.0f << QVector<double> {127, 127, 127} << 0.0;
    QTest::newRow("sector 2") << 150.0f << 100.0f << 100.0f << QVector<double> {0, 255, 127} << 0.0;
    QTest::newRow("sector 4") << 270.0f << 100.0f << 100.0f << QVector<double> {127, 0, 255}
                              << 100.0;
    QTest::newRow("beyond 360 takes the last row")
        << 420.0f << 100.0f << 100.0f << QVector<double> {255, 0, 255} << 100.0;
}

void TestPrismora::hsvToRgb()
{
    QFETCH(float, h);
    QFETCH(float, s);
    QFETCH(float, v);
    QFETCH(QVector<double>, rgb);
    QFETCH(double, cmykM);

    Prismora e;
    setModel(e, Model::Hsv, h, s, v);
    COMPARE_EXACT(e.get_rgb_r(), rgb[0]);
    COMPARE_EXACT(e.get_rgb_g(), rgb[1]);
    COMPARE_EXACT(e.get_rgb_b(), rgb[2]);
    COMPARE_EXACT(e.get_cmyk_m(), cmykM);
    // The hue is stored as a float fraction of a turn and multiplied back in single precision.
    COMPARE_EXACT(e.get_hsv_h(), 360.0f * static_cast<float>(h / 360.0));
}

void TestPrismora::hsvSaturationZeroKeepsHue()
{
    Prismora e;
    e.set_rgb(255, 128, 0);
    const float hue = e.get_hsv_h();
    e.set_hsv_s(0);
    COMPARE_EXACT(e.get_hsv_h(), hue);
    COMPARE_EXACT(e.get_rgb_r(), e.get_rgb_b());
    // An RGB setter that makes the colour grey resets the hue.
    e.set_rgb(40, 40, 40);
    COMPARE_EXACT(e.get_hsv_h(), 0.0f);
}

void TestPrismora::hslToRgb_data()
{
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("l");
    QTest::addColumn<QVector<double>>("rgb");
    QTest::addColumn<double>("cmykY");
    QTest::addColumn<int>("fourLinesPerCall");

    QTest::newRow("red") << 0.0 << 100.0 << 50.0 << QVector<double> {255, 0, 0} << 100.0 << 1;
    // Exact thirds: green comes out exactly, so yellow reads a full 100, not 99.998.
    QTest::newRow("green") << 120.0 << 100.0 << 50.0 << QVector<double> {0, 255, 0} << 100.0 << 1;
    QTest::newRow("blue") << 240.0 << 100.0 << 50.0 << QVector<double> {0, 0, 255} << 0.0 << 2;
    QTest::newRow("orange") << 30.0 << 100.0 << 50.0 << QVector<double> {255, 127, 0} << 100.0 << 1;
    QTest::newRow("grey") << 200.0 << 0.0 << 50.0 << QVector<double> {127, 127, 127} << 0.0 << 0;
    QTest::newRow("light, lightness above half")
        << 0.0 << 100.0 << 75.0 << QVector<double> {255, 127, 127} << 50.0 << 1;
}

void TestPrismora::hslToRgb()
{
    QFETCH(double, h);
    QFETCH(double, s);
    QFETCH(double, l);
    QFETCH(QVector<double>, rgb);
    QFETCH(double, cmykY);
    QFETCH(int, fourLinesPerCall);

    Prismora e;
    e.set_hsl_h(h);
    e.set_hsl_s(s);
    MessageLog log;
    e.set_hsl_l(l);
    COMPARE_EXACT(e.get_rgb_r(), rgb[0]);
    COMPARE_EXACT(e.get_rgb_g(), rgb[1]);
    COMPARE_EXACT(e.get_rgb_b(), rgb[2]);
    COMPARE_EXACT(e.get_cmyk_y(), cmykY);
    COMPARE_EXACT(e.get_hsl_h(), h);
    COMPARE_EXACT(e.get_hsl_s(), s);
    COMPARE_EXACT(e.get_hsl_l(), l);
    QCOMPARE(log.count(QStringLiteral("4")), 4 * fourLinesPerCall);
    QCOMPARE(log.lines().filter(QStringLiteral("hsl begin")).size(), 4);
}

void TestPrismora::hslOverSaturationClampsHigh()
{
    Prismora e;
    e.set_hsl_h(0);
    e.set_hsl_l(60);
    e.set_hsl_s(150);
    // high = 2.1 - 0.9 = 1.2 would give red 306; low is 0 for green and blue.
    COMPARE_EXACT(e.get_rgb_r(), 255.0);
    COMPARE_EXACT(e.get_rgb_g(), 0.0);
    COMPARE_EXACT(e.get_rgb_b(), 0.0);
}

void TestPrismora::hslTraceLines()
{
    Prismora e;
    MessageLog log;
    e.set_hsl_l(50);
    const QString grey = QStringLiteral("hsl end 127.5 127.5 127.5");
    const QStringList greyGroups {QStringLiteral("hsl begin 0 0 0"), grey,
        QStringLiteral("hsl begin 127.5 127.5 127.5"), grey,
        QStringLiteral("hsl begin 127.5 127.5 127.5"), grey,
        QStringLiteral("hsl begin 127.5 127.5 127.5"), grey};
    QCOMPARE(log.lines(), greyGroups);

    log.clear();
    e.set_hsl_s(100);
    const QStringList redGroups {QStringLiteral("hsl begin 127.5 127.5 127.5"), grey,
        QStringLiteral("4"), QStringLiteral("hsl end 255 0 0"), QStringLiteral("hsl begin 255 0 0"),
        QStringLiteral("hsl end 255 0 0"), QStringLiteral("4"), QStringLiteral("hsl end 255 0 0"),
        QStringLiteral("hsl begin 255 0 0"), QStringLiteral("hsl end 255 0 0"), QStringLiteral("4"),
        QStringLiteral("hsl end 255 0 0"), QStringLiteral("hsl begin 255 0 0"),
        QStringLiteral("hsl end 255 0 0"), QStringLiteral("4"), QStringLiteral("hsl end 255 0 0")};
    QCOMPARE(log.lines(), redGroups);
}

// The trace is read by people and scripts alike, so its numbers must look the same whichever Qt
// version the engine is built against.
void TestPrismora::traceNumberFormat_data()
{
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("l");
    QTest::addColumn<QString>("lastLine");

    QTest::newRow("six significant digits")
        << 170.0 << 37.0 << 41.0 << QStringLiteral("hsl end 65.8665 143.233 130.339");
    QTest::newRow("exponent") << 0.0 << 0.0 << 1e-6
                              << QStringLiteral("hsl end 2.55e-06 2.55e-06 2.55e-06");
    QTest::newRow("negative") << 0.0 << 0.0 << -20.0 << QStringLiteral("hsl end -51 -51 -51");
    QTest::newRow("not a number") << 0.0 << 0.0 << notANumber
                                  << QStringLiteral("hsl end nan nan nan");
}

void TestPrismora::traceNumberFormat()
{
    QFETCH(double, h);
    QFETCH(double, s);
    QFETCH(double, l);
    QFETCH(QString, lastLine);

    Prismora e;
    e.set_hsl_h(h);
    e.set_hsl_s(s);
    MessageLog log;
    e.set_hsl_l(l);
    QVERIFY(!log.lines().isEmpty());
    QCOMPARE(log.lines().constLast(), lastLine);
}

void TestPrismora::traceNamesTheEngineSource()
{
    Prismora e;
    MessageLog log;
    e.set_hsl_h(10);
    QVERIFY(!log.files().isEmpty());
    for (const QString &file : log.files())
        QVERIFY2(file.endsWith(QLatin1String("prismora.cpp")), qPrintable(file));
}

void TestPrismora::onlyHslSettersTrace()
{
    Prismora e;
    MessageLog log;
    e.set_rgb_r(100);
    e.set_rgb(1, 2, 3);
    setModel(e, Model::Cmyk, 1, 2, 3, 4);
    setModel(e, Model::Hsv, 1, 2, 3);
    setModel(e, Model::Xyz, 1, 2, 3);
    setModel(e, Model::Lab, 50, 20, -30);
    QVERIFY(log.lines().isEmpty());
    e.set_hsl_h(10);
    QCOMPARE(log.lines().filter(QStringLiteral("hsl begin")).size(), 4);
}

void TestPrismora::rgbToXyz_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("b");
    QTest::addColumn<QVector<double>>("xyz");

    QTest::newRow("red") << 255.0 << 0.0 << 0.0 << QVector<double> {41.24, 21.26, 1.93};
    QTest::newRow("green") << 0.0 << 255.0 << 0.0 << QVector<double> {35.76, 71.52, 11.92};
    QTest::newRow("blue") << 0.0 << 0.0 << 255.0 << QVector<double> {18.05, 7.22, 95.05};
    QTest::newRow("white") << 255.0 << 255.0 << 255.0 << QVector<double> {95.05, 100, 108.9};
    QTest::newRow("black") << 0.0 << 0.0 << 0.0 << QVector<double> {0, 0, 0};
}

void TestPrismora::rgbToXyz()
{
    QFETCH(double, r);
    QFETCH(double, g);
    QFETCH(double, b);
    QFETCH(QVector<double>, xyz);

    Prismora e;
    e.set_rgb(r, g, b);
    COMPARE_NEAR(e.get_xyz_x(), xyz[0], roundingTolerance);
    COMPARE_NEAR(e.get_xyz_y(), xyz[1], roundingTolerance);
    COMPARE_NEAR(e.get_xyz_z(), xyz[2], roundingTolerance);

    // Fractions of a channel play no part: 127.9 reads as 127.
    Prismora whole;
    whole.set_rgb(127, 0, 0);
    e.set_rgb(127.9, 0, 0);
    COMPARE_EXACT(e.get_xyz_x(), whole.get_xyz_x());
}

void TestPrismora::linearSegmentEndsAtTen()
{
    Prismora e;
    e.set_rgb(10, 10, 10);
    // Y of a grey is its linear value times 100 (the Y row sums to 1).
    COMPARE_NEAR(e.get_xyz_y(), 10.0 / 255 / 12.92 * 100, roundingTolerance);
    e.set_rgb(11, 11, 11);
    COMPARE_NEAR(
        e.get_xyz_y(), std::pow((11.0 / 255 + 0.055) / 1.055, 2.4) * 100, roundingTolerance);
}

void TestPrismora::xyzToRgb_data()
{
    QTest::addColumn<QVector<double>>("xyz");
    QTest::addColumn<QVector<double>>("rgb");

    QTest::newRow("black") << QVector<double> {0, 0, 0} << QVector<double> {0, 0, 0};
    QTest::newRow("red falls just short")
        << QVector<double> {41.24, 21.26, 1.93} << QVector<double> {254, 0, 0};
    // The four-decimal matrices overshoot white; RGB is held at 255.
    QTest::newRow("white") << QVector<double> {95.05, 100, 108.9}
                           << QVector<double> {255, 255, 255};
    QTest::newRow("beyond the gamut, high")
        << QVector<double> {100, 100, 100} << QVector<double> {255, 249, 244};
    QTest::newRow("beyond the gamut, negative")
        << QVector<double> {50, 0, 0} << QVector<double> {255, 0, 46};
}

void TestPrismora::xyzToRgb()
{
    QFETCH(QVector<double>, xyz);
    QFETCH(QVector<double>, rgb);

    Prismora e;
    setModel(e, Model::Xyz, xyz[0], xyz[1], xyz[2]);
    COMPARE_EXACT(e.get_rgb_r(), rgb[0]);
    COMPARE_EXACT(e.get_rgb_g(), rgb[1]);
    COMPARE_EXACT(e.get_rgb_b(), rgb[2]);
    COMPARE_EXACT(e.get_xyz_x(), xyz[0]);
    COMPARE_EXACT(e.get_xyz_y(), xyz[1]);
    COMPARE_EXACT(e.get_xyz_z(), xyz[2]);
    for (double channel : {e.get_cmyk_c(), e.get_cmyk_m(), e.get_cmyk_y(), e.get_cmyk_k(),
             e.get_hsl_s(), e.get_hsl_l()}) {
        QVERIFY2(channel >= 0 && channel <= 100, QByteArray::number(channel));
    }
}

void TestPrismora::xyzWhiteViewedInOtherModels()
{
    Prismora e;
    e.set_rgb(255, 255, 255);
    // What a panel does when XYZ is chosen: it stores the values it shows.
    setModel(e, Model::Xyz, e.get_xyz_x(), e.get_xyz_y(), e.get_xyz_z());
    COMPARE_EXACT(e.get_hsl_h(), 0.0);
    COMPARE_EXACT(e.get_hsl_s(), 0.0);
    COMPARE_EXACT(e.get_hsl_l(), 100.0);
    COMPARE_EXACT(e.get_hsv_s(), 0.0f);
    COMPARE_EXACT(e.get_hsv_v(), 100.0f);
    COMPARE_EXACT(e.get_cmyk_c(), 0.0);
    COMPARE_EXACT(e.get_cmyk_k(), 0.0);

    // Green keeps its value through an XYZ round trip.
    e.set_rgb(0, 255, 0);
    e.set_xyz_x(e.get_xyz_x());
    COMPARE_EXACT(e.get_rgb_r(), 0.0);
    COMPARE_EXACT(e.get_rgb_g(), 255.0);
    COMPARE_EXACT(e.get_rgb_b(), 0.0);
}

void TestPrismora::setModelKeepsItAndDerivesOthersFromRgb_data()
{
    QTest::addColumn<Model>("model");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<QVector<double>>("rgb");

    QTest::newRow("cmyk") << Model::Cmyk << QVector<double> {50, 50, 50, 0}
                          << QVector<double> {127.5, 127.5, 127.5};
    QTest::newRow("hsv") << Model::Hsv << QVector<double> {30, 100, 100}
                         << QVector<double> {255, 127.5, 0};
    QTest::newRow("hsl") << Model::Hsl << QVector<double> {30, 100, 50}
                         << QVector<double> {255, 127.5, 0};
    QTest::newRow("xyz") << Model::Xyz << QVector<double> {95.05, 100, 108.9}
                         << QVector<double> {255, 255, 255};
    QTest::newRow("lab") << Model::Lab << QVector<double> {100, 0, 0}
                         << QVector<double> {255, 255, 255};
}

void TestPrismora::setModelKeepsItAndDerivesOthersFromRgb()
{
    QFETCH(Model, model);
    QFETCH(QVector<double>, values);
    QFETCH(QVector<double>, rgb);

    Prismora e;
    // Start from an unrelated colour so that a missing cascade step leaves stale values behind.
    e.set_rgb(10, 200, 90);
    setModel(e, model, values[0], values[1], values[2], values.value(3));

    Prismora reference;
    reference.set_rgb(rgb[0], rgb[1], rgb[2]);
    const Snapshot got(e);
    const Snapshot want(reference);
    const int first[] = {0, 3, 7, 10, 13, 16};
    const int count[] = {3, 4, 3, 3, 3, 3};
    const int own = static_cast<int>(model);
    for (int m = 0; m < 6; ++m) {
        for (int i = first[m]; i < first[m] + count[m]; ++i) {
            if (m == own) {
                COMPARE_EXACT(got.values[i], values[i - first[m]]);
            } else {
                COMPARE_EXACT(got.values[i], want.values[i]);
            }
        }
    }
}

void TestPrismora::rgbToLab_data()
{
    QTest::addColumn<QVector<double>>("rgb");
    QTest::addColumn<QVector<double>>("lab");

    // Published CIE L*a*b* of the sRGB primaries relative to D65; the engine's white comes from
    // the four-decimal matrix, which moves them in the second decimal at most.
    QTest::newRow("red") << QVector<double> {255, 0, 0} << QVector<double> {53.24, 80.09, 67.20};
    QTest::newRow("green") << QVector<double> {0, 255, 0} << QVector<double> {87.73, -86.18, 83.18};
    QTest::newRow("blue") << QVector<double> {0, 0, 255} << QVector<double> {32.30, 79.19, -107.86};
    QTest::newRow("yellow") << QVector<double> {255, 255, 0}
                            << QVector<double> {97.14, -21.55, 94.48};
    QTest::newRow("mid grey") << QVector<double> {119, 119, 119} << QVector<double> {50.03, 0, 0};
    QTest::newRow("dark, linear segment")
        << QVector<double> {5, 5, 5} << QVector<double> {1.37, 0, 0};
}

void TestPrismora::rgbToLab()
{
    QFETCH(QVector<double>, rgb);
    QFETCH(QVector<double>, lab);
    Prismora e;
    e.set_rgb(rgb[0], rgb[1], rgb[2]);
    COMPARE_NEAR(e.get_lab_l(), lab[0], displayTolerance * 5);
    COMPARE_NEAR(e.get_lab_a(), lab[1], displayTolerance * 5);
    COMPARE_NEAR(e.get_lab_b(), lab[2], displayTolerance * 5);
}

void TestPrismora::greysHaveNoChroma()
{
    Prismora e;
    COMPARE_EXACT(e.get_lab_l(), 0.0);
    double previous = -1;
    for (int v = 0; v <= 255; ++v) {
        e.set_rgb(v, v, v);
        COMPARE_EXACT(e.get_lab_a(), 0.0);
        COMPARE_EXACT(e.get_lab_b(), 0.0);
        QVERIFY(e.get_lab_l() > previous);
        previous = e.get_lab_l();
    }
    COMPARE_EXACT(e.get_lab_l(), 100.0);
}

void TestPrismora::labRoundTrip_data()
{
    QTest::addColumn<QVector<double>>("rgb");
    QTest::newRow("red") << QVector<double> {255, 0, 0};
    QTest::newRow("orange") << QVector<double> {255, 128, 0};
    QTest::newRow("teal") << QVector<double> {0, 128, 128};
    QTest::newRow("dark") << QVector<double> {3, 7, 2};
    QTest::newRow("pale") << QVector<double> {240, 230, 250};
}

void TestPrismora::labRoundTrip()
{
    QFETCH(QVector<double>, rgb);
    Prismora e;
    e.set_rgb(rgb[0], rgb[1], rgb[2]);
    const double x = e.get_xyz_x();
    const double z = e.get_xyz_z();
    // Storing the LAB it shows gives back the XYZ it came from, and so nearly the same RGB
    // (the four-decimal matrices move a channel by a few thousandths, which may cross a whole).
    e.set_lab_l(e.get_lab_l());
    COMPARE_NEAR(e.get_xyz_x(), x, roundingTolerance * 100);
    COMPARE_NEAR(e.get_xyz_z(), z, roundingTolerance * 100);
    COMPARE_NEAR(e.get_rgb_r(), rgb[0], 1.0);
    COMPARE_NEAR(e.get_rgb_g(), rgb[1], 1.0);
    COMPARE_NEAR(e.get_rgb_b(), rgb[2], 1.0);
}

void TestPrismora::labKeepsItsValues()
{
    Prismora e;
    MessageLog log;
    setModel(e, Model::Lab, 53.24, 80.09, 67.2);
    QVERIFY(log.lines().isEmpty());
    COMPARE_EXACT(e.get_lab_l(), 53.24);
    COMPARE_EXACT(e.get_lab_a(), 80.09);
    COMPARE_EXACT(e.get_lab_b(), 67.2);
    COMPARE_NEAR(e.get_rgb_r(), 254.5, 0.5);
    COMPARE_EXACT(e.get_rgb_g(), 0.0);
    COMPARE_EXACT(e.get_rgb_b(), 0.0);
    // Far outside the gamut the swatch still gets a displayable colour.
    setModel(e, Model::Lab, 100, -128, -128);
    for (double channel : {e.get_rgb_r(), e.get_rgb_g(), e.get_rgb_b()})
        QVERIFY(channel >= 0 && channel <= 255);
    COMPARE_EXACT(e.get_lab_a(), -128.0);
}

void TestPrismora::everySetterUpdatesLab()
{
    // Each of these gives RGB 255, 127.5, 0, whose XYZ (and so LAB) comes from 255, 127, 0.
    Prismora reference;
    reference.set_rgb(255, 127.5, 0);
    for (Model model : {Model::Cmyk, Model::Hsv, Model::Hsl, Model::Xyz}) {
        Prismora e;
        e.set_rgb(10, 200, 90);
        if (model == Model::Cmyk)
            setModel(e, model, 0, 50, 100, 0);
        else if (model == Model::Hsv)
            setModel(e, model, 30, 100, 100);
        else if (model == Model::Hsl)
            setModel(e, model, 30, 100, 50);
        else
            setModel(e, model, reference.get_xyz_x(), reference.get_xyz_y(), reference.get_xyz_z());
        COMPARE_EXACT(e.get_lab_l(), reference.get_lab_l());
        COMPARE_EXACT(e.get_lab_a(), reference.get_lab_a());
        COMPARE_EXACT(e.get_lab_b(), reference.get_lab_b());
    }
}

void TestPrismora::hostileNumbersDoNotCrash_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("-1") << -1.0;
    QTest::newRow("0") << 0.0;
    QTest::newRow("1") << 1.0;
    QTest::newRow("inf") << infinity;
    QTest::newRow("-inf") << -infinity;
    QTest::newRow("NaN") << notANumber;
    QTest::newRow("huge") << 1e300;
    QTest::newRow("tiny") << 1e-310;
}

void TestPrismora::hostileNumbersDoNotCrash()
{
    QFETCH(double, value);
    Prismora e;
    MessageLog log;
    e.set_rgb_r(value);
    e.set_rgb_g(value);
    e.set_rgb_b(value);
    setModel(e, Model::Cmyk, value, value, value, value);
    setModel(e, Model::Hsv, value, value, value);
    setModel(e, Model::Hsl, value, value, value);
    setModel(e, Model::Xyz, value, value, value);
    setModel(e, Model::Lab, value, value, value);
    // The whole-number getters are defined for whatever the conversions produced.
    for (double channel : {e.get_rgb_r(), e.get_rgb_g(), e.get_rgb_b()})
        QVERIFY(std::isfinite(channel));
}

void TestPrismora::noiseIsNoValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("nearest");
    QTest::addColumn<QVector<double>>("rgb");
    QTest::addColumn<QVector<double>>("cmyk");
    QTest::addColumn<double>("hslSaturation");
    const QVector<double> grey {0, 0, 0};
    QTest::newRow("hwb grey") << "hwb(90 80% 40%)" << false << QVector<double> {169, 169, 169}
                              << grey << 0.0;
    QTest::newRow("OKLab white") << "oklab(100% 0 0)" << false << QVector<double> {255, 255, 255}
                                 << grey << 0.0;
    QTest::newRow("CSS red truncated") << "oklch(62.7955% 0.257683 29.2339)" << false
                                       << QVector<double> {254, 0, 0} << QVector<double>() << -1.0;
    QTest::newRow("CSS red rounded") << "oklch(62.7955% 0.257683 29.2339)" << true
                                     << QVector<double> {255, 0, 0} << QVector<double>() << -1.0;
    QTest::newRow("half grey truncated")
        << "rgb(50% 50% 50%)" << false << QVector<double> {127, 127, 127} << grey << 0.0;
    QTest::newRow("half grey rounded")
        << "rgb(50% 50% 50%)" << true << QVector<double> {128, 128, 128} << grey << 0.0;
    QTest::newRow("CSS green rounded")
        << "hsl(120 100% 25%)" << true << QVector<double> {0, 128, 0} << QVector<double>() << 100.0;
    // RGB set last keeps its values: a hair below a level is still below it.
    QTest::newRow("RGB as given") << "rgb(127.9999999 0 0)" << false << QVector<double> {127, 0, 0}
                                  << QVector<double>() << -1.0;
}

void TestPrismora::noiseIsNoValue()
{
    QFETCH(QString, text);
    QFETCH(bool, nearest);
    QFETCH(QVector<double>, rgb);
    QFETCH(QVector<double>, cmyk);
    QFETCH(double, hslSaturation);
    Prismora engine;
    if (nearest)
        engine.set_rgb_rounding(Prismora::RgbRounding::Nearest);
    Notation::apply(*Notation::parse(text).request, engine);
    QCOMPARE(QVector<double>({engine.get_rgb_r(), engine.get_rgb_g(), engine.get_rgb_b()}), rgb);
    // Exactly 0, not within a tolerance.
    for (int c = 0; c < cmyk.size(); ++c)
        QVERIFY(ColourModels::model(ColourModels::Cmyk)->channels[c].read(engine) == cmyk[c]);
    if (hslSaturation >= 0)
        QVERIFY(engine.get_hsl_s() == hslSaturation);
}

void TestPrismora::registryMatchesOracle_data()
{
    QTest::addColumn<int>("model");
    for (int m = 0; m < Oracle::Count; ++m)
        QTest::newRow(Oracle::models[m].label) << m;
}

void TestPrismora::registryMatchesOracle()
{
    QFETCH(int, model);
    QCOMPARE(int(ColourModels::Count), int(Oracle::Count));
    const ColourModels::Model *entry = ColourModels::model(model);
    QVERIFY(entry);
    const Oracle::Model &expected = Oracle::models[model];
    QCOMPARE(entry->label, expected.label);
    QCOMPARE(entry->key, expected.key);
    QCOMPARE(entry->channelCount, expected.channelCount);
    QCOMPARE(entry->rangeMessage, expected.rangeMessage);
    Prismora engine;
    for (int c = 0; c < 4; ++c) {
        const ColourModels::Channel &channel = entry->channels[c];
        const Oracle::Channel &want = expected.channels[c];
        QCOMPARE(channel.lowest, want.lowest);
        QCOMPARE(channel.highest, want.highest);
        QCOMPARE(channel.sliderMinimum, want.sliderMinimum);
        QCOMPARE(channel.sliderMaximum, want.sliderMaximum);
        if (c >= expected.channelCount)
            continue;
        QCOMPARE(channel.scale, want.scale);
        QCOMPARE(channel.description, want.description);
        QVERIFY(channel.read && channel.write);
    }
    // Each setter and getter belong to their own channel: a distinct value per channel, whole
    // where the range is wide so that RGB's truncation keeps it, reads back where it was set.
    const auto valueFor = [&](int c) {
        const Oracle::Channel &want = expected.channels[c];
        const double value = want.lowest + (want.highest - want.lowest) * (c + 1) / 5;
        return want.highest - want.lowest > 10 ? std::round(value) : value;
    };
    for (int c = 0; c < expected.channelCount; ++c)
        entry->channels[c].write(engine, valueFor(c));
    // HSV keeps single precision.
    for (int c = 0; c < expected.channelCount; ++c)
        QVERIFY(std::fabs(entry->channels[c].read(engine) - valueFor(c)) < 1e-5);
    QVERIFY(!ColourModels::model(-1));
    QVERIFY(!ColourModels::model(Oracle::Count));
}

void TestPrismora::batchGivesTheSameColour_data()
{
    QTest::addColumn<int>("model");
    for (int m = 0; m < ColourModels::Count; ++m)
        QTest::newRow(ColourModels::model(m)->key) << m;
}

// One cascade at the end of a batch against one after every channel, from a new engine and from
// one holding another colour: every getter bit for bit, and the gamuts.
void TestPrismora::batchGivesTheSameColour()
{
    QFETCH(int, model);
    const ColourModels::Model &set = *ColourModels::model(model);
    QRandomGenerator random(model + 1);
    const auto value = [&](const ColourModels::Channel &channel) {
        const double span = channel.highest - channel.lowest;
        switch (random.bounded(8)) {
        case 0:
            return channel.lowest;
        case 1:
            return channel.highest;
        case 2: // a grey's channels, a hue of 0
            return channel.lowest + span / 2;
        default: // a little beyond either end too
            return channel.lowest - span / 10 + random.generateDouble() * span * 1.2;
        }
    };
    for (int i = 0; i < 3000; ++i) {
        Prismora one;
        if (i % 2) {
            const ColourModels::Model &before = *ColourModels::model(i % ColourModels::Count);
            for (int c = 0; c < before.channelCount; ++c)
                before.channels[c].write(one, value(before.channels[c]));
        }
        Prismora batched = one;
        double values[4] {};
        for (int c = 0; c < set.channelCount; ++c)
            values[c] = value(set.channels[c]);
        for (int c = 0; c < set.channelCount; ++c)
            set.channels[c].write(one, values[c]);
        {
            const Prismora::Batch batch(batched);
            for (int c = 0; c < set.channelCount; ++c)
                set.channels[c].write(batched, values[c]);
        }
        for (int m = 0; m < ColourModels::Count; ++m) {
            const ColourModels::Model &read = *ColourModels::model(m);
            for (int c = 0; c < read.channelCount; ++c) {
                QVERIFY2(sameDouble(read.channels[c].read(batched), read.channels[c].read(one)),
                    qPrintable(QStringLiteral("%1 %2 after %3").arg(read.key).arg(c).arg(i)));
            }
        }
        QCOMPARE(batched.in_srgb_gamut(), one.in_srgb_gamut());
        QCOMPARE(batched.in_p3_gamut(), one.in_p3_gamut());
        QCOMPARE(batched.in_rec2020_gamut(), one.in_rec2020_gamut());
        QCOMPARE(batched.nearest_srgb(), one.nearest_srgb());
    }
}

QTEST_GUILESS_MAIN(TestPrismora)
#include "tst_prismora.moc"
