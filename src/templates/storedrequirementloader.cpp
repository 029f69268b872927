#include "templates/storedrequirementloader.h"

#include "common/commonmessages.h"

#include "common/requirementlimits.h"
#include "language/requirementbuilder.h"
#include "store/requirementreader.h"
#include "store/workedexamples.h"

namespace varn::templates {

namespace {

Result<store::MasterReqRow> masterRow(const QString &connectionName, int number)
{
    const Result<std::optional<store::MasterReqRow>> master =
        store::RequirementReader(connectionName).master(number);
    if (!master || !master.value())
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    return *master.value();
}

// From the requirements database or the application database alike.
Result<store::FuncReqRow> functionalRow(const QString &connectionName, int number)
{
    const Result<std::optional<store::FuncReqRow>> fields =
        store::RequirementReader(connectionName).functional(number);
    if (!fields || !fields.value())
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    return *fields.value();
}

language::StoredBuilderRequirement builderRequirement(const store::FuncReqRow &fields, bool edit)
{
    language::StoredBuilderRequirement stored;
    stored.number = fields.F_ReqNum;
    stored.edit = edit;
    stored.preamble = fields.Preamble.toInt();
    for (int k = 0; k < kMaxTerms; ++k)
        stored.fields.append(fields.field(k));
    stored.gcode = fields.TCodeStrF.toLatin1();
    return stored;
}

Result<FunctionalDraft> builderDraft(const store::FuncReqRow &fields,
                                     const store::MasterReqRow &master, bool edit)
{
    language::StoredBuilderRequirement stored = builderRequirement(fields, edit);
    stored.number = master.Req_Num;
    stored.version = master.Version;
    stored.firstVersion = master.OrigReqNum;
    language::RequirementBuilder builder;
    if (Outcome loaded = builder.loadStored(stored); !loaded)
        return loaded;
    FunctionalDraft draft = FunctionalDraft::fromBuilder(builder);
    // The attributes as a template loads them.
    const FunctionalDraft attributes = FunctionalDraft::fromStored(fields, &master);
    draft.category = attributes.category;
    draft.priority = attributes.priority;
    draft.release = attributes.release;
    draft.paragraph = attributes.paragraph;
    draft.comments = attributes.comments;
    return draft;
}

} // namespace

Result<FunctionalDraft> StoredRequirementLoader::functional(const QString &connectionName,
                                                            int number, bool edit)
{
    const Result<store::MasterReqRow> master = masterRow(connectionName, number);
    if (!master)
        return master.outcome();
    const Result<store::FuncReqRow> fields = functionalRow(connectionName, number);
    if (!fields)
        return fields.outcome();
    Result<FunctionalDraft> draft =
        fields->Source == 0 ? builderDraft(fields.value(), master.value(), edit)
                            : FunctionalDraft::fromStored(fields.value(), &master.value());
    if (!draft)
        return draft;
    draft->loadedNumber = number;
    draft->edit = edit;
    return draft;
}

Result<FunctionalDraft> StoredRequirementLoader::fromRows(const store::FuncReqRow &fields,
                                                          const store::MasterReqRow &master)
{
    Result<FunctionalDraft> draft = fields.Source == 0
                                        ? builderDraft(fields, master, false)
                                        : FunctionalDraft::fromStored(fields, &master);
    if (draft)
        draft->forgetLoaded();
    return draft;
}

Result<language::StoredBuilderRequirement>
StoredRequirementLoader::builderCells(const QString &connectionName, int number, bool edit)
{
    const Result<store::FuncReqRow> fields = functionalRow(connectionName, number);
    if (!fields)
        return fields.outcome();
    return builderRequirement(fields.value(), edit);
}

Result<QList<int>> StoredRequirementLoader::functionalNumbers(const QString &connectionName)
{
    return store::WorkedExamples(connectionName).functionalNumbers();
}

} // namespace varn::templates
