#include "objmodel/objectmodelwriter.h"
#include "objmodel/objmodeltr.h"
#include "store/storetr.h"

#include "store/counterbatch.h"
#include "store/rowstatement.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::objmodel {

namespace {

using store::Counter;

// The counters derivation hands keys out of, with the first line of the
// message when writing one back fails. The first lines are shown by the
// store's counter batch as well as here: they are kept in its context.
constexpr store::BatchedCounter kCounters[] = {
    {Counter::EntReq,
     QT_TRANSLATE_NOOP("varn::store", "Error querying the PkRqEntSet recordset.\n")},
    {Counter::EntOm,
     QT_TRANSLATE_NOOP("varn::store", "Error querying the PkRqOEntSet recordset.\n")},
    {Counter::AttrOm,
     QT_TRANSLATE_NOOP("varn::store", "Error querying the PkRqOAttrSet-ReqAtSet recordsets.\n")},
    {Counter::MethOm,
     QT_TRANSLATE_NOOP("varn::store", "Error querying the PkRqOMethSet-ReqMeSet recordsets.\n")},
    {Counter::InhOm,
     QT_TRANSLATE_NOOP(
         "varn::store",
         "Error writing to the ReqOeSet-PkRqOEntSet, pReqInSet-pPkRqOInhSet recordsets.\n")},
    {Counter::AggOm,
     QT_TRANSLATE_NOOP(
         "varn::store",
         "Error querying the PkRqOEntSet-ReqOeSet, PkRqOAggSet-ReqAgSet, PkRqOAttrSet-ReqAtSet "
         "recordsets.\n")},
    {Counter::PvOm,
     QT_TRANSLATE_NOOP("varn::store", "Error querying the PkRqOAttrSet-ReqAtSet recordsets.\n")},
};

// Emptied in this order; REQ_ENTITY goes last.
constexpr const char *kModelTables[] = {"OM_PV",  "OM_ATTR",   "OM_METHOD", "OM_AGG",
                                        "OM_INH", "OM_ENTITY", "REQ_ENTITY"};
// The names the messages give them.
constexpr const char *kModelTableNames[] = {"OM_PV",  "OM_ATTR",   "OM_METH",   "OM_AGG",
                                            "OM_INH", "OM_ENTITY", "REQ_ENTITY"};
// Set back to 0 in this order.
constexpr Counter kCountersEmptied[] = {
    Counter::EntReq, Counter::EntOm,  Counter::AggOm, Counter::InhOm,
    Counter::MethOm, Counter::AttrOm, Counter::PvOm,
};

// A rebuild ends within its transaction and may write through SQLite's own
// handle; a composer's writer outlives any one transaction.
store::RowStatement::Route routeFor(ObjectModelWriter::Lifetime lifetime)
{
    return lifetime == ObjectModelWriter::Lifetime::OneTransaction
               ? store::RowStatement::Route::Direct
               : store::RowStatement::Route::Qt;
}

constexpr const char *kEntityQuery =
    QT_TRANSLATE_NOOP("varn::store", "Error querying the ReqOeSet recordset.\n");
constexpr const char *kEntityWrite = QT_TRANSLATE_NOOP(
    "varn::store",
    "Error writing to the ReqOeSet-PkRqOEntSet, pReqInSet-pPkRqOInhSet recordsets.\n");
constexpr const char *kAttributeQuery =
    QT_TRANSLATE_NOOP("varn::store", "Error querying the PkRqOAttrSet-ReqAtSet recordsets.\n");
constexpr const char *kMethodQuery =
    QT_TRANSLATE_NOOP("varn::store", "Error querying the PkRqOMethSet-ReqMeSet recordsets.\n");
constexpr const char *kAggregationQuery = QT_TRANSLATE_NOOP(
    "varn::store",
    "Error querying the PkRqOEntSet-ReqOeSet, PkRqOAggSet-ReqAgSet, PkRqOAttrSet-ReqAtSet "
    "recordsets.\n");
constexpr const char *kLinkWrite = "Error adding record to the ReqEnSet recordset.\n";

// Statement slots of m_statements.
enum Statement {
    FindEntity,
    InsertEntity,
    FindAttribute,
    InsertAttribute,
    UpdateAttributeType,
    FindMethod,
    InsertMethod,
    InsertInheritance,
    FindAggregation,
    InsertAggregation,
    FindPossibleValue,
    InsertPossibleValue,
    InsertRequirementEntity,
};

} // namespace

ObjectModelWriter::ObjectModelWriter(QString connectionName, Lifetime lifetime)
    : m_connection(std::move(connectionName)), m_counters(std::make_unique<store::CounterBatch>(
                                                   m_connection, kCounters, routeFor(lifetime))),
      m_lifetime(lifetime)
{}

ObjectModelWriter::~ObjectModelWriter() = default;

std::span<const char *const> ObjectModelWriter::tables()
{
    return kModelTables;
}

Outcome ObjectModelWriter::emptyAll()
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    for (std::size_t t = 0; t < std::size(kModelTables); ++t) {
        if (!query.exec(QStringLiteral("DELETE FROM ") + QLatin1String(kModelTables[t])))
            return Outcome::stop(Tr::tr("Error deleting records from %1.\n")
                                     .arg(QLatin1String(kModelTableNames[t])) +
                                 query.lastError().text());
    }
    if (Outcome reset = store::CounterBatch::resetToZero(m_connection, kCountersEmptied); !reset)
        return reset;
    reset();
    return Outcome::ok();
}

void ObjectModelWriter::reset()
{
    m_complete = false;
    m_counters->reset();
    m_entities.clear();
    m_attributes.clear();
    m_attributeTypes.clear();
    m_methods.clear();
    m_aggregations.clear();
    m_possibleValues.clear();
}

store::RowStatement &ObjectModelWriter::prepared(int statement, const QString &sql)
{
    std::unique_ptr<store::RowStatement> &slot = m_statements[statement];
    // A statement that did not prepare is prepared again at its next use;
    // running it fails with the reason it did not prepare.
    if (!slot || !slot->isPrepared())
        slot = std::make_unique<store::RowStatement>(QSqlDatabase::database(m_connection, false),
                                                     sql, routeFor(m_lifetime));
    return *slot;
}

Outcome ObjectModelWriter::failure(const char *firstLine, const store::RowStatement &statement)
{
    store::TransientRetry::noteError(statement.lastError());
    return Outcome::stop(store::Tr::tr(firstLine) + statement.lastError().text());
}

Result<qint32> ObjectModelWriter::allocate(store::Counter counter, const char *failureLine)
{
    return m_counters->allocate(counter, failureLine);
}

Outcome ObjectModelWriter::flushCounters()
{
    return m_counters->flush();
}

Result<std::optional<ModelEntity>> ObjectModelWriter::findEntity(const QString &name)
{
    if (const auto known = m_entities.constFind(name); known != m_entities.cend())
        return std::optional<ModelEntity>(*known);
    if (m_complete)
        return std::optional<ModelEntity>();
    store::RowStatement &query =
        prepared(FindEntity, "SELECT Entity_ID, Entity FROM OM_ENTITY WHERE "
                             "Entity = ? ORDER BY Entity_ID");
    query.add(name);
    if (!query.exec())
        return failure(kEntityQuery, query);
    if (!query.next())
        return std::optional<ModelEntity>();
    const ModelEntity entity{query.intValue(0), query.textValue(1)};
    query.finish();
    m_entities.insert(name, entity);
    return std::optional<ModelEntity>(entity);
}

Result<ModelEntity> ObjectModelWriter::addEntity(const QString &name)
{
    const Result<qint32> key = allocate(Counter::EntOm, kEntityWrite);
    if (!key)
        return key.outcome();
    store::RowStatement &insert =
        prepared(InsertEntity, "INSERT INTO OM_ENTITY (Entity_ID, Entity) VALUES (?, ?)");
    insert.add(key.value());
    insert.add(name);
    if (!insert.exec())
        return failure(kEntityWrite, insert);
    const ModelEntity entity{key.value(), name};
    m_entities.insert(name, entity);
    return entity;
}

Result<ModelEntity> ObjectModelWriter::ensureEntity(const QString &name)
{
    Result<std::optional<ModelEntity>> found = findEntity(name);
    if (!found)
        return found.outcome();
    if (found.value())
        return *found.value();
    return addEntity(name);
}

Result<std::optional<qint32>> ObjectModelWriter::findAttribute(const QString &name, qint32 owner)
{
    const QPair<QString, qint32> key(name, owner);
    if (const auto known = m_attributes.constFind(key); known != m_attributes.cend())
        return std::optional<qint32>(*known);
    if (m_complete)
        return std::optional<qint32>();
    store::RowStatement &query =
        prepared(FindAttribute, "SELECT Attr_ID, DataTypeDef FROM OM_ATTR WHERE Attribute = ? "
                                "AND FK_EntityID = ? ORDER BY Attr_ID");
    query.add(name);
    query.add(owner);
    if (!query.exec())
        return failure(kAttributeQuery, query);
    if (!query.next())
        return std::optional<qint32>();
    const qint32 attribute = query.intValue(0);
    m_attributeTypes.insert(attribute, query.textValue(1));
    query.finish();
    m_attributes.insert(key, attribute);
    return std::optional<qint32>(attribute);
}

Result<qint32> ObjectModelWriter::addAttribute(const QString &name, const QString &dataType,
                                               qint32 owner)
{
    const Result<qint32> key = allocate(Counter::AttrOm, kAttributeQuery);
    if (!key)
        return key.outcome();
    store::RowStatement &insert =
        prepared(InsertAttribute, "INSERT INTO OM_ATTR (Attr_ID, Attribute, "
                                  "DataTypeDef, FK_EntityID) VALUES (?, ?, ?, ?)");
    insert.add(key.value());
    insert.add(name);
    insert.add(dataType);
    insert.addReference((owner));
    if (!insert.exec())
        return failure(kAttributeQuery, insert);
    m_attributes.insert({name, owner}, key.value());
    m_attributeTypes.insert(key.value(), dataType);
    return key.value();
}

Outcome ObjectModelWriter::setAttributeType(qint32 attribute, const QString &dataType)
{
    // Derivation types an attribute at each value clause, mostly as it is.
    if (const auto known = m_attributeTypes.constFind(attribute);
        known != m_attributeTypes.cend() && *known == dataType)
        return Outcome::ok();
    store::RowStatement &update =
        prepared(UpdateAttributeType, "UPDATE OM_ATTR SET DataTypeDef = ? WHERE Attr_ID = ?");
    update.add(dataType);
    update.add(attribute);
    if (!update.exec())
        return failure(kAttributeQuery, update);
    m_attributeTypes.insert(attribute, dataType);
    return Outcome::ok();
}

Result<std::optional<qint32>> ObjectModelWriter::findMethod(const QString &name, qint32 owner)
{
    const QPair<QString, qint32> key(name, owner);
    if (const auto known = m_methods.constFind(key); known != m_methods.cend())
        return std::optional<qint32>(*known);
    if (m_complete)
        return std::optional<qint32>();
    store::RowStatement &query =
        prepared(FindMethod, "SELECT Method_ID FROM OM_METHOD WHERE Method = ? AND "
                             "FK_EntityID = ? ORDER BY Method_ID");
    query.add(name);
    query.add(owner);
    if (!query.exec())
        return failure(kMethodQuery, query);
    if (!query.next())
        return std::optional<qint32>();
    const qint32 method = query.intValue(0);
    query.finish();
    m_methods.insert(key, method);
    return std::optional<qint32>(method);
}

Result<qint32> ObjectModelWriter::addMethod(const QString &name, qint32 owner)
{
    const Result<qint32> key = allocate(Counter::MethOm, kMethodQuery);
    if (!key)
        return key.outcome();
    store::RowStatement &insert = prepared(
        InsertMethod, "INSERT INTO OM_METHOD (Method_ID, Method, FK_EntityID) VALUES (?, ?, ?)");
    insert.add(key.value());
    insert.add(name);
    insert.addReference((owner));
    if (!insert.exec())
        return failure(kMethodQuery, insert);
    m_methods.insert({name, owner}, key.value());
    return key.value();
}

Outcome ObjectModelWriter::addInheritance(const QString &subEntity, qint32 base)
{
    const Result<qint32> key = allocate(Counter::InhOm, kEntityWrite);
    if (!key)
        return key.outcome();
    store::RowStatement &insert = prepared(
        InsertInheritance, "INSERT INTO OM_INH (InH_ID, InH_Entity, FK_EntityID) VALUES (?, ?, ?)");
    insert.add(key.value());
    insert.add(subEntity);
    insert.addReference((base));
    if (!insert.exec())
        return failure(kEntityWrite, insert);
    return Outcome::ok();
}

Result<bool> ObjectModelWriter::hasAggregation(const QString &part, qint32 whole)
{
    const QPair<QString, qint32> key(part, whole);
    if (m_aggregations.contains(key))
        return true;
    if (m_complete)
        return false;
    store::RowStatement &query =
        prepared(FindAggregation, "SELECT Agg_ID FROM OM_AGG WHERE AggEntity = ? "
                                  "AND FK_EntityID = ?");
    query.add(part);
    query.add(whole);
    if (!query.exec())
        return failure(kAggregationQuery, query);
    const bool found = query.next();
    query.finish();
    if (found)
        m_aggregations.insert(key, true);
    return found;
}

Outcome ObjectModelWriter::addAggregation(const QString &part, qint32 whole)
{
    const Result<qint32> key = allocate(Counter::AggOm, kAggregationQuery);
    if (!key)
        return key.outcome();
    store::RowStatement &insert = prepared(
        InsertAggregation, "INSERT INTO OM_AGG (Agg_ID, AggEntity, FK_EntityID) VALUES (?, ?, ?)");
    insert.add(key.value());
    insert.add(part);
    insert.addReference((whole));
    if (!insert.exec())
        return failure(kAggregationQuery, insert);
    m_aggregations.insert({part, whole}, true);
    return Outcome::ok();
}

Result<bool> ObjectModelWriter::hasPossibleValue(const QString &value, qint32 attribute)
{
    const QPair<QString, qint32> key(value, attribute);
    if (m_possibleValues.contains(key))
        return true;
    if (m_complete)
        return false;
    store::RowStatement &query =
        prepared(FindPossibleValue, "SELECT PVOM_ID FROM OM_PV WHERE Value = ? AND "
                                    "FK_AttrID = ?");
    query.add(value);
    query.add(attribute);
    if (!query.exec())
        return failure(kAttributeQuery, query);
    const bool found = query.next();
    query.finish();
    if (found)
        m_possibleValues.insert(key, true);
    return found;
}

Outcome ObjectModelWriter::addPossibleValue(const QString &value, qint32 attribute)
{
    const Result<qint32> key = allocate(Counter::PvOm, kAttributeQuery);
    if (!key)
        return key.outcome();
    store::RowStatement &insert = prepared(
        InsertPossibleValue, "INSERT INTO OM_PV (PVOM_ID, FK_AttrID, Value) VALUES (?, ?, ?)");
    insert.add(key.value());
    insert.addReference((attribute));
    insert.add(value);
    if (!insert.exec())
        return failure(kAttributeQuery, insert);
    m_possibleValues.insert({value, attribute}, true);
    return Outcome::ok();
}

Outcome ObjectModelWriter::addRequirementEntity(const QString &spacedName, qint32 requirement,
                                                bool functional, qint32 entity)
{
    const Result<qint32> key = allocate(Counter::EntReq, kLinkWrite);
    if (!key)
        return key.outcome();
    store::RowStatement &insert = prepared(
        InsertRequirementEntity, "INSERT INTO REQ_ENTITY (Req_EntityID, ReqEntity, FK_FReqNum, "
                                 "FK_SReqNum, FK_OMEntity) VALUES (?, ?, ?, ?, ?)");
    insert.add(key.value());
    insert.add(spacedName);
    insert.addReference(functional ? requirement : 0);
    insert.addReference(functional ? 0 : requirement);
    insert.addReference((entity));
    if (!insert.exec())
        return failure(kLinkWrite, insert);
    return Outcome::ok();
}

} // namespace varn::objmodel
