#ifndef PORTALCOLOURPICKER_H
#define PORTALCOLOURPICKER_H

#include <QObject>
#include <QVariantMap>

#include <memory>

class QColor;
class QDBusConnection;
class QDBusPendingCallWatcher;

// Asks the desktop portal to let the user pick a colour anywhere on the screen. Every call is
// asynchronous: the window keeps working while the desktop's own picker runs, and every outcome
// arrives as a signal after pick() has returned.
class PortalColourPicker : public QObject
{
    Q_OBJECT

public:
    explicit PortalColourPicker(const QDBusConnection &bus, QObject *parent = nullptr);
    ~PortalColourPicker() override;

    bool isPicking() const { return m_picking; }

    // Starts a pick unless one is running. parentWindow names the window the portal's dialogs
    // belong to ("x11:" and a hexadecimal window id), or is empty.
    void pick(const QString &parentWindow = QString());

    // Finds out whether the bus has a portal that can pick colours; answers with checked().
    void checkAvailability();

signals:
    void picked(const QColor &colour);
    void cancelled();
    void failed(const QString &reason);
    // No portal answered: no bus, no portal service, or a portal without colour picking.
    void unavailable();
    void checked(bool available);

private slots:
    // A slot, not a function: the bus connects signals by their normalised signature.
    void handleResponse(uint response, const QVariantMap &results);

private:
    void handleReply(QDBusPendingCallWatcher *watcher);
    bool subscribe(const QString &requestPath);
    void unsubscribe();
    void finishUnavailable();

    std::unique_ptr<QDBusConnection> m_bus;
    QDBusPendingCallWatcher *m_pendingReply = nullptr;
    QString m_requestPath;
    bool m_picking = false;
};

#endif // PORTALCOLOURPICKER_H
