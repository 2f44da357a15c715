#ifndef WINDOWMEMORY_H
#define WINDOWMEMORY_H

#include <QByteArray>
#include <QVector>

#include <memory>

class QSettings;

// What the window keeps of itself between runs, beside the display settings: each panel's model
// and the state of its dock widgets. Read when made; keep() writes only what differs from what
// was read, and never over a settings file that could not be read.
class WindowMemory
{
public:
    WindowMemory();
    ~WindowMemory();

    // The three panels' model indexes, or none when nothing usable is saved.
    QVector<int> models() const { return savedModels; }
    // QMainWindow::saveState() as last kept; empty when never kept.
    QByteArray state() const { return savedState; }

    // `stateTouched`: whether the user ever showed or moved a dock widget, without which a first
    // state is not worth keeping.
    void keep(const QVector<int> &models, const QByteArray &state, bool stateTouched);

private:
    std::unique_ptr<QSettings> settings;
    bool unreadable = false;
    QVector<int> savedModels;
    QByteArray savedState;
};

#endif // WINDOWMEMORY_H
