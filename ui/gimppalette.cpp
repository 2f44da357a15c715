#include "gimppalette.h"

#include "notation.h"
#include "prismora.h"

#include <QCoreApplication>

namespace GimpPalette {
namespace {

QString lineError(int line, const QString &what)
{
    return QCoreApplication::translate("GimpPalette", "Line %1: %2").arg(line).arg(what);
}

// GIMP's own reader takes a row's three numbers as whole decimal numbers, each followed by
// whitespace or the end of the line.
bool readChannel(const QString &text, int &at, int &value)
{
    while (
        at < text.size() && (text.at(at) == QLatin1Char(' ') || text.at(at) == QLatin1Char('\t')))
        ++at;
    const int start = at;
    while (
        at < text.size() && text.at(at).isDigit() && text.at(at).unicode() < 128 && at - start < 4)
        ++at;
    if (at == start || (at < text.size() && !text.at(at).isSpace()))
        return false;
    value = text.mid(start, at - start).toInt();
    return value <= 255;
}

} // namespace

std::optional<QString> utf8(const QByteArray &line)
{
    // Invalid sequences decode to U+FFFD, so they do not survive the way back. The length is
    // given, so that Qt 5 does not stop at a NUL byte, which is valid UTF-8.
    QString text = QString::fromUtf8(line.constData(), line.size());
    if (text.toUtf8() != line)
        return std::nullopt;
    return text;
}

ReadResult read(const QByteArray &bytes)
{
    if (bytes.size() > largestFile)
        return {std::nullopt,
            QCoreApplication::translate("GimpPalette", "The file is larger than %1 MiB.")
                .arg(largestFile >> 20)};
    QList<QByteArray> lines = bytes.split('\n');
    if (bytes.startsWith("\xEF\xBB\xBF"))
        lines.first().remove(0, 3);
    Palette palette;
    bool header = false;
    for (int number = 1; number <= lines.size(); ++number) {
        QByteArray raw = lines.at(number - 1);
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (raw.contains('\0'))
            return {std::nullopt,
                lineError(
                    number, QCoreApplication::translate("GimpPalette", "it holds binary data."))};
        const std::optional<QString> decoded = utf8(raw);
        if (!decoded)
            return {std::nullopt,
                lineError(
                    number, QCoreApplication::translate("GimpPalette", "it is not UTF-8 text."))};
        const QString &line = *decoded;
        if (!header) {
            if (!line.startsWith(QLatin1String("GIMP Palette")))
                return {std::nullopt,
                    lineError(number,
                        QCoreApplication::translate(
                            "GimpPalette", "a GIMP palette begins with \"GIMP Palette\"."))};
            header = true;
            continue;
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1String("Name:"))) {
            palette.name = line.mid(5).trimmed();
            continue;
        }
        if (line.startsWith(QLatin1String("Columns:"))) {
            bool ok = false;
            palette.columns = line.mid(8).trimmed().toInt(&ok);
            if (!ok || palette.columns < 0 || palette.columns > 256)
                return {std::nullopt,
                    lineError(number,
                        QCoreApplication::translate(
                            "GimpPalette", "Columns: takes a number from 0 to 256."))};
            continue;
        }
        int at = 0;
        int rgb[3] {};
        for (int &channel : rgb) {
            if (!readChannel(line, at, channel))
                return {std::nullopt,
                    lineError(number,
                        QCoreApplication::translate("GimpPalette",
                            "a colour row is red, green and blue from 0 to 255, then a name."))};
        }
        if (palette.colours.size() >= PaletteBook::largestPalette)
            return {std::nullopt,
                lineError(number,
                    QCoreApplication::translate(
                        "GimpPalette", "a palette holds at most %1 colours.")
                        .arg(PaletteBook::largestPalette))};
        Notation::Request request;
        request.values = {double(rgb[0]), double(rgb[1]), double(rgb[2])};
        StoredColour colour = StoredColour::fromRequest(request);
        colour.name = line.mid(at).trimmed();
        // GIMP's name for a colour nobody named.
        if (colour.name == QLatin1String("Untitled"))
            colour.name.clear();
        palette.colours.append(colour);
    }
    if (!header)
        return {std::nullopt,
            lineError(1,
                QCoreApplication::translate(
                    "GimpPalette", "a GIMP palette begins with \"GIMP Palette\"."))};
    return {palette, QString()};
}

Written write(const Palette &palette)
{
    const auto oneLine = [](const QString &text) {
        QString line = text;
        line.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        return line.trimmed();
    };
    Written written;
    QString rows;
    for (const StoredColour &colour : palette.colours) {
        Prismora engine;
        colour.apply(engine);
        if (!engine.in_srgb_gamut())
            ++written.clipped;
        const QColor shown = colour.swatch;
        const QString name = oneLine(colour.name);
        // GIMP's own name for a colour nobody named, which reads back as no name.
        rows += QStringLiteral("%1 %2 %3\t%4\n")
                    .arg(shown.red(), 3)
                    .arg(shown.green(), 3)
                    .arg(shown.blue(), 3)
                    .arg(name.isEmpty() ? QStringLiteral("Untitled") : name);
    }
    QString text = QStringLiteral("GIMP Palette\nName: %1\nColumns: %2\n#\n")
                       .arg(oneLine(palette.name))
                       .arg(palette.columns);
    if (written.clipped > 0)
        text += QStringLiteral("# %1 of these colours lay beyond sRGB and are written clipped.\n")
                    .arg(written.clipped);
    written.bytes = (text + rows).toUtf8();
    return written;
}

} // namespace GimpPalette
