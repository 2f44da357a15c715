#include "palettebook.h"

#include "colourlistmodel.h"

PaletteBook::PaletteBook(QObject *parent)
    : QObject(parent)
    , currentColours(new ColourListModel(ColourListModel::Kind::Palette, this))
{
    // Every edit in the list, by mouse, keyboard or drop, is an edit of the palette.
    const auto edited = [this] {
        if (!showing)
            emit changed();
    };
    connect(currentColours, &QAbstractItemModel::rowsInserted, this, edited);
    connect(currentColours, &QAbstractItemModel::rowsRemoved, this, edited);
    connect(currentColours, &QAbstractItemModel::rowsMoved, this, edited);
    connect(currentColours, &QAbstractItemModel::dataChanged, this, edited);
}

QVector<Palette> PaletteBook::palettes() const
{
    QVector<Palette> all = book;
    if (currentIndex >= 0)
        all[currentIndex].colours = currentColours->colours();
    return all;
}

void PaletteBook::setPalettes(const QVector<Palette> &palettes)
{
    const QString currentName = currentIndex >= 0 ? book.at(currentIndex).name : QString();
    book = palettes;
    currentIndex = book.isEmpty() ? -1 : 0;
    for (int i = 0; i < book.size(); ++i) {
        if (book.at(i).name == currentName)
            currentIndex = i;
    }
    showCurrent();
    emit namesChanged();
    emit currentChanged(currentIndex);
}

QStringList PaletteBook::names() const
{
    QStringList names;
    for (const Palette &palette : book)
        names.append(palette.name);
    return names;
}

void PaletteBook::setCurrent(int index)
{
    if (index == currentIndex || index < 0 || index >= book.size())
        return;
    storeCurrent();
    currentIndex = index;
    showCurrent();
    emit currentChanged(currentIndex);
}

int PaletteBook::add(const Palette &palette)
{
    storeCurrent();
    Palette added = palette;
    added.name = uniqueName(
        palette.name.simplified().isEmpty() ? tr("Palette") : palette.name.simplified());
    if (added.colours.size() > largestPalette)
        added.colours.resize(largestPalette);
    book.append(added);
    currentIndex = book.size() - 1;
    showCurrent();
    emit namesChanged();
    emit currentChanged(currentIndex);
    emit changed();
    return currentIndex;
}

void PaletteBook::rename(int index, const QString &name)
{
    if (index < 0 || index >= book.size() || name.simplified().isEmpty())
        return;
    const QString unique = uniqueName(name.simplified(), index);
    if (unique == book.at(index).name)
        return;
    book[index].name = unique;
    emit namesChanged();
    emit changed();
}

void PaletteBook::remove(int index)
{
    if (index < 0 || index >= book.size())
        return;
    book.remove(index);
    currentIndex = book.isEmpty() ? -1 : qMin(index, book.size() - 1);
    showCurrent();
    emit namesChanged();
    emit currentChanged(currentIndex);
    emit changed();
}

void PaletteBook::addColour(const StoredColour &colour)
{
    if (currentIndex < 0)
        add({tr("My colours"), {}, 0});
    if (currentColours->rowCount() < largestPalette)
        currentColours->append(colour);
}

QString PaletteBook::uniqueName(const QString &wanted, int except) const
{
    QString name = wanted;
    for (int suffix = 2;; ++suffix) {
        bool taken = false;
        for (int i = 0; i < book.size() && !taken; ++i)
            taken = i != except && book.at(i).name == name;
        if (!taken)
            return name;
        name = QStringLiteral("%1 %2").arg(wanted).arg(suffix);
    }
}

void PaletteBook::storeCurrent()
{
    if (currentIndex >= 0)
        book[currentIndex].colours = currentColours->colours();
}

void PaletteBook::showCurrent()
{
    showing = true;
    currentColours->setColours(
        currentIndex >= 0 ? book.at(currentIndex).colours : QVector<StoredColour>());
    showing = false;
}
