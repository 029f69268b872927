#pragma once

#include <QList>
#include <QString>

namespace varn::quality {

// What the grammar knows of a stretch of the user's own words: the role of
// the template field or Builder term that holds it, or free text.
enum class SpanRole {
    FreeText,  // a technical requirement's text, or a text checked alone
    WhoWhat,   // the actor (k)
    DoWhat,    // the function (d)
    Action,    // an action (c)
    Entity,    // e
    Type,      // t
    Part,      // p
    Attribute, // a
    Value,     // v: a value or state value
    State,     // g
    Quantity,  // q
    Units,     // u
    Spatial,   // s
    Other,
};

// A stretch of the sentence the user wrote: [start, start + length).
struct UserSpan
{
    int start = 0;
    int length = 0;
    SpanRole role = SpanRole::FreeText;
    char letter = 0; // the term letter, 0 for free text

    int end() const { return start + length; }
    friend bool operator==(const UserSpan &, const UserSpan &) = default;
};

// A sentence as the rules see it: the whole text as shown, and which parts
// of it are the user's own words. The rules look at those parts only; the
// rest (the preamble, a template's fixed words, the connective lists) is the
// system's.
struct CheckedSentence
{
    QString sentence;
    QList<UserSpan> spans;
    // 0 the Builder, 1 to 22 a template, -1 free text (technical, or a text
    // checked alone).
    int templateNumber = -1;

    bool isFreeText() const { return templateNumber < 0; }
};

} // namespace varn::quality
