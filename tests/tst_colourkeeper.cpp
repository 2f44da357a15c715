#include "mainwindow.h"
#include "screencolourpicker.h"
#include "windowtesting.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDirIterator>
#include <QDockWidget>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

enum Way {
    TypedEnter,
    TypedThenLeft,
    TypedOnly,
    RefusedThenEnter,
    SliderDrag,
    SliderKeys,
    ChooserOk,
    ChooserCancel,
    FieldEntered,
    Paste,
    Drop,
    ScreenPick,
};

// Runs `answer` on the next modal dialog of type Dialog, once.
template<typename Dialog> void answerNext(std::function<void(Dialog *)> answer)
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            answer(dialog);
        }
    });
    timer->start(0);
}

void sendDrop(QWidget *target, const QPoint &at, QMimeData *data)
{
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

// The history strip, the palette panel and what the window keeps between runs. Every test has
// data and configuration folders of its own.
class TestColourKeeper : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartIsAsSpecified();
    void whatEntersTheHistory_data();
    void whatEntersTheHistory();
    void capAndDuplicateRule();
    void entriesApplyAsSetAndDragOut();
    void historyMenu();
    void paletteByMouseAndKeyboard();
    void paletteFilesThroughTheMenu();
    void keptAcrossRestart();
    void twoWindowsKeepEachOthersPalettes();
    void unreadableFileIsReportedAndSetAside();

private:
    void open();
    template<typename T> T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no child %s", name);
        return found;
    }
    QAbstractItemModel *history() const { return child<QAbstractItemView>("historyView")->model(); }
    QAbstractItemModel *palette() const { return child<QAbstractItemView>("paletteView")->model(); }
    void enter(const QString &notation);
    void trigger(const char *action) { child<QAction>(action)->trigger(); }
    QString dataFile(const char *name) const
    {
        return home->filePath(QStringLiteral("data/Prismora/prismora/")) + QLatin1String(name);
    }

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<WarningLog> warnings;
    std::unique_ptr<MainWindow> window;
};

void TestColourKeeper::init()
{
    home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", QFile::encodeName(home->filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home->filePath(QStringLiteral("config"))));
    QSettings::setPath(
        QSettings::NativeFormat, QSettings::UserScope, home->filePath(QStringLiteral("config")));
    warnings = std::make_unique<WarningLog>();
    open();
}

void TestColourKeeper::cleanup()
{
    window.reset();
    QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
}

void TestColourKeeper::open()
{
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    // The files are read just after the first paint.
    QTest::qWait(1);
}

void TestColourKeeper::enter(const QString &notation)
{
    auto *field = child<QLineEdit>("notationEdit");
    typeInto(field, notation);
    QTest::keyClick(field, Qt::Key_Return);
}

void TestColourKeeper::firstStartIsAsSpecified()
{
    QCOMPARE(window->size(), QSize(806, 471));
    for (const char *name : {"comboBox1", "comboBox2", "comboBox3"})
        QCOMPARE(child<QComboBox>(name)->currentIndex(), 0);
    QVERIFY(child<QLineEdit>("lineEdit_1")->text().isEmpty());
    QCOMPARE(swatchColour(window.get()), QColor(Qt::black));
    QVERIFY(child<QDockWidget>("paletteDock")->isHidden());
    QVERIFY(!child<QAction>("actionShowPalettes")->isChecked());
    // The strip sits below "Draw", within the window, and moves no specified widget.
    auto *strip = child<QAbstractItemView>("historyView");
    QVERIFY(strip->isVisible());
    QVERIFY(strip->geometry().top() > child<QPushButton>("DrawButton")->geometry().bottom());
    QVERIFY(window->centralWidget()->rect().contains(strip->geometry()));
    QCOMPARE(history()->rowCount(), 0);
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    window->close();
    window.reset();
    // Nothing changed, so nothing was written.
    QDirIterator written(home->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QVERIFY2(!written.hasNext(), qPrintable(written.next()));
}

void TestColourKeeper::whatEntersTheHistory_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<QString>("entered"); // empty when nothing may enter
    QTest::newRow("typed, Enter") << int(TypedEnter) << "#c80000";
    QTest::newRow("typed, then left") << int(TypedThenLeft) << "#006400";
    QTest::newRow("typed only") << int(TypedOnly) << "";
    QTest::newRow("refused, Enter") << int(RefusedThenEnter) << "";
    QTest::newRow("slider dragged") << int(SliderDrag) << "#1e0000";
    QTest::newRow("slider keys, pause") << int(SliderKeys) << "#030000";
    QTest::newRow("chooser OK") << int(ChooserOk) << "#010203";
    QTest::newRow("chooser cancelled") << int(ChooserCancel) << "";
    QTest::newRow("notation field") << int(FieldEntered) << "oklch(70% 0.3 150)";
    QTest::newRow("paste") << int(Paste) << "#abcdef";
    QTest::newRow("drop") << int(Drop) << "#123456";
    QTest::newRow("screen pick") << int(ScreenPick) << "#090807";
}

void TestColourKeeper::whatEntersTheHistory()
{
    QFETCH(int, way);
    QFETCH(QString, entered);
    MessageBoxAnswerer boxes(window.get());
    choose(child<QComboBox>("comboBox1"), 0);
    auto *red = child<QLineEdit>("lineEdit_1");
    auto *slider = child<QSlider>("horizontalSlider_1");
    switch (way) {
    case TypedEnter:
        typeInto(red, QStringLiteral("200"));
        QTest::keyClick(red, Qt::Key_Return);
        break;
    case TypedThenLeft:
        typeInto(child<QLineEdit>("lineEdit_2"), QStringLiteral("100"));
        QTest::keyClick(child<QLineEdit>("lineEdit_2"), Qt::Key_Tab);
        break;
    case TypedOnly:
        typeInto(red, QStringLiteral("120"));
        break;
    case RefusedThenEnter:
        typeInto(red, QStringLiteral("300"));
        QTRY_COMPARE(boxes.boxes().size(), 1);
        red->setFocus();
        QTest::keyClick(red, Qt::Key_Return);
        break;
    case SliderDrag:
        // Only where it is let go: the colours on the way never enter.
        slider->setSliderDown(true);
        for (int position : {10, 20, 30})
            slider->setSliderPosition(position);
        slider->setSliderDown(false);
        break;
    case SliderKeys:
        slider->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(history()->rowCount(), 0);
        QTest::qWait(700);
        break;
    case ChooserOk:
    case ChooserCancel: {
        ColourChooserAnswerer chooser(way == ChooserOk ? QColor(1, 2, 3) : QColor());
        child<QPushButton>("DrawButton")->click();
        break;
    }
    case FieldEntered:
        enter(QStringLiteral("oklch(70% 0.3 150)"));
        break;
    case Paste:
        QGuiApplication::clipboard()->setText(QStringLiteral("#abcdef"));
        QTest::keySequence(child<QPushButton>("DrawButton"), QKeySequence::Paste);
        break;
    case Drop: {
        QMimeData data;
        data.setText(QStringLiteral("#123456"));
        sendDrop(window.get(), QPoint(400, 200), &data);
        break;
    }
    case ScreenPick:
        emit window->findChild<ScreenColourPicker *>()->picked(QColor(9, 8, 7));
        break;
    }
    QCOMPARE(history()->rowCount(), entered.isEmpty() ? 0 : 1);
    if (!entered.isEmpty())
        QCOMPARE(history()->index(0, 0).data().toString(), entered);
}

void TestColourKeeper::capAndDuplicateRule()
{
    enter(QStringLiteral("#111111"));
    enter(QStringLiteral("#111111"));
    QCOMPARE(history()->rowCount(), 1);
    enter(QStringLiteral("#222222"));
    enter(QStringLiteral("#111111"));
    QCOMPARE(history()->rowCount(), 3);
    for (int i = 0; i < 30; ++i)
        enter(QStringLiteral("#0000%1").arg(i, 2, 16, QLatin1Char('0')));
    QCOMPARE(history()->rowCount(), 24);
    QCOMPARE(history()->index(0, 0).data().toString(), QStringLiteral("#00001d"));
    QCOMPARE(history()->index(23, 0).data().toString(), QStringLiteral("#000006"));
}

void TestColourKeeper::entriesApplyAsSetAndDragOut()
{
    const QString wide = QStringLiteral("oklch(70% 0.3 150)");
    enter(wide);
    enter(QStringLiteral("#102030"));
    auto *strip = child<QAbstractItemView>("historyView");
    const QModelIndex entry = history()->index(1, 0);
    QCOMPARE(entry.data(Qt::ToolTipRole).toString(), wide);
    QVERIFY(qvariant_cast<QColor>(entry.data(Qt::DecorationRole)).isValid());
    QTest::mouseClick(strip->viewport(), Qt::LeftButton, {}, strip->visualRect(entry).center());
    // Applied exactly as set, beyond sRGB, and not entered again.
    QCOMPARE(history()->rowCount(), 2);
    choose(child<QComboBox>("comboBox3"), 8);
    QCOMPARE(child<QLineEdit>("lineEdit_8")->text(), QStringLiteral("0.3"));
    QVERIFY(!child<QLabel>("gamutLabel")->isHidden());

    QVERIFY(strip->dragEnabled());
    std::unique_ptr<QMimeData> data(history()->mimeData({entry}));
    QVERIFY(data->hasColor());
    QCOMPARE(data->text(), wide);
    // Dropped back on the window, it comes as set, not as the colour data's clipped sRGB.
    enter(QStringLiteral("#102030"));
    sendDrop(window.get(), QPoint(400, 200), data.get());
    QCOMPARE(child<QLineEdit>("lineEdit_8")->text(), QStringLiteral("0.3"));
    QCOMPARE(history()->index(0, 0).data().toString(), wide);
}

void TestColourKeeper::historyMenu()
{
    enter(QStringLiteral("oklch(70% 0.3 150)"));
    enter(QStringLiteral("#102030"));
    auto *strip = child<QAbstractItemView>("historyView");
    const auto run = [&](int row, const char *action) {
        const QPoint at = strip->visualRect(history()->index(row, 0)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, strip->viewport()->mapToGlobal(at));
        QApplication::sendEvent(strip->viewport(), &event);
        auto *menu = strip->findChild<QMenu *>(QStringLiteral("colourMenu"));
        QVERIFY(menu && menu->isVisible());
        menu->findChild<QAction *>(QLatin1String(action))->trigger();
        menu->close();
    };
    run(1, "actionCopyEntry");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("oklch(70% 0.3 150)"));
    run(1, "actionAddEntryToPalette");
    QCOMPARE(palette()->rowCount(), 1);
    QCOMPARE(palette()->index(0, 0).data(Qt::ToolTipRole).toString(),
        QStringLiteral("oklch(70% 0.3 150)"));
    run(0, "actionRemoveEntry");
    QCOMPARE(history()->rowCount(), 1);
    trigger("actionClearHistory");
    QCOMPARE(history()->rowCount(), 0);
}

void TestColourKeeper::paletteByMouseAndKeyboard()
{
    auto *button = child<QPushButton>("DrawButton");
    for (const char *colour : {"#ff0000", "#00ff00", "#0000ff"}) {
        enter(QLatin1String(colour));
        button->setFocus();
        QTest::keyClick(button, Qt::Key_D, Qt::ControlModifier);
    }
    trigger("actionShowPalettes");
    auto *dock = child<QDockWidget>("paletteDock");
    QVERIFY(dock->isVisible());
    auto *combo = child<QComboBox>("paletteCombo");
    QCOMPARE(combo->currentText(), QStringLiteral("My colours"));
    const auto texts = [this] {
        QStringList shown;
        for (int row = 0; row < palette()->rowCount(); ++row)
            shown.append(palette()->index(row, 0).data().toString());
        return shown;
    };
    QCOMPARE(texts(), (QStringList {"#ff0000", "#00ff00", "#0000ff"}));

    auto *view = child<QAbstractItemView>("paletteView");
    dock->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dock));
    view->setFocus();
    view->setCurrentIndex(palette()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(texts(), (QStringList {"#00ff00", "#ff0000", "#0000ff"}));
    QCOMPARE(view->currentIndex().row(), 1);
    QTest::keyClick(view, Qt::Key_F2);
    auto *editor = view->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Brand red"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(texts().at(1), QStringLiteral("Brand red"));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(child<QLineEdit>("notationEdit")->text(), QStringLiteral("#ff0000"));
    QTest::mouseClick(
        view->viewport(), Qt::LeftButton, {}, view->visualRect(palette()->index(2, 0)).center());
    QCOMPARE(child<QLineEdit>("notationEdit")->text(), QStringLiteral("#0000ff"));
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(texts(), (QStringList {"#00ff00", "Brand red"}));

    // Colours and files dropped on the panel.
    QMimeData colour;
    colour.setColorData(QColor(1, 2, 3));
    sendDrop(view->viewport(), view->viewport()->rect().bottomLeft() - QPoint(-5, 5), &colour);
    QCOMPARE(texts().last(), QStringLiteral("#010203"));
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(QStringLiteral(PRISMORA_PALETTES "/web.gpl"))});
    sendDrop(view->viewport(), QPoint(5, 5), &file);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentText(), QStringLiteral("Web basics"));
    QCOMPARE(palette()->rowCount(), 4);

    answerNext<QInputDialog>([](QInputDialog *dialog) {
        dialog->setTextValue(QStringLiteral("Basics"));
        dialog->accept();
    });
    trigger("actionRenamePalette");
    QCOMPARE(combo->currentText(), QStringLiteral("Basics"));
    answerNext<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    trigger("actionRemovePalette");
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->currentText(), QStringLiteral("My colours"));
}

void TestColourKeeper::paletteFilesThroughTheMenu()
{
    enter(QStringLiteral("color(display-p3 1 0 0)"));
    trigger("actionAddToPalette");
    enter(QStringLiteral("#336699"));
    trigger("actionAddToPalette");
    const auto exportAs = [this](const QString &filter, const QString &name) {
        const QString path = home->filePath(name);
        answerNext<QFileDialog>([=](QFileDialog *dialog) {
            dialog->selectNameFilter(filter);
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        });
        trigger("actionExportPalette");
        QFile file(QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".gpl") : path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    QVERIFY(exportAs(QStringLiteral("GIMP palette (*.gpl)"), QStringLiteral("mine"))
                .contains(QLatin1String("255   0   0\tUntitled")));
    QVERIFY2(window->statusBar()->currentMessage().contains(
                 QLatin1String("1 beyond sRGB were written clipped")),
        qPrintable(window->statusBar()->currentMessage()));
    QVERIFY(exportAs(QStringLiteral("CSS custom properties, color(display-p3) (*.css)"),
        QStringLiteral("mine.css"))
                .contains(QLatin1String("--colour-1: color(display-p3 1 0 0);")));

    // A bad file names its line and imports nothing; a good one becomes a palette.
    QFile bad(home->filePath(QStringLiteral("bad.gpl")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("GIMP Palette\n1 2 3 a\n1 2\n");
    bad.close();
    MessageBoxAnswerer boxes(window.get());
    for (const QString &name : {QStringLiteral("bad.gpl"), QStringLiteral("mine.gpl")}) {
        answerNext<QFileDialog>([=](QFileDialog *dialog) {
            dialog->selectFile(home->filePath(name));
            static_cast<QDialog *>(dialog)->accept();
        });
        trigger("actionImportPalette");
    }
    QCOMPARE(boxes.texts().size(), 1);
    QVERIFY2(boxes.texts().first().contains(QLatin1String("Line 3:")),
        qPrintable(boxes.texts().first()));
    QCOMPARE(child<QComboBox>("paletteCombo")->count(), 2);
    QCOMPARE(palette()->index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("#ff0000"));
}

void TestColourKeeper::keptAcrossRestart()
{
    enter(QStringLiteral("#112233"));
    enter(QStringLiteral("oklch(70% 0.3 150)"));
    trigger("actionAddToPalette");
    const int models[] = {1, 8, 9};
    for (int panel = 0; panel < 3; ++panel)
        choose(child<QComboBox>(qPrintable(QStringLiteral("comboBox%1").arg(panel + 1))),
            models[panel]);
    trigger("actionShowPalettes");
    window->close();
    window.reset();

    open();
    QCOMPARE(history()->rowCount(), 2);
    QCOMPARE(history()->index(0, 0).data().toString(), QStringLiteral("oklch(70% 0.3 150)"));
    for (int panel = 0; panel < 3; ++panel)
        QCOMPARE(child<QComboBox>(qPrintable(QStringLiteral("comboBox%1").arg(panel + 1)))
                     ->currentIndex(),
            models[panel]);
    QVERIFY(child<QLineEdit>("lineEdit_1_4")->isEnabled());
    QVERIFY(child<QDockWidget>("paletteDock")->isVisible());
    // The palette's colour is the one set, beyond sRGB.
    auto *view = child<QAbstractItemView>("paletteView");
    QCOMPARE(palette()->rowCount(), 1);
    QTest::mouseClick(
        view->viewport(), Qt::LeftButton, {}, view->visualRect(palette()->index(0, 0)).center());
    QCOMPARE(child<QLineEdit>("lineEdit_5")->text(), QStringLiteral("0.3"));
}

void TestColourKeeper::twoWindowsKeepEachOthersPalettes()
{
    // The later write merges what the other window saved; neither loses a palette.
    MainWindow other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QTest::qWait(1);
    const auto importInto = [](QWidget *in, const char *file) {
        auto *view = in->findChild<QAbstractItemView *>(QStringLiteral("paletteView"));
        QMimeData data;
        data.setUrls(
            {QUrl::fromLocalFile(QLatin1String(PRISMORA_PALETTES "/") + QLatin1String(file))});
        sendDrop(view->viewport(), QPoint(5, 5), &data);
        QTest::qWait(1);
    };
    importInto(window.get(), "web.gpl");
    importInto(&other, "windows.gpl");
    QCOMPARE(other.findChild<QComboBox *>(QStringLiteral("paletteCombo"))->count(), 2);
    window.reset();
    open();
    QCOMPARE(child<QComboBox>("paletteCombo")->count(), 2);
}

void TestColourKeeper::unreadableFileIsReportedAndSetAside()
{
    window.reset();
    QVERIFY(QDir().mkpath(QFileInfo(dataFile("history.json")).path()));
    QFile file(dataFile("history.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"prismora-history\", \"version\": 1, \"colours\": [{\"model\": ");
    file.close();
    open();
    QVERIFY2(
        window->statusBar()->currentMessage().contains(QLatin1String("history.json.truncated")),
        qPrintable(window->statusBar()->currentMessage()));
    QVERIFY(QFile::exists(dataFile("history.json.truncated")));
    enter(QStringLiteral("#445566"));
    QTest::qWait(1);
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
    QVERIFY(QFile::exists(dataFile("history.json")));
}

QTEST_MAIN(TestColourKeeper)
#include "tst_colourkeeper.moc"
