#ifndef COLOURSTORE_H
#define COLOURSTORE_H

#include "palettebook.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>

#include <optional>

class QJsonObject;

// The history and the palettes in the user's data folder, as history.json and palettes.json.
// Each write is atomic. A file that cannot be read is set aside under a name that says why and
// never written over. When another window wrote a file since this one read it, a save merges:
// palettes by name, what this window changed winning over what it did not; history entries by
// when they were settled.
class ColourStore
{
    Q_DECLARE_TR_FUNCTIONS(ColourStore)

public:
    // By default defaultFolder().
    explicit ColourStore(const QString &folder = QString());

    // The application data folder: $XDG_DATA_HOME/Prismora/prismora on Linux.
    static QString defaultFolder();

    QString folder() const { return location; }

    QVector<StoredColour> loadHistory();
    QVector<Palette> loadPalettes();
    // Each returns what the file holds now, with what other windows saved merged in.
    QVector<StoredColour> saveHistory(const QVector<StoredColour> &history);
    QVector<Palette> savePalettes(const QVector<Palette> &palettes);

    // What went wrong since the last call, each thing once (translated).
    QStringList takeProblems();

private:
    struct File
    {
        QString name;
        const char *format;
        QByteArray synced; // the bytes last read or written
        bool writable = true;
        bool failing = false; // the last write failed, and said so
    };

    QString path(const File &file) const;
    std::optional<QJsonObject> read(File &file);
    void setAside(File &file, const QString &reason, const QString &why);
    bool write(File &file, const QJsonObject &content);
    // Saves this window's list, merged first with another window's if the file changed since
    // this one last read or wrote it.
    template<typename List, typename ReadTheirs, typename Merge, typename Contents>
    List saveMerged(File &file, const List &mine, List &base, ReadTheirs readTheirs, Merge merge,
        Contents contents);

    QString location;
    File historyFile {QStringLiteral("history.json"), "prismora-history", {}};
    File palettesFile {QStringLiteral("palettes.json"), "prismora-palettes", {}};
    QVector<StoredColour> historyBase;
    QVector<Palette> palettesBase;
    QStringList problems;
};

#endif // COLOURSTORE_H
