#ifndef GAMUTMAPPING_H
#define GAMUTMAPPING_H

#include "colourspaces.h"

// CSS Color 4's gamut mapping: the nearest colour an RGB space can show, keeping the OKLCh
// lightness and hue of the origin and giving up only chroma, until clipping what is left moves
// the colour by less than a just-noticeable difference.
namespace GamutMapping {

// What CSS treats as inside at the edge, of full scale per channel.
constexpr double edgeTolerance = 0.000075;

// The destination's values (0..1, give or take the tolerance) of an XYZ (D65, Y = 1) colour.
ColourSpaces::Triple nearest(ColourSpaces::Space destination, const ColourSpaces::Triple &xyz);

} // namespace GamutMapping

#endif // GAMUTMAPPING_H
