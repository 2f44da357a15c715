#include "conversion.h"
#include "linereader.h"
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

#include <cstring>

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

const QString notAColour = QStringLiteral("Not a colour");

} // namespace

// Runs the built program as a user would, with no display and none of the user's logging rules.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void speaksTheLocale_data();
    void speaksTheLocale();
    void json_data();
    void json();
    void jsonLines();
    void formats_data();
    void formats();
    void streamEqualsArguments();
    void closedPipe();
    void lineReader_data();
    void lineReader();
    void numbers();

private:
    Outcome run(const QStringList &arguments, const QStringList &settings = {},
        const QByteArray &input = {});

    QTemporaryDir m_configuration;
};

Outcome tst_CommandLine::run(
    const QStringList &arguments, const QStringList &settings, const QByteArray &input)
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
    process.write(input);
    process.closeWriteChannel();
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
    QTest::addColumn<QByteArray>("input");

    const QStringList none;
    QTest::newRow("convert") << QStringList {"--convert", "#3fa0dc"} << none << 0 << convertedHex
                             << QString() << QByteArray();
    QTest::newRow("convert hsl without its trace")
        << QStringList {"-c", "hsl(203 70% 55%)"} << none << 0 << convertedHsl << QString()
        << QByteArray();
    QTest::newRow("trace when the rules ask for it")
        << QStringList {"-c", "hsl(203 70% 55%)"} << QStringList {"QT_LOGGING_RULES=*.debug=true"}
        << 0 << convertedHsl << "hsl begin" << QByteArray();
    QTest::newRow("alpha ignored")
        << QStringList {"-c", "3FA0DC80"} << none << 0 << convertedHex << "alpha" << QByteArray();
    QTest::newRow("toolkit options pass")
        << QStringList {"-platform", "offscreen", "-c", "#3fa0dc", "-style=fusion"} << none << 0
        << convertedHex << QString() << QByteArray();
    QTest::newRow("version") << QStringList {"--version"} << none << 0
                             << QStringLiteral("prismora " PRISMORA_VERSION "\n") << QString()
                             << QByteArray();
    // Named as typed, not by the path that started it.
    QTest::newRow("help") << QStringList {"--help"} << none << 0
                          << "Usage: prismora [options] [COLOUR...]\n"
                          << QString() << QByteArray();
    QTest::newRow("round as CSS") << QStringList {"-c", "--round", "hsl(120 100% 25%)"} << none << 0
                                  << "hex #008000\nrgb 0 128 0\n"
                                  << QString() << QByteArray();
    QTest::newRow("truncate by default")
        << QStringList {"-c", "rgb(50% 50% 50%)"} << none << 0 << "rgb 127 127 127\n"
        << QString() << QByteArray();

    QTest::newRow("bad colour") << QStringList {"--convert", "#3fa0d"} << none << 2 << QString()
                                << "hex digits" << QByteArray();
    // Refused before any window: without a display a window would abort instead.
    QTest::newRow("bad colour for the window")
        << QStringList {"nope"} << none << 2 << QString() << "Not a colour" << QByteArray();
    QTest::newRow("unknown option")
        << QStringList {"--bogus", "red"} << none << 2 << QString() << "bogus" << QByteArray();
    QTest::newRow("convert with empty input")
        << QStringList {"-c"} << none << 0 << QString() << QString() << QByteArray();
    QTest::newRow("json without convert")
        << QStringList {"--json", "red"} << none << 2 << QString() << "--json" << QByteArray();
    QTest::newRow("round without convert")
        << QStringList {"--round", "red"} << none << 2 << QString() << "--round" << QByteArray();
    QTest::newRow("format without convert") << QStringList {"--format", "hex", "red"} << none << 2
                                            << QString() << "--format" << QByteArray();
    QTest::newRow("format with json")
        << QStringList {"-c", "red", "--format", "hex", "--json"} << none << 2 << QString()
        << "--format and --json" << QByteArray();
    QTest::newRow("unknown format") << QStringList {"-c", "red", "--format", "cmyk"} << none << 2
                                    << QString() << "oklch, p3" << QByteArray();
    QTest::newRow("two colours for the window")
        << QStringList {"red", "blue"} << none << 2 << QString() << "one colour" << QByteArray();
    QTest::newRow("no display") << QStringList() << none << 2 << QString()
                                << "use --convert to convert colours without one.\n"
                                << QByteArray();

    QTest::newRow("several arguments")
        << QStringList {"-c", "#3fa0dc", "hsl(203 70% 55%)"} << none << 0
        << convertedHex + "gamut srgb\n" + convertedHsl + "gamut srgb\n"
        << QString() << QByteArray();
    QTest::newRow("one argument of several fails")
        << QStringList {"-c", "nope", "#3fa0dc"} << none << 2 << convertedHex
        << "prismora: nope: " + notAColour << QByteArray();
    QTest::newRow("standard input, blank and CRLF lines")
        << QStringList {"-c", "-"} << none << 0 << convertedHex + "gamut srgb\n" + convertedHsl
        << QString() << QByteArray("\n  \n#3fa0dc\r\n\t\r\nhsl(203 70% 55%)");
    QTest::newRow("standard input without -")
        << QStringList {"-c", "--format", "hex"} << none << 0 << "#3fa0dc\n#3b9edc\n"
        << QString() << QByteArray("#3fa0dc\nhsl(203 70% 55%)\n");
    QTest::newRow("failing line by its number")
        << QStringList {"-c", "-", "--format", "hex"} << none << 2 << "#ff0000\n#3fa0dc\n"
        << "prismora: line 3: " + notAColour << QByteArray("red\n\nnope\n#3fa0dc\n");
    QTest::newRow("line of a mebibyte")
        << QStringList {"-c", "-", "--format", "hex"} << none << 2 << "#ff0000\n#0000ff\n"
        << "line 2: The line is longer than 65536 bytes"
        << "red\n" + QByteArray(1 << 20, '#') + "\nblue\n";
    QTest::newRow("line not UTF-8")
        << QStringList {"-c", "-", "--format", "hex"} << none << 2 << "#0000ff\n"
        << "line 1: The line is not UTF-8"
        << QByteArray("r\xe9"
                      "d\xff\nblue\n");
    QTest::newRow("alpha ignored on a line")
        << QStringList {"-c", "-", "--format", "hex"} << none << 0 << "#3fa0dc\n"
        << "line 2: The alpha value was ignored" << QByteArray("\n#3fa0dc80\n");

    const QList<QPair<QString, QString>> gamuts
        = {{"#3fa0dc", "srgb"}, {"color(display-p3 1 0 0)", "display-p3"},
            {"color(rec2020 0 1 0)", "rec2020"}, {"color(xyz 0 1 0)", "beyond"}};
    for (const auto &[colour, gamut] : gamuts) {
        QTest::addRow("gamut %s", qPrintable(gamut))
            << QStringList {"-c", colour} << none << 0 << "\ngamut " + gamut + "\n"
            << QString() << QByteArray();
    }
}

void tst_CommandLine::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, settings);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QByteArray, input);

    const Outcome outcome = run(arguments, settings, input);
    QCOMPARE(outcome.status, status);
    QVERIFY2(outcome.out.contains(out), qPrintable(outcome.out));
    if (out.isEmpty())
        QCOMPARE(outcome.out, QString());
    if (err.isEmpty())
        QCOMPARE(outcome.err, QString());
    else
        QVERIFY2(outcome.err.contains(err), qPrintable(outcome.err));
}

void tst_CommandLine::speaksTheLocale_data()
{
    QTest::addColumn<QStringList>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out"); // contained in standard output
    QTest::addColumn<QString>("err"); // contained in standard error

    const QStringList help {"--help"};
    const QStringList refused {"--format", "hex"};
    QTest::newRow("C help") << QStringList {"LC_ALL=C"} << help << "Displays this help."
                            << "";
    QTest::newRow("en_US help") << QStringList {"LANG=en_US.UTF-8"} << help << "Displays this help."
                                << "";
    QTest::newRow("ru_RU help") << QStringList {"LANG=ru_RU.UTF-8"} << help
                                << "Показывает эту справку."
                                << "";
    QTest::newRow("LANGUAGE first")
        << QStringList {"LANG=en_US.UTF-8", "LANGUAGE=ru"} << help << "Показывает эту справку."
        << "";
    QTest::newRow("C refusal") << QStringList {"LC_ALL=C"} << refused << ""
                               << "--format goes with --convert.";
    QTest::newRow("ru_RU refusal")
        << QStringList {"LANG=ru_RU.UTF-8"} << refused << ""
        << "--format используется вместе с --convert.\nПодробнее: 'prismora --help'.";
}

void tst_CommandLine::speaksTheLocale()
{
    QFETCH(QStringList, locale);
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    QFETCH(QString, err);
    // Nothing of the locale the tests run under, only the row's.
    QStringList settings {"LANGUAGE=", "LC_ALL=", "LC_MESSAGES=", "LANG="};
    const Outcome outcome = run(arguments, settings + locale);
    QVERIFY2(outcome.out.contains(out), qPrintable(outcome.out));
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
        QStringList({"input", "hex", "rgb", "cmyk", "hsv", "hsl", "xyz", "lab", "lch", "oklab",
            "oklch", "p3", "rec2020", "srgb_mapped", "gamut"}));

    QJsonParseError error {};
    const QJsonObject object = QJsonDocument::fromJson(outcome.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);

    const MessageLog trace; // the HSL setters write their trace
    Prismora e;
    Notation::apply(*Notation::parse(colour).request, e);
    QCOMPARE(object.value("input").toString(), colour);
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

void tst_CommandLine::jsonLines()
{
    const Outcome outcome = run({"-c", "--json"}, {}, "red\n\n\"no\\pe\"\r\n#3fa0dc\n");
    QCOMPARE(outcome.status, 2);
    QCOMPARE(outcome.err.count('\n'), 1);
    QVERIFY2(outcome.err.startsWith("prismora: line 3: " + notAColour), qPrintable(outcome.err));
    const QStringList lines = outcome.out.split('\n');
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.last(), QString());
    const QStringList inputs = {"red", "\"no\\pe\"", "#3fa0dc"};
    for (int i = 0; i < inputs.size(); ++i) {
        QJsonParseError error {};
        const QJsonObject object = QJsonDocument::fromJson(lines[i].toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object.value("input").toString(), inputs[i]);
        // A failure keeps its place, with the reason instead of the models.
        QCOMPARE(object.contains("error"), i == 1);
        QCOMPARE(object.value("gamut").toString(), i == 1 ? QString() : QStringLiteral("srgb"));
    }
}

void tst_CommandLine::formats_data()
{
    QTest::addColumn<QString>("colour");
    QTest::newRow("inside sRGB") << "hsl(203 70% 55%)";
    QTest::newRow("beyond sRGB") << "oklch(90% 0.4 270)";
}

void tst_CommandLine::formats()
{
    QFETCH(QString, colour);
    const MessageLog trace;
    Prismora engine;
    Notation::apply(*Notation::parse(colour).request, engine);
    QList<QPair<QString, QString>> expected;
    for (const Notation::CopyFormat &format : Notation::copyFormats())
        expected.append({format.id, format.format(engine)});
    expected.append({"mapped", Notation::hexOf(engine.nearest_srgb())});
    QCOMPARE(expected.size(), 11);
    for (const auto &[name, text] : expected) {
        // Both ways of giving the colour, and the name in capitals.
        const Outcome argument = run({"-c", colour, "--format", name.toUpper()});
        QCOMPARE(argument.status, 0);
        QCOMPARE(argument.out, text + '\n');
        QCOMPARE(argument.err, QString());
        const Outcome line = run({"-c", "-", "--format=" + name}, {}, colour.toUtf8());
        QCOMPARE(line.out, text + '\n');
    }
}

// The stream reuses its engine and text from line to line; each colour still comes out as alone.
void tst_CommandLine::streamEqualsArguments()
{
    const QStringList colours
        = {"hsl(120 0% 50%)", "#3fa0dc", "oklch(90% 0.4 270)", "hsl(0 0% 50%)", "hwb(203 25% 14%)",
            "lab(50 0 0)", "color(xyz 0.2 0.3 0.1)", "grey", "lch(70 40 400)", "hsl(300 50% 20%)"};
    for (const QStringList &options : {QStringList(), QStringList {"--json"}, {"--round"}}) {
        QString alone;
        for (const QString &colour : colours)
            alone += run(QStringList {"-c", colour} + options).out;
        const Outcome stream
            = run(QStringList {"-c", "-"} + options, {}, colours.join('\n').toUtf8() + '\n');
        QCOMPARE(stream.status, 0);
        QCOMPARE(stream.out, alone);
        const Outcome arguments = run(QStringList {"-c"} + colours + options);
        QCOMPARE(arguments.out, alone);
    }
}

// A reader that leaves early, as head does, ends the run quietly and at once.
void tst_CommandLine::closedPipe()
{
    QTemporaryFile input;
    QVERIFY(input.open());
    for (int i = 0; i < 200000; ++i)
        input.write(i % 2 ? "red\n" : "nope\n");
    input.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_configuration.path());

    QProcess converter;
    QProcess head;
    converter.setProcessEnvironment(environment);
    converter.setStandardInputFile(input.fileName());
    converter.setStandardOutputProcess(&head);
    head.setStandardOutputFile(QProcess::nullDevice());
    head.start(QStringLiteral("head"), {"-c", "100"});
    converter.start(QStringLiteral(PRISMORA_EXECUTABLE), {"-c", "--json"});
    QVERIFY(head.waitForFinished(-1));
    QVERIFY(converter.waitForFinished(-1));
    QCOMPARE(converter.exitStatus(), QProcess::NormalExit);
    // The failures before the pipe closed set the status; nothing is said about the pipe.
    QCOMPARE(converter.exitCode(), 2);
    const QString err = QString::fromUtf8(converter.readAllStandardError());
    QVERIFY(err.count('\n') < 1000);
    QVERIFY2(!err.contains("pipe", Qt::CaseInsensitive), qPrintable(err.right(200)));
}

void tst_CommandLine::lineReader_data()
{
    QTest::addColumn<int>("chunk"); // the most bytes one read gives
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("lines"); // number, then the line; ! marks one too long

    static const char mixedBytes[]
        = "a\r\n\n  \r\nbb\rb\n0123456789abc\r\n\r\n01234567\r\n\xff\x00z";
    const QByteArray mixed(mixedBytes, int(sizeof mixedBytes) - 1);
    const QStringList mixedLines
        = {"1 a", "4 bb\rb", "5 !01234567", "7 01234567", "8 " + QString(QChar(0xff))};
    for (const int chunk : {1, 3, 7, 1 << 16}) {
        QTest::addRow("mixed in %d", chunk) << chunk << mixed << mixedLines;
        QTest::addRow("empty in %d", chunk) << chunk << QByteArray() << QStringList();
        QTest::addRow("blank in %d", chunk) << chunk << QByteArray("\n\r\n \t\n") << QStringList();
        QTest::addRow("endless in %d", chunk)
            << chunk << QByteArray(100000, 'x') << QStringList {"1 !xxxxxxxx"};
    }
    // Exactly the limit, then the limit with its CR.
    QTest::newRow("at the limit") << 4 << QByteArray("12345678\n12345678\r\n123456789")
                                  << QStringList {"1 12345678", "2 12345678", "3 !12345678"};
}

void tst_CommandLine::lineReader()
{
    QFETCH(int, chunk);
    QFETCH(QByteArray, input);
    QFETCH(QStringList, lines);

    qsizetype at = 0;
    LineReader reader(
        [&](char *buffer, qint64 size) {
            const qint64 n = std::min<qint64>({size, chunk, input.size() - at});
            std::memcpy(buffer, input.constData() + at, std::size_t(n));
            at += n;
            return n;
        },
        8);
    QStringList got;
    while (reader.next()) {
        const std::string_view line = reader.line();
        // The NUL byte is a byte like any other; the test's own strings stop at it.
        got << QString::number(reader.lineNumber()) + ' ' + (reader.tooLong() ? "!" : "")
                + QString::fromLatin1(line.data(), int(line.size())).section(QChar(0), 0, 0);
    }
    QCOMPARE(got, lines);
    QVERIFY(!reader.failed());
    QVERIFY(!reader.next());
}

// The console's own writing of numbers against the panels', wherever the two could part: at
// halves, where doubles round one way or the other, and at the edges of the plain notation.
void tst_CommandLine::numbers()
{
    QVector<double> values
        = {0.0, -0.0, 1.0, -1.0, 10000.25, -10000.25, 0.1015625, 99999.95, 99999.96, 100000.0,
            0.0001, 0.000099999996, 0.00012345650000000001, 1e-5, 123456.5, 2.5e-7, 255.0,
            254.99999999999997, 360.0, 1e300, qInf(), -qInf(), qQNaN(), 9.9999995, 0.5, 12.34565};
    for (int exponent = 1; exponent <= 24; ++exponent) {
        for (int odd = 1; odd < 4000; odd += 2)
            values << std::ldexp(odd, -exponent) << -std::ldexp(odd * 1000003.0, -exponent);
    }
    for (const double value : values) {
        std::string written;
        Conversion::appendNumber(written, value);
        QCOMPARE(QString::fromStdString(written), Notation::number(value));
    }
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
