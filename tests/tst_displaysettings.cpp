#include "displaysettings.h"
#include "mainwindow.h"
#include "notation.h"
#include "windowtesting.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Every test starts from its own empty configuration folder, as XDG_CONFIG_HOME gives it.
class TestDisplaySettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void defaultsWithNothingSaved();
    void choicesKeptAcrossRestart();
    void unknownValuesAreDefaults_data();
    void unknownValuesAreDefaults();
    void unreadableFileIsSetAside();
    void windowFollowsTheChoices();

private:
    QString settingsFile() const
    {
        return config->path() + QStringLiteral("/Prismora/prismora.conf");
    }
    void writeFile(const QByteArray &content) const;

    std::unique_ptr<QTemporaryDir> config;
};

void TestDisplaySettings::init()
{
    config = std::make_unique<QTemporaryDir>();
    QVERIFY(config->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config->path()));
    // QSettings keeps the folder it found first; the test points it at this one.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config->path());
}

void TestDisplaySettings::writeFile(const QByteArray &content) const
{
    QVERIFY(QDir().mkpath(config->path() + QStringLiteral("/Prismora")));
    QFile file(settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestDisplaySettings::defaultsWithNothingSaved()
{
    const DisplaySettings settings;
    QCOMPARE(settings.roundToNearest(), false);
    QCOMPARE(settings.decimals(), -1);
    QVERIFY(settings.problem().isEmpty());
    // Reading writes nothing.
    QVERIFY(!QFile::exists(settingsFile()));
}

void TestDisplaySettings::choicesKeptAcrossRestart()
{
    {
        DisplaySettings settings;
        settings.setRoundToNearest(true);
        settings.setDecimals(3);
    }
    const DisplaySettings restarted;
    QCOMPARE(restarted.roundToNearest(), true);
    QCOMPARE(restarted.decimals(), 3);
    QSettings file(settingsFile(), QSettings::IniFormat);
    QCOMPARE(file.value(QStringLiteral("rgb/rounding")).toString(), QStringLiteral("nearest"));
    QCOMPARE(file.value(QStringLiteral("display/decimals")).toString(), QStringLiteral("3"));
}

void TestDisplaySettings::unknownValuesAreDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("unknown rounding and decimals")
        << QByteArray("[rgb]\nrounding=sideways\n[display]\ndecimals=11\n");
    QTest::newRow("decimals not a number") << QByteArray("[display]\ndecimals=six\n");
    QTest::newRow("binary garbage") << QByteArray::fromHex("00fffe5b5b5b0a3d0a01");
}

void TestDisplaySettings::unknownValuesAreDefaults()
{
    QFETCH(QByteArray, content);
    writeFile(content);
    const DisplaySettings settings;
    QCOMPARE(settings.roundToNearest(), false);
    QCOMPARE(settings.decimals(), -1);
}

void TestDisplaySettings::unreadableFileIsSetAside()
{
    // A folder where the file belongs cannot be read, even by root.
    QVERIFY(QDir().mkpath(settingsFile()));
    QVERIFY(QFile::copy(QFINDTESTDATA("tst_displaysettings.cpp"), settingsFile() + "/kept"));
    DisplaySettings settings;
    QVERIFY(!settings.problem().isEmpty());
    QCOMPARE(settings.decimals(), -1);
    settings.setDecimals(2);
    // What could not be read is kept beside, and the new choice is saved.
    QVERIFY(QFile::exists(settingsFile() + QStringLiteral(".unreadable/kept")));
    QCOMPARE(DisplaySettings().decimals(), 2);
}

void TestDisplaySettings::windowFollowsTheChoices()
{
    const auto grey = [](MainWindow &window) {
        window.applyNotation(*Notation::parse(QStringLiteral("rgb(50% 50% 50%)")).request);
        return window.findChild<QLineEdit *>(QStringLiteral("notationEdit"))->text();
    };
    {
        MainWindow window;
        QCOMPARE(grey(window), QStringLiteral("#7f7f7f"));
        window.findChild<QAction *>(QStringLiteral("actionRoundToNearest"))->trigger();
        QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("notationEdit"))->text(),
            QStringLiteral("#808080"));
        window.findChild<QAction *>(QStringLiteral("actionDecimals2"))->trigger();
    }
    // A new window starts with the choices made in the last one.
    MainWindow restarted;
    QVERIFY(restarted.findChild<QAction *>(QStringLiteral("actionRoundToNearest"))->isChecked());
    QCOMPARE(grey(restarted), QStringLiteral("#808080"));
    // CMYK's key of the grey, in the second panel, with two decimals; RGB stays whole.
    choose(restarted.findChild<QComboBox *>(QStringLiteral("comboBox2")), 1);
    QCOMPARE(restarted.findChild<QLineEdit *>(QStringLiteral("lineEdit_1"))->text(),
        QStringLiteral("128"));
    QCOMPARE(restarted.findChild<QLineEdit *>(QStringLiteral("lineEdit_2_4"))->text(),
        QStringLiteral("50.00"));
}

QTEST_MAIN(TestDisplaySettings)
#include "tst_displaysettings.moc"
