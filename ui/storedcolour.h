#ifndef STOREDCOLOUR_H
#define STOREDCOLOUR_H

#include <QColor>
#include <QString>
#include <QVector>

#include <optional>

class Prismora;
class QJsonObject;
namespace Notation {
struct Request;
}

// A colour as the user set it: the model it was set in and that model's channel values exactly,
// so that applying it again gives the engine the same colour, one beyond sRGB included.
struct StoredColour
{
    QString model; // the model's key: "rgb", "cmyk", ..., "oklch"
    QVector<double> values; // that model's channels, in order
    QString text; // its notation, as the lists show it
    QColor swatch; // what a screen shows of it
    QString name; // palettes name their colours; the history does not
    qint64 settledAt = 0; // milliseconds since the epoch; the history merges by it

    // The engine's colour as set in the model at `modelIndex` (a panel's combo index).
    static StoredColour fromEngine(const Prismora &engine, int modelIndex);
    // Goes through the request's model's setters, as Notation::apply does.
    static StoredColour fromRequest(const Notation::Request &request);
    // Null for an unknown model, a wrong channel count or values no setter should meet.
    static std::optional<StoredColour> fromJson(const QJsonObject &object);
    QJsonObject toJson() const;

    void apply(Prismora &engine) const;
    bool sameColour(const StoredColour &other) const;
    bool operator==(const StoredColour &other) const;
    bool operator!=(const StoredColour &other) const { return !(*this == other); }
};

// What the lists show for the engine's colour set in `modelIndex`: hex inside sRGB; beyond it
// color() for a colour set in Display P3 or Rec. 2020, oklch() for any other.
QString storedText(const Prismora &engine, int modelIndex);

// The registry index of a model's key, or -1.
int storedModelIndex(const QString &key);

#endif // STOREDCOLOUR_H
