#include "colourlistmodel.h"

#include "colourmime.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>

namespace {

// Colours as set, for drops between Prismora's own lists: application/x-color alone would
// clip a colour beyond sRGB.
const QString storedMime = QStringLiteral("application/x-prismora-colours");

} // namespace

ColourListModel::ColourListModel(Kind kind, QObject *parent)
    : QAbstractListModel(parent)
    , listKind(kind)
{ }

void ColourListModel::setColours(const QVector<StoredColour> &colours)
{
    beginResetModel();
    entries = colours;
    endResetModel();
}

bool ColourListModel::settle(const StoredColour &colour)
{
    if (!entries.isEmpty() && entries.first().sameColour(colour))
        return false;
    if (entries.size() >= historyLength) {
        beginRemoveRows({}, historyLength - 1, entries.size() - 1);
        entries.resize(historyLength - 1);
        endRemoveRows();
    }
    insert(0, {colour});
    return true;
}

void ColourListModel::append(const StoredColour &colour)
{
    insert(entries.size(), {colour});
}

void ColourListModel::insert(int row, const QVector<StoredColour> &colours)
{
    if (colours.isEmpty())
        return;
    row = qBound(0, row, entries.size());
    beginInsertRows({}, row, row + colours.size() - 1);
    for (int i = 0; i < colours.size(); ++i)
        entries.insert(row + i, colours.at(i));
    endInsertRows();
}

int ColourListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : entries.size();
}

QVariant ColourListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= entries.size())
        return {};
    const StoredColour &colour = entries.at(index.row());
    const bool named = listKind == Kind::Palette && !colour.name.isEmpty();
    switch (role) {
    case Qt::DisplayRole:
        return named ? colour.name : colour.text;
    case Qt::EditRole:
        return colour.name;
    case Qt::DecorationRole:
        return colour.swatch;
    case Qt::ToolTipRole:
        return named ? tr("%1: %2").arg(colour.name, colour.text) : colour.text;
    case Qt::AccessibleTextRole:
        return named ? tr("%1, %2").arg(colour.name, colour.text) : colour.text;
    default:
        return {};
    }
}

bool ColourListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (listKind != Kind::Palette || role != Qt::EditRole || !index.isValid()
        || index.row() >= entries.size())
        return false;
    const QString name = value.toString().simplified();
    if (name == entries[index.row()].name)
        return false;
    entries[index.row()].name = name;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags ColourListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return listKind == Kind::Palette ? Qt::ItemIsDropEnabled : Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled
        | Qt::ItemNeverHasChildren;
    if (listKind == Kind::Palette)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ColourListModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > entries.size())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    entries.remove(row, count);
    endRemoveRows();
    return true;
}

bool ColourListModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
    const QModelIndex &destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || sourceRow < 0 || count <= 0
        || sourceRow + count > entries.size() || destinationChild < 0
        || destinationChild > entries.size()
        || (destinationChild >= sourceRow && destinationChild <= sourceRow + count))
        return false;
    beginMoveRows({}, sourceRow, sourceRow + count - 1, {}, destinationChild);
    const QVector<StoredColour> moved = entries.mid(sourceRow, count);
    entries.remove(sourceRow, count);
    const int to = destinationChild > sourceRow ? destinationChild - count : destinationChild;
    for (int i = 0; i < count; ++i)
        entries.insert(to + i, moved.at(i));
    endMoveRows();
    return true;
}

QStringList ColourListModel::mimeTypes() const
{
    return {storedMime, QStringLiteral("application/x-color"), QStringLiteral("text/plain"),
        QStringLiteral("text/uri-list")};
}

QMimeData *ColourListModel::mimeData(const QModelIndexList &indexes) const
{
    QJsonArray stored;
    QStringList texts;
    QColor first;
    for (const QModelIndex &index : indexes) {
        if (!index.isValid() || index.row() >= entries.size())
            continue;
        const StoredColour &colour = entries.at(index.row());
        stored.append(colour.toJson());
        texts.append(colour.text);
        if (!first.isValid())
            first = colour.swatch;
    }
    if (stored.isEmpty())
        return nullptr;
    QMimeData *data = ColourMime::encode(texts.join(QLatin1Char('\n')), first);
    data->setData(storedMime, QJsonDocument(stored).toJson(QJsonDocument::Compact));
    return data;
}

Qt::DropActions ColourListModel::supportedDragActions() const
{
    return listKind == Kind::Palette ? Qt::CopyAction | Qt::MoveAction : Qt::CopyAction;
}

Qt::DropActions ColourListModel::supportedDropActions() const
{
    return listKind == Kind::Palette ? Qt::CopyAction | Qt::MoveAction : Qt::IgnoreAction;
}

bool ColourListModel::canDropMimeData(
    const QMimeData *data, Qt::DropAction, int, int, const QModelIndex &) const
{
    if (listKind != Kind::Palette || !data)
        return false;
    return data->hasUrls() || data->hasFormat(storedMime) || data->hasColor()
        || ColourMime::decode(data).request.has_value();
}

bool ColourListModel::dropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int, const QModelIndex &parent)
{
    if (action == Qt::IgnoreAction || !canDropMimeData(data, action, row, 0, parent))
        return false;
    if (data->hasUrls() && !data->hasFormat(storedMime)) {
        emit filesDropped(data->urls());
        return true;
    }
    const QVector<StoredColour> colours = decode(data);
    if (colours.isEmpty())
        return false;
    // On an item, before it; on the empty space after the last, at the end.
    if (row < 0)
        row = parent.isValid() ? parent.row() : entries.size();
    insert(row, colours);
    return true;
}

QVector<StoredColour> ColourListModel::storedColours(const QMimeData *data)
{
    QVector<StoredColour> colours;
    if (!data || !data->hasFormat(storedMime))
        return colours;
    const QJsonArray stored = QJsonDocument::fromJson(data->data(storedMime)).array();
    for (const QJsonValue &value : stored) {
        if (const std::optional<StoredColour> colour = StoredColour::fromJson(value.toObject())) {
            colours.append(*colour);
            colours.last().settledAt = 0;
        }
    }
    return colours;
}

QVector<StoredColour> ColourListModel::decode(const QMimeData *data) const
{
    if (data->hasFormat(storedMime))
        return storedColours(data);
    QVector<StoredColour> colours;
    const Notation::Result result = ColourMime::decode(data);
    if (result.request)
        colours.append(StoredColour::fromRequest(*result.request));
    return colours;
}
