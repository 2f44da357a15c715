// Reads any bytes as colour text, twice: decoded as UTF-8, and as raw UTF-16 code units with
// lone surrogates and all. For every text: the parser answers with a request or a reason, never
// both; a request's values are finite and within what its setters take; and once applied, every
// copy format of the engine's colour reads back, hex and rgb() to the same whole channels and the
// six-digit formats to within the one unit that truncating getters may lose, where the colour
// read back is one sRGB shows (far beyond it, six digits of XYZ or OKLab move the clipped
// channels by more).

#include "colourmodels.h"
#include "notation.h"
#include "prismora.h"
#include "quietmessages.h"

#include <QString>

#include <algorithm>
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

void checkWithin(double value, double lowest, double highest, int m, int c, const QString &text)
{
    if (value >= lowest && value <= highest)
        return;
    std::fprintf(stderr,
        "notation property broken: %s channel %d is %.17g, outside %g to %g, for a text of %d code "
        "units\n",
        ColourModels::model(m)->key, c, value, lowest, highest, int(text.size()));
    std::abort();
}

// Every value within what its setter takes in the window, except where CSS reaches further.
void checkValues(const Notation::Request &request, const QString &text)
{
    for (const double value : request.values)
        check(std::isfinite(value), "finite values", text);
    const int m = request.model;
    // lab() and lch() reach the engine's XYZ from D50, with CSS's unbounded a, b and chroma.
    if (m == ColourModels::Xyz)
        return;
    // CSS leaves a, b and chroma unbounded; the parser holds them to a million.
    constexpr double farBeyond = 1e6;
    const ColourModels::Model &model = *ColourModels::model(m);
    for (int c = 0; c < std::min(model.channelCount, int(request.values.size())); ++c) {
        const ColourModels::Channel &channel = model.channels[c];
        const double value = request.values[c];
        // color() keeps Display P3 and Rec. 2020 beyond 0..1, as CSS does.
        if ((m == ColourModels::Oklab && c > 0) || m == ColourModels::DisplayP3
            || m == ColourModels::Rec2020)
            checkWithin(value, -farBeyond, farBeyond, m, c, text);
        else if (m == ColourModels::Oklch && c == 1)
            checkWithin(value, 0, farBeyond, m, c, text);
        else
            checkWithin(value, channel.lowest, channel.highest, m, c, text);
        // A hue, in degrees: the window takes 360, the parser gives it as 0.
        if (channel.highest == 360)
            check(value < 360, "hue below 360", text);
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
        const ColourModels::Model &rgb = *ColourModels::model(ColourModels::Rgb);
        bool same = true;
        for (int c = 0; c < rgb.channelCount; ++c) {
            const ColourModels::Channel &channel = rgb.channels[c];
            same = same && std::fabs(channel.read(pasted) - channel.read(engine)) <= allowed;
        }
        check(!pasted.in_srgb_gamut() || same, format.id, text);
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
