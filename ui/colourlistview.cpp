#include "colourlistview.h"

#include "colourlistmodel.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// A history entry is its colour alone, filling its cell; the current one is ringed.
class SwatchDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        const QRect box = option.rect.adjusted(2, 2, -2, -2);
        painter->fillRect(box, qvariant_cast<QColor>(index.data(Qt::DecorationRole)));
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        if (option.state & (QStyle::State_Selected | QStyle::State_HasFocus)) {
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return cell;
    }

    QSize cell {18, 13};
};

} // namespace

ColourListView::ColourListView(ColourListModel *model, QWidget *parent)
    : QListView(parent)
    , colours(model)
    , kind(model->kind())
{
    setModel(model);
    setSelectionMode(SingleSelection);
    setDragEnabled(true);
    if (kind == ColourListModel::Kind::History) {
        setObjectName(QStringLiteral("historyView"));
        setAccessibleName(tr("Recent colours"));
        setFlow(LeftToRight);
        setWrapping(true);
        setUniformItemSizes(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setDragDropMode(DragOnly);
        setEditTriggers(NoEditTriggers);
        setItemDelegate(new SwatchDelegate(this));
        placeholder = tr("Recent colours");
    } else {
        setObjectName(QStringLiteral("paletteView"));
        setAccessibleName(tr("Palette colours"));
        setDragDropMode(DragDrop);
        setDefaultDropAction(Qt::MoveAction);
        setDropIndicatorShown(true);
        setEditTriggers(DoubleClicked | EditKeyPressed);
        placeholder = tr("Drop colours here, or add the current colour with Ctrl+D");
    }
    const auto apply = [this](const QModelIndex &index) {
        if (colours && index.isValid())
            emit applyRequested(colours->at(index.row()));
    };
    connect(this, &QAbstractItemView::clicked, this, apply);
    connect(this, &QAbstractItemView::activated, this, apply);
}

void ColourListView::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    if (kind != ColourListModel::Kind::History)
        return;
    // The strip's whole history fits at once, so it never scrolls.
    const QSize cell(viewport()->width() / stripColumns, viewport()->height() / stripRows);
    static_cast<SwatchDelegate *>(itemDelegate())->cell = cell;
    setGridSize(cell);
}

void ColourListView::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    if (!colours || colours->rowCount() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(
        viewport()->rect().adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, placeholder);
}

void ColourListView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    if (!colours) {
        QListView::keyPressEvent(event);
        return;
    }
    if (current.isValid() && state() != EditingState && event->modifiers() == Qt::NoModifier
        && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        colours->removeRows(current.row(), 1);
        return;
    }
    const bool palette = kind == ColourListModel::Kind::Palette;
    if (palette && current.isValid() && event->modifiers() == Qt::AltModifier
        && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        moveCurrent(event->key() == Qt::Key_Up ? -1 : 1);
        return;
    }
    QListView::keyPressEvent(event);
}

void ColourListView::moveCurrent(int by)
{
    const int row = currentIndex().row();
    const int to = row + by;
    if (to < 0 || to >= colours->rowCount())
        return;
    // moveRows takes the row before which the moved one lands.
    colours->moveRows({}, row, 1, {}, by > 0 ? to + 1 : to);
    setCurrentIndex(colours->index(to));
}

void ColourListView::copy(const QModelIndex &index)
{
    if (QMimeData *data = colours->mimeData({index}))
        QGuiApplication::clipboard()->setMimeData(data);
}

void ColourListView::contextMenuEvent(QContextMenuEvent *event)
{
    const QPersistentModelIndex index(indexAt(event->pos()));
    if (!colours || !index.isValid())
        return;
    // Kept, so that a test can find it; popped up rather than run, so nothing blocks.
    auto *menu = findChild<QMenu *>(QStringLiteral("colourMenu"));
    if (!menu) {
        menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("colourMenu"));
    }
    menu->clear();
    const auto add = [&](const QString &text, const char *name, auto run) {
        QAction *action = menu->addAction(text, this, [index, run] {
            if (index.isValid())
                run(QModelIndex(index));
        });
        action->setObjectName(QLatin1String(name));
    };
    add(tr("Copy"), "actionCopyEntry", [this](const QModelIndex &at) { copy(at); });
    if (kind == ColourListModel::Kind::History) {
        add(tr("Add to Palette"), "actionAddEntryToPalette",
            [this](const QModelIndex &at) { emit addRequested(colours->at(at.row())); });
    } else {
        add(tr("Rename"), "actionRenameEntry", [this](const QModelIndex &at) { edit(at); });
    }
    add(tr("Remove"), "actionRemoveEntry",
        [this](const QModelIndex &at) { colours->removeRows(at.row(), 1); });
    menu->popup(event->globalPos());
}
