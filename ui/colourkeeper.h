#ifndef COLOURKEEPER_H
#define COLOURKEEPER_H

#include "colourstore.h"
#include "windowmemory.h"

#include <QObject>
#include <QTimer>

#include <functional>

class ColourListModel;
class PaletteBook;
class PalettePanel;
class Prismora;
class QAction;
class QMainWindow;
class QMenu;
struct StoredColour;

// The colours that outlast a moment: the history strip under "Draw", the palette panel, their
// files in the data folder, and the panels' models and the palette panel's place, kept between
// runs. Built last by the window, it finds the panels' controls by name and watches them for the
// points where the user settles on a colour; the window tells it of whole colours that came in.
class ColourKeeper : public QObject
{
    Q_OBJECT

public:
    // `show` shows the engine's colour everywhere once a list has set it. The window holds the
    // keeper and destroys it before its engine.
    ColourKeeper(QMainWindow *window, Prismora &engine, std::function<void()> show);
    ~ColourKeeper() override;

    // The user settled on the engine's colour, set through the setters of the registry's model
    // `model`: it joins the history.
    void settle(int model);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchPanels();
    void addHistoryStrip();
    void addPalettePanel();
    void addMenus();
    void restore();
    void remember();

    // The files are read after the window's first paint, or when first needed if sooner.
    void ensureLoaded();
    void scheduleSave(bool palettes);
    void save();
    void report(const QStringList &problems);

    void apply(const StoredColour &colour);
    void addToPalette(const StoredColour &colour);
    void keepRoomForPanels();
    void newPalette();
    void renamePalette();
    void removePalette();
    void importDialog();
    void importFiles(const QStringList &paths);
    void exportDialog();

    QMainWindow *window;
    Prismora &engine;
    std::function<void()> show;
    ColourStore store;
    WindowMemory memory;
    ColourListModel *history;
    PaletteBook *book;
    PalettePanel *panel = nullptr;
    QMenu *paletteMenu = nullptr;
    QAction *exportAction = nullptr;
    QAction *renameAction = nullptr;
    QAction *removeAction = nullptr;

    // The model of the last input, in which "Add to Palette" takes the colour as set.
    int lastModel = 0;
    // A keyboard or wheel move of a slider settles after this pause.
    QTimer sliderPause;
    int pausedModel = 0;
    QTimer saveTimer;
    bool historyDirty = false;
    bool palettesDirty = false;
    bool loaded = false;
    bool loadQueued = false;
    bool loading = false;
    bool panelTouched = false;
    QString lastFolder;
};

#endif // COLOURKEEPER_H
