#include "mainwindow.h"
#include "pickloupe.h"
#include "screencolourpicker.h"
#include "screenpickoverlay.h"
#include "windowtesting.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const char noBus[] = "dbus-daemon is not installed: the portal tests need a private session bus";

// Without a service directory nothing is started on demand: a missing portal stays missing.
const char busConfig[] = "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                         "<policy context='default'><allow send_destination='*'/>"
                         "<allow receive_sender='*'/><allow own='*'/></policy></busconfig>";

QVariantMap colourResult(double red, double green, double blue)
{
    QDBusArgument colour;
    colour.beginStructure();
    colour << red << green << blue;
    colour.endStructure();
    return {{QStringLiteral("color"), QVariant::fromValue(colour)}};
}

// Each outcome of a pick, in order: "picked #rrggbb", "cancelled" or "failed".
class Outcomes : public QObject
{
public:
    explicit Outcomes(ScreenColourPicker *picker)
    {
        connect(picker, &ScreenColourPicker::picked, this,
            [this](const QColor &colour) { list << "picked " + colour.name(); });
        connect(picker, &ScreenColourPicker::cancelled, this, [this] { list << "cancelled"; });
        connect(picker, &ScreenColourPicker::failed, this, [this](const QString &reason) {
            list << (reason.isEmpty() ? "failed without a reason" : "failed");
        });
    }

    QStringList list;
};

// Every device pixel a colour of its own.
QImage distinctStill(const QSize &size, qreal ratio)
{
    QImage still(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            still.setPixel(x, y, qRgb(x & 255, y & 255, (x >> 8) << 4 | (y >> 8)));
    }
    still.setDevicePixelRatio(ratio);
    return still;
}

// A mouse event as the toolkit delivers it to the overlay, which is its own window: the window
// position keeps its fraction.
void sendMouse(QWidget *overlay, QEvent::Type type, const QPointF &window,
    Qt::MouseButton button = Qt::NoButton)
{
    QMouseEvent event(type, window.toPoint(), window,
        QPointF(overlay->mapToGlobal(QPoint())) + window, button,
        type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(overlay, &event);
}

// The colour the loupe shows in a cell, counted from the crosshair's cell; clear of the lines.
QColor loupeCell(QWidget *loupe, const QPoint &fromCrosshair)
{
    const QImage image = loupe->grab().toImage();
    const QPoint at = static_cast<PickLoupe *>(loupe)->crosshairCell().topLeft()
        + fromCrosshair * PickLoupe::cellSize + QPoint(2, 2);
    return image.pixelColor((QPointF(at) * image.devicePixelRatio()).toPoint());
}

} // namespace

// The screenshot interface of a desktop portal, answering each pick as told.
class FakePortal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version MEMBER version)

public:
    uint version = 2;
    uint response = 0;
    QVariantMap results;
    int delay = 0; // milliseconds before the answer
    QString error; // an error reply instead of a request
    int calls = 0;

public slots:
    QDBusObjectPath PickColor(const QString &, const QVariantMap &options)
    {
        ++calls;
        if (!error.isEmpty()) {
            sendErrorReply(error, QStringLiteral("The desktop said no"));
            return QDBusObjectPath();
        }
        const QString sender = message().service().mid(1).replace('.', '_');
        const QString request = portalPath + "/request/" + sender + '/'
            + options.value(QStringLiteral("handle_token")).toString();
        QDBusMessage answer = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        answer << response << results;
        QTimer::singleShot(delay, this, [bus = connection(), answer] { bus.send(answer); });
        return QDBusObjectPath(request);
    }
};

class TestScreenPick : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void portalPick_data();
    void portalPick();
    void noPortal_data();
    void noPortal();
    void pixelLookup_data();
    void pixelLookup();
    void loupe_data();
    void loupe();
    void loupeStaysOnScreen_data();
    void loupeStaysOnScreen();
    void keysFollowThePointerAcrossScreens();
    void overlayEnds_data();
    void overlayEnds();
    void windowTakesThePick();

private:
    QString m_address;
    QTemporaryDir m_dir;
    QProcess m_daemon;
    std::unique_ptr<QDBusConnection> m_pickerBus;
    std::unique_ptr<QDBusConnection> m_portalBus;
    std::unique_ptr<WarningLog> m_warnings;
};

void TestScreenPick::initTestCase()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        return;
    QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QString::fromLatin1(busConfig).arg(m_dir.path()).toUtf8());
    config.close();
    m_daemon.start(daemon, {"--config-file=" + config.fileName(), "--print-address", "--nofork"});
    while (!m_daemon.canReadLine())
        QVERIFY2(m_daemon.waitForReadyRead(10000), "the private bus printed no address");
    const QString address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    m_address = address;
    // Two connections, as two processes would have: a call to oneself never leaves the process.
    m_pickerBus
        = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "picker"));
    m_portalBus
        = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "portal"));
    QVERIFY(m_pickerBus->isConnected() && m_portalBus->isConnected());
}

void TestScreenPick::init()
{
    m_warnings = std::make_unique<WarningLog>();
}

void TestScreenPick::cleanup()
{
    QVERIFY2(m_warnings->warnings().isEmpty(), qPrintable(m_warnings->warnings().join('\n')));
}

void TestScreenPick::cleanupTestCase()
{
    if (!m_pickerBus)
        return;
    m_pickerBus.reset();
    m_portalBus.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("picker"));
    QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
    m_daemon.terminate();
    QVERIFY(m_daemon.waitForFinished());
}

void TestScreenPick::portalPick_data()
{
    QTest::addColumn<uint>("response");
    QTest::addColumn<QVariantMap>("results");
    QTest::addColumn<int>("delay");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("outcome");

    QTest::newRow("quarter reads 64")
        << 0u << colourResult(0.25, 0.5, 1) << 0 << QString() << "picked #4080ff";
    QTest::newRow("beyond 0..1 is clamped")
        << 0u << colourResult(-0.5, 1.5, 0.002) << 0 << QString() << "picked #00ff01";
    QTest::newRow("late answer applies")
        << 0u << colourResult(0.2, 0.4, 0.6) << 300 << QString() << "picked #336699";
    QTest::newRow("cancel") << 1u << QVariantMap() << 0 << QString() << "cancelled";
    QTest::newRow("other ending fails") << 2u << QVariantMap() << 0 << QString() << "failed";
    QTest::newRow("error reply fails")
        << 0u << QVariantMap() << 0 << "org.freedesktop.portal.Error.Failed"
        << "failed";
    QTest::newRow("no colour fails") << 0u << QVariantMap() << 0 << QString() << "failed";
    QTest::newRow("colour as text fails")
        << 0u << QVariantMap {{"color", "#336699"}} << 0 << QString() << "failed";
    QTest::newRow("not a number fails")
        << 0u << colourResult(std::nan(""), 0, 0) << 0 << QString() << "failed";
}

void TestScreenPick::portalPick()
{
    if (!m_pickerBus)
        QSKIP(noBus);
    FakePortal portal;
    QFETCH(uint, response);
    QFETCH(QVariantMap, results);
    QFETCH(int, delay);
    QFETCH(QString, error);
    QFETCH(QString, outcome);
    portal.response = response;
    portal.results = results;
    portal.delay = delay;
    portal.error = error;
    QVERIFY(m_portalBus->registerObject(portalPath, &portal, QDBusConnection::ExportAllContents));
    QVERIFY(m_portalBus->registerService(QStringLiteral("org.freedesktop.portal.Desktop")));

    ScreenColourPicker picker(*m_pickerBus);
    const Outcomes outcomes(&picker);
    int ticksWhilePicking = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ticksWhilePicking += picker.isPicking(); });
    ticker.start(10);

    picker.pick();
    // The portal lives in this process: a blocking call could not have been answered.
    QVERIFY(picker.isPicking());
    picker.pick();
    QTRY_COMPARE(outcomes.list, QStringList(outcome));
    QCOMPARE(portal.calls, 1);
    QVERIFY(!picker.isPicking());
    QVERIFY(ticksWhilePicking > 0 || delay == 0);
    QVERIFY(picker.isAvailable());
    m_portalBus->unregisterObject(portalPath);
    QVERIFY(m_portalBus->unregisterService(QStringLiteral("org.freedesktop.portal.Desktop")));
}

void TestScreenPick::noPortal_data()
{
    QTest::addColumn<QString>("bus");
    QTest::newRow("no portal service") << "picker";
    QTest::newRow("no bus") << "never connected";
    QTest::newRow("no bus named in the environment") << QString();
}

void TestScreenPick::noPortal()
{
    QFETCH(QString, bus);
    if (bus == "picker" && !m_pickerBus)
        QSKIP(noBus);
    qputenv("DBUS_SESSION_BUS_ADDRESS", "");
    qputenv("XDG_RUNTIME_DIR", m_dir.path().toUtf8());
    std::unique_ptr<ScreenColourPicker> picker = bus.isNull()
        ? std::make_unique<ScreenColourPicker>()
        : std::make_unique<ScreenColourPicker>(QDBusConnection(bus));
    QSignalSpy availability(picker.get(), &ScreenColourPicker::availabilityChanged);
    const Outcomes outcomes(picker.get());

    // Without a named bus the answer is known at once; otherwise the bus is asked, and the
    // offscreen platform has no overlay to fall back on.
    QCOMPARE(picker->isAvailable(), !bus.isNull());
    if (!bus.isNull())
        QVERIFY(availability.wait());
    QVERIFY(!picker->isAvailable());
    picker->pick();
    QTRY_COMPARE(outcomes.list, QStringList("failed"));
    QVERIFY(!picker->isPicking());
}

void TestScreenPick::pixelLookup_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QPointF>("logical");
    QTest::addColumn<QPoint>("device"); // (-1, -1) where the point is outside

    QTest::newRow("ratio 1, last pixel") << 1.0 << QPointF(7, 1) << QPoint(7, 1);
    QTest::newRow("ratio 1, inside a pixel") << 1.0 << QPointF(2.7, 0.2) << QPoint(2, 0);
    QTest::newRow("ratio 1, right of the image") << 1.0 << QPointF(8, 0) << QPoint(-1, -1);
    QTest::newRow("ratio 1, left of the image") << 1.0 << QPointF(-0.5, 0) << QPoint(-1, -1);
    QTest::newRow("ratio 2, doubles") << 2.0 << QPointF(1, 0) << QPoint(2, 0);
    QTest::newRow("ratio 2, half pixel") << 2.0 << QPointF(0.5, 0.5) << QPoint(1, 1);
    QTest::newRow("ratio 2, last pixel") << 2.0 << QPointF(3.99, 0.99) << QPoint(7, 1);
    QTest::newRow("ratio 2, below the image") << 2.0 << QPointF(0, 1) << QPoint(-1, -1);
    // How the toolkit maps device pixel 7 at ratio 1.5, which multiplies back to 6.999...
    QTest::newRow("ratio 1.5, a device pixel's own position")
        << 1.5 << QPointF(7 * (1 / 1.5), 1 / 1.5) << QPoint(7, 1);
    QTest::newRow("ratio 1.5, a whole logical pixel") << 1.5 << QPointF(3, 1) << QPoint(4, 1);
    QTest::newRow("ratio 1.5, right of the image") << 1.5 << QPointF(5.34, 0) << QPoint(-1, -1);
    QTest::newRow("not a number") << std::nan("") << QPointF(1, 1) << QPoint(-1, -1);
    QTest::newRow("huge") << 1.0 << QPointF(1e300, 0) << QPoint(-1, -1);
}

void TestScreenPick::pixelLookup()
{
    QFETCH(qreal, ratio);
    QFETCH(QPointF, logical);
    QFETCH(QPoint, device);
    QCOMPARE(devicePixelAt(logical, ratio, QSize(8, 2)), device);
}

void TestScreenPick::loupe_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QPoint>("crosshair"); // after the keys
    QTest::addColumn<int>("ending"); // a key, or 0 for a click where the pointer is

    const QList<int> none;
    const QList<int> right {Qt::Key_Right};
    QTest::newRow("ratio 1") << 1.0 << QPointF(100.5, 40.2) << none << QPoint(100, 40) << 0;
    QTest::newRow("ratio 1.5, between device pixels")
        << 1.5 << QPointF(100.4, 50.9) << none << QPoint(150, 76) << 0;
    QTest::newRow("ratio 1.5, a device pixel's own position")
        << 1.5 << QPointF(301 / 1.5, 77 / 1.5) << none << QPoint(301, 77) << int(Qt::Key_Return);
    QTest::newRow("ratio 2, half pixel")
        << 2.0 << QPointF(140.5, 40.5) << none << QPoint(281, 81) << 0;
    QTest::newRow("ratio 2, corner, the view beyond the edge")
        << 2.0 << QPointF(0.2, 0.7) << none << QPoint(0, 1) << 0;
    QTest::newRow("ratio 2, right reaches an odd pixel")
        << 2.0 << QPointF(10, 10) << right << QPoint(21, 20) << int(Qt::Key_Enter);
    QTest::newRow("ratio 2, a click after a key takes the kept pixel")
        << 2.0 << QPointF(10, 10) << right << QPoint(21, 20) << 0;
    QTest::newRow("ratio 1.5, down twice")
        << 1.5 << QPointF(10, 10) << QList<int> {Qt::Key_Down, Qt::Key_Down} << QPoint(15, 17)
        << int(Qt::Key_Return);
    QTest::newRow("ratio 1, every arrow") << 1.0 << QPointF(10, 10)
                                          << QList<int> {Qt::Key_Left, Qt::Key_Up, Qt::Key_Up,
                                                 Qt::Key_Right, Qt::Key_Right, Qt::Key_Right}
                                          << QPoint(12, 8) << 0;
    QTest::newRow("ratio 1, the edge holds")
        << 1.0 << QPointF(0.5, 3) << QList<int> {Qt::Key_Left} << QPoint(0, 3) << 0;
    QTest::newRow("escape after a key cancels")
        << 2.0 << QPointF(10, 10) << right << QPoint(21, 20) << int(Qt::Key_Escape);
}

void TestScreenPick::loupe()
{
    QFETCH(qreal, ratio);
    QFETCH(QPointF, pointer);
    QFETCH(QList<int>, keys);
    QFETCH(QPoint, crosshair);
    QFETCH(int, ending);
    const QImage still = distinctStill(QSize(600, 300), ratio);
    ScreenPickOverlay overlay(still);
    QSignalSpy picked(&overlay, &ScreenPickOverlay::picked);
    overlay.show();
    QVERIFY(QTest::qWaitForWindowExposed(&overlay));
    auto *loupe = overlay.findChild<PickLoupe *>(QStringLiteral("pickLoupe"));
    QVERIFY(loupe);

    sendMouse(&overlay, QEvent::MouseMove, pointer);
    for (int key : keys)
        QTest::keyClick(&overlay, Qt::Key(key));
    // The pointer's own moves, onto whole logical pixels and after all the keys, as a held key
    // would have them, keep the pixel.
    QCoreApplication::processEvents();
    const QColor colour(still.pixel(crosshair));
    QVERIFY(loupe->isVisible());
    QCOMPARE(loupe->pixel(), crosshair);
    QCOMPARE(loupe->hexText(), colour.name());
    QCOMPARE(loupeCell(loupe, QPoint(0, 0)), colour);
    // The right way round: the cells right of and below the crosshair are the next pixels.
    QCOMPARE(loupeCell(loupe, QPoint(1, 0)), QColor(still.pixel(crosshair + QPoint(1, 0))));
    QCOMPARE(loupeCell(loupe, QPoint(0, 1)), QColor(still.pixel(crosshair + QPoint(0, 1))));

    if (ending) {
        QTest::keyClick(&overlay, Qt::Key(ending));
    } else {
        const QPointF at
            = keys.isEmpty() ? pointer : QPointF(overlay.mapFromGlobal(QCursor::pos()));
        sendMouse(&overlay, QEvent::MouseButtonPress, at, Qt::LeftButton);
    }
    QVERIFY(!overlay.isVisible());
    QCOMPARE(picked.count(), ending == Qt::Key_Escape ? 0 : 1);
    if (!picked.isEmpty())
        QCOMPARE(picked.first().first().value<QColor>(), colour);
}

void TestScreenPick::loupeStaysOnScreen_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<bool>("right"); // of the pointer
    QTest::addColumn<bool>("below");

    QTest::newRow("top left: right and below") << QPoint(5, 5) << true << true;
    QTest::newRow("right edge: left") << QPoint(795, 100) << false << true;
    QTest::newRow("bottom edge: above") << QPoint(100, 595) << true << false;
    QTest::newRow("bottom right corner: left and above") << QPoint(799, 599) << false << false;
}

void TestScreenPick::loupeStaysOnScreen()
{
    QFETCH(QPoint, pointer);
    QFETCH(bool, right);
    QFETCH(bool, below);
    ScreenPickOverlay overlay(distinctStill(QSize(800, 600), 1));
    overlay.show();
    QVERIFY(QTest::qWaitForWindowExposed(&overlay));
    sendMouse(&overlay, QEvent::MouseMove, pointer);

    const QRect place = overlay.findChild<PickLoupe *>(QStringLiteral("pickLoupe"))->geometry();
    QVERIFY(overlay.rect().contains(place));
    QVERIFY(!place.contains(pointer));
    QCOMPARE(place.left() > pointer.x(), right);
    QCOMPARE(place.top() > pointer.y(), below);
}

void TestScreenPick::keysFollowThePointerAcrossScreens()
{
    const QImage still = distinctStill(QSize(40, 40), 1);
    ScreenPickOverlay first(still);
    ScreenPickOverlay second(still);
    first.show();
    second.show();
    first.grabKeyboard();
    sendMouse(&second, QEvent::MouseMove, QPointF(5, 5));
    QCOMPARE(QWidget::keyboardGrabber(), &second);
    second.releaseKeyboard();
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

void TestScreenPick::windowTakesThePick()
{
    if (!m_pickerBus)
        QSKIP(noBus);
    FakePortal portal;
    portal.results = colourResult(0.2, 0.4, 0.6);
    portal.delay = 100;
    QVERIFY(m_portalBus->registerObject(portalPath, &portal, QDBusConnection::ExportAllContents));
    QVERIFY(m_portalBus->registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    auto *red = window.findChild<QLineEdit *>(QStringLiteral("lineEdit_1"));
    QTest::keyClick(red, Qt::Key_P, Qt::ControlModifier);
    QTRY_COMPARE(swatchColour(&window), QColor(0x33, 0x66, 0x99));
    QCOMPARE(red->text(), QStringLiteral("51"));
    QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("notationEdit"))->text(),
        QStringLiteral("#336699"));

    // A cancel changes nothing.
    portal.response = 1;
    QTest::keyClick(red, Qt::Key_P, Qt::ControlModifier);
    QTRY_COMPARE(portal.calls, 2);
    QTest::qWait(200);
    QCOMPARE(swatchColour(&window), QColor(0x33, 0x66, 0x99));
    qputenv("DBUS_SESSION_BUS_ADDRESS", "");
    m_portalBus->unregisterObject(portalPath);
    QVERIFY(m_portalBus->unregisterService(QStringLiteral("org.freedesktop.portal.Desktop")));
}

QTEST_MAIN(TestScreenPick)
#include "tst_screenpick.moc"
