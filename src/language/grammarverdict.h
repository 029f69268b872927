#pragma once

#include "language/languagemessages.h"

#include <array>

namespace varn::language {

// What the clause-sequence walk decided, before it is turned into an Outcome:
// the verdict, the message or messages (only the end checks of a closing
// attribute give more than one) and the name of the row or check that decided
// the last term looked at ("S4", "End-e6", "when-count", ...).
struct GrammarVerdict
{
    enum class Status : quint8 { Accepted, Refused, RefusedSilently };

    Status status = Status::Accepted;
    const char *rule = "";
    quint8 messageCount = 0;
    std::array<LanguageMessage, 3> messages{};

    static GrammarVerdict accepted(const char *rule) { return {Status::Accepted, rule, 0, {}}; }
    static GrammarVerdict refused(const char *rule, LanguageMessage message)
    {
        return {Status::Refused, rule, 1, {message}};
    }
    static GrammarVerdict refusedSilently(const char *rule)
    {
        return {Status::RefusedSilently, rule, 0, {}};
    }

    bool isAccepted() const { return status == Status::Accepted; }

    // Several messages are joined by an empty line, so one box shows them all.
    Outcome toOutcome() const;
};

} // namespace varn::language
