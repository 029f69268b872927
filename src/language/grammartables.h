#pragma once

// The family tables of the clause-sequence walk and the table of the end
// checks, as data. Within a family the first matching row decides; every
// family ends with an unconditional row, so a term of a family always meets
// a verdict. Row names follow the tables (S1, A3b, ...): a letter suffix marks
// one alternative of a row that the tables write with "or".

#include "language/grammarrule.h"

namespace varn::language {

namespace tables {

using M = LanguageMessage;
using R = GrammarRule;

constexpr R row(const char *name)
{
    return R(name);
}

// Letter sets that recur in the tables.
inline constexpr const char *WhenType = "bfw";
inline constexpr const char *ClauseStarters = "bdfhikow";
inline constexpr const char *AssociativeOpeners = "bfhijo";

inline constexpr GrammarRule FamilyRules[] = {
    // Family S: standard terms a, e, p, t.
    row("S1").x("aept").at(R::P1, ClauseStarters).accept(),
    row("S2a").x("a").at(R::P1, "n").refuse(M::InFollowedByAttribute),
    row("S2b").x("aept").at(R::P1, "n").accept(),
    row("S3").x("aept").at(R::P1, "a").at(R::P2, "z").refuse(M::PossessiveBeforeStandard),
    row("S4").x("e").at(R::P1, "pstx").accept(),
    row("S5").x("t").at(R::P1, "ps").accept(),
    row("S6").x("ept").at(R::P1, "a").accept(),
    row("S7").x("p").at(R::P1, "s").accept(),
    row("S8").x("aept").notAt(R::P1, "zj").refuse(M::StandardPhrasing),
    row("S9a").x("a").at(R::P1, "zj").accept(),
    row("S9b").x("aept").refuse(M::StandardPhrasing),

    // Family A: associative and logical terms b, f, h, i, j, n, o, s.
    row("A1").x("hjnos").at(R::P2, "x").refuse(M::ExternalPrecedesTerm),
    row("A2a").x("ns").at(R::P2, "h").refuse(M::InAfterWith),
    row("A2b").x("ns").at(R::P3, "h").refuse(M::InAfterWith),
    row("A2c").x("ns").at(R::P4, "h").at(R::P3, "p").refuse(M::InAfterWith),
    row("A3a").x("ns").at(R::P1, "e").at(R::P2, "a").refuse(M::InAfterAttributedEntity),
    row("A3b").x("ns").at(R::P1, "e").at(R::P3, "a").refuse(M::InAfterAttributedEntity),
    row("A3c").x("ns").at(R::P1, "e").at(R::P4, "a").refuse(M::InAfterAttributedEntity),
    row("A3d").x("ns").at(R::P1, "e").accept(),
    row("A4a").x(AssociativeOpeners).at(R::P1, "a").at(R::P2, "z").accept(),
    row("A4b").x(AssociativeOpeners).at(R::P1, "a").refuse(M::AttributeNeedsPossessive),
    row("A5").x(AssociativeOpeners).at(R::P1, "eguv").accept(),
    row("A6a")
        .x(AssociativeOpeners)
        .at(R::P1, "q")
        .at(R::P2, "ey")
        .refuse(M::UnitsMustFollowQuantity),
    row("A6b").x(AssociativeOpeners).at(R::P1, "q").accept(),
    row("A7").x("ns").at(R::P1, "a").at(R::P2, "z").accept(),
    row("A8").x("hijo").at(R::P1, "c").accept(),
    row("A9").x("bfhijnos").refuse(M::AssociativePhrasing),

    // Family E: event, action and external terms c, w, x.
    row("E1").x("cx").at(R::P2, "x").refuse(M::ExternalPrecedesTerm),
    row("E2a").x("x").at(R::P1, "e").at(R::P2, "a").refuse(M::ExternalAfterAttributedEntity),
    row("E2b").x("x").at(R::P1, "e").at(R::P3, "a").refuse(M::ExternalAfterAttributedEntity),
    row("E2c")
        .x("x")
        .at(R::P1, "e")
        .at(R::P4, "a")
        .at(R::P3, "p")
        .refuse(M::ExternalAfterAttributedEntity),
    row("E3a").x("x").at(R::P1, "e").at(R::P2, "n").refuse(M::ExternalAfterIn),
    row("E3b").x("x").at(R::P1, "e").at(R::P3, "n").refuse(M::ExternalAfterIn),
    row("E4a").x("x").at(R::P1, "e").at(R::P2, "s").refuse(M::ExternalAfterSpatial),
    row("E4b").x("x").at(R::P1, "e").at(R::P3, "s").refuse(M::ExternalAfterSpatial),
    row("E5").x("x").at(R::P1, "e").at(R::P4, "n").at(R::P3, "p").refuse(M::ExternalAfterIn),
    row("E6").x("x").at(R::P1, "e").at(R::P4, "s").at(R::P3, "p").refuse(M::ExternalAfterSpatial),
    row("E7a").x("x").at(R::P1, "e").at(R::P2, "h").refuse(M::ExternalAfterWith),
    row("E7b").x("x").at(R::P1, "e").at(R::P3, "h").refuse(M::ExternalAfterWith),
    row("E7c").x("x").at(R::P1, "e").at(R::P4, "h").at(R::P3, "p").refuse(M::ExternalAfterWith),
    row("E8a").x("x").at(R::P1, "e").at(R::P2, "b").refuse(M::ExternalAfterBefore),
    row("E8b").x("x").at(R::P1, "e").at(R::P3, "b").refuse(M::ExternalAfterBefore),
    row("E8c").x("x").at(R::P1, "e").at(R::P4, "b").refuse(M::ExternalAfterBefore),
    row("E9").x("w").at(R::P1, "e").accept(),
    row("E10a").x("w").at(R::P1, "a").at(R::P2, "z").accept(),
    row("E10b").x("w").at(R::P1, "a").refuse(M::WhenAttributeNeedsPossessive),
    row("E11").x("w").at(R::P1, "guv").accept(),
    row("E12a").x("w").at(R::P1, "q").at(R::P2, "ey").refuse(M::WhenUnitsMustFollowQuantity),
    row("E12b").x("w").at(R::P1, "q").accept(),
    row("E13a").x("x").at(R::P1, "ae").accept(),
    row("E13b").x("x").refuse(M::ExternalInvalidPreceding),
    row("E14a").x("c").at(R::P1, "e").at(R::P2, WhenType).accept(),
    row("E14b").x("c").at(R::P1, "e").at(R::P3, WhenType).accept(),
    row("E14c").x("c").at(R::P1, "e").at(R::P4, WhenType).accept(),
    row("E14d").x("c").at(R::P1, "e").at(R::P5, WhenType).accept(),
    row("E15").x("c").notAt(R::P1, "a").refuse(M::ActionNeedsWhen),
    row("E16").x("cwx").refuse(M::EventPhrasing),

    // Family C: attribute-completing terms g, l, m, q, r, u, v, y, z.
    row("C1").x("rm").at(R::P1, "gquv").accept(),
    row("C2").x("y").at(R::P1, "e").accept(),
    row("C3").x("q").at(R::P1, "ys").accept(),
    row("C4").x("z").at(R::P2, "x").refuse(M::ExternalPrecedesTerm),
    row("C5a")
        .x("lm")
        .at(R::P1, "e")
        .notAt(R::P2, "x")
        .at(R::P2, "s")
        .refuse(M::RelationalAfterSpatial),
    row("C5b")
        .x("lm")
        .at(R::P1, "e")
        .notAt(R::P2, "x")
        .at(R::P3, "s")
        .refuse(M::RelationalAfterSpatial),
    row("C6a").x("lm").at(R::P1, "e").notAt(R::P2, "x").at(R::P2, "n").refuse(M::RelationalAfterIn),
    row("C6b").x("lm").at(R::P1, "e").notAt(R::P2, "x").at(R::P3, "n").refuse(M::RelationalAfterIn),
    row("C7")
        .x("lm")
        .at(R::P1, "e")
        .notAt(R::P2, "x")
        .at(R::P4, "s")
        .at(R::P3, "p")
        .refuse(M::RelationalAfterSpatial),
    row("C8")
        .x("lm")
        .at(R::P1, "e")
        .notAt(R::P2, "x")
        .at(R::P4, "n")
        .at(R::P3, "p")
        .refuse(M::RelationalAfterIn),
    row("C9a")
        .x("lm")
        .at(R::P1, "e")
        .notAt(R::P2, "x")
        .at(R::P2, WhenType)
        .refuse(M::RelationalAfterEvent),
    row("C9b")
        .x("lm")
        .at(R::P1, "e")
        .notAt(R::P2, "x")
        .at(R::P3, WhenType)
        .refuse(M::RelationalAfterEvent),
    row("C10")
        .x("lm")
        .at(R::P1, "e")
        .notAt(R::P2, "x")
        .at(R::P4, WhenType)
        .at(R::P3, "p")
        .refuse(M::RelationalAfterEvent),
    row("C11").x("lm").at(R::P1, "e").notAt(R::P2, "x").accept(),
    row("C12").x("qz").at(R::P1, "e").notAt(R::P2, "x").accept(),
    row("C13").x("gqv").at(R::P1, "lm").accept(),
    row("C14").x("u").at(R::P1, "q").accept(),
    row("C15").x("zl").at(R::P1, "r").accept(),
    row("C16").x("m").at(R::P1, "c").accept(),
    row("C17a").x("l").at(R::P1, "a").at(R::P2, "z").accept(),
    row("C17b").x("l").at(R::P1, "a").refuseSilently(),
    row("C18").x("l").at(R::P1, "g").at(R::G0, "k").notAt(R::G1, "d").accept(),
    row("C19").x("y").at(R::P1, "a").at(R::P2, "z").accept(),
    // C20 stands behind C15, which already accepts every 'z' after 'r'; the
    // rows are kept so that the table reads as designed.
    row("C20a").x("z").at(R::P1, "r").at(R::P2, "a").accept(),
    row("C20b").x("z").at(R::P1, "r").at(R::P5, "z").at(R::P2, "gvq").accept(),
    row("C20c").x("z").at(R::P1, "r").refuse(M::PossessiveInvalid),
    row("C21a").x("r").at(R::P1, "a").at(R::P2, "z").accept(),
    row("C21b").x("r").at(R::P1, "a").refuse(M::RelationalOrAndInvalid),
    row("C22").x("q").at(R::P2, "x").accept(),
    row("C23").x("glmqruvyz").refuse(M::AttributePhrasing),
};

// The end checks: position 0 is the last letter (L1), 1 the one before (L2)...
inline constexpr GrammarRule EndCheckRules[] = {
    row("End-a1").x("a").notAt(1, "z").refuse(M::EndWithAttribute),
    row("End-a4").x("a").at(3, "bfiow").collect(M::EndAttributeAfterL4),
    row("End-a5").x("a").at(4, "bfiow").collect(M::EndAttributeAfterL5),
    row("End-a6").x("a").at(5, "bfiow").collect(M::EndAttributeAfterL6),
    row("End-a").x("a").accept(),
    row("End-cgv").x("cgv").accept(),
    row("End-e1a").x("e").at(1, WhenType).refuse(M::EndEventWithoutAction),
    row("End-e1b").x("e").at(2, WhenType).refuse(M::EndEventWithoutAction),
    row("End-e1c").x("e").at(3, WhenType).refuse(M::EndEventWithoutAction),
    row("End-e2a").x("e").at(1, "i").refuse(M::EndWithIf),
    row("End-e2b").x("e").at(2, "i").refuse(M::EndWithIf),
    row("End-e3a").x("e").at(3, "io").at(1, "ns").accept(),
    row("End-e3b").x("e").at(3, "io").refuse(M::EndWithIfOrAndForm),
    row("End-e4a").x("e").at(4, "io").at(1, "ns").accept(),
    row("End-e4b").x("e").at(4, "io").at(2, "ns").accept(),
    row("End-e4c").x("e").at(4, "io").refuse(M::EndWithIfOrAndForm),
    row("End-e5a").x("e").at(2, "o").at(3, "g").refuse(M::EndAndAfterState),
    row("End-e5b").x("e").at(1, "o").at(2, "g").refuse(M::EndAndAfterState),
    row("End-e6").x("e").accept(),
    row("End-q1").x("q").at(1, "ea").refuse(M::EndQuantityAfterEntity),
    row("End-q2").x("q").accept(),
    row("End-u1").x("u").at(2, "ys").accept(),
    row("End-u2").x("u").refuse(M::EndUnits),
    row("End-other").refuse(M::EndWithOtherTerm),
};

} // namespace tables

using tables::EndCheckRules;
using tables::FamilyRules;

} // namespace varn::language
