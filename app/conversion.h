#ifndef CONVERSION_H
#define CONVERSION_H

class Prismora;
class QString;

// The engine's colour in every model, as the console prints it: hex, then RGB, CMYK, HSV, HSL,
// XYZ, LAB, LCh, OKLab, OKLCh, Display P3 and Rec. 2020, as the panels hold them (LAB and LCh
// relative to D65).
namespace Conversion {

// One line per model: its name in lower case, then its values as the panels show them.
QString text(const Prismora &engine);

// One JSON object on one line, each model's getters in full precision (every number reads back
// as the same double), then srgb_mapped, the nearest sRGB colour by CSS gamut mapping.
QString json(const Prismora &engine);

} // namespace Conversion

#endif // CONVERSION_H
