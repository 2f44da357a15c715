#include "colourexchange.h"

#include "colourmenus.h"
#include "colourmime.h"
#include "prismora.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <utility>

ColourExchange::ColourExchange(QWidget *window, const QWidget *area, const QRect &swatch,
    const Prismora &engine, Receiver receive)
    : QObject(window)
    , window(window)
    , area(area)
    , swatch(swatch)
    , engine(engine)
    , receive(std::move(receive))
    , paster(new QAction(tr("&Paste"), this))
    , menu(window)
    , copyAs(tr("C&opy As"), window)
{
    // A disabled item says why in its tool tip.
    menu.setToolTipsVisible(true);
    copyAs.setObjectName(QStringLiteral("menuCopyAs"));
    // Each item copies the colour of the moment it is chosen, as its text shows it.
    QString used;
    const auto addCopyItem = [&](const QString &name, const QString &label, bool nearest,
                                 std::function<QString()> text) {
        const QString marked = ColourMenus::withMnemonic(label, used);
        QAction *action = copyAs.addAction(marked, this, [this, text, nearest] {
            copy(text(),
                QColor(nearest ? Notation::hexOf(this->engine.nearest_srgb())
                               : Notation::hex(this->engine)));
        });
        action->setObjectName(name);
        copyItems.push_back({action, marked, text, nearest});
    };
    for (const Notation::CopyFormat &format : Notation::copyFormats()) {
        QString name = QString::fromLatin1(format.id);
        name[0] = name.at(0).toUpper();
        addCopyItem(QStringLiteral("actionCopy") + name, format.title(), false,
            [this, format] { return format.format(this->engine); });
    }
    // Clipping a colour beyond sRGB can shift its hue; CSS gamut mapping gives up chroma instead.
    copyAs.addSeparator();
    addCopyItem(QStringLiteral("actionCopyNearestHex"), tr("Nearest sRGB"), true,
        [this] { return Notation::hexOf(this->engine.nearest_srgb()); });
    addCopyItem(QStringLiteral("actionCopyNearestRgb"), tr("Nearest sRGB"), true,
        [this] { return Notation::rgbOf(this->engine.nearest_srgb()); });
    // Writing every format takes about a millisecond: done when a menu shows, not at start.
    connect(&copyAs, &QMenu::aboutToShow, this, &ColourExchange::refreshItems);
    watchMenu(&menu);
    // Window-wide keys yield to a focused line edit, which keeps its own copy and paste.
    auto *copyAction = new QAction(tr("Copy colour"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, this, [this] {
        const QString text = Notation::hex(this->engine);
        copy(text, QColor(text));
    });
    window->addAction(copyAction);
    paster->setObjectName(QStringLiteral("actionPaste"));
    paster->setShortcut(QKeySequence::Paste);
    connect(paster, &QAction::triggered, this, &ColourExchange::paste);
    window->addAction(paster);

    window->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(window, &QWidget::customContextMenuRequested, this, &ColourExchange::showMenu);
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QWidget *child : window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
}

QRect ColourExchange::swatchOnWindow() const
{
    return swatch.translated(area->mapTo(window, QPoint(0, 0)));
}

void ColourExchange::addMenuAction(QAction *action)
{
    extraActions.append(action);
}

void ColourExchange::copy(const QString &text, const QColor &colour)
{
    QGuiApplication::clipboard()->setMimeData(ColourMime::encode(text, colour));
}

void ColourExchange::paste()
{
    receive(ColourMime::decode(QGuiApplication::clipboard()->mimeData()));
}

void ColourExchange::watchMenu(QMenu *shown)
{
    // The clipboard is read only here: on X11 each read asks the application that holds it.
    connect(shown, &QMenu::aboutToShow, this, [this] {
        refreshItems();
        paster->setEnabled(
            ColourMime::decode(QGuiApplication::clipboard()->mimeData()).request.has_value());
    });
    connect(shown, &QMenu::aboutToHide, paster, [this] { paster->setEnabled(true); });
}

void ColourExchange::refreshItems()
{
    // Inside sRGB the nearest colour is the colour itself.
    const bool inside = engine.in_srgb_gamut();
    for (const CopyItem &item : copyItems) {
        item.action->setVisible(!item.nearest || !inside);
        if (item.action->isVisible())
            item.action->setText(tr("%1: %2").arg(item.label, item.text()));
    }
}

void ColourExchange::showMenu(const QPoint &position)
{
    if (!swatchOnWindow().contains(position))
        return;
    menu.clear();
    menu.addMenu(&copyAs);
    menu.addSeparator();
    menu.addAction(paster);
    if (!extraActions.isEmpty()) {
        menu.addSeparator();
        menu.addActions(extraActions);
    }
    menu.popup(window->mapToGlobal(position));
}

bool ColourExchange::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window)
        return dropOnWindow(event);
    if (auto *widget = qobject_cast<QWidget *>(watched))
        return dragFromSwatch(widget, event);
    return false;
}

bool ColourExchange::dragFromSwatch(QWidget *widget, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        const QPoint at = widget->mapTo(window, press->pos());
        pressedAt = press->button() == Qt::LeftButton && swatchOnWindow().contains(at)
            ? at
            : QPoint(-1, -1);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        pressedAt = QPoint(-1, -1);
    } else if (event->type() == QEvent::MouseMove && pressedAt != QPoint(-1, -1)) {
        const auto *move = static_cast<QMouseEvent *>(event);
        const QPoint at = widget->mapTo(window, move->pos());
        if ((at - pressedAt).manhattanLength() < QApplication::startDragDistance())
            return false;
        pressedAt = QPoint(-1, -1);
        auto *drag = new QDrag(window);
        const QString text = Notation::hex(engine);
        QPixmap image(24, 24);
        image.fill(QColor(text));
        QPainter(&image).drawRect(image.rect().adjusted(0, 0, -1, -1));
        drag->setPixmap(image);
        drag->setMimeData(ColourMime::encode(text, QColor(text)));
        drag->exec(Qt::CopyAction);
        return true;
    }
    return false;
}

bool ColourExchange::dropOnWindow(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (ColourMime::decode(drag->mimeData()).request)
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const Notation::Result result = ColourMime::decode(drop->mimeData());
        if (!result.request)
            return false;
        drop->acceptProposedAction();
        receive(result);
        return true;
    }
    default:
        return false;
    }
}
