#ifndef PALETTEFILES_H
#define PALETTEFILES_H

#include "gimppalette.h"

// Palette files on disk, in the formats the palette panel imports and exports.
namespace PaletteFiles {

enum class Format { Gimp, CssHex, CssOklch, CssDisplayP3 };

// A file named *.css as CSS custom properties, any other as a GIMP palette. All or nothing: the
// error names the line at fault, or what is wrong with the file itself (translated).
GimpPalette::ReadResult read(const QString &path);

struct Saved
{
    QString error; // empty when the file was written (translated)
    int clipped = 0; // colours beyond sRGB written as the screen shows them
    int written = 0;
};

// Atomic: a file that was there stays whole until the new one is complete.
Saved write(const QString &path, const Palette &palette, Format format);

} // namespace PaletteFiles

#endif // PALETTEFILES_H
