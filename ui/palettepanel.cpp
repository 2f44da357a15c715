#include "palettepanel.h"

#include "colourlistmodel.h"
#include "colourlistview.h"
#include "palettebook.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QToolButton>

PalettePanel::PalettePanel(PaletteBook *book, QMenu *paletteMenu, QWidget *parent)
    : QDockWidget(tr("Palettes"), parent)
    , book(book)
    , combo(new QComboBox)
    , colourView(new ColourListView(book->colours()))
{
    setObjectName(QStringLiteral("paletteDock"));
    auto *contents = new QWidget;
    combo->setObjectName(QStringLiteral("paletteCombo"));
    combo->setAccessibleName(tr("Palette"));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    auto *menuButton = new QToolButton;
    menuButton->setObjectName(QStringLiteral("paletteMenuButton"));
    menuButton->setText(tr("Palette"));
    menuButton->setToolTip(tr("New, rename, remove, import and export palettes"));
    menuButton->setMenu(paletteMenu);
    menuButton->setPopupMode(QToolButton::InstantPopup);

    auto *top = new QHBoxLayout;
    top->addWidget(combo, 1);
    top->addWidget(menuButton);
    auto *layout = new QVBoxLayout(contents);
    layout->addLayout(top);
    layout->addWidget(colourView);
    setWidget(contents);
    contents->setAcceptDrops(true);
    contents->installEventFilter(this);

    showNames();
    connect(book, &PaletteBook::namesChanged, this, &PalettePanel::showNames);
    connect(book, &PaletteBook::currentChanged, this, [this](int index) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(index);
    });
    connect(combo, qOverload<int>(&QComboBox::activated), book, &PaletteBook::setCurrent);
    connect(book->colours(), &ColourListModel::filesDropped, this, &PalettePanel::filesDropped);
}

void PalettePanel::showNames()
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(book->names());
    combo->setCurrentIndex(book->current());
}

bool PalettePanel::eventFilter(QObject *watched, QEvent *event)
{
    // Only files: colours are dropped on the list, where they land between two others.
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->mimeData()->hasUrls()) {
            drop->acceptProposedAction();
            emit filesDropped(drop->mimeData()->urls());
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}
