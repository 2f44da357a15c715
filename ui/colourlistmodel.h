#ifndef COLOURLISTMODEL_H
#define COLOURLISTMODEL_H

#include "storedcolour.h"

#include <QAbstractListModel>
#include <QUrl>

// A list of stored colours for an item view: each row shows its colour, its notation (or, in a
// palette, its name) and drags out as a colour. A palette's list also takes drops and reorders.
class ColourListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum class Kind { History, Palette };
    static constexpr int historyLength = 24;

    explicit ColourListModel(Kind kind, QObject *parent = nullptr);

    Kind kind() const { return listKind; }
    // Colours as set that one of Prismora's lists put in a drag or on the clipboard; empty for
    // any other data.
    static QVector<StoredColour> storedColours(const QMimeData *data);

    const QVector<StoredColour> &colours() const { return entries; }
    void setColours(const QVector<StoredColour> &colours);
    const StoredColour &at(int row) const { return entries.at(row); }

    // The history's rule: newest first, at most historyLength, the newest never twice in a row.
    // False when nothing changed.
    bool settle(const StoredColour &colour);
    void append(const StoredColour &colour);
    void insert(int row, const QVector<StoredColour> &colours);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
        const QModelIndex &destinationParent, int destinationChild) override;

    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
        const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
        const QModelIndex &parent) override;

signals:
    // Files dropped on a palette, for the window to import.
    void filesDropped(const QList<QUrl> &files);

private:
    QVector<StoredColour> decode(const QMimeData *data) const;

    Kind listKind;
    QVector<StoredColour> entries;
};

#endif // COLOURLISTMODEL_H
