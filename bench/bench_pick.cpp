// The X11 picker's overlay on a still of a whole screen: what one pointer move costs, with the
// loupe following it, against one repaint of the whole overlay.
#include "benchsupport.h"
#include "goal.h"
#include "pickloupe.h"
#include "screenpickoverlay.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QWindow>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// A screen's worth of noise, so that no two loupe views are alike.
QImage noise(const QSize &size)
{
    QImage still(size, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(still.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            line[x] = 0xff000000u | (seed >> 8);
        }
    }
    return still;
}

// One overlay and the pointer sweeping it row by row, 7 by 5 logical pixels a step, so that
// the loupe also flips at every edge.
struct Sweep
{
    std::unique_ptr<ScreenPickOverlay> overlay;
    unsigned counter = 0;

    explicit Sweep(const QSize &size)
        : overlay(std::make_unique<ScreenPickOverlay>(noise(size)))
    { }

    QPointF at(unsigned step) const
    {
        const int across = overlay->width() / 7;
        const int down = overlay->height() / 5;
        return QPointF((step % across) * 7 + 0.5, (step / across % down) * 5 + 0.5);
    }

    void move(unsigned step) const
    {
        const QPointF window = at(step);
        QMouseEvent event(
            QEvent::MouseMove, window, window, window, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(overlay.get(), &event);
    }
};

// Times one call and the paint it caused: the update it posted runs inside the timing.
template<typename Step> double timeOne(Step step, unsigned &counter)
{
    const auto start = Clock::now();
    step(counter);
    QCoreApplication::processEvents();
    const auto end = Clock::now();
    ++counter;
    return std::chrono::duration<double>(end - start).count();
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

void registerScreen(const char *name, Sweep &sweep)
{
    const std::string screen(name);
    unsigned repaints = 0;
    benchmark::RegisterBenchmark(("pick/loupe_move_" + screen).c_str(),
        [&sweep](benchmark::State &state) {
            for (auto _ : state) {
                state.SetIterationTime(
                    timeOne([&sweep](unsigned step) { sweep.move(step); }, sweep.counter));
            }
        })
        ->UseManualTime();
    // Of a move's time, what the loupe's own paint takes.
    benchmark::RegisterBenchmark(("pick/repaint_loupe_" + screen).c_str(),
        [&sweep, repaints](benchmark::State &state) mutable {
            auto *loupe = sweep.overlay->findChild<PickLoupe *>(QStringLiteral("pickLoupe"));
            for (auto _ : state)
                state.SetIterationTime(timeOne([loupe](unsigned) { loupe->repaint(); }, repaints));
        })
        ->UseManualTime();
    benchmark::RegisterBenchmark(("pick/repaint_overlay_" + screen).c_str(),
        [&sweep, repaints](benchmark::State &state) mutable {
            for (auto _ : state) {
                state.SetIterationTime(
                    timeOne([&sweep](unsigned) { sweep.overlay->repaint(); }, repaints));
            }
        })
        ->UseManualTime();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    Sweep full(QSize(1920, 1080));
    Sweep large(QSize(3840, 2160));
    for (Sweep *sweep : {&full, &large}) {
        sweep->overlay->show();
        if (!waitExposed(sweep->overlay.get())) {
            std::fprintf(stderr, "the overlay was never exposed\n");
            return 1;
        }
        sweep->move(0);
        QCoreApplication::processEvents();
        if (!sweep->overlay->findChild<PickLoupe *>(QStringLiteral("pickLoupe"))->isVisible()) {
            std::fprintf(stderr, "the loupe does not follow the pointer\n");
            return 1;
        }
    }
    registerScreen("1920x1080", full);
    registerScreen("3840x2160", large);

    // The goal's ratio, on the larger screen, where a whole repaint costs most: moves and whole
    // repaints take turns in blocks of 32, each first in every other block, as in bench_window.
    benchmark::RegisterBenchmark("goal/loupe_move_vs_repaint_overlay",
        [&](benchmark::State &state) {
            constexpr int blockSteps = 32;
            unsigned repaints = 0;
            double moveSeconds = 0;
            double repaintSeconds = 0;
            bool moveFirst = true;
            const auto moveBlock = [&] {
                double seconds = 0;
                for (int i = 0; i < blockSteps; ++i)
                    seconds += timeOne([&](unsigned step) { large.move(step); }, large.counter);
                return seconds;
            };
            const auto repaintBlock = [&] {
                double seconds = 0;
                for (int i = 0; i < blockSteps; ++i)
                    seconds += timeOne([&](unsigned) { large.overlay->repaint(); }, repaints);
                return seconds;
            };
            for (auto _ : state) {
                double moves = 0;
                double repaint = 0;
                if (moveFirst) {
                    moves = moveBlock();
                    repaint = repaintBlock();
                } else {
                    repaint = repaintBlock();
                    moves = moveBlock();
                }
                moveFirst = !moveFirst;
                moveSeconds += moves;
                repaintSeconds += repaint;
                state.SetIterationTime(moves + repaint);
            }
            const double steps = static_cast<double>(state.iterations()) * blockSteps;
            state.counters["move_us"] = moveSeconds / steps * 1e6;
            state.counters["repaint_us"] = repaintSeconds / steps * 1e6;
            state.counters["ratio"] = moveSeconds / repaintSeconds;
        })
        ->UseManualTime();

    MedianReporter reporter;
    runBenchmarks(argc, argv, 0.2, reporter);

    for (const char *screen : {"1920x1080", "3840x2160"}) {
        std::printf("%s: %.1f us per pointer move with the loupe, %.1f us per whole repaint\n",
            screen, reporter.median(std::string("pick/loupe_move_") + screen) / 1e3,
            reporter.median(std::string("pick/repaint_overlay_") + screen) / 1e3);
    }
    const std::string paired = "goal/loupe_move_vs_repaint_overlay";
    const double ratio = reporter.medianCounter(paired, "ratio");
    if (ratio > 0) {
        std::printf("3840x2160: pointer move %.1f us, whole repaint %.1f us, medians of "
                    "alternating blocks\n",
            reporter.medianCounter(paired, "move_us"),
            reporter.medianCounter(paired, "repaint_us"));
        printGoal("loupe move / whole overlay repaint", ratio, 0.05);
    }
    return 0;
}
