#include "storedcolour.h"

#include "colourmodels.h"
#include "notation.h"
#include "prismora.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace {

// Notations reach far beyond the panels' bounds, but nothing a person sets comes near this.
constexpr double farBeyond = 1e6;
// Longer names and texts are no one's; they only cost memory and layout time.
constexpr int longestText = 1000;
// Milliseconds since the epoch up to the year 33658: beyond it a time is no time at all.
constexpr double latestTime = 1e15;

// RGB, and CMYK, HSV and HSL computed from it, hold nothing beyond the screen's colours: values
// outside their bounds come from no panel and no notation.
bool withinScreen(int index)
{
    return index == ColourModels::Rgb || index == ColourModels::Cmyk || index == ColourModels::Hsv
        || index == ColourModels::Hsl;
}

void describe(StoredColour &colour)
{
    Prismora engine;
    colour.apply(engine);
    colour.text = storedText(engine, storedModelIndex(colour.model));
    colour.swatch = QColor(Notation::hex(engine));
}

} // namespace

int storedModelIndex(const QString &key)
{
    for (int index = 0; index < ColourModels::Count; ++index) {
        if (key == QLatin1String(ColourModels::model(index)->key))
            return index;
    }
    return -1;
}

QString storedText(const Prismora &engine, int modelIndex)
{
    if (engine.in_srgb_gamut())
        return Notation::hex(engine);
    if (modelIndex == ColourModels::DisplayP3)
        return Notation::displayP3(engine);
    if (modelIndex == ColourModels::Rec2020)
        return Notation::rec2020(engine);
    return Notation::oklch(engine);
}

StoredColour StoredColour::fromEngine(const Prismora &engine, int modelIndex)
{
    StoredColour colour;
    const ColourModels::Model *model = ColourModels::model(modelIndex);
    if (!model) {
        modelIndex = ColourModels::Rgb;
        model = ColourModels::model(modelIndex);
    }
    colour.model = QLatin1String(model->key);
    for (int c = 0; c < model->channelCount; ++c)
        colour.values.append(model->channels[c].read(engine));
    colour.text = storedText(engine, modelIndex);
    colour.swatch = QColor(Notation::hex(engine));
    return colour;
}

StoredColour StoredColour::fromRequest(const Notation::Request &request)
{
    StoredColour colour;
    colour.model = QLatin1String(ColourModels::model(request.model)->key);
    colour.values = {request.values[0], request.values[1], request.values[2]};
    describe(colour);
    return colour;
}

std::optional<StoredColour> StoredColour::fromJson(const QJsonObject &object)
{
    StoredColour colour;
    colour.model = object.value(QLatin1String("model")).toString();
    const int index = storedModelIndex(colour.model);
    const ColourModels::Model *model = ColourModels::model(index);
    const QJsonArray values = object.value(QLatin1String("values")).toArray();
    if (!model || values.size() != model->channelCount)
        return std::nullopt;
    for (int c = 0; c < model->channelCount; ++c) {
        const QJsonValue value = values.at(c);
        const double number = value.toDouble();
        if (!value.isDouble() || !std::isfinite(number) || std::abs(number) > farBeyond)
            return std::nullopt;
        const ColourModels::Channel &bounds = model->channels[c];
        if (withinScreen(index) && (number < bounds.lowest || number > bounds.highest))
            return std::nullopt;
        colour.values.append(number);
    }
    colour.name = object.value(QLatin1String("name")).toString().left(longestText);
    const double settled = object.value(QLatin1String("settled")).toDouble();
    if (settled > 0 && settled < latestTime)
        colour.settledAt = static_cast<qint64>(settled);
    colour.text = object.value(QLatin1String("text")).toString().left(longestText);
    // Only what toJson writes: QColor would take names and formats no file of ours holds.
    const QString swatch = object.value(QLatin1String("swatch")).toString();
    if (swatch.size() == 7 && swatch.startsWith(QLatin1Char('#')) && QColor::isValidColor(swatch))
        colour.swatch = QColor(swatch);
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
    const ColourModels::Model *entry = ColourModels::model(storedModelIndex(model));
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
