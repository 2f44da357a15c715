#include "benchsupport.h"
#include "goal.h"
#include "mainwindow.h"
#include "storedcolours.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QWindow>

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The offscreen platform says this for every shown dialog; anything else is worth seeing.
    if (type == QtDebugMsg
        || message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

bool waitExposed(QWidget *widget)
{
    QElapsedTimer timer;
    timer.start();
    while (!(widget->windowHandle() && widget->windowHandle()->isExposed())) {
        if (timer.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    return true;
}

// 4096 varied colours: every red over 16 pseudo-random greens and blues.
struct Colours
{
    std::array<int, 16> greens {};
    std::array<int, 16> blues {};

    Colours()
    {
        std::uint32_t seed = 12345;
        const auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return static_cast<int>(seed >> 24);
        };
        for (int i = 0; i < 16; ++i) {
            greens[i] = next();
            blues[i] = next();
        }
    }

    static int red(unsigned step) { return static_cast<int>((step * 97u) % 256); }
    int green(unsigned step) const { return greens[(step / 256) % 16]; }
    int blue(unsigned step) const { return blues[(step / 256) % 16]; }
    QColor at(unsigned step) const { return QColor(red(step), green(step), blue(step)); }
};

// Times one call and every paint it caused: posted updates run inside the timing, for both
// contenders alike, so each step also starts from a settled window.
template<typename Step> double timeOne(Step step, unsigned &counter)
{
    const auto start = Clock::now();
    step(counter);
    QCoreApplication::processEvents();
    const auto end = Clock::now();
    ++counter;
    return std::chrono::duration<double>(end - start).count();
}

template<typename Prepare, typename Step>
void timeSteps(benchmark::State &state, Prepare prepare, Step step, unsigned &counter)
{
    for (auto _ : state) {
        prepare(counter);
        state.SetIterationTime(timeOne(step, counter));
    }
}

// One window's red slider, dragged through the colours above, and the two edits that move the
// other channels between runs of 256 reds.
struct Drag
{
    QSlider *slider = nullptr;
    QLineEdit *green = nullptr;
    QLineEdit *blue = nullptr;
    // Shared by every benchmark that drags this window, so that no step lands on the position
    // already shown.
    unsigned counter = 1;

    bool find(MainWindow &window)
    {
        auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox1"));
        auto *secondCombo = window.findChild<QComboBox *>(QStringLiteral("comboBox2"));
        auto *thirdCombo = window.findChild<QComboBox *>(QStringLiteral("comboBox3"));
        slider = window.findChild<QSlider *>(QStringLiteral("horizontalSlider_1"));
        green = window.findChild<QLineEdit *>(QStringLiteral("lineEdit_2"));
        blue = window.findChild<QLineEdit *>(QStringLiteral("lineEdit_3"));
        if (!combo || !secondCombo || !thirdCombo || !slider || !green || !blue)
            return false;
        // What a combo box does when the user picks a model from its list. The other two panels
        // show models whose every channel follows a red drag: HSV and CMYK, eight edits and
        // sliders.
        const auto choose = [](QComboBox *box, int index) {
            box->setCurrentIndex(index);
            emit box->activated(index);
        };
        choose(combo, 0);
        choose(secondCombo, 2);
        choose(thirdCombo, 1);
        QCoreApplication::processEvents();
        return true;
    }

    void prepare(const Colours &colours, unsigned step) const
    {
        // The other two channels move between runs of 256 reds, outside the timing.
        if (step % 256 == 0) {
            green->setText(QString::number(colours.green(step)));
            blue->setText(QString::number(colours.blue(step)));
        }
    }
    void step(unsigned at) const { slider->setSliderPosition(Colours::red(at)); }

    double block(const Colours &colours, int steps)
    {
        double seconds = 0;
        for (int i = 0; i < steps; ++i) {
            prepare(colours, counter);
            seconds += timeOne([this](unsigned at) { step(at); }, counter);
        }
        return seconds;
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    // Folders of the benchmark's own: the plain window's data folder is empty, the other's
    // holds a long-standing user's history and palettes.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("empty"))));
    MainWindow window;
    window.show();
    QColorDialog dialog;
    dialog.show();
    fillStoredColours(home.filePath(QStringLiteral("stored/Prismora/prismora")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("stored"))));
    MainWindow keeping;
    keeping.show();
    if (!waitExposed(&window) || !waitExposed(&dialog) || !waitExposed(&keeping)) {
        std::fprintf(stderr, "the windows were never exposed\n");
        return 1;
    }
    // The full strip and the palette panel open on a palette of 200 colours.
    auto *showPalettes = keeping.findChild<QAction *>(QStringLiteral("actionShowPalettes"));
    auto *strip = keeping.findChild<QAbstractItemView *>(QStringLiteral("historyView"));
    auto *dock = keeping.findChild<QDockWidget *>(QStringLiteral("paletteDock"));
    if (!showPalettes || !strip || !dock) {
        std::fprintf(stderr, "the window lacks its history strip or palette panel\n");
        return 1;
    }
    showPalettes->trigger();
    if (!waitExposed(dock) || strip->model()->rowCount() == 0) {
        std::fprintf(stderr, "the stored colours were never shown\n");
        return 1;
    }

    Drag plain;
    Drag kept;
    if (!plain.find(window) || !kept.find(keeping)) {
        std::fprintf(stderr, "the window lacks its panels\n");
        return 1;
    }
    // Held down for the whole run, as in one long drag: each release is a drag's end, which the
    // history keeps and saves, and that save would land in the next run's timing.
    plain.slider->setSliderDown(true);
    kept.slider->setSliderDown(true);

    const Colours colours;
    unsigned chooserCounter = 1;
    unsigned repaintCounter = 0;
    const auto nothing = [](unsigned) {};
    const auto prepareDrag = [&](unsigned step) { plain.prepare(colours, step); };
    const auto dragStep = [&](unsigned step) { plain.step(step); };
    const auto chooserStep = [&](unsigned step) { dialog.setCurrentColor(colours.at(step)); };

    benchmark::RegisterBenchmark("window/drag_step", [&](benchmark::State &state) {
        timeSteps(state, prepareDrag, dragStep, plain.counter);
    })->UseManualTime();
    benchmark::RegisterBenchmark("window/QColorDialog_setCurrentColor",
        [&](benchmark::State &state) { timeSteps(state, nothing, chooserStep, chooserCounter); })
        ->UseManualTime();

    // For reading the drag step: what a repaint of the whole window and of the swatch cost.
    benchmark::RegisterBenchmark("window/repaint_whole", [&](benchmark::State &state) {
        timeSteps(
            state, nothing, [&](unsigned) { window.repaint(); }, repaintCounter);
    })->UseManualTime();
    benchmark::RegisterBenchmark("window/repaint_swatch", [&](benchmark::State &state) {
        timeSteps(
            state, nothing, [&](unsigned) { window.repaint(QRect(20, 20, 151, 221)); },
            repaintCounter);
    })->UseManualTime();

    // The goal's ratio. Absolute times drift from minute to minute, so the two contenders take
    // turns in blocks of 32 steps, each first in every other block; 32 steps keep each one's
    // caches as warm as in a run of its own. The ratio is of the summed times.
    benchmark::RegisterBenchmark("goal/drag_step_vs_setCurrentColor", [&](benchmark::State &state) {
        constexpr int blockSteps = 32;
        double dragSeconds = 0;
        double chooserSeconds = 0;
        bool dragFirst = true;
        const auto dragBlock = [&] { return plain.block(colours, blockSteps); };
        const auto chooserBlock = [&] {
            double seconds = 0;
            for (int i = 0; i < blockSteps; ++i)
                seconds += timeOne(chooserStep, chooserCounter);
            return seconds;
        };
        for (auto _ : state) {
            double drag = 0;
            double chooser = 0;
            if (dragFirst) {
                drag = dragBlock();
                chooser = chooserBlock();
            } else {
                chooser = chooserBlock();
                drag = dragBlock();
            }
            dragFirst = !dragFirst;
            dragSeconds += drag;
            chooserSeconds += chooser;
            state.SetIterationTime(drag + chooser);
        }
        const double steps = static_cast<double>(state.iterations()) * blockSteps;
        state.counters["drag_us"] = dragSeconds / steps * 1e6;
        state.counters["chooser_us"] = chooserSeconds / steps * 1e6;
        state.counters["ratio"] = dragSeconds / chooserSeconds;
    })->UseManualTime();

    // The same drag in the window with a full history strip and the palette panel shown, in
    // turns with the plain window, as above.
    benchmark::RegisterBenchmark("goal/drag_step_with_strip_and_panel",
        [&](benchmark::State &state) {
            constexpr int blockSteps = 32;
            double plainSeconds = 0;
            double keptSeconds = 0;
            bool plainFirst = true;
            for (auto _ : state) {
                double first = 0;
                double second = 0;
                if (plainFirst) {
                    first = plain.block(colours, blockSteps);
                    second = kept.block(colours, blockSteps);
                } else {
                    second = kept.block(colours, blockSteps);
                    first = plain.block(colours, blockSteps);
                }
                plainFirst = !plainFirst;
                plainSeconds += first;
                keptSeconds += second;
                state.SetIterationTime(first + second);
            }
            const double steps = static_cast<double>(state.iterations()) * blockSteps;
            state.counters["plain_us"] = plainSeconds / steps * 1e6;
            state.counters["kept_us"] = keptSeconds / steps * 1e6;
            state.counters["ratio"] = keptSeconds / plainSeconds;
        })
        ->UseManualTime();

    MedianReporter reporter;
    runBenchmarks(argc, argv, 0.2, reporter);
    plain.slider->setSliderDown(false);
    kept.slider->setSliderDown(false);

    const std::string paired = "goal/drag_step_vs_setCurrentColor";
    const double ratio = reporter.medianCounter(paired, "ratio");
    if (ratio > 0) {
        std::printf("drag step: %.1f us; QColorDialog::setCurrentColor: %.1f us, medians of "
                    "alternating blocks\n",
            reporter.medianCounter(paired, "drag_us"),
            reporter.medianCounter(paired, "chooser_us"));
        printGoal("drag step / QColorDialog::setCurrentColor", ratio, 0.50);
    }
    const std::string withKeeper = "goal/drag_step_with_strip_and_panel";
    const double keptRatio = reporter.medianCounter(withKeeper, "ratio");
    if (keptRatio > 0) {
        std::printf("drag step: %.1f us plain, %.1f us with the full strip and the palette panel "
                    "shown, medians of alternating blocks\n",
            reporter.medianCounter(withKeeper, "plain_us"),
            reporter.medianCounter(withKeeper, "kept_us"));
        printGoal("drag step with the strip and panel / without", keptRatio, 1.10);
    }
    return 0;
}
