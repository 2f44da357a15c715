#include "colourmodels.h"
#include "mainwindow.h"
#include "translations.h"
#include "windowtesting.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The window as main() starts it under each locale: the program's translation and the toolkit's
// loaded first, then the window made.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void windowTexts_data();
    void windowTexts();
    void toolTips_data();
    void toolTips();
    void chooserButtons_data();
    void chooserButtons();

private:
    void open(const QString &locale);
    template<typename T> T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }

    std::unique_ptr<WarningLog> warnings;
    std::unique_ptr<Translations> translations;
    std::unique_ptr<MainWindow> window;
};

void TestTranslations::open(const QString &locale)
{
    warnings = std::make_unique<WarningLog>();
    translations = std::make_unique<Translations>(QLocale(locale));
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestTranslations::cleanup()
{
    window.reset();
    translations.reset();
    if (warnings)
        QVERIFY2(warnings->warnings().isEmpty(), qPrintable(warnings->warnings().join('\n')));
    warnings.reset();
}

void TestTranslations::windowTexts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("draw");
    QTest::addColumn<QString>("boxTitle");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QStringList>("menus");

    // The texts as written in the sources.
    const QStringList menus {"&Colour", "&View", "&Settings", "&Help"};
    QTest::newRow("C") << "C"
                       << "MainWindow"
                       << "Draw"
                       << "Ууууууупс :( !Ошибка!"
                       << "параметры rgb имеют диапозон от 0 до 255" << menus;
    QTest::newRow("en_US") << "en_US"
                           << "MainWindow"
                           << "Draw"
                           << "Out of range"
                           << "RGB channels range from 0 to 255" << menus;
    QTest::newRow("ru_RU") << "ru_RU"
                           << "Главное окно"
                           << "Выбрать"
                           << "Значение вне диапазона"
                           << "Параметры RGB имеют диапазон от 0 до 255"
                           << QStringList {"&Цвет", "&Вид", "&Настройки", "&Справка"};
}

void TestTranslations::windowTexts()
{
    QFETCH(QString, locale);
    QFETCH(QString, title);
    QFETCH(QString, draw);
    QFETCH(QString, boxTitle);
    QFETCH(QString, boxText);
    QFETCH(QStringList, menus);
    open(locale);
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(child<QPushButton>("DrawButton")->text(), draw);
    QStringList shown;
    for (const QAction *menu : window->menuBar()->actions())
        shown << menu->text();
    QCOMPARE(shown, menus);

    MessageBoxAnswerer boxes(window.get());
    choose(child<QComboBox>("comboBox1"), ColourModels::Rgb);
    child<QLineEdit>("lineEdit_1")->setText(QStringLiteral("300"));
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes().first().title, boxTitle);
    QCOMPARE(boxes.boxes().first().text, boxText);
}

void TestTranslations::toolTips_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("translated");
    for (const char *locale : {"C", "en_US", "ru_RU"}) {
        for (int model = 0; model < ColourModels::Count; ++model)
            QTest::addRow("%s %s", locale, ColourModels::model(model)->key)
                << locale << model << (qstrcmp(locale, "ru_RU") == 0);
    }
}

void TestTranslations::toolTips()
{
    QFETCH(QString, locale);
    QFETCH(int, model);
    QFETCH(bool, translated);
    open(locale);
    choose(child<QComboBox>("comboBox1"), model);
    const QString source = QString::fromUtf8(ColourModels::model(model)->channels[0].description);
    const QString shown = child<QLineEdit>("lineEdit_1")->toolTip();
    if (!translated) {
        QCOMPARE(shown, source);
        return;
    }
    QVERIFY2(shown != source, qPrintable(shown));
    const bool cyrillic = std::any_of(
        shown.begin(), shown.end(), [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
    QVERIFY2(cyrillic, qPrintable(shown));
}

void TestTranslations::chooserButtons_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("C") << "C"
                       << "Cancel";
    QTest::newRow("en_US") << "en_US"
                           << "Cancel";
    QTest::newRow("ru_RU") << "ru_RU"
                           << "Отмена";
}

void TestTranslations::chooserButtons()
{
    QFETCH(QString, locale);
    QFETCH(QString, cancel);
    open(locale);
    // The toolkit ships no English translation with every version: its texts are English.
    if (cancel != QLatin1String("Cancel") && !translations->toolkitLoaded())
        QSKIP("The toolkit's translations are not installed (qttranslations5-l10n or "
              "qt6-translations-l10n)");
    QString shown;
    // The chooser is modal: read it while open, then close it.
    QTimer::singleShot(0, this, [&shown] {
        auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto *buttons = dialog->findChild<QDialogButtonBox *>())
            shown = buttons->button(QDialogButtonBox::Cancel)->text();
        dialog->reject();
    });
    QTest::mouseClick(child<QPushButton>("DrawButton"), Qt::LeftButton);
    QCOMPARE(shown, cancel);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
