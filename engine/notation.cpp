#include "notation.h"

#include "colourspaces.h"
#include "csslab.h"
#include "prismora.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace Notation {
namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("Notation", text);
}

// CSS is case-insensitive in ASCII only: the Kelvin sign must not pass for a "k".
char16_t asciiLower(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? static_cast<char16_t>(u - u'A' + u'a') : u;
}

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isLetter(QChar c)
{
    const char16_t u = asciiLower(c);
    return u >= u'a' && u <= u'z';
}

int hexValue(QChar c)
{
    const char16_t u = asciiLower(c);
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// The text lowered to ASCII if it is a short word of ASCII letters, otherwise empty.
std::string shortWord(QStringView text, qsizetype longest)
{
    if (text.size() > longest)
        return {};
    std::string word;
    for (const QChar c : text) {
        if (!isLetter(c))
            return {};
        word += static_cast<char>(asciiLower(c));
    }
    return word;
}

Request rgbRequest(std::uint32_t rgb, bool alpha)
{
    Request request;
    request.values = {double((rgb >> 16) & 0xff), double((rgb >> 8) & 0xff), double(rgb & 0xff)};
    request.alphaIgnored = alpha;
    return request;
}

// #rgb, #rgba, #rrggbb or #rrggbbaa without the #.
std::optional<Request> readHex(QStringView digits)
{
    const qsizetype size = digits.size();
    if (size != 3 && size != 4 && size != 6 && size != 8)
        return std::nullopt;
    const bool pairs = size > 4;
    std::uint32_t rgb = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const int value = hexValue(digits[i]);
        if (value < 0)
            return std::nullopt;
        const qsizetype channel = pairs ? i / 2 : i;
        if (channel < 3)
            rgb = pairs ? (rgb << 4) | std::uint32_t(value)
                        : (rgb << 8) | std::uint32_t(value * 17);
    }
    return rgbRequest(rgb, size == 4 || size == 8);
}

struct NamedColour
{
    std::string_view name;
    std::uint32_t rgb;
};

// CSS Color 4's named colours but transparent, sorted for a binary search.
constexpr NamedColour namedColours[] = {
    {"aliceblue", 0xf0f8ff},
    {"antiquewhite", 0xfaebd7},
    {"aqua", 0x00ffff},
    {"aquamarine", 0x7fffd4},
    {"azure", 0xf0ffff},
    {"beige", 0xf5f5dc},
    {"bisque", 0xffe4c4},
    {"black", 0x000000},
    {"blanchedalmond", 0xffebcd},
    {"blue", 0x0000ff},
    {"blueviolet", 0x8a2be2},
    {"brown", 0xa52a2a},
    {"burlywood", 0xdeb887},
    {"cadetblue", 0x5f9ea0},
    {"chartreuse", 0x7fff00},
    {"chocolate", 0xd2691e},
    {"coral", 0xff7f50},
    {"cornflowerblue", 0x6495ed},
    {"cornsilk", 0xfff8dc},
    {"crimson", 0xdc143c},
    {"cyan", 0x00ffff},
    {"darkblue", 0x00008b},
    {"darkcyan", 0x008b8b},
    {"darkgoldenrod", 0xb8860b},
    {"darkgray", 0xa9a9a9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xa9a9a9},
    {"darkkhaki", 0xbdb76b},
    {"darkmagenta", 0x8b008b},
    {"darkolivegreen", 0x556b2f},
    {"darkorange", 0xff8c00},
    {"darkorchid", 0x9932cc},
    {"darkred", 0x8b0000},
    {"darksalmon", 0xe9967a},
    {"darkseagreen", 0x8fbc8f},
    {"darkslateblue", 0x483d8b},
    {"darkslategray", 0x2f4f4f},
    {"darkslategrey", 0x2f4f4f},
    {"darkturquoise", 0x00ced1},
    {"darkviolet", 0x9400d3},
    {"deeppink", 0xff1493},
    {"deepskyblue", 0x00bfff},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1e90ff},
    {"firebrick", 0xb22222},
    {"floralwhite", 0xfffaf0},
    {"forestgreen", 0x228b22},
    {"fuchsia", 0xff00ff},
    {"gainsboro", 0xdcdcdc},
    {"ghostwhite", 0xf8f8ff},
    {"gold", 0xffd700},
    {"goldenrod", 0xdaa520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xadff2f},
    {"grey", 0x808080},
    {"honeydew", 0xf0fff0},
    {"hotpink", 0xff69b4},
    {"indianred", 0xcd5c5c},
    {"indigo", 0x4b0082},
    {"ivory", 0xfffff0},
    {"khaki", 0xf0e68c},
    {"lavender", 0xe6e6fa},
    {"lavenderblush", 0xfff0f5},
    {"lawngreen", 0x7cfc00},
    {"lemonchiffon", 0xfffacd},
    {"lightblue", 0xadd8e6},
    {"lightcoral", 0xf08080},
    {"lightcyan", 0xe0ffff},
    {"lightgoldenrodyellow", 0xfafad2},
    {"lightgray", 0xd3d3d3},
    {"lightgreen", 0x90ee90},
    {"lightgrey", 0xd3d3d3},
    {"lightpink", 0xffb6c1},
    {"lightsalmon", 0xffa07a},
    {"lightseagreen", 0x20b2aa},
    {"lightskyblue", 0x87cefa},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xb0c4de},
    {"lightyellow", 0xffffe0},
    {"lime", 0x00ff00},
    {"limegreen", 0x32cd32},
    {"linen", 0xfaf0e6},
    {"magenta", 0xff00ff},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66cdaa},
    {"mediumblue", 0x0000cd},
    {"mediumorchid", 0xba55d3},
    {"mediumpurple", 0x9370db},
    {"mediumseagreen", 0x3cb371},
    {"mediumslateblue", 0x7b68ee},
    {"mediumspringgreen", 0x00fa9a},
    {"mediumturquoise", 0x48d1cc},
    {"mediumvioletred", 0xc71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xf5fffa},
    {"mistyrose", 0xffe4e1},
    {"moccasin", 0xffe4b5},
    {"navajowhite", 0xffdead},
    {"navy", 0x000080},
    {"oldlace", 0xfdf5e6},
    {"olive", 0x808000},
    {"olivedrab", 0x6b8e23},
    {"orange", 0xffa500},
    {"orangered", 0xff4500},
    {"orchid", 0xda70d6},
    {"palegoldenrod", 0xeee8aa},
    {"palegreen", 0x98fb98},
    {"paleturquoise", 0xafeeee},
    {"palevioletred", 0xdb7093},
    {"papayawhip", 0xffefd5},
    {"peachpuff", 0xffdab9},
    {"peru", 0xcd853f},
    {"pink", 0xffc0cb},
    {"plum", 0xdda0dd},
    {"powderblue", 0xb0e0e6},
    {"purple", 0x800080},
    {"rebeccapurple", 0x663399},
    {"red", 0xff0000},
    {"rosybrown", 0xbc8f8f},
    {"royalblue", 0x4169e1},
    {"saddlebrown", 0x8b4513},
    {"salmon", 0xfa8072},
    {"sandybrown", 0xf4a460},
    {"seagreen", 0x2e8b57},
    {"seashell", 0xfff5ee},
    {"sienna", 0xa0522d},
    {"silver", 0xc0c0c0},
    {"skyblue", 0x87ceeb},
    {"slateblue", 0x6a5acd},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xfffafa},
    {"springgreen", 0x00ff7f},
    {"steelblue", 0x4682b4},
    {"tan", 0xd2b48c},
    {"teal", 0x008080},
    {"thistle", 0xd8bfd8},
    {"tomato", 0xff6347},
    {"turquoise", 0x40e0d0},
    {"violet", 0xee82ee},
    {"wheat", 0xf5deb3},
    {"white", 0xffffff},
    {"whitesmoke", 0xf5f5f5},
    {"yellow", 0xffff00},
    {"yellowgreen", 0x9acd32},
};

constexpr bool sortedByName()
{
    for (std::size_t i = 1; i < std::size(namedColours); ++i) {
        if (!(namedColours[i - 1].name < namedColours[i].name))
            return false;
    }
    return true;
}
static_assert(std::size(namedColours) == 148, "CSS names 148 colours");
static_assert(sortedByName(), "the binary search needs the names sorted");

constexpr qsizetype longestName = 20; // lightgoldenrodyellow

std::optional<Request> readName(QStringView text)
{
    const std::string word = shortWord(text, longestName);
    const auto found = std::lower_bound(std::begin(namedColours), std::end(namedColours), word,
        [](const NamedColour &entry, const std::string &name) { return entry.name < name; });
    if (word.empty() || found == std::end(namedColours) || found->name != word)
        return std::nullopt;
    return rgbRequest(found->rgb, false);
}

// One argument as written: a number, a percentage, an angle (already in degrees) or none.
struct Component
{
    enum Kind { Number, Percentage, Angle, None } kind = Number;
    double value = 0;
};

// Reads the text between a function's parentheses, one token at a time, without backtracking
// beyond a single character.
class Scanner
{
public:
    explicit Scanner(QStringView text)
        : m_text(text)
    { }

    void skipBlanks()
    {
        while (m_position < m_text.size() && m_text[m_position].isSpace())
            ++m_position;
    }

    bool atEnd() const { return m_position == m_text.size(); }

    bool take(char16_t c)
    {
        if (peek(0) != c)
            return false;
        ++m_position;
        return true;
    }

    // A name such as color()'s colour space, lowered to ASCII; empty if it is none or longer.
    std::string identifier(qsizetype longest)
    {
        if (!isLetter(QChar(peek(0))))
            return {};
        const QStringView name = word();
        if (name.size() > longest)
            return {};
        std::string lowered;
        for (const QChar c : name)
            lowered += static_cast<char>(asciiLower(c));
        return lowered;
    }

    std::optional<Component> component()
    {
        if (isLetter(QChar(peek(0))))
            return shortWord(word(), 4) == "none" ? std::optional(Component {Component::None, 0})
                                                  : std::nullopt;
        const std::optional<double> value = number();
        if (!value)
            return std::nullopt;
        if (take(u'%'))
            return Component {Component::Percentage, *value};
        if (!unitStarts())
            return Component {Component::Number, *value};
        const std::string unit = shortWord(word(), 4);
        double degreesPerUnit = 0;
        if (unit == "deg")
            degreesPerUnit = 1;
        else if (unit == "grad")
            degreesPerUnit = 0.9;
        else if (unit == "rad")
            degreesPerUnit = 180 / 3.14159265358979323846;
        else if (unit == "turn")
            degreesPerUnit = 360;
        else
            return std::nullopt;
        return Component {Component::Angle, finite(*value * degreesPerUnit)};
    }

private:
    char16_t peek(qsizetype ahead) const
    {
        const qsizetype at = m_position + ahead;
        return at < m_text.size() ? m_text[at].unicode() : u'\0';
    }

    bool digitAt(qsizetype ahead) const { return isDigit(QChar(peek(ahead))); }

    // Letters, digits, '-' and '_' after a number make its unit, as CSS tokenises.
    bool unitStarts() const
    {
        const auto identifierStart = [](char16_t c) { return isLetter(QChar(c)) || c == u'_'; };
        return identifierStart(peek(0))
            || (peek(0) == u'-' && (identifierStart(peek(1)) || peek(1) == u'-'));
    }

    QStringView word()
    {
        const qsizetype start = m_position;
        while (isLetter(QChar(peek(0))) || digitAt(0) || peek(0) == u'-' || peek(0) == u'_')
            ++m_position;
        return m_text.mid(start, m_position - start);
    }

    // CSS's number: a sign, digits with an optional fraction or a fraction alone, and an
    // exponent only where digits follow the e.
    std::optional<double> number()
    {
        const qsizetype start = m_position;
        if (peek(0) == u'+' || peek(0) == u'-')
            ++m_position;
        bool digits = false;
        while (digitAt(0)) {
            ++m_position;
            digits = true;
        }
        if (peek(0) == u'.' && digitAt(1)) {
            ++m_position;
            while (digitAt(0))
                ++m_position;
            digits = true;
        }
        if (!digits) {
            m_position = start;
            return std::nullopt;
        }
        if ((peek(0) == u'e' || peek(0) == u'E')
            && (digitAt(1) || ((peek(1) == u'+' || peek(1) == u'-') && digitAt(2)))) {
            m_position += 2;
            while (digitAt(0))
                ++m_position;
        }
        const QStringView text = m_text.mid(start, m_position - start);
        // The syntax is checked, so from_chars reads what toDouble() would, correctly rounded
        // as it is, without building a byte array for each number.
        char ascii[64];
        if (text.size() < qsizetype(sizeof ascii)) {
            const qsizetype skip = text.startsWith(u'+') ? 1 : 0;
            qsizetype length = 0;
            for (qsizetype i = skip; i < text.size(); ++i)
                ascii[length++] = char(text[i].unicode());
            double value = 0;
            const std::from_chars_result read = std::from_chars(ascii, ascii + length, value);
            if (read.ec == std::errc() && read.ptr == ascii + length)
                return value;
        }
        bool ok = false;
        const double value = text.toLatin1().toDouble(&ok);
        // The syntax was checked, so only the range can fail, and Qt versions differ in what they
        // return then: an overflow is held to the largest number, an underflow reads as zero.
        if (ok)
            return value;
        const double largest = text.startsWith(u'-') ? -DBL_MAX : DBL_MAX;
        return magnitude(text) > 0 ? largest : 0.0;
    }

    static double finite(double value)
    {
        if (std::isnan(value))
            return 0;
        return std::clamp(value, -DBL_MAX, DBL_MAX);
    }

    // Roughly where the number's first significant digit stands, as a power of ten; only its
    // sign matters, for numbers too large or too small for a double.
    static long magnitude(QStringView text)
    {
        long exponent = 0;
        const qsizetype e = std::max(text.indexOf(u'e'), text.indexOf(u'E'));
        if (e >= 0) {
            const bool negative = text.at(e + 1) == u'-';
            for (qsizetype i = e + 1; i < text.size(); ++i) {
                if (isDigit(text.at(i)))
                    exponent = std::min(exponent * 10 + (text.at(i).unicode() - u'0'), 1L << 40);
            }
            exponent = negative ? -exponent : exponent;
            text = text.left(e);
        }
        long position = 0;
        bool significant = false;
        bool fraction = false;
        for (const QChar c : text) {
            if (c == u'.') {
                fraction = true;
            } else if (isDigit(c)) {
                significant = significant || c != u'0';
                if (!fraction && significant)
                    ++position;
                else if (fraction && !significant)
                    --position;
            }
        }
        return exponent + std::min(position, 1L << 40);
    }

    QStringView m_text;
    qsizetype m_position = 0;
};

struct Argument
{
    bool hue; // a number of degrees or an angle; otherwise a number or a percentage
    double full; // what 100 % stands for
    bool legacyNumber; // the comma syntax takes a plain number here, not only a percentage
    double unit = 1; // what a plain number 1 stands for
};

struct Function
{
    const char *name;
    const char *alias; // nullptr when there is none
    Argument arguments[3];
    bool commas; // the legacy comma syntax is accepted besides the space syntax
    bool commasAlike; // with commas, all three are numbers or all three percentages
    // Takes the values in the setters' units, with percentages resolved.
    Request (*finish)(std::array<double, 3> values);
    const char *usage; // untranslated
};

double wrapHue(double degrees)
{
    double hue = std::fmod(degrees, 360.0);
    if (hue < 0)
        hue += 360;
    // A tiny negative hue rounds up to 360 itself; adding zero turns -0 into 0.
    return hue >= 360 ? 0.0 : hue + 0.0;
}

constexpr double radiansPerDegree = 3.14159265358979323846 / 180;
// CSS sets no bound on a, b and chroma; a million lies far beyond every visible colour and keeps
// the cubes on the way to RGB finite.
constexpr double farBeyond = 1e6;

double lightness(double percent)
{
    return std::clamp(percent, 0.0, 100.0);
}

double axis(double value)
{
    return std::clamp(value, -farBeyond, farBeyond);
}

double chroma(double value)
{
    return std::clamp(value, 0.0, farBeyond);
}

// lab() and lch() are relative to D50 and reach the engine through its XYZ.
Request xyzRequest(const CssLab::Triple &lab)
{
    Request request;
    request.model = ColourModels::Xyz;
    request.values = CssLab::toXyz(lab);
    return request;
}

Request finishRgb(std::array<double, 3> values)
{
    Request request;
    for (double &value : values)
        value = std::clamp(value, 0.0, 255.0);
    request.values = values;
    return request;
}

Request finishHsl(std::array<double, 3> values)
{
    Request request;
    request.model = ColourModels::Hsl;
    request.values = {
        wrapHue(values[0]), std::clamp(values[1], 0.0, 100.0), std::clamp(values[2], 0.0, 100.0)};
    return request;
}

Request finishHwb(std::array<double, 3> values)
{
    double white = std::clamp(values[1], 0.0, 100.0);
    double black = std::clamp(values[2], 0.0, 100.0);
    Request request;
    request.model = ColourModels::Hsv;
    // From 100 % together on, they make the grey of their proportion, with no saturation at all:
    // the quotient below would leave a residue of its last bits.
    if (white + black >= 100) {
        request.values = {wrapHue(values[0]), 0.0, white / (white + black) * 100};
        return request;
    }
    // V = 1 - B and S = 1 - W / V, in percent.
    const double value = 100 - black;
    const double saturation = value == 0 ? 0.0 : std::clamp(100 - 100 * white / value, 0.0, 100.0);
    request.values = {wrapHue(values[0]), saturation, value};
    return request;
}

Request finishLab(std::array<double, 3> values)
{
    return xyzRequest({lightness(values[0]), axis(values[1]), axis(values[2])});
}

Request finishLch(std::array<double, 3> values)
{
    const double c = chroma(values[1]);
    const double h = wrapHue(values[2]) * radiansPerDegree;
    return xyzRequest({lightness(values[0]), c * std::cos(h), c * std::sin(h)});
}

Request finishOklab(std::array<double, 3> values)
{
    Request request;
    request.model = ColourModels::Oklab;
    request.values = {lightness(values[0]), axis(values[1]), axis(values[2])};
    return request;
}

Request finishOklch(std::array<double, 3> values)
{
    Request request;
    request.model = ColourModels::Oklch;
    request.values = {lightness(values[0]), chroma(values[1]), wrapHue(values[2])};
    return request;
}

// One row per function; a later notation is one more row and its finish function.
const Function functions[] = {
    {"rgb", "rgba", {{false, 255, true}, {false, 255, true}, {false, 255, true}}, true, true,
        finishRgb,
        QT_TRANSLATE_NOOP("Notation",
            "rgb() takes three numbers from 0 to 255 or three percentages, as in "
            "rgb(63, 160, 220) or rgb(63 160 220 / 50%).")},
    {"hsl", "hsla", {{true, 0, true}, {false, 100, false}, {false, 100, false}}, true, false,
        finishHsl,
        QT_TRANSLATE_NOOP("Notation",
            "hsl() takes a hue, a saturation and a lightness, as in hsl(203, 70%, 55%) or "
            "hsl(203deg 70% 55%).")},
    {"hwb", nullptr, {{true, 0, false}, {false, 100, false}, {false, 100, false}}, false, false,
        finishHwb,
        QT_TRANSLATE_NOOP("Notation",
            "hwb() takes a hue, a whiteness and a blackness separated by spaces, as in "
            "hwb(203 25% 14%).")},
    {"lab", nullptr, {{false, 100, false}, {false, 125, false}, {false, 125, false}}, false, false,
        finishLab,
        QT_TRANSLATE_NOOP("Notation",
            "lab() takes a lightness and the a and b axes separated by spaces, as in "
            "lab(62.2 -14.3 -39.4).")},
    {"lch", nullptr, {{false, 100, false}, {false, 150, false}, {true, 0, false}}, false, false,
        finishLch,
        QT_TRANSLATE_NOOP("Notation",
            "lch() takes a lightness, a chroma and a hue separated by spaces, as in "
            "lch(62.2 41.9 250).")},
    // The engine holds OKLab's lightness in percent: CSS's 1 is 100.
    {"oklab", nullptr, {{false, 100, false, 100}, {false, 0.4, false}, {false, 0.4, false}}, false,
        false, finishOklab,
        QT_TRANSLATE_NOOP("Notation",
            "oklab() takes a lightness and the a and b axes separated by spaces, as in "
            "oklab(67.5% -0.063 -0.109).")},
    {"oklch", nullptr, {{false, 100, false, 100}, {false, 0.4, false}, {true, 0, false}}, false,
        false, finishOklch,
        QT_TRANSLATE_NOOP("Notation",
            "oklch() takes a lightness, a chroma and a hue separated by spaces, as in "
            "oklch(67.5% 0.126 240).")},
};

// Longer words are not echoed back in the reason.
constexpr qsizetype longestFunctionName = 16;

const Function *findFunction(const std::string &name)
{
    for (const Function &function : functions) {
        if (name == function.name || (function.alias && name == function.alias))
            return &function;
    }
    return nullptr;
}

QString functionNames()
{
    QStringList names;
    for (const Function &function : functions) {
        names << QLatin1String(function.name) + QStringLiteral("()");
        if (function.alias)
            names << QLatin1String(function.alias) + QStringLiteral("()");
    }
    names << QStringLiteral("color()");
    return names.join(QStringLiteral(", "));
}

bool accepts(const Argument &argument, Component::Kind kind, bool commas)
{
    switch (kind) {
    case Component::Number:
        return argument.hue || !commas || argument.legacyNumber;
    case Component::Percentage:
        return !argument.hue;
    case Component::Angle:
        return argument.hue;
    case Component::None:
        return !commas;
    }
    return false;
}

double valueOf(const Argument &argument, const Component &component)
{
    switch (component.kind) {
    case Component::Percentage:
        // On a percent scale the number given is kept as it is, not rescaled.
        return argument.full == 100 ? component.value : component.value * argument.full / 100;
    case Component::None:
        return 0;
    case Component::Number:
        return component.value * argument.unit;
    case Component::Angle:
        break;
    }
    return component.value;
}

// What may follow a function's channels: an alpha, after a comma in the comma syntax or a slash
// in the space syntax, then the end. Whether an alpha was there, or nothing when the text goes on.
std::optional<bool> alphaAndEnd(Scanner &scanner, bool commas)
{
    scanner.skipBlanks();
    bool alpha = false;
    if (scanner.take(commas ? u',' : u'/')) {
        scanner.skipBlanks();
        const std::optional<Component> component = scanner.component();
        if (!component || component->kind == Component::Angle
            || (commas && component->kind == Component::None)) {
            return std::nullopt;
        }
        alpha = true;
        scanner.skipBlanks();
    }
    if (!scanner.atEnd())
        return std::nullopt;
    return alpha;
}

// The text between the parentheses, in the space syntax or, where the function has one, the
// comma syntax.
std::optional<Request> readArguments(QStringView text, const Function &function)
{
    Scanner scanner(text);
    std::array<Component, 3> components;
    bool commas = false;
    for (std::size_t i = 0; i < components.size(); ++i) {
        scanner.skipBlanks();
        if (i == 1)
            commas = function.commas && scanner.take(u',');
        else if (i == 2 && commas && !scanner.take(u','))
            return std::nullopt;
        if (commas)
            scanner.skipBlanks();
        const std::optional<Component> component = scanner.component();
        if (!component || !accepts(function.arguments[i], component->kind, commas))
            return std::nullopt;
        components[i] = *component;
    }
    // The comma syntax is CSS's legacy one, which has no none, not even in the first place.
    if (commas && std::any_of(components.begin(), components.end(), [](const Component &c) {
            return c.kind == Component::None;
        })) {
        return std::nullopt;
    }
    if (commas && function.commasAlike
        && !(
            components[0].kind == components[1].kind && components[1].kind == components[2].kind)) {
        return std::nullopt;
    }

    const std::optional<bool> alpha = alphaAndEnd(scanner, commas);
    if (!alpha)
        return std::nullopt;

    std::array<double, 3> values {};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = valueOf(function.arguments[i], components[i]);
    Request request = function.finish(values);
    request.alphaIgnored = *alpha;
    return request;
}

const char *const colourFunctionUsage = QT_TRANSLATE_NOOP("Notation",
    "color() takes a colour space and three numbers or percentages separated by spaces, as in "
    "color(display-p3 0.25 0.62 0.85). Its spaces are srgb, srgb-linear, display-p3, a98-rgb, "
    "prophoto-rgb, rec2020, xyz, xyz-d50 and xyz-d65.");

// prophoto-rgb
constexpr qsizetype longestSpaceName = 12;

// color() keeps its values as given, beyond 0..1 too. sRGB within its gamut is set as rgb()
// sets it, Display P3 and Rec. 2020 as their own models, and every other space as Display P3,
// which holds any colour unclipped.
Request colourSpaceRequest(ColourSpaces::Space space, const ColourSpaces::Triple &values)
{
    using ColourSpaces::Space;
    Request request;
    request.values = values;
    if (space == Space::Srgb
        && std::all_of(values.begin(), values.end(), [](double v) { return v >= 0 && v <= 1; })) {
        for (double &value : request.values)
            value = value * 255 + 0.0;
        return request;
    }
    if (space == Space::Rec2020) {
        request.model = ColourModels::Rec2020;
        return request;
    }
    request.model = ColourModels::DisplayP3;
    if (space != Space::DisplayP3) {
        request.values
            = ColourSpaces::fromXyz(Space::DisplayP3, ColourSpaces::toXyz(space, values));
        for (double &value : request.values)
            value = axis(value);
    }
    return request;
}

// color()'s arguments: a colour space, then three numbers or percentages (100 % being 1).
std::optional<Request> readColourFunction(QStringView text)
{
    Scanner scanner(text);
    scanner.skipBlanks();
    const std::optional<ColourSpaces::Space> space
        = ColourSpaces::fromName(scanner.identifier(longestSpaceName));
    if (!space)
        return std::nullopt;
    ColourSpaces::Triple values {};
    for (double &value : values) {
        scanner.skipBlanks();
        const std::optional<Component> component = scanner.component();
        if (!component || component->kind == Component::Angle)
            return std::nullopt;
        // none reads as 0.
        value = axis(
            component->kind == Component::Percentage ? component->value / 100 : component->value);
    }
    const std::optional<bool> alpha = alphaAndEnd(scanner, false);
    if (!alpha)
        return std::nullopt;
    Request request = colourSpaceRequest(*space, values);
    request.alphaIgnored = *alpha;
    return request;
}

Result refused(const QString &reason)
{
    return {std::nullopt, reason};
}

QString generalReason()
{
    return translated(QT_TRANSLATE_NOOP("Notation",
                          "Not a colour. Use a hex colour (#rgb or #rrggbb, alpha allowed, the # "
                          "optional for 6 or 8 digits), a CSS colour name, or one of %1."))
        .arg(functionNames());
}

Result readFunction(QStringView text, qsizetype open)
{
    const std::string name = shortWord(text.left(open), longestFunctionName);
    // color() begins with a colour space, which no row of the table can say.
    const bool colourFunction = name == "color";
    const Function *function = colourFunction ? nullptr : findFunction(name);
    if (!colourFunction && !function) {
        if (name.empty())
            return refused(generalReason());
        return refused(translated(QT_TRANSLATE_NOOP("Notation",
                                      "%1() is not a notation "
                                      "Prismora reads. Use %2."))
                           .arg(QString::fromLatin1(name.c_str()), functionNames()));
    }
    std::optional<Request> request;
    if (text.back() == u')') {
        const QStringView arguments = text.mid(open + 1, text.size() - open - 2);
        request
            = colourFunction ? readColourFunction(arguments) : readArguments(arguments, *function);
    }
    if (!request)
        return refused(translated(colourFunction ? colourFunctionUsage : function->usage));
    return {request, QString()};
}

QString hexByte(double channel)
{
    const int value = static_cast<int>(std::clamp(channel, 0.0, 255.0));
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0'));
}

QString whole(double channel)
{
    return QString::number(static_cast<int>(std::clamp(channel, 0.0, 255.0)));
}

} // namespace

Result parse(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.isEmpty())
        return refused(generalReason());

    if (trimmed.front() == u'#') {
        if (const std::optional<Request> request = readHex(trimmed.mid(1)))
            return {request, QString()};
        return refused(translated(QT_TRANSLATE_NOOP(
            "Notation", "A hex colour has 3, 4, 6 or 8 hex digits after the #.")));
    }
    // Hex as people paste it, without the #; three or four digits alone are too easily a typo.
    if (trimmed.size() == 6 || trimmed.size() == 8) {
        if (const std::optional<Request> request = readHex(trimmed))
            return {request, QString()};
    }

    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (trimmed[i] == u'(')
            return readFunction(trimmed, i);
    }

    if (const std::optional<Request> request = readName(trimmed))
        return {request, QString()};
    if (shortWord(trimmed, longestName) == "transparent") {
        return refused(translated(QT_TRANSLATE_NOOP(
            "Notation", "Transparent is not accepted: Prismora has no transparency.")));
    }
    return refused(generalReason());
}

QStringList readableNotations()
{
    QStringList sentences {
        translated(QT_TRANSLATE_NOOP("Notation",
            "A hex colour has 3, 4, 6 or 8 hex digits, as in #3fa0dc; the # is optional for 6 or "
            "8. An alpha is read and ignored.")),
        translated(QT_TRANSLATE_NOOP(
            "Notation", "A CSS colour name, as in navy or rebeccapurple, in any case.")),
    };
    for (const Function &function : functions)
        sentences.append(translated(function.usage));
    sentences.append(translated(colourFunctionUsage));
    return sentences;
}

void apply(const Request &request, Prismora &engine)
{
    const ColourModels::Model &model = *ColourModels::model(request.model);
    for (int channel = 0; channel < 3; ++channel)
        model.channels[channel].write(engine, request.values[static_cast<std::size_t>(channel)]);
}

QString alphaIgnoredMessage()
{
    return translated(QT_TRANSLATE_NOOP(
        "Notation", "The alpha value was ignored: Prismora has no transparency."));
}

QString hex(const Prismora &engine)
{
    return hexOf({engine.get_rgb_r(), engine.get_rgb_g(), engine.get_rgb_b()});
}

QString rgb(const Prismora &engine)
{
    return rgbOf({engine.get_rgb_r(), engine.get_rgb_g(), engine.get_rgb_b()});
}

QString hexOf(const std::array<double, 3> &levels)
{
    return QLatin1Char('#') + hexByte(levels[0]) + hexByte(levels[1]) + hexByte(levels[2]);
}

QString rgbOf(const std::array<double, 3> &levels)
{
    return QStringLiteral("rgb(%1, %2, %3)")
        .arg(whole(levels[0]), whole(levels[1]), whole(levels[2]));
}

namespace {

using Triple = std::array<double, 3>;

// A copy's form: its text with three numbers, where they come from, and whether a colour beyond
// sRGB is written as set (and so must come back as set) rather than as the screen shows it.
struct Written
{
    const char *pattern;
    Triple (*values)(const Prismora &engine);
    bool wide;
    int hue; // the index of the hue, compared round the circle; -1 for none
    // For the forms written from the colour as set (XYZ, OKLab, Display P3, Rec. 2020): the same
    // values of an unrounded sRGB colour (0..255).
    Triple (*fromRgb)(const Triple &rgb) = nullptr;
};

constexpr int mostDigits = 10;

// Significant digits without an exponent: CSS reads both, people read this one.
QString plain(double value, int digits)
{
    value += 0.0; // no "-0"
    const QString text = QString::number(value, 'g', digits);
    const int e = text.indexOf(QLatin1Char('e'));
    if (e < 0)
        return text;
    const int exponent = QStringView(text).mid(e + 1).toInt();
    QString fixed = QString::number(text.toDouble(), 'f', std::max(0, digits - 1 - exponent));
    if (fixed.contains(QLatin1Char('.'))) {
        while (fixed.endsWith(QLatin1Char('0')))
            fixed.chop(1);
        if (fixed.endsWith(QLatin1Char('.')))
            fixed.chop(1);
    }
    return fixed;
}

using Digits = std::array<int, 3>;

QString write(const Written &form, const Triple &values, const Digits &digits)
{
    return QString::fromLatin1(form.pattern)
        .arg(plain(values[0], digits[0]), plain(values[1], digits[1]), plain(values[2], digits[2]));
}

// The HSL setters trace every call; a copy's trial paste is no call of the user's.
class TraceSilenced
{
public:
    TraceSilenced()
        : category(QLoggingCategory::defaultCategory())
        , wasEnabled(category->isDebugEnabled())
    {
        category->setEnabled(QtDebugMsg, false);
    }
    ~TraceSilenced() { category->setEnabled(QtDebugMsg, wasEnabled); }
    TraceSilenced(const TraceSilenced &) = delete;
    TraceSilenced &operator=(const TraceSilenced &) = delete;

private:
    QLoggingCategory *category;
    bool wasEnabled;
};

bool close(double got, double wanted, bool hue)
{
    double difference = std::fabs(got - wanted);
    if (hue) {
        difference = std::fmod(difference, 360.0);
        difference = std::min(difference, 360 - difference);
    }
    // A hue is relative to the full turn, the others to themselves (or 1, near 0).
    return difference <= 1e-6 * (hue ? 360.0 : std::max(1.0, std::fabs(wanted)));
}

// Pasted back, the text gives the same colour: the same whole RGB levels, and for a colour beyond
// sRGB in a form that keeps it, the same values within 1e-6 relative.
bool readsBack(
    const Prismora &engine, const QString &text, const Written &form, const Triple &wanted)
{
    const Result result = parse(text);
    if (!result.request)
        return false;
    Prismora pasted = engine;
    {
        const TraceSilenced quiet;
        apply(*result.request, pasted);
    }
    if (form.wide && !engine.in_srgb_gamut()) {
        const Triple got = form.values(pasted);
        for (int i = 0; i < 3; ++i) {
            if (!close(got[static_cast<std::size_t>(i)], wanted[static_cast<std::size_t>(i)],
                    i == form.hue))
                return false;
        }
    }
    // A colour within sRGB stays within: one just beyond would clip to the same levels, yet no
    // longer be the colour copied.
    return pasted.get_rgb_r() == engine.get_rgb_r() && pasted.get_rgb_g() == engine.get_rgb_g()
        && pasted.get_rgb_b() == engine.get_rgb_b()
        && (pasted.in_srgb_gamut() || !engine.in_srgb_gamut());
}

// The fewest significant digits, up to mostDigits, with which the three values paste back to the
// engine's colour; then each value on its own with fewer still, where the colour stays the same.
std::optional<QString> fewestDigits(
    const Prismora &engine, const Written &form, const Triple &values)
{
    const auto readBack = [&](const Digits &digits) {
        return readsBack(engine, write(form, values, digits), form, values);
    };
    int fewest = 1;
    while (fewest <= mostDigits && !readBack({fewest, fewest, fewest}))
        ++fewest;
    if (fewest > mostDigits)
        return std::nullopt;
    Digits digits {fewest, fewest, fewest};
    for (int &d : digits) {
        while (d > 1) {
            --d;
            if (!readBack(digits)) {
                ++d;
                break;
            }
        }
    }
    return write(form, values, digits);
}

// Where the engine's conversions lose more than rounding noise on the way back (HSV's single
// precision, the four-decimal XYZ matrices), the colour's values moved by one in their last
// digit, the fewest digits first, until the text comes back as the colour.
QString nudged(const Prismora &engine, const Written &form, const Triple &values)
{
    for (int digits = 2; digits <= mostDigits; ++digits) {
        for (int offsets = 0; offsets < 27; ++offsets) {
            Triple moved = values;
            int code = offsets;
            for (double &value : moved) {
                const int offset = code % 3 - 1;
                code /= 3;
                const double magnitude = value == 0 ? 0 : std::floor(std::log10(std::fabs(value)));
                value += offset * std::pow(10.0, magnitude - digits + 1);
            }
            const QString text = write(form, moved, {digits, digits, digits});
            if (readsBack(engine, text, form, values))
                return text;
        }
    }
    return write(form, values, {mostDigits, mostDigits, mostDigits});
}

// The RGB the engine holds unrounded, read back through CMYK, which it computes from it.
Triple heldLevels(const Prismora &engine)
{
    const double keep = 1 - engine.get_cmyk_k() / 100;
    return {255 * (1 - engine.get_cmyk_c() / 100) * keep,
        255 * (1 - engine.get_cmyk_m() / 100) * keep, 255 * (1 - engine.get_cmyk_y() / 100) * keep};
}

// The engine takes XYZ back to RGB with four-decimal matrices that are not quite the inverse of
// the ones it took RGB to XYZ with, and a dark channel next to bright ones amplifies any error,
// so a colour's own lab(), lch(), oklab() or oklch() may land a level off. Aimed
// instead at the middle of its levels, a few steps of Newton's method (with the exact sRGB
// conversion standing in for the engine's) find values that land on them.
std::optional<QString> aimed(const Prismora &engine, const Written &form, const Triple &values)
{
    if (!form.fromRgb || !engine.in_srgb_gamut())
        return std::nullopt;
    const bool truncated = engine.rgb_rounding() == Prismora::RgbRounding::Truncate;
    const Triple levels {engine.get_rgb_r(), engine.get_rgb_g(), engine.get_rgb_b()};
    Triple aim {};
    for (std::size_t i = 0; i < 3; ++i) {
        // Truncated, a level reaches from itself to the next, and 0 down to -0.5, short of where
        // a colour counts as beyond sRGB.
        aim[i] = !truncated ? levels[i] : levels[i] == 0 ? 0.25 : std::min(levels[i] + 0.5, 255.0);
    }
    Triple guess = values;
    for (int step = 0; step < 4; ++step) {
        Prismora pasted = engine;
        if (const auto request = parse(write(form, guess, {17, 17, 17})).request) {
            const TraceSilenced quiet;
            apply(*request, pasted);
        }
        const Triple held = heldLevels(pasted);
        const Triple before = form.fromRgb(held);
        const Triple after = form.fromRgb(aim);
        for (std::size_t i = 0; i < 3; ++i) {
            double change = after[i] - before[i];
            if (int(i) == form.hue)
                change = std::remainder(change, 360.0);
            guess[i] += change;
        }
    }
    return fewestDigits(engine, form, guess);
}

// A copy in the fewest digits that pastes back as the colour: its own values when they come
// back, else values aimed at its levels, else its values nudged.
QString shortest(const Prismora &engine, const Written &form)
{
    const Triple values = form.values(engine);
    if (const std::optional<QString> text = fewestDigits(engine, form, values))
        return *text;
    if (const std::optional<QString> text = aimed(engine, form, values))
        return *text;
    return nudged(engine, form, values);
}

Triple cssLab(const Prismora &engine)
{
    return CssLab::fromXyz({engine.get_xyz_x(), engine.get_xyz_y(), engine.get_xyz_z()});
}

const Written hslForm {"hsl(%1 %2% %3%)",
    [](const Prismora &e) -> Triple {
        return {e.get_hsl_h(), e.get_hsl_s(), e.get_hsl_l()};
    },
    false, 0};
const Written hwbForm {"hwb(%1 %2% %3%)",
    [](const Prismora &e) -> Triple {
        const double saturation = double(e.get_hsv_s()) / 100;
        const double value = double(e.get_hsv_v()) / 100;
        return {double(e.get_hsv_h()), (1 - saturation) * value * 100, (1 - value) * 100};
    },
    false, 0};
// XYZ (white Y = 1) of an unrounded sRGB colour on the 0..255 scale.
Triple xyzOfRgb(const Triple &rgb)
{
    Triple linear {};
    for (std::size_t i = 0; i < 3; ++i) {
        const double v = rgb[i] / 255;
        linear[i] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    }
    return ColourSpaces::multiply(ColourSpaces::linearSrgbToXyz, linear);
}

Triple labOfRgb(const Triple &rgb)
{
    Triple xyz = xyzOfRgb(rgb);
    for (double &v : xyz)
        v *= 100;
    return CssLab::fromXyz(xyz);
}

Triple lchOfLab(const Triple &lab)
{
    // Greys, whose a and b are +0, read hue 0.
    return {
        lab[0], std::hypot(lab[1], lab[2]), wrapHue(std::atan2(lab[2], lab[1]) / radiansPerDegree)};
}

const Written labForm {"lab(%1 %2 %3)", &cssLab, true, -1, &labOfRgb};
const Written lchForm {"lch(%1 %2 %3)", [](const Prismora &e) { return lchOfLab(cssLab(e)); }, true,
    2, [](const Triple &rgb) { return lchOfLab(labOfRgb(rgb)); }};
// OKLab with L in percent, as oklab() writes it.
Triple oklabOfRgb(const Triple &rgb)
{
    Triple lab = ColourSpaces::oklabFromXyz(xyzOfRgb(rgb));
    lab[0] *= 100;
    return lab;
}

const Written oklabForm {"oklab(%1% %2 %3)",
    [](const Prismora &e) -> Triple {
        return {e.get_oklab_l(), e.get_oklab_a(), e.get_oklab_b()};
    },
    true, -1, &oklabOfRgb};
const Written oklchForm {"oklch(%1% %2 %3)",
    [](const Prismora &e) -> Triple {
        return {e.get_oklch_l(), e.get_oklch_c(), e.get_oklch_h()};
    },
    true, 2,
    [](const Triple &rgb) -> Triple {
        const Triple lab = oklabOfRgb(rgb);
        return {lab[0], std::hypot(lab[1], lab[2]),
            wrapHue(std::atan2(lab[2], lab[1]) / radiansPerDegree)};
    }};
const Written displayP3Form {"color(display-p3 %1 %2 %3)",
    [](const Prismora &e) -> Triple {
        return {e.get_p3_r(), e.get_p3_g(), e.get_p3_b()};
    },
    true, -1,
    [](const Triple &rgb) {
        return ColourSpaces::fromXyz(ColourSpaces::Space::DisplayP3, xyzOfRgb(rgb));
    }};
const Written rec2020Form {"color(rec2020 %1 %2 %3)",
    [](const Prismora &e) -> Triple {
        return {e.get_rec2020_r(), e.get_rec2020_g(), e.get_rec2020_b()};
    },
    true, -1,
    [](const Triple &rgb) {
        return ColourSpaces::fromXyz(ColourSpaces::Space::Rec2020, xyzOfRgb(rgb));
    }};

} // namespace

QString hsl(const Prismora &engine)
{
    return shortest(engine, hslForm);
}

QString hwb(const Prismora &engine)
{
    return shortest(engine, hwbForm);
}

QString lab(const Prismora &engine)
{
    return shortest(engine, labForm);
}

QString lch(const Prismora &engine)
{
    return shortest(engine, lchForm);
}

QString oklab(const Prismora &engine)
{
    return shortest(engine, oklabForm);
}

QString oklch(const Prismora &engine)
{
    return shortest(engine, oklchForm);
}

QString displayP3(const Prismora &engine)
{
    return shortest(engine, displayP3Form);
}

QString rec2020(const Prismora &engine)
{
    return shortest(engine, rec2020Form);
}

QString number(double value)
{
    // Adding zero turns -0 into 0.
    return QString::number(value + 0.0, 'g', 6);
}

QString CopyFormat::title() const
{
    return translated(label);
}

const std::vector<CopyFormat> &copyFormats()
{
    static const std::vector<CopyFormat> formats = {
        {"hex", QT_TRANSLATE_NOOP("Notation", "Hex"), &hex},
        {"rgb", QT_TRANSLATE_NOOP("Notation", "RGB"), &rgb},
        {"hsl", QT_TRANSLATE_NOOP("Notation", "HSL"), &hsl},
        {"hwb", QT_TRANSLATE_NOOP("Notation", "HWB"), &hwb},
        {"lab", QT_TRANSLATE_NOOP("Notation", "Lab"), &lab},
        {"lch", QT_TRANSLATE_NOOP("Notation", "LCh"), &lch},
        {"oklab", QT_TRANSLATE_NOOP("Notation", "OKLab"), &oklab},
        {"oklch", QT_TRANSLATE_NOOP("Notation", "OKLCh"), &oklch},
        {"p3", QT_TRANSLATE_NOOP("Notation", "Display P3"), &displayP3},
        {"rec2020", QT_TRANSLATE_NOOP("Notation", "Rec. 2020"), &rec2020},
    };
    return formats;
}

} // namespace Notation
