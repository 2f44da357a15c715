#include "mainwindow.h"
#include "windowtesting.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDockWidget>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QtTest>

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowSettings();
    void gridCells_data();
    void gridCells();
    void comboItems_data();
    void comboItems();
    void startsEmptyWithSixDisabled();
    void tabOrder_data();
    void tabOrder();
    void slotTable();
    void everyWidgetReachesItsSlot();
    void swatchStartsBlackAndOutlined();
    void drawSetsTheChosenColour();
    void cancelledDrawKeepsTheColour();
    void resizingMovesNothing();
    void editsLookAsTheStyleDrawsThem_data();
    void editsLookAsTheStyleDrawsThem();
    void closingEndsTheLoopWithZero();

private:
    template<typename T> T *child(const char *name) const
    {
        T *widget = window->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }

    std::unique_ptr<WarningLog> warnings;
    std::unique_ptr<MainWindow> window;
};

void TestMainWindow::init()
{
    warnings = std::make_unique<WarningLog>();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestMainWindow::cleanup()
{
    window.reset();
    QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
    warnings.reset();
}

void TestMainWindow::windowSettings()
{
    QCOMPARE(window->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(window->size(), QSize(806, 471));
    QCOMPARE(window->windowTitle(), QStringLiteral("MainWindow"));
    QCOMPARE(window->centralWidget()->objectName(), QStringLiteral("centralwidget"));
    QVERIFY(window->centralWidget()->layout() == nullptr);

    auto *draw = child<QPushButton>("DrawButton");
    QCOMPARE(draw->parentWidget(), window->centralWidget());
    QCOMPARE(draw->geometry(), QRect(20, 260, 150, 100));
    QCOMPARE(draw->text(), QStringLiteral("Draw"));

    auto *grid = child<QWidget>("gridLayoutWidget");
    QCOMPARE(grid->parentWidget(), window->centralWidget());
    QCOMPARE(grid->geometry(), QRect(180, 20, 611, 391));
    auto *layout = qobject_cast<QGridLayout *>(grid->layout());
    QVERIFY(layout);
    QCOMPARE(layout->objectName(), QStringLiteral("gridLayout"));
    QCOMPARE(layout->contentsMargins(), QMargins(0, 0, 0, 0));

    QCOMPARE(window->menuBar()->objectName(), QStringLiteral("menubar"));
    QStringList menus;
    for (const QAction *action : window->menuBar()->actions())
        menus << action->menu()->objectName();
    QCOMPARE(menus, (QStringList {"menuColour", "menuView", "menuSettings", "menuHelp"}));
    QCOMPARE(window->statusBar()->objectName(), QStringLiteral("statusbar"));
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
}

void TestMainWindow::gridCells_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    // Grid row, then the widget of that row in panels 1, 2 and 3 (columns 0, 1 and 2).
    const struct
    {
        int row;
        const char *names[3];
    } rows[] = {
        {0, {"comboBox1", "comboBox2", "comboBox3"}},
        {11, {"label1", "label2", "label3"}},
        {13, {"lineEdit_1", "lineEdit_4", "lineEdit_7"}},
        {14, {"horizontalSlider_1", "horizontalSlider_4", "horizontalSlider_7"}},
        {18, {"lineEdit_2", "lineEdit_5", "lineEdit_8"}},
        {19, {"horizontalSlider_2", "horizontalSlider_5", "horizontalSlider_8"}},
        {20, {"lineEdit_3", "lineEdit_6", "lineEdit_9"}},
        {28, {"horizontalSlider_3", "horizontalSlider_6", "horizontalSlider_9"}},
        {29, {"lineEdit_1_4", "lineEdit_2_4", "lineEdit_3_4"}},
        {30, {"horizontalSlider_1_4", "horizontalSlider_2_4", "horizontalSlider_3_4"}},
    };
    for (const auto &row : rows) {
        for (int column = 0; column < 3; ++column)
            QTest::newRow(row.names[column]) << row.names[column] << row.row << column;
    }
}

void TestMainWindow::gridCells()
{
    QFETCH(QString, name);
    QFETCH(int, row);
    QFETCH(int, column);

    auto *grid = child<QWidget>("gridLayoutWidget");
    auto *layout = static_cast<QGridLayout *>(grid->layout());
    auto *widget = window->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget(), grid);
    const int index = layout->indexOf(widget);
    QVERIFY(index >= 0);
    int r, c, rowSpan, columnSpan;
    layout->getItemPosition(index, &r, &c, &rowSpan, &columnSpan);
    QCOMPARE(r, row);
    QCOMPARE(c, column);
    QCOMPARE(rowSpan, 1);
    QCOMPARE(columnSpan, 1);
    QCOMPARE(layout->itemAt(index)->alignment(), Qt::Alignment());
    if (auto *slider = qobject_cast<QSlider *>(widget)) {
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 99);
        QCOMPARE(slider->value(), 0);
    }
}

void TestMainWindow::comboItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("panel 1") << "comboBox1"
                             << QStringList {"RGB", "CMYK", "HSV", "HSL", "XYZ", "LAB", "LCH",
                                    "OKLAB", "OKLCH", "DISPLAY-P3", "REC2020"};
    QTest::newRow("panel 2") << "comboBox2"
                             << QStringList {"RGB", "CMYK", "HSV", "HLS", "XYZ", "LAB", "LCH",
                                    "OKLAB", "OKLCH", "DISPLAY-P3", "REC2020"};
    QTest::newRow("panel 3") << "comboBox3"
                             << QStringList {"RGB", "CMYK", "HSV", "HLS", "XYZ", "LAB", "LCH",
                                    "OKLAB", "OKLCH", "DISPLAY-P3", "REC2020"};
}

void TestMainWindow::comboItems()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    auto *combo = window->findChild<QComboBox *>(name);
    QVERIFY(combo);
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts.append(combo->itemText(i));
        QVERIFY(!combo->itemData(i).isValid());
    }
    QCOMPARE(texts, items);
    QCOMPARE(combo->currentIndex(), 0);
}

void TestMainWindow::startsEmptyWithSixDisabled()
{
    // The panels' edits start empty; the notation field shows the engine's black.
    for (auto *edit : window->findChildren<QLineEdit *>()) {
        QCOMPARE(edit->text(),
            edit->objectName() == QLatin1String("notationEdit") ? QStringLiteral("#000000")
                                                                : QString());
    }
    // The grid's labels start with RGB's channels, as the combo boxes do; the gamut warning is
    // hidden.
    for (auto *label : window->findChildren<QLabel *>()) {
        if (label->objectName() == QLatin1String("gamutLabel"))
            QVERIFY(label->isHidden());
        else
            QCOMPARE(label->text(), QStringLiteral("R  G  B  (0-255)"));
    }
    QCOMPARE(child<QLabel>("label1")->textFormat(), Qt::MarkdownText);
    QCOMPARE(child<QLabel>("label1")->wordWrap(), false);
    QCOMPARE(child<QLabel>("label2")->alignment(), Qt::AlignCenter);
    QCOMPARE(child<QComboBox>("comboBox1")->maxCount(), 2147483645);
    QCOMPARE(child<QComboBox>("comboBox1")->toolTipDuration(), 0);

    QStringList disabled;
    for (auto *widget : window->findChildren<QWidget *>()) {
        if (!widget->isEnabled())
            disabled.append(widget->objectName());
    }
    disabled.sort();
    QCOMPARE(disabled,
        QStringList({"horizontalSlider_1_4", "horizontalSlider_2_4", "horizontalSlider_3_4",
            "lineEdit_1_4", "lineEdit_2_4", "lineEdit_3_4"}));
}

void TestMainWindow::tabOrder_data()
{
    QTest::addColumn<int>("cmykPanel"); // -1: every panel in RGB
    QTest::addColumn<bool>("palettesDocked");
    QTest::newRow("rgb") << -1 << false;
    QTest::newRow("cmyk in panel 1") << 0 << false;
    QTest::newRow("cmyk in panel 3") << 2 << false;
    QTest::newRow("palettes docked") << -1 << true;
}

void TestMainWindow::tabOrder()
{
    QFETCH(int, cmykPanel);
    QFETCH(bool, palettesDocked);
    if (palettesDocked) {
        auto *palettes = child<QDockWidget>("paletteDock");
        palettes->setFloating(false);
        palettes->show();
    }
    if (cmykPanel >= 0)
        choose(window->findChild<QComboBox *>(QStringLiteral("comboBox%1").arg(cmykPanel + 1)), 1);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("comboBox1"));

    // Panel by panel, each channel's edit then its slider, the fourth only while enabled.
    QStringList expected;
    for (int panel = 0; panel < 3; ++panel) {
        expected << QStringLiteral("comboBox%1").arg(panel + 1);
        for (int channel = 1; channel <= 3; ++channel) {
            const int n = panel * 3 + channel;
            expected << QStringLiteral("lineEdit_%1").arg(n)
                     << QStringLiteral("horizontalSlider_%1").arg(n);
        }
        if (panel == cmykPanel) {
            expected << QStringLiteral("lineEdit_%1_4").arg(panel + 1)
                     << QStringLiteral("horizontalSlider_%1_4").arg(panel + 1);
        }
    }
    expected += QStringList {"DrawButton", "swatch", "notationEdit", "historyView"};
    if (palettesDocked)
        expected += QStringList {"paletteCombo", "paletteMenuButton", "paletteView"};
    expected.append(QStringLiteral("comboBox1"));
    QStringList visited {QApplication::focusWidget()->objectName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(),
        palettesDocked ? QStringLiteral("paletteView") : QStringLiteral("historyView"));
}

void TestMainWindow::slotTable()
{
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QCOMPARE(meta.className(), "MainWindow");
    QCOMPARE(meta.superClass(), &QMainWindow::staticMetaObject);
    QCOMPARE(meta.methodCount() - meta.methodOffset(), 28);
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());
    QCOMPARE(meta.enumeratorCount(), meta.enumeratorOffset());

    QStringList signatures;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
        QCOMPARE(method.returnType(), int(QMetaType::Void));
        signatures.append(QString::fromLatin1(method.methodSignature()));
    }
    QStringList expected {"on_DrawButton_clicked()"};
    for (int i = 1; i <= 3; ++i)
        expected.append(QStringLiteral("on_comboBox%1_activated(int)").arg(i));
    for (int i = 1; i <= 9; ++i)
        expected.append(QStringLiteral("on_lineEdit_%1_textChanged(QString)").arg(i));
    for (int i = 1; i <= 3; ++i)
        expected.append(QStringLiteral("on_lineEdit_%1_4_textChanged(QString)").arg(i));
    for (int i = 1; i <= 9; ++i)
        expected.append(QStringLiteral("on_horizontalSlider_%1_sliderMoved(int)").arg(i));
    for (int i = 1; i <= 3; ++i)
        expected.append(QStringLiteral("on_horizontalSlider_%1_4_sliderMoved(int)").arg(i));
    QCOMPARE(signatures, expected);
}

void TestMainWindow::everyWidgetReachesItsSlot()
{
    MessageBoxAnswerer boxes(window.get());
    // Each combo box: activation fills its panel's edits.
    for (int panel = 1; panel <= 3; ++panel) {
        choose(window->findChild<QComboBox *>(QStringLiteral("comboBox%1").arg(panel)), 0);
        const int first = (panel - 1) * 3 + 1;
        QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("lineEdit_%1").arg(first))->text(),
            QStringLiteral("0"));
    }
    // Each channel slider writes its edit, and each edit reaches the engine: the swatch follows.
    int rgb[3] = {0, 0, 0};
    for (int i = 1; i <= 9; ++i) {
        auto *slider = window->findChild<QSlider *>(QStringLiteral("horizontalSlider_%1").arg(i));
        auto *edit = window->findChild<QLineEdit *>(QStringLiteral("lineEdit_%1").arg(i));
        drag(slider, 100 + i);
        QCOMPARE(edit->text(), QString::number(100 + i));
        rgb[(i - 1) % 3] = 100 + i;
        QCOMPARE(swatchColour(window.get()), QColor(rgb[0], rgb[1], rgb[2]));
    }
    // Each fourth pair reaches the key once its panel shows CMYK.
    for (int panel = 1; panel <= 3; ++panel) {
        choose(window->findChild<QComboBox *>(QStringLiteral("comboBox%1").arg(panel)), 1);
        auto *slider
            = window->findChild<QSlider *>(QStringLiteral("horizontalSlider_%1_4").arg(panel));
        auto *edit = window->findChild<QLineEdit *>(QStringLiteral("lineEdit_%1_4").arg(panel));
        drag(slider, 100);
        QCOMPARE(edit->text(), QStringLiteral("100"));
        QCOMPARE(swatchColour(window.get()), QColor(0, 0, 0));
        edit->setText(QStringLiteral("0"));
        QVERIFY(swatchColour(window.get()) != QColor(0, 0, 0));
    }
    QVERIFY(boxes.boxes().isEmpty());
    // The button opens the chooser.
    ColourChooserAnswerer chooser(QColor(1, 2, 3));
    QTest::mouseClick(child<QPushButton>("DrawButton"), Qt::LeftButton);
    QCOMPARE(chooser.opened(), 1);
}

void TestMainWindow::swatchStartsBlackAndOutlined()
{
    QCOMPARE(swatchColour(window.get()), QColor(Qt::black));
    // Paint a light colour so the outline stands apart from the fill.
    ColourChooserAnswerer chooser(QColor(200, 220, 240));
    child<QPushButton>("DrawButton")->click();
    const QImage painted = centralArea(window.get());
    const QColor fill(200, 220, 240);
    QCOMPARE(painted.pixelColor(21, 239), fill);
    QCOMPARE(painted.pixelColor(169, 100), fill);
    for (int y : {100, 239})
        QCOMPARE(painted.pixelColor(20, y), QColor(Qt::black));
    for (int y : {100, 239})
        QCOMPARE(painted.pixelColor(170, y), QColor(Qt::black));
    for (int x : {21, 95, 169}) {
        QCOMPARE(painted.pixelColor(x, 240), QColor(Qt::black));
        // Below the menu bar, the top edge shows.
        QCOMPARE(painted.pixelColor(x, 20), QColor(Qt::black));
    }
    // Nothing outside the outline is drawn.
    QVERIFY(painted.pixelColor(171, 100) != QColor(Qt::black));
    QVERIFY(painted.pixelColor(95, 241) != QColor(Qt::black));
    QVERIFY(painted.pixelColor(19, 100) != QColor(Qt::black));
}

void TestMainWindow::drawSetsTheChosenColour()
{
    auto *redEdit = child<QLineEdit>("lineEdit_1");
    ColourChooserAnswerer chooser(QColor(12, 200, 99));
    QTest::mouseClick(child<QPushButton>("DrawButton"), Qt::LeftButton);
    QCOMPARE(chooser.opened(), 1);
    QCOMPARE(chooser.initial(), QColor(Qt::white));
    QCOMPARE(swatchColour(window.get()), QColor(12, 200, 99));
    // Every panel follows at once, in the model its combo box shows.
    QCOMPARE(redEdit->text(), QStringLiteral("12"));
    QCOMPARE(child<QLineEdit>("lineEdit_2")->text(), QStringLiteral("200"));
    QCOMPARE(child<QLineEdit>("lineEdit_3")->text(), QStringLiteral("99"));
}

void TestMainWindow::cancelledDrawKeepsTheColour()
{
    {
        ColourChooserAnswerer chooser(QColor(250, 100, 5));
        child<QPushButton>("DrawButton")->click();
    }
    ColourChooserAnswerer cancel {QColor()};
    child<QPushButton>("DrawButton")->click();
    QCOMPARE(cancel.opened(), 1);
    QCOMPARE(swatchColour(window.get()), QColor(250, 100, 5));
    choose(child<QComboBox>("comboBox2"), 0);
    QCOMPARE(child<QLineEdit>("lineEdit_4")->text(), QStringLiteral("250"));
}

void TestMainWindow::resizingMovesNothing()
{
    // The layout is fixed: the window keeps its size, asked for more or for less.
    QCOMPARE(window->minimumSize(), QSize(806, 471));
    QCOMPARE(window->maximumSize(), QSize(806, 471));
    window->resize(1200, 900);
    QCOMPARE(window->size(), QSize(806, 471));
    QCOMPARE(child<QPushButton>("DrawButton")->geometry(), QRect(20, 260, 150, 100));
    QCOMPARE(child<QWidget>("gridLayoutWidget")->geometry(), QRect(180, 20, 611, 391));
    window->resize(400, 300);
    QCOMPARE(window->size(), QSize(806, 471));
    QCOMPARE(child<QWidget>("gridLayoutWidget")->geometry(), QRect(180, 20, 611, 391));
    // Nothing drawn over the swatch: the status bar starts below the central widget.
    QVERIFY(window->statusBar()->geometry().top() > window->centralWidget()->geometry().bottom());
    window->showMaximized();
    QTRY_VERIFY(!window->isMaximized());
    QCOMPARE(window->size(), QSize(806, 471));
    // A docked palette panel widens the window by its own width, and gives it back.
    auto *dock = child<QDockWidget>("paletteDock");
    dock->show();
    dock->setFloating(false);
    QTRY_VERIFY(window->width() >= 806 + dock->width());
    QCOMPARE(child<QWidget>("gridLayoutWidget")->geometry(), QRect(180, 20, 611, 391));
    dock->hide();
    QTRY_COMPARE(window->size(), QSize(806, 471));
    QCOMPARE(swatchColour(window.get()), QColor(Qt::black));
}

void TestMainWindow::editsLookAsTheStyleDrawsThem_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled") << true;
    QTest::newRow("disabled") << false;
}

void TestMainWindow::editsLookAsTheStyleDrawsThem()
{
    QFETCH(bool, enabled);
    // The panels' edits draw their frames from a cache; a plain edit beside them is the reference.
    auto *edit = child<QLineEdit>("lineEdit_2");
    QLineEdit plain(edit->parentWidget());
    plain.setGeometry(edit->geometry().translated(0, edit->height() * 3));
    plain.show();
    for (QLineEdit *each : {edit, &plain}) {
        each->setText(QStringLiteral("49.8039"));
        each->setEnabled(enabled);
    }
    QCOMPARE(edit->grab().toImage(), plain.grab().toImage());
}

void TestMainWindow::closingEndsTheLoopWithZero()
{
    // The never-shown colour dialog must not keep the program running.
    QTimer::singleShot(0, window.get(), &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
