#include "mainwindow.h"
#include "modeloracle.h"
#include "windowtesting.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

const QString boxTitle = QStringLiteral("Ууууууупс :( !Ошибка!");

// What the window accepts per model and channel, and the message that refuses anything else.
using Oracle::models;
constexpr int rgbModel = Oracle::Rgb;
constexpr int modelCount = Oracle::Count;

// A line edit holds at most this many characters; longer pastes are cut to it.
constexpr int editCapacity = 32767;

enum class Entry { Typed, Pasted, Dropped };

struct Hostile
{
    QString name;
    QString text;
    // What the window reads the text as; none for a text that is no number, which applies nothing.
    std::optional<double> readsAs;
    bool isLong = false;
};

QList<Hostile> hostileInputs()
{
    QString document;
    while (document.size() < 1024 * 1024)
        document += QStringLiteral("Colour 12, shade 7.5 -- \"quoted\"\ttab\n");
    return {
        {"nan", "nan", notANumber},
        {"inf", "inf", infinity},
        {"-inf", "-inf", -infinity},
        {"1e999", "1e999", infinity},
        {"-1e999", "-1e999", -infinity},
        {"1e-400", "1e-400", 0},
        {"-0", "-0", -0.0},
        {"hex", "0x10", std::nullopt},
        {"padded", "  12  ", 12},
        {"plus", "+", std::nullopt},
        {"minus", "-", std::nullopt},
        {"dot", ".", std::nullopt},
        {"bare exponent", "e5", std::nullopt},
        {"decimal comma", "12,5", std::nullopt},
        {"digit separator", "1_000", std::nullopt},
        {"arabic-indic digits", QString::fromUtf8("١٢"), std::nullopt},
        {"full-width digits", QString::fromUtf8("１２"), std::nullopt},
        {"right-to-left marks", QString::fromUtf8("\u200F12\u200F"), std::nullopt},
        {"emoji", QString::fromUtf8("\U0001F3A8"), std::nullopt},
        // A colour's notation in a channel is no number, however far beyond its values lie.
        {"color()", "color(display-p3 1 0 0)", std::nullopt},
        {"color() beyond every gamut", "COLOR(xyz 1e999 -1e999 none / 1e999)", std::nullopt},
        {"color() broken", "color(rec2020 0.5deg, 0.5", std::nullopt},
        {"100000 digits", QString(100000, QLatin1Char('9')), infinity, true},
        {"100000 decimals", QStringLiteral("0.") + QString(100000, QLatin1Char('3')), 1.0 / 3,
            true},
        {"1 MB document", document, std::nullopt, true},
    };
}

QComboBox *comboOf(QWidget *window, int panel)
{
    return window->findChild<QComboBox *>(QStringLiteral("comboBox%1").arg(panel + 1));
}

QLineEdit *editOf(QWidget *window, int panel, int channel)
{
    const QString name = channel == 3 ? QStringLiteral("lineEdit_%1_4").arg(panel + 1)
                                      : QStringLiteral("lineEdit_%1").arg(panel * 3 + channel + 1);
    return window->findChild<QLineEdit *>(name);
}

QPoint dropPoint(QLineEdit *edit)
{
    return QPoint(4, edit->height() / 2);
}

QString lastUnit(const QString &text)
{
    const bool pair = text.size() >= 2 && text.at(text.size() - 1).isLowSurrogate();
    return text.right(pair ? 2 : 1);
}

// Entering text the way a person does, in two halves: everything up to the final step, then the
// final step, so that a test can tell what the final text alone does.
void beginEntry(QLineEdit *edit, const QString &text, Entry entry)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    switch (entry) {
    case Entry::Typed:
        // Typing over the selection replaces it without passing through an empty text.
        pressKeys(edit, text.left(text.size() - lastUnit(text).size()));
        break;
    case Entry::Pasted:
        QGuiApplication::clipboard()->setText(text);
        break;
    case Entry::Dropped: {
        // A drop inserts where it lands, so the field is emptied first.
        QTest::keyClick(edit, Qt::Key_Delete);
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enterEvent(
            dropPoint(edit), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enterEvent);
        break;
    }
    }
}

void finishEntry(QLineEdit *edit, const QString &text, Entry entry)
{
    switch (entry) {
    case Entry::Typed:
        pressKeys(edit, lastUnit(text));
        break;
    case Entry::Pasted:
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        break;
    case Entry::Dropped: {
        QMimeData data;
        data.setText(text);
        QDropEvent drop(dropPoint(edit), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
        break;
    }
    }
}

QByteArray describeBoxes(const MessageBoxAnswerer &boxes)
{
    QStringList lines;
    for (const auto &box : boxes.boxes())
        lines.append(box.title + QLatin1String(": ") + box.text);
    return lines.join(QLatin1Char('\n')).toUtf8();
}

} // namespace

Q_DECLARE_METATYPE(Entry)

class TestHostileInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void hostileTextIsAppliedOrRefused_data();
    void hostileTextIsAppliedOrRefused();

private:
    // Chooses the model in the panel; every box this raises must be that model's own.
    void chooseChecked(int panel, int model);

    // One window for every row, as in a long session; each row sets its own starting colour.
    std::unique_ptr<WarningLog> warnings;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MessageBoxAnswerer> boxes;
};

void TestHostileInput::initTestCase()
{
    // "12,5" is no number here whatever the machine's locale.
    QLocale::setDefault(QLocale::c());
    warnings = std::make_unique<WarningLog>();
    window = std::make_unique<MainWindow>();
    boxes = std::make_unique<MessageBoxAnswerer>(window.get());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestHostileInput::cleanupTestCase()
{
    boxes.reset();
    window.reset();
    QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
    warnings.reset();
}

void TestHostileInput::init()
{
    warnings->clear();
}

void TestHostileInput::cleanup()
{
    QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
}

void TestHostileInput::chooseChecked(int panel, int model)
{
    boxes->clear();
    choose(comboOf(window.get(), panel), model);
    for (const auto &box : boxes->boxes()) {
        QCOMPARE(box.title, boxTitle);
        QCOMPARE(box.text, QString::fromUtf8(models[model].rangeMessage));
    }
}

void TestHostileInput::hostileTextIsAppliedOrRefused_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("channel");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::addColumn<double>("readsAs");

    // The panels share one code path, so each panel takes its own way of entering text.
    const Entry panelEntries[] = {Entry::Typed, Entry::Pasted, Entry::Dropped};
    const char *const entryNames[] = {"typed", "pasted", "dropped"};
    const QList<Hostile> inputs = hostileInputs();
    for (int panel = 0; panel < 3; ++panel) {
        for (int model = 0; model < modelCount; ++model) {
            for (int channel = 0; channel < models[model].channelCount; ++channel) {
                for (const Hostile &input : inputs) {
                    // Nobody types a hundred thousand characters; those are pasted.
                    const Entry entry = panelEntries[panel] == Entry::Typed && input.isLong
                        ? Entry::Pasted
                        : panelEntries[panel];
                    const QString name
                        = QStringLiteral("panel %1 %2 channel %3 %4 %5")
                              .arg(panel + 1)
                              .arg(QLatin1String(models[model].label))
                              .arg(channel + 1)
                              .arg(input.name)
                              .arg(QLatin1String(entryNames[static_cast<int>(entry)]));
                    QTest::newRow(qPrintable(name))
                        << panel << model << channel << entry << input.text
                        << input.readsAs.has_value() << input.readsAs.value_or(0);
                }
            }
        }
    }
}

void TestHostileInput::hostileTextIsAppliedOrRefused()
{
    QFETCH(int, panel);
    QFETCH(int, model);
    QFETCH(int, channel);
    QFETCH(Entry, entry);
    QFETCH(QString, text);
    QFETCH(bool, number);
    QFETCH(double, readsAs);

    const Oracle::Model &limits = models[model];
    const int checkPanel = (panel + 1) % 3;

    // Start from a colour whose channels all differ, so that a change anywhere shows.
    choose(comboOf(window.get(), checkPanel), rgbModel);
    editOf(window.get(), checkPanel, 0)->setText(QStringLiteral("200"));
    editOf(window.get(), checkPanel, 1)->setText(QStringLiteral("100"));
    editOf(window.get(), checkPanel, 2)->setText(QStringLiteral("50"));
    choose(comboOf(window.get(), panel), model);
    QLineEdit *edit = editOf(window.get(), panel, channel);
    QVERIFY(edit->isEnabled());
    // What the engine holds before the entry begins, which a refused number puts back.
    chooseChecked(checkPanel, model);
    const QString original = editOf(window.get(), checkPanel, channel)->text();
    const QColor swatchOriginal = swatchColour(window.get());

    beginEntry(edit, text, entry);
    // What the engine holds just before the final step, seen in the other panel.
    chooseChecked(checkPanel, model);
    const QString before = editOf(window.get(), checkPanel, channel)->text();
    const QColor swatchBefore = swatchColour(window.get());
    boxes->clear();
    finishEntry(edit, text, entry);

    if (text.size() <= editCapacity && !text.contains(QLatin1Char('\n')))
        QCOMPARE(edit->text(), text);
    else
        QVERIFY(edit->text().size() <= editCapacity);

    const bool accepted = number && std::isfinite(readsAs)
        && readsAs >= limits.channels[channel].lowest
        && readsAs <= limits.channels[channel].highest;
    if (!number) {
        // No number yet: nothing applied, nothing said.
        QVERIFY2(boxes->boxes().isEmpty(), describeBoxes(*boxes).constData());
        QCOMPARE(swatchColour(window.get()), swatchBefore);
    } else if (accepted) {
        QVERIFY2(boxes->boxes().isEmpty(), describeBoxes(*boxes).constData());
    } else {
        QCOMPARE(boxes->boxes().size(), 1);
        QCOMPARE(boxes->boxes().first().title, boxTitle);
        QCOMPARE(boxes->boxes().first().text, QString::fromUtf8(limits.rangeMessage));
        QVERIFY(boxes->boxes().first().parentIsWindow);
        QCOMPARE(swatchColour(window.get()), swatchOriginal);
    }

    // The other panel shows what the engine holds: the value applied, the colour from before
    // the entry for a refused number, or the one kept for no number.
    chooseChecked(checkPanel, model);
    const QString shown = editOf(window.get(), checkPanel, channel)->text();
    if (!number) {
        QCOMPARE(shown, before);
    } else if (accepted) {
        bool ok = false;
        const double value = shown.toDouble(&ok);
        QVERIFY2(ok, qPrintable(shown));
        // RGB shows whole numbers; everything else six significant digits of a float at worst.
        const double expected = model == rgbModel ? std::trunc(readsAs) : readsAs;
        QVERIFY2(std::fabs(value - expected) <= 1e-5 * std::max(1.0, std::fabs(expected)),
            qPrintable(shown));
    } else {
        QCOMPARE(shown, original);
    }

    // Every model reads as finite numbers; RGB comes last, for the swatch below.
    for (int m : {1, 2, 3, 4, 5, rgbModel}) {
        chooseChecked(checkPanel, m);
        for (int c = 0; c < models[m].channelCount; ++c) {
            const QString number = editOf(window.get(), checkPanel, c)->text();
            bool ok = false;
            const double value = number.toDouble(&ok);
            QVERIFY2(ok && std::isfinite(value),
                qPrintable(QStringLiteral("%1 channel %2 shows %3")
                               .arg(QLatin1String(models[m].label))
                               .arg(c + 1)
                               .arg(number)));
        }
    }

    // RGB was chosen last: its texts are the engine's colour, which the swatch must show.
    const QColor engineColour(editOf(window.get(), checkPanel, 0)->text().toInt(),
        editOf(window.get(), checkPanel, 1)->text().toInt(),
        editOf(window.get(), checkPanel, 2)->text().toInt());
    QCOMPARE(swatchColour(window.get()), engineColour);
}

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"
