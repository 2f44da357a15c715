#ifndef COLOURSPACES_H
#define COLOURSPACES_H

#include <array>
#include <optional>
#include <string_view>

// The predefined colour spaces of CSS Color 4, as color() names them, and OKLab, in their 64-bit
// forms. Everything meets in XYZ relative to D65 with white at Y = 1 (the engine's XYZ is on the
// Y = 100 scale of its own white).
namespace ColourSpaces {

using Triple = std::array<double, 3>;
using Matrix = std::array<Triple, 3>;

enum class Space { Srgb, SrgbLinear, DisplayP3, A98Rgb, ProphotoRgb, Rec2020, XyzD65, XyzD50 };

// The space color() names so ("xyz" is "xyz-d65"); the name must be in lower case.
std::optional<Space> fromName(std::string_view name);
// The name color() writes.
const char *name(Space space);

// XYZ (D65, Y = 1) of the space's values, 1 being full; values beyond 0..1 are carried through.
Triple toXyz(Space space, const Triple &values);
Triple fromXyz(Space space, const Triple &xyz);

// Whether every channel lies within 0..1 give or take tolerance; the XYZ spaces hold every colour.
bool inGamut(Space space, const Triple &values, double tolerance);

Triple multiply(const Matrix &m, const Triple &v);

// OKLab with L 0..1, and back.
Triple oklabFromXyz(const Triple &xyz);
Triple xyzFromOklab(const Triple &oklab);

// Linear sRGB and XYZ (D65) by CSS's exact rationals; Bradford adaptation between D65 and D50.
extern const Matrix linearSrgbToXyz;
extern const Matrix xyzToLinearSrgb;
extern const Matrix d65ToD50;
extern const Matrix d50ToD65;

} // namespace ColourSpaces

#endif // COLOURSPACES_H
