#include "csspalette.h"

#include "notation.h"
#include "prismora.h"

#include <QCoreApplication>
#include <QSet>

namespace CssPalette {
namespace {

// A colour's name as a CSS identifier: letters, digits, "-" and "_", the rest made "-".
QString propertyName(const QString &name, int row, QSet<QString> &taken)
{
    QString ident;
    for (const QChar c : name.toLower()) {
        const bool keep = c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-');
        if (keep)
            ident += c;
        else if (!ident.endsWith(QLatin1Char('-')))
            ident += QLatin1Char('-');
    }
    while (ident.startsWith(QLatin1Char('-')))
        ident.remove(0, 1);
    while (ident.endsWith(QLatin1Char('-')))
        ident.chop(1);
    if (ident.isEmpty())
        ident = QStringLiteral("colour-%1").arg(row + 1);
    QString unique = ident;
    for (int suffix = 2; taken.contains(unique); ++suffix)
        unique = QStringLiteral("%1-%2").arg(ident).arg(suffix);
    taken.insert(unique);
    return unique;
}

} // namespace

GimpPalette::Written write(const Palette &palette, Notation notation)
{
    GimpPalette::Written written;
    QString name = palette.name;
    name.replace(QLatin1String("*/"), QLatin1String("* /"));
    QString text = QStringLiteral("/* %1 */\n:root {\n").arg(name);
    QSet<QString> taken;
    for (int row = 0; row < palette.colours.size(); ++row) {
        const StoredColour &colour = palette.colours.at(row);
        Prismora engine;
        colour.apply(engine);
        if (notation == Notation::Hex && !engine.in_srgb_gamut())
            ++written.clipped;
        const QString value = notation == Notation::Hex ? ::Notation::hex(engine)
            : notation == Notation::Oklch               ? ::Notation::oklch(engine)
                                                        : ::Notation::displayP3(engine);
        text += QStringLiteral("  --%1: %2;\n").arg(propertyName(colour.name, row, taken), value);
    }
    text += QStringLiteral("}\n");
    written.bytes = text.toUtf8();
    return written;
}

GimpPalette::ReadResult read(const QByteArray &bytes)
{
    const auto failure = [](int line, const QString &what) {
        return GimpPalette::ReadResult {std::nullopt,
            QCoreApplication::translate("CssPalette", "Line %1: %2").arg(line).arg(what)};
    };
    if (bytes.size() > GimpPalette::largestFile)
        return {std::nullopt,
            QCoreApplication::translate("CssPalette", "The file is larger than %1 MiB.")
                .arg(GimpPalette::largestFile >> 20)};
    if (bytes.contains('\0'))
        return failure(bytes.left(bytes.indexOf('\0')).count('\n') + 1,
            QCoreApplication::translate("CssPalette", "it holds binary data."));
    const std::optional<QString> decoded = GimpPalette::utf8(bytes);
    if (!decoded) {
        int line = 1;
        for (const QByteArray &raw : bytes.split('\n')) {
            if (!GimpPalette::utf8(raw))
                break;
            ++line;
        }
        return failure(line, QCoreApplication::translate("CssPalette", "it is not UTF-8 text."));
    }
    const QString &text = *decoded;
    Palette palette;
    // Declarations end at ";", "{" or "}"; comments may stand anywhere between them.
    QString declaration;
    int line = 1;
    int declarationLine = 1;
    for (int at = 0; at <= text.size(); ++at) {
        const QChar c = at < text.size() ? text.at(at) : QLatin1Char(';');
        if (c == QLatin1Char('/') && at + 1 < text.size() && text.at(at + 1) == QLatin1Char('*')) {
            const int end = text.indexOf(QLatin1String("*/"), at + 2);
            if (end < 0)
                return failure(
                    line, QCoreApplication::translate("CssPalette", "a comment is not closed."));
            line += text.mid(at, end - at).count(QLatin1Char('\n'));
            at = end + 1;
            continue;
        }
        if (c != QLatin1Char(';') && c != QLatin1Char('{') && c != QLatin1Char('}')) {
            if (declaration.trimmed().isEmpty())
                declarationLine = line;
            declaration += c;
            if (c == QLatin1Char('\n'))
                ++line;
            continue;
        }
        const QString trimmed = declaration.trimmed();
        declaration.clear();
        if (c == QLatin1Char('{') || !trimmed.startsWith(QLatin1String("--")))
            continue;
        const int colon = trimmed.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return failure(declarationLine,
                QCoreApplication::translate(
                    "CssPalette", "a custom property is \"--name: colour;\"."));
        QString value = trimmed.mid(colon + 1).trimmed();
        if (value.endsWith(QLatin1String("!important"), Qt::CaseInsensitive))
            value = value.chopped(10).trimmed();
        const ::Notation::Result result = ::Notation::parse(value);
        if (!result.request)
            return failure(declarationLine, result.error);
        if (palette.colours.size() >= PaletteBook::largestPalette)
            return failure(declarationLine,
                QCoreApplication::translate("CssPalette", "a palette holds at most %1 colours.")
                    .arg(PaletteBook::largestPalette));
        StoredColour colour = StoredColour::fromRequest(*result.request);
        colour.name = trimmed.left(colon).mid(2).trimmed();
        palette.colours.append(colour);
    }
    if (palette.colours.isEmpty())
        return failure(1,
            QCoreApplication::translate(
                "CssPalette", "the file holds no custom property with a colour."));
    return {palette, QString()};
}

} // namespace CssPalette
