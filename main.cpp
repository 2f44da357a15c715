#include "commandline.h"
#include "highdpi.h"
#include "mainwindow.h"
#include "translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    enableHighDpiScaling();
    // Before anything reads settings or prints the program's name.
    QCoreApplication::setOrganizationName(QStringLiteral("Prismora"));
    QCoreApplication::setApplicationName(QStringLiteral("prismora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PRISMORA_VERSION));

    // Only tells console from window: its texts are made before any translation is loaded.
    const CommandLine commandLine(argc, argv);
    if (!commandLine.startsWindow()) {
        // Help, conversions and refusals need no display.
        QCoreApplication app(argc, argv);
        const Translations translations;
        // Read again, now that its help and refusals are made in the user's language.
        return CommandLine(argc, argv).answer();
    }
    QApplication app(argc, argv);
    const Translations translations;
    MainWindow window;
    if (const Notation::Request *colour = commandLine.windowColour())
        window.applyNotation(*colour);
    window.show();
    return app.exec();
}
