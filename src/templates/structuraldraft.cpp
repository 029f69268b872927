#include "templates/structuraldraft.h"

#include "common/templatenumbers.h"
#include "templates/templatestr.h"

#include "store/requirementrows.h"
#include "templates/templatecatalogue.h"

#include <algorithm>

namespace varn::templates {

namespace {

constexpr int kAttributeDefinition = TemplateNumber::kAttributeDefinition;
constexpr int kCompositionDefinition = kAttributeDefinition + 1;
constexpr int kEntityDefinition = TemplateNumber::kPartDefinition;
constexpr char kNoValue[] = QT_TRANSLATE_NOOP(
    "varn::templates",
    "A Possible Value has not been defined. Must enter a value in the Add field.");
constexpr char kNoValueSelected[] =
    QT_TRANSLATE_NOOP("varn::templates", "A possible value has not been selected for deletion.");
// The item at a stored position ("-1", empty or out of range: none).
QString itemAt(const QStringList &items, const QString &stored)
{
    bool isNumber = false;
    const int position = stored.trimmed().toInt(&isNumber);
    return isNumber ? items.value(position) : QString();
}

// A stored "0" or "1" choice; anything else is no choice.
int choiceOf(const QString &stored)
{
    if (stored == QLatin1String("0"))
        return 0;
    return stored == QLatin1String("1") ? 1 : -1;
}

// The list box of Template 19 sorts without regard to case.
bool sortsBefore(const QString &left, const QString &right)
{
    const int folded = left.compare(right, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : left < right;
}

} // namespace

StructuralDraft StructuralDraft::forTemplate(int number)
{
    StructuralDraft draft;
    draft.source = number;
    return draft;
}

StructuralDraft StructuralDraft::fromStored(const store::StrucReqRow &row,
                                            const QStringList &values,
                                            const store::MasterReqRow *master)
{
    StructuralDraft draft = forTemplate(row.Source);
    draft.article = itemAt(TemplateCatalogue::articles(), row.Preamble);
    switch (row.Source) {
    case kAttributeDefinition:
        draft.type = row.TypeAttr;
        draft.entity = row.EntityAttr;
        draft.stateValue = choiceOf(row.StateVal);
        draft.attribute = row.AttrName;
        draft.valueGroup = choiceOf(row.PossVal);
        if (draft.valueGroup == 1)
            draft.dataType = itemAt(TemplateCatalogue::attributeDataTypes(), row.DataType);
        draft.defaultValue = row.Default;
        break;
    case kCompositionDefinition:
        draft.type = row.TypeWithList;
        draft.entity = row.EntityWithList;
        draft.howMany = row.HowMany;
        draft.cardinality = itemAt(TemplateCatalogue::cardinalities(), row.Cardinality);
        draft.partType = row.TypeInList;
        draft.partEntity = row.EntityInList;
        break;
    case kEntityDefinition:
        draft.type = row.TypeBasic;
        draft.entity = row.EntityBasic;
        break;
    case TemplateCatalogue::kMessageDefinition:
        draft.entity = row.EntityAttr;
        draft.attribute = row.AttrName;
        draft.dataType = itemAt(TemplateCatalogue::messageDataTypes(), row.DataType);
        draft.position =
            TemplateCatalogue::messagePositions().value(row.Position - 1); // list item Position - 1
        draft.from = row.From;
        draft.to = row.To;
        break;
    default:
        break;
    }
    if (row.PossVal == QLatin1String("0")) {
        // Only an empty value is refused, and one cannot be shown in the
        // list anyway; every other stored value is loaded.
        for (const QString &value : values)
            (void)draft.addPossibleValue(value);
    }
    if (master)
        draft.takeStored(*master);
    return draft;
}

Outcome StructuralDraft::addPossibleValue(const QString &text)
{
    if (text.isEmpty())
        return Outcome::refused(Tr::tr(kNoValue));
    if (source != kAttributeDefinition) {
        possibleValues.append(text);
        return Outcome::ok();
    }
    const auto at =
        std::upper_bound(possibleValues.begin(), possibleValues.end(), text, sortsBefore);
    possibleValues.insert(at, text);
    return Outcome::ok();
}

Outcome StructuralDraft::removePossibleValue(int index)
{
    if (index < 0 || index >= possibleValues.size())
        return Outcome::refused(Tr::tr(kNoValueSelected));
    possibleValues.removeAt(index);
    return Outcome::ok();
}

void StructuralDraft::chooseValueGroup(int group)
{
    valueGroup = group;
    if (group == 1)
        possibleValues.clear();
    else
        dataType.clear();
}

void StructuralDraft::clear()
{
    const QString keptArticle = article;
    const QString keptDataType =
        source == TemplateCatalogue::kMessageDefinition ? dataType : QString();
    const DraftAttributes attributes = *this;
    *this = forTemplate(source);
    static_cast<DraftAttributes &>(*this) = attributes;
    article = keptArticle;
    dataType = keptDataType;
    forgetLoaded();
}

} // namespace varn::templates
