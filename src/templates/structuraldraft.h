#pragma once

#include "common/outcome.h"
#include "common/templatenumbers.h"
#include "templates/draftattributes.h"

#include <QString>
#include <QStringList>

namespace varn::store {
struct StrucReqRow;
}

namespace varn::templates {

// The sentence controls of the structural templates; a refusal names the one
// to focus (CommitResult::focusField).
enum class StructuralControl {
    Article,        // A/An
    Type,           // 19 the type, 20 the whole's type, 21 the type
    Entity,         // 19 and 21 the entity, 20 the whole, 22 the message
    StateValue,     // 19
    Attribute,      // 19 the attribute, 22 the field name
    ValueGroup,     // 19: possible values / data type of
    AddField,       // 19 the Add field, 22 the Possible Values text
    PossibleValues, // the list
    DataType,       // 19 the radio buttons, 22 the list
    Default,        // 19
    HowMany,        // 20
    Cardinality,    // 20
    PartType,       // 20
    PartEntity,     // 20
    Position,       // 22
    From,           // 22
    To,             // 22
};

// A structural requirement (Templates 19 to 22) as its dialog holds it when
// Preview or Save is pressed. Lists hold their shown text ("" when nothing is
// chosen); the two pairs of radio buttons hold their position (-1: neither).
struct StructuralDraft : DraftAttributes
{
    int source = TemplateNumber::kAttributeDefinition;
    QString article = QStringLiteral("A");
    QString type;
    QString entity;
    int stateValue = -1; // 0 state, 1 value
    QString attribute;
    int valueGroup = -1; // 0 possible values, 1 data type of
    // Template 19 keeps them in alphabetical order, Template 22 in the order
    // of entry.
    QStringList possibleValues;
    QString dataType;
    QString defaultValue;
    QString howMany;
    QString cardinality;
    QString partType;
    QString partEntity;
    QString position; // 22: the list's text or a typed number
    QString from;
    QString to;

    // A new requirement of template 19 to 22.
    static StructuralDraft forTemplate(int number);
    // A stored requirement placed into the controls as See Example and
    // loading for edit or re-use do, with the attributes and version data of
    // its MASTER_REQ row when given. The values are the POSS_VALS rows in
    // stored order; they count only when PossVal is "0".
    static StructuralDraft fromStored(const store::StrucReqRow &row, const QStringList &values,
                                      const store::MasterReqRow *master = nullptr);

    // Add (19) and ">" (22): refuses an empty text; Template 19 sorts the
    // value in, Template 22 appends it.
    Outcome addPossibleValue(const QString &text);
    // Delete (19) and "<" (22): removes the value at the index.
    Outcome removePossibleValue(int index);
    // The possible values / data type of radio buttons: choosing the data
    // type discards the whole list, choosing possible values the data type.
    void chooseValueGroup(int group);
    // Clear: every sentence control emptied, a new requirement again; the
    // attributes stay.
    void clear();
};

} // namespace varn::templates
