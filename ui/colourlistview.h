#ifndef COLOURLISTVIEW_H
#define COLOURLISTVIEW_H

#include "colourlistmodel.h"

#include <QListView>
#include <QPointer>

// An item view over a ColourListModel: a click or Enter applies a colour, a drag carries it out,
// Delete removes it and the context menu copies it. The history shows bare swatches in a grid;
// a palette lists each colour's swatch and name, renamed with F2 or a double click and moved
// with Alt+Up and Alt+Down as well as by dragging.
class ColourListView : public QListView
{
    Q_OBJECT

public:
    // History swatches: this many columns and rows fill the view.
    static constexpr int stripColumns = 8;
    static constexpr int stripRows = 3;

    ColourListView(ColourListModel *model, QWidget *parent = nullptr);

signals:
    void applyRequested(const StoredColour &colour);
    // The history's "Add to Palette".
    void addRequested(const StoredColour &colour);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void copy(const QModelIndex &index);
    void moveCurrent(int by);

    // Its owner may go first when the window is torn down.
    QPointer<ColourListModel> colours;
    ColourListModel::Kind kind;
    QString placeholder; // what an empty list says it is for
};

#endif // COLOURLISTVIEW_H
