#include "commandline.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always scales; Qt 5 must be asked before the application object exists, or the fixed
    // window is drawn at half size on a high-density screen.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    QCoreApplication::setApplicationVersion(QStringLiteral(PRISMORA_VERSION));

    const CommandLine commandLine(argc, argv);
    if (!commandLine.startsWindow()) {
        // Help, conversions and refusals need no display.
        QCoreApplication app(argc, argv);
        return commandLine.answer();
    }
    QApplication app(argc, argv);
    MainWindow window;
    if (const Notation::Request *colour = commandLine.windowColour())
        window.applyNotation(*colour);
    window.show();
    return app.exec();
}
