#ifndef HIGHDPI_H
#define HIGHDPI_H

#include <QCoreApplication>

// Qt 6 always scales; Qt 5 must be asked before the application object exists, or the fixed
// window is drawn at half size on a high-density screen.
inline void enableHighDpiScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}

#endif // HIGHDPI_H
