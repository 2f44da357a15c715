#ifndef CSSPALETTE_H
#define CSSPALETTE_H

#include "gimppalette.h"

// A palette as CSS custom properties, one "--name: colour;" per colour, for style sheets and
// design tokens.
namespace CssPalette {

enum class Notation { Hex, Oklch };

// hex clips a colour beyond sRGB and counts it; oklch() keeps every colour as set.
GimpPalette::Written write(const Palette &palette, Notation notation);

// Every custom property of the text, each of which must hold a colour; other declarations,
// selectors and comments are passed over. All or nothing, naming the line at fault.
GimpPalette::ReadResult read(const QByteArray &bytes);

} // namespace CssPalette

#endif // CSSPALETTE_H
