#ifndef COLOUREXCHANGE_H
#define COLOUREXCHANGE_H

#include "notation.h"

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>

class Prismora;
class QAction;
class QColor;
class QWidget;

// The current colour in and out of the window the desktop's ways: the swatch's context menu,
// the copy and paste keys, dragging from the swatch and dropping anywhere on the window.
class ColourExchange : public QObject
{
    Q_OBJECT

public:
    using Receiver = std::function<void(const Notation::Result &)>;

    // The window shows the swatch at `swatch` in `area`'s coordinates; every colour that arrives
    // goes to `receive`.
    ColourExchange(QWidget *window, const QWidget *area, const QRect &swatch,
        const Prismora &engine, Receiver receive);

    // Goes at the end of the swatch's menu, after the copy and paste items.
    void addMenuAction(QAction *action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void copy(const QString &text, const QColor &colour);
    void paste();
    void showMenu(const QPoint &position);
    bool dragFromSwatch(QWidget *widget, QEvent *event);
    bool dropOnWindow(QEvent *event);
    QRect swatchOnWindow() const;

    QWidget *window;
    const QWidget *area;
    QRect swatch;
    const Prismora &engine;
    Receiver receive;
    QAction *pasteAction;
    QList<QAction *> extraActions;
    QMenu menu;
    QPoint pressedAt {-1, -1}; // window coordinates of a press on the swatch, or none
};

#endif // COLOUREXCHANGE_H
