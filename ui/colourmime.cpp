#include "colourmime.h"

#include <QColor>
#include <QCoreApplication>
#include <QMimeData>

namespace ColourMime {

QMimeData *encode(const QString &text, const QColor &colour)
{
    auto *data = new QMimeData;
    data->setColorData(colour);
    data->setText(text);
    return data;
}

Notation::Result decode(const QMimeData *data)
{
    if (data && data->hasColor()) {
        const QColor colour = qvariant_cast<QColor>(data->colorData()).toRgb();
        if (colour.isValid()) {
            Notation::Request request;
            request.values = {double(colour.red()), double(colour.green()), double(colour.blue())};
            request.alphaIgnored = colour.alpha() != 255;
            return {request, QString()};
        }
    }
    if (data && data->hasText())
        return Notation::parse(data->text());
    return {std::nullopt, QCoreApplication::translate("MainWindow", "That holds no colour.")};
}

} // namespace ColourMime
