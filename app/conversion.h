#ifndef CONVERSION_H
#define CONVERSION_H

#include <string>
#include <string_view>

class Prismora;
class QString;

// The engine's colour in every model, as the console prints it: hex, then RGB, CMYK, HSV, HSL,
// XYZ, LAB, LCh, OKLab, OKLCh, Display P3 and Rec. 2020, as the panels hold them (LAB and LCh
// relative to D65), then the smallest gamut that holds it. Written as UTF-8 onto the end of a
// buffer, so that thousands of colours cost no allocation each.
namespace Conversion {

// One line per model: its name in lower case, then its values as the panels show them; last the
// line "gamut" and gamut().
void appendText(std::string &out, const Prismora &engine);

// One JSON object on one line: "input", the text as given; then each model's getters in full
// precision (every number reads back as the same double); srgb_mapped, the nearest sRGB colour
// by CSS gamut mapping; and "gamut".
void appendJson(std::string &out, const Prismora &engine, const QString &input);
// The line of a text that is no colour: "input" and "error", the reason.
void appendJsonError(std::string &out, const QString &input, const QString &error);

// "srgb", "display-p3", "rec2020" or "beyond": the smallest of them that holds the colour.
const char *gamut(const Prismora &engine);

// #rrggbb in lower case, as Notation::hex() writes it.
void appendHex(std::string &out, const Prismora &engine);
// A number exactly as Notation::number() writes it, without building a QString for the usual
// ones.
void appendNumber(std::string &out, double value);

} // namespace Conversion

#endif // CONVERSION_H
