#include "screenpickoverlay.h"
#include "windowtesting.h"

#include <QtTest>

#include <cmath>
#include <memory>

class TestScreenPick : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pixelLookup_data();
    void pixelLookup();
    void overlayEnds_data();
    void overlayEnds();

private:
    std::unique_ptr<WarningLog> m_warnings;
};

void TestScreenPick::init()
{
    m_warnings = std::make_unique<WarningLog>();
}

void TestScreenPick::cleanup()
{
    QVERIFY2(m_warnings->warnings().isEmpty(), qPrintable(m_warnings->warnings().join('\n')));
    m_warnings.reset();
}

void TestScreenPick::pixelLookup_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QPointF>("logical");
    QTest::addColumn<QPoint>("device"); // (-1, -1) where the point is outside

    QTest::newRow("ratio 1, origin") << 1.0 << QPointF(0, 0) << QPoint(0, 0);
    QTest::newRow("ratio 1, last pixel") << 1.0 << QPointF(7, 1) << QPoint(7, 1);
    QTest::newRow("ratio 1, inside a pixel") << 1.0 << QPointF(2.7, 0.2) << QPoint(2, 0);
    QTest::newRow("ratio 1, right of the image") << 1.0 << QPointF(8, 0) << QPoint(-1, -1);
    QTest::newRow("ratio 1, left of the image") << 1.0 << QPointF(-0.5, 0) << QPoint(-1, -1);
    QTest::newRow("ratio 2, doubles") << 2.0 << QPointF(1, 0) << QPoint(2, 0);
    QTest::newRow("ratio 2, half pixel") << 2.0 << QPointF(0.5, 0.5) << QPoint(1, 1);
    QTest::newRow("ratio 2, last pixel") << 2.0 << QPointF(3.75, 0.9) << QPoint(7, 1);
    // How the toolkit maps device pixel 7 at ratio 1.5, which multiplies back to 6.999...
    QTest::newRow("ratio 1.5, a device pixel's own position")
        << 1.5 << QPointF(7 * (1 / 1.5), 1 / 1.5) << QPoint(7, 1);
    QTest::newRow("ratio 2, below the image") << 2.0 << QPointF(0, 1) << QPoint(-1, -1);
    QTest::newRow("not a number") << 1.0 << QPointF(std::nan(""), 0) << QPoint(-1, -1);
    QTest::newRow("ratio not a number") << std::nan("") << QPointF(1, 1) << QPoint(-1, -1);
}

void TestScreenPick::pixelLookup()
{
    QFETCH(qreal, ratio);
    QFETCH(QPointF, logical);
    QFETCH(QPoint, device);
    QImage image(8, 2, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 30, y * 100, 7));
    }

    const QColor expected = device.x() < 0 ? QColor() : QColor(image.pixel(device));
    QCOMPARE(pixelColourAt(image, logical, ratio), expected);
}

void TestScreenPick::overlayEnds_data()
{
    QTest::addColumn<int>("action"); // a key, or a mouse button as a negative number
    QTest::addColumn<QColor>("colour"); // invalid for a cancel

    QTest::newRow("escape cancels") << int(Qt::Key_Escape) << QColor();
    QTest::newRow("right click cancels") << -int(Qt::RightButton) << QColor();
    QTest::newRow("click picks the device pixel") << -int(Qt::LeftButton) << QColor(120, 200, 9);
}

void TestScreenPick::overlayEnds()
{
    QFETCH(int, action);
    QFETCH(QColor, colour);
    QImage still(4, 4, QImage::Format_RGB32);
    still.fill(Qt::black);
    still.setPixel(1, 1, qRgb(120, 200, 9));
    still.setDevicePixelRatio(2);
    ScreenPickOverlay overlay(still);
    QSignalSpy picked(&overlay, &ScreenPickOverlay::picked);
    QSignalSpy cancelled(&overlay, &ScreenPickOverlay::cancelled);
    overlay.show();
    QVERIFY(QTest::qWaitForWindowExposed(&overlay));
    QCOMPARE(overlay.size(), QSize(2, 2));
    QCOMPARE(overlay.cursor().shape(), Qt::CrossCursor);

    if (action > 0) {
        QTest::keyClick(&overlay, Qt::Key(action));
    } else {
        // A click on device pixel (1, 1) as the toolkit delivers it at ratio 2: the widget
        // position is rounded to (1, 1), which is device pixel (2, 2); the window position is not.
        const QPointF window(0.5, 0.5);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), window,
            QPointF(overlay.mapToGlobal(QPoint())) + window, Qt::MouseButton(-action),
            Qt::MouseButton(-action), Qt::NoModifier);
        QApplication::sendEvent(&overlay, &press);
    }
    QVERIFY(!overlay.isVisible());
    QCOMPARE(cancelled.count(), colour.isValid() ? 0 : 1);
    QCOMPARE(picked.count(), colour.isValid() ? 1 : 0);
    if (colour.isValid())
        QCOMPARE(picked.first().first().value<QColor>(), colour);
}

QTEST_MAIN(TestScreenPick)
#include "tst_screenpick.moc"
