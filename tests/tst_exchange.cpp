#include "mainwindow.h"
#include "notation.h"
#include "windowtesting.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSlider>
#include <QStatusBar>
#include <QtTest>

#include <memory>

// Colours in and out of the window: the notation field, the swatch's menu, the copy and paste
// keys, the clipboard and drops.
class TestExchange : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void notationField_data();
    void notationField();
    void escapeAndLookingApplyNothing();
    void refusalFitsAndGoes();
    void copyAndPasteKeys();
    void swatchMenu();
    void pasteKeyWorksAfterTheMenu();
    void nearestSrgbItems_data();
    void nearestSrgbItems();
    void drop_data();
    void drop();

private:
    template<typename T> T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QStringList rgbTexts() const;

    std::unique_ptr<WarningLog> warnings;
    std::unique_ptr<MainWindow> window;
    QLineEdit *field = nullptr;
};

void TestExchange::init()
{
    warnings = std::make_unique<WarningLog>();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    field = child<QLineEdit>("notationEdit");
    QGuiApplication::clipboard()->clear();
}

void TestExchange::cleanup()
{
    window.reset();
    QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
    warnings.reset();
}

// Panel 1 as RGB, as every panel follows a change.
QStringList TestExchange::rgbTexts() const
{
    return {child<QLineEdit>("lineEdit_1")->text(), child<QLineEdit>("lineEdit_2")->text(),
        child<QLineEdit>("lineEdit_3")->text()};
}

void TestExchange::notationField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QColor>("colour"); // invalid: refused
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("message");
    QTest::newRow("hex") << "#3FA0DC" << QColor(63, 160, 220) << "#3fa0dc" << false;
    QTest::newRow("name") << "rebeccapurple" << QColor(102, 51, 153) << "#663399" << false;
    QTest::newRow("hsl") << "hsl(120 100% 25%)" << QColor(0, 127, 0) << "#007f00" << false;
    QTest::newRow("alpha ignored") << "#3fa0dc80" << QColor(63, 160, 220) << "#3fa0dc" << true;
    QTest::newRow("refused") << "nonsense" << QColor() << "nonsense" << true;
}

void TestExchange::notationField()
{
    QFETCH(QString, typed);
    QFETCH(QColor, colour);
    QFETCH(QString, shown);
    QFETCH(bool, message);
    typeInto(field, typed);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(field->text(), shown);
    QCOMPARE(window->statusBar()->currentMessage().isEmpty(), !message);
    if (!colour.isValid()) {
        QCOMPARE(swatchColour(window.get()), QColor(Qt::black));
        QCOMPARE(field->palette().color(QPalette::Text), QColor(Qt::red));
        return;
    }
    QCOMPARE(swatchColour(window.get()), colour);
    QCOMPARE(rgbTexts(),
        QStringList({QString::number(colour.red()), QString::number(colour.green()),
            QString::number(colour.blue())}));
}

void TestExchange::escapeAndLookingApplyNothing()
{
    // CMYK 50 % grey is RGB 127.5, which #7f7f7f cannot hold.
    choose(child<QComboBox>("comboBox2"), 1);
    for (const char *name : {"lineEdit_4", "lineEdit_5", "lineEdit_6"})
        child<QLineEdit>(name)->setText(QStringLiteral("50"));
    child<QLineEdit>("lineEdit_2_4")->setText(QStringLiteral("0"));
    QCOMPARE(field->text(), QStringLiteral("#7f7f7f"));
    field->setFocus();
    child<QSlider>("horizontalSlider_1")->setFocus();
    QCOMPARE(child<QLineEdit>("lineEdit_4")->text(), QStringLiteral("50"));

    typeInto(field, QStringLiteral("red"));
    QTest::keyClick(field, Qt::Key_Escape);
    QCOMPARE(field->text(), QStringLiteral("#7f7f7f"));
    child<QSlider>("horizontalSlider_1")->setFocus();
    QCOMPARE(child<QLineEdit>("lineEdit_4")->text(), QStringLiteral("50"));

    // Leaving after an edit applies it.
    typeInto(field, QStringLiteral("red"));
    child<QSlider>("horizontalSlider_1")->setFocus();
    QCOMPARE(swatchColour(window.get()), QColor(255, 0, 0));
}

void TestExchange::refusalFitsAndGoes()
{
    QStatusBar *bar = window->statusBar();
    const auto refuse = [this](const QString &text) {
        typeInto(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    };
    const QString text = QStringLiteral("nonsense");
    const QString reason = Notation::parse(text).error;
    refuse(text);
    // Elided in the middle to the room left of the field, whole in the tool tip.
    const QString shown = bar->currentMessage();
    QVERIFY(bar->fontMetrics().horizontalAdvance(shown) <= field->x() - 8);
    if (shown != reason) {
        QVERIFY(shown.contains(QChar(0x2026)));
        QVERIFY(reason.startsWith(shown.left(shown.indexOf(QChar(0x2026)))));
        QCOMPARE(bar->toolTip(), reason);
    }
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(bar->currentMessage().isEmpty());
    QVERIFY(bar->toolTip().isEmpty());

    // A colour from the panels makes it go too.
    refuse(text);
    QVERIFY(!bar->currentMessage().isEmpty());
    typeInto(child<QLineEdit>("lineEdit_1"), QStringLiteral("12"));
    QVERIFY(bar->currentMessage().isEmpty());
}

void TestExchange::copyAndPasteKeys()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    typeInto(field, QStringLiteral("#102030"));
    QTest::keyClick(field, Qt::Key_Return);
    auto *slider = child<QSlider>("horizontalSlider_2");
    slider->setFocus();
    QTest::keySequence(slider, QKeySequence::Copy);
    QCOMPARE(clipboard->text(), QStringLiteral("#102030"));
    QCOMPARE(qvariant_cast<QColor>(clipboard->mimeData()->colorData()), QColor(16, 32, 48));

    // An edit copies its own text, not the colour.
    auto *red = child<QLineEdit>("lineEdit_1");
    red->setFocus();
    red->selectAll();
    QTest::keySequence(red, QKeySequence::Copy);
    QCOMPARE(clipboard->text(), QStringLiteral("16"));

    clipboard->setText(QStringLiteral("rgb(1, 2, 3)"));
    slider->setFocus();
    QTest::keySequence(slider, QKeySequence::Paste);
    QCOMPARE(swatchColour(window.get()), QColor(1, 2, 3));
    // Colour data comes before text.
    auto *data = new QMimeData;
    data->setColorData(QColor(4, 5, 6));
    data->setText(QStringLiteral("white"));
    clipboard->setMimeData(data);
    QTest::keySequence(child<QComboBox>("comboBox1"), QKeySequence::Paste);
    QCOMPARE(swatchColour(window.get()), QColor(4, 5, 6));
}

// The items' texts without their mnemonics, visible ones only.
QStringList texts(const QMenu *menu)
{
    QStringList result;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator() && action->isVisible())
            result.append(action->text().remove(QLatin1Char('&')));
    }
    return result;
}

void TestExchange::swatchMenu()
{
    typeInto(field, QStringLiteral("#3fa0dc"));
    QTest::keyClick(field, Qt::Key_Return);
    emit window->customContextMenuRequested(QPoint(300, 130));
    QVERIFY(!QApplication::activePopupWidget());

    emit window->customContextMenuRequested(QPoint(95, 130));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(texts(menu), QStringList({"Copy As", "Paste", "Pick from Screen"}));
    auto *copyAs = child<QMenu>("menuCopyAs");
    QCOMPARE(menu->actions().first(), copyAs->menuAction());
    QCOMPARE(texts(copyAs),
        QStringList({"Hex: #3fa0dc", "RGB: rgb(63, 160, 220)",
            "HSL: hsl(202.9299 69.163% 55.4902%)", "HWB: hwb(202.9 24.71% 13.725%)",
            "Lab: lab(62.21 -14.3 -39.43)", "LCh: lch(62.2083 41.947 250.06)",
            "OKLab: oklab(67.507542% -0.06335674 -0.108946814)",
            "OKLCh: oklch(67.51% 0.12603 239.82)",
            "Display P3: color(display-p3 0.355 0.6193 0.8423)",
            "Rec. 2020: color(rec2020 0.40622121 0.57256065 0.820394675)"}));
    auto *paste = child<QAction>("actionPaste");
    auto *pick = child<QAction>("actionPickFromScreen");
    QVERIFY(!paste->isEnabled());
    // Offscreen, with no session bus, there is neither a portal nor a screen to grab.
    QVERIFY(!pick->isEnabled());
    QVERIFY(pick->toolTip().contains(QStringLiteral("portal")));
    copyAs->actions().at(1)->trigger();
    menu->close();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("rgb(63, 160, 220)"));
    emit window->customContextMenuRequested(QPoint(95, 130));
    menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu && paste->isEnabled());
    menu->close();
}

void TestExchange::pasteKeyWorksAfterTheMenu()
{
    // Shown with nothing to paste, the menu disabled Paste, and its key with it, for good.
    emit window->customContextMenuRequested(QPoint(95, 130));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu && !child<QAction>("actionPaste")->isEnabled());
    menu->close();
    QGuiApplication::clipboard()->setText(QStringLiteral("#102030"));
    QTest::keySequence(window.get(), QKeySequence::Paste);
    QCOMPARE(field->text(), QStringLiteral("#102030"));

    // Text that is no colour is refused as the field refuses it.
    QGuiApplication::clipboard()->setText(QStringLiteral("not a colour"));
    QTest::keySequence(window.get(), QKeySequence::Paste);
    QCOMPARE(field->text(), QStringLiteral("#102030"));
    QVERIFY(window->statusBar()->currentMessage().startsWith(QStringLiteral("Not a colour")));
}

void TestExchange::nearestSrgbItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("copied");
    QTest::newRow("hex") << "actionCopyNearestHex"
                         << "#cbdcff";
    QTest::newRow("rgb") << "actionCopyNearestRgb"
                         << "rgb(203, 220, 255)";
}

void TestExchange::nearestSrgbItems()
{
    QFETCH(QString, name);
    QFETCH(QString, copied);
    auto *copyAs = child<QMenu>("menuCopyAs");
    auto *item = copyAs->findChild<QAction *>(name);
    QVERIFY(item);
    // Clipped, this light blue is #83acff.
    typeInto(field, QStringLiteral("oklch(90% 0.4 270)"));
    QTest::keyClick(field, Qt::Key_Return);
    emit window->customContextMenuRequested(QPoint(95, 130));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QVERIFY(item->isVisible());
    QCOMPARE(texts(copyAs).mid(int(Notation::copyFormats().size())),
        QStringList({"Nearest sRGB: #cbdcff", "Nearest sRGB: rgb(203, 220, 255)"}));
    QVERIFY(texts(copyAs).first().endsWith(QStringLiteral("#83acff")));
    item->trigger();
    menu->close();
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    QCOMPARE(qvariant_cast<QColor>(QGuiApplication::clipboard()->mimeData()->colorData()),
        QColor(203, 220, 255));

    // Inside sRGB the nearest colour is the colour itself, and the menu offers no such item.
    typeInto(field, QStringLiteral("#3fa0dc"));
    QTest::keyClick(field, Qt::Key_Return);
    emit window->customContextMenuRequested(QPoint(95, 130));
    menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu && !item->isVisible());
    menu->close();
}

void TestExchange::drop_data()
{
    QTest::addColumn<QColor>("data");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour"); // invalid: refused
    QTest::newRow("colour data") << QColor(9, 8, 7) << QString() << QColor(9, 8, 7);
    QTest::newRow("colour text") << QColor() << "hwb(0 0% 0%)" << QColor(255, 0, 0);
    QTest::newRow("other text") << QColor() << "hello" << QColor();
}

void TestExchange::drop()
{
    QFETCH(QColor, data);
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    QMimeData mime;
    if (data.isValid())
        mime.setColorData(data);
    if (!text.isEmpty())
        mime.setText(text);
    // Over the swatch and over a label: any part of the window but a line edit.
    for (const QPoint at :
        {QPoint(95, 130), child<QWidget>("label2")->mapTo(window.get(), QPoint(2, 2))}) {
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QCOMPARE(enter.isAccepted(), colour.isValid());
        QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        QCOMPARE(swatchColour(window.get()), colour.isValid() ? colour : QColor(Qt::black));
    }
}

QTEST_MAIN(TestExchange)
#include "tst_exchange.moc"
