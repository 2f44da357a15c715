#ifndef COLOUREXCHANGE_H
#define COLOUREXCHANGE_H

#include "notation.h"

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

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

    // The swatch's Copy As submenu and Paste, for the window's menus too, so that the two never
    // disagree.
    QMenu *copyMenu() { return &copyAs; }
    QAction *pasteAction() const { return paster; }
    // Shown, the menu holds the colour's texts and Paste is enabled only if the clipboard reads
    // as a colour; hidden, Paste stays enabled, so its key always tries and says why it failed.
    void watchMenu(QMenu *shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void copy(const QString &text, const QColor &colour);
    void paste();
    void showMenu(const QPoint &position);
    // The copy items' texts for the engine's colour.
    void refreshItems();
    bool dragFromSwatch(QWidget *widget, QEvent *event);
    bool dropOnWindow(QEvent *event);
    QRect swatchOnWindow() const;

    QWidget *window;
    const QWidget *area;
    QRect swatch;
    const Prismora &engine;
    Receiver receive;
    QAction *paster;
    QList<QAction *> extraActions;
    QMenu menu;
    QMenu copyAs;
    struct CopyItem
    {
        QAction *action;
        QString label; // with its mnemonic
        std::function<QString()> text;
        bool nearest; // of the nearest sRGB colour, shown only beyond sRGB
    };
    // One per copy format, then the nearest sRGB colour's hex and rgb().
    std::vector<CopyItem> copyItems;
    QPoint pressedAt {-1, -1}; // window coordinates of a press on the swatch, or none
};

#endif // COLOUREXCHANGE_H
