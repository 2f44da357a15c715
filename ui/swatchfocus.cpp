#include "swatchfocus.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>

SwatchFocus::SwatchFocus(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("swatch"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Colour swatch"));
    setToolTip(tr("The current colour: drag it anywhere, or right-click it (Menu key, Shift+F10) "
                  "to copy it in another notation, paste or pick one"));
}

void SwatchFocus::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return;
    // White under black dashes shows on every colour the swatch can take.
    QPainter painter(this);
    const QRect frame = rect().adjusted(3, 3, -4, -4);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(frame);
}

void SwatchFocus::keyPressEvent(QKeyEvent *event)
{
    // The X11 platform turns the Menu key into a context menu event as well; by then this menu
    // is open and takes that event itself, so it opens once.
    if (event->key() == Qt::Key_Menu
        || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        requestMenu();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SwatchFocus::contextMenuEvent(QContextMenuEvent *event)
{
    // A click goes on to the window, which opens the menu where the pointer is.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    requestMenu();
}

void SwatchFocus::requestMenu()
{
    // Asked of the window as a click in the middle of the swatch would, so that the menu is the
    // same whichever way it was opened, and opens on the swatch rather than under the pointer.
    const QPoint centre = rect().center();
    QContextMenuEvent atSwatch(
        QContextMenuEvent::Keyboard, mapToParent(centre), mapToGlobal(centre));
    QApplication::sendEvent(parentWidget(), &atSwatch);
}
