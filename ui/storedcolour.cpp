#include "storedcolour.h"

#include "colourmodels.h"
#include "notation.h"
#include "prismora.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace {

QString modelKey(int index)
{
    return QLatin1String(ColourModels::model(index)->key);
}

int modelIndex(const QString &key)
{
    for (int index = 0; index < ColourModels::Count; ++index) {
        if (key == QLatin1String(ColourModels::model(index)->key))
            return index;
    }
    return -1;
}

// Notations reach far beyond the panels' bounds, but nothing a person sets comes near this.
constexpr double farBeyond = 1e6;
// Longer names and texts are no one's; they only cost memory and layout time.
constexpr int longestText = 1000;

void describe(StoredColour &colour)
{
    Prismora engine;
    colour.apply(engine);
    colour.text = storedText(engine);
    colour.swatch = QColor(Notation::hex(engine));
}

} // namespace

QString storedText(const Prismora &engine)
{
    return engine.in_srgb_gamut() ? Notation::hex(engine) : Notation::oklch(engine);
}

StoredColour StoredColour::fromEngine(const Prismora &engine, int modelIndex)
{
    StoredColour colour;
    const ColourModels::Model *model = ColourModels::model(modelIndex);
    if (!model)
        model = ColourModels::model(ColourModels::Rgb);
    colour.model = QLatin1String(model->key);
    for (int c = 0; c < model->channelCount; ++c)
        colour.values.append(model->channels[c].read(engine));
    colour.text = storedText(engine);
    colour.swatch = QColor(Notation::hex(engine));
    return colour;
}

StoredColour StoredColour::fromRequest(const Notation::Request &request)
{
    StoredColour colour;
    colour.model = modelKey(request.model);
    colour.values = {request.values[0], request.values[1], request.values[2]};
    describe(colour);
    return colour;
}

std::optional<StoredColour> StoredColour::fromJson(const QJsonObject &object)
{
    StoredColour colour;
    colour.model = object.value(QLatin1String("model")).toString();
    const ColourModels::Model *model = ColourModels::model(modelIndex(colour.model));
    const QJsonArray values = object.value(QLatin1String("values")).toArray();
    if (!model || values.size() != model->channelCount)
        return std::nullopt;
    for (int c = 0; c < model->channelCount; ++c) {
        const QJsonValue value = values.at(c);
        const double number = value.toDouble();
        if (!value.isDouble() || !std::isfinite(number) || std::abs(number) > farBeyond)
            return std::nullopt;
        // RGB's setters take nothing beyond the screen's levels.
        if (model == ColourModels::model(ColourModels::Rgb) && (number < 0 || number > 255))
            return std::nullopt;
        colour.values.append(number);
    }
    colour.name = object.value(QLatin1String("name")).toString().left(longestText);
    colour.settledAt = static_cast<qint64>(object.value(QLatin1String("settled")).toDouble());
    colour.text = object.value(QLatin1String("text")).toString().left(longestText);
    colour.swatch = QColor(object.value(QLatin1String("swatch")).toString());
    // Written by hand or by an older version: worked out again from the values.
    if (colour.text.isEmpty() || !colour.swatch.isValid())
        describe(colour);
    return colour;
}

QJsonObject StoredColour::toJson() const
{
    QJsonArray channels;
    for (const double value : values)
        channels.append(value);
    QJsonObject object {{QLatin1String("model"), model}, {QLatin1String("values"), channels},
        {QLatin1String("text"), text}, {QLatin1String("swatch"), swatch.name()}};
    if (!name.isEmpty())
        object.insert(QLatin1String("name"), name);
    if (settledAt != 0)
        object.insert(QLatin1String("settled"), double(settledAt));
    return object;
}

void StoredColour::apply(Prismora &engine) const
{
    const int index = modelIndex(model);
    const ColourModels::Model *entry = ColourModels::model(index);
    if (!entry || values.size() != entry->channelCount)
        return;
    for (int c = 0; c < entry->channelCount; ++c)
        entry->channels[c].write(engine, values[c]);
}

bool StoredColour::sameColour(const StoredColour &other) const
{
    return model == other.model && values == other.values;
}

bool StoredColour::operator==(const StoredColour &other) const
{
    return sameColour(other) && name == other.name && settledAt == other.settledAt;
}
