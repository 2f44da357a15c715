#ifndef STOREDCOLOURS_H
#define STOREDCOLOURS_H

class QString;

// Fills a data folder as a long-standing user's would be: a history file of 1,000 colours
// (more than the strip keeps, as an older or hand-edited file could hold) and 50 palettes of 200
// named colours, some beyond sRGB.
void fillStoredColours(const QString &folder);

#endif // STOREDCOLOURS_H
