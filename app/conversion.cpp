#include "conversion.h"

#include "notation.h"
#include "prismora.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cmath>

namespace Conversion {
namespace {

struct Model
{
    const char *name;
    int channelCount;
    double (*read[4])(const Prismora &engine);
};

const Model models[] = {
    {"rgb", 3,
        {[](const Prismora &e) { return e.get_rgb_r(); },
            [](const Prismora &e) { return e.get_rgb_g(); },
            [](const Prismora &e) { return e.get_rgb_b(); }}},
    {"cmyk", 4,
        {[](const Prismora &e) { return e.get_cmyk_c(); },
            [](const Prismora &e) { return e.get_cmyk_m(); },
            [](const Prismora &e) { return e.get_cmyk_y(); },
            [](const Prismora &e) { return e.get_cmyk_k(); }}},
    {"hsv", 3,
        {[](const Prismora &e) { return double(e.get_hsv_h()); },
            [](const Prismora &e) { return double(e.get_hsv_s()); },
            [](const Prismora &e) { return double(e.get_hsv_v()); }}},
    {"hsl", 3,
        {[](const Prismora &e) { return e.get_hsl_h(); },
            [](const Prismora &e) { return e.get_hsl_s(); },
            [](const Prismora &e) { return e.get_hsl_l(); }}},
    {"xyz", 3,
        {[](const Prismora &e) { return e.get_xyz_x(); },
            [](const Prismora &e) { return e.get_xyz_y(); },
            [](const Prismora &e) { return e.get_xyz_z(); }}},
    {"lab", 3,
        {[](const Prismora &e) { return e.get_lab_l(); },
            [](const Prismora &e) { return e.get_lab_a(); },
            [](const Prismora &e) { return e.get_lab_b(); }}},
    {"lch", 3,
        {[](const Prismora &e) { return e.get_lch_l(); },
            [](const Prismora &e) { return e.get_lch_c(); },
            [](const Prismora &e) { return e.get_lch_h(); }}},
    {"oklab", 3,
        {[](const Prismora &e) { return e.get_oklab_l(); },
            [](const Prismora &e) { return e.get_oklab_a(); },
            [](const Prismora &e) { return e.get_oklab_b(); }}},
    {"oklch", 3,
        {[](const Prismora &e) { return e.get_oklch_l(); },
            [](const Prismora &e) { return e.get_oklch_c(); },
            [](const Prismora &e) { return e.get_oklch_h(); }}},
};

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
    for (const Model &model : models) {
        lines += QLatin1String(model.name);
        for (int c = 0; c < model.channelCount; ++c)
            lines += QLatin1Char(' ') + Notation::number(model.read[c](engine));
        lines += QLatin1Char('\n');
    }
    return lines;
}

QString json(const Prismora &engine)
{
    // Written by hand: QJsonObject sorts its keys, and the models belong in their usual order.
    QString object = QStringLiteral("{\"hex\": \"") + Notation::hex(engine) + QLatin1Char('"');
    for (const Model &model : models) {
        QStringList values;
        for (int c = 0; c < model.channelCount; ++c)
            values << jsonNumber(model.read[c](engine));
        object += QStringLiteral(", \"%1\": [%2]")
                      .arg(QLatin1String(model.name), values.join(QStringLiteral(", ")));
    }
    return object + QStringLiteral("}\n");
}

} // namespace Conversion
