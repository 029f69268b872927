#include "templates/structuralloader.h"

#include "common/commonmessages.h"
#include "templates/templatestr.h"

#include "store/requirementreader.h"
#include "store/workedexamples.h"
#include "templates/templatecatalogue.h"

namespace varn::templates {

namespace {

// The values a row lists: only a possible-values definition has them. A
// failure to read them is refused with `failure`.
template <typename Reader>
Result<QStringList> listedValues(const Reader &reader, const store::StrucReqRow &row,
                                 const QString &failure)
{
    if (row.PossVal != QLatin1String("0"))
        return QStringList();
    Result<QStringList> values = reader.possibleValues(row.S_ReqNum);
    if (!values)
        return Outcome::warning(failure);
    return values;
}

} // namespace

Result<StructuralDraft> StructuralLoader::stored(const QString &connectionName, int number,
                                                 bool edit)
{
    const store::RequirementReader reader(connectionName);
    const Result<std::optional<store::MasterReqRow>> master = reader.master(number);
    if (!master || !master.value())
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    const Result<std::optional<store::StrucReqRow>> row = reader.structural(number);
    if (!row || !row.value())
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    const store::StrucReqRow &structural = *row.value();
    const QString failure = structural.Source == TemplateCatalogue::kMessageDefinition
                                ? Tr::tr("Error opening the ReqPvSet recordset.")
                                : CommonTr::tr(CommonMessages::kQueryFailed);
    const Result<QStringList> values = listedValues(reader, structural, failure);
    if (!values)
        return values.outcome();
    StructuralDraft draft =
        StructuralDraft::fromStored(structural, values.value(), &*master.value());
    draft.loadedNumber = number;
    draft.edit = edit;
    return draft;
}

Outcome StructuralLoader::fillExample(const QString &appConnectionName, StructuralDraft &draft)
{
    const StructuralTemplate *form = TemplateCatalogue::structural(draft.source);
    if (!form)
        return Outcome::silentlyRefused();
    const store::WorkedExamples examples(appConnectionName);
    const Result<std::optional<store::StrucReqRow>> row = examples.structural(form->exampleNumber);
    if (!row)
        return row.outcome();
    if (!row.value())
        return Outcome::silentlyRefused();
    const Result<QStringList> values =
        listedValues(examples, *row.value(), Tr::tr("Error opening the VarnPvSet recordset."));
    if (!values)
        return values.outcome();
    // Placed as the dialog's own template places them.
    store::StrucReqRow example = *row.value();
    example.Source = draft.source;
    const DraftAttributes attributes = draft;
    draft = StructuralDraft::fromStored(example, values.value());
    static_cast<DraftAttributes &>(draft) = attributes;
    draft.forgetLoaded();
    return Outcome::ok();
}

} // namespace varn::templates
