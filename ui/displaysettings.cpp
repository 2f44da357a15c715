#include "displaysettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString roundingKey = QStringLiteral("rgb/rounding");
const QString decimalsKey = QStringLiteral("display/decimals");

} // namespace

DisplaySettings::DisplaySettings()
    : settings(std::make_unique<QSettings>(QStringLiteral("Prismora"), QStringLiteral("prismora")))
{
    const QFileInfo file(settings->fileName());
    unreadable = settings->status() != QSettings::NoError
        || (file.exists() && (!file.isFile() || !file.isReadable()));
    if (unreadable) {
        trouble = tr("The settings in %1 could not be read; the defaults are in use.")
                      .arg(settings->fileName());
        return;
    }
    // Anything but the known values, hand-edited or from a later version, is the default.
    nearest = settings->value(roundingKey).toString() == QLatin1String("nearest");
    bool number = false;
    const int decimals = settings->value(decimalsKey).toString().toInt(&number);
    if (number && decimals >= -1 && decimals <= 10)
        decimalCount = decimals;
}

DisplaySettings::~DisplaySettings() = default;

void DisplaySettings::setRoundToNearest(bool round)
{
    nearest = round;
    write(roundingKey, round ? QStringLiteral("nearest") : QStringLiteral("truncate"));
}

void DisplaySettings::setDecimals(int decimals)
{
    decimalCount = decimals;
    write(decimalsKey, QString::number(decimals));
}

void DisplaySettings::write(const QString &key, const QString &value)
{
    if (unreadable) {
        // The unread file is the user's: moved aside, never written over.
        const QString path = settings->fileName();
        QString aside = path + QStringLiteral(".unreadable");
        for (int n = 2; QFileInfo::exists(aside); ++n)
            aside = path + QStringLiteral(".unreadable-%1").arg(n);
        if (QFileInfo::exists(path) && !QFile::rename(path, aside)) {
            trouble = tr("The settings in %1 could not be read or set aside; changes are not kept.")
                          .arg(path);
            return;
        }
        trouble = tr("The settings that could not be read were set aside as %1.").arg(aside);
        unreadable = false;
        settings
            = std::make_unique<QSettings>(QStringLiteral("Prismora"), QStringLiteral("prismora"));
    }
    settings->setValue(key, value);
    settings->sync();
}
