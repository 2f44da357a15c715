#include "notationfield.h"

#include <QKeyEvent>

NotationField::NotationField(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (isModified()) {
            setModified(false);
            emit entered(text());
        }
    });
    connect(this, &QLineEdit::textEdited, this, [this] { setRefused(false); });
}

void NotationField::showColour(const QString &text)
{
    colourText = text;
    if (isModified())
        return;
    setRefused(false);
    // A text set again would still repaint the field.
    if (text != this->text())
        setText(text);
}

void NotationField::setRefused(bool refused)
{
    if (refused == this->refused)
        return;
    this->refused = refused;
    // Only the text's colour is set; an empty palette hands every role back to the application.
    QPalette shown;
    if (refused)
        shown.setColor(QPalette::Text, Qt::red);
    setPalette(shown);
}

void NotationField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        setModified(false);
        setRefused(false);
        setText(colourText);
        emit restored();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
