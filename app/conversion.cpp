#include "conversion.h"

#include "colourmodels.h"
#include "notation.h"
#include "prismora.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace Conversion {
namespace {

void append(std::string &out, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    out.append(bytes.constData(), std::size_t(bytes.size()));
}

void appendJsonNumber(std::string &out, double value)
{
    // JSON has no infinities or NaN.
    if (!std::isfinite(value))
        out += "null";
    else // the shortest text that reads back as the same double; adding zero turns -0 into 0
        append(out, QString::number(value + 0.0, 'g', QLocale::FloatingPointShortest));
}

void appendJsonString(std::string &out, const QString &text)
{
    out += '"';
    const QByteArray bytes = text.toUtf8();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7f) {
            constexpr char digits[] = "0123456789abcdef";
            out += "\\u00";
            out += digits[byte >> 4];
            out += digits[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendHexOf(std::string &out, const ColourSpaces::Triple &levels)
{
    constexpr char digits[] = "0123456789abcdef";
    out += '#';
    for (const double level : levels) {
        const int value = static_cast<int>(std::clamp(level, 0.0, 255.0));
        out += digits[value >> 4];
        out += digits[value & 15];
    }
}

ColourSpaces::Triple levels(const Prismora &engine)
{
    return {engine.get_rgb_r(), engine.get_rgb_g(), engine.get_rgb_b()};
}

// Six significant digits of a number within 1e-4 and 1e5 in size, which QString::number() writes
// without an exponent, rounding halves away from zero; 0 when the number is too near a half for
// the double arithmetic here to tell, or outside that range, for QString::number() to write.
int fixedSixDigits(double value, char *text)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e5))
        return 0;
    // The decimal exponent, by comparison: the logarithm is slower and can miss by one.
    constexpr double bounds[] = {1e4, 1e3, 1e2, 1e1, 1, 1e-1, 1e-2, 1e-3};
    constexpr double scales[] = {1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    int exponent = -4;
    for (int i = 0; i < 8; ++i) {
        if (magnitude >= bounds[i]) {
            exponent = 4 - i;
            break;
        }
    }
    // Six digits before the point; the product is off by at most 1e-10 from the exact one.
    const double scaled = magnitude * scales[4 - exponent];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6)
        return 0;
    auto digits = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (digits >= 1000000) {
        digits /= 10;
        ++exponent;
    }
    char d[6];
    for (int i = 5; i >= 0; --i) {
        d[i] = char('0' + digits % 10);
        digits /= 10;
    }
    int last = 5; // the last digit written; trailing zeros go
    while (last > 0 && d[last] == '0')
        --last;
    char *p = text;
    if (value < 0)
        *p++ = '-';
    if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i)
            *p++ = i <= 5 ? d[i] : '0';
        if (last > exponent) {
            *p++ = '.';
            for (int i = exponent + 1; i <= last; ++i)
                *p++ = d[i];
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        for (int i = -1; i > exponent; --i)
            *p++ = '0';
        for (int i = 0; i <= last; ++i)
            *p++ = d[i];
    }
    return int(p - text);
}

} // namespace

namespace {

// The number at `text`, which has room for 32 bytes; returns the end of what was written.
char *writeNumber(char *text, double value)
{
    value += 0.0; // no "-0"
    if (value == 0) {
        *text = '0';
        return text + 1;
    }
    if (const int length = fixedSixDigits(value, text))
        return text + length;
    // Six digits with an exponent, or inf or nan: a dozen characters at most.
    const QByteArray bytes = Notation::number(value).toLatin1().left(32);
    std::memcpy(text, bytes.constData(), std::size_t(bytes.size()));
    return text + bytes.size();
}

} // namespace

void appendNumber(std::string &out, double value)
{
    char text[32];
    out.append(text, std::size_t(writeNumber(text, value) - text));
}

void appendHex(std::string &out, const Prismora &engine)
{
    appendHexOf(out, levels(engine));
}

const char *gamut(const Prismora &engine)
{
    if (engine.in_srgb_gamut())
        return "srgb";
    if (engine.in_p3_gamut())
        return "display-p3";
    if (engine.in_rec2020_gamut())
        return "rec2020";
    return "beyond";
}

void appendText(std::string &out, const Prismora &engine)
{
    out += "hex ";
    appendHex(out, engine);
    // Each model's line is written in place and appended whole: appending every number and
    // space on its own costs more than writing them.
    char line[16 + 4 * 33];
    for (int index = 0; index < ColourModels::Count; ++index) {
        const ColourModels::Model &model = *ColourModels::model(index);
        char *p = line;
        *p++ = '\n';
        const std::size_t keyLength = std::min<std::size_t>(std::strlen(model.key), 15);
        std::memcpy(p, model.key, keyLength);
        p += keyLength;
        for (int c = 0; c < model.channelCount; ++c) {
            *p++ = ' ';
            p = writeNumber(p, model.channels[c].read(engine));
        }
        out.append(line, std::size_t(p - line));
    }
    out += "\ngamut ";
    out += gamut(engine);
    out += '\n';
}

void appendJson(std::string &out, const Prismora &engine, const QString &input)
{
    // Written by hand: QJsonObject sorts its keys, and the models belong in their usual order.
    out += "{\"input\": ";
    appendJsonString(out, input);
    out += ", \"hex\": \"";
    appendHex(out, engine);
    out += '"';
    for (int index = 0; index < ColourModels::Count; ++index) {
        const ColourModels::Model &model = *ColourModels::model(index);
        out += ", \"";
        out += model.key;
        out += "\": [";
        for (int c = 0; c < model.channelCount; ++c) {
            if (c > 0)
                out += ", ";
            appendJsonNumber(out, model.channels[c].read(engine));
        }
        out += ']';
    }
    out += ", \"srgb_mapped\": \"";
    appendHexOf(out, engine.nearest_srgb());
    out += "\", \"gamut\": \"";
    out += gamut(engine);
    out += "\"}\n";
}

void appendJsonError(std::string &out, const QString &input, const QString &error)
{
    out += "{\"input\": ";
    appendJsonString(out, input);
    out += ", \"error\": ";
    appendJsonString(out, error);
    out += "}\n";
}

} // namespace Conversion
