#include "prismora.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

// The conversion as documented: each whole channel linearised on its own with pow, in percent,
// then the four-decimal sRGB matrix. The engine must give exactly these doubles.
double linearPercent(double channel)
{
    const double fraction = channel / 255;
    if (fraction > 0.04045)
        return std::pow((fraction + 0.055) / 1.055, 2.4) * 100;
    return fraction / 12.92 * 100;
}

struct Xyz
{
    double x, y, z;
};

Xyz formula(double r, double g, double b)
{
    const double lr = linearPercent(r);
    const double lg = linearPercent(g);
    const double lb = linearPercent(b);
    return {lr * 0.4124 + lg * 0.3576 + lb * 0.1805, lr * 0.2126 + lg * 0.7152 + lb * 0.0722,
        lr * 0.0193 + lg * 0.1192 + lb * 0.9505};
}

bool sameDouble(double actual, double expected)
{
    if (std::isnan(actual) || std::isnan(expected))
        return std::isnan(actual) && std::isnan(expected);
    return actual == expected && std::signbit(actual) == std::signbit(expected);
}

// Compares the engine's XYZ with the formula applied to the channels it reports.
QString xyzMismatch(const Prismora &engine)
{
    const Xyz expected = formula(engine.get_rgb_r(), engine.get_rgb_g(), engine.get_rgb_b());
    const double actual[3] = {engine.get_xyz_x(), engine.get_xyz_y(), engine.get_xyz_z()};
    const double wanted[3] = {expected.x, expected.y, expected.z};
    for (int i = 0; i < 3; ++i) {
        if (!sameDouble(actual[i], wanted[i]))
            return QStringLiteral("RGB %1 %2 %3: %4 is %5, the formula gives %6")
                .arg(engine.get_rgb_r(), 0, 'g', 17)
                .arg(engine.get_rgb_g(), 0, 'g', 17)
                .arg(engine.get_rgb_b(), 0, 'g', 17)
                .arg(QLatin1Char("XYZ"[i]))
                .arg(actual[i], 0, 'g', 17)
                .arg(wanted[i], 0, 'g', 17);
    }
    return QString();
}

QtMessageHandler previousHandler = nullptr;

void dropTrace(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && previousHandler)
        previousHandler(type, context, message);
}

} // namespace

class TestXyzTable : public QObject
{
    Q_OBJECT

private slots:
    void everyWholeChannel_data();
    void everyWholeChannel();
    void beyondTheTable_data();
    void beyondTheTable();
    void throughEveryModelThatDerivesXyz();
};

void TestXyzTable::everyWholeChannel_data()
{
    QTest::addColumn<int>("channel");
    QTest::newRow("red") << 0;
    QTest::newRow("green") << 1;
    QTest::newRow("blue") << 2;
}

void TestXyzTable::everyWholeChannel()
{
    QFETCH(int, channel);
    Prismora engine;
    for (int value = 0; value <= 255; ++value) {
        // The other two channels sweep too, on both sides of the linear segment's end at 10.
        const int other = (value * 37 + 11) % 256;
        const int third = 255 - value;
        double rgb[3] = {double(other), double(third), double(other)};
        rgb[channel] = value;
        engine.set_rgb(rgb[0], rgb[1], rgb[2]);
        QCOMPARE(engine.get_rgb_r(), rgb[0]);
        QCOMPARE(engine.get_rgb_g(), rgb[1]);
        QCOMPARE(engine.get_rgb_b(), rgb[2]);
        const QString mismatch = xyzMismatch(engine);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
}

void TestXyzTable::beyondTheTable_data()
{
    // Green and blue take any number; the getters truncate it toward zero and clamp it to int.
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("reported");
    QTest::newRow("just below 0") << -0.5 << 0.0;
    QTest::newRow("-1") << -1.0 << -1.0;
    QTest::newRow("-300") << -300.0 << -300.0;
    QTest::newRow("256") << 256.0 << 256.0;
    QTest::newRow("255.9 truncates to 255") << 255.9 << 255.0;
    QTest::newRow("10.99 truncates into the linear segment") << 10.99 << 10.0;
    QTest::newRow("1000") << 1000.0 << 1000.0;
    QTest::newRow("INT_MAX") << 1e12 << double(std::numeric_limits<int>::max());
    QTest::newRow("INT_MIN") << -1e12 << double(std::numeric_limits<int>::min());
    QTest::newRow("+inf") << std::numeric_limits<double>::infinity()
                          << double(std::numeric_limits<int>::max());
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity()
                          << double(std::numeric_limits<int>::min());
    QTest::newRow("NaN reads as 0") << std::numeric_limits<double>::quiet_NaN() << 0.0;
}

void TestXyzTable::beyondTheTable()
{
    QFETCH(double, value);
    QFETCH(double, reported);
    Prismora engine;
    engine.set_rgb(100, value, 30);
    QCOMPARE(engine.get_rgb_g(), reported);
    QString mismatch = xyzMismatch(engine);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

    engine.set_rgb(200, 5, value);
    QCOMPARE(engine.get_rgb_b(), reported);
    mismatch = xyzMismatch(engine);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestXyzTable::throughEveryModelThatDerivesXyz()
{
    // CMYK, HSV and HSL reach XYZ through RGB channels with fractions, which the getters truncate.
    // The HSL trace is expected here and of no interest.
    previousHandler = qInstallMessageHandler(dropTrace);
    Prismora engine;
    for (int step = 0; step <= 100; ++step) {
        engine.set_cmyk_c(step);
        engine.set_cmyk_k(100 - step);
        QString mismatch = xyzMismatch(engine);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

        engine.set_hsv_h(static_cast<float>(3.6 * step));
        engine.set_hsv_v(static_cast<float>(step));
        mismatch = xyzMismatch(engine);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

        engine.set_hsl_s(step);
        engine.set_hsl_l(100 - step * 0.7);
        mismatch = xyzMismatch(engine);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    qInstallMessageHandler(previousHandler);
}

QTEST_MAIN(TestXyzTable)
#include "tst_xyztable.moc"
