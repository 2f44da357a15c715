#include "channeltext.h"

#include <QString>

#include <cmath>

namespace ChannelText {
namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A sign, digits with at most one point and at least one digit, then an exponent with digits:
// what the toolkit's reader turns into a number, overflowing or underflowing ones included.
bool isDecimal(const QString &text)
{
    int i = 0;
    const int size = text.size();
    if (i < size && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    int digits = 0;
    bool point = false;
    for (; i < size; ++i) {
        const QChar c = text.at(i);
        if (isDigit(c))
            ++digits;
        else if (c == QLatin1Char('.') && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (i < size && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < size && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        const int exponentStart = i;
        while (i < size && isDigit(text.at(i)))
            ++i;
        if (i == exponentStart)
            return false;
    }
    return i == size;
}

std::optional<double> cNumber(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    // The toolkit says no to a number beyond double's range but still gives its infinity or 0.
    if (ok || isDecimal(text))
        return value;
    return std::nullopt;
}

} // namespace

std::optional<double> number(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (const std::optional<double> value = cNumber(trimmed))
        return value;
    // Only the separator is the locale's: its digit grouping would read "12,5" as 125 in English.
    const QString separator = locale.decimalPoint();
    if (separator == QLatin1String(".") || !trimmed.contains(separator))
        return std::nullopt;
    QString swapped = trimmed;
    return cNumber(swapped.replace(separator, QStringLiteral(".")));
}

bool accepted(const ColourModels::Channel &channel, const QString &text)
{
    const std::optional<double> value = number(text);
    return value && std::isfinite(*value) && *value >= channel.lowest && *value <= channel.highest;
}

} // namespace ChannelText
