#ifndef WINDOWTESTING_H
#define WINDOWTESTING_H

#include <QColor>
#include <QDialogButtonBox>
#include <QImage>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QtGlobal>

class QComboBox;
class QLineEdit;
class QSlider;
class QWidget;

// Records every toolkit warning, except the notes the offscreen platform prints for what it
// cannot do (shown dialogs, popup menus), so that a test can fail on any other.
class WarningLog
{
public:
    WarningLog();
    ~WarningLog();
    WarningLog(const WarningLog &) = delete;
    WarningLog &operator=(const WarningLog &) = delete;

    QStringList warnings() const { return m_warnings; }
    void clear() { m_warnings.clear(); }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QStringList m_warnings;
    QtMessageHandler m_previous = nullptr;
};

// Answers the range message boxes that a slot opens: records each one and presses Ok.
class MessageBoxAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        bool parentIsWindow;
    };

    explicit MessageBoxAnswerer(QWidget *window);

    QList<Box> boxes() const { return m_boxes; }
    QStringList texts() const;
    void clear() { m_boxes.clear(); }

signals:
    void answered();

private:
    void answer();

    QWidget *m_window;
    QTimer m_timer;
    QList<Box> m_boxes;
};

// Answers every colour chooser that "Draw" opens with the answer set last: a colour to accept,
// or an invalid colour to cancel.
class ColourChooserAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit ColourChooserAnswerer(const QColor &answer = QColor());

    void setAnswer(const QColor &answer) { m_answer = answer; }
    int opened() const { return m_opened; }
    QColor initial() const { return m_initial; }

private:
    void answer();

    QColor m_answer;
    QColor m_initial;
    int m_opened = 0;
    QTimer m_timer;
};

// What a person does with the panels, done the way the toolkit does it for them.
void choose(QComboBox *combo, int index);
void typeInto(QLineEdit *edit, const QString &text);
// Key presses carrying any text; keyClicks asserts on characters beyond Latin-1.
void pressKeys(QLineEdit *edit, const QString &text);
void drag(QSlider *slider, int position);

// The window as painted over its central widget, in the central widget's coordinates, which
// the swatch's and the Draw button's positions are given in, whatever the menu bar's height.
QImage centralArea(QWidget *window);
// The colour of the swatch as painted, and the outline's colour.
QColor swatchColour(QWidget *window);

#endif // WINDOWTESTING_H
