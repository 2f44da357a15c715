#include "highdpi.h"
#include "mainwindow.h"
#include "windowtesting.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

// Run with QT_SCALE_FACTOR=2: the window keeps its logical size and is drawn at full density.
class TestHighDpi : public QObject
{
    Q_OBJECT

private slots:
    void windowScalesWithTheScreen();
};

void TestHighDpi::windowScalesWithTheScreen()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.devicePixelRatioF(), 2.0);
    QCOMPARE(window.size(), QSize(806, 471));
    ColourChooserAnswerer chooser(QColor(200, 220, 240));
    window.findChild<QPushButton *>(QStringLiteral("DrawButton"))->click();

    const QImage image = window.grab().toImage();
    QCOMPARE(image.size(), QSize(1612, 942));
    // The swatch keeps its logical geometry: its 1-px outline, centred on x 20 and x 170, is two
    // device pixels wide.
    QCOMPARE(image.pixelColor(190, 260), QColor(200, 220, 240));
    for (int x : {39, 40, 339, 340})
        QCOMPARE(image.pixelColor(x, 200), QColor(Qt::black));
    for (int x : {41, 338})
        QCOMPARE(image.pixelColor(x, 200), QColor(200, 220, 240));
    for (int x : {38, 341})
        QVERIFY(image.pixelColor(x, 200) != QColor(Qt::black));
}

int main(int argc, char **argv)
{
    enableHighDpiScaling();
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
