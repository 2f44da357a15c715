#include "windowtesting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QSlider>
#include <QTest>

namespace {
WarningLog *activeWarningLog = nullptr;
}

WarningLog::WarningLog()
{
    activeWarningLog = this;
    m_previous = qInstallMessageHandler(&WarningLog::handler);
}

WarningLog::~WarningLog()
{
    qInstallMessageHandler(m_previous);
    activeWarningLog = nullptr;
}

void WarningLog::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // The trace of the HSL conversion is expected output, not a fault.
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform notes what it cannot do for shown dialogs and popup menus.
    if (message.startsWith(QLatin1String("This plugin does not support ")))
        return;
    activeWarningLog->m_warnings.append(message);
    if (activeWarningLog->m_previous)
        activeWarningLog->m_previous(type, context, message);
}

MessageBoxAnswerer::MessageBoxAnswerer(QWidget *window)
    : m_window(window)
{
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxAnswerer::answer);
    m_timer.start(0);
}

QStringList MessageBoxAnswerer::texts() const
{
    QStringList result;
    for (const Box &box : m_boxes)
        result.append(box.text);
    return result;
}

void MessageBoxAnswerer::answer()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_boxes.append({box->windowTitle(), box->text(), box->standardButtons(), box->icon(),
        box->parentWidget() == m_window});
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->reject();
    emit answered();
}

ColourChooserAnswerer::ColourChooserAnswerer(const QColor &answer)
    : m_answer(answer)
{
    connect(&m_timer, &QTimer::timeout, this, &ColourChooserAnswerer::answer);
    m_timer.start(0);
}

void ColourChooserAnswerer::answer()
{
    auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible())
        return;
    m_initial = dialog->currentColor();
    ++m_opened;
    if (m_answer.isValid()) {
        dialog->setCurrentColor(m_answer);
        dialog->accept();
    } else {
        dialog->reject();
    }
}

void choose(QComboBox *combo, int index)
{
    // What the combo box does when the user picks an item from its list.
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    // Typing replaces what the edit shows, as after a click that selects it all.
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void pressKeys(QLineEdit *edit, const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString unit = text.mid(i, length);
        i += length - 1;
        if (unit.at(0).unicode() < 0x80) {
            QTest::keyClick(edit, unit.at(0).toLatin1());
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, unit);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, unit);
            QApplication::sendEvent(edit, &press);
            QApplication::sendEvent(edit, &release);
        }
    }
}

void drag(QSlider *slider, int position)
{
    slider->setSliderDown(true);
    slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

QImage centralArea(QWidget *window)
{
    const QWidget *central = static_cast<QMainWindow *>(window)->centralWidget();
    return window->grab(central->geometry()).toImage();
}

QColor swatchColour(QWidget *window)
{
    return centralArea(window).pixelColor(95, 130);
}
