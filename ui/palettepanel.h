#ifndef PALETTEPANEL_H
#define PALETTEPANEL_H

#include <QDockWidget>
#include <QList>
#include <QUrl>

class ColourListView;
class PaletteBook;
class QComboBox;
class QMenu;

// The palette panel: the book's palettes by name in a combo box, the current one's colours in a
// list, and a button with the palette menu. Files dropped anywhere on it are handed on.
class PalettePanel : public QDockWidget
{
    Q_OBJECT

public:
    PalettePanel(PaletteBook *book, QMenu *paletteMenu, QWidget *parent);

    ColourListView *view() const { return colourView; }

signals:
    void filesDropped(const QList<QUrl> &files);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showNames();

    PaletteBook *book;
    QComboBox *combo;
    ColourListView *colourView;
};

#endif // PALETTEPANEL_H
