#ifndef PALETTEBOOK_H
#define PALETTEBOOK_H

#include "storedcolour.h"

#include <QObject>

class ColourListModel;

struct Palette
{
    QString name;
    QVector<StoredColour> colours;
    int columns = 0; // how wide a palette file asked to be shown; 0 leaves it to the reader

    bool operator==(const Palette &other) const
    {
        return name == other.name && colours == other.colours && columns == other.columns;
    }
    bool operator!=(const Palette &other) const { return !(*this == other); }
};

// The user's named palettes, one of them current and shown through colours().
class PaletteBook : public QObject
{
    Q_OBJECT

public:
    // More would make every save and every start slow for a list nobody can scroll through.
    static constexpr int largestPalette = 10000;

    explicit PaletteBook(QObject *parent = nullptr);

    ColourListModel *colours() const { return currentColours; }
    // Every palette, the current one as its list holds it now.
    QVector<Palette> palettes() const;
    // Keeps the current palette by name where it is still there.
    void setPalettes(const QVector<Palette> &palettes);
    QStringList names() const;
    int current() const { return currentIndex; }
    void setCurrent(int index);

    // Returns the new palette's index; the name is made unique.
    int add(const Palette &palette);
    void rename(int index, const QString &name);
    void remove(int index);
    // To the current palette, made first if there is none.
    void addColour(const StoredColour &colour);

signals:
    void changed(); // something to save
    void namesChanged();
    void currentChanged(int index);

private:
    QString uniqueName(const QString &wanted, int except = -1) const;
    void storeCurrent();
    void showCurrent();

    QVector<Palette> book;
    int currentIndex = -1;
    ColourListModel *currentColours;
    bool showing = false;
};

#endif // PALETTEBOOK_H
