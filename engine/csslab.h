#ifndef CSSLAB_H
#define CSSLAB_H

#include <array>

// CIE L*a*b* as CSS's lab() and lch() mean it: relative to D50, so that a browser shows the same
// colour. The engine's own LAB stays relative to its D65 white; this is only the way between the
// two, by CSS Color 4's Bradford adaptation.
namespace CssLab {

using Triple = std::array<double, 3>;

// The engine's XYZ (white Y = 100) of a D50 L*a*b*.
Triple toXyz(const Triple &lab);

// The D50 L*a*b* of the engine's XYZ; greys read a = b = +0.
Triple fromXyz(const Triple &xyz);

} // namespace CssLab

#endif // CSSLAB_H
