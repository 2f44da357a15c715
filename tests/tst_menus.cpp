#include "mainwindow.h"
#include "windowtesting.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The menu bar and the swatch as the keyboard reaches them.
class TestMenus : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void structure_data();
    void structure();
    void everyItemHasAMnemonic();
    void menuBarKeys_data();
    void menuBarKeys();
    void shortcuts_data();
    void shortcuts();
    void quitKeyCloses();
    void copyTextsFollowTheColour();
    void chooseColourAsDraw();
    void helpBoxes_data();
    void helpBoxes();
    void swatchMenuFromTheKeyboard_data();
    void swatchMenuFromTheKeyboard();
    void swatchShowsFocus();
    void toolTips_data();
    void toolTips();

private:
    template<typename T> T *child(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }
    void enterColour(const QString &text);

    std::unique_ptr<WarningLog> warnings;
    std::unique_ptr<MainWindow> window;
};

namespace {

// A menu's item by its name, or by its submenu's.
QString nameOf(const QAction *action)
{
    return action->menu() ? action->menu()->objectName() : action->objectName();
}

QStringList itemNames(const QMenu *menu)
{
    QStringList names;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            names.append(nameOf(action));
    }
    return names;
}

QList<QMenu *> allMenus(const QMenuBar *bar)
{
    QList<QMenu *> menus;
    for (const QAction *action : bar->actions())
        menus.append(action->menu());
    for (int i = 0; i < menus.size(); ++i) {
        for (const QAction *action : menus.at(i)->actions()) {
            if (action->menu())
                menus.append(action->menu());
        }
    }
    return menus;
}

} // namespace

void TestMenus::init()
{
    warnings = std::make_unique<WarningLog>();
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QGuiApplication::clipboard()->clear();
}

void TestMenus::cleanup()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    window.reset();
    QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
    warnings.reset();
}

void TestMenus::enterColour(const QString &text)
{
    auto *field = child<QLineEdit>(QStringLiteral("notationEdit"));
    typeInto(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

void TestMenus::structure_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("colour") << 0 << "menuColour"
                            << QStringList {"menuCopyAs", "actionPaste", "actionPickFromScreen",
                                   "actionChooseColour", "actionAddToPalette",
                                   "actionImportPalette", "actionExportPalette",
                                   "actionClearHistory", "actionQuit"};
    QTest::newRow("view") << 1 << "menuView" << QStringList {"actionShowPalettes"};
    QTest::newRow("settings") << 2 << "menuSettings"
                              << QStringList {"menuRgbWholeNumbers", "menuDecimals"};
    QTest::newRow("help") << 3 << "menuHelp" << QStringList {"actionNotations", "actionAbout"};
}

void TestMenus::structure()
{
    QFETCH(int, position);
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    const QList<QAction *> bar = window->menuBar()->actions();
    QCOMPARE(bar.size(), 4);
    QCOMPARE(nameOf(bar.at(position)), menu);
    QCOMPARE(itemNames(bar.at(position)->menu()), items);
}

void TestMenus::everyItemHasAMnemonic()
{
    // Beyond sRGB, with the nearest colour's items too.
    enterColour(QStringLiteral("oklch(90% 0.4 270)"));
    child<QMenu>(QStringLiteral("menuCopyAs"))->popup(QPoint());
    for (const QMenu *menu : allMenus(window->menuBar())) {
        QSet<QString> keys;
        for (const QAction *action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            const QKeySequence key = QKeySequence::mnemonic(action->text());
            const QString where = menu->objectName() + QLatin1Char(' ') + action->text();
            QVERIFY2(!key.isEmpty(), qPrintable(where));
            QVERIFY2(!keys.contains(key.toString()),
                qPrintable(where + QStringLiteral(" repeats a key")));
            keys.insert(key.toString());
        }
    }
}

void TestMenus::menuBarKeys_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("key");
    QTest::newRow("colour") << "menuColour" << int(Qt::Key_C);
    QTest::newRow("view") << "menuView" << int(Qt::Key_V);
    QTest::newRow("settings") << "menuSettings" << int(Qt::Key_S);
    QTest::newRow("help") << "menuHelp" << int(Qt::Key_H);
}

void TestMenus::menuBarKeys()
{
    QFETCH(QString, menu);
    QFETCH(int, key);
    QTest::keyClick(window.get(), Qt::Key(key), Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), child<QMenu>(menu));
}

void TestMenus::shortcuts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("quit") << "actionQuit" << QKeySequence(QStringLiteral("Ctrl+Q"));
    QTest::newRow("paste") << "actionPaste" << QKeySequence(QKeySequence::Paste);
    QTest::newRow("notations") << "actionNotations" << QKeySequence(QKeySequence::HelpContents);
    QTest::newRow("pick kept") << "actionPickFromScreen" << QKeySequence(QStringLiteral("Ctrl+P"));
}

void TestMenus::shortcuts()
{
    QFETCH(QString, action);
    QFETCH(QKeySequence, keys);
    QCOMPARE(child<QAction>(action)->shortcut(), keys);
}

void TestMenus::quitKeyCloses()
{
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!window->isVisible());
}

void TestMenus::copyTextsFollowTheColour()
{
    auto *colour = child<QMenu>(QStringLiteral("menuColour"));
    auto *copyAs = child<QMenu>(QStringLiteral("menuCopyAs"));
    auto *hex = child<QAction>(QStringLiteral("actionCopyHex"));
    auto *oklch = child<QAction>(QStringLiteral("actionCopyOklch"));
    for (const QString &text : {QStringLiteral("#3fa0dc"), QStringLiteral("#ff0000")}) {
        enterColour(text);
        colour->popup(QPoint());
        QCOMPARE(hex->text().remove(QLatin1Char('&')), QStringLiteral("Hex: ") + text);
        QVERIFY(oklch->text().remove(QLatin1Char('&')).startsWith(QStringLiteral("OKLCh: oklch(")));
        colour->close();
    }
    // Shown on its own, as a global menu bar may, the submenu is brought up to date as well.
    enterColour(QStringLiteral("navy"));
    copyAs->popup(QPoint());
    QCOMPARE(hex->text().remove(QLatin1Char('&')), QStringLiteral("Hex: #000080"));
    copyAs->close();
    hex->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("#000080"));
}

void TestMenus::chooseColourAsDraw()
{
    ColourChooserAnswerer chooser(QColor(1, 2, 3));
    child<QAction>(QStringLiteral("actionChooseColour"))->trigger();
    QCOMPARE(chooser.opened(), 1);
    QCOMPARE(swatchColour(window.get()), QColor(1, 2, 3));
}

void TestMenus::helpBoxes_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("mentions");
    QTest::newRow("about") << "actionAbout"
                           << "About Prismora" << QStringList {"Prismora 9.8.7", "MIT License"};
    QTest::newRow("notations") << "actionNotations"
                               << "Colour Notations"
                               << QStringList {"#3fa0dc", "rebeccapurple", "rgb(", "hsl(", "hwb(",
                                      "lab(", "lch(", "oklab(", "oklch(", "color("};
}

void TestMenus::helpBoxes()
{
    QFETCH(QString, action);
    QFETCH(QString, title);
    QFETCH(QStringList, mentions);
    MessageBoxAnswerer answerer(window.get());
    child<QAction>(action)->trigger();
    QCOMPARE(answerer.boxes().size(), 1);
    const MessageBoxAnswerer::Box box = answerer.boxes().first();
    QCOMPARE(box.title, title);
    QVERIFY(box.parentIsWindow);
    for (const QString &mention : mentions)
        QVERIFY2(box.text.contains(mention), qPrintable(mention));
}

void TestMenus::swatchMenuFromTheKeyboard_data()
{
    QTest::addColumn<int>("key"); // 0: the platform's context menu event
    QTest::addColumn<int>("modifiers");
    QTest::newRow("context menu event") << 0 << int(Qt::NoModifier);
    QTest::newRow("menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
    QTest::newRow("shift+f10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
}

void TestMenus::swatchMenuFromTheKeyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    auto *swatch = child<QWidget>(QStringLiteral("swatch"));
    swatch->setFocus();
    QCOMPARE(QApplication::focusWidget(), swatch);
    if (key) {
        QTest::keyClick(swatch, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    } else {
        // As the X11 platform sends it for the Menu key: at the pointer, wherever that is.
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(-500, -500));
        QApplication::sendEvent(swatch, &event);
    }
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->actions().first(), child<QMenu>(QStringLiteral("menuCopyAs"))->menuAction());
    QCOMPARE(menu->pos(), swatch->mapToGlobal(swatch->rect().center()));
    menu->close();
}

void TestMenus::swatchShowsFocus()
{
    auto *swatch = child<QWidget>(QStringLiteral("swatch"));
    const QRect area(swatch->mapTo(window.get(), QPoint(0, 0)), swatch->size());
    const QImage unfocused = window->grab(area).toImage();
    swatch->setFocus();
    const QImage focused = window->grab(area).toImage();
    QVERIFY(focused != unfocused);
    // The frame leaves the middle, where the colour is read, as it was.
    const QPoint middle = swatch->rect().center();
    QCOMPARE(focused.pixelColor(middle), unfocused.pixelColor(middle));
}

void TestMenus::toolTips_data()
{
    QTest::addColumn<QString>("widget");
    QTest::newRow("swatch") << "swatch";
    QTest::newRow("draw") << "DrawButton";
    QTest::newRow("notation field") << "notationEdit";
}

void TestMenus::toolTips()
{
    QFETCH(QString, widget);
    QVERIFY(!child<QWidget>(widget)->toolTip().isEmpty());
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
