#include "objmodel/objectmodelreader.h"
#include "objmodel/objmodeltr.h"

#include "store/requirementsetreader.h"
#include "store/sqldialect.h"

#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <unordered_map>

namespace varn::objmodel {

namespace {

using Order = ObjectModelReader::Order;

// One statement and the table whose record set its failures name.
struct Query
{
    ModelTable table;
    const char *recordSet;
    QString sql;
};

const char *recordSetOf(ModelTable table)
{
    static const char *const kRecordSets[] = {"ReqOeSet", "ReqAtSet",   "ReqMeSet", "ReqInSet",
                                              "ReqAgSet", "ReqOmPvSet", "ReqEnSet"};
    return kRecordSets[int(table)];
}

Query on(ModelTable table, const QString &sql)
{
    return {table, recordSetOf(table), sql};
}

// " ORDER BY ..." on a table's key or name column.
QString orderBy(Order order, const char *key, const char *name)
{
    const QLatin1String column(order == Order::Key ? key : name);
    if (order == Order::Key || order == Order::Name)
        return QStringLiteral(" ORDER BY ") + column;
    return QStringLiteral(" ORDER BY %1 COLLATE NOCASE, %1").arg(column);
}

int key(const QSqlQuery &row, int column)
{
    return row.value(column).toInt();
}

QString text(const QSqlQuery &row, int column)
{
    return row.value(column).toString();
}

ObjectModel::Entity entityRow(const QSqlQuery &row)
{
    return {key(row, 0), text(row, 1)};
}

using RowReader = void (*)(const QSqlQuery &row, ObjectModel &model);

// Each table read whole into the model; the model orders its rows itself.
struct WholeTable
{
    ModelTable table;
    const char *statement;
    RowReader readRow;
};

constexpr WholeTable kWholeTables[] = {
    {ModelTable::Entity, "SELECT Entity_ID, Entity FROM OM_ENTITY",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addEntity({key(q, 0), text(q, 1)});
     }},
    {ModelTable::Attribute, "SELECT Attr_ID, Attribute, DataTypeDef, FK_EntityID FROM OM_ATTR",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addAttribute({key(q, 0), text(q, 1), text(q, 2), key(q, 3)});
     }},
    {ModelTable::Method, "SELECT Method_ID, Method, FK_EntityID FROM OM_METHOD",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addMethod({key(q, 0), text(q, 1), key(q, 2)});
     }},
    {ModelTable::Inheritance, "SELECT InH_ID, InH_Entity, FK_EntityID FROM OM_INH",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addInheritance({key(q, 0), text(q, 1), key(q, 2)});
     }},
    {ModelTable::Aggregation, "SELECT Agg_ID, AggEntity, FK_EntityID FROM OM_AGG",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addAggregation({key(q, 0), text(q, 1), key(q, 2)});
     }},
    {ModelTable::PossibleValue, "SELECT PVOM_ID, FK_AttrID, Value FROM OM_PV",
     [](const QSqlQuery &q, ObjectModel &m) {
         m.addPossibleValue({key(q, 0), key(q, 1), text(q, 2)});
     }},
};

// The entities related to one: the statement (its key bound once) and the
// table whose record set its failures name.
struct RelationQuery
{
    ModelTable table;
    const char *sql;
};

// In Relation order.
constexpr RelationQuery kRelations[] = {
    {ModelTable::Inheritance,
     "SELECT i.FK_EntityID FROM OM_INH i JOIN OM_ENTITY e ON e.Entity = i.InH_Entity "
     "WHERE e.Entity_ID = ? ORDER BY i.InH_ID"},
    {ModelTable::Inheritance,
     "SELECT e.Entity_ID FROM OM_INH i JOIN OM_ENTITY e ON e.Entity = i.InH_Entity "
     "WHERE i.FK_EntityID = ? ORDER BY i.InH_ID, e.Entity_ID"},
    {ModelTable::Aggregation,
     "SELECT a.FK_EntityID FROM OM_AGG a JOIN OM_ENTITY e ON e.Entity = a.AggEntity "
     "WHERE e.Entity_ID = ? ORDER BY a.Agg_ID"},
    {ModelTable::Attribute,
     "SELECT a.FK_EntityID FROM OM_ATTR a JOIN OM_ENTITY e ON a.Attribute = '*p' || e.Entity "
     "WHERE e.Entity_ID = ? ORDER BY a.Attr_ID"},
};

// A table of names keyed by their owner: its key and name columns and the
// column that names the owner.
struct NameColumns
{
    ModelTable table;
    const char *from;
    const char *key;
    const char *name;
    const char *owner;
};

// In Names order.
constexpr NameColumns kNames[] = {
    {ModelTable::Method, "OM_METHOD", "Method_ID", "Method", "FK_EntityID"},
    {ModelTable::Inheritance, "OM_INH", "InH_ID", "InH_Entity", "FK_EntityID"},
    {ModelTable::Aggregation, "OM_AGG", "Agg_ID", "AggEntity", "FK_EntityID"},
};
constexpr NameColumns kPossibleValues = {ModelTable::PossibleValue, "OM_PV", "PVOM_ID", "Value",
                                         "FK_AttrID"};

Query namesQuery(const NameColumns &columns, Order order)
{
    return on(columns.table, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                     .arg(QLatin1String(columns.name), QLatin1String(columns.from),
                                          QLatin1String(columns.owner)) +
                                 orderBy(order, columns.key, columns.name));
}

} // namespace

// The connection, its prepared statements, and where the last read stopped.
class ObjectModelReader::Queries
{
public:
    explicit Queries(const QString &connectionName)
        : m_database(QSqlDatabase::database(connectionName, false))
    {}

    const QSqlDatabase &database() const { return m_database; }
    ModelReadFailure failure;

    // Runs the statement on its values and hands every row to take.
    template <typename Take>
    Outcome select(const Query &query, const QVariantList &values, Take take)
    {
        QSqlQuery *statement = prepared(query.sql);
        if (!statement)
            return fail(query, false, m_unprepared);
        for (int position = 0; position < values.size(); ++position)
            statement->bindValue(position, values.at(position));
        if (!statement->exec())
            return fail(query, false, statement->lastError());
        while (statement->next())
            take(*statement);
        const QSqlError error = statement->lastError();
        statement->finish();
        if (error.isValid())
            return fail(query, true, error);
        return Outcome::ok();
    }

    template <typename Row, typename Make>
    Result<QList<Row>> rows(const Query &query, const QVariantList &values, Make make)
    {
        QList<Row> rows;
        if (Outcome read =
                select(query, values, [&](const QSqlQuery &row) { rows.append(make(row)); });
            !read)
            return read;
        return rows;
    }

    // The first column of every row, as text.
    Result<QStringList> texts(const Query &query, const QVariantList &values)
    {
        QStringList texts;
        if (Outcome read =
                select(query, values, [&](const QSqlQuery &row) { texts.append(text(row, 0)); });
            !read)
            return read;
        return texts;
    }

    Outcome fail(const Query &query, bool partWay, const QSqlError &error)
    {
        return record(query.table, query.recordSet, partWay, error);
    }

    Outcome record(ModelTable table, const char *recordSet, bool partWay, const QSqlError &error)
    {
        failure = {table, QLatin1String(recordSet), partWay, error.text(),
                   error.databaseText().isEmpty() ? error.text() : error.databaseText()};
        return Outcome::stop((partWay ? Tr::tr("Error querying the %1 recordset.\n")
                                      : Tr::tr("Cannot open %1 recordset.\n"))
                                 .arg(failure.recordSet) +
                             failure.errorText);
    }

private:
    // Prepared once; null when it does not prepare, m_unprepared then says why.
    QSqlQuery *prepared(const QString &sql)
    {
        std::unique_ptr<QSqlQuery> &slot = m_prepared[sql];
        if (slot)
            return slot.get();
        auto query = std::make_unique<QSqlQuery>(m_database);
        query->setForwardOnly(true);
        if (!query->prepare(store::SqlDialect::likeIgnoringCase(m_database, sql))) {
            m_unprepared = query->lastError();
            m_prepared.erase(sql);
            return nullptr;
        }
        slot = std::move(query);
        return slot.get();
    }

    QSqlDatabase m_database;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_prepared;
    QSqlError m_unprepared;
};

ObjectModelReader::ObjectModelReader(QString connectionName)
    : m_queries(std::make_unique<Queries>(connectionName))
{}

ObjectModelReader::~ObjectModelReader() = default;

const ModelReadFailure &ObjectModelReader::lastFailure() const
{
    return m_queries->failure;
}

Result<ObjectModel> ObjectModelReader::readModel(const QList<ModelTable> &tables)
{
    using store::SqlDialect;
    const QSqlDatabase &database = m_queries->database();
    const store::Backend backend = SqlDialect::of(database);
    // Inside an export's snapshot the model is read in that one: a snapshot
    // of its own would end the export's transaction with it.
    const QString snapshot =
        store::RequirementSetReader::Snapshot::isOpen(database.connectionName())
            ? QString()
            : SqlDialect::beginSnapshot(backend);
    QSqlQuery transaction(database);
    if (!snapshot.isEmpty()) {
        if (!transaction.exec(snapshot) || !transaction.exec(SqlDialect::sharedLock(
                                               backend, SqlDialect::LockName::Regeneration))) {
            const QSqlError error = transaction.lastError();
            (void)transaction.exec(QStringLiteral("ROLLBACK"));
            return m_queries->record(ModelTable::Entity, recordSetOf(ModelTable::Entity), false,
                                     error);
        }
    }
    const auto endSnapshot = qScopeGuard([&] {
        if (!snapshot.isEmpty())
            (void)transaction.exec(QStringLiteral("ROLLBACK"));
    });
    ObjectModel model;
    for (const ModelTable table : tables) {
        for (const WholeTable &whole : kWholeTables) {
            if (whole.table != table)
                continue;
            const Outcome read =
                m_queries->select(on(table, QLatin1String(whole.statement)), {},
                                  [&](const QSqlQuery &row) { whole.readRow(row, model); });
            if (!read)
                return read;
        }
    }
    model.finish();
    return model;
}

Result<QList<ObjectModel::Entity>> ObjectModelReader::entities(Order order)
{
    return m_queries->rows<ObjectModel::Entity>(
        on(ModelTable::Entity, QStringLiteral("SELECT Entity_ID, Entity FROM OM_ENTITY") +
                                   orderBy(order, "Entity_ID", "Entity")),
        {}, entityRow);
}

Result<QStringList> ObjectModelReader::entityNames(Order order)
{
    return m_queries->texts(on(ModelTable::Entity, QStringLiteral("SELECT Entity FROM OM_ENTITY") +
                                                       orderBy(order, "Entity_ID", "Entity")),
                            {});
}

Result<std::optional<ObjectModel::Entity>> ObjectModelReader::entityNamed(const QString &name)
{
    Result<QList<ObjectModel::Entity>> found = m_queries->rows<ObjectModel::Entity>(
        on(ModelTable::Entity, QStringLiteral("SELECT Entity_ID, Entity FROM OM_ENTITY WHERE "
                                              "Entity = ? ORDER BY Entity_ID")),
        {name}, entityRow);
    if (!found)
        return found.outcome();
    if (found->isEmpty())
        return std::optional<ObjectModel::Entity>();
    return std::optional<ObjectModel::Entity>(found->first());
}

Result<QString> ObjectModelReader::entityName(qint32 key)
{
    Result<QStringList> names = m_queries->texts(
        on(ModelTable::Entity, QStringLiteral("SELECT Entity FROM OM_ENTITY WHERE Entity_ID = ?")),
        {key});
    if (!names)
        return names.outcome();
    return names->isEmpty() ? QString() : names->first();
}

Result<QList<qint32>> ObjectModelReader::related(qint32 entity, Relation relation)
{
    const RelationQuery &query = kRelations[int(relation)];
    return m_queries->rows<qint32>(on(query.table, QLatin1String(query.sql)), {entity},
                                   [](const QSqlQuery &row) { return qint32(key(row, 0)); });
}

Result<QList<ObjectModel::Attribute>> ObjectModelReader::attributesOf(qint32 entity,
                                                                      Attributes which, Order order)
{
    QString sql = QStringLiteral("SELECT Attr_ID, Attribute, DataTypeDef, FK_EntityID FROM "
                                 "OM_ATTR WHERE FK_EntityID = ?");
    switch (which) {
    case Attributes::All:
        break;
    case Attributes::DataMembers:
        sql += QStringLiteral(" AND DataTypeDef NOT LIKE 'reference' AND DataTypeDef NOT LIKE "
                              "'pointer'");
        break;
    case Attributes::Pointers:
        sql += QStringLiteral(" AND DataTypeDef = 'pointer'");
        break;
    case Attributes::References:
        sql += QStringLiteral(" AND DataTypeDef = 'reference'");
        break;
    }
    sql += order == Order::TypeThenName
               ? QStringLiteral(" ORDER BY DataTypeDef COLLATE NOCASE, DataTypeDef, Attribute "
                                "COLLATE NOCASE, Attribute")
               : orderBy(order, "Attr_ID", "Attribute");
    return m_queries->rows<ObjectModel::Attribute>(
        on(ModelTable::Attribute, sql), {entity}, [](const QSqlQuery &row) {
            return ObjectModel::Attribute{key(row, 0), text(row, 1), text(row, 2), key(row, 3)};
        });
}

Result<QStringList> ObjectModelReader::namesOf(qint32 entity, Names which, Order order)
{
    return m_queries->texts(namesQuery(kNames[int(which)], order), {entity});
}

Result<QStringList> ObjectModelReader::possibleValuesOf(qint32 attribute)
{
    return m_queries->texts(namesQuery(kPossibleValues, Order::NameIgnoringCase), {attribute});
}

Result<QList<ObjectModel::Entity>> ObjectModelReader::entitiesOfRequirement(qint32 number)
{
    return m_queries->rows<ObjectModel::Entity>(
        on(ModelTable::RequirementEntity,
           QStringLiteral("SELECT DISTINCT e.Entity_ID, e.Entity FROM REQ_ENTITY r JOIN OM_ENTITY "
                          "e ON e.Entity_ID = r.FK_OMEntity WHERE r.FK_FReqNum = ? OR "
                          "r.FK_SReqNum = ?")),
        {number, number}, entityRow);
}

Result<QList<qint32>> ObjectModelReader::requirementsOfEntity(qint32 entity)
{
    QList<qint32> numbers;
    const Outcome read = m_queries->select(
        on(ModelTable::RequirementEntity,
           QStringLiteral("SELECT FK_FReqNum, FK_SReqNum FROM REQ_ENTITY WHERE FK_OMEntity = ?")),
        {entity}, [&](const QSqlQuery &row) {
            for (const int column : {0, 1}) {
                if (const qint32 number = key(row, column); number > 0)
                    numbers.append(number);
            }
        });
    if (!read)
        return read;
    return numbers;
}

Result<QStringList> ObjectModelReader::requirementEntityNames()
{
    return m_queries->texts({ModelTable::RequirementEntity, "ReqJustEnSet",
                             QStringLiteral("SELECT DISTINCT ReqEntity FROM REQ_ENTITY ORDER BY "
                                            "ReqEntity")},
                            {});
}

} // namespace varn::objmodel
