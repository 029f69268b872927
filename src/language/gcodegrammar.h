#pragma once

#include "common/outcome.h"
#include "common/requirementlimits.h"
#include "language/grammarverdict.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace varn::language {

// The clause-sequence grammar: the walk over a G-code with its family tables
// and counters, the end checks, and term normalisation. It keeps no state
// between calls; every function is safe on any byte string.
class GCodeGrammar
{
public:
    // The longest G-code: the Builder's 28 cells, the buffer of every composer.

    // Accepts or refuses a G-code; with endChecks the end-of-requirement checks
    // run after the walk. C17 refuses silently.
    static Outcome ValidateSequence(QByteArrayView gcode, bool endChecks);
    // The same decision with the name of the deciding row, without a message
    // text: for the hot paths, diagnostics and tests.
    static GrammarVerdict evaluate(QByteArrayView gcode, bool endChecks);

    // Rewrites one term's text into its model name; refuses (after rewriting
    // the text by the first steps) a text that begins with a number or with
    // no letter.
    static Outcome NormalizeField(QString &text, char letter);
    // The model name of a stored text, never refused.
    static QString NormalizeName(QStringView text, char letter);
};

} // namespace varn::language
