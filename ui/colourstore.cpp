#include "colourstore.h"

#include "colourlistmodel.h"
#include "gimppalette.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr int formatVersion = 1;
// Fifty palettes of two hundred colours take about 2 MiB; far more is no file of ours.
constexpr qint64 largestFile = 64 * 1024 * 1024;

QJsonArray colourArray(const QVector<StoredColour> &colours)
{
    QJsonArray array;
    for (const StoredColour &colour : colours)
        array.append(colour.toJson());
    return array;
}

// False when an entry could not be read; the others are kept.
bool readColours(const QJsonValue &value, QVector<StoredColour> &colours, int most)
{
    bool whole = value.isArray();
    for (const QJsonValue &entry : value.toArray()) {
        const std::optional<StoredColour> colour = StoredColour::fromJson(entry.toObject());
        whole = whole && colour;
        if (colour && colours.size() < most)
            colours.append(*colour);
    }
    return whole;
}

const Palette *named(const QVector<Palette> &palettes, const QString &name)
{
    const auto found = std::find_if(palettes.begin(), palettes.end(),
        [&](const Palette &palette) { return palette.name == name; });
    return found == palettes.end() ? nullptr : &*found;
}

bool readPalettes(const QJsonObject &object, QVector<Palette> &palettes)
{
    const QJsonValue list = object.value(QLatin1String("palettes"));
    bool whole = list.isArray();
    for (const QJsonValue &entry : list.toArray()) {
        const QJsonObject fields = entry.toObject();
        Palette palette;
        palette.name = fields.value(QLatin1String("name")).toString();
        palette.columns = qBound(0, fields.value(QLatin1String("columns")).toInt(), 256);
        whole = readColours(fields.value(QLatin1String("colours")), palette.colours,
                    PaletteBook::largestPalette)
            && whole && !palette.name.isEmpty();
        if (palette.name.isEmpty())
            continue;
        while (named(palettes, palette.name))
            palette.name += QLatin1Char('*');
        palettes.append(palette);
    }
    return whole;
}

// Theirs, with what this window changed since it last read or wrote (its base) laid over it.
QVector<Palette> mergePalettes(
    const QVector<Palette> &base, const QVector<Palette> &mine, const QVector<Palette> &theirs)
{
    QVector<Palette> merged = theirs;
    for (const Palette &palette : mine) {
        const Palette *before = named(base, palette.name);
        if (before && *before == palette)
            continue;
        const auto same = std::find_if(merged.begin(), merged.end(),
            [&](const Palette &other) { return other.name == palette.name; });
        if (same == merged.end())
            merged.append(palette);
        else
            *same = palette;
    }
    // Removed here, and left as it was there: removed. Changed there: kept.
    for (const Palette &palette : base) {
        if (named(mine, palette.name))
            continue;
        merged.erase(std::remove(merged.begin(), merged.end(), palette), merged.end());
    }
    return merged;
}

QVector<StoredColour> mergeHistory(const QVector<StoredColour> &base,
    const QVector<StoredColour> &mine, const QVector<StoredColour> &theirs)
{
    QVector<StoredColour> merged = mine;
    for (const StoredColour &colour : theirs) {
        if (!base.contains(colour) && !mine.contains(colour))
            merged.append(colour);
    }
    std::stable_sort(merged.begin(), merged.end(),
        [](const StoredColour &a, const StoredColour &b) { return a.settledAt > b.settledAt; });
    QVector<StoredColour> history;
    for (const StoredColour &colour : merged) {
        if (history.size() == ColourListModel::historyLength)
            break;
        if (history.isEmpty() || !history.last().sameColour(colour))
            history.append(colour);
    }
    return history;
}

QByteArray currentBytes(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > largestFile || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

QString ColourStore::defaultFolder()
{
    // What AppDataLocation gives under the program's own names, whoever builds the window: the
    // program, a test or a benchmark.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Prismora/prismora");
}

ColourStore::ColourStore(const QString &folder)
    : location(folder.isEmpty() ? defaultFolder() : folder)
{ }

QString ColourStore::path(const File &file) const
{
    return location + QLatin1Char('/') + file.name;
}

QVector<StoredColour> ColourStore::loadHistory()
{
    historyBase.clear();
    const std::optional<QJsonObject> object = read(historyFile);
    if (object
        && !readColours(
            object->value(QLatin1String("colours")), historyBase, ColourListModel::historyLength))
        setAside(historyFile, QStringLiteral("corrupt"), tr("some of its colours are damaged"));
    return historyBase;
}

QVector<Palette> ColourStore::loadPalettes()
{
    palettesBase.clear();
    const std::optional<QJsonObject> object = read(palettesFile);
    if (object && !readPalettes(*object, palettesBase))
        setAside(palettesFile, QStringLiteral("corrupt"), tr("some of its palettes are damaged"));
    return palettesBase;
}

template<typename List, typename ReadTheirs, typename Merge, typename Contents>
List ColourStore::saveMerged(
    File &file, const List &mine, List &base, ReadTheirs readTheirs, Merge merge, Contents contents)
{
    // Made first, or the lock could not be taken in a folder that is not there yet.
    QDir().mkpath(location);
    QLockFile lock(path(file) + QLatin1String(".lock"));
    lock.tryLock(2000);
    List merged = mine;
    if (currentBytes(path(file)) != file.synced) {
        // Unreadable or gone, theirs is set aside or nothing: this window's stands alone.
        if (const std::optional<QJsonObject> object = read(file))
            merged = merge(readTheirs(*object));
    }
    QJsonObject content = contents(merged);
    content.insert(QLatin1String("format"), QLatin1String(file.format));
    content.insert(QLatin1String("version"), formatVersion);
    if (write(file, content))
        base = merged;
    return merged;
}

QVector<StoredColour> ColourStore::saveHistory(const QVector<StoredColour> &history)
{
    return saveMerged(
        historyFile, history, historyBase,
        [](const QJsonObject &object) {
            QVector<StoredColour> theirs;
            readColours(
                object.value(QLatin1String("colours")), theirs, ColourListModel::historyLength);
            return theirs;
        },
        [&](const QVector<StoredColour> &theirs) {
            return mergeHistory(historyBase, history, theirs);
        },
        [](const QVector<StoredColour> &merged) {
            return QJsonObject {{QLatin1String("colours"), colourArray(merged)}};
        });
}

QVector<Palette> ColourStore::savePalettes(const QVector<Palette> &palettes)
{
    return saveMerged(
        palettesFile, palettes, palettesBase,
        [](const QJsonObject &object) {
            QVector<Palette> theirs;
            readPalettes(object, theirs);
            return theirs;
        },
        [&](const QVector<Palette> &theirs) {
            return mergePalettes(palettesBase, palettes, theirs);
        },
        [](const QVector<Palette> &merged) {
            QJsonArray list;
            for (const Palette &palette : merged) {
                QJsonObject fields {{QLatin1String("name"), palette.name},
                    {QLatin1String("colours"), colourArray(palette.colours)}};
                if (palette.columns > 0)
                    fields.insert(QLatin1String("columns"), palette.columns);
                list.append(fields);
            }
            return QJsonObject {{QLatin1String("palettes"), list}};
        });
}

QStringList ColourStore::takeProblems()
{
    QStringList taken;
    taken.swap(problems);
    return taken;
}

std::optional<QJsonObject> ColourStore::read(File &file)
{
    file.synced.clear();
    const QFileInfo info(path(file));
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    if (!info.isFile()) {
        setAside(file, QStringLiteral("not-a-file"), tr("it is not a file"));
        return std::nullopt;
    }
    if (info.size() > largestFile) {
        setAside(file, QStringLiteral("too-large"),
            tr("it is larger than %1 MiB").arg(largestFile >> 20));
        return std::nullopt;
    }
    QFile input(info.filePath());
    if (!input.open(QIODevice::ReadOnly)) {
        setAside(file, QStringLiteral("unreadable"), input.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = input.readAll();
    input.close();
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        // The parser refuses broken UTF-8 too; only then is it worth telling apart.
        const bool truncated = bytes.trimmed().isEmpty()
            || error.error == QJsonParseError::UnterminatedObject
            || error.error == QJsonParseError::UnterminatedArray
            || error.error == QJsonParseError::UnterminatedString;
        if (!GimpPalette::utf8(bytes))
            setAside(file, QStringLiteral("not-utf8"), tr("it is not UTF-8 text"));
        else if (truncated)
            setAside(file, QStringLiteral("truncated"), tr("it ends too soon"));
        else
            setAside(file, QStringLiteral("corrupt"), tr("it is not a file Prismora wrote"));
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    if (object.value(QLatin1String("format")).toString() != QLatin1String(file.format)) {
        setAside(file, QStringLiteral("corrupt"), tr("it is not a file Prismora wrote"));
        return std::nullopt;
    }
    if (object.value(QLatin1String("version")).toInt() != formatVersion) {
        setAside(file, QStringLiteral("wrong-version"),
            tr("it was written by another version of Prismora"));
        return std::nullopt;
    }
    file.synced = bytes;
    return object;
}

void ColourStore::setAside(File &file, const QString &reason, const QString &why)
{
    file.synced.clear();
    const QString original = path(file);
    QString aside = original + QLatin1Char('.') + reason;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = original + QLatin1Char('.') + reason + QLatin1Char('.') + QString::number(n);
    if (QDir().rename(original, aside)) {
        problems.append(tr("%1 could not be read (%2); it was kept as %3.")
                            .arg(file.name, why, QFileInfo(aside).fileName()));
        return;
    }
    // Then it stays where it is, and this window never writes over it.
    file.writable = false;
    problems.append(
        tr("%1 could not be read (%2) and could not be set aside; it is left as it is, and "
           "changes are not saved.")
            .arg(file.name, why));
}

bool ColourStore::write(File &file, const QJsonObject &content)
{
    if (!file.writable)
        return false;
    // Compact: half the size of an indented file, and it reads in half the time.
    const QByteArray bytes = QJsonDocument(content).toJson(QJsonDocument::Compact);
    QSaveFile output(path(file));
    const bool written = output.open(QIODevice::WriteOnly) && output.write(bytes) == bytes.size()
        && output.commit();
    if (!written) {
        if (!file.failing) {
            problems.append(
                tr("%1 could not be saved in %2: %3")
                    .arg(file.name, QDir::toNativeSeparators(location), output.errorString()));
        }
        file.failing = true;
        return false;
    }
    file.failing = false;
    file.synced = bytes;
    return true;
}
