#include "templates/structuralloader.h"

#include "store/creqmsset.h"
#include "store/creqpvset.h"
#include "store/creqstset.h"
#include "store/cvarnpvset.h"
#include "store/cvarnstset.h"
#include "templates/templatecatalogue.h"

namespace varn::templates {

namespace {

const QString kQueryFailed = QStringLiteral("Error querying the Requirements database.");

template <typename Set> Result<QStringList> valuesOf(const QString &connectionName, int number)
{
    Set values(connectionName);
    values.setFilter(QStringLiteral("FK_SReqNum = ?"), {number});
    values.setSort(QStringLiteral("PV_ID"));
    if (Outcome opened = values.open(Set::OpenType::Snapshot); !opened)
        return opened;
    QStringList texts;
    if (Outcome read = values.forEachRow([&](const auto &row) { texts.append(row.Value); }); !read)
        return read;
    return texts;
}

// The row of a structural set by its key; nullopt when there is none.
template <typename Set>
Result<std::optional<store::StrucReqRow>> structuralRow(const QString &connectionName, int number)
{
    Set structural(connectionName);
    structural.setFilter(QStringLiteral("S_ReqNum = ?"), {number});
    if (Outcome opened = structural.open(Set::OpenType::Snapshot); !opened)
        return opened;
    if (structural.isEOF())
        return std::optional<store::StrucReqRow>();
    return std::optional<store::StrucReqRow>(structural.row());
}

// The values a row lists: only a possible-values definition has them.
template <typename Set>
Result<QStringList> listedValues(const QString &connectionName, const store::StrucReqRow &row,
                                 const QString &failure)
{
    if (row.PossVal != QLatin1String("0"))
        return QStringList();
    Result<QStringList> values = valuesOf<Set>(connectionName, row.S_ReqNum);
    if (!values)
        return Outcome::warning(failure);
    return values;
}

} // namespace

Result<StructuralDraft> StructuralLoader::stored(const QString &connectionName, int number,
                                                 bool edit)
{
    store::CReqMsSet master(connectionName);
    master.setFilter(QStringLiteral("Req_Num = ?"), {number});
    if (Outcome opened = master.open(store::CReqMsSet::OpenType::Snapshot);
        !opened || master.isEOF())
        return Outcome::warning(kQueryFailed);
    const auto row = structuralRow<store::CReqStSet>(connectionName, number);
    if (!row || !row.value())
        return Outcome::warning(kQueryFailed);
    const store::StrucReqRow &structural = *row.value();
    const QString failure = structural.Source == TemplateCatalogue::kMessageDefinition
                                ? QStringLiteral("Error opening the ReqPvSet recordset.")
                                : kQueryFailed;
    const Result<QStringList> values =
        listedValues<store::CReqPvSet>(connectionName, structural, failure);
    if (!values)
        return values.outcome();
    StructuralDraft draft = StructuralDraft::fromStored(structural, values.value(), &master.row());
    draft.loadedNumber = number;
    draft.edit = edit;
    return draft;
}

Outcome StructuralLoader::fillExample(const QString &appConnectionName, StructuralDraft &draft)
{
    const StructuralTemplate *form = TemplateCatalogue::structural(draft.source);
    if (!form)
        return Outcome::silentlyRefused();
    const auto row = structuralRow<store::CVarnStSet>(appConnectionName, form->exampleNumber);
    if (!row)
        return row.outcome();
    if (!row.value())
        return Outcome::silentlyRefused();
    const Result<QStringList> values = listedValues<store::CVarnPvSet>(
        appConnectionName, *row.value(), QStringLiteral("Error opening the VarnPvSet recordset."));
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
