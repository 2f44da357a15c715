#ifndef SCREENCOLOURPICKER_H
#define SCREENCOLOURPICKER_H

#include <QObject>

#include <memory>
#include <vector>

class PortalColourPicker;
class QColor;
class QDBusConnection;
class ScreenPickOverlay;

// Lets the user pick a colour anywhere on the screen: through the desktop portal where one
// answers, else, on X11, with overlays of our own showing a still image of each screen. With a
// widget as parent, the portal's dialogs belong to that widget's window.
class ScreenColourPicker : public QObject
{
    Q_OBJECT

public:
    // Uses the session bus named by the environment, first when it is needed. No bus is asked
    // anything while the picker is constructed.
    explicit ScreenColourPicker(QObject *parent = nullptr);
    // Uses the given bus instead of the session bus.
    explicit ScreenColourPicker(const QDBusConnection &bus, QObject *parent = nullptr);
    ~ScreenColourPicker() override;

    // Optimistic until shown otherwise: availabilityChanged() tells when a check finds no portal.
    bool isAvailable() const;
    QString unavailableReason() const;
    bool isPicking() const;

public slots:
    // Ignored while a pick runs. Ends with exactly one of picked(), cancelled() and failed().
    void pick();

signals:
    void picked(const QColor &colour);
    void cancelled();
    // Says why, in a sentence for the status bar.
    void failed(const QString &reason);
    void availabilityChanged(bool available);

private:
    PortalColourPicker *portal();
    void checkPortal();
    void portalUnavailable();
    void pickWithoutPortal();
    void finishOverlays();
    QString parentWindow() const;

    std::unique_ptr<QDBusConnection> m_bus;
    PortalColourPicker *m_portal = nullptr;
    std::vector<std::unique_ptr<ScreenPickOverlay>> m_overlays;
    bool m_overlaysPossible = false;
    bool m_noPortal = false;
};

#endif // SCREENCOLOURPICKER_H
