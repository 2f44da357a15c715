#include "portalcolourpicker.h"

#include <QColor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString screenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
// The first version of the screenshot interface with PickColor.
const uint firstPickingVersion = 2;

enum Response : uint { Success = 0, Cancelled = 1 };

// Errors that mean nobody on the bus can pick, as opposed to a portal that tried and failed.
bool meansNoPortal(const QDBusError &error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownProperty:
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
        return true;
    default:
        return error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
    }
}

// Tokens only need to be unique per connection, and every connection has a name of its own.
QString nextToken()
{
    static uint issued = 0;
    return QStringLiteral("prismora%1").arg(++issued);
}

// Where the portal will place the request for a token, so that its answer can be awaited before
// the call that could send it.
QString requestPath(const QString &uniqueName, const QString &token)
{
    QString sender = uniqueName;
    if (sender.startsWith(QLatin1Char(':')))
        sender.remove(0, 1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

// The portal's colour is three sRGB doubles from 0 to 1; like the chooser, each channel becomes
// the nearest of 0..255. Invalid for anything else.
QColor colourFromPortal(const QVariant &value)
{
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return QColor();
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)"))
        return QColor();
    double channels[3] = {};
    argument.beginStructure();
    argument >> channels[0] >> channels[1] >> channels[2];
    argument.endStructure();
    int levels[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(channels[i]))
            return QColor();
        levels[i] = qRound(std::clamp(channels[i], 0.0, 1.0) * 255.0);
    }
    return QColor(levels[0], levels[1], levels[2]);
}

} // namespace

PortalColourPicker::PortalColourPicker(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::make_unique<QDBusConnection>(bus))
{ }

PortalColourPicker::~PortalColourPicker()
{
    unsubscribe();
}

void PortalColourPicker::pick(const QString &parentWindow)
{
    if (m_picking)
        return;
    m_picking = true;
    // Every outcome comes after pick() has returned, this one too.
    if (!m_bus->isConnected()) {
        QTimer::singleShot(0, this, &PortalColourPicker::finishUnavailable);
        return;
    }
    const QString token = nextToken();
    // Listening first: the portal may answer before the call's reply arrives.
    if (!subscribe(requestPath(m_bus->baseService(), token))) {
        QTimer::singleShot(0, this, &PortalColourPicker::finishUnavailable);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, screenshotInterface, QStringLiteral("PickColor"));
    call << parentWindow << QVariantMap {{QStringLiteral("handle_token"), token}};
    m_pendingReply = new QDBusPendingCallWatcher(m_bus->asyncCall(call), this);
    connect(
        m_pendingReply, &QDBusPendingCallWatcher::finished, this, &PortalColourPicker::handleReply);
}

void PortalColourPicker::checkAvailability()
{
    if (!m_bus->isConnected()) {
        QTimer::singleShot(0, this, [this] { emit checked(false); });
        return;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(portalService, portalPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << screenshotInterface << QStringLiteral("version");
    auto *watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this](QDBusPendingCallWatcher *finished) {
            finished->deleteLater();
            const QDBusPendingReply<QDBusVariant> reply = *finished;
            if (reply.isError())
                emit checked(!meansNoPortal(reply.error()));
            else
                emit checked(reply.value().variant().toUInt() >= firstPickingVersion);
        });
}

void PortalColourPicker::handleReply(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    // The answer may already have come, and finished this pick or a later one.
    if (watcher != m_pendingReply)
        return;
    m_pendingReply = nullptr;
    const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
    if (reply.isError()) {
        unsubscribe();
        m_picking = false;
        if (meansNoPortal(reply.error()))
            emit unavailable();
        else
            emit failed(
                tr("The desktop portal could not pick a colour: %1").arg(reply.error().message()));
        return;
    }
    // Older portals ignore the token and choose the request's path themselves.
    const QString path = reply.value().path();
    if (path == m_requestPath)
        return;
    unsubscribe();
    // An empty path would match every request's answer, not only this one's.
    if (path.isEmpty() || !subscribe(path)) {
        m_picking = false;
        emit failed(tr("The desktop portal's answer cannot be awaited."));
    }
}

void PortalColourPicker::handleResponse(uint response, const QVariantMap &results)
{
    if (!m_picking)
        return;
    unsubscribe();
    m_pendingReply = nullptr;
    m_picking = false;
    if (response == Cancelled) {
        emit cancelled();
        return;
    }
    if (response != Success) {
        emit failed(tr("The desktop portal ended the pick without a colour."));
        return;
    }
    const QColor colour = colourFromPortal(results.value(QStringLiteral("color")));
    if (colour.isValid())
        emit picked(colour);
    else
        emit failed(tr("The desktop portal answered without a valid colour."));
}

bool PortalColourPicker::subscribe(const QString &path)
{
    if (!m_bus->connect(portalService, path, requestInterface, QStringLiteral("Response"), this,
            SLOT(handleResponse(uint, QVariantMap))))
        return false;
    m_requestPath = path;
    return true;
}

void PortalColourPicker::unsubscribe()
{
    if (m_requestPath.isEmpty())
        return;
    m_bus->disconnect(portalService, m_requestPath, requestInterface, QStringLiteral("Response"),
        this, SLOT(handleResponse(uint, QVariantMap)));
    m_requestPath.clear();
}

void PortalColourPicker::finishUnavailable()
{
    m_picking = false;
    emit unavailable();
}
