#ifndef NOTATIONFIELD_H
#define NOTATIONFIELD_H

#include <QLineEdit>

// A line edit that shows the current colour as text and hands on what the user typed: on Enter
// or on leaving it after an edit, never for a text the window wrote. Escape brings back the
// current colour's text.
class NotationField : public QLineEdit
{
    Q_OBJECT

public:
    explicit NotationField(QWidget *parent = nullptr);

    // Shows the current colour unless the user is part-way through typing another.
    void showColour(const QString &text);
    // Marks the text as refused until it is edited or replaced.
    void setRefused(bool refused);

signals:
    void entered(const QString &text);
    // Escape brought back the current colour's text.
    void restored();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString colourText;
    bool refused = false;
};

#endif // NOTATIONFIELD_H
