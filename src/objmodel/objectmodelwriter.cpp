#include "objmodel/objectmodelwriter.h"

#include "store/rowstatement.h"
#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <limits>

namespace varn::objmodel {

namespace {

struct CounterTable
{
    const char *table;
    const char *column;
    const char *failureLine;

    QString read() const
    {
        return QStringLiteral("SELECT %1 FROM %2").arg(QLatin1String(column), QLatin1String(table));
    }
    QString write() const
    {
        return QStringLiteral("UPDATE %1 SET %2 = ?")
            .arg(QLatin1String(table), QLatin1String(column));
    }
};

// In CounterId order.
constexpr CounterTable kCounters[] = {
    {"PK_ENT_REQ", "PEntReq", "Error querying the PkRqEntSet recordset.\n"},
    {"PK_ENT_OM", "PEntOm", "Error querying the PkRqOEntSet recordset.\n"},
    {"PK_ATTR_OM", "PAttrOm", "Error querying the PkRqOAttrSet-ReqAtSet recordsets.\n"},
    {"PK_METH_OM", "PMethOm", "Error querying the PkRqOMethSet-ReqMeSet recordsets.\n"},
    {"PK_INH_OM", "PInhOm",
     "Error writing to the ReqOeSet-PkRqOEntSet, pReqInSet-pPkRqOInhSet recordsets.\n"},
    {"PK_AGG_OM", "PAggOm",
     "Error querying the PkRqOEntSet-ReqOeSet, PkRqOAggSet-ReqAgSet, PkRqOAttrSet-ReqAtSet "
     "recordsets.\n"},
    {"PK_PV_OM", "PPvOm", "Error querying the PkRqOAttrSet-ReqAtSet recordsets.\n"},
};

// Emptied in this order; REQ_ENTITY goes last.
constexpr const char *kModelTables[] = {"OM_PV",  "OM_ATTR",   "OM_METHOD", "OM_AGG",
                                        "OM_INH", "OM_ENTITY", "REQ_ENTITY"};
// The names the messages give them.
constexpr const char *kModelTableNames[] = {"OM_PV",  "OM_ATTR",   "OM_METH",   "OM_AGG",
                                            "OM_INH", "OM_ENTITY", "REQ_ENTITY"};
// Set back to 0 in this order.
constexpr std::pair<const char *, const char *> kCountersEmptied[] = {
    {"PK_ENT_REQ", "PEntReq"}, {"PK_ENT_OM", "PEntOm"},   {"PK_AGG_OM", "PAggOm"},
    {"PK_INH_OM", "PInhOm"},   {"PK_METH_OM", "PMethOm"}, {"PK_ATTR_OM", "PAttrOm"},
    {"PK_PV_OM", "PPvOm"},
};

constexpr const char *kEntityQuery = "Error querying the ReqOeSet recordset.\n";
constexpr const char *kEntityWrite =
    "Error writing to the ReqOeSet-PkRqOEntSet, pReqInSet-pPkRqOInhSet recordsets.\n";
constexpr const char *kAttributeQuery = "Error querying the PkRqOAttrSet-ReqAtSet recordsets.\n";
constexpr const char *kMethodQuery = "Error querying the PkRqOMethSet-ReqMeSet recordsets.\n";
constexpr const char *kAggregationQuery =
    "Error querying the PkRqOEntSet-ReqOeSet, PkRqOAggSet-ReqAgSet, PkRqOAttrSet-ReqAtSet "
    "recordsets.\n";
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
    CounterRead,
    FirstCounterWrite = 100,
};

} // namespace

ObjectModelWriter::ObjectModelWriter(QString connectionName, Lifetime lifetime)
    : m_connection(std::move(connectionName)), m_lifetime(lifetime)
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
            return Outcome::stop(QStringLiteral("Error deleting records from %1.\n")
                                     .arg(QLatin1String(kModelTableNames[t])) +
                                 query.lastError().text());
    }
    for (const auto &[table, column] : kCountersEmptied) {
        if (!query.exec(QStringLiteral("UPDATE %1 SET %2 = 0")
                            .arg(QLatin1String(table), QLatin1String(column))))
            return Outcome::stop(
                QStringLiteral("Error deleting records from %1.\n").arg(QLatin1String(table)) +
                query.lastError().text());
    }
    reset();
    return Outcome::ok();
}

void ObjectModelWriter::reset()
{
    m_complete = false;
    m_counters = {};
    m_countersRead = false;
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
        slot = std::make_unique<store::RowStatement>(
            QSqlDatabase::database(m_connection, false), sql,
            m_lifetime == Lifetime::OneTransaction ? store::RowStatement::Route::Direct
                                                   : store::RowStatement::Route::Qt);
    return *slot;
}

Outcome ObjectModelWriter::failure(const char *firstLine, const store::RowStatement &statement)
{
    store::TransientRetry::noteError(statement.lastError());
    return Outcome::stop(QString::fromLatin1(firstLine) + statement.lastError().text());
}

Outcome ObjectModelWriter::readCounters(const char *failureLine)
{
    // All seven in one statement, each locked to the end of the save where
    // other writers share the tables: the save asks once, while every other
    // writer waits for it. A counter whose table holds no row reads as null.
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    QString select = QStringLiteral("SELECT ");
    for (int counter = 0; counter < CounterCount; ++counter) {
        if (counter > 0)
            select += QStringLiteral(", ");
        select += QLatin1Char('(') +
                  store::SqlDialect::lockingRead(database, kCounters[counter].read()) +
                  QLatin1Char(')');
    }
    store::RowStatement &read = prepared(CounterRead, select);
    if (!read.exec() || !read.next())
        return failure(failureLine, read);
    for (int counter = 0; counter < CounterCount; ++counter) {
        CounterState &state = m_counters[counter];
        state.loaded = !read.isNull(counter);
        state.value = read.intValue(counter);
    }
    read.finish();
    m_countersRead = true;
    return Outcome::ok();
}

Result<qint32> ObjectModelWriter::allocate(CounterId counter, const char *failureLine)
{
    if (!m_countersRead) {
        if (Outcome read = readCounters(failureLine); !read)
            return read;
    }
    CounterState &state = m_counters[counter];
    if (!state.loaded)
        return Outcome::stop(QString::fromLatin1(failureLine) +
                             QStringLiteral("No current record."));
    // A counter damaged outside the program must not hand out a key of
    // zero or less, nor wrap round.
    if (state.value < 0)
        return Outcome::refused(
            QStringLiteral("Validation error. The %1 key counter holds %2; keys are positive "
                           "numbers.\nYour database may be corrupt.")
                .arg(QLatin1String(kCounters[counter].table))
                .arg(state.value));
    if (state.value == std::numeric_limits<qint32>::max())
        return Outcome::stop(QString::fromLatin1(failureLine) +
                             QStringLiteral("Every key has been handed out."));
    state.changed = true;
    return ++state.value;
}

Outcome ObjectModelWriter::flushCounters()
{
    for (int counter = 0; counter < CounterCount; ++counter) {
        CounterState &state = m_counters[counter];
        if (!state.changed)
            continue;
        store::RowStatement &write =
            prepared(int(FirstCounterWrite) + counter, kCounters[counter].write());
        write.add(state.value);
        if (!write.exec())
            return failure(kCounters[counter].failureLine, write);
        state.changed = false;
    }
    return Outcome::ok();
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
    const Result<qint32> key = allocate(EntOm, kEntityWrite);
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
    const Result<qint32> key = allocate(AttrOm, kAttributeQuery);
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
    const Result<qint32> key = allocate(MethOm, kMethodQuery);
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
    const Result<qint32> key = allocate(InhOm, kEntityWrite);
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
    const Result<qint32> key = allocate(AggOm, kAggregationQuery);
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
    const Result<qint32> key = allocate(PvOm, kAttributeQuery);
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
    const Result<qint32> key = allocate(EntReq, kLinkWrite);
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
