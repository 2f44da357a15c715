#include "commandline.h"
#include "highdpi.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    enableHighDpiScaling();
    // Before anything reads settings or prints the program's name.
    QCoreApplication::setOrganizationName(QStringLiteral("Prismora"));
    QCoreApplication::setApplicationName(QStringLiteral("prismora"));
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
