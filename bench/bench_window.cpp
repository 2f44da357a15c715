#include "benchsupport.h"
#include "goal.h"
#include "mainwindow.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSlider>
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

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    MainWindow window;
    window.show();
    QColorDialog dialog;
    dialog.show();
    if (!waitExposed(&window) || !waitExposed(&dialog)) {
        std::fprintf(stderr, "the windows were never exposed\n");
        return 1;
    }

    auto *combo = window.findChild<QComboBox *>(QStringLiteral("comboBox1"));
    auto *secondCombo = window.findChild<QComboBox *>(QStringLiteral("comboBox2"));
    auto *thirdCombo = window.findChild<QComboBox *>(QStringLiteral("comboBox3"));
    auto *slider = window.findChild<QSlider *>(QStringLiteral("horizontalSlider_1"));
    auto *greenEdit = window.findChild<QLineEdit *>(QStringLiteral("lineEdit_2"));
    auto *blueEdit = window.findChild<QLineEdit *>(QStringLiteral("lineEdit_3"));
    if (!combo || !secondCombo || !thirdCombo || !slider || !greenEdit || !blueEdit) {
        std::fprintf(stderr, "the window lacks its panels\n");
        return 1;
    }
    // What a combo box does when the user picks a model from its list. The other two panels show
    // models whose every channel follows a red drag: HSV and CMYK, eight edits and sliders.
    const auto choose = [](QComboBox *box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    };
    choose(combo, 0);
    choose(secondCombo, 2);
    choose(thirdCombo, 1);
    QCoreApplication::processEvents();

    const Colours colours;
    // Shared by every benchmark that drags, so that no step lands on the position already shown.
    unsigned dragCounter = 1;
    unsigned chooserCounter = 1;
    unsigned repaintCounter = 0;
    const auto nothing = [](unsigned) {};
    const auto prepareDrag = [&](unsigned step) {
        // The other two channels move between runs of 256 reds, outside the timing.
        if (step % 256 == 0) {
            greenEdit->setText(QString::number(colours.green(step)));
            blueEdit->setText(QString::number(colours.blue(step)));
        }
    };
    const auto dragStep = [&](unsigned step) { slider->setSliderPosition(Colours::red(step)); };
    const auto chooserStep = [&](unsigned step) { dialog.setCurrentColor(colours.at(step)); };

    benchmark::RegisterBenchmark("window/drag_step", [&](benchmark::State &state) {
        slider->setSliderDown(true);
        timeSteps(state, prepareDrag, dragStep, dragCounter);
        slider->setSliderDown(false);
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
        slider->setSliderDown(true);
        double dragSeconds = 0;
        double chooserSeconds = 0;
        bool dragFirst = true;
        const auto dragBlock = [&] {
            double seconds = 0;
            for (int i = 0; i < blockSteps; ++i) {
                prepareDrag(dragCounter);
                seconds += timeOne(dragStep, dragCounter);
            }
            return seconds;
        };
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
        slider->setSliderDown(false);
        const double steps = static_cast<double>(state.iterations()) * blockSteps;
        state.counters["drag_us"] = dragSeconds / steps * 1e6;
        state.counters["chooser_us"] = chooserSeconds / steps * 1e6;
        state.counters["ratio"] = dragSeconds / chooserSeconds;
    })->UseManualTime();

    MedianReporter reporter;
    runBenchmarks(argc, argv, 0.2, reporter);

    const std::string paired = "goal/drag_step_vs_setCurrentColor";
    const double ratio = reporter.medianCounter(paired, "ratio");
    if (ratio > 0) {
        std::printf("drag step: %.1f us; QColorDialog::setCurrentColor: %.1f us, medians of "
                    "alternating blocks\n",
            reporter.medianCounter(paired, "drag_us"),
            reporter.medianCounter(paired, "chooser_us"));
        printGoal("drag step / QColorDialog::setCurrentColor", ratio, 0.50);
    }
    return 0;
}
