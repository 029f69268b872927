#pragma once

#include "common/outcome.h"

#include <QString>
#include <QStringView>

namespace varn::language {

// Turns the text of one term into the name under which it enters the object
// model ("the fuel pumps" as an entity becomes "FuelPump").
//
// The small words of each letter's list are removed as whole words only: a
// word inside a longer word is never touched ("data rate" as an attribute
// stays "dataRate", "display alarm" as a do-what stays "displayAlarm").
class TermNormalizer
{
public:
    // All steps; refuses a text whose first character is a digit (allowed for
    // g, q and v) or neither a letter nor a digit. On refusal the text holds
    // what the first three steps made of it.
    static Outcome normalizeField(QString &text, char letter);
    // The same steps on a copy, without the first-character check; for a
    // part, the letter after the first '_' is capitalised too.
    static QString normalizeName(QStringView text, char letter);

private:
    static void removeSmallWords(QString &text, char letter);
    static void finish(QString &text, char letter);
};

} // namespace varn::language
