#include "windowtesting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
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
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
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

void drag(QSlider *slider, int position)
{
    slider->setSliderDown(true);
    slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

QColor swatchColour(QWidget *window)
{
    return window->grab().toImage().pixelColor(95, 130);
}
