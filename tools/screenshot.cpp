// Takes the README's screenshot of the real window on a real X server: a colour typed into the
// first panel, then CMYK, HSV and OKLCH chosen in the three panels. Also checks that hovering an
// edit shows its channel's tool tip. With --loupe, shows the X11 picker's loupe instead, on the
// corner of the swatch, and checks that Enter picks the colour the loupe shows. With --beside,
// saves the window, in the locale's language, to the right of an earlier screenshot. With --menus,
// opens the Colour menu and its Copy As submenu from the keyboard and saves them over the window.
// The translations are loaded as the program loads them, for the locale the tool runs under.
#include "mainwindow.h"
#include "pickloupe.h"
#include "screenpickoverlay.h"
#include "translations.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <cstdio>

namespace {

void choose(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QPixmap grabAround(const QWidget &window, int margin)
{
    const QRect frame = window.frameGeometry().adjusted(-margin, -margin, margin, margin);
    return QGuiApplication::primaryScreen()->grabWindow(
        0, frame.x(), frame.y(), frame.width(), frame.height());
}

ScreenPickOverlay *shownOverlay()
{
    for (int i = 0; i < 50; ++i) {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            auto *overlay = qobject_cast<ScreenPickOverlay *>(window);
            if (overlay && overlay->isVisible())
                return overlay;
        }
        QTest::qWait(100);
    }
    return nullptr;
}

// The pointer three pixels left of the swatch's top left corner, then three presses of the
// right arrow key, so the crosshair ends on the corner of the outline.
int loupeShot(MainWindow &window, const QString &path)
{
    const QWidget *central = window.centralWidget();
    const QPoint corner = central->mapToGlobal(QPoint(20, 20));
    QCursor::setPos(corner - QPoint(3, 0));
    QTest::qWait(200);
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    ScreenPickOverlay *overlay = shownOverlay();
    if (!overlay) {
        std::fprintf(stderr, "the picker showed no overlay\n");
        return 1;
    }
    QTest::qWait(300);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(overlay, Qt::Key_Right);
        QTest::qWait(50);
    }
    QTest::qWait(300);
    auto *loupe = overlay->findChild<PickLoupe *>(QStringLiteral("pickLoupe"));
    if (!loupe || !loupe->isVisible()) {
        std::fprintf(stderr, "the overlay shows no loupe\n");
        return 1;
    }
    const QRect around = loupe->geometry()
                             .translated(overlay->pos())
                             .united(QRect(corner - QPoint(40, 40), QSize(80, 80)))
                             .adjusted(-12, -12, 12, 12);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
        0, around.x(), around.y(), around.width(), around.height());
    if (!shot.save(path))
        return 1;
    const QString shown = loupe->hexText();
    QTest::keyClick(overlay, Qt::Key_Return);
    QTest::qWait(300);
    const QString notation = window.findChild<QLineEdit *>(QStringLiteral("notationEdit"))->text();
    if (notation.compare(shown, Qt::CaseInsensitive) != 0) {
        std::fprintf(stderr, "the loupe showed %s, Enter picked %s\n", qPrintable(shown),
            qPrintable(notation));
        return 1;
    }
    std::printf("loupe on device pixel %d, %d showed %s; Enter picked it\n", loupe->pixel().x(),
        loupe->pixel().y(), qPrintable(shown));
    return 0;
}

// The earlier screenshot on the left, this window on the right.
int besideShot(MainWindow &window, const QString &leftPath, const QString &path)
{
    const QPixmap left(leftPath);
    const QPixmap right = grabAround(window, 0);
    if (left.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(leftPath));
        return 1;
    }
    const int gap = 16;
    QPixmap both(left.width() + gap + right.width(), std::max(left.height(), right.height()));
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width() + gap, 0, right);
    painter.end();
    return both.save(path) ? 0 : 1;
}

// Alt+C, then Down to Copy As and Right into it, as a keyboard user reaches every format.
int menusShot(MainWindow &window, const QString &path)
{
    auto *colourMenu = window.findChild<QMenu *>(QStringLiteral("menuColour"));
    auto *copyAs = window.findChild<QMenu *>(QStringLiteral("menuCopyAs"));
    if (!colourMenu || !copyAs)
        return 1;
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    for (int i = 0; i < 30 && !colourMenu->isVisible(); ++i)
        QTest::qWait(100);
    colourMenu->setActiveAction(copyAs->menuAction());
    QTest::keyClick(colourMenu, Qt::Key_Right);
    for (int i = 0; i < 30 && !copyAs->isVisible(); ++i)
        QTest::qWait(100);
    if (!colourMenu->isVisible() || !copyAs->isVisible()) {
        std::fprintf(stderr, "the Colour menu and Copy As did not open\n");
        return 1;
    }
    QTest::qWait(300);
    const QRect frame = window.frameGeometry()
                            .united(colourMenu->geometry())
                            .united(copyAs->geometry())
                            .adjusted(0, 0, 4, 4);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(
        0, frame.x(), frame.y(), frame.width(), frame.height());
    std::printf("Copy As shows %d items\n", int(copyAs->actions().size()));
    return shot.save(path) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const Translations translations;
    const bool loupe = argc == 3 && QLatin1String(argv[1]) == QLatin1String("--loupe");
    const bool beside = argc == 4 && QLatin1String(argv[1]) == QLatin1String("--beside");
    const bool menus = argc == 3 && QLatin1String(argv[1]) == QLatin1String("--menus");
    if (argc < 3) {
        std::fprintf(stderr,
            "usage: %s SCREENSHOT.png TOOLTIP.png\n       %s --loupe LOUPE.png\n"
            "       %s --beside LEFT.png BOTH.png\n       %s --menus MENUS.png\n",
            argv[0], argv[0], argv[0], argv[0]);
        return 2;
    }
    MainWindow window;
    window.move(16, 16);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    auto *first = window.findChild<QComboBox *>(QStringLiteral("comboBox1"));
    choose(first, 0);
    const char *rgb[] = {"lineEdit_1", "lineEdit_2", "lineEdit_3"};
    const char *values[] = {"64", "160", "220"};
    for (int i = 0; i < 3; ++i) {
        auto *edit = window.findChild<QLineEdit *>(QLatin1String(rgb[i]));
        edit->selectAll();
        QTest::keyClicks(edit, QLatin1String(values[i]));
    }
    choose(first, 1);
    choose(window.findChild<QComboBox *>(QStringLiteral("comboBox2")), 2);
    choose(window.findChild<QComboBox *>(QStringLiteral("comboBox3")), 8);
    window.activateWindow();
    QTest::qWait(300);
    if (loupe)
        return loupeShot(window, QString::fromLocal8Bit(argv[2]));
    if (menus)
        return menusShot(window, QString::fromLocal8Bit(argv[2]));
    if (beside)
        return besideShot(window, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (!grabAround(window, 0).save(QString::fromLocal8Bit(argv[1])))
        return 1;

    auto *hue = window.findChild<QLineEdit *>(QStringLiteral("lineEdit_4"));
    QTest::mouseMove(hue, hue->rect().center());
    for (int i = 0; i < 40 && !QToolTip::isVisible(); ++i)
        QTest::qWait(100);
    if (!QToolTip::isVisible() || QToolTip::text() != hue->toolTip()) {
        std::fprintf(stderr, "no tool tip over the hue edit\n");
        return 1;
    }
    QTest::qWait(200);
    grabAround(window, 0).save(QString::fromLocal8Bit(argv[2]));
    std::printf("tool tip shown: %s\n", qPrintable(QToolTip::text()));
    return 0;
}
