#include "highdpi.h"
#include "mainwindow.h"
#include "pickloupe.h"
#include "screenpickoverlay.h"
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
    void loupeReachesEveryDevicePixel();
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

// At ratio 2 the pointer can only be put on even device pixels; the arrow keys reach the odd ones,
// and the loupe, drawn at full density, and the pick agree on them.
void TestHighDpi::loupeReachesEveryDevicePixel()
{
    QImage still(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < still.height(); ++y) {
        for (int x = 0; x < still.width(); ++x)
            still.setPixel(x, y, qRgb(x, y, 99));
    }
    still.setDevicePixelRatio(2);
    ScreenPickOverlay overlay(still);
    QSignalSpy picked(&overlay, &ScreenPickOverlay::picked);
    overlay.show();
    QVERIFY(QTest::qWaitForWindowExposed(&overlay));
    auto *loupe = overlay.findChild<PickLoupe *>(QStringLiteral("pickLoupe"));
    QTest::mouseMove(&overlay, QPoint(10, 10));
    QTRY_COMPARE(loupe->pixel(), QPoint(20, 20));

    QTest::keyClick(&overlay, Qt::Key_Right);
    QTest::keyClick(&overlay, Qt::Key_Down);
    QCoreApplication::processEvents();
    QCOMPARE(loupe->pixel(), QPoint(21, 21));
    const QImage view = loupe->grab().toImage();
    QCOMPARE(
        view.pixelColor((loupe->crosshairCell().topLeft() + QPoint(2, 2)) * 2), QColor(21, 21, 99));

    QTest::keyClick(&overlay, Qt::Key_Enter);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.first().first().value<QColor>(), QColor(21, 21, 99));
}

int main(int argc, char **argv)
{
    enableHighDpiScaling();
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
