#ifndef NOTATION_H
#define NOTATION_H

#include "colourmodels.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

class Prismora;

// Colour notations people paste and copy: hex, the CSS colour names, rgb(), hsl(), hwb(), lab(),
// lch(), oklab(), oklch() and color().
// Reading is a pure function from text to a request for the engine's setters, or to a reason;
// writing formats the engine's current colour.
namespace Notation {

struct Request
{
    // The model whose setters the request goes through.
    ColourModels::Index model = ColourModels::Rgb;
    // As read, not rounded, in the setters' units. RGB: 0..255 per channel. HSL and HSV: hue in
    // degrees 0 up to but not including 360, the others in percent 0..100. XYZ: the engine's, which
    // lab() and lch() reach from D50. OKLab and OKLCh: L in percent 0..100, a, b and C as in CSS,
    // hue as for HSL. Display P3 and Rec. 2020: encoded, 1 being full, as given within a million
    // either way; color() in sRGB within 0..1 comes as RGB, in every other space (and sRGB beyond
    // 0..1) as Display P3, which holds any colour.
    std::array<double, 3> values {};
    // The text carried an alpha, which the engine has no place for.
    bool alphaIgnored = false;
};

struct Result
{
    std::optional<Request> request; // set when the text reads as a colour
    QString error; // otherwise why not, naming what is accepted (translated)
};

// Any text is safe: control characters, broken UTF-16 and megabytes take linear time.
Result parse(const QString &text);

// What parse() reads, a translated sentence with an example for each notation, for help texts.
QStringList readableNotations();

// Through the request's model's three setters in channel order: hwb() as HSV, lab() and lch() as
// XYZ, color() as RGB, Display P3 or Rec. 2020, the others as their own model.
void apply(const Request &request, Prismora &engine);

// What to tell the user when Request::alphaIgnored is set (translated).
QString alphaIgnoredMessage();

// The engine's colour, RGB from the getters clamped to 0..255 as the swatch shows it.
QString hex(const Prismora &engine); // #rrggbb, lower case
QString rgb(const Prismora &engine); // rgb(R, G, B)
// The same of whole levels given, such as the engine's nearest sRGB colour.
QString hexOf(const std::array<double, 3> &levels);
QString rgbOf(const std::array<double, 3> &levels);
QString hsl(const Prismora &engine); // hsl(H S% L%)
QString hwb(const Prismora &engine); // hwb(H W% B%), from HSV
// From XYZ (relative to D50, as CSS defines lab() and lch()) and from OKLab and OKLCh, so that a
// colour set in those models beyond sRGB is written as set, not as the screen shows it.
QString lab(const Prismora &engine); // lab(L a b)
QString lch(const Prismora &engine); // lch(L C H)
QString oklab(const Prismora &engine); // oklab(L% a b)
QString oklch(const Prismora &engine); // oklch(L% C H)
// The colour as set in Display P3 and Rec. 2020, beyond 0..1 where it lies outside them.
QString displayP3(const Prismora &engine); // color(display-p3 r g b)
QString rec2020(const Prismora &engine); // color(rec2020 r g b)

// A number as the panels show it: six significant digits, and never "-0".
QString number(double value);

// The formats a colour can be copied in, in menu order.
struct CopyFormat
{
    const char *id; // stable, lower case: "hex", "rgb", ...
    const char *label; // untranslated; see CopyFormat::title()
    QString (*format)(const Prismora &engine);

    QString title() const; // the label, translated
};
const std::vector<CopyFormat> &copyFormats();

} // namespace Notation

#endif // NOTATION_H
