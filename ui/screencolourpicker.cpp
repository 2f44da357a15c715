#include "screencolourpicker.h"

#include "portalcolourpicker.h"
#include "screenpickoverlay.h"

#include <QColor>
#include <QCursor>
#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Where the bus library would look, less its last resort: on X11 that launches a new bus
// daemon, which costs start-up time and can print to the console.
bool sessionBusNamed()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("bus")));
}

} // namespace

ScreenColourPicker::ScreenColourPicker(QObject *parent)
    : QObject(parent)
    , m_overlaysPossible(onX11())
    , m_noPortal(!sessionBusNamed())
{
    // Where no overlay can stand in, the portal decides availability; it is asked once the event
    // loop runs, so that start-up never waits for the bus.
    if (!m_overlaysPossible && !m_noPortal)
        QTimer::singleShot(0, this, &ScreenColourPicker::checkPortal);
}

ScreenColourPicker::ScreenColourPicker(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::make_unique<QDBusConnection>(bus))
    , m_overlaysPossible(onX11())
{
    if (!m_overlaysPossible)
        QTimer::singleShot(0, this, &ScreenColourPicker::checkPortal);
}

ScreenColourPicker::~ScreenColourPicker() = default;

bool ScreenColourPicker::isAvailable() const
{
    return m_overlaysPossible || !m_noPortal;
}

QString ScreenColourPicker::unavailableReason() const
{
    return tr("Picking from the screen needs a desktop portal with a screenshot service.");
}

bool ScreenColourPicker::isPicking() const
{
    return (m_portal && m_portal->isPicking()) || !m_overlays.empty();
}

void ScreenColourPicker::pick()
{
    if (isPicking())
        return;
    if (m_noPortal)
        pickWithoutPortal();
    else
        portal()->pick(parentWindow());
}

PortalColourPicker *ScreenColourPicker::portal()
{
    if (m_portal)
        return m_portal;
    m_portal = new PortalColourPicker(m_bus ? *m_bus : QDBusConnection::sessionBus(), this);
    connect(m_portal, &PortalColourPicker::picked, this, &ScreenColourPicker::picked);
    connect(m_portal, &PortalColourPicker::cancelled, this, &ScreenColourPicker::cancelled);
    connect(m_portal, &PortalColourPicker::failed, this, &ScreenColourPicker::failed);
    connect(m_portal, &PortalColourPicker::unavailable, this, [this] {
        portalUnavailable();
        pickWithoutPortal();
    });
    connect(m_portal, &PortalColourPicker::checked, this, [this](bool available) {
        if (!available)
            portalUnavailable();
    });
    return m_portal;
}

void ScreenColourPicker::checkPortal()
{
    if (!m_noPortal)
        portal()->checkAvailability();
}

void ScreenColourPicker::portalUnavailable()
{
    if (m_noPortal)
        return;
    m_noPortal = true;
    if (!m_overlaysPossible)
        emit availabilityChanged(false);
}

void ScreenColourPicker::pickWithoutPortal()
{
    if (!m_overlaysPossible) {
        emit failed(unavailableReason());
        return;
    }
    // Every screen is read before any overlay shows, or one would be in the next one's image.
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens) {
        const QImage still = screen->grabWindow(0).toImage();
        if (still.isNull())
            continue;
        auto overlay = std::make_unique<ScreenPickOverlay>(still);
        overlay->setGeometry(screen->geometry());
        connect(overlay.get(), &ScreenPickOverlay::picked, this, [this](const QColor &colour) {
            finishOverlays();
            emit picked(colour);
        });
        connect(overlay.get(), &ScreenPickOverlay::cancelled, this, [this] {
            finishOverlays();
            emit cancelled();
        });
        m_overlays.push_back(std::move(overlay));
    }
    if (m_overlays.empty()) {
        emit failed(tr("The screen could not be read."));
        return;
    }
    ScreenPickOverlay *underPointer = m_overlays.front().get();
    for (const auto &overlay : m_overlays) {
        overlay->show();
        if (overlay->geometry().contains(QCursor::pos()))
            underPointer = overlay.get();
    }
    // The window manager passes the overlays by, so it gives them no focus either; Escape must
    // still reach one.
    underPointer->activateWindow();
    underPointer->grabKeyboard();
}

void ScreenColourPicker::finishOverlays()
{
    // Called from an overlay's own event handler, so they go once it has returned.
    for (auto &overlay : m_overlays) {
        overlay->hide();
        overlay.release()->deleteLater();
    }
    m_overlays.clear();
}

QString ScreenColourPicker::parentWindow() const
{
    const auto *widget = qobject_cast<const QWidget *>(parent());
    if (!widget || !onX11())
        return QString();
    const QWindow *window = widget->window()->windowHandle();
    if (!window)
        return QString();
    return QStringLiteral("x11:%1").arg(window->winId(), 0, 16);
}
