#pragma once

#include "common/outcome.h"
#include "language/termrecord.h"

#include <QList>

#include <span>

namespace varn::language {

// Splits a requirement's terms into clauses and gives every term its clause
// group ('A'..'Q') and form (0..8), checking the rules that span clauses.
// Object-model derivation reads the labels through the form tables below.
class ClauseLabeler
{
public:
    // Labels the records in place: those before the first record whose letter
    // is 0, or all of them when there is none. Every other record gets group 0
    // and form 0, and so does every record when the terms are refused. Any
    // length is labelled (a structural requirement's terms may outnumber the
    // Builder's cells).
    static Outcome LabelClauses(std::span<TermRecord> records);
    static Outcome LabelClauses(QList<TermRecord> &records);

    // 'A'..'E' for the openers b, d, f, h, i, j, o, w; 0 for any other byte.
    static char LongFormGroup(char letter);
    // 'F'..'L' for b, d, f, h, i, j, n, o, s, w; 0 for any other byte.
    static char ShortFormGroup(char letter);

    // Where a clause of a form holds its entity, part and type, counted from
    // the clause's first term.
    static int EntityOffsetOfForm(int form);
    static int AttributeOffsetOfForm(int form);
    static int TypeOffsetOfForm(int form);
};

} // namespace varn::language
