#ifndef GIMPPALETTE_H
#define GIMPPALETTE_H

#include "palettebook.h"

#include <QByteArray>

#include <optional>

// GIMP's palette file (.gpl), which paint and drawing programs share: a "GIMP Palette" line,
// optional "Name:" and "Columns:" lines, "#" comments and one "R G B name" row per colour.
namespace GimpPalette {

struct ReadResult
{
    std::optional<Palette> palette;
    QString error; // otherwise what is wrong, naming the line (translated)
};

// All or nothing: a file with one bad row gives no palette.
ReadResult read(const QByteArray &bytes);

struct Written
{
    QByteArray bytes;
    int clipped = 0; // colours beyond sRGB, written as the screen shows them
};

Written write(const Palette &palette);

// Shared with the other palette readers.
constexpr qint64 largestFile = 16 * 1024 * 1024;
// A line as UTF-8, or nothing when it is not.
std::optional<QString> utf8(const QByteArray &line);

} // namespace GimpPalette

#endif // GIMPPALETTE_H
