#ifndef COLOURMODELS_H
#define COLOURMODELS_H

class Prismora;

// Every colour model once, by its combo box index: read by the panels and the command line.
namespace ColourModels {

enum Index { Rgb, Cmyk, Hsv, Hsl, Xyz, Lab, Lch, Oklab, Oklch, DisplayP3, Rec2020, Count };

struct Channel
{
    double lowest; // accepted text, inclusive
    double highest;
    int sliderMinimum;
    int sliderMaximum;
    double (*read)(const Prismora &engine);
    void (*write)(Prismora &engine, double value);
    const char *description; // tool tip and accessible name, untranslated
    // Slider positions per unit: 1000 for channels whose whole range lies within about ±1.
    int scale = 1;
    // Whole numbers only (RGB's levels), shown without decimals whatever the precision chosen.
    bool whole = false;
};

struct Model
{
    const char *key; // as the command line prints it
    const char *label; // as the first panel's combo box lists it
    // The channels in order with their units, shown under the combo box; untranslated.
    const char *legend;
    int channelCount; // 4 for CMYK, whose key uses the panel's fourth pair
    const char *rangeMessage; // untranslated
    Channel channels[4];
};

// Null for an index outside the table.
const Model *model(int index);

} // namespace ColourModels

#endif // COLOURMODELS_H
