#ifndef COLOURMIME_H
#define COLOURMIME_H

#include "notation.h"

class QColor;
class QMimeData;

// Colours on the clipboard and in drag and drop: the colour itself, which other toolkit and
// desktop colour fields take, with its text beside it for everything else.
namespace ColourMime {

QMimeData *encode(const QString &text, const QColor &colour);
// Colour data first, then text; a reason when neither holds a colour.
Notation::Result decode(const QMimeData *data);

} // namespace ColourMime

#endif // COLOURMIME_H
