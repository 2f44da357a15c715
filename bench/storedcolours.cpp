#include "storedcolours.h"

#include "colourstore.h"
#include "notation.h"

void fillStoredColours(const QString &folder)
{
    const auto colour = [](int i) {
        Notation::Request request;
        // Every fourth colour in OKLCH, often beyond sRGB; the others in RGB.
        if (i % 4 == 0) {
            request.model = ColourModels::Oklch;
            request.values = {double(30 + i % 60), 0.05 + (i % 7) * 0.05, double((i * 37) % 360)};
        } else {
            request.values = {double(i % 256), double((i * 7) % 256), double((i * 13) % 256)};
        }
        return StoredColour::fromRequest(request);
    };
    ColourStore store(folder);
    QVector<StoredColour> history;
    for (int i = 0; i < 1000; ++i) {
        history.append(colour(i));
        history.last().settledAt = 1700000000000 + 1000 - i;
    }
    store.saveHistory(history);
    QVector<Palette> palettes;
    for (int p = 0; p < 50; ++p) {
        Palette palette {QStringLiteral("Palette %1").arg(p + 1), {}, 0};
        for (int c = 0; c < 200; ++c) {
            palette.colours.append(colour(p * 200 + c));
            palette.colours.last().name = QStringLiteral("Colour %1").arg(c + 1);
        }
        palettes.append(palette);
    }
    store.savePalettes(palettes);
}
