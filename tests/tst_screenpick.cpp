#include "screencolourpicker.h"
#include "screenpickoverlay.h"
#include "windowtesting.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// No service directory: nothing on this bus is started on demand, so a missing portal stays
// missing.
const char busConfig[] = "<busconfig>"
                         "<type>session</type>"
                         "<listen>unix:dir=%1</listen>"
                         "<policy context='default'>"
                         "<allow send_destination='*'/><allow receive_sender='*'/><allow own='*'/>"
                         "</policy>"
                         "</busconfig>";

QVariant portalColour(double red, double green, double blue)
{
    QDBusArgument colour;
    colour.beginStructure();
    colour << red << green << blue;
    colour.endStructure();
    return QVariant::fromValue(colour);
}

} // namespace

// The screenshot interface of a desktop portal, answering every pick as told.
class FakePortal : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version READ version)

public:
    struct Answer
    {
        uint response = 0;
        QVariantMap results;
        int delay = 0; // milliseconds before the answer
        QString error; // an error reply instead of a request
    };

    explicit FakePortal(const QDBusConnection &bus)
        : m_bus(bus)
    { }

    uint version() const { return 2; }

    Answer answer;
    int calls = 0;

public slots:
    QDBusObjectPath PickColor(const QString &, const QVariantMap &options)
    {
        ++calls;
        if (!answer.error.isEmpty()) {
            sendErrorReply(answer.error, QStringLiteral("The desktop said no"));
            return QDBusObjectPath();
        }
        const QString sender
            = message().service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString request = portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/')
            + options.value(QStringLiteral("handle_token")).toString();
        QTimer::singleShot(answer.delay, this, [this, request, answer = answer] {
            QDBusMessage response = QDBusMessage::createSignal(request,
                QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            response << answer.response << answer.results;
            m_bus.send(response);
        });
        return QDBusObjectPath(request);
    }

private:
    QDBusConnection m_bus;
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
    void secondPickIsIgnored();
    void noPortal_data();
    void noPortal();
    void noSessionBusNamed();
    void pixelLookup_data();
    void pixelLookup();
    void overlayEnds_data();
    void overlayEnds();

private:
    bool startPortal();

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    std::unique_ptr<WarningLog> m_warnings;
    std::unique_ptr<FakePortal> m_portal;
};

void TestScreenPick::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        return;
    QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QString::fromLatin1(busConfig).arg(m_dir.path()).toUtf8());
    config.close();
    m_daemon.start(daemon,
        {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--print-address"),
            QStringLiteral("--nofork")});
    while (!m_daemon.canReadLine())
        QVERIFY2(m_daemon.waitForReadyRead(10000), "the private bus printed no address");
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    QVERIFY(QDBusConnection::connectToBus(m_address, QStringLiteral("picker")).isConnected());
    QVERIFY(QDBusConnection::connectToBus(m_address, QStringLiteral("portal")).isConnected());
}

void TestScreenPick::init()
{
    m_warnings = std::make_unique<WarningLog>();
}

void TestScreenPick::cleanup()
{
    if (m_portal) {
        QDBusConnection bus(QStringLiteral("portal"));
        bus.unregisterObject(portalPath);
        QVERIFY(bus.unregisterService(portalService));
        m_portal.reset();
    }
    QVERIFY2(m_warnings->warnings().isEmpty(), qPrintable(m_warnings->warnings().join('\n')));
    m_warnings.reset();
}

void TestScreenPick::cleanupTestCase()
{
    if (m_address.isEmpty())
        return;
    QDBusConnection::disconnectFromBus(QStringLiteral("picker"));
    QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
    m_daemon.terminate();
    QVERIFY(m_daemon.waitForFinished());
}

// Puts a fake portal on the private bus; false where there is no bus to put it on.
bool TestScreenPick::startPortal()
{
    if (m_address.isEmpty())
        return false;
    QDBusConnection bus(QStringLiteral("portal"));
    m_portal = std::make_unique<FakePortal>(bus);
    return bus.registerObject(portalPath, m_portal.get(),
               QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)
        && bus.registerService(portalService);
}

void TestScreenPick::portalPick_data()
{
    QTest::addColumn<uint>("response");
    QTest::addColumn<QVariantMap>("results");
    QTest::addColumn<int>("delay");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QColor>("colour"); // invalid where none is picked
    QTest::addColumn<bool>("cancelled");

    const QString failed = QStringLiteral("org.freedesktop.portal.Error.Failed");
    const auto colour = [](double red, double green, double blue) {
        return QVariantMap {{QStringLiteral("color"), portalColour(red, green, blue)}};
    };
    QTest::newRow("quarter reads 64")
        << 0u << colour(0.25, 0.5, 1) << 0 << QString() << QColor(64, 128, 255) << false;
    QTest::newRow("beyond 0..1 is clamped")
        << 0u << colour(-0.5, 1.5, 0.002) << 0 << QString() << QColor(0, 255, 1) << false;
    QTest::newRow("late answer applies")
        << 0u << colour(0.2, 0.4, 0.6) << 300 << QString() << QColor(51, 102, 153) << false;
    QTest::newRow("cancel") << 1u << QVariantMap() << 0 << QString() << QColor() << true;
    QTest::newRow("other ending fails")
        << 2u << QVariantMap() << 0 << QString() << QColor() << false;
    QTest::newRow("error reply fails") << 0u << QVariantMap() << 0 << failed << QColor() << false;
    QTest::newRow("no colour fails") << 0u << QVariantMap() << 0 << QString() << QColor() << false;
    QTest::newRow("colour as text fails")
        << 0u << QVariantMap {{QStringLiteral("color"), QStringLiteral("#336699")}} << 0
        << QString() << QColor() << false;
    QTest::newRow("not a number fails")
        << 0u << colour(std::nan(""), 0, 0) << 0 << QString() << QColor() << false;
}

void TestScreenPick::portalPick()
{
    if (!startPortal())
        QSKIP("dbus-daemon is not installed: the portal tests need a private session bus");
    QFETCH(uint, response);
    QFETCH(QVariantMap, results);
    QFETCH(int, delay);
    QFETCH(QString, error);
    QFETCH(QColor, colour);
    QFETCH(bool, cancelled);
    m_portal->answer = {response, results, delay, error};

    ScreenColourPicker picker(QDBusConnection(QStringLiteral("picker")));
    QSignalSpy picked(&picker, &ScreenColourPicker::picked);
    QSignalSpy cancels(&picker, &ScreenColourPicker::cancelled);
    QSignalSpy failures(&picker, &ScreenColourPicker::failed);
    int ticksWhilePicking = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ticksWhilePicking += picker.isPicking(); });
    ticker.start(10);

    picker.pick();
    // The portal lives in this process: a blocking call could not have been answered.
    QVERIFY(picker.isPicking());
    QTRY_COMPARE(picked.count() + cancels.count() + failures.count(), 1);
    QVERIFY(!picker.isPicking());
    QCOMPARE(m_portal->calls, 1);
    QCOMPARE(picked.count(), colour.isValid() ? 1 : 0);
    if (colour.isValid())
        QCOMPARE(picked.first().first().value<QColor>(), colour);
    QCOMPARE(cancels.count(), cancelled ? 1 : 0);
    if (!failures.isEmpty())
        QVERIFY(!failures.first().first().toString().isEmpty());
    if (delay > 0)
        QVERIFY(ticksWhilePicking > 0);
    QVERIFY(picker.isAvailable());
}

void TestScreenPick::secondPickIsIgnored()
{
    if (!startPortal())
        QSKIP("dbus-daemon is not installed: the portal tests need a private session bus");
    m_portal->answer = {0, {{QStringLiteral("color"), portalColour(1, 0, 0)}}, 100, QString()};
    ScreenColourPicker picker(QDBusConnection(QStringLiteral("picker")));
    QSignalSpy picked(&picker, &ScreenColourPicker::picked);

    picker.pick();
    picker.pick();
    QTRY_COMPARE(picked.count(), 1);
    QCOMPARE(m_portal->calls, 1);
    // Once over, the next pick runs.
    picker.pick();
    QTRY_COMPARE(picked.count(), 2);
    QCOMPARE(m_portal->calls, 2);
}

void TestScreenPick::noPortal_data()
{
    QTest::addColumn<bool>("onPrivateBus");
    QTest::newRow("no portal service") << true;
    QTest::newRow("no bus") << false;
}

void TestScreenPick::noPortal()
{
    QFETCH(bool, onPrivateBus);
    if (onPrivateBus && m_address.isEmpty())
        QSKIP("dbus-daemon is not installed: the portal tests need a private session bus");
    ScreenColourPicker picker(QDBusConnection(
        onPrivateBus ? QStringLiteral("picker") : QStringLiteral("never connected")));
    QSignalSpy availability(&picker, &ScreenColourPicker::availabilityChanged);
    QSignalSpy failures(&picker, &ScreenColourPicker::failed);

    // The offscreen platform has no overlay to fall back on.
    QVERIFY(picker.isAvailable());
    QVERIFY(availability.wait());
    QCOMPARE(availability.first().first().toBool(), false);
    QVERIFY(!picker.isAvailable());
    picker.pick();
    QCOMPARE(failures.count(), 1);
    QCOMPARE(failures.first().first().toString(), picker.unavailableReason());
    QVERIFY(!picker.isPicking());
}

void TestScreenPick::noSessionBusNamed()
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", "");
    qputenv("XDG_RUNTIME_DIR", m_dir.path().toUtf8());
    ScreenColourPicker picker;
    QSignalSpy failures(&picker, &ScreenColourPicker::failed);

    QVERIFY(!picker.isAvailable());
    picker.pick();
    QCOMPARE(failures.count(), 1);
    QCOMPARE(failures.first().first().toString(), picker.unavailableReason());
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
