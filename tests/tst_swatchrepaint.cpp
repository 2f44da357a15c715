#include "mainwindow.h"
#include "windowtesting.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPaintEvent>
#include <QScreen>
#include <QSet>
#include <QSlider>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace {

enum ModelIndex { Rgb, Cmyk, Hsv, Hsl };

// The swatch with its outline: the 1-px pen covers x 20..170 and y 20..240.
const QRect outlined(20, 20, 151, 221);
// Left of the panels and above the "Draw" button: the swatch and the background around it.
const QRect swatchSurroundings(0, 0, 180, 260);

// Images, regions and rectangles here are in the central widget's coordinates, which the swatch
// is given in, whatever the menu bar's height.
QRect centralRect(QWidget *window)
{
    return static_cast<QMainWindow *>(window)->centralWidget()->geometry();
}

// What the window last painted, read back from its backing store. grab() would not do: it renders
// the window anew, and so shows the new colour even when nothing was repainted.
QImage painted(QWidget *window)
{
    return window->screen()
        ->grabWindow(window->winId())
        .toImage()
        .copy(centralRect(window))
        .convertToFormat(QImage::Format_RGB32);
}

QImage rendered(QWidget *window)
{
    return window->grab(centralRect(window)).toImage().convertToFormat(QImage::Format_RGB32);
}

// Names the first differing pixel of two images within an area, or nothing if they agree.
QString firstDifference(const QImage &actual, const QImage &expected, const QRect &area)
{
    if (actual.size() != expected.size())
        return QStringLiteral("sizes differ");
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel %1,%2 is %3, a fresh rendering gives %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixelColor(x, y).name(), expected.pixelColor(x, y).name());
        }
    }
    return QString();
}

// Records which of a window's widgets receive a paint event, and what the window itself painted.
class PaintLog : public QObject
{
public:
    explicit PaintLog(QWidget *window)
        : m_window(window)
    {
        window->installEventFilter(this);
        for (QWidget *widget : window->findChildren<QWidget *>())
            widget->installEventFilter(this);
    }

    QStringList painted() const
    {
        QStringList names = m_painted.values();
        names.sort();
        return names;
    }
    QRegion windowRegion() const
    {
        return m_windowRegion.translated(-centralRect(m_window).topLeft());
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        if (watched == m_window) {
            m_windowRegion += static_cast<QPaintEvent *>(event)->region();
        } else {
            const QString name = watched->objectName();
            m_painted.insert(
                name.isEmpty() ? QString::fromLatin1(watched->metaObject()->className()) : name);
        }
        return false;
    }

private:
    QWidget *m_window;
    QSet<QString> m_painted;
    QRegion m_windowRegion;
};

// A widget's rectangle in the central widget's coordinates; the status bar's lie below it.
QRect inWindow(QWidget *widget)
{
    const QPoint origin = centralRect(widget->window()).topLeft();
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)) - origin, widget->size());
}

} // namespace

class TestSwatchRepaint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dragRepaintsOnlyTheSwatchAtOnce_data();
    void dragRepaintsOnlyTheSwatchAtOnce();
    void typedColourIsPaintedAtOnce();
    void nothingIsLeftStale();

private:
    template<typename T> T *child(const QString &name) const
    {
        T *widget = window->findChild<T *>(name);
        if (!widget)
            qFatal("no child %s", qPrintable(name));
        return widget;
    }

    void settle();
    QList<QWidget *> followers() const;

    std::unique_ptr<WarningLog> warnings;
    std::unique_ptr<MainWindow> window;
};

void TestSwatchRepaint::init()
{
    warnings = std::make_unique<WarningLog>();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // A colour with three distinct channels, so that every slider changes it.
    choose(child<QComboBox>(QStringLiteral("comboBox1")), Rgb);
    child<QLineEdit>(QStringLiteral("lineEdit_1"))->setText(QStringLiteral("40"));
    child<QLineEdit>(QStringLiteral("lineEdit_2"))->setText(QStringLiteral("120"));
    child<QLineEdit>(QStringLiteral("lineEdit_3"))->setText(QStringLiteral("200"));
    settle();
}

void TestSwatchRepaint::cleanup()
{
    window.reset();
    QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
    warnings.reset();
}

// The controls that show the colour in the panels' models.
QList<QWidget *> TestSwatchRepaint::followers() const
{
    QList<QWidget *> controls;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QSlider *>(widget))
            controls.append(widget);
    }
    return controls;
}

// Lets every pending paint happen, so that a test sees only what its own step paints.
void TestSwatchRepaint::settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void TestSwatchRepaint::dragRepaintsOnlyTheSwatchAtOnce_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("slider");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("position");
    // Invalid where the colour is not a whole-number figure to state here.
    QTest::addColumn<QColor>("expected");

    QTest::newRow("red") << "comboBox1" << int(Rgb) << "horizontalSlider_1"
                         << "lineEdit_1" << 230 << QColor(230, 120, 200);
    QTest::newRow("green") << "comboBox1" << int(Rgb) << "horizontalSlider_2"
                           << "lineEdit_2" << 10 << QColor(40, 10, 200);
    QTest::newRow("blue") << "comboBox1" << int(Rgb) << "horizontalSlider_3"
                          << "lineEdit_3" << 90 << QColor(40, 120, 90);
    QTest::newRow("cmyk key") << "comboBox2" << int(Cmyk) << "horizontalSlider_2_4"
                              << "lineEdit_2_4" << 60 << QColor();
    QTest::newRow("hsv value") << "comboBox3" << int(Hsv) << "horizontalSlider_9"
                               << "lineEdit_9" << 30 << QColor();
    QTest::newRow("hsl lightness") << "comboBox2" << int(Hsl) << "horizontalSlider_6"
                                   << "lineEdit_6" << 70 << QColor();
}

void TestSwatchRepaint::dragRepaintsOnlyTheSwatchAtOnce()
{
    QFETCH(QString, combo);
    QFETCH(int, model);
    QFETCH(QString, slider);
    QFETCH(QString, edit);
    QFETCH(int, position);
    QFETCH(QColor, expected);

    choose(child<QComboBox>(combo), model);
    settle();
    const QColor before = painted(window.get()).pixelColor(outlined.center());
    auto *dragged = child<QSlider>(slider);
    PaintLog log(window.get());

    // A drag step, read back before the event loop gets a chance to paint anything.
    dragged->setSliderDown(true);
    dragged->setSliderPosition(position);
    const QImage after = painted(window.get());
    const QStringList paintedWidgets = log.painted();
    const QRegion windowRegion = log.windowRegion();
    dragged->setSliderDown(false);

    QCOMPARE(child<QLineEdit>(edit)->text(), QString::number(position));
    const QColor now = after.pixelColor(outlined.center());
    QVERIFY(now != before);
    if (expected.isValid())
        QCOMPARE(now, expected);
    // The swatch, its outline and the background around it are exactly what a full paint gives.
    const QString difference = firstDifference(after, rendered(window.get()), swatchSurroundings);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    // The window painted the whole swatch with its outline, and beyond it at most the area behind
    // the panels' edits and sliders, which follow the colour and are flushed in the same pass.
    QVERIFY((QRegion(outlined) - windowRegion).isEmpty());
    QRegion expectedArea(outlined);
    for (QWidget *control : followers())
        expectedArea += inWindow(control);
    QVERIFY2((windowRegion - expectedArea).isEmpty(),
        qPrintable(QStringLiteral("the window also painted %1 rectangles beyond the swatch")
                       .arg((windowRegion - expectedArea).rectCount())));

    // Besides the transparent parents behind the swatch, the panels and the notation field, and
    // the swatch's focus frame over it, only the edits and sliders may have been painted: no
    // combo box or label, nor the button.
    QSet<QString> allowed {QStringLiteral("centralwidget"), QStringLiteral("gridLayoutWidget"),
        QStringLiteral("statusbar"), QStringLiteral("swatch")};
    for (QWidget *control : followers())
        allowed.insert(control->objectName());
    for (const QString &name : paintedWidgets)
        QVERIFY2(allowed.contains(name), qPrintable(name + QStringLiteral(" was repainted")));
}

void TestSwatchRepaint::typedColourIsPaintedAtOnce()
{
    auto *green = child<QLineEdit>(QStringLiteral("lineEdit_2"));
    PaintLog log(window.get());
    green->setText(QStringLiteral("7"));
    const QImage after = painted(window.get());
    QCOMPARE(after.pixelColor(outlined.center()), QColor(40, 7, 200));
    for (int y : {20, 130, 240}) {
        QCOMPARE(after.pixelColor(20, y), QColor(Qt::black));
        QCOMPARE(after.pixelColor(170, y), QColor(Qt::black));
    }
    for (int x : {21, 95, 169}) {
        QCOMPARE(after.pixelColor(x, 20), QColor(Qt::black));
        QCOMPARE(after.pixelColor(x, 240), QColor(Qt::black));
    }
    QCOMPARE(after.pixelColor(21, 21), QColor(40, 7, 200));
    QCOMPARE(after.pixelColor(169, 239), QColor(40, 7, 200));
    QVERIFY(!log.painted().contains(QStringLiteral("DrawButton")));
    QVERIFY(!log.painted().contains(QStringLiteral("lineEdit_1")));
}

void TestSwatchRepaint::nothingIsLeftStale()
{
    // After a run of drags and the event loop's own paints, the window on screen is the window a
    // full paint would give: no part of the swatch or of what overlaps it was missed.
    auto *red = child<QSlider>(QStringLiteral("horizontalSlider_1"));
    red->setSliderDown(true);
    for (int position : {0, 255, 17, 128})
        red->setSliderPosition(position);
    red->setSliderDown(false);
    settle();
    const QImage screen = painted(window.get());
    QCOMPARE(screen.pixelColor(outlined.center()), QColor(128, 120, 200));
    const QString difference = firstDifference(screen, rendered(window.get()), screen.rect());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QTEST_MAIN(TestSwatchRepaint)
#include "tst_swatchrepaint.moc"
