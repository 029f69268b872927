#pragma once

#include "templates/draftattributes.h"
#include "templates/templatecatalogue.h"

#include <QList>
#include <QString>

namespace varn::language {
class RequirementBuilder;
}
namespace varn::store {
struct FuncReqRow;
struct MasterReqRow;
} // namespace varn::store

namespace varn::templates {

// One FUNC_REQ field column as a composer filled it.
struct DraftField
{
    enum class Kind {
        Text, // typed; normalised with its letter; stored as typed
        List, // a connective list: its shown text, stored as its position
        Word, // a Builder cell filled from a word list: stored and recorded as shown
    };

    Kind kind = Kind::Text;
    QString text;    // as typed, or the list's shown text ("" = nothing chosen)
    char letter = 0; // Text and Word: the term letter
    ConnectiveList list = ConnectiveList::None;
};

// A functional requirement as a template dialog or the Requirement Builder
// holds it when Save is pressed: everything the commit reads.
struct FunctionalDraft : DraftAttributes
{
    int source = 1;           // 0 the Builder, 1 to 18 a template
    QString preamble;         // the shown phrase; empty when none is shown
    QList<DraftField> fields; // Field0 (who/what), Field1 (do what), then the rest

    // A template's fields, empty (no fields for a number outside 1 to 18).
    static FunctionalDraft forTemplate(int number);
    // The Builder's cells in position order, each with its G-code letter.
    static FunctionalDraft fromBuilder(const language::RequirementBuilder &builder);

    // A stored template requirement as a template loads it: text fields from
    // their columns, lists at their stored positions (no selection for an
    // empty column or a position outside the list), the preamble, and, with
    // the MASTER_REQ row, the attributes and version data.
    static FunctionalDraft fromStored(const store::FuncReqRow &fields,
                                      const store::MasterReqRow *master = nullptr);

    int preamblePosition() const;
    bool isOpen(int field) const { return field >= 0 && field < fields.size(); }
    // Sets a field to the text the composer shows (for a list, its shown
    // text: a text that is no item is refused by the commit).
    void setField(int field, const QString &text);
};

} // namespace varn::templates
