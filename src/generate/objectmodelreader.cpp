#include "generate/objectmodelreader.h"

#include "store/sqldialect.h"

#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace varn::generate {

namespace {

using RowReader = void (*)(const QSqlQuery &query, ObjectModel &model);

struct TableRead
{
    RecordSet recordSet;
    const char *statement;
    RowReader readRow;
};

int key(const QSqlQuery &query, int column)
{
    return query.value(column).toInt();
}

QString text(const QSqlQuery &query, int column)
{
    return query.value(column).toString();
}

constexpr TableRead kTableReads[] = {
    {RecordSet::OeSet, "SELECT Entity_ID, Entity FROM OM_ENTITY",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addEntity({key(q, 0), text(q, 1)});
     }},
    {RecordSet::AtSet, "SELECT Attr_ID, Attribute, DataTypeDef, FK_EntityID FROM OM_ATTR",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addAttribute({key(q, 0), text(q, 1), text(q, 2), key(q, 3)});
     }},
    {RecordSet::MeSet, "SELECT Method_ID, Method, FK_EntityID FROM OM_METHOD",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addMethod({key(q, 0), text(q, 1), key(q, 2)});
     }},
    {RecordSet::InSet, "SELECT InH_ID, InH_Entity, FK_EntityID FROM OM_INH",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addInheritance({key(q, 0), text(q, 1), key(q, 2)});
     }},
    {RecordSet::AgSet, "SELECT Agg_ID, AggEntity, FK_EntityID FROM OM_AGG",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addAggregation({key(q, 0), text(q, 1), key(q, 2)});
     }},
    {RecordSet::OmPvSet, "SELECT PVOM_ID, FK_AttrID, Value FROM OM_PV",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addPossibleValue({key(q, 0), key(q, 1), text(q, 2)});
     }},
};

const TableRead *tableRead(RecordSet recordSet)
{
    for (const TableRead &read : kTableReads) {
        if (read.recordSet == recordSet)
            return &read;
    }
    return nullptr;
}

// The entity table is the one every generator opens first; any failure on it
// means the set could not be opened at all.
Outcome readTable(const QSqlDatabase &database, const TableRead &read, GeneratorKind kind,
                  ObjectModel &model)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QLatin1String(read.statement)))
        return Outcome::stop(
            GeneratorMessages::cannotOpen(read.recordSet, kind, query.lastError().text()));
    while (query.next())
        read.readRow(query, model);
    if (query.lastError().isValid()) {
        const QString databaseText = query.lastError().text();
        return Outcome::stop(
            read.recordSet == RecordSet::OeSet
                ? GeneratorMessages::cannotOpen(read.recordSet, kind, databaseText)
                : GeneratorMessages::errorQuerying(read.recordSet, kind, databaseText));
    }
    return Outcome::ok();
}

} // namespace

Result<ObjectModel> ObjectModelReader::read(const QSqlDatabase &database,
                                            std::initializer_list<RecordSet> recordSets,
                                            GeneratorKind kind)
{
    // On a shared server the tables are read as one model: after any
    // regeneration under way has committed, and untouched by the next one.
    using store::SqlDialect;
    const store::Backend backend = SqlDialect::of(database);
    const QString snapshot = SqlDialect::beginSnapshot(backend);
    QSqlQuery transaction(database);
    if (!snapshot.isEmpty()) {
        if (!transaction.exec(snapshot) || !transaction.exec(SqlDialect::sharedLock(
                                               backend, SqlDialect::LockName::Regeneration))) {
            const QString error = transaction.lastError().text();
            (void)transaction.exec(QStringLiteral("ROLLBACK"));
            return Outcome::stop(GeneratorMessages::cannotOpen(RecordSet::OeSet, kind, error));
        }
    }
    const auto endSnapshot = qScopeGuard([&] {
        if (!snapshot.isEmpty())
            (void)transaction.exec(QStringLiteral("ROLLBACK"));
    });
    ObjectModel model;
    for (RecordSet recordSet : recordSets) {
        const TableRead *read = tableRead(recordSet);
        if (!read)
            continue; // the name-lookup set reads nothing of its own
        const Outcome outcome = readTable(database, *read, kind, model);
        if (!outcome)
            return outcome;
    }
    model.finish();
    return model;
}

} // namespace varn::generate
