// Reads any bytes as colour text, twice: decoded as UTF-8, and as raw UTF-16 code units with
// lone surrogates and all. For every text: the parser answers with a request or a reason, never
// both; a request's values are finite and within what its setters take; and once applied, every
// copy format of the engine's colour reads back, hex and rgb() to the same whole channels and the
// six-digit formats to within the one unit that truncating getters may lose, where the colour
// read back is one sRGB shows (far beyond it, six digits of XYZ or OKLab move the clipped
// channels by more).

#include "notation.h"
#include "prismora.h"
#include "quietmessages.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void check(bool holds, const char *what, const QString &text)
{
    if (holds)
        return;
    std::fprintf(stderr, "notation property broken: %s, for a text of %d code units\n", what,
        int(text.size()));
    std::abort();
}

bool within(double value, double lowest, double highest)
{
    return value >= lowest && value <= highest;
}

void checkValues(const Notation::Request &request, const QString &text)
{
    const std::array<double, 3> &v = request.values;
    for (const double value : v)
        check(std::isfinite(value), "finite values", text);
    // CSS leaves a, b and chroma unbounded; the parser holds them to a million.
    constexpr double farBeyond = 1e6;
    switch (request.model) {
    case ColourModels::Rgb:
        for (const double value : v)
            check(within(value, 0, 255), "RGB within 0..255", text);
        break;
    case ColourModels::Hsl:
    case ColourModels::Hsv:
        check(v[0] >= 0 && v[0] < 360, "hue within 0..360", text);
        check(within(v[1], 0, 100) && within(v[2], 0, 100), "percentages within 0..100", text);
        break;
    case ColourModels::Xyz:
        break;
    case ColourModels::Oklab:
        check(within(v[0], 0, 100), "OKLab lightness within 0..100", text);
        check(within(v[1], -farBeyond, farBeyond) && within(v[2], -farBeyond, farBeyond),
            "OKLab a and b bounded", text);
        break;
    case ColourModels::Oklch:
        check(within(v[0], 0, 100), "OKLCh lightness within 0..100", text);
        check(within(v[1], 0, farBeyond), "OKLCh chroma bounded", text);
        check(v[2] >= 0 && v[2] < 360, "hue within 0..360", text);
        break;
    default:
        break;
    }
}

void checkText(const QString &text)
{
    const Notation::Result result = Notation::parse(text);
    check(result.request.has_value() == result.error.isEmpty(), "a request or a reason", text);
    if (!result.request)
        return;
    checkValues(*result.request, text);

    Prismora engine;
    Notation::apply(*result.request, engine);
    for (const Notation::CopyFormat &format : Notation::copyFormats()) {
        const QString written = format.format(engine);
        const Notation::Result again = Notation::parse(written);
        check(again.request.has_value(), format.id, text);
        Prismora pasted;
        Notation::apply(*again.request, pasted);
        const bool whole = format.format == &Notation::hex || format.format == &Notation::rgb;
        const double allowed = whole ? 0 : 1;
        check(!pasted.in_srgb_gamut()
                || (std::fabs(pasted.get_rgb_r() - engine.get_rgb_r()) <= allowed
                    && std::fabs(pasted.get_rgb_g() - engine.get_rgb_g()) <= allowed
                    && std::fabs(pasted.get_rgb_b() - engine.get_rgb_b()) <= allowed),
            format.id, text);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quietMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // QString counts in int.
    if (size > (1u << 24))
        return 0;
    checkText(QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)));
    QString units(int(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, size / 2 * 2);
    checkText(units);
    return 0;
}
