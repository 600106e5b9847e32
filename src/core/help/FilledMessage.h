#pragma once

#include <QString>

namespace vel::help {

// Whether `shown`, a message as the program showed it or a piece of one, is the message that
// `entry` quotes with {…} placeholders for what the program fills in (months, names, figures).
// White space and case aside, each character of `shown` is either one of the entry's own, in
// their order, or part of a filled-in placeholder; at least one placeholder is filled, and at
// least four characters are the entry's own, so that a name alone matches nothing.
bool isFilledIn(const QString& entry, const QString& shown);

}  // namespace vel::help
