#ifndef SWATCHFOCUS_H
#define SWATCHFOCUS_H

#include <QWidget>

// The swatch as a place for the keyboard: it takes focus in the Tab chain, draws a focus frame,
// and opens the swatch's context menu from the Menu key and Shift+F10. The window still paints
// the colour beneath it; this paints nothing while it has no focus, and passes the mouse on.
class SwatchFocus : public QWidget
{
    Q_OBJECT

public:
    explicit SwatchFocus(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void requestMenu();
};

#endif // SWATCHFOCUS_H
