#include "inspect/tableoutline.h"

#include "inspect/modelqueries.h"

#include <QSqlError>
#include <QSqlQuery>

namespace varn::inspect {

namespace {

using namespace modelqueries;

const QString kAggregationOpen = QStringLiteral("Cannot open ReqAgSet recordset.\n");
const QString kInheritanceOpen = QStringLiteral("Cannot open ReqInSet recordset.\n");
const QString kNoRequirements = QStringLiteral(
    "There are no requirements for the current system. To view your data model,\ncreate at "
    "least one functional or structural requirement.");
const QLatin1String kLongColumn(" : long");

// The SQL module's column type of a simple attribute; empty for the others.
QString columnType(const QString &dataType)
{
    if (dataType == QLatin1String("int"))
        return QStringLiteral(" : short");
    if (dataType == QLatin1String("long") || dataType == QLatin1String("double"))
        return QStringLiteral(" : ") + dataType;
    return QString();
}

class ColumnReader
{
public:
    ColumnReader(const QSqlDatabase &database, TableColumns &result)
        : m_query(database), m_lookup(database), m_result(result)
    {}

    bool run(const QString &sql, const QVariant &value, const QString &failureLine)
    {
        if (m_query.prepare(sql)) {
            m_query.addBindValue(value);
            if (m_query.exec())
                return true;
        }
        m_result.problem = Outcome::stop(failureLine + m_query.lastError().text());
        return false;
    }

    QSqlQuery &query() { return m_query; }

    // The name of the entity with that key; empty when there is none.
    bool entityName(qint32 key, QString &name)
    {
        if (!m_lookup.prepare(QStringLiteral("SELECT Entity FROM OM_ENTITY WHERE Entity_ID = ?"))) {
            m_result.problem = Outcome::stop(kEntityOpen + m_lookup.lastError().text());
            return false;
        }
        m_lookup.addBindValue(key);
        if (!m_lookup.exec()) {
            m_result.problem = Outcome::stop(kEntityOpen + m_lookup.lastError().text());
            return false;
        }
        name = m_lookup.next() ? m_lookup.value(0).toString() : QString();
        m_lookup.finish();
        return true;
    }

    // One foreign key per row of the current query, named after the entity
    // whose key is in the row's given column.
    bool foreignKeys(int keyColumn, const QLatin1String &prefix, ColumnImage image)
    {
        while (m_query.next()) {
            QString related;
            if (!entityName(m_query.value(keyColumn).toInt(), related))
                return false;
            add(prefix + related + kLongColumn, image);
        }
        return true;
    }

    void add(const QString &text, ColumnImage image) { m_result.columns.append({text, image}); }

private:
    QSqlQuery m_query;
    QSqlQuery m_lookup;
    TableColumns &m_result;
};

} // namespace

Result<QStringList> TableOutline::tables() const
{
    return entityNames(m_database, kNoRequirements);
}

TableColumns TableOutline::columns(const QString &table) const
{
    TableColumns result;
    ColumnReader reader(m_database, result);
    if (!reader.run(QStringLiteral("SELECT Entity_ID FROM OM_ENTITY WHERE Entity = ? ORDER BY "
                                   "Entity_ID"),
                    table, kEntityOpen) ||
        !reader.query().next())
        return result;
    const qint32 key = reader.query().value(0).toInt();
    reader.query().finish();
    reader.add(QStringLiteral("PKID_Entity%1").arg(key) + kLongColumn, ColumnImage::PrimaryKey);

    if (!reader.run(QStringLiteral("SELECT Attribute, DataTypeDef FROM OM_ATTR WHERE FK_EntityID "
                                   "= ? ORDER BY DataTypeDef COLLATE NOCASE, DataTypeDef, "
                                   "Attribute COLLATE NOCASE, Attribute"),
                    key, kAttributeOpen))
        return result;
    while (reader.query().next()) {
        const QString type = columnType(reader.query().value(1).toString());
        if (!type.isEmpty())
            reader.add(reader.query().value(0).toString() + type, ColumnImage::Attribute);
    }

    if (!reader.run(QStringLiteral("SELECT FK_EntityID FROM OM_ATTR WHERE Attribute = ? ORDER BY "
                                   "Attribute, Attr_ID"),
                    QStringLiteral("*p") + table, kAttributeOpen) ||
        !reader.foreignKeys(0, QLatin1String("FKp_"), ColumnImage::PointerKey))
        return result;
    if (!reader.run(QStringLiteral("SELECT FK_EntityID FROM OM_AGG WHERE AggEntity = ? ORDER BY "
                                   "AggEntity, Agg_ID"),
                    table, kAggregationOpen) ||
        !reader.foreignKeys(0, QLatin1String("FKr_"), ColumnImage::AggregationKey))
        return result;
    if (reader.run(QStringLiteral("SELECT FK_EntityID FROM OM_INH WHERE InH_Entity = ? ORDER BY "
                                  "InH_Entity, InH_ID"),
                   table, kInheritanceOpen))
        reader.foreignKeys(0, QLatin1String("FKi_"), ColumnImage::InheritanceKey);
    return result;
}

} // namespace varn::inspect
