#include "typingguard.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

TypingGuard::TypingGuard(Handlers handlers, QObject *parent)
    : QObject(parent)
    , handlers(std::move(handlers))
{ }

void TypingGuard::watch(QLineEdit *edit)
{
    edit->installEventFilter(this);
}

void TypingGuard::begin(const QLineEdit *edit, const Prismora &colour)
{
    if (typing == edit && kept)
        return;
    typing = edit;
    kept = colour;
}

void TypingGuard::end()
{
    typing = nullptr;
    kept.reset();
}

bool TypingGuard::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            handlers.escaped(edit);
            end();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            end();
    } else if (event->type() == QEvent::FocusOut || event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        if (event->type() == QEvent::FocusOut)
            handlers.left(edit);
        // Coming to an edit anew begins a new typing.
        end();
    }
    return false;
}
