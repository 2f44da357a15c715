#include "gamutmapping.h"

#include <algorithm>
#include <cmath>

namespace GamutMapping {
namespace {

using ColourSpaces::Space;
using ColourSpaces::Triple;

constexpr double justNoticeable = 0.02;
constexpr double chromaEpsilon = 0.0001;

double deltaEok(const Triple &a, const Triple &b)
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

double clamped(double value)
{
    return std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
}

Triple clamped(const Triple &values)
{
    return {clamped(values[0]), clamped(values[1]), clamped(values[2])};
}

Triple oklabOf(Space space, const Triple &values)
{
    return ColourSpaces::oklabFromXyz(ColourSpaces::toXyz(space, values));
}

} // namespace

Triple nearest(Space destination, const Triple &xyz)
{
    const Triple origin = ColourSpaces::oklabFromXyz(xyz);
    const double lightness = origin[0];
    if (lightness >= 1)
        return {1, 1, 1};
    if (lightness <= 0)
        return {0, 0, 0};
    const Triple inDestination = ColourSpaces::fromXyz(destination, xyz);
    if (ColourSpaces::inGamut(destination, inDestination, edgeTolerance))
        return inDestination;

    Triple clipped = clamped(inDestination);
    if (deltaEok(oklabOf(destination, clipped), origin) < justNoticeable)
        return clipped;

    const double chroma = std::hypot(origin[1], origin[2]);
    // Only a colour with a hue can give up chroma; NaN or infinity has none to give up.
    if (!(chroma > 0 && chroma < HUGE_VAL))
        return clipped;
    const double cosine = origin[1] / chroma;
    const double sine = origin[2] / chroma;
    double low = 0;
    double high = chroma;
    bool lowInGamut = true;
    while (high - low > chromaEpsilon) {
        const double middle = (low + high) / 2;
        const Triple current {lightness, middle * cosine, middle * sine};
        const Triple values
            = ColourSpaces::fromXyz(destination, ColourSpaces::xyzFromOklab(current));
        if (lowInGamut && ColourSpaces::inGamut(destination, values, edgeTolerance)) {
            low = middle;
            continue;
        }
        clipped = clamped(values);
        const double difference = deltaEok(oklabOf(destination, clipped), current);
        if (difference < justNoticeable) {
            if (justNoticeable - difference < chromaEpsilon)
                return clipped;
            lowInGamut = false;
            low = middle;
        } else {
            high = middle;
        }
    }
    return clipped;
}

} // namespace GamutMapping
