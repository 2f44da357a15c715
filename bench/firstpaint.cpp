// Shows one window and leaves as soon as its first frame is painted, so that the launcher's
// wall time from fork to exit is the start-up to the first paint; "loaded" leaves once the
// stored colours, read just after that paint, are in too. "fill" and "clean" prepare and remove
// a data folder for the launcher, which has no Qt to do it with.
#include "colourstore.h"
#include "mainwindow.h"
#include "storedcolours.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
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
    // With a window, leaves only once that window's stored colours are in.
    explicit FirstPaintWatcher(const QMainWindow *loading = nullptr)
        : m_loading(loading)
    { }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || m_seen)
            return QObject::eventFilter(watched, event);
        m_seen = true;
        if (!m_loading) {
            // Queued, so that the children painted in the same frame are done before leaving;
            // tearing the window down is no part of start-up.
            QMetaObject::invokeMethod(
                qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
            return QObject::eventFilter(watched, event);
        }
        // The window reads its files on a zero timer started after this filter has run, which
        // a zero timer started from within this one's follows.
        const QMainWindow *window = m_loading;
        QTimer::singleShot(0, [window] {
            QTimer::singleShot(0, [window] {
                const bool stored
                    = QFile::exists(ColourStore::defaultFolder() + QStringLiteral("/history.json"));
                const auto *strip
                    = window->findChild<QAbstractItemView *>(QStringLiteral("historyView"));
                std::_Exit(stored && strip->model()->rowCount() == 0 ? 4 : 0);
            });
        });
        return QObject::eventFilter(watched, event);
    }

private:
    const QMainWindow *m_loading;
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
    const auto mode = [&](const char *name, int count) {
        return argc == count && std::strcmp(argv[1], name) == 0;
    };
    const bool bare = mode("bare", 2);
    const bool loaded = mode("loaded", 2);
    const bool whole = mode("main", 2) || loaded;
    if (mode("fill", 3) || mode("clean", 3)) {
        QCoreApplication app(argc, argv);
        const QString folder = QFile::decodeName(argv[2]);
        if (mode("clean", 3))
            return QDir(folder).removeRecursively() ? 0 : 1;
        fillStoredColours(folder + QStringLiteral("/Prismora/prismora"));
        return 0;
    }
    if (!bare && !whole) {
        std::fprintf(stderr, "usage: %s bare|main|loaded|fill DIR|clean DIR\n", argv[0]);
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
    FirstPaintWatcher watcher(loaded ? window.get() : nullptr);
    window->installEventFilter(&watcher);
    window->show();
    QTimer::singleShot(10000, [] { std::_Exit(3); });
    return app.exec();
}
