#include "channeltext.h"
#include "colourmodels.h"
#include "mainwindow.h"
#include "messagelog.h"
#include "modeloracle.h"
#include "prismora.h"
#include "windowtesting.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {

const QString boxTitle = QString::fromUtf8(Oracle::rangeTitle);

QString rangeMessage(int model)
{
    return QString::fromUtf8(Oracle::models[model].rangeMessage);
}

using namespace Oracle;

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void chooseModel_data();
    void chooseModel();
    void whiteSeenThroughXyz();
    void xyzFirstInAFreshPanel();
    void bounds_data();
    void bounds();
    void typingNeverLosesTheColour_data();
    void typingNeverLosesTheColour();
    void leavingRestoresTextThatIsNoNumber();
    void channelTextReadsNumbers_data();
    void channelTextReadsNumbers();
    void localeSeparatorIsRead();
    void legendNamesTheChannels_data();
    void legendNamesTheChannels();
    void keyDragUpdatesTwice();
    void keyEditOutsideCmykOnlyRepaints();
    void everyPanelFollows_data();
    void everyPanelFollows();
    void typedEditKeepsThePartialText_data();
    void typedEditKeepsThePartialText();
    void refusedValueChangesNoPanel();
    void lookingNeverChangesTheColour();
    void labBeyondXyzBoundsShowsNoMessage();
    void keyboardAndWheelApply_data();
    void keyboardAndWheelApply();
    void dragToTheShownValueChangesNothing();
    void dragPastAnXyzBoundIsRefused();
    void choosingAgainRewritesNothing();
    void slidersTruncate();
    void choosingShowsWithoutApplying();
    void labDrag();
    void scaledSliders();
    void gamutWarning();
    void gamutStates_data();
    void gamutStates();
    void displayP3RoundTrip();
    void channelsNameThemselves_data();
    void channelsNameThemselves();

private:
    QComboBox *combo(int panel) const;
    QLineEdit *edit(int panel, int channel) const;
    QSlider *slider(int panel, int channel) const;
    QStringList texts(int panel) const;
    QList<int> positions(int panel) const;
    void setRgb(int r, int g, int b);

    std::unique_ptr<WarningLog> warnings;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MessageBoxAnswerer> boxes;
};

void TestPanels::init()
{
    warnings = std::make_unique<WarningLog>();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    boxes = std::make_unique<MessageBoxAnswerer>(window.get());
}

void TestPanels::cleanup()
{
    boxes.reset();
    window.reset();
    QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
    warnings.reset();
}

QComboBox *TestPanels::combo(int panel) const
{
    return window->findChild<QComboBox *>(QStringLiteral("comboBox%1").arg(panel + 1));
}

// Channels 0 to 2, and 3 for the fourth pair.
QLineEdit *TestPanels::edit(int panel, int channel) const
{
    const QString name = channel == 3 ? QStringLiteral("lineEdit_%1_4").arg(panel + 1)
                                      : QStringLiteral("lineEdit_%1").arg(panel * 3 + channel + 1);
    return window->findChild<QLineEdit *>(name);
}

QSlider *TestPanels::slider(int panel, int channel) const
{
    const QString name = channel == 3
        ? QStringLiteral("horizontalSlider_%1_4").arg(panel + 1)
        : QStringLiteral("horizontalSlider_%1").arg(panel * 3 + channel + 1);
    return window->findChild<QSlider *>(name);
}

QStringList TestPanels::texts(int panel) const
{
    QStringList result;
    for (int c = 0; c < 4; ++c)
        result.append(edit(panel, c)->text());
    return result;
}

QList<int> TestPanels::positions(int panel) const
{
    QList<int> result;
    for (int c = 0; c < 4; ++c)
        result << slider(panel, c)->minimum() << slider(panel, c)->maximum()
               << slider(panel, c)->value();
    return result;
}

// Types a colour into panel 1 as RGB.
void TestPanels::setRgb(int r, int g, int b)
{
    choose(combo(0), Rgb);
    edit(0, 0)->setText(QString::number(r));
    edit(0, 1)->setText(QString::number(g));
    edit(0, 2)->setText(QString::number(b));
}

void TestPanels::chooseModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("ranges"); // minimum and maximum per slider
    QTest::addColumn<QList<int>>("values");

    QTest::newRow("RGB") << int(Rgb) << QStringList {"255", "128", "0", ""}
                         << QList<int> {0, 255, 0, 255, 0, 255} << QList<int> {255, 128, 0};
    QTest::newRow("CMYK") << int(Cmyk) << QStringList {"0", "49.8039", "100", "0"}
                          << QList<int> {0, 100, 0, 100, 0, 100, 0, 100}
                          << QList<int> {0, 49, 100, 0};
    QTest::newRow("HSV") << int(Hsv) << QStringList {"30.1176", "100", "100", ""}
                         << QList<int> {0, 360, 0, 100, 0, 100} << QList<int> {30, 100, 100};
    QTest::newRow("HSL") << int(Hsl) << QStringList {"30.1176", "100", "50", ""}
                         << QList<int> {0, 360, 0, 100, 0, 100} << QList<int> {30, 100, 50};
    QTest::newRow("XYZ") << int(Xyz) << QStringList {"48.9592", "36.6983", "4.50306", ""}
                         << QList<int> {0, 255, 0, 100, 0, 108} << QList<int> {48, 36, 4};
    QTest::newRow("LAB") << int(Lab) << QStringList {"67.0501", "42.8282", "74.0296", ""}
                         << QList<int> {0, 100, -128, 127, -128, 127} << QList<int> {67, 42, 74};
    QTest::newRow("LCH") << int(Lch) << QStringList {"67.0501", "85.5256", "59.9494", ""}
                         << QList<int> {0, 100, 0, 200, 0, 360} << QList<int> {67, 85, 59};
    // Channels within about ±1 move their sliders in thousandths.
    QTest::newRow("OKLAB") << int(Oklab) << QStringList {"73.1895", "0.111859", "0.148359", ""}
                           << QList<int> {0, 100, -400, 400, -400, 400}
                           << QList<int> {73, 111, 148};
    QTest::newRow("OKLCH") << int(Oklch) << QStringList {"73.1895", "0.185803", "52.9847", ""}
                           << QList<int> {0, 100, 0, 400, 0, 360} << QList<int> {73, 185, 52};
    QTest::newRow("DISPLAY-P3") << int(DisplayP3)
                                << QStringList {"0.936118", "0.529018", "0.19873", ""}
                                << QList<int> {0, 1000, 0, 1000, 0, 1000}
                                << QList<int> {936, 529, 198};
    QTest::newRow("REC2020") << int(Rec2020) << QStringList {"0.836077", "0.508105", "0.145109", ""}
                             << QList<int> {0, 1000, 0, 1000, 0, 1000}
                             << QList<int> {836, 508, 145};
}

void TestPanels::chooseModel()
{
    QFETCH(int, model);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, ranges);
    QFETCH(QList<int>, values);

    setRgb(255, 128, 0);
    choose(combo(1), model);
    QCOMPARE(this->texts(1), texts);
    for (int c = 0; c < values.size(); ++c) {
        QCOMPARE(slider(1, c)->minimum(), ranges[2 * c]);
        QCOMPARE(slider(1, c)->maximum(), ranges[2 * c + 1]);
        QCOMPARE(slider(1, c)->value(), values[c]);
    }
    const bool fourth = model == Cmyk;
    QCOMPARE(edit(1, 3)->isEnabled(), fourth);
    QCOMPARE(slider(1, 3)->isEnabled(), fourth);
    QVERIFY(boxes->boxes().isEmpty());

    // Leaving CMYK disables the fourth pair and leaves what it showed.
    if (fourth) {
        choose(combo(1), Hsv);
        QVERIFY(!edit(1, 3)->isEnabled());
        QVERIFY(!slider(1, 3)->isEnabled());
        QCOMPARE(edit(1, 3)->text(), QStringLiteral("0"));
    }
}

void TestPanels::whiteSeenThroughXyz()
{
    setRgb(255, 255, 255);
    choose(combo(1), Xyz);
    QCOMPARE(texts(1), QStringList({"95.05", "100", "108.9", ""}));
    QCOMPARE(positions(1).mid(0, 9), QList<int>({0, 255, 95, 0, 100, 100, 0, 108, 108}));
    // Stored back from the texts, white stays white in every other model.
    choose(combo(2), Hsl);
    QCOMPARE(texts(2), QStringList({"0", "0", "100", ""}));
    choose(combo(2), Hsv);
    QCOMPARE(texts(2), QStringList({"0", "0", "100", ""}));
    choose(combo(2), Cmyk);
    QCOMPARE(texts(2), QStringList({"0", "0", "0", "0"}));
    QVERIFY2(boxes->boxes().isEmpty(), qPrintable(boxes->texts().join('\n')));
    QCOMPARE(swatchColour(window.get()), QColor(255, 255, 255));
}

void TestPanels::xyzFirstInAFreshPanel()
{
    // XYZ gives every slider its own range, so a drag cannot reach a refused value.
    choose(combo(2), Hsv);
    choose(combo(2), Xyz);
    QCOMPARE(slider(2, 0)->maximum(), 255);
    QCOMPARE(slider(2, 1)->maximum(), 100);
    QCOMPARE(slider(2, 2)->maximum(), 108);
    QCOMPARE(slider(2, 3)->maximum(), 99);
    drag(slider(2, 0), 255);
    QCOMPARE(edit(2, 0)->text(), QStringLiteral("255"));
    QVERIFY(boxes->boxes().isEmpty());
}

void TestPanels::bounds_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    for (int model = 0; model < Count; ++model) {
        const Oracle::Model &m = models[model];
        for (int c = 0; c < m.channelCount; ++c) {
            const auto row = [&](const char *what, const QString &text, bool accepted) {
                QTest::addRow("%s %d %s", m.key, c + 1, what) << model << c << text << accepted;
            };
            row("lowest", QString::number(m.channels[c].lowest), true);
            row("highest", QString::number(m.channels[c].highest), true);
            row("below", QString::number(m.channels[c].lowest - 0.1), false);
            row("above", QString::number(m.channels[c].highest + 0.01), false);
            row("nan", QStringLiteral("nan"), false);
            row("inf", QStringLiteral("inf"), false);
            row("-inf", QStringLiteral("-inf"), false);
            row("overflow", QStringLiteral("1e999"), false);
        }
    }
    // The key is held to 0..100 like cyan, magenta and yellow.
    QTest::newRow("cmyk key 150") << int(Cmyk) << 3 << QStringLiteral("150") << false;
}

void TestPanels::bounds()
{
    QFETCH(int, model);
    QFETCH(int, channel);
    QFETCH(QString, text);
    QFETCH(bool, accepted);

    setRgb(10, 20, 30);
    choose(combo(1), model);
    // A text equal to the shown one changes nothing; start from another.
    if (edit(1, channel)->text() == text)
        edit(1, channel)->setText(QStringLiteral("1"));
    boxes->clear();
    const QColor before = swatchColour(window.get());
    PaintCounter paints(window.get());
    // Only the repaint that follows the closed box counts, not those while it was open.
    connect(boxes.get(), &MessageBoxAnswerer::answered, this, [&paints] { paints.count = 0; });
    edit(1, channel)->setText(text);

    // Every text entry repaints the window at once, refused or not.
    QCOMPARE(paints.count, 1);
    QCOMPARE(edit(1, channel)->text(), text);
    if (accepted) {
        QVERIFY2(boxes->boxes().isEmpty(), qPrintable(boxes->texts().join('\n')));
        return;
    }
    QCOMPARE(boxes->boxes().size(), 1);
    const MessageBoxAnswerer::Box box = boxes->boxes().first();
    QCOMPARE(box.title, boxTitle);
    QCOMPARE(box.text, rangeMessage(model));
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.icon, QMessageBox::Information);
    QVERIFY(box.parentIsWindow);
    QCOMPARE(swatchColour(window.get()), before);
}

// Every channel of every model and the colour as set, as bits: equal only if nothing moved.
QList<quint64> colourBits(const Prismora &engine)
{
    QList<quint64> bits;
    const auto add = [&bits](double value) {
        quint64 word = 0;
        std::memcpy(&word, &value, sizeof word);
        bits.append(word);
    };
    for (int m = 0; m < ColourModels::Count; ++m) {
        const ColourModels::Model *entry = ColourModels::model(m);
        for (int c = 0; c < entry->channelCount; ++c)
            add(entry->channels[c].read(engine));
    }
    for (double value : engine.xyz_d65())
        add(value);
    return bits;
}

void TestPanels::typingNeverLosesTheColour_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<int>("boxCount");

    // Only the last keystroke leaves the range; the prefixes before it apply.
    QTest::newRow("rgb red 300") << int(Rgb) << 0 << "300" << false << 1;
    QTest::newRow("cmyk cyan 150") << int(Cmyk) << 0 << "150" << false << 1;
    QTest::newRow("cmyk key 150") << int(Cmyk) << 3 << "150" << false << 1;
    QTest::newRow("hsv hue 400") << int(Hsv) << 0 << "400" << false << 1;
    QTest::newRow("hsl saturation 101") << int(Hsl) << 1 << "101" << false << 1;
    QTest::newRow("xyz z 109") << int(Xyz) << 2 << "109" << false << 1;
    QTest::newRow("lab a* -129") << int(Lab) << 1 << "-129" << false << 1;
    QTest::newRow("lch chroma 201") << int(Lch) << 1 << "201" << false << 1;
    QTest::newRow("oklab b 0.5") << int(Oklab) << 2 << "0.5" << false << 1;
    QTest::newRow("oklch chroma 0.5") << int(Oklch) << 1 << "0.5" << false << 1;
    QTest::newRow("display-p3 red 1.5") << int(DisplayP3) << 0 << "1.5" << false << 1;
    QTest::newRow("rec2020 blue 1.5") << int(Rec2020) << 2 << "1.5" << false << 1;
    QTest::newRow("hsv hue emptied") << int(Hsv) << 0 << "" << false << 0;
    QTest::newRow("letters") << int(Rgb) << 1 << "abc" << false << 0;
    QTest::newRow("navy pasted in oklch lightness") << int(Oklch) << 0 << "navy" << true << 0;
    QTest::newRow("minus") << int(Lab) << 1 << "-" << false << 0;
    QTest::newRow("point") << int(Oklab) << 1 << "." << false << 0;
    QTest::newRow("open exponent") << int(Xyz) << 0 << "1e" << true << 0;
}

void TestPanels::typingNeverLosesTheColour()
{
    QFETCH(int, model);
    QFETCH(int, channel);
    QFETCH(QString, text);
    QFETCH(bool, pasted);
    QFETCH(int, boxCount);

    setRgb(255, 40, 90);
    choose(combo(1), model);
    choose(combo(2), Rgb);
    QLineEdit *typed = edit(1, channel);
    const QString shownBefore = typed->text();
    const QStringList otherPanel = texts(2);
    const QList<quint64> before = colourBits(window->colourEngine());
    const QColor swatch = swatchColour(window.get());
    const QString field = window->findChild<QLineEdit *>(QStringLiteral("notationEdit"))->text();
    boxes->clear();

    typed->setFocus();
    typed->selectAll();
    if (pasted) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(typed, Qt::Key_V, Qt::ControlModifier);
    } else if (text.isEmpty()) {
        QTest::keyClick(typed, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(typed, text);
    }

    QCOMPARE(boxes->boxes().size(), boxCount);
    QCOMPARE(typed->text(), text);
    // The colour from before the typing, bit for bit, and everything showing it.
    QCOMPARE(colourBits(window->colourEngine()), before);
    QCOMPARE(swatchColour(window.get()), swatch);
    QCOMPARE(texts(2), otherPanel);
    QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("notationEdit"))->text(), field);

    // Escape puts the text back too; the colour stays as it was.
    QTest::keyClick(typed, Qt::Key_Escape);
    QCOMPARE(typed->text(), shownBefore);
    QCOMPARE(colourBits(window->colourEngine()), before);
}

void TestPanels::leavingRestoresTextThatIsNoNumber()
{
    setRgb(10, 20, 30);
    choose(combo(1), Hsv);
    const QString hue = edit(1, 0)->text();
    // A number the window took stays as typed; Escape then puts back the colour from before.
    typeInto(edit(1, 0), QStringLiteral("12"));
    QVERIFY(swatchColour(window.get()) != QColor(10, 20, 30));
    QTest::keyClick(edit(1, 0), Qt::Key_Escape);
    QCOMPARE(edit(1, 0)->text(), hue);
    QCOMPARE(swatchColour(window.get()), QColor(10, 20, 30));

    typeInto(edit(1, 0), QStringLiteral("abc"));
    edit(1, 1)->setFocus(Qt::TabFocusReason);
    QCOMPARE(edit(1, 0)->text(), hue);
    typeInto(edit(1, 1), QStringLiteral("12.5"));
    edit(1, 2)->setFocus(Qt::TabFocusReason);
    QCOMPARE(edit(1, 1)->text(), QStringLiteral("12.5"));
}

void TestPanels::channelTextReadsNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("number");
    QTest::addColumn<double>("value");

    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("whole") << "42" << c << true << 42.0;
    QTest::newRow("padded") << "  12  " << c << true << 12.0;
    QTest::newRow("trailing point") << "12." << c << true << 12.0;
    QTest::newRow("exponent") << "1e2" << c << true << 100.0;
    QTest::newRow("overflow is a number") << "1e999" << c << true << qInf();
    QTest::newRow("underflow is a number") << "1e-400" << c << true << 0.0;
    QTest::newRow("decimal comma in C") << "12,5" << c << false << 0.0;
    QTest::newRow("decimal comma in German") << "12,5" << german << true << 12.5;
    QTest::newRow("decimal point in German") << "12.5" << german << true << 12.5;
    QTest::newRow("grouped in German") << "1.234,5" << german << false << 0.0;
    for (const char *text : {"", "-", ".", "+", "1e", "e5", "abc", "0x10", "1_000", "--1"})
        QTest::newRow(text) << text << c << false << 0.0;
}

void TestPanels::channelTextReadsNumbers()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(bool, number);
    QFETCH(double, value);
    const std::optional<double> read = ChannelText::number(text, locale);
    QCOMPARE(read.has_value(), number);
    if (number)
        QCOMPARE(*read, value);
}

void TestPanels::localeSeparatorIsRead()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    setRgb(50, 60, 70);
    choose(combo(1), Hsl);
    typeInto(edit(1, 2), QStringLiteral("12,5"));
    QLocale::setDefault(before);
    choose(combo(2), Hsl);
    // What the panels write stays in CSS's notation, with a point.
    QCOMPARE(edit(2, 2)->text(), QStringLiteral("12.5"));
    QVERIFY(boxes->boxes().isEmpty());
}

void TestPanels::legendNamesTheChannels_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("legend");
    const char *const legends[] = {"R  G  B  (0-255)", "C  M  Y  K  (%)", "H°  S  V  (%)",
        "H°  S  L  (%)", "X  Y  Z  (D65, Y 0-100)", "L*  a*  b*  (D65)", "L*  C*  h°  (D65)",
        "L (%)  a  b", "L (%)  C  h°", "R  G  B  (0-1)", "R  G  B  (0-1)"};
    for (int m = 0; m < Count; ++m)
        QTest::newRow(models[m].key) << m << QString::fromUtf8(legends[m]);
}

void TestPanels::legendNamesTheChannels()
{
    QFETCH(int, model);
    QFETCH(QString, legend);
    for (int panel = 0; panel < 3; ++panel) {
        auto *label = window->findChild<QLabel *>(QStringLiteral("label%1").arg(panel + 1));
        QCOMPARE(label->text(), QStringLiteral("R  G  B  (0-255)"));
        choose(combo(panel), model);
        QCOMPARE(label->text(), legend);
        // Whole within its column, as drawn.
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(legend));
        choose(combo(panel), Rgb);
    }
}

void TestPanels::keyDragUpdatesTwice()
{
    setRgb(255, 255, 255);
    choose(combo(2), Cmyk);
    PaintCounter paints(window.get());
    drag(slider(2, 3), 40);
    QCOMPARE(edit(2, 3)->text(), QStringLiteral("40"));
    // The key is set directly, then again through the edit; each repaints.
    QCOMPARE(paints.count, 2);
    QCOMPARE(swatchColour(window.get()), QColor(153, 153, 153));
    choose(combo(0), Rgb);
    QCOMPARE(texts(0).mid(0, 3), QStringList({"153", "153", "153"}));
}

void TestPanels::keyEditOutsideCmykOnlyRepaints()
{
    setRgb(10, 20, 30);
    choose(combo(1), Cmyk);
    choose(combo(1), Hsv);
    const QColor before = swatchColour(window.get());
    PaintCounter paints(window.get());
    edit(1, 3)->setText(QStringLiteral("100"));
    QCOMPARE(paints.count, 1);
    QCOMPARE(swatchColour(window.get()), before);
    // And the fourth slider, were it dragged, only repaints.
    drag(slider(1, 3), 50);
    QVERIFY(paints.count > 1);
    QCOMPARE(edit(1, 3)->text(), QStringLiteral("100"));
    QCOMPARE(swatchColour(window.get()), before);
}

void TestPanels::everyPanelFollows_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("typing") << "typing";
    QTest::newRow("drag") << "drag";
    QTest::newRow("keyboard step") << "keyboard";
    QTest::newRow("wheel") << "wheel";
    QTest::newRow("groove click") << "groove";
    QTest::newRow("key drag") << "key";
    QTest::newRow("chooser") << "chooser";
}

void TestPanels::everyPanelFollows()
{
    QFETCH(QString, input);
    setRgb(10, 20, 30);
    choose(combo(1), Hsv);
    choose(combo(2), Cmyk);
    QSlider *value = slider(1, 2);
    if (input == QLatin1String("typing")) {
        typeInto(edit(1, 0), QStringLiteral("7"));
    } else if (input == QLatin1String("drag")) {
        drag(value, 60);
    } else if (input == QLatin1String("keyboard")) {
        value->setFocus();
        QTest::keyClick(value, Qt::Key_End);
    } else if (input == QLatin1String("wheel")) {
        QWheelEvent wheel(QPointF(5, 5), QPointF(value->mapToGlobal(QPoint(5, 5))), QPoint(),
            QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(value, &wheel);
    } else if (input == QLatin1String("groove")) {
        QTest::mouseClick(
            value, Qt::LeftButton, {}, QPoint(value->width() - 2, value->height() / 2));
    } else if (input == QLatin1String("key")) {
        drag(slider(2, 3), 40);
    } else {
        ColourChooserAnswerer chooser(QColor(200, 100, 50));
        window->findChild<QPushButton *>(QStringLiteral("DrawButton"))->click();
    }
    QVERIFY(swatchColour(window.get()) != QColor(10, 20, 30));
    QVERIFY(boxes->boxes().isEmpty());

    // Choosing each panel's model again shows the current colour from scratch: the panels
    // already showed exactly that, texts and positions alike.
    QList<QStringList> shownTexts;
    QList<QList<int>> shownPositions;
    for (int panel = 0; panel < 3; ++panel) {
        shownTexts.append(texts(panel));
        shownPositions.append(positions(panel));
    }
    const QColor colour = swatchColour(window.get());
    for (int panel = 0; panel < 3; ++panel) {
        choose(combo(panel), combo(panel)->currentIndex());
        QCOMPARE(texts(panel), shownTexts[panel]);
        QCOMPARE(positions(panel), shownPositions[panel]);
    }
    QCOMPARE(swatchColour(window.get()), colour);
}

void TestPanels::typedEditKeepsThePartialText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // in another panel showing the same model
    QTest::newRow("trailing point") << QStringLiteral("12.") << QStringLiteral("12");
    QTest::newRow("open exponent") << QStringLiteral("1e") << QStringLiteral("1");
}

void TestPanels::typedEditKeepsThePartialText()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    setRgb(50, 60, 70);
    choose(combo(2), Rgb);
    typeInto(edit(0, 0), typed);
    QCOMPARE(edit(0, 0)->text(), typed);
    QCOMPARE(edit(0, 0)->cursorPosition(), typed.size());
    QCOMPARE(slider(0, 0)->value(), shown.toInt());
    QCOMPARE(edit(2, 0)->text(), shown);
}

void TestPanels::refusedValueChangesNoPanel()
{
    setRgb(10, 20, 30);
    choose(combo(1), Hsl);
    choose(combo(2), Xyz);
    QList<QStringList> shownTexts;
    QList<QList<int>> shownPositions;
    for (int panel = 0; panel < 3; ++panel) {
        shownTexts.append(texts(panel));
        shownPositions.append(positions(panel));
    }
    edit(1, 1)->setText(QStringLiteral("101"));
    QCOMPARE(boxes->texts(), QStringList {rangeMessage(Hsl)});
    shownTexts[1][1] = QStringLiteral("101");
    for (int panel = 0; panel < 3; ++panel) {
        QCOMPARE(texts(panel), shownTexts[panel]);
        QCOMPARE(positions(panel), shownPositions[panel]);
    }
}

void TestPanels::lookingNeverChangesTheColour()
{
    ColourChooserAnswerer chooser(QColor(255, 0, 0));
    window->findChild<QPushButton *>(QStringLiteral("DrawButton"))->click();
    MessageLog trace;
    choose(combo(1), Xyz);
    choose(combo(2), Rgb);
    QCOMPARE(texts(2).mid(0, 3), QStringList({"255", "0", "0"}));
    // Every model, in every panel, any number of times.
    for (int round = 0; round < 2; ++round) {
        for (int panel = 0; panel < 3; ++panel) {
            for (int model = 0; model < ColourModels::Count; ++model)
                choose(combo(panel), model);
        }
    }
    choose(combo(0), Rgb);
    QCOMPARE(texts(0).mid(0, 3), QStringList({"255", "0", "0"}));
    QCOMPARE(swatchColour(window.get()), QColor(255, 0, 0));
    QVERIFY(trace.lines().isEmpty());
    QVERIFY(boxes->boxes().isEmpty());
}

void TestPanels::labBeyondXyzBoundsShowsNoMessage()
{
    choose(combo(0), Lab);
    edit(0, 0)->setText(QStringLiteral("100"));
    edit(0, 2)->setText(QStringLiteral("-128"));
    choose(combo(1), Xyz);
    QVERIFY(edit(1, 2)->text().toDouble() > 108.9);
    QVERIFY(boxes->boxes().isEmpty());
    QCOMPARE(texts(0).mid(0, 3), QStringList({"100", "0", "-128"}));
}

void TestPanels::keyboardAndWheelApply_data()
{
    QTest::addColumn<int>("key"); // 0 for a wheel turn up
    QTest::addColumn<QString>("text");
    QTest::newRow("right") << int(Qt::Key_Right) << QStringLiteral("11");
    QTest::newRow("page up") << int(Qt::Key_PageUp) << QStringLiteral("20");
    QTest::newRow("home") << int(Qt::Key_Home) << QStringLiteral("0");
    QTest::newRow("end") << int(Qt::Key_End) << QStringLiteral("255");
    QTest::newRow("wheel") << 0 << QStringLiteral("13");
}

void TestPanels::keyboardAndWheelApply()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    setRgb(10, 20, 30);
    QSlider *red = slider(0, 0);
    red->setFocus();
    if (key) {
        QTest::keyClick(red, Qt::Key(key));
    } else {
        QWheelEvent wheel(QPointF(5, 5), QPointF(red->mapToGlobal(QPoint(5, 5))), QPoint(),
            QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(red, &wheel);
    }
    QCOMPARE(edit(0, 0)->text(), text);
    QCOMPARE(swatchColour(window.get()), QColor(text.toInt(), 20, 30));
}

void TestPanels::dragToTheShownValueChangesNothing()
{
    setRgb(10, 20, 30);
    choose(combo(0), Rgb);
    PaintCounter paints(window.get());
    slider(0, 1)->setSliderDown(true);
    slider(0, 1)->setSliderPosition(20);
    QCOMPARE(paints.count, 0);
    slider(0, 1)->setSliderPosition(21);
    QCOMPARE(paints.count, 1);
    slider(0, 1)->setSliderDown(false);
    QCOMPARE(swatchColour(window.get()), QColor(10, 21, 30));
}

void TestPanels::dragPastAnXyzBoundIsRefused()
{
    // Y's slider keeps 0..100, but a text typed beyond it is still refused.
    choose(combo(0), Xyz);
    edit(0, 1)->setText(QStringLiteral("100.5"));
    QCOMPARE(boxes->texts(), QStringList {rangeMessage(Xyz)});
    edit(0, 0)->setText(QStringLiteral("300"));
    QCOMPARE(boxes->boxes().size(), 2);
    edit(0, 0)->setText(QStringLiteral("200"));
    QCOMPARE(boxes->boxes().size(), 2);
}

void TestPanels::choosingAgainRewritesNothing()
{
    setRgb(10, 20, 30);
    choose(combo(1), Hsl);
    slider(1, 0)->setValue(0);
    PaintCounter paints(window.get());
    choose(combo(1), Hsl);
    QCOMPARE(paints.count, 0);
    // The positions are set again from the engine, whose hue 209.99999999999997 truncates.
    QCOMPARE(edit(1, 0)->text(), QStringLiteral("210"));
    QCOMPARE(slider(1, 0)->value(), 209);
}

void TestPanels::slidersTruncate()
{
    choose(combo(0), Hsl);
    edit(0, 1)->setText(QStringLiteral("100"));
    edit(0, 2)->setText(QStringLiteral("50"));
    edit(0, 0)->setText(QStringLiteral("359.9"));
    choose(combo(1), Hsl);
    QCOMPARE(edit(1, 0)->text(), QStringLiteral("359.9"));
    QCOMPARE(slider(1, 0)->value(), 359);
}

void TestPanels::choosingShowsWithoutApplying()
{
    choose(combo(0), Cmyk);
    for (int c = 0; c < 3; ++c)
        edit(0, c)->setText(QStringLiteral("50"));
    edit(0, 3)->setText(QStringLiteral("0"));
    choose(combo(1), Rgb);
    QCOMPARE(texts(1).mid(0, 3), QStringList({"127", "127", "127"}));
    // The engine keeps the CMYK given, not the whole 127 that RGB shows.
    choose(combo(2), Cmyk);
    QCOMPARE(texts(2), QStringList({"50", "50", "50", "0"}));
}

void TestPanels::labDrag()
{
    setRgb(128, 128, 128);
    choose(combo(2), Lab);
    QCOMPARE(edit(2, 1)->text(), QStringLiteral("0"));
    QCOMPARE(edit(2, 2)->text(), QStringLiteral("0"));
    drag(slider(2, 1), 60);
    QCOMPARE(edit(2, 1)->text(), QStringLiteral("60"));
    const QColor reddish = swatchColour(window.get());
    QVERIFY(reddish.red() > reddish.green());
    drag(slider(2, 2), -128);
    QCOMPARE(edit(2, 2)->text(), QStringLiteral("-128"));
    const QColor bluish = swatchColour(window.get());
    QVERIFY(bluish.blue() > bluish.green());
    QVERIFY(boxes->boxes().isEmpty());
}

void TestPanels::scaledSliders()
{
    setRgb(255, 128, 0);
    choose(combo(1), Oklab);
    choose(combo(2), Oklab);
    drag(slider(1, 1), -125);
    QCOMPARE(edit(1, 1)->text(), QStringLiteral("-0.125"));
    QCOMPARE(edit(2, 1)->text(), QStringLiteral("-0.125"));
    QCOMPARE(slider(2, 1)->value(), -125);
    edit(1, 2)->setText(QStringLiteral("0.0305"));
    QCOMPARE(slider(1, 2)->value(), 30);
    QCOMPARE(slider(2, 2)->value(), 30);
    QVERIFY(boxes->boxes().isEmpty());
}

void TestPanels::gamutWarning()
{
    auto *label = window->findChild<QLabel *>(QStringLiteral("gamutLabel"));
    QVERIFY(label && label->isHidden());
    QCOMPARE(label->text(), QStringLiteral("Outside sRGB"));
    choose(combo(0), Lab);
    edit(0, 0)->setText(QStringLiteral("100"));
    QVERIFY(label->isHidden());
    edit(0, 2)->setText(QStringLiteral("-128"));
    QVERIFY(label->isVisible());
    QVERIFY(!label->toolTip().isEmpty());
    // The LAB given stays as given while the swatch shows the nearest sRGB colour.
    QCOMPARE(texts(0).mid(0, 3), QStringList({"100", "0", "-128"}));
    edit(0, 2)->setText(QStringLiteral("0"));
    QVERIFY(label->isHidden());
}

void TestPanels::gamutStates_data()
{
    QTest::addColumn<int>("model"); // set in panel 1
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("text"); // empty: hidden
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("inside sRGB") << int(Rgb) << QStringList {"10", "20", "30"} << QString()
                                 << QString();
    QTest::newRow("inside Display P3")
        << int(Oklch) << QStringList {"70", "0.25", "150"} << "Outside sRGB"
        << "clipped #00c537, nearest by CSS gamut mapping #00c147";
    QTest::newRow("inside Rec. 2020")
        << int(Rec2020) << QStringList {"0.1", "0.9", "0.1"} << "Outside Display P3"
        << "clipped #00f500, nearest by CSS gamut mapping #00de68";
    QTest::newRow("beyond Rec. 2020")
        << int(Oklch) << QStringList {"90", "0.4", "270"} << "Outside Rec. 2020"
        << "clipped #83acff, nearest by CSS gamut mapping #cbdcff";
}

void TestPanels::gamutStates()
{
    QFETCH(int, model);
    QFETCH(QStringList, values);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    auto *label = window->findChild<QLabel *>(QStringLiteral("gamutLabel"));
    // Each channel set is a colour of its own, most of them beyond sRGB too: the label follows
    // every one.
    choose(combo(0), model);
    for (int c = 0; c < 3; ++c)
        edit(0, c)->setText(values[c]);
    QCOMPARE(label->isVisible(), !text.isEmpty());
    if (!text.isEmpty()) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->toolTip(), toolTip);
    }
    QVERIFY(boxes->boxes().isEmpty());
}

void TestPanels::displayP3RoundTrip()
{
    choose(combo(0), DisplayP3);
    choose(combo(1), DisplayP3);
    choose(combo(2), Rgb);
    typeInto(edit(0, 0), QStringLiteral("1"));
    QCOMPARE(slider(0, 0)->value(), 1000);
    QCOMPARE(texts(1).mid(0, 3), QStringList({"1", "0", "0"}));
    QCOMPARE(slider(1, 0)->value(), 1000);
    // Beyond sRGB, RGB and the swatch show it clipped.
    QCOMPARE(texts(2).mid(0, 3), QStringList({"255", "0", "0"}));
    QCOMPARE(swatchColour(window.get()), QColor(255, 0, 0));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("gamutLabel"))->text(),
        QStringLiteral("Outside sRGB"));
    QVERIFY(boxes->boxes().isEmpty());
}

void TestPanels::channelsNameThemselves_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QStringList>("names");
    for (int model = 0; model < Count; ++model) {
        QStringList names;
        for (int c = 0; c < 4; ++c) {
            names << (c < models[model].channelCount
                    ? QString::fromUtf8(models[model].channels[c].description)
                    : QString());
        }
        QTest::newRow(models[model].label) << model << names;
    }
}

void TestPanels::channelsNameThemselves()
{
    QFETCH(int, model);
    QFETCH(QStringList, names);
    // Start from CMYK so that leaving it shows the fourth pair's name is taken away.
    choose(combo(2), Cmyk);
    choose(combo(2), model);
    for (int c = 0; c < 4; ++c) {
        QCOMPARE(edit(2, c)->toolTip(), names[c]);
        QCOMPARE(edit(2, c)->accessibleName(), names[c]);
        QCOMPARE(slider(2, c)->toolTip(), names[c]);
        QCOMPARE(slider(2, c)->accessibleName(), names[c]);
    }
    // Other panels are not named until their own model is chosen.
    QVERIFY(edit(0, 0)->toolTip().isEmpty());
}

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
