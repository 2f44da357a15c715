#ifndef CONVERSION_H
#define CONVERSION_H

class Prismora;
class QString;

// The engine's colour in every model, as the console prints it: hex, then RGB, CMYK, HSV, HSL,
// XYZ and LAB.
namespace Conversion {

// One line per model: its name in lower case, then its values as the panels show them.
QString text(const Prismora &engine);

// One JSON object on one line, each model's getters in full precision: every number reads back
// as the same double.
QString json(const Prismora &engine);

} // namespace Conversion

#endif // CONVERSION_H
