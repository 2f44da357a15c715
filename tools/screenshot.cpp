// Takes the README's screenshot of the real window on a real X server: a colour typed into the
// first panel, then CMYK, HSV and OKLCH chosen in the three panels. Also checks that hovering an
// edit shows its channel's tool tip.
#include "mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QToolTip>

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

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SCREENSHOT.png TOOLTIP.png\n", argv[0]);
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
