#include "colourlistmodel.h"
#include "colourstore.h"
#include "csspalette.h"
#include "gimppalette.h"
#include "notation.h"
#include "palettefiles.h"
#include "prismora.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class PaletteFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void gimpFilesRead_data();
    void gimpFilesRead();
    void badGimpFilesNameTheLine_data();
    void badGimpFilesNameTheLine();
    void cssRoundTrip();
    void gimpFixturesRoundTrip_data();
    void gimpFixturesRoundTrip();
    void exportKeepsOrClipsColours_data();
    void exportKeepsOrClipsColours();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
    void hostileStoreFilesAreSetAside_data();
    void hostileStoreFilesAreSetAside();
    void unwritableFolderIsReportedOnce_data();
    void unwritableFolderIsReportedOnce();
    void historyCapAndDuplicates();
    void corruptStoreIsSetAside();
    void twoWindowsMergePalettes();
};

void PaletteFilesTest::gimpFilesRead_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("lastName");
    QTest::newRow("as GIMP writes") << QByteArray(
        "GIMP Palette\nName: Web\nColumns: 4\n#\n255   0   0\tRed\n  0 128   0\tGreen\n")
                                    << 2 << "Green";
    QTest::newRow("windows line ends, no columns")
        << QByteArray("GIMP Palette\r\nName: W\r\n# a comment\r\n0 0 255\tDeep\tblue\r\n") << 1
        << "Deep\tblue";
    QTest::newRow("unnamed") << QByteArray("GIMP Palette\n1 2 3\n") << 1 << "";
}

void PaletteFilesTest::gimpFilesRead()
{
    QFETCH(QByteArray, file);
    QFETCH(int, count);
    QFETCH(QString, lastName);
    const GimpPalette::ReadResult read = GimpPalette::read(file);
    QVERIFY2(read.palette, qPrintable(read.error));
    QCOMPARE(read.palette->colours.size(), count);
    QCOMPARE(read.palette->colours.last().name, lastName);
    const GimpPalette::ReadResult again
        = GimpPalette::read(GimpPalette::write(*read.palette).bytes);
    QVERIFY(again.palette);
    QCOMPARE(again.palette->colours.last().swatch, read.palette->colours.last().swatch);
}

void PaletteFilesTest::badGimpFilesNameTheLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("line");
    QTest::newRow("empty") << QByteArray() << "Line 1:";
    QTest::newRow("no header") << QByteArray("255 0 0 Red\n") << "Line 1:";
    QTest::newRow("out of range") << QByteArray("GIMP Palette\n1 2 3\n256 0 0 x\n") << "Line 3:";
    QTest::newRow("short row") << QByteArray("GIMP Palette\n1 2\n") << "Line 2:";
    QTest::newRow("bad utf-8") << QByteArray("GIMP Palette\n1 2 3 \xff\n") << "Line 2:";
    QTest::newRow("binary") << QByteArray("GIMP Palette\n\0\0", 15) << "Line 2:";
}

void PaletteFilesTest::badGimpFilesNameTheLine()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, line);
    const GimpPalette::ReadResult read = GimpPalette::read(file);
    QVERIFY(!read.palette);
    QVERIFY2(read.error.startsWith(line), qPrintable(read.error));
}

void PaletteFilesTest::cssRoundTrip()
{
    const GimpPalette::ReadResult css = CssPalette::read(
        ":root {\n  --brand: oklch(70% 0.4 150);\n  --paper: #ffffff; /* white */\n}\n");
    QVERIFY2(css.palette, qPrintable(css.error));
    QCOMPARE(css.palette->colours.size(), 2);
    QCOMPARE(CssPalette::write(*css.palette, CssPalette::Notation::Hex).clipped, 1);
    const GimpPalette::ReadResult back
        = CssPalette::read(CssPalette::write(*css.palette, CssPalette::Notation::Oklch).bytes);
    QVERIFY(back.palette);
    QCOMPARE(back.palette->colours.first().name, QStringLiteral("brand"));
    const GimpPalette::ReadResult bad = CssPalette::read(":root {\n --a: #fff;\n --b: nope;\n}");
    QVERIFY(!bad.palette);
    QVERIFY2(bad.error.startsWith(QStringLiteral("Line 3:")), qPrintable(bad.error));
}

void PaletteFilesTest::historyCapAndDuplicates()
{
    ColourListModel history(ColourListModel::Kind::History);
    Notation::Request request;
    for (int i = 0; i < 30; ++i) {
        request.values = {double(i), 0, 0};
        QVERIFY(history.settle(StoredColour::fromRequest(request)));
    }
    QVERIFY(!history.settle(StoredColour::fromRequest(request)));
    QCOMPARE(history.rowCount(), ColourListModel::historyLength);
    QCOMPARE(history.at(0).values.first(), 29.0);
}

void PaletteFilesTest::corruptStoreIsSetAside()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("palettes.json")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"prismora-palettes\", \"vers");
    file.close();
    ColourStore store(folder.path());
    QVERIFY(store.loadPalettes().isEmpty());
    QCOMPARE(store.takeProblems().size(), 1);
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("palettes.json.truncated"))));
    QVERIFY(store.takeProblems().isEmpty());
}

void PaletteFilesTest::twoWindowsMergePalettes()
{
    QTemporaryDir folder;
    ColourStore first(folder.path());
    ColourStore second(folder.path());
    first.loadPalettes();
    second.loadPalettes();
    Notation::Request request;
    first.savePalettes({Palette {QStringLiteral("One"), {StoredColour::fromRequest(request)}, 0}});
    const QVector<Palette> merged = second.savePalettes(
        {Palette {QStringLiteral("Two"), {StoredColour::fromRequest(request)}, 0}});
    QCOMPARE(merged.size(), 2);
    ColourStore third(folder.path());
    QCOMPARE(third.loadPalettes().size(), 2);
}

namespace {

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(PRISMORA_PALETTES "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

StoredColour parsed(const char *text)
{
    return StoredColour::fromRequest(*Notation::parse(QLatin1String(text)).request);
}

} // namespace

void PaletteFilesTest::gimpFixturesRoundTrip_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("colours");
    QTest::addColumn<bool>("writtenAlike"); // as GIMP writes it, so written back byte for byte
    QTest::newRow("as GIMP writes")
        << "web.gpl"
        << "Web basics" << 4
        << QStringList {"Red #ff0000", "Green #008000", "Blue #0000ff", " #ffffff"} << true;
    QTest::newRow("tabs, comments, no columns")
        << "tabs.gpl"
        << "Tabs\tand comments" << 0
        << QStringList {"Deep\tsea #0c2238", "Burnt orange #c86432", " #000000"} << false;
    QTest::newRow("windows line ends")
        << "windows.gpl"
        << "Windows" << 2 << QStringList {"One #0a141e", "Two #28323c"} << false;
}

void PaletteFilesTest::gimpFixturesRoundTrip()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(int, columns);
    QFETCH(QStringList, colours);
    QFETCH(bool, writtenAlike);
    const QByteArray bytes = fixture(file);
    QVERIFY(!bytes.isEmpty());
    const GimpPalette::ReadResult read = GimpPalette::read(bytes);
    QVERIFY2(read.palette, qPrintable(read.error));
    const auto describe = [](const Palette &palette) {
        QStringList shown;
        for (const StoredColour &colour : palette.colours)
            shown.append(colour.name + QLatin1Char(' ') + colour.swatch.name());
        return shown;
    };
    QCOMPARE(read.palette->name, name);
    QCOMPARE(read.palette->columns, columns);
    QCOMPARE(describe(*read.palette), colours);
    const GimpPalette::Written written = GimpPalette::write(*read.palette);
    QCOMPARE(written.clipped, 0);
    if (writtenAlike)
        QCOMPARE(written.bytes, bytes);
    const GimpPalette::ReadResult again = GimpPalette::read(written.bytes);
    QVERIFY(again.palette);
    QCOMPARE(*again.palette, *read.palette);
}

void PaletteFilesTest::exportKeepsOrClipsColours_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("clipped");
    QTest::addColumn<bool>("kept"); // read back as the same colour, beyond sRGB too
    QTest::newRow("gpl") << int(PaletteFiles::Format::Gimp) << 2 << false;
    QTest::newRow("css hex") << int(PaletteFiles::Format::CssHex) << 2 << false;
    QTest::newRow("css oklch()") << int(PaletteFiles::Format::CssOklch) << 0 << true;
    QTest::newRow("css color(display-p3)") << int(PaletteFiles::Format::CssDisplayP3) << 0 << true;
}

void PaletteFilesTest::exportKeepsOrClipsColours()
{
    QFETCH(int, format);
    QFETCH(int, clipped);
    QFETCH(bool, kept);
    // Inside sRGB, beyond it inside Display P3, and beyond Display P3.
    Palette palette {QStringLiteral("Wide"),
        {parsed("#336699"), parsed("color(display-p3 1 0 0)"), parsed("color(rec2020 0 1 0)")}, 0};
    palette.colours[0].name = QStringLiteral("Steel blue");
    QTemporaryDir folder;
    const QString path
        = folder.filePath(format == int(PaletteFiles::Format::Gimp) ? QStringLiteral("w.gpl")
                                                                    : QStringLiteral("w.css"));
    const PaletteFiles::Saved saved
        = PaletteFiles::write(path, palette, static_cast<PaletteFiles::Format>(format));
    QVERIFY2(saved.error.isEmpty(), qPrintable(saved.error));
    QCOMPARE(saved.clipped, clipped);
    QCOMPARE(saved.written, 3);
    const GimpPalette::ReadResult back = PaletteFiles::read(path);
    QVERIFY2(back.palette, qPrintable(back.error));
    QCOMPARE(back.palette->colours.size(), 3);
    QVERIFY(back.palette->colours.first().name.contains(QLatin1String("teel")));
    // The notations keep a millionth, which OKLab shows within 1e-5 (its L in percent).
    constexpr double notationTolerance = 1e-5;
    for (int i = 0; i < 3; ++i) {
        Prismora before;
        Prismora after;
        palette.colours.at(i).apply(before);
        back.palette->colours.at(i).apply(after);
        QCOMPARE(Notation::hex(after), Notation::hex(before));
        if (!kept)
            continue;
        QVERIFY(std::abs(after.get_oklab_l() - before.get_oklab_l()) < 100 * notationTolerance);
        QVERIFY(std::abs(after.get_oklab_a() - before.get_oklab_a()) < notationTolerance);
        QVERIFY(std::abs(after.get_oklab_b() - before.get_oklab_b()) < notationTolerance);
    }
}

void PaletteFilesTest::hostileFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size"); // a sparse file of this size instead, when not 0
    QTest::addColumn<QString>("gimpError");
    QTest::addColumn<QString>("cssError");
    // Rows both readers take: GIMP's named ";--cN: #010203;", CSS's declarations after ";".
    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many += "1 2 3 ;--c" + QByteArray::number(i) + ": #010203;\n";
    QTest::newRow("empty") << QByteArray() << qint64(0) << "Line 1:"
                           << "Line 1:";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << qint64(0)
                            << "Line 1:"
                            << "Line 3:";
    QTest::newRow("bad utf-8") << QByteArray("GIMP Palette\n1 2 3 \xc3\x28\n--a: #fff;\xff")
                               << qint64(0) << "Line 2:"
                               << "Line 2:";
    QTest::newRow("broken rows") << QByteArray("GIMP Palette\n1 2 3 a\n4 5\n--a: #fff;\n--b: 4px;")
                                 << qint64(0) << "Line 3:"
                                 << "Line 5:";
    QTest::newRow("100000 colours") << "GIMP Palette\n" + many << qint64(0) << "Line 10002:"
                                    << "Line 10002:";
    QTest::newRow("50 MB") << QByteArray() << qint64(50) * 1024 * 1024 << "larger than"
                           << "larger than";
    QTest::newRow("a folder") << QByteArray() << qint64(-1) << "folder"
                              << "folder";
}

void PaletteFilesTest::hostileFilesAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QFETCH(QString, gimpError);
    QFETCH(QString, cssError);
    QTemporaryDir folder;
    for (const auto &[name, expected] : {std::pair {QStringLiteral("p.gpl"), gimpError},
             std::pair {QStringLiteral("p.css"), cssError}}) {
        const QString path = folder.filePath(name);
        if (size < 0) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            if (size > 0)
                QVERIFY(file.resize(size));
        }
        const GimpPalette::ReadResult read = PaletteFiles::read(path);
        QVERIFY(!read.palette);
        QVERIFY2(
            read.error.contains(expected), qPrintable(name + QLatin1String(": ") + read.error));
    }
}

void PaletteFilesTest::hostileStoreFilesAreSetAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("asideAs"); // empty where the file cannot be set aside
    QTest::newRow("empty") << QByteArray() << qint64(0) << "palettes.json.truncated";
    QTest::newRow("binary") << QByteArray("\x1f\x8b\x08\0\0\0", 6) << qint64(0)
                            << "palettes.json.not-utf8";
    QTest::newRow("bad utf-8") << QByteArray(
        "{\"format\": \"prismora-palettes\", \"version\": 1, \"x\": \"\xff\"}")
                               << qint64(0) << "palettes.json.not-utf8";
    QTest::newRow("wrong version")
        << QByteArray("{\"format\": \"prismora-palettes\", \"version\": 9}") << qint64(0)
        << "palettes.json.wrong-version";
    QTest::newRow("damaged colour") << QByteArray(
        "{\"format\": \"prismora-palettes\", \"version\": 1, \"palettes\": [{\"name\": "
        "\"A\", \"colours\": [{\"model\": \"rgb\", \"values\": [1, 2, 1e400]}]}]}")
                                    << qint64(0) << "palettes.json.corrupt";
    QTest::newRow("50 MB") << QByteArray("[") << qint64(50) * 1024 * 1024
                           << "palettes.json.corrupt";
    QTest::newRow("huge") << QByteArray() << qint64(65) * 1024 * 1024 << "palettes.json.too-large";
    QTest::newRow("a folder") << QByteArray() << qint64(-1) << "palettes.json.not-a-file";
}

void PaletteFilesTest::hostileStoreFilesAreSetAside()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QFETCH(QString, asideAs);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("palettes.json"));
    if (size == -1) {
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        if (size > 0)
            QVERIFY(file.resize(size));
    }
    ColourStore store(folder.path());
    QVERIFY(store.loadPalettes().isEmpty());
    QCOMPARE(store.takeProblems().size(), 1);
    // The new palette is saved beside what was set aside.
    store.savePalettes({Palette {QStringLiteral("New"), {parsed("red")}, 0}});
    QVERIFY(store.takeProblems().isEmpty());
    const QFileInfo aside(folder.filePath(asideAs));
    QVERIFY2(aside.exists(), qPrintable(asideAs));
    if (size == 0) {
        QFile kept(aside.filePath());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), bytes);
    }
    QCOMPARE(ColourStore(folder.path()).loadPalettes().size(), 1);
}

void PaletteFilesTest::unwritableFolderIsReportedOnce_data()
{
    QTest::addColumn<bool>("readOnly"); // else a file stands where the folder should be
    QTest::newRow("read-only folder") << true;
    QTest::newRow("a file in the folder's place") << false;
}

void PaletteFilesTest::unwritableFolderIsReportedOnce()
{
    QFETCH(bool, readOnly);
    QTemporaryDir folder;
    const QString location = folder.filePath(QStringLiteral("data"));
    const QByteArray before("{\"format\": \"prismora-history\", \"version\": 1, \"colours\": []}");
    if (readOnly) {
        QVERIFY(QDir().mkpath(location));
        QFile file(location + QStringLiteral("/history.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
        file.close();
        QVERIFY(QFile::setPermissions(location, QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(location).isWritable()) {
            QFile::setPermissions(location, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("This user writes into read-only folders.");
        }
    } else {
        QFile file(location);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    ColourStore store(location);
    QCOMPARE(store.loadHistory().size(), 0);
    QVERIFY(store.takeProblems().isEmpty());
    for (int attempt = 0; attempt < 3; ++attempt) {
        StoredColour colour = parsed("#123456");
        colour.settledAt = attempt + 1;
        store.saveHistory({colour});
        QCOMPARE(store.takeProblems().size(), attempt == 0 ? 1 : 0);
    }
    if (readOnly) {
        QFile::setPermissions(location, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile kept(location + QStringLiteral("/history.json"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before);
    }
}

QTEST_GUILESS_MAIN(PaletteFilesTest)
#include "tst_palettefiles.moc"
