// Reads any bytes as a GIMP palette, as CSS custom properties and as a stored colour in JSON.
// For every reader: a palette or a reason, never both, a reason naming its line; a palette holds
// at most PaletteBook::largestPalette colours, each with a swatch; and what was read writes out
// and reads back as the same colours, clipped to the screen for GIMP's format.

#include "csspalette.h"
#include "gimppalette.h"
#include "quietmessages.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "palette property broken: %s\n", what);
    std::abort();
}

void checkRead(const GimpPalette::ReadResult &read)
{
    check(read.palette.has_value() == read.error.isEmpty(), "a palette or a reason");
    if (!read.palette) {
        check(read.error.startsWith(QLatin1String("Line "))
                || read.error.startsWith(QLatin1String("The file is larger")),
            "a reason that names the line");
        return;
    }
    check(read.palette->colours.size() <= PaletteBook::largestPalette, "at most the largest");
    for (const StoredColour &colour : read.palette->colours)
        check(colour.swatch.isValid() && !colour.text.isEmpty(), "a swatch and a text");
}

void checkGimp(const QByteArray &bytes)
{
    const GimpPalette::ReadResult read = GimpPalette::read(bytes);
    checkRead(read);
    if (!read.palette)
        return;
    const GimpPalette::ReadResult again
        = GimpPalette::read(GimpPalette::write(*read.palette).bytes);
    check(again.palette.has_value(), "a written GIMP palette reads back");
    check(again.palette->colours.size() == read.palette->colours.size(), "as many colours");
    for (int i = 0; i < read.palette->colours.size(); ++i)
        check(again.palette->colours.at(i).swatch == read.palette->colours.at(i).swatch,
            "the same swatches");
}

void checkCss(const QByteArray &bytes)
{
    const GimpPalette::ReadResult read = CssPalette::read(bytes);
    checkRead(read);
    if (!read.palette)
        return;
    for (const CssPalette::Notation notation :
        {CssPalette::Notation::Hex, CssPalette::Notation::Oklch, CssPalette::Notation::DisplayP3}) {
        const GimpPalette::ReadResult again
            = CssPalette::read(CssPalette::write(*read.palette, notation).bytes);
        check(again.palette.has_value(), "a written CSS palette reads back");
        check(again.palette->colours.size() == read.palette->colours.size(), "as many colours");
    }
}

void checkJson(const QByteArray &bytes)
{
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    const std::optional<StoredColour> colour = StoredColour::fromJson(object);
    if (!colour)
        return;
    check(colour->swatch.isValid(), "a stored colour's swatch");
    const std::optional<StoredColour> again = StoredColour::fromJson(colour->toJson());
    check(again.has_value() && *again == *colour, "a stored colour reads back as written");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quietMessages);
    return 0;
}

// Qt 5.15's JSON reader leaks the earlier value of a key given twice when that value is an array
// or object; nothing of ours runs inside it, so only that frame is excused. Qt is built without
// frame pointers, so only the slow unwinder sees that frame in an allocation's stack.
extern "C" const char *__asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" const char *__lsan_default_suppressions()
{
    return "leak:QJsonDocument::fromJson\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // QByteArray counts in int; the readers refuse far less than this anyway.
    if (size > (1u << 26))
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    checkGimp(bytes);
    checkCss(bytes);
    checkJson(bytes);
    return 0;
}
