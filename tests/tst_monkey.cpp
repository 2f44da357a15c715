#include "mainwindow.h"
#include "modeloracle.h"
#include "windowtesting.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSlider>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// Replay a failure with the seed it printed; the action count is lowered where every action is
// slow, as under the sanitizers.
const char seedVariable[] = "PRISMORA_MONKEY_SEED";
const char actionsVariable[] = "PRISMORA_MONKEY_ACTIONS";
constexpr int defaultActions = 20000;
// How many of the latest actions a failure lists.
constexpr int historyLength = 12;
// A full look at every model of every panel this often, besides the one at the end.
constexpr int deepCheckInterval = 2500;

const QString boxTitle = QString::fromUtf8(Oracle::rangeTitle);

const char *modelName(int model)
{
    return Oracle::models[model].label;
}
int channelCount(int model)
{
    return Oracle::models[model].channelCount;
}
const char *rangeMessage(int model)
{
    return Oracle::models[model].rangeMessage;
}
constexpr int rgbModel = Oracle::Rgb;
constexpr int modelCount = Oracle::Count;

QString lastUnit(const QString &text)
{
    const bool pair = text.size() >= 2 && text.at(text.size() - 1).isLowSurrogate();
    return text.right(pair ? 2 : 1);
}

// Whether the window must refuse the text: a number (in C's notation, beyond double's range
// too, or nan or inf) outside the channel's range. A text that is no number applies nothing.
bool refused(const QString &text, int model, int channel)
{
    static const QRegularExpression decimal(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    bool number = false;
    const double value = text.toDouble(&number);
    if (!number && !decimal.match(text).hasMatch())
        return false;
    return !(std::isfinite(value) && value >= Oracle::models[model].channels[channel].lowest
        && value <= Oracle::models[model].channels[channel].highest);
}

quint64 seedFromEnvironment()
{
    bool ok = false;
    const quint64 seed = qEnvironmentVariable(seedVariable).toULongLong(&ok);
    return ok ? seed : QRandomGenerator::system()->generate64();
}

int actionsFromEnvironment()
{
    bool ok = false;
    const int actions = qEnvironmentVariableIntValue(actionsVariable, &ok);
    return ok && actions > 0 ? actions : defaultActions;
}

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void randomActionsKeepTheWindowSound();

private:
    struct Panel
    {
        QComboBox *combo;
        QLineEdit *edits[4];
        QSlider *sliders[4];
    };

    // What one random action did, and what it lets the test expect.
    struct Action
    {
        QString description;
        int boxModel = -1; // the model whose range message the action may raise
        int boxCount = -1; // how many boxes it must raise, where that is known
        int earlierBoxes = 0; // raised before the step that boxCount counts
        bool drew = false;
        QColor swatch; // after drawing: the colour the swatch must show
    };

    Panel panel(int index) const;
    QString randomText();
    Action act();
    // Chooses every model in every panel; false, with the reason, where something is wrong.
    bool everyModelReadsFinite(QString &why);
    bool swatchShowsTheEngine(QString &why);
    QByteArray failure(int action, const QString &why) const;

    quint64 seed = 0;
    int boxesAnswered = 0;
    int choosersAnswered = 0;
    QRandomGenerator random;
    QStringList history;
    std::unique_ptr<WarningLog> warnings;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MessageBoxAnswerer> boxes;
    std::unique_ptr<ColourChooserAnswerer> chooser;
};

void TestMonkey::initTestCase()
{
    // "3,5" is no number here whatever the machine's locale.
    QLocale::setDefault(QLocale::c());
    seed = seedFromEnvironment();
    random.seed(seed);
    qInfo("seed %llu (replay with %s=%llu)", seed, seedVariable, seed);
}

void TestMonkey::cleanupTestCase()
{
    qInfo("%d range messages and %d colour choosers answered", boxesAnswered, choosersAnswered);
}

void TestMonkey::init()
{
    warnings = std::make_unique<WarningLog>();
    window = std::make_unique<MainWindow>();
    boxes = std::make_unique<MessageBoxAnswerer>(window.get());
    chooser = std::make_unique<ColourChooserAnswerer>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestMonkey::cleanup()
{
    choosersAnswered = chooser->opened();
    chooser.reset();
    boxes.reset();
    window.reset();
    QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
    warnings.reset();
}

TestMonkey::Panel TestMonkey::panel(int index) const
{
    Panel result;
    result.combo = window->findChild<QComboBox *>(QStringLiteral("comboBox%1").arg(index + 1));
    for (int c = 0; c < 3; ++c) {
        const int number = index * 3 + c + 1;
        result.edits[c] = window->findChild<QLineEdit *>(QStringLiteral("lineEdit_%1").arg(number));
        result.sliders[c]
            = window->findChild<QSlider *>(QStringLiteral("horizontalSlider_%1").arg(number));
    }
    result.edits[3]
        = window->findChild<QLineEdit *>(QStringLiteral("lineEdit_%1_4").arg(index + 1));
    result.sliders[3]
        = window->findChild<QSlider *>(QStringLiteral("horizontalSlider_%1_4").arg(index + 1));
    return result;
}

QString TestMonkey::randomText()
{
    static const QStringList oddities {QStringLiteral("nan"), QStringLiteral("-inf"),
        QStringLiteral("1e999"), QStringLiteral("1e-400"), QStringLiteral("-0"),
        QStringLiteral("0x1f"), QStringLiteral(" 7 "), QStringLiteral("+"), QStringLiteral("."),
        QStringLiteral("e3"), QStringLiteral("3,5"), QStringLiteral("abc"), QString::fromUtf8("٣٤"),
        QString::fromUtf8("４２"), QString::fromUtf8("\u200F9"), QString::fromUtf8("\U0001F308")};
    switch (random.bounded(6)) {
    case 0:
    case 1: // a whole number around every model's range
        return QString::number(random.bounded(-150, 400));
    case 2: { // a fraction just inside or outside some model's bound
        static const double bounds[] = {-128, 0, 100, 108.9, 127, 255, 360};
        const double offset = (random.bounded(2.0) - 1) * std::pow(10.0, -random.bounded(8));
        return QString::number(bounds[random.bounded(7)] + offset, 'g', 1 + random.bounded(12));
    }
    case 3: // a single keystroke added to what is there
        return QString(QLatin1Char("0123456789.-e"[random.bounded(13)]));
    case 4: // a far-out magnitude
        return QString::number(std::ldexp(random.bounded(2.0) - 1, random.bounded(-1100, 1100)));
    default:
        return oddities.at(random.bounded(oddities.size()));
    }
}

TestMonkey::Action TestMonkey::act()
{
    const int p = random.bounded(3);
    const Panel widgets = panel(p);
    Action action;
    action.boxModel = widgets.combo->currentIndex();
    const int roll = random.bounded(100);

    if (roll < 15) {
        const int chosen = random.bounded(modelCount);
        action.boxModel = chosen;
        choose(widgets.combo, chosen);
        action.description
            = QStringLiteral("panel %1: choose %2").arg(p + 1).arg(modelName(chosen));
        return action;
    }
    if (roll < 62) {
        const int c = random.bounded(4);
        QLineEdit *edit = widgets.edits[c];
        if (!edit->isEnabled()) {
            action.description
                = QStringLiteral("panel %1: edit %2 is disabled").arg(p + 1).arg(c + 1);
            return action;
        }
        edit->setFocus();
        if (roll < 55) {
            const QString text = randomText();
            const bool append = random.bounded(3) == 0;
            if (append)
                QTest::keyClick(edit, Qt::Key_End);
            else
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            // Only the final keystroke's box is predicted; the ones before it are checked for
            // their text alone.
            const QString last = lastUnit(text);
            pressKeys(edit, text.left(text.size() - last.size()));
            action.earlierBoxes = boxes->boxes().size();
            pressKeys(edit, last);
            action.boxCount = refused(edit->text(), action.boxModel, c) ? 1 : 0;
            action.description
                = QStringLiteral("panel %1: %2 \"%3\" in edit %4")
                      .arg(p + 1)
                      .arg(append ? QStringLiteral("append") : QStringLiteral("type"))
                      .arg(text)
                      .arg(c + 1);
        } else {
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Backspace);
            // An empty text is no number: nothing applies, nothing is said.
            action.boxCount = 0;
            action.description = QStringLiteral("panel %1: clear edit %2").arg(p + 1).arg(c + 1);
        }
        return action;
    }
    if (roll < 96) {
        const int c = random.bounded(4);
        QSlider *slider = widgets.sliders[c];
        if (!slider->isEnabled()) {
            action.description
                = QStringLiteral("panel %1: slider %2 is disabled").arg(p + 1).arg(c + 1);
            return action;
        }
        // A drag passes through a few positions before the handle is let go.
        const int steps = 1 + random.bounded(4);
        QStringList positions;
        slider->setSliderDown(true);
        for (int s = 0; s < steps; ++s) {
            const int position = random.bounded(slider->minimum(), slider->maximum() + 1);
            slider->setSliderPosition(position);
            positions.append(QString::number(position));
        }
        slider->setSliderDown(false);
        // A slider offers only positions that its model accepts.
        action.boxCount = 0;
        action.description = QStringLiteral("panel %1: drag slider %2 to %3")
                                 .arg(p + 1)
                                 .arg(c + 1)
                                 .arg(positions.join(QLatin1Char(' ')));
        return action;
    }
    const bool cancel = random.bounded(4) == 0;
    const QColor answer
        = cancel ? QColor() : QColor(random.bounded(256), random.bounded(256), random.bounded(256));
    action.drew = true;
    action.boxModel = -1;
    action.boxCount = 0;
    // A chosen colour is painted as it is; a cancelled chooser keeps the colour.
    action.swatch = cancel ? swatchColour(window.get()) : answer;
    chooser->setAnswer(answer);
    window->findChild<QPushButton *>(QStringLiteral("DrawButton"))->click();
    action.description
        = cancel ? QStringLiteral("draw, cancelled") : QStringLiteral("draw %1").arg(answer.name());
    return action;
}

bool TestMonkey::everyModelReadsFinite(QString &why)
{
    for (int p = 0; p < 3; ++p) {
        const Panel widgets = panel(p);
        // RGB last, so that the swatch check after this reads the colour as it stands.
        for (int model : {1, 2, 3, 4, 5, 6, 7, 8, rgbModel}) {
            boxes->clear();
            choose(widgets.combo, model);
            for (const auto &box : boxes->boxes()) {
                if (box.title != boxTitle || box.text != QString::fromUtf8(rangeMessage(model))) {
                    why = QStringLiteral("choosing %1 raised \"%2: %3\"")
                              .arg(modelName(model), box.title, box.text);
                    return false;
                }
            }
            for (int c = 0; c < channelCount(model); ++c) {
                const QString text = widgets.edits[c]->text();
                bool ok = false;
                const double value = text.toDouble(&ok);
                if (!ok || !std::isfinite(value)) {
                    why = QStringLiteral("panel %1 %2 channel %3 shows \"%4\"")
                              .arg(p + 1)
                              .arg(modelName(model))
                              .arg(c + 1)
                              .arg(text);
                    return false;
                }
            }
        }
    }
    return true;
}

bool TestMonkey::swatchShowsTheEngine(QString &why)
{
    const Panel rgb = panel(2);
    if (rgb.combo->currentIndex() != rgbModel) {
        why = QStringLiteral("panel 3 does not show RGB");
        return false;
    }
    const QColor engine(
        rgb.edits[0]->text().toInt(), rgb.edits[1]->text().toInt(), rgb.edits[2]->text().toInt());
    const QColor swatch = swatchColour(window.get());
    if (swatch != engine) {
        why = QStringLiteral("swatch %1, engine %2").arg(swatch.name(), engine.name());
        return false;
    }
    return true;
}

QByteArray TestMonkey::failure(int action, const QString &why) const
{
    return QStringLiteral("after action %1 with seed %2: %3\nlatest actions:\n  %4")
        .arg(action)
        .arg(seed)
        .arg(why, history.join(QStringLiteral("\n  ")))
        .toUtf8();
}

void TestMonkey::randomActionsKeepTheWindowSound()
{
    const int actions = actionsFromEnvironment();
    QString why;
    for (int i = 1; i <= actions; ++i) {
        boxes->clear();
        const int openedBefore = chooser->opened();
        const Action action = act();
        history.append(action.description);
        if (history.size() > historyLength)
            history.removeFirst();

        QVERIFY2(warnings->warnings().isEmpty(),
            failure(i, warnings->warnings().join(QLatin1Char('\n'))).constData());
        QVERIFY2(
            !QApplication::activeModalWidget(), failure(i, "a dialog stayed open").constData());
        QVERIFY2(window->isVisible(), failure(i, "the window closed").constData());
        boxesAnswered += boxes->boxes().size();
        if (action.boxCount >= 0) {
            const int counted = boxes->boxes().size() - action.earlierBoxes;
            QVERIFY2(counted == action.boxCount,
                failure(
                    i, QStringLiteral("%1 boxes, expected %2").arg(counted).arg(action.boxCount))
                    .constData());
        }
        for (const auto &box : boxes->boxes()) {
            const bool right = action.boxModel >= 0 && box.title == boxTitle
                && box.text == QString::fromUtf8(rangeMessage(action.boxModel))
                && box.parentIsWindow;
            QVERIFY2(right,
                failure(i, QStringLiteral("box \"%1: %2\"").arg(box.title, box.text)).constData());
        }
        if (action.drew) {
            QVERIFY2(chooser->opened() == openedBefore + 1,
                failure(i, "the chooser did not open once").constData());
            const QColor swatch = swatchColour(window.get());
            QVERIFY2(swatch == action.swatch,
                failure(i,
                    QStringLiteral("swatch %1, expected %2")
                        .arg(swatch.name(), action.swatch.name()))
                    .constData());
        }
        if (i % deepCheckInterval == 0 || i == actions) {
            QVERIFY2(everyModelReadsFinite(why), failure(i, why).constData());
            QVERIFY2(swatchShowsTheEngine(why), failure(i, why).constData());
            QVERIFY2(warnings->warnings().isEmpty(),
                failure(i, warnings->warnings().join(QLatin1Char('\n'))).constData());
        }
    }
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
