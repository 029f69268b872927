#include "inspect/tableoutline.h"
#include "inspect/inspecttr.h"

#include "objmodel/objectmodelreader.h"

namespace varn::inspect {

namespace {

using objmodel::ObjectModel;
using objmodel::ObjectModelReader;

constexpr char kNoRequirements[] = QT_TRANSLATE_NOOP(
    "varn::inspect",
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

// The foreign keys of a table, one per row that relates another entity to it:
// a pointer to it, an aggregation of it, its being a kind of the other.
struct ForeignKeys
{
    ObjectModelReader::Relation relation;
    QLatin1String prefix;
    ColumnImage image;
};

const ForeignKeys kForeignKeys[] = {
    {ObjectModelReader::Relation::PointingEntities, QLatin1String("FKp_"), ColumnImage::PointerKey},
    {ObjectModelReader::Relation::Wholes, QLatin1String("FKr_"), ColumnImage::AggregationKey},
    {ObjectModelReader::Relation::Bases, QLatin1String("FKi_"), ColumnImage::InheritanceKey},
};

// Adds the columns of the table as far as they can be read.
Outcome readColumns(ObjectModelReader &model, const QString &table, QList<TableColumn> &columns)
{
    const Result<std::optional<ObjectModel::Entity>> found = model.entityNamed(table);
    if (!found)
        return found.outcome();
    if (!found.value())
        return Outcome::ok();
    const qint32 key = found.value()->id;
    columns.append(
        {QStringLiteral("PKID_Entity%1").arg(key) + kLongColumn, ColumnImage::PrimaryKey});

    const Result<QList<ObjectModel::Attribute>> attributes = model.attributesOf(
        key, ObjectModelReader::Attributes::All, ObjectModelReader::Order::TypeThenName);
    if (!attributes)
        return attributes.outcome();
    for (const ObjectModel::Attribute &attribute : attributes.value()) {
        if (const QString type = columnType(attribute.dataType); !type.isEmpty())
            columns.append({attribute.name + type, ColumnImage::Attribute});
    }

    for (const ForeignKeys &keys : kForeignKeys) {
        const Result<QList<qint32>> related = model.related(key, keys.relation);
        if (!related)
            return related.outcome();
        for (const qint32 other : related.value()) {
            const Result<QString> name = model.entityName(other);
            if (!name)
                return name.outcome();
            columns.append({keys.prefix + name.value() + kLongColumn, keys.image});
        }
    }
    return Outcome::ok();
}

} // namespace

Result<QStringList> TableOutline::tableNames() const
{
    Result<QStringList> names =
        ObjectModelReader(m_connection).entityNames(ObjectModelReader::Order::Key);
    if (names && names->isEmpty())
        return Outcome::refused(Tr::tr(kNoRequirements));
    return names;
}

TableColumns TableOutline::columnsOf(const QString &table) const
{
    TableColumns result;
    ObjectModelReader model(m_connection);
    result.problem = readColumns(model, table, result.columns);
    return result;
}

} // namespace varn::inspect
