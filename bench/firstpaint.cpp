// Shows one window and leaves as soon as its first frame is painted, so that the launcher's
// wall time from fork to exit is the start-up to the first paint.
#include "mainwindow.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

class FirstPaintWatcher : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Queued, so that the children painted in the same frame are done before leaving;
            // tearing the window down is no part of start-up.
            QMetaObject::invokeMethod(
                qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // Said by the offscreen platform; anything else is worth seeing.
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    const bool bare = argc == 2 && std::strcmp(argv[1], "bare") == 0;
    const bool whole = argc == 2 && std::strcmp(argv[1], "main") == 0;
    if (!bare && !whole) {
        std::fprintf(stderr, "usage: %s bare|main\n", argv[0]);
        return 2;
    }

    qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    std::unique_ptr<QMainWindow> window;
    if (whole) {
        window = std::make_unique<MainWindow>();
    } else {
        // The same frame without the panels, the swatch and the colour dialog.
        window = std::make_unique<QMainWindow>();
        window->resize(806, 471);
        window->menuBar();
        window->statusBar();
    }
    FirstPaintWatcher watcher;
    window->installEventFilter(&watcher);
    window->show();
    QTimer::singleShot(10000, [] { std::_Exit(3); });
    return app.exec();
}
