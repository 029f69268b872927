#include "objmodel/modelcontribution.h"
#include "objmodel/objmodeltr.h"

#include "language/clauselabeler.h"
#include "objmodel/objectmodelderiver.h"
#include "objmodel/objectmodelreader.h"
#include "objmodel/objectmodelregenerator.h"
#include "objmodel/objectmodelwriter.h"
#include "store/savetransaction.h"
#include "store/scratchdatabase.h"

namespace varn::objmodel {

namespace {

// Derives into the scratch database's tables, in one transaction.
Outcome derive(const store::StoredRequirement &stored, const QString &connection)
{
    Result<QList<language::TermRecord>> records = ObjectModelRegenerator::rebuildTerms(stored);
    if (!records)
        return records.outcome();
    if (Outcome labelled = language::ClauseLabeler::LabelClauses(records.value()); !labelled)
        return labelled;
    store::SaveTransaction transaction(connection);
    if (Outcome begun = transaction.begin(); !begun)
        return begun;
    ObjectModelWriter writer(connection);
    writer.assumeEmpty();
    ObjectModelDeriver deriver(writer);
    if (Outcome derived =
            deriver.DeriveObjectModel(records.value(), stored.number, stored.isFunctional());
        !derived)
        return derived;
    if (Outcome flushed = writer.flushCounters(); !flushed)
        return flushed;
    return transaction.commit();
}

} // namespace

Result<ObjectModel> ModelContribution::of(const store::StoredRequirement &stored)
{
    if (!(stored.isFunctional() || stored.isStructural()))
        return ObjectModel();
    if (!stored.hasOwnRow)
        return Outcome::refused(stored.isFunctional()
                                    ? Tr::tr("Invalid length of TCode string in FUNC_REQ table.")
                                    : Tr::tr("Invalid length of TCode string in STRUC_REQ."));
    const Result<std::shared_ptr<store::ScratchDatabase>> scratch =
        store::ScratchDatabase::create();
    if (!scratch)
        return scratch.outcome();
    const QString connection = scratch.value()->connectionName();
    if (Outcome derived = derive(stored, connection); !derived)
        return derived;
    ObjectModelReader reader(connection);
    return reader.readModel({ModelTable::Entity, ModelTable::Attribute, ModelTable::Method,
                             ModelTable::Inheritance, ModelTable::Aggregation,
                             ModelTable::PossibleValue});
}

} // namespace varn::objmodel
