#include "colourmodels.h"

#include "prismora.h"

#include <QtGlobal>

namespace ColourModels {
namespace {

// Z of the engine's white is 108.9; the slider stops at the whole number below it.
const Model models[Count] = {
    {3, QT_TRANSLATE_NOOP("MainWindow", "параметры rgb имеют диапозон от 0 до 255"),
        {{0, 255, 0, 255, [](const Prismora &e) { return e.get_rgb_r(); },
             [](Prismora &e, double v) { e.set_rgb_r(v); },
             QT_TRANSLATE_NOOP("MainWindow", "Red, 0 to 255")},
            {0, 255, 0, 255, [](const Prismora &e) { return e.get_rgb_g(); },
                [](Prismora &e, double v) { e.set_rgb_g(v); },
                QT_TRANSLATE_NOOP("MainWindow", "Green, 0 to 255")},
            {0, 255, 0, 255, [](const Prismora &e) { return e.get_rgb_b(); },
                [](Prismora &e, double v) { e.set_rgb_b(v); },
                QT_TRANSLATE_NOOP("MainWindow", "Blue, 0 to 255")},
            {}}},
    {4, QT_TRANSLATE_NOOP("MainWindow", "параметры cmyk имеют диапозон от 0 до 100"),
        {{0, 100, 0, 100, [](const Prismora &e) { return e.get_cmyk_c(); },
             [](Prismora &e, double v) { e.set_cmyk_c(v); },
             QT_TRANSLATE_NOOP("MainWindow", "Cyan, 0 to 100 %")},
            {0, 100, 0, 100, [](const Prismora &e) { return e.get_cmyk_m(); },
                [](Prismora &e, double v) { e.set_cmyk_m(v); },
                QT_TRANSLATE_NOOP("MainWindow", "Magenta, 0 to 100 %")},
            {0, 100, 0, 100, [](const Prismora &e) { return e.get_cmyk_y(); },
                [](Prismora &e, double v) { e.set_cmyk_y(v); },
                QT_TRANSLATE_NOOP("MainWindow", "Yellow, 0 to 100 %")},
            {0, 100, 0, 100, [](const Prismora &e) { return e.get_cmyk_k(); },
                [](Prismora &e, double v) { e.set_cmyk_k(v); },
                QT_TRANSLATE_NOOP("MainWindow", "Key (black), 0 to 100 %")}}},
    {3, QT_TRANSLATE_NOOP("MainWindow", "параметры hsv имеют диапозоны от (0-360, 0-100, 0-100)"),
        {{0, 360, 0, 360, [](const Prismora &e) { return double(e.get_hsv_h()); },
             [](Prismora &e, double v) { e.set_hsv_h(static_cast<float>(v)); },
             QT_TRANSLATE_NOOP("MainWindow", "Hue, 0 to 360 degrees")},
            {0, 100, 0, 100, [](const Prismora &e) { return double(e.get_hsv_s()); },
                [](Prismora &e, double v) { e.set_hsv_s(static_cast<float>(v)); },
                QT_TRANSLATE_NOOP("MainWindow", "Saturation, 0 to 100 %")},
            {0, 100, 0, 100, [](const Prismora &e) { return double(e.get_hsv_v()); },
                [](Prismora &e, double v) { e.set_hsv_v(static_cast<float>(v)); },
                QT_TRANSLATE_NOOP("MainWindow", "Value, 0 to 100 %")},
            {}}},
    {3, QT_TRANSLATE_NOOP("MainWindow", "параметры hsl имеют диапозоны от (0-360, 0-100, 0-100)"),
        {{0, 360, 0, 360, [](const Prismora &e) { return e.get_hsl_h(); },
             [](Prismora &e, double v) { e.set_hsl_h(v); },
             QT_TRANSLATE_NOOP("MainWindow", "Hue, 0 to 360 degrees")},
            {0, 100, 0, 100, [](const Prismora &e) { return e.get_hsl_s(); },
                [](Prismora &e, double v) { e.set_hsl_s(v); },
                QT_TRANSLATE_NOOP("MainWindow", "Saturation, 0 to 100 %")},
            {0, 100, 0, 100, [](const Prismora &e) { return e.get_hsl_l(); },
                [](Prismora &e, double v) { e.set_hsl_l(v); },
                QT_TRANSLATE_NOOP("MainWindow", "Lightness, 0 to 100 %")},
            {}}},
    {3, QT_TRANSLATE_NOOP("MainWindow", "параметры xyz имеют диапозоны от (0-255, 0-100, 0-108.9)"),
        {{0, 255, 0, 255, [](const Prismora &e) { return e.get_xyz_x(); },
             [](Prismora &e, double v) { e.set_xyz_x(v); },
             QT_TRANSLATE_NOOP("MainWindow", "X, 0 to 255")},
            {0, 100, 0, 100, [](const Prismora &e) { return e.get_xyz_y(); },
                [](Prismora &e, double v) { e.set_xyz_y(v); },
                QT_TRANSLATE_NOOP("MainWindow", "Y (luminance), 0 to 100")},
            {0, 108.9, 0, 108, [](const Prismora &e) { return e.get_xyz_z(); },
                [](Prismora &e, double v) { e.set_xyz_z(v); },
                QT_TRANSLATE_NOOP("MainWindow", "Z, 0 to 108.9")},
            {}}},
    {3,
        QT_TRANSLATE_NOOP(
            "MainWindow", "параметры lab имеют диапозоны от (0-100, -128-127, -128-127)"),
        {{0, 100, 0, 100, [](const Prismora &e) { return e.get_lab_l(); },
             [](Prismora &e, double v) { e.set_lab_l(v); },
             QT_TRANSLATE_NOOP("MainWindow", "L* (lightness, D65 white), 0 to 100")},
            {-128, 127, -128, 127, [](const Prismora &e) { return e.get_lab_a(); },
                [](Prismora &e, double v) { e.set_lab_a(v); },
                QT_TRANSLATE_NOOP("MainWindow", "a* (green to red, D65 white), -128 to 127")},
            {-128, 127, -128, 127, [](const Prismora &e) { return e.get_lab_b(); },
                [](Prismora &e, double v) { e.set_lab_b(v); },
                QT_TRANSLATE_NOOP("MainWindow", "b* (blue to yellow, D65 white), -128 to 127")},
            {}}},
    {3, QT_TRANSLATE_NOOP("MainWindow", "параметры lch имеют диапозоны от (0-100, 0-200, 0-360)"),
        {{0, 100, 0, 100, [](const Prismora &e) { return e.get_lch_l(); },
             [](Prismora &e, double v) { e.set_lch_l(v); },
             QT_TRANSLATE_NOOP("MainWindow", "L* (lightness, D65 white), 0 to 100")},
            {0, 200, 0, 200, [](const Prismora &e) { return e.get_lch_c(); },
                [](Prismora &e, double v) { e.set_lch_c(v); },
                QT_TRANSLATE_NOOP("MainWindow", "C* (chroma, D65 white), 0 to 200")},
            {0, 360, 0, 360, [](const Prismora &e) { return e.get_lch_h(); },
                [](Prismora &e, double v) { e.set_lch_h(v); },
                QT_TRANSLATE_NOOP("MainWindow", "h (hue, D65 white), 0 to 360 degrees")},
            {}}},
    {3,
        QT_TRANSLATE_NOOP(
            "MainWindow", "параметры oklab имеют диапозоны от (0-100, -0.4-0.4, -0.4-0.4)"),
        {{0, 100, 0, 100, [](const Prismora &e) { return e.get_oklab_l(); },
             [](Prismora &e, double v) { e.set_oklab_l(v); },
             QT_TRANSLATE_NOOP("MainWindow", "L (lightness), 0 to 100 %")},
            {-0.4, 0.4, -400, 400, [](const Prismora &e) { return e.get_oklab_a(); },
                [](Prismora &e, double v) { e.set_oklab_a(v); },
                QT_TRANSLATE_NOOP("MainWindow", "a (green to red), -0.4 to 0.4"), 1000},
            {-0.4, 0.4, -400, 400, [](const Prismora &e) { return e.get_oklab_b(); },
                [](Prismora &e, double v) { e.set_oklab_b(v); },
                QT_TRANSLATE_NOOP("MainWindow", "b (blue to yellow), -0.4 to 0.4"), 1000},
            {}}},
    {3, QT_TRANSLATE_NOOP("MainWindow", "параметры oklch имеют диапозоны от (0-100, 0-0.4, 0-360)"),
        {{0, 100, 0, 100, [](const Prismora &e) { return e.get_oklch_l(); },
             [](Prismora &e, double v) { e.set_oklch_l(v); },
             QT_TRANSLATE_NOOP("MainWindow", "L (lightness), 0 to 100 %")},
            {0, 0.4, 0, 400, [](const Prismora &e) { return e.get_oklch_c(); },
                [](Prismora &e, double v) { e.set_oklch_c(v); },
                QT_TRANSLATE_NOOP("MainWindow", "C (chroma), 0 to 0.4"), 1000},
            {0, 360, 0, 360, [](const Prismora &e) { return e.get_oklch_h(); },
                [](Prismora &e, double v) { e.set_oklch_h(v); },
                QT_TRANSLATE_NOOP("MainWindow", "h (hue), 0 to 360 degrees")},
            {}}},
};

} // namespace

const Model *model(int index)
{
    if (index < 0 || index >= Count)
        return nullptr;
    return &models[index];
}

} // namespace ColourModels
