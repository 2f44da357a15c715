#ifndef MODELPANEL_H
#define MODELPANEL_H

#include <array>

class Prismora;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QWidget;

// One of the window's three panels: its model's combo box and four channel rows, found in the
// form by their names. It configures its rows for a model from the registry and shows the
// engine's colour in it; what the user types or drags is the window's to apply.
class ModelPanel
{
public:
    // panel is 0, 1 or 2, left to right.
    ModelPanel(const QWidget &form, int panel);

    QComboBox *combo() const { return modelCombo; }
    QLineEdit *edit(int channel) const { return edits[static_cast<std::size_t>(channel)]; }
    QSlider *slider(int channel) const { return sliders[static_cast<std::size_t>(channel)]; }
    QLabel *legend() const { return legendLabel; }
    // The model the combo box shows.
    int model() const;

    // Ranges, names and the fourth row for the combo box's model.
    void configure();
    // The combo box's model's channels and units in the label under it.
    void showLegend();
    // The engine's colour in every channel, except the text being typed in and the position of
    // the slider being moved, which are the user's. Configures first if the model changed.
    void show(const Prismora &engine, const QLineEdit *typing, const QSlider *moving);
    // After the user chose a model: configured for it and showing the colour in it.
    void showChosenModel(const Prismora &engine);
    // -1 for six significant digits, else a fixed 0 to 10 decimals; applies from the next show.
    void setDecimals(int decimals) { decimalCount = decimals; }

private:
    QComboBox *modelCombo = nullptr;
    QLabel *legendLabel = nullptr;
    // Index 3 is the fourth row, which only CMYK uses.
    std::array<QLineEdit *, 4> edits {};
    std::array<QSlider *, 4> sliders {};
    // The model the rows were last configured for; -1 before the first.
    int configuredModel = -1;
    int decimalCount = -1;
};

#endif // MODELPANEL_H
