#ifndef CSSPALETTE_H
#define CSSPALETTE_H

#include "gimppalette.h"

// A palette as CSS custom properties, one "--name: colour;" per colour, for style sheets and
// design tokens.
namespace CssPalette {

enum class Notation { Hex, Oklch, DisplayP3 };

// hex clips a colour beyond sRGB and counts it; oklch() and color(display-p3) keep every colour
// as set, the latter with channels beyond 0..1 for a colour beyond Display P3.
GimpPalette::Written write(const Palette &palette, Notation notation);

// Every custom property of the text, each of which must hold a colour; other declarations,
// selectors and comments are passed over. All or nothing, naming the line at fault.
GimpPalette::ReadResult read(const QByteArray &bytes);

} // namespace CssPalette

#endif // CSSPALETTE_H
