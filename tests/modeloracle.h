#ifndef MODELORACLE_H
#define MODELORACLE_H

// What the window documents for each colour model, written out by hand from its documented
// behaviour and not taken from the engine's model table, so that a slip in that table shows up
// as a failed test instead of being copied into every expectation. One test holds the table to
// this oracle; every other test reads bounds, messages and names from here.
namespace Oracle {

struct Channel
{
    double lowest;
    double highest;
    int sliderMinimum;
    int sliderMaximum;
    int scale;
    const char *description;
};

struct Model
{
    const char *label;
    const char *key;
    int channelCount;
    const char *rangeMessage;
    Channel channels[4];
};

enum Index { Rgb, Cmyk, Hsv, Hsl, Xyz, Lab, Lch, Oklab, Oklch, DisplayP3, Rec2020, Count };

inline const char *const rangeTitle = "Ууууууупс :( !Ошибка!";

inline const Model models[Count] = {
    {"RGB", "rgb", 3, "параметры rgb имеют диапозон от 0 до 255",
        {{0, 255, 0, 255, 1, "Red, 0 to 255"}, {0, 255, 0, 255, 1, "Green, 0 to 255"},
            {0, 255, 0, 255, 1, "Blue, 0 to 255"}, {}}},
    {"CMYK", "cmyk", 4, "параметры cmyk имеют диапозон от 0 до 100",
        {{0, 100, 0, 100, 1, "Cyan, 0 to 100 %"}, {0, 100, 0, 100, 1, "Magenta, 0 to 100 %"},
            {0, 100, 0, 100, 1, "Yellow, 0 to 100 %"},
            {0, 100, 0, 100, 1, "Key (black), 0 to 100 %"}}},
    {"HSV", "hsv", 3, "параметры hsv имеют диапозоны от (0-360, 0-100, 0-100)",
        {{0, 360, 0, 360, 1, "Hue, 0 to 360 degrees"},
            {0, 100, 0, 100, 1, "Saturation, 0 to 100 %"}, {0, 100, 0, 100, 1, "Value, 0 to 100 %"},
            {}}},
    {"HSL", "hsl", 3, "параметры hsl имеют диапозоны от (0-360, 0-100, 0-100)",
        {{0, 360, 0, 360, 1, "Hue, 0 to 360 degrees"},
            {0, 100, 0, 100, 1, "Saturation, 0 to 100 %"},
            {0, 100, 0, 100, 1, "Lightness, 0 to 100 %"}, {}}},
    {"XYZ", "xyz", 3, "параметры xyz имеют диапозоны от (0-255, 0-100, 0-108.9)",
        {{0, 255, 0, 255, 1, "X, 0 to 255"}, {0, 100, 0, 100, 1, "Y (luminance), 0 to 100"},
            {0, 108.9, 0, 108, 1, "Z, 0 to 108.9"}, {}}},
    {"LAB", "lab", 3, "параметры lab имеют диапозоны от (0-100, -128-127, -128-127)",
        {{0, 100, 0, 100, 1, "L* (lightness, D65 white), 0 to 100"},
            {-128, 127, -128, 127, 1, "a* (green to red, D65 white), -128 to 127"},
            {-128, 127, -128, 127, 1, "b* (blue to yellow, D65 white), -128 to 127"}, {}}},
    {"LCH", "lch", 3, "параметры lch имеют диапозоны от (0-100, 0-200, 0-360)",
        {{0, 100, 0, 100, 1, "L* (lightness, D65 white), 0 to 100"},
            {0, 200, 0, 200, 1, "C* (chroma, D65 white), 0 to 200"},
            {0, 360, 0, 360, 1, "h (hue, D65 white), 0 to 360 degrees"}, {}}},
    {"OKLAB", "oklab", 3, "параметры oklab имеют диапозоны от (0-100, -0.4-0.4, -0.4-0.4)",
        {{0, 100, 0, 100, 1, "L (lightness), 0 to 100 %"},
            {-0.4, 0.4, -400, 400, 1000, "a (green to red), -0.4 to 0.4"},
            {-0.4, 0.4, -400, 400, 1000, "b (blue to yellow), -0.4 to 0.4"}, {}}},
    {"OKLCH", "oklch", 3, "параметры oklch имеют диапозоны от (0-100, 0-0.4, 0-360)",
        {{0, 100, 0, 100, 1, "L (lightness), 0 to 100 %"},
            {0, 0.4, 0, 400, 1000, "C (chroma), 0 to 0.4"},
            {0, 360, 0, 360, 1, "h (hue), 0 to 360 degrees"}, {}}},
    {"DISPLAY-P3", "p3", 3, "параметры display-p3 имеют диапозон от 0 до 1",
        {{0, 1, 0, 1000, 1000, "Red (Display P3), 0 to 1"},
            {0, 1, 0, 1000, 1000, "Green (Display P3), 0 to 1"},
            {0, 1, 0, 1000, 1000, "Blue (Display P3), 0 to 1"}, {}}},
    {"REC2020", "rec2020", 3, "параметры rec2020 имеют диапозон от 0 до 1",
        {{0, 1, 0, 1000, 1000, "Red (Rec. 2020), 0 to 1"},
            {0, 1, 0, 1000, 1000, "Green (Rec. 2020), 0 to 1"},
            {0, 1, 0, 1000, 1000, "Blue (Rec. 2020), 0 to 1"}, {}}},
};

} // namespace Oracle

#endif // MODELORACLE_H
