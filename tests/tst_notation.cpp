#include "messagelog.h"
#include "notation.h"
#include "prismora.h"

#include <QColor>
#include <QtTest>

#include <cfloat>
#include <cmath>

namespace {

constexpr int refusedRow = -1;
// hwb()'s saturation is a quotient, right only to its last bits.
constexpr double quotientTolerance = 1e-12;
// lab() and lch() reach XYZ through cubes and three matrices; the expected values come from an
// independent computation of the same published constants.
constexpr double adaptationTolerance = 1e-12;
// color() in a space other than sRGB, Display P3 or Rec. 2020 comes in as Display P3 through XYZ,
// two matrices and two transfer functions.
constexpr double colourSpaceTolerance = 1e-9;

void accepted(const char *name, const QString &text, ColourModels::Index model,
    std::array<double, 3> values, bool alpha = false, double tolerance = 0)
{
    QTest::newRow(name) << text << int(model) << values[0] << values[1] << values[2] << alpha
                        << tolerance << QString();
}

void refused(const char *name, const QString &text, const QString &reasonMentions)
{
    QTest::newRow(name) << text << refusedRow << 0.0 << 0.0 << 0.0 << false << 0.0
                        << reasonMentions;
}

constexpr int tenMegabytes = 10 * 1024 * 1024;

} // namespace

class tst_Notation : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void format_data();
    void format();
    void namedColoursMatchTheToolkit();
};

void tst_Notation::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("model");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("third");
    QTest::addColumn<bool>("alphaIgnored");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<QString>("reasonMentions");

    const QString general = QStringLiteral("CSS colour name");
    const QString rgbUsage = QStringLiteral("rgb() takes");
    const QString hslUsage = QStringLiteral("hsl() takes");

    accepted("#rgb", "#3ad", ColourModels::Rgb, {0x33, 0xaa, 0xdd});
    accepted("#rgba", "#3ad8", ColourModels::Rgb, {0x33, 0xaa, 0xdd}, true);
    accepted("#rrggbb", "#3fa0dc", ColourModels::Rgb, {63, 160, 220});
    accepted("#rrggbbaa", "#3fa0dc80", ColourModels::Rgb, {63, 160, 220}, true);
    accepted("upper-case hex", "#3FA0DC", ColourModels::Rgb, {63, 160, 220});
    accepted("six digits without #", "3fa0dc", ColourModels::Rgb, {63, 160, 220});
    accepted("eight digits without #", "3FA0DC80", ColourModels::Rgb, {63, 160, 220}, true);
    accepted("surrounding blanks", " \t#3fa0dc\n ", ColourModels::Rgb, {63, 160, 220});
    refused("three digits without #", "3ad", general);
    refused("five hex digits", "#3fa0d", "3, 4, 6 or 8");
    refused("not a hex digit", "#3fa0dg", "3, 4, 6 or 8");
    refused("seven digits without #", "3fa0dc8", general);

    accepted("name", "red", ColourModels::Rgb, {255, 0, 0});
    accepted("name in mixed case", "RebeccaPurple", ColourModels::Rgb, {0x66, 0x33, 0x99});
    accepted("longest name", "lightgoldenrodyellow", ColourModels::Rgb, {0xfa, 0xfa, 0xd2});
    refused("transparent", "transparent", "transparency");
    refused("unknown name", "reddish", general);
    refused("Kelvin sign is no k", QStringLiteral("blac\u212A"), general);

    accepted("rgb commas", "rgb(63, 160, 220)", ColourModels::Rgb, {63, 160, 220});
    accepted("rgb comma percentages", "rgb(100%,50%,0%)", ColourModels::Rgb, {255, 127.5, 0});
    accepted(
        "rgba comma alpha", "rgba(63, 160, 220, 0.5)", ColourModels::Rgb, {63, 160, 220}, true);
    accepted("rgb comma percentage alpha", " rgba( 63 , 160 , 220 , 50% ) ", ColourModels::Rgb,
        {63, 160, 220}, true);
    accepted("rgb spaces", "rgb(63 160 220)", ColourModels::Rgb, {63, 160, 220});
    accepted("rgb spaces mixing kinds", "rgb(63 50% 220)", ColourModels::Rgb, {63, 127.5, 220});
    accepted("rgb slash alpha", "RGB(63 160 220 / .5)", ColourModels::Rgb, {63, 160, 220}, true);
    accepted("rgb none", "rgb(none 160 NONE / none)", ColourModels::Rgb, {0, 160, 0}, true);
    accepted(
        "rgb fractions kept", "rgb(63.5 160.25 220.75)", ColourModels::Rgb, {63.5, 160.25, 220.75});
    accepted("rgb exponents", "rgb(6.3e1 +1.6E+2 2200e-1)", ColourModels::Rgb, {63, 160, 220});
    accepted("rgb clamped", "rgb(300, -5, 255.5)", ColourModels::Rgb, {255, 0, 255});
    accepted("rgb beyond double", "rgb(1e999 -1e999 1e-999)", ColourModels::Rgb, {255, 0, 0});
    refused("rgb commas mixing kinds", "rgb(63, 50%, 220)", rgbUsage);
    refused("rgb none with commas", "rgb(none, 0, 0)", rgbUsage);
    refused("hsl none first with commas", "hsl(none, 100%, 50%)", hslUsage);
    refused("rgb comma then space", "rgb(1, 2 3)", rgbUsage);
    refused("rgb space then comma", "rgb(1 2, 3)", rgbUsage);
    refused("rgb slash after commas", "rgb(1, 2, 3 / 1)", rgbUsage);
    refused("rgb two channels", "rgb(1 2)", rgbUsage);
    refused("rgb four channels", "rgb(1 2 3 4)", rgbUsage);
    refused("rgb empty alpha", "rgb(1 2 3 /)", rgbUsage);
    refused("rgb angle", "rgb(1deg 2 3)", rgbUsage);
    refused("rgb trailing dot", "rgb(1. 2 3)", rgbUsage);
    refused("rgb unclosed", "rgb(1 2 3", rgbUsage);
    refused("rgb closed twice", "rgb(1 2 3))", rgbUsage);
    refused("space before parenthesis", "rgb (1 2 3)", general);
    refused("unknown function", "cmyk(0 0 0 0)", "cmyk() is not");

    accepted("hsl commas", "hsl(203, 70%, 55%)", ColourModels::Hsl, {203, 70, 55});
    accepted("hsla comma alpha", "hsla(203,70%,55%,0.3)", ColourModels::Hsl, {203, 70, 55}, true);
    accepted("hsl numbers", "hsl(203 70 55)", ColourModels::Hsl, {203, 70, 55});
    accepted("hsl deg", "hsl(203deg 70% 55%)", ColourModels::Hsl, {203, 70, 55});
    accepted("hsl grad", "hsl(200grad 70% 55%)", ColourModels::Hsl, {180, 70, 55});
    accepted("hsl rad", "hsl(3.14159265358979323846rad 70% 55%)", ColourModels::Hsl, {180, 70, 55});
    accepted("hsl turn", "hsl(0.5TURN 70% 55%)", ColourModels::Hsl, {180, 70, 55});
    accepted("negative hue wraps", "hsl(-30 70% 55%)", ColourModels::Hsl, {330, 70, 55});
    accepted("hue beyond a turn wraps", "hsl(765 70% 55%)", ColourModels::Hsl, {45, 70, 55});
    accepted("hue 360 is 0", "hsl(360 70% 55%)", ColourModels::Hsl, {0, 70, 55});
    accepted("huge hue stays finite", "hsl(1e999 50% 50%)", ColourModels::Hsl,
        {std::fmod(DBL_MAX, 360.0), 50, 50});
    accepted("hsl clamped", "hsl(0 150% -5%)", ColourModels::Hsl, {0, 100, 0});
    accepted("hsl none", "hsl(none none 50%)", ColourModels::Hsl, {0, 0, 50});
    refused("hsl commas with numbers", "hsl(203, 70, 55)", hslUsage);
    refused("hsl percentage hue", "hsl(50% 70% 55%)", hslUsage);
    refused("hsl unknown unit", "hsl(10px 70% 55%)", hslUsage);
    refused("hsl angle saturation", "hsl(10 70deg 55%)", hslUsage);

    accepted("hwb", "hwb(203 25% 14%)", ColourModels::Hsv, {203, 70.930232558139537, 86}, false,
        quotientTolerance);
    accepted("hwb none", "hwb(none none none)", ColourModels::Hsv, {0, 100, 100});
    accepted("hwb beyond 100 % is grey", "hwb(0 60% 60%)", ColourModels::Hsv, {0, 0, 50});
    accepted("hwb grey is exact", "hwb(90 80% 40%)", ColourModels::Hsv, {90, 0, 80.0 / 120 * 100});
    accepted("hwb black has no saturation", "hwb(90 0% 100%)", ColourModels::Hsv, {90, 0, 0});
    accepted("hwb alpha", "hwb(0 0% 0% / 0.5)", ColourModels::Hsv, {0, 100, 100}, true);
    refused("hwb commas", "hwb(203, 25%, 14%)", "hwb() takes");

    // lab() and lch() are relative to D50, and come in as the engine's XYZ.
    accepted("lab CSS example", "lab(29.2345% 39.3825 20.0664)", ColourModels::Xyz,
        {9.478007963256333, 5.749475782223293, 2.66719494593412}, false, adaptationTolerance);
    accepted("lab white is the engine's white", "LAB(100 0 0)", ColourModels::Xyz,
        {95.05, 100, 108.9}, false, adaptationTolerance);
    accepted("lab percentages", "lab(50% 40% -40%)", ColourModels::Xyz,
        {30.025870526597785, 18.737401092720873, 60.26896451366876}, false, adaptationTolerance);
    accepted("lab clamped and none", "lab(-5 none 0 / 0.5)", ColourModels::Xyz, {0, 0, 0}, true);
    accepted("lch CSS example", "lch(29.2345% 44.2 27)", ColourModels::Xyz,
        {9.47800668137464, 5.749475867660457, 2.6671976775962833}, false, adaptationTolerance);
    accepted("lch percentages and turn", "lch(50% 20% 0.25turn)", ColourModels::Xyz,
        {16.92938676192662, 18.2265574125112, 7.913195070504969}, false, adaptationTolerance);
    accepted("lch hue wraps", "lch(50% 20% -270deg)", ColourModels::Xyz,
        {16.92938676192662, 18.2265574125112, 7.913195070504969}, false, adaptationTolerance);
    accepted("lch negative chroma is grey", "lch(50 -10 30)", ColourModels::Xyz,
        {17.506928584607813, 18.418651851244412, 20.057911866005167}, false, adaptationTolerance);
    refused("lab commas", "lab(50, 20, 30)", "lab() takes");
    refused("lab four values", "lab(50 20 30 40)", "lab() takes");
    refused("lch percentage hue", "lch(50 20 30%)", "lch() takes");

    // The engine's OKLab lightness is in percent, CSS's 1 its 100.
    accepted("oklab CSS blue", "oklab(45.2014% -0.032457 -0.311528)", ColourModels::Oklab,
        {45.2014, -0.032457, -0.311528});
    accepted("oklab numbers", "oklab(0.5 0.1 -0.1)", ColourModels::Oklab, {50, 0.1, -0.1});
    accepted("oklab percentages", "oklab(50% 25% -100%)", ColourModels::Oklab, {50, 0.1, -0.4});
    accepted("oklab clamped", "oklab(1.5 2e6 -1e999)", ColourModels::Oklab, {100, 1e6, -1e6});
    accepted("oklch CSS red", "oklch(62.7955% 0.257683 29.2339)", ColourModels::Oklch,
        {62.7955, 0.257683, 29.2339});
    accepted("oklch percent chroma and grad", "oklch(0.7 50% 100grad)", ColourModels::Oklch,
        {70, 0.2, 90});
    accepted("oklch clamped and wrapped", "oklch(-0.1 -0.2 400)", ColourModels::Oklch, {0, 0, 40});
    accepted("oklch none", "oklch(none none none / none)", ColourModels::Oklch, {0, 0, 0}, true);
    refused("oklch commas", "oklch(50%, 0.1, 90)", "oklch() takes");
    refused("oklab angle", "oklab(50% 0.1deg 0)", "oklab() takes");

    // color() in sRGB within 0..1 comes in as RGB, Display P3 and Rec. 2020 as given, the rest
    // (and sRGB beyond 0..1) as Display P3. The Display P3 values were computed apart, in Python
    // from the published matrices and transfer functions: to XYZ (D65), then to Display P3.
    const QString colourUsage = QStringLiteral("color() takes");
    accepted("color srgb", "color(srgb 0.25 0.5 1)", ColourModels::Rgb, {63.75, 127.5, 255});
    accepted("color srgb percentages and none", "color(srgb 25% none 100%)", ColourModels::Rgb,
        {63.75, 0, 255});
    accepted("color srgb beyond 0..1", "color(srgb 1.2 -0.1 0.5)", ColourModels::DisplayP3,
        {1.1011575732293928, 0.22280445813000127, 0.5064658138304582}, false, colourSpaceTolerance);
    accepted("color srgb-linear", "color(srgb-linear 0.2 0.4 0.6)", ColourModels::DisplayP3,
        {0.5225476892043686, 0.660180352109564, 0.7849836303623566}, false, colourSpaceTolerance);
    accepted("color display-p3", "color(display-p3 0.25 0.62 0.85)", ColourModels::DisplayP3,
        {0.25, 0.62, 0.85});
    accepted("color display-p3 beyond 0..1 in upper case", "COLOR(Display-P3 1.5 -50% 2)",
        ColourModels::DisplayP3, {1.5, -0.5, 2});
    accepted("color a98-rgb", "color(a98-rgb 0.3 0.6 0.9)", ColourModels::DisplayP3,
        {0.1984660974394336, 0.5955349190898919, 0.8878151011015055}, false, colourSpaceTolerance);
    accepted("color prophoto-rgb", "color(prophoto-rgb 40% 50% 60%)", ColourModels::DisplayP3,
        {0.3556661272108931, 0.5841196975531283, 0.6678662919928062}, false, colourSpaceTolerance);
    accepted(
        "color rec2020", "color( rec2020 0.1 20% none )", ColourModels::Rec2020, {0.1, 0.2, 0});
    accepted("color xyz and alpha", "color(xyz 0.2 0.3 0.4 / 0.5)", ColourModels::DisplayP3,
        {0.26757966342295186, 0.6440090897839317, 0.6398618236777619}, true, colourSpaceTolerance);
    accepted("color xyz-d65", "color(XYZ-D65 0.2 0.3 0.4 / none)", ColourModels::DisplayP3,
        {0.26757966342295186, 0.6440090897839317, 0.6398618236777619}, true, colourSpaceTolerance);
    accepted("color xyz-d50", "color(xyz-d50 0.2 0.3 0.4)", ColourModels::DisplayP3,
        {0.17082857285988062, 0.6481379493778733, 0.7286596983427851}, false, colourSpaceTolerance);
    accepted("color held to a million", "color(display-p3 1e999 -2e6 1e-999)",
        ColourModels::DisplayP3, {1e6, -1e6, 0});
    refused("color unknown space", "color(p3 0.25 0.62 0.85)", colourUsage);
    refused("color no space", "color(0.25 0.62 0.85)", colourUsage);
    refused("color commas", "color(srgb 0.25, 0.62, 0.85)", colourUsage);
    refused("color missing value", "color(srgb 0.25 0.62)", colourUsage);
    refused("color angle", "color(srgb 0.25 0.62 30deg)", colourUsage);
    refused("color extra value", "color(srgb 0.25 0.62 0.85 1)", colourUsage);
    refused("color empty alpha", "color(srgb 0.25 0.62 0.85 /)", colourUsage);
    refused("color empty", "color()", colourUsage);
    refused("general reason names color()", "colour(srgb 0 0 0)", "oklch(), color()");

    refused("empty", "", general);
    refused("blanks only", " \t\n", general);
    refused("control character", "#3fa0dc\x01", "3, 4, 6 or 8");
    refused("NUL", QStringLiteral("re") + QChar(0) + QStringLiteral("d"), general);
    refused("lone surrogates", QChar(0xdc00) + QStringLiteral("red") + QChar(0xd800), general);
    refused("Arabic-Indic digits", QStringLiteral("rgb(\u0661 2 3)"), rgbUsage);
    refused("fullwidth number sign", QStringLiteral("\uff033fa0dc"), general);
    accepted("10 MB of digits", "rgb(" + QString(tenMegabytes, QLatin1Char('9')) + " 0 0)",
        ColourModels::Rgb, {255, 0, 0});
    accepted("10 MB of blanks around", QString(tenMegabytes, QLatin1Char(' ')) + "red\t",
        ColourModels::Rgb, {255, 0, 0});
    refused("10 MB of parentheses", QString(tenMegabytes, QLatin1Char('(')), general);
    refused("10 MB of letters", QString(tenMegabytes, QLatin1Char('a')), general);
    refused("10 MB of colour space", "color(" + QString(tenMegabytes, QLatin1Char('a')) + " 0 0 0)",
        "color() takes");
    refused("10 MB of arguments", "rgb(" + QStringLiteral("1 ").repeated(tenMegabytes / 2) + ")",
        rgbUsage);
}

void tst_Notation::parse()
{
    QFETCH(QString, text);
    QFETCH(int, model);
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(double, third);
    QFETCH(bool, alphaIgnored);
    QFETCH(double, tolerance);
    QFETCH(QString, reasonMentions);

    const Notation::Result result = Notation::parse(text);
    if (model == refusedRow) {
        QVERIFY(!result.request);
        QVERIFY2(result.error.contains(reasonMentions), qPrintable(result.error));
        return;
    }
    QVERIFY2(result.request, qPrintable(result.error));
    QVERIFY(result.error.isEmpty());
    QCOMPARE(int(result.request->model), model);
    const std::array<double, 3> expected {first, second, third};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QVERIFY2(std::fabs(result.request->values[i] - expected[i]) <= tolerance,
            qPrintable(QString::number(result.request->values[i], 'g', 17)));
    }
    QCOMPARE(result.request->alphaIgnored, alphaIgnored);
}

void tst_Notation::format_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("written"); // in the menu's order

    QTest::newRow("hex") << "#3fa0dc"
                         << QStringList {"#3fa0dc", "rgb(63, 160, 220)",
                                "hsl(202.9299 69.163% 55.4902%)", "hwb(202.9 24.71% 13.725%)",
                                "lab(62.21 -14.3 -39.43)", "lch(62.2083 41.947 250.06)",
                                "oklab(67.507542% -0.06335674 -0.108946814)",
                                "oklch(67.51% 0.12603 239.82)",
                                "color(display-p3 0.355 0.6193 0.8423)",
                                "color(rec2020 0.40622121 0.57256065 0.820394675)"};
    // Each number with the fewest digits that paste back to the same colour: whole levels sit on
    // the edge of truncation, so some take more digits than others.
    QTest::newRow("red") << "red"
                         << QStringList {"#ff0000", "rgb(255, 0, 0)", "hsl(0 100% 50%)",
                                "hwb(0 0% 0%)", "lab(54.3 80.8 70)", "lch(54.3 107 40.9)",
                                "oklab(62.8% 0.225 0.1258)", "oklch(62.8% 0.2577 29.2)",
                                "color(display-p3 0.9175 0.2 0.139)",
                                "color(rec2020 0.792 0.231 0.074)"};
    QTest::newRow("blue") << "blue"
                          << QStringList {"#0000ff", "rgb(0, 0, 255)", "hsl(240 100% 50%)",
                                 "hwb(240 0% 0%)", "lab(29.6 68.3 -112.03)",
                                 "lch(29.6 131.2 301.36)", "oklab(45.2014% -0.0325 -0.31153)",
                                 "oklch(45.201372% 0.3132144 264.052)",
                                 "color(display-p3 0 0 0.96)", "color(rec2020 0.1684 0.051 0.947)"};
    QTest::newRow("black") << "black"
                           << QStringList {"#000000", "rgb(0, 0, 0)", "hsl(0 0% 0%)",
                                  "hwb(0 0% 100%)", "lab(0 0 0)", "lch(0 0 0)", "oklab(0% 0 0)",
                                  "oklch(0% 0 0)", "color(display-p3 0 0 0)",
                                  "color(rec2020 0 0 0)"};
    QTest::newRow("white") << "white"
                           << QStringList {"#ffffff", "rgb(255, 255, 255)", "hsl(0 0% 100%)",
                                  "hwb(0 100% 0%)", "lab(100 0 0)", "lch(100 0 0)",
                                  "oklab(100% 0 0)", "oklch(100% 0 0)", "color(display-p3 1 1 1)",
                                  "color(rec2020 1 1 1)"};
    // The getters truncate, and the formats follow them rather than rounding.
    QTest::newRow("fractions truncated")
        << "rgb(63.9 160.5 220.99)"
        << QStringList {"#3fa0dc", "rgb(63, 160, 220)", "hsl(203 69.78% 55.86%)",
               "hwb(203 25.06% 13.34%)", "lab(62.21 -14.3 -39.43)", "lch(62.2083 41.947 250.06)",
               "oklab(67.507542% -0.06335674 -0.108946814)", "oklch(67.51% 0.12603 239.82)",
               "color(display-p3 0.355 0.6193 0.8423)",
               "color(rec2020 0.40622121 0.57256065 0.820394675)"};
    QTest::newRow("hsl kept as given")
        << "hsl(120 100% 25%)"
        << QStringList {"#007f00", "rgb(0, 127, 0)", "hsl(120 100% 25%)", "hwb(120 0% 50%)",
               "lab(45.93 -47.3 48.3)", "lch(45.93 67.6 134.4)",
               "oklab(51.68221% -0.1395115 0.107069)", "oklch(51.682% 0.176 142.5)",
               "color(display-p3 0.214 0.490315 0.13)", "color(rec2020 0.233 0.428 0.084)"};
    QTest::newRow("hwb kept as given")
        << "hwb(203 25% 14%)"
        << QStringList {"#3f9fdb", "rgb(63, 159, 219)", "hsl(203 69% 55.5%)", "hwb(203 25% 14%)",
               "lab(61.875 -14.08 -39.399)", "lch(61.875 41.84 250.34)",
               "oklab(67.23% -0.0627 -0.1089)", "oklch(67.2274243% 0.12563998 240.055682)",
               "color(display-p3 0.353262163 0.61542251 0.8383822)",
               "color(rec2020 0.404 0.5685 0.8161)"};
    // CSS's own example, whose lch() it gives as lch(29.2345% 44.2 27).
    QTest::newRow("lab kept as given")
        << "lab(29.2345% 39.3825 20.0664)"
        << QStringList {"#7d2328", "rgb(125, 35, 40)", "hsl(356.5 56% 31.5%)",
               "hwb(356.5 14% 50.9%)", "lab(29.2 39.4 20)", "lch(29.2 44.2 27)",
               "oklab(40.1% 0.115 0.045)", "oklch(40.1% 0.1234 21.6)",
               "color(display-p3 0.452 0.166 0.17)", "color(rec2020 0.35 0.13 0.107)"};
    // Beyond sRGB, lab(), lch(), oklab(), oklch() and color() all write the colour as set, as CSS
    // converts it, whichever of them it was set in.
    QTest::newRow("lab beyond sRGB kept as given")
        << "lab(50 90 -60)"
        << QStringList {"#da00e0", "rgb(218, 0, 224)", "hsl(298.5 100% 44%)", "hwb(298.5 0% 12%)",
               "lab(50 90 -60)", "lch(50 108.1665 326.31)", "oklab(61.3714% 0.26145 -0.168074)",
               "oklch(61.3714% 0.310814 327.265)", "color(display-p3 0.783533 -0.01549 0.849498)",
               "color(rec2020 0.681136 0.140288 0.824308)"};
    QTest::newRow("oklch beyond sRGB kept as given")
        << "oklch(70% 0.3 150)"
        << QStringList {"#00cb00", "rgb(0, 203, 0)", "hsl(120 100% 39.84%)", "hwb(120 0% 20.3%)",
               "lab(68.7583 -94.0446 67.4796)", "lch(68.7583 115.7492 144.3395)",
               "oklab(70% -0.259808 0.15)", "oklch(70% 0.3 150)",
               "color(display-p3 -0.20869 0.781434 0.20081)",
               "color(rec2020 0.269518 0.732583 0.167321)"};
    // Display P3's red lies beyond sRGB, and Rec. 2020 holds it with a blue a little below 0.
    QTest::newRow("display-p3 beyond sRGB kept as given")
        << "color(display-p3 1 0 0)"
        << QStringList {"#ff0000", "rgb(255, 0, 0)", "hsl(0 100% 50%)", "hwb(0 0% 0%)",
               "lab(56.2078 94.4644 98.8921)", "lch(56.2078 136.7596 46.312)",
               "oklab(64.8574% 0.262042 0.145002)", "oklch(64.8574% 0.299485 28.958)",
               "color(display-p3 1 0 0)", "color(rec2020 0.868733 0.175028 -0.005447)"};
}

void tst_Notation::format()
{
    QFETCH(QString, text);
    QFETCH(QStringList, written);

    const MessageLog trace; // the HSL setters write their trace
    Prismora engine;
    Notation::apply(*Notation::parse(text).request, engine);
    QStringList ids;
    QStringList texts;
    for (const Notation::CopyFormat &format : Notation::copyFormats()) {
        const QString copied = format.format(engine);
        texts << copied;
        ids << QLatin1String(format.id);

        // Every copied text pastes back to the same whole channels.
        const Notation::Result result = Notation::parse(copied);
        QVERIFY2(result.request, qPrintable(result.error));
        Prismora pasted;
        Notation::apply(*result.request, pasted);
        const int slack = 0;
        QVERIFY2(std::fabs(pasted.get_rgb_r() - engine.get_rgb_r()) <= slack
                && std::fabs(pasted.get_rgb_g() - engine.get_rgb_g()) <= slack
                && std::fabs(pasted.get_rgb_b() - engine.get_rgb_b()) <= slack,
            qPrintable(Notation::hex(pasted)));
    }
    QCOMPARE(texts, written);
    QCOMPARE(ids,
        QStringList({"hex", "rgb", "hsl", "hwb", "lab", "lch", "oklab", "oklch", "p3", "rec2020"}));
    QCOMPARE(Notation::number(-0.0), QStringLiteral("0"));
}

void tst_Notation::namedColoursMatchTheToolkit()
{
    int names = 0;
    for (const QString &name : QColor::colorNames()) {
        if (name == QLatin1String("transparent"))
            continue;
        const Notation::Result result = Notation::parse(name);
        QVERIFY2(result.request, qPrintable(name));
        const QColor colour(name);
        const std::array<double, 3> expected {
            double(colour.red()), double(colour.green()), double(colour.blue())};
        QVERIFY2(result.request->values == expected, qPrintable(name));
        ++names;
    }
    // The toolkit's list predates rebeccapurple, which the parse table checks.
    QCOMPARE(names + 1, 148);
}

QTEST_GUILESS_MAIN(tst_Notation)
#include "tst_notation.moc"
