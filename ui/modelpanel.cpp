#include "modelpanel.h"

#include "colourmodels.h"
#include "prismora.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Truncation toward zero that is defined for every double.
int truncated(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

QString shown(double value, int decimals, bool whole)
{
    if (decimals < 0 || whole)
        return QString::number(value, 'g', 6);
    QString text = QString::number(value, 'f', decimals);
    // A small negative value rounds to zero, which has no sign.
    bool nonZero = false;
    for (const QChar c : text)
        nonZero = nonZero || (c.isDigit() && c != QLatin1Char('0'));
    if (!nonZero && text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    return text;
}

template<typename Widget> Widget *child(const QWidget &form, const QString &name)
{
    auto *widget = form.findChild<Widget *>(name);
    Q_ASSERT(widget);
    return widget;
}

} // namespace

ModelPanel::ModelPanel(const QWidget &form, int panel)
{
    const int number = panel + 1;
    modelCombo = child<QComboBox>(form, QStringLiteral("comboBox%1").arg(number));
    legendLabel = child<QLabel>(form, QStringLiteral("label%1").arg(number));
    // The first three rows are numbered across the panels, the fourth per panel.
    for (int c = 0; c < 3; ++c) {
        const int row = panel * 3 + c + 1;
        edits[static_cast<std::size_t>(c)]
            = child<QLineEdit>(form, QStringLiteral("lineEdit_%1").arg(row));
        sliders[static_cast<std::size_t>(c)]
            = child<QSlider>(form, QStringLiteral("horizontalSlider_%1").arg(row));
    }
    edits[3] = child<QLineEdit>(form, QStringLiteral("lineEdit_%1_4").arg(number));
    sliders[3] = child<QSlider>(form, QStringLiteral("horizontalSlider_%1_4").arg(number));
}

int ModelPanel::model() const
{
    return modelCombo->currentIndex();
}

void ModelPanel::configure()
{
    const ColourModels::Model *entry = ColourModels::model(model());
    if (!entry)
        return;
    configuredModel = model();
    showLegend();
    const int count = entry->channelCount;
    edits[3]->setEnabled(count == 4);
    sliders[3]->setEnabled(count == 4);

    for (int c = 0; c < 4; ++c) {
        QLineEdit *edit = edits[static_cast<std::size_t>(c)];
        QSlider *slider = sliders[static_cast<std::size_t>(c)];
        // The panels carry no visible channel names, so each control names its channel here.
        const QString description = c < count
            ? QCoreApplication::translate("MainWindow", entry->channels[c].description)
            : QString();
        edit->setToolTip(description);
        edit->setAccessibleName(description);
        slider->setToolTip(description);
        slider->setAccessibleName(description);
        if (c < count) {
            const ColourModels::Channel &channel = entry->channels[c];
            const QSignalBlocker blockSlider(slider);
            slider->setRange(channel.sliderMinimum, channel.sliderMaximum);
        }
    }
}

void ModelPanel::showLegend()
{
    const ColourModels::Model *entry = ColourModels::model(model());
    legendLabel->setText(
        entry ? QCoreApplication::translate("MainWindow", entry->legend) : QString());
}

void ModelPanel::show(const Prismora &engine, const QLineEdit *typing, const QSlider *moving)
{
    // A panel whose model was never chosen shows the item its combo box starts with.
    if (configuredModel != model())
        configure();
    const ColourModels::Model *entry = ColourModels::model(model());
    if (!entry)
        return;
    // Showing is not input: with the signals blocked no text or position written here reaches
    // the engine, so looking at a colour in any model never changes it.
    for (int c = 0; c < entry->channelCount; ++c) {
        QLineEdit *edit = edits[static_cast<std::size_t>(c)];
        QSlider *slider = sliders[static_cast<std::size_t>(c)];
        const double value = entry->channels[c].read(engine);
        // The edit being typed in keeps the user's partial text and cursor, and the slider being
        // moved keeps the user's position, which its edit shows. An edit repaints even for its
        // own text, so that is left alone too.
        const QString text = shown(value, decimalCount, entry->channels[c].whole);
        const bool users = edit == typing || slider == moving;
        if (!users && edit->text() != text) {
            const QSignalBlocker blockEdit(edit);
            edit->setText(text);
        }
        if (slider != moving) {
            const QSignalBlocker blockSlider(slider);
            slider->setValue(truncated(value * entry->channels[c].scale));
        }
    }
}

void ModelPanel::showChosenModel(const Prismora &engine)
{
    configure();
    show(engine, nullptr, nullptr);
}
