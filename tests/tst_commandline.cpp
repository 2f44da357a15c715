#include "messagelog.h"
#include "notation.h"
#include "prismora.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

const QString convertedHex = QStringLiteral("hex #3fa0dc\n"
                                            "rgb 63 160 220\n"
                                            "cmyk 71.3636 27.2727 0 13.7255\n"
                                            "hsv 202.93 71.3636 86.2745\n"
                                            "hsl 202.93 69.163 55.4902\n"
                                            "xyz 27.539 31.3657 72.3129\n"
                                            "lab 62.8151 -8.86726 -38.5973\n"
                                            "lch 62.8151 39.6028 257.062\n"
                                            "oklab 67.5075 -0.0633567 -0.108947\n"
                                            "oklch 67.5075 0.12603 239.82\n"
                                            "p3 0.354682 0.619278 0.842261\n"
                                            "rec2020 0.406221 0.572561 0.820395\n");

const QString convertedHsl = QStringLiteral("hex #3b9edc\n"
                                            "rgb 59 158 220\n"
                                            "cmyk 72.8324 27.9191 0 13.5\n"
                                            "hsv 203 72.8324 86.5\n"
                                            "hsl 203 70 55\n"
                                            "xyz 26.9488 30.5508 72.1867\n"
                                            "lab 62.1266 -8.28025 -39.6829\n"
                                            "lch 62.1266 40.5375 258.214\n"
                                            "oklab 66.9313 -0.0635746 -0.112153\n"
                                            "oklch 66.9313 0.128919 240.453\n"
                                            "p3 0.343532 0.611401 0.841821\n"
                                            "rec2020 0.397286 0.564137 0.819813\n");

} // namespace

// Runs the built program as a user would, with no display and none of the user's logging rules.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void json_data();
    void json();

private:
    Outcome run(const QStringList &arguments, const QStringList &settings = {});

    QTemporaryDir m_configuration;
};

Outcome tst_CommandLine::run(const QStringList &arguments, const QStringList &settings)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name :
        {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_LOGGING_RULES", "QT_LOGGING_CONF"})
        environment.remove(QLatin1String(name));
    // An empty folder, so that no qtlogging.ini of the user's applies.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_configuration.path());
    for (const QString &setting : settings)
        environment.insert(setting.section(QLatin1Char('='), 0, 0), setting.section('=', 1));

    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PRISMORA_EXECUTABLE), arguments);
    Outcome outcome;
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return outcome;
    outcome.status = process.exitCode();
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

void tst_CommandLine::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // contained in standard output
    QTest::addColumn<QString>("err"); // contained in standard error; empty: nothing written

    const QStringList none;
    QTest::newRow("convert") << QStringList {"--convert", "#3fa0dc"} << none << 0 << convertedHex
                             << QString();
    QTest::newRow("convert hsl without its trace")
        << QStringList {"-c", "hsl(203 70% 55%)"} << none << 0 << convertedHsl << QString();
    QTest::newRow("trace when the rules ask for it")
        << QStringList {"-c", "hsl(203 70% 55%)"} << QStringList {"QT_LOGGING_RULES=*.debug=true"}
        << 0 << convertedHsl << "hsl begin";
    QTest::newRow("alpha ignored")
        << QStringList {"-c", "3FA0DC80"} << none << 0 << convertedHex << "alpha";
    QTest::newRow("toolkit options pass")
        << QStringList {"-platform", "offscreen", "-c", "#3fa0dc", "-style=fusion"} << none << 0
        << convertedHex << QString();
    QTest::newRow("version") << QStringList {"--version"} << none << 0
                             << QStringLiteral("prismora " PRISMORA_VERSION "\n") << QString();
    QTest::newRow("help") << QStringList {"--help"} << none << 0 << "--convert" << QString();
    QTest::newRow("round as CSS") << QStringList {"-c", "--round", "hsl(120 100% 25%)"} << none << 0
                                  << "hex #008000\nrgb 0 128 0\n"
                                  << QString();
    QTest::newRow("truncate by default")
        << QStringList {"-c", "rgb(50% 50% 50%)"} << none << 0 << "rgb 127 127 127\n"
        << QString();

    QTest::newRow("bad colour") << QStringList {"--convert", "#3fa0d"} << none << 2 << QString()
                                << "hex digits";
    // Refused before any window: without a display a window would abort instead.
    QTest::newRow("bad colour for the window")
        << QStringList {"nope"} << none << 2 << QString() << "Not a colour";
    QTest::newRow("unknown option")
        << QStringList {"--bogus", "red"} << none << 2 << QString() << "bogus";
    QTest::newRow("convert without colour")
        << QStringList {"-c"} << none << 2 << QString() << "--convert";
    QTest::newRow("json without convert")
        << QStringList {"--json", "red"} << none << 2 << QString() << "--json";
    QTest::newRow("round without convert")
        << QStringList {"--round", "red"} << none << 2 << QString() << "--round";
    QTest::newRow("two colours") << QStringList {"-c", "red", "blue"} << none << 2 << QString()
                                 << "one colour";
}

void tst_CommandLine::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, settings);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const Outcome outcome = run(arguments, settings);
    QCOMPARE(outcome.status, status);
    QVERIFY2(outcome.out.contains(out), qPrintable(outcome.out));
    if (status != 0)
        QVERIFY(outcome.out.isEmpty());
    if (err.isEmpty())
        QCOMPARE(outcome.err, QString());
    else
        QVERIFY2(outcome.err.contains(err), qPrintable(outcome.err));
}

void tst_CommandLine::json_data()
{
    QTest::addColumn<QString>("colour");
    QTest::newRow("name") << "rebeccapurple";
    QTest::newRow("hwb") << "hwb(203 25% 14%)";
    QTest::newRow("hsl") << "hsl(120.5 33.3% 66.6%)";
    QTest::newRow("oklch beyond sRGB") << "oklch(70% 0.3 150)";
}

void tst_CommandLine::json()
{
    QFETCH(QString, colour);
    const Outcome outcome = run({"--convert", colour, "--json"});
    QCOMPARE(outcome.status, 0);
    QCOMPARE(outcome.err, QString());
    QVERIFY(outcome.out.endsWith('\n'));
    QCOMPARE(outcome.out.count('\n'), 1);

    QStringList keys;
    const QRegularExpression key(QStringLiteral("\"(\\w+)\":"));
    for (auto match = key.globalMatch(outcome.out); match.hasNext();)
        keys << match.next().captured(1);
    QCOMPARE(keys,
        QStringList({"hex", "rgb", "cmyk", "hsv", "hsl", "xyz", "lab", "lch", "oklab", "oklch",
            "p3", "rec2020", "srgb_mapped"}));

    QJsonParseError error {};
    const QJsonObject object = QJsonDocument::fromJson(outcome.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);

    const MessageLog trace; // the HSL setters write their trace
    Prismora e;
    Notation::apply(*Notation::parse(colour).request, e);
    QCOMPARE(object.value("hex").toString(), Notation::hex(e));
    QCOMPARE(object.value("srgb_mapped").toString(), Notation::hexOf(e.nearest_srgb()));
    if (e.in_srgb_gamut())
        QCOMPARE(object.value("srgb_mapped"), object.value("hex"));
    // Every number reads back as the very double the getter gives.
    const QList<QPair<QString, QVector<double>>> models = {
        {"rgb", {e.get_rgb_r(), e.get_rgb_g(), e.get_rgb_b()}},
        {"cmyk", {e.get_cmyk_c(), e.get_cmyk_m(), e.get_cmyk_y(), e.get_cmyk_k()}},
        {"hsv", {e.get_hsv_h(), e.get_hsv_s(), e.get_hsv_v()}},
        {"hsl", {e.get_hsl_h(), e.get_hsl_s(), e.get_hsl_l()}},
        {"xyz", {e.get_xyz_x(), e.get_xyz_y(), e.get_xyz_z()}},
        {"lab", {e.get_lab_l(), e.get_lab_a(), e.get_lab_b()}},
        {"lch", {e.get_lch_l(), e.get_lch_c(), e.get_lch_h()}},
        {"oklab", {e.get_oklab_l(), e.get_oklab_a(), e.get_oklab_b()}},
        {"oklch", {e.get_oklch_l(), e.get_oklch_c(), e.get_oklch_h()}},
        {"p3", {e.get_p3_r(), e.get_p3_g(), e.get_p3_b()}},
        {"rec2020", {e.get_rec2020_r(), e.get_rec2020_g(), e.get_rec2020_b()}},
    };
    for (const auto &model : models) {
        const QJsonArray values = object.value(model.first).toArray();
        QCOMPARE(values.size(), model.second.size());
        for (int i = 0; i < values.size(); ++i) {
            QVERIFY2(values[i].toDouble() == model.second[i],
                qPrintable(model.first + QLatin1Char(' ') + QString::number(i)));
        }
    }
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
