#ifndef TYPINGGUARD_H
#define TYPINGGUARD_H

#include "prismora.h"

#include <QObject>

#include <functional>
#include <optional>

class QLineEdit;

// Keeps the colour from before the user began typing in a channel edit, so that a number out of
// range or Escape can put it back exactly, not the last prefix that fitted. It watches the edits
// for Escape, Enter and for focus entering or leaving them within the window; a modal box or
// another window taking the focus is no leaving, so typing goes on where it was.
class TypingGuard : public QObject
{
public:
    struct Handlers
    {
        std::function<void(QLineEdit *edit)> escaped;
        std::function<void(QLineEdit *edit)> left;
    };

    TypingGuard(Handlers handlers, QObject *parent);

    void watch(QLineEdit *edit);
    // Before a text typed in edit is applied: the first one of a typing keeps the colour.
    void begin(const QLineEdit *edit, const Prismora &colour);
    // The colour came from elsewhere or was settled: the next typing starts from it.
    void end();
    // The colour from before the typing, or null when none is being typed.
    const Prismora *before() const { return kept ? &*kept : nullptr; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handlers handlers;
    const QLineEdit *typing = nullptr;
    std::optional<Prismora> kept;
};

#endif // TYPINGGUARD_H
