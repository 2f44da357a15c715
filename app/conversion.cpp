#include "conversion.h"

#include "colourmodels.h"
#include "notation.h"
#include "prismora.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cmath>

namespace Conversion {
namespace {

QString jsonNumber(double value)
{
    // JSON has no infinities or NaN.
    if (!std::isfinite(value))
        return QStringLiteral("null");
    // The shortest text that reads back as the same double; adding zero turns -0 into 0.
    return QString::number(value + 0.0, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QString text(const Prismora &engine)
{
    QString lines = QStringLiteral("hex ") + Notation::hex(engine) + QLatin1Char('\n');
    for (int index = 0; index < ColourModels::Count; ++index) {
        const ColourModels::Model &model = *ColourModels::model(index);
        lines += QLatin1String(model.key);
        for (int c = 0; c < model.channelCount; ++c)
            lines += QLatin1Char(' ') + Notation::number(model.channels[c].read(engine));
        lines += QLatin1Char('\n');
    }
    return lines;
}

QString json(const Prismora &engine)
{
    // Written by hand: QJsonObject sorts its keys, and the models belong in their usual order.
    QString object = QStringLiteral("{\"hex\": \"") + Notation::hex(engine) + QLatin1Char('"');
    for (int index = 0; index < ColourModels::Count; ++index) {
        const ColourModels::Model &model = *ColourModels::model(index);
        QStringList values;
        for (int c = 0; c < model.channelCount; ++c)
            values << jsonNumber(model.channels[c].read(engine));
        object += QStringLiteral(", \"%1\": [%2]")
                      .arg(QLatin1String(model.key), values.join(QStringLiteral(", ")));
    }
    object += QStringLiteral(", \"srgb_mapped\": \"") + Notation::hexOf(engine.nearest_srgb())
        + QLatin1Char('"');
    return object + QStringLiteral("}\n");
}

} // namespace Conversion
