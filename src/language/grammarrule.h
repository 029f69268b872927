#pragma once

#include "language/languagemessages.h"
#include "language/letterset.h"

#include <array>

namespace varn::language {

enum class RuleVerdict : quint8 {
    Accept,
    Refuse,
    RefuseSilently,
    // The end checks of a closing attribute: note the message, go on with the
    // next row; the requirement is refused with every noted message.
    Collect
};

// One row of a family table or of the end checks: a condition on the letters
// around the term under test, and its verdict. A row's condition is a set of
// allowed letters per position (it holds when every position's letter is in
// its set); an OR of positions in the tables is written as consecutive rows
// with the same verdict.
struct GrammarRule
{
    // Positions of a family row: X, the five letters before it, G[0] and G[1].
    // The end checks use 0..5 for L1 (the last letter) to L6.
    enum Position { X = 0, P1, P2, P3, P4, P5, G0, G1, PositionCount };
    using Letters = std::array<quint32, PositionCount>;

    const char *name = "";
    Letters masks = {~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u};
    RuleVerdict verdict = RuleVerdict::Accept;
    LanguageMessage message = LanguageMessage::Count;

    constexpr explicit GrammarRule(const char *ruleName) : name(ruleName) {}

    constexpr GrammarRule at(int position, const char *letters) const
    {
        GrammarRule rule = *this;
        rule.masks[std::size_t(position)] &= LetterSet(letters).bits();
        return rule;
    }
    constexpr GrammarRule notAt(int position, const char *letters) const
    {
        GrammarRule rule = *this;
        rule.masks[std::size_t(position)] &= LetterSet(letters).complement().bits();
        return rule;
    }
    constexpr GrammarRule x(const char *letters) const { return at(X, letters); }
    constexpr GrammarRule accept() const { return decide(RuleVerdict::Accept, message); }
    constexpr GrammarRule refuse(LanguageMessage text) const
    {
        return decide(RuleVerdict::Refuse, text);
    }
    constexpr GrammarRule refuseSilently() const
    {
        return decide(RuleVerdict::RefuseSilently, message);
    }
    constexpr GrammarRule collect(LanguageMessage text) const
    {
        return decide(RuleVerdict::Collect, text);
    }

private:
    constexpr GrammarRule decide(RuleVerdict ruleVerdict, LanguageMessage text) const
    {
        GrammarRule rule = *this;
        rule.verdict = ruleVerdict;
        rule.message = text;
        return rule;
    }
};

} // namespace varn::language
