#include "colourlistmodel.h"
#include "colourstore.h"
#include "csspalette.h"
#include "gimppalette.h"
#include "notation.h"

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

QTEST_GUILESS_MAIN(PaletteFilesTest)
#include "tst_palettefiles.moc"
