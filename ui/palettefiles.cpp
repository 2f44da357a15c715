#include "palettefiles.h"

#include "csspalette.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace PaletteFiles {

GimpPalette::ReadResult read(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {std::nullopt,
            QCoreApplication::translate("PaletteFiles", "It is a folder, not a file.")};
    if (!info.exists())
        return {
            std::nullopt, QCoreApplication::translate("PaletteFiles", "There is no such file.")};
    // Checked before reading, so that a huge file is never taken into memory.
    if (info.size() > GimpPalette::largestFile)
        return {std::nullopt,
            QCoreApplication::translate("PaletteFiles", "The file is larger than %1 MiB.")
                .arg(GimpPalette::largestFile >> 20)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, file.errorString()};
    const QByteArray bytes = file.read(GimpPalette::largestFile + 1);
    if (info.suffix().compare(QLatin1String("css"), Qt::CaseInsensitive) == 0)
        return CssPalette::read(bytes);
    return GimpPalette::read(bytes);
}

Saved write(const QString &path, const Palette &palette, Format format)
{
    GimpPalette::Written written;
    switch (format) {
    case Format::Gimp:
        written = GimpPalette::write(palette);
        break;
    case Format::CssHex:
        written = CssPalette::write(palette, CssPalette::Notation::Hex);
        break;
    case Format::CssOklch:
        written = CssPalette::write(palette, CssPalette::Notation::Oklch);
        break;
    case Format::CssDisplayP3:
        written = CssPalette::write(palette, CssPalette::Notation::DisplayP3);
        break;
    }
    Saved saved;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(written.bytes) != written.bytes.size()
        || !file.commit()) {
        saved.error = file.errorString();
        return saved;
    }
    saved.clipped = written.clipped;
    saved.written = palette.colours.size();
    return saved;
}

} // namespace PaletteFiles
