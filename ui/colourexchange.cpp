#include "colourexchange.h"

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
    , pasteAction(new QAction(tr("Paste colour"), this))
    , menu(window)
{
    // A disabled item says why in its tool tip.
    menu.setToolTipsVisible(true);
    // Window-wide keys yield to a focused line edit, which keeps its own copy and paste.
    auto *copyAction = new QAction(tr("Copy colour"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, this, [this] {
        const QString text = Notation::hex(this->engine);
        copy(text, QColor(text));
    });
    window->addAction(copyAction);
    pasteAction->setShortcut(QKeySequence::Paste);
    connect(pasteAction, &QAction::triggered, this, &ColourExchange::paste);
    window->addAction(pasteAction);

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

void ColourExchange::showMenu(const QPoint &position)
{
    if (!swatchOnWindow().contains(position))
        return;
    menu.clear();
    const QColor shown(Notation::hex(engine));
    for (const Notation::CopyFormat &format : Notation::copyFormats()) {
        const QString text = format.format(engine);
        menu.addAction(tr("Copy %1").arg(text), this, [this, text, shown] { copy(text, shown); });
    }
    // Clipping a colour beyond sRGB can shift its hue; CSS gamut mapping gives up chroma instead.
    if (!engine.in_srgb_gamut()) {
        const ColourSpaces::Triple levels = engine.nearest_srgb();
        const QColor nearest(Notation::hexOf(levels));
        const std::pair<const char *, QString> items[] = {
            {"actionCopyNearestHex", Notation::hexOf(levels)},
            {"actionCopyNearestRgb", Notation::rgbOf(levels)},
        };
        for (const auto &[name, text] : items) {
            QAction *action = menu.addAction(tr("Copy nearest sRGB %1").arg(text), this,
                [this, text = text, nearest] { copy(text, nearest); });
            action->setObjectName(QLatin1String(name));
        }
    }
    menu.addSeparator();
    pasteAction->setEnabled(
        ColourMime::decode(QGuiApplication::clipboard()->mimeData()).request.has_value());
    menu.addAction(pasteAction);
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
