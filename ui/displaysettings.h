#ifndef DISPLAYSETTINGS_H
#define DISPLAYSETTINGS_H

#include <QCoreApplication>
#include <QString>

#include <memory>

class QSettings;

// How the window shows numbers, kept between runs: RGB truncated or rounded to whole levels, and
// the panels' precision. Read when made; nothing is written until a choice changes. A settings
// file that cannot be read is never written over: it is set aside first and the defaults hold.
class DisplaySettings
{
    Q_DECLARE_TR_FUNCTIONS(DisplaySettings)

public:
    DisplaySettings();
    ~DisplaySettings();

    bool roundToNearest() const { return nearest; }
    // -1 for six significant digits, else a fixed 0 to 10 decimals.
    int decimals() const { return decimalCount; }

    void setRoundToNearest(bool round);
    void setDecimals(int decimals);

    // Why the saved settings were not used, for the status bar; empty when they were.
    QString problem() const { return trouble; }

private:
    void write(const QString &key, const QString &value);

    std::unique_ptr<QSettings> settings;
    bool nearest = false;
    int decimalCount = -1;
    bool unreadable = false;
    QString trouble;
};

#endif // DISPLAYSETTINGS_H
