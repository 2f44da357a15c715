#include "colourkeeper.h"

#include "channeltext.h"
#include "colourlistmodel.h"
#include "colourlistview.h"
#include "colourmodels.h"
#include "modelpanel.h"
#include "palettebook.h"
#include "palettefiles.h"
#include "palettepanel.h"
#include "storedcolour.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSlider>
#include <QStatusBar>

#include <cmath>

namespace {

constexpr int panelCount = 3;
// In the central widget's free space under "Draw", as wide as the button and the swatch.
const QRect stripArea(20, 366, 150, 44);
// The specified space right of the panels, which a docked palette panel leaves them.
constexpr int rightMargin = 15;

// What the window applies from a channel's edit; anything else it refuses.
bool readsInRange(int model, int channel, const QString &text)
{
    const ColourModels::Model *entry = ColourModels::model(model);
    return entry && channel < entry->channelCount
        && ChannelText::accepted(entry->channels[channel], text);
}

struct ExportFormat
{
    PaletteFiles::Format format;
    const char *filter;
    const char *suffix;
};

const ExportFormat exportFormats[] = {
    {PaletteFiles::Format::Gimp, QT_TRANSLATE_NOOP("ColourKeeper", "GIMP palette (*.gpl)"), "gpl"},
    {PaletteFiles::Format::CssHex,
        QT_TRANSLATE_NOOP("ColourKeeper", "CSS custom properties, hex (*.css)"), "css"},
    {PaletteFiles::Format::CssOklch,
        QT_TRANSLATE_NOOP("ColourKeeper", "CSS custom properties, oklch() (*.css)"), "css"},
    {PaletteFiles::Format::CssDisplayP3,
        QT_TRANSLATE_NOOP("ColourKeeper", "CSS custom properties, color(display-p3) (*.css)"),
        "css"},
};

} // namespace

ColourKeeper::ColourKeeper(QMainWindow *window, Prismora &engine, std::function<void()> show)
    : window(window)
    , engine(engine)
    , show(std::move(show))
    , history(new ColourListModel(ColourListModel::Kind::History, this))
    , book(new PaletteBook(this))
    , lastFolder(QDir::homePath())
{
    sliderPause.setSingleShot(true);
    sliderPause.setInterval(500);
    connect(&sliderPause, &QTimer::timeout, this, [this] { settle(pausedModel); });
    // Saved once the event that changed a list is done, so that a burst of edits is one write.
    saveTimer.setSingleShot(true);
    saveTimer.setInterval(0);
    connect(&saveTimer, &QTimer::timeout, this, [this] {
        save();
        report(store.takeProblems());
    });
    // Every edit of a list, by the strip, the panel or a settle; a reset is a load or a merge.
    const auto historyEdited = [this] { scheduleSave(false); };
    connect(history, &QAbstractItemModel::rowsInserted, this, historyEdited);
    connect(history, &QAbstractItemModel::rowsRemoved, this, historyEdited);
    connect(book, &PaletteBook::changed, this, [this] { scheduleSave(true); });

    watchPanels();
    addHistoryStrip();
    addPalettePanel();
    addMenus();
    restore();
    window->installEventFilter(this);
}

ColourKeeper::~ColourKeeper()
{
    // The window is being torn down: nothing is left to report to.
    save();
}

void ColourKeeper::watchPanels()
{
    for (int p = 0; p < panelCount; ++p) {
        const ModelPanel controls(*window, p);
        QComboBox *combo = controls.combo();
        for (int c = 0; c < 4; ++c) {
            QLineEdit *edit = controls.edit(c);
            QSlider *slider = controls.slider(c);
            connect(edit, &QLineEdit::textEdited, this, [=] { lastModel = combo->currentIndex(); });
            // Enter or leaving the edit, after the user changed it, with a value the window took.
            connect(edit, &QLineEdit::editingFinished, this, [=] {
                if (!edit->isModified())
                    return;
                edit->setModified(false);
                if (readsInRange(combo->currentIndex(), c, edit->text()))
                    settle(combo->currentIndex());
            });
            // A drag settles when let go; keys, the wheel and clicks on the groove after a pause.
            connect(slider, &QAbstractSlider::actionTriggered, this, [=] {
                lastModel = combo->currentIndex();
                if (slider->isSliderDown())
                    return;
                pausedModel = lastModel;
                sliderPause.start();
            });
            connect(slider, &QAbstractSlider::sliderReleased, this, [=] {
                sliderPause.stop();
                settle(combo->currentIndex());
            });
        }
    }
}

void ColourKeeper::addHistoryStrip()
{
    auto *historyView = new ColourListView(history, window->centralWidget());
    historyView->setGeometry(stripArea);
    connect(historyView, &ColourListView::applyRequested, this, &ColourKeeper::apply);
    connect(historyView, &ColourListView::addRequested, this, &ColourKeeper::addToPalette);
}

void ColourKeeper::addPalettePanel()
{
    paletteMenu = new QMenu(tr("Palette"), window);
    paletteMenu->setObjectName(QStringLiteral("menuPalette"));
    connect(paletteMenu, &QMenu::aboutToShow, this, &ColourKeeper::ensureLoaded);
    const auto add = [this](const QString &text, const char *name, void (ColourKeeper::*run)()) {
        QAction *action = paletteMenu->addAction(text, this, run);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    add(tr("New Palette"), "actionNewPalette", &ColourKeeper::newPalette);
    renameAction = add(tr("Rename Palette…"), "actionRenamePalette", &ColourKeeper::renamePalette);
    removeAction = add(tr("Remove Palette"), "actionRemovePalette", &ColourKeeper::removePalette);
    paletteMenu->addSeparator();

    panel = new PalettePanel(book, paletteMenu, window);
    window->addDockWidget(Qt::RightDockWidgetArea, panel);
    panel->hide();
    connect(panel->view(), &ColourListView::applyRequested, this, &ColourKeeper::apply);
    connect(panel, &PalettePanel::filesDropped, this, [this](const QList<QUrl> &files) {
        QStringList paths;
        for (const QUrl &url : files) {
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        }
        importFiles(paths);
    });
    connect(panel, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible)
            return;
        // Never placed before: beside the window, where it hides none of the panels.
        if (!panelTouched && memory.state().isEmpty() && panel->isFloating()) {
            const QRect frame = window->frameGeometry();
            panel->setGeometry(frame.right() + 8, frame.top(), 240, window->height());
        }
        panelTouched = true;
        keepRoomForPanels();
    });
    connect(panel, &QDockWidget::topLevelChanged, this, [this] {
        panelTouched = true;
        keepRoomForPanels();
    });
    connect(panel, &QDockWidget::dockLocationChanged, this, [this] {
        panelTouched = true;
        keepRoomForPanels();
    });
    const auto showCurrent = [this] {
        const bool any = book->current() >= 0;
        for (QAction *action : {exportAction, renameAction, removeAction}) {
            if (action)
                action->setEnabled(any);
        }
    };
    connect(book, &PaletteBook::currentChanged, this, showCurrent);
}

void ColourKeeper::addMenus()
{
    auto *addAction = new QAction(tr("Add to Palette"), window);
    addAction->setObjectName(QStringLiteral("actionAddToPalette"));
    addAction->setShortcut(QKeySequence(tr("Ctrl+D")));
    connect(addAction, &QAction::triggered, this,
        [this] { addToPalette(StoredColour::fromEngine(engine, lastModel)); });
    auto *importAction = new QAction(tr("Import Palette…"), window);
    importAction->setObjectName(QStringLiteral("actionImportPalette"));
    connect(importAction, &QAction::triggered, this, &ColourKeeper::importDialog);
    exportAction = new QAction(tr("Export Palette…"), window);
    exportAction->setObjectName(QStringLiteral("actionExportPalette"));
    exportAction->setEnabled(false);
    connect(exportAction, &QAction::triggered, this, &ColourKeeper::exportDialog);
    auto *clearAction = new QAction(tr("Clear History"), window);
    clearAction->setObjectName(QStringLiteral("actionClearHistory"));
    connect(clearAction, &QAction::triggered, this, [this] {
        ensureLoaded();
        history->setColours({});
        scheduleSave(false);
    });
    renameAction->setEnabled(false);
    removeAction->setEnabled(false);
    paletteMenu->addActions({importAction, exportAction});
    // The floating palette panel is a window of its own, where the key works too.
    panel->addAction(addAction);

    QMenuBar *bar = window->menuBar();
    auto *colourMenu = window->findChild<QMenu *>(QStringLiteral("menuColour"));
    if (!colourMenu) {
        colourMenu = new QMenu(tr("&Colour"), bar);
        colourMenu->setObjectName(QStringLiteral("menuColour"));
        const QList<QAction *> menus = bar->actions();
        bar->insertMenu(menus.isEmpty() ? nullptr : menus.first(), colourMenu);
    } else if (!colourMenu->isEmpty()) {
        colourMenu->addSeparator();
    }
    connect(colourMenu, &QMenu::aboutToShow, this, &ColourKeeper::ensureLoaded);
    colourMenu->addAction(addAction);
    colourMenu->addSeparator();
    colourMenu->addActions({importAction, exportAction});
    colourMenu->addSeparator();
    colourMenu->addAction(clearAction);

    auto *viewMenu = new QMenu(tr("&View"), bar);
    viewMenu->setObjectName(QStringLiteral("menuView"));
    QAction *showPalettes = panel->toggleViewAction();
    showPalettes->setObjectName(QStringLiteral("actionShowPalettes"));
    viewMenu->addAction(showPalettes);
    const QList<QAction *> menus = bar->actions();
    const int colourAt = menus.indexOf(colourMenu->menuAction());
    bar->insertMenu(colourAt + 1 < menus.size() ? menus.at(colourAt + 1) : nullptr, viewMenu);
}

void ColourKeeper::restore()
{
    const QVector<int> models = memory.models();
    // The panels stay as a first start leaves them unless another model was kept.
    if (!models.isEmpty() && models != QVector<int>(panelCount, ColourModels::Rgb)) {
        for (int p = 0; p < panelCount; ++p) {
            // As the user picks a model, so that the window configures the panel itself.
            QComboBox *combo = ModelPanel(*window, p).combo();
            combo->setCurrentIndex(models.at(p));
            emit combo->activated(models.at(p));
        }
    }
    if (!memory.state().isEmpty())
        window->restoreState(memory.state());
    else
        panel->setFloating(true);
    // Nothing above was the user's doing.
    panelTouched = false;
}

void ColourKeeper::remember()
{
    QVector<int> models;
    for (int p = 0; p < panelCount; ++p)
        models.append(ModelPanel(*window, p).combo()->currentIndex());
    memory.keep(models, window->saveState(), panelTouched);
}

bool ColourKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != window)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        // The window is on screen first; the files follow at once.
        if (!loaded && !loadQueued) {
            loadQueued = true;
            QTimer::singleShot(0, this, &ColourKeeper::ensureLoaded);
        }
        return false;
    case QEvent::Close:
        save();
        report(store.takeProblems());
        remember();
        return false;
    case QEvent::Drop: {
        // From Prismora's own lists the colour comes as set, not clipped to the colour data, and
        // is copied: a palette's colour dropped on the window stays in the palette.
        auto *drop = static_cast<QDropEvent *>(event);
        const QVector<StoredColour> colours = ColourListModel::storedColours(drop->mimeData());
        if (colours.isEmpty())
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        apply(colours.first());
        settle(lastModel);
        return true;
    }
    default:
        return false;
    }
}

void ColourKeeper::settle(int model)
{
    ensureLoaded();
    lastModel = model;
    StoredColour colour = StoredColour::fromEngine(engine, model);
    colour.settledAt = QDateTime::currentMSecsSinceEpoch();
    history->settle(colour);
}

void ColourKeeper::ensureLoaded()
{
    if (loaded)
        return;
    loaded = true;
    loading = true;
    history->setColours(store.loadHistory());
    book->setPalettes(store.loadPalettes());
    loading = false;
    report(store.takeProblems());
}

void ColourKeeper::scheduleSave(bool palettes)
{
    if (loading || !loaded)
        return;
    (palettes ? palettesDirty : historyDirty) = true;
    saveTimer.start();
}

void ColourKeeper::save()
{
    saveTimer.stop();
    loading = true;
    // What another window saved meanwhile comes back merged in.
    if (historyDirty) {
        historyDirty = false;
        const QVector<StoredColour> merged = store.saveHistory(history->colours());
        if (merged != history->colours())
            history->setColours(merged);
    }
    if (palettesDirty) {
        palettesDirty = false;
        const QVector<Palette> mine = book->palettes();
        const QVector<Palette> merged = store.savePalettes(mine);
        if (merged != mine)
            book->setPalettes(merged);
    }
    loading = false;
}

void ColourKeeper::report(const QStringList &problems)
{
    if (!problems.isEmpty())
        window->statusBar()->showMessage(problems.join(QLatin1Char(' ')));
}

void ColourKeeper::apply(const StoredColour &colour)
{
    const int model = storedModelIndex(colour.model);
    if (model < 0)
        return;
    colour.apply(engine);
    lastModel = model;
    show();
}

void ColourKeeper::addToPalette(const StoredColour &colour)
{
    ensureLoaded();
    StoredColour added = colour;
    added.settledAt = 0;
    book->addColour(added);
    window->statusBar()->showMessage(
        tr("Added %1 to the palette “%2”.").arg(added.text, book->names().at(book->current())));
}

void ColourKeeper::keepRoomForPanels()
{
    // After the main window's layout has made room for the panel.
    QTimer::singleShot(0, this, [this] {
        if (!panel->isVisible() || panel->isFloating())
            return;
        const QWidget *central = window->centralWidget();
        const QRect used = central->childrenRect();
        const Qt::DockWidgetArea area = window->dockWidgetArea(panel);
        if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea) {
            const int missing = used.right() + 1 + rightMargin - central->width();
            if (missing > 0)
                window->resize(window->width() + missing, window->height());
        } else {
            const int missing = used.bottom() + 1 - central->height();
            if (missing > 0)
                window->resize(window->width(), window->height() + missing);
        }
    });
}

void ColourKeeper::newPalette()
{
    ensureLoaded();
    book->add({tr("Palette"), {}, 0});
    panel->show();
    panel->raise();
}

void ColourKeeper::renamePalette()
{
    ensureLoaded();
    const int index = book->current();
    if (index < 0)
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(
        window, tr("Rename Palette"), tr("Name:"), QLineEdit::Normal, book->names().at(index), &ok);
    if (ok)
        book->rename(index, name);
}

void ColourKeeper::removePalette()
{
    ensureLoaded();
    const int index = book->current();
    if (index < 0)
        return;
    const int count = book->colours()->rowCount();
    if (count > 0
        && QMessageBox::question(window, tr("Remove Palette"),
               tr("Remove the palette “%1” and its %n colour(s)?", nullptr, count)
                   .arg(book->names().at(index)))
            != QMessageBox::Yes)
        return;
    book->remove(index);
}

void ColourKeeper::importDialog()
{
    const QStringList paths
        = QFileDialog::getOpenFileNames(window, tr("Import Palette"), lastFolder,
            tr("Palettes (*.gpl *.css);;GIMP palettes (*.gpl);;CSS custom properties (*.css);;All "
               "files (*)"));
    if (paths.isEmpty())
        return;
    lastFolder = QFileInfo(paths.first()).absolutePath();
    importFiles(paths);
}

void ColourKeeper::importFiles(const QStringList &paths)
{
    ensureLoaded();
    for (const QString &path : paths) {
        const QFileInfo file(path);
        const GimpPalette::ReadResult read = PaletteFiles::read(path);
        if (!read.palette) {
            QMessageBox::warning(window, tr("Import Palette"),
                tr("“%1” was not imported. %2").arg(file.fileName(), read.error));
            continue;
        }
        Palette palette = *read.palette;
        if (palette.name.simplified().isEmpty())
            palette.name = file.completeBaseName();
        book->add(palette);
        panel->show();
        window->statusBar()->showMessage(
            tr("Imported the palette “%1” with %n colour(s).", nullptr, palette.colours.size())
                .arg(book->names().at(book->current())));
    }
}

void ColourKeeper::exportDialog()
{
    ensureLoaded();
    const int index = book->current();
    if (index < 0)
        return;
    const Palette palette = book->palettes().at(index);
    QStringList filters;
    for (const ExportFormat &format : exportFormats)
        filters.append(tr(format.filter));
    QString chosen = filters.first();
    QString path = QFileDialog::getSaveFileName(window, tr("Export Palette"),
        QDir(lastFolder).filePath(palette.name + QStringLiteral(".gpl")),
        filters.join(QStringLiteral(";;")), &chosen);
    if (path.isEmpty())
        return;
    const ExportFormat &format = exportFormats[qMax(0, filters.indexOf(chosen))];
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QLatin1String(format.suffix);
    lastFolder = QFileInfo(path).absolutePath();
    const PaletteFiles::Saved saved = PaletteFiles::write(path, palette, format.format);
    const QString where = QDir::toNativeSeparators(path);
    if (!saved.error.isEmpty()) {
        QMessageBox::warning(window, tr("Export Palette"),
            tr("The palette could not be exported to %1: %2").arg(where, saved.error));
        return;
    }
    window->statusBar()->showMessage(saved.clipped > 0
            ? tr("Exported %n colour(s) to %1; %2 beyond sRGB were written clipped.", nullptr,
                saved.written)
                  .arg(where)
                  .arg(saved.clipped)
            : tr("Exported %n colour(s) to %1.", nullptr, saved.written).arg(where));
}
