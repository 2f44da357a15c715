#ifndef COLOURMODELS_H
#define COLOURMODELS_H

class Prismora;

// What a panel needs to know about each model of its combo box, by item index.
namespace ColourModels {

enum Index { Rgb, Cmyk, Hsv, Hsl, Xyz, Lab, Lch, Oklab, Oklch, Count };

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
};

struct Model
{
    int channelCount; // 4 for CMYK, whose key uses the panel's fourth pair
    const char *rangeMessage; // untranslated
    Channel channels[4];
};

// Null for an index outside the table.
const Model *model(int index);

} // namespace ColourModels

#endif // COLOURMODELS_H
