#include "csslab.h"

#include "colourspaces.h"
#include "prismora.h"

#include <cmath>

namespace CssLab {
namespace {

using ColourSpaces::d50ToD65;
using ColourSpaces::d65ToD50;
using ColourSpaces::multiply;

constexpr Triple d50 {0.3457 / 0.3585, 1, (1 - 0.3457 - 0.3585) / 0.3585};
constexpr Triple d65 {0.3127 / 0.3290, 1, (1 - 0.3127 - 0.3290) / 0.3290};
constexpr double epsilon = 216.0 / 24389.0;
constexpr double kappa = 24389.0 / 27.0;
// As the engine's LAB: rounding leaves greys about 1e-13 from neutral.
constexpr double snap = 1e-9;

// The engine's XYZ of white, from its four-decimal matrix, lies a few 1e-5 off CSS's D65. Scaling
// one white onto the other keeps greys grey and lab(100 0 0) white, not a level short of it.
const Triple &engineWhite()
{
    static const Triple white = [] {
        Prismora engine;
        engine.set_rgb(255, 255, 255);
        return Triple {engine.get_xyz_x(), engine.get_xyz_y(), engine.get_xyz_z()};
    }();
    return white;
}

double forward(double t)
{
    return t > epsilon ? std::cbrt(t) : (kappa * t + 16) / 116;
}

double inverse(double f)
{
    const double cube = f * f * f;
    return cube > epsilon ? cube : (116 * f - 16) / kappa;
}

double snapped(double value)
{
    return std::fabs(value) < snap ? 0.0 : value;
}

} // namespace

Triple toXyz(const Triple &lab)
{
    const double fy = (lab[0] + 16) / 116;
    const Triple relative {inverse(fy + lab[1] / 500),
        lab[0] > kappa * epsilon ? fy * fy * fy : lab[0] / kappa, inverse(fy - lab[2] / 200)};
    const Triple adapted
        = multiply(d50ToD65, {relative[0] * d50[0], relative[1] * d50[1], relative[2] * d50[2]});
    const Triple &white = engineWhite();
    Triple xyz {};
    for (std::size_t i = 0; i < 3; ++i)
        xyz[i] = adapted[i] / d65[i] * white[i];
    return xyz;
}

Triple fromXyz(const Triple &xyz)
{
    const Triple &white = engineWhite();
    const Triple adapted = multiply(d65ToD50,
        {xyz[0] / white[0] * d65[0], xyz[1] / white[1] * d65[1], xyz[2] / white[2] * d65[2]});
    Triple f {};
    for (std::size_t i = 0; i < 3; ++i)
        f[i] = forward(adapted[i] / d50[i]);
    return {116 * f[1] - 16, snapped(500 * (f[0] - f[1])), snapped(200 * (f[1] - f[2]))};
}

} // namespace CssLab
