#ifndef CHANNELTEXT_H
#define CHANNELTEXT_H

#include "colourmodels.h"

#include <QLocale>

#include <optional>

class QString;

// What a channel edit's text says as a number, read in the C locale and, where it differs, with
// the user's decimal separator too. A text that is no number yet (empty, "-", ".", "1e", letters)
// has none; one beyond double's range is still a number (an infinity or 0), as are nan and inf,
// so that the window refuses them as out of range instead of ignoring them.
namespace ChannelText {

std::optional<double> number(const QString &text, const QLocale &locale = QLocale());
// Whether the window takes the text for the channel: a finite number within its bounds.
bool accepted(const ColourModels::Channel &channel, const QString &text);

} // namespace ChannelText

#endif // CHANNELTEXT_H
