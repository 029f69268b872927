#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace varn::inspect {

// The picture of a node of the data-model tree.
enum class ColumnImage { Table, PrimaryKey, Attribute, PointerKey, AggregationKey, InheritanceKey };

struct TableColumn
{
    QString text; // "speed : long"
    ColumnImage image = ColumnImage::Attribute;

    bool operator==(const TableColumn &) const = default;
};

// A read that can stop part-way: the columns read before a database error
// stay, shown above the error's message.
struct TableColumns
{
    QList<TableColumn> columns;
    Outcome problem = Outcome::ok();
};

// The relational form of the object model, as the SQL module writes it: one
// table per entity with its primary key, a column per simple attribute, and
// a foreign key per pointer to it, aggregation of it and inheritance from it.
class TableOutline
{
public:
    explicit TableOutline(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Table (entity) names in table order; refused with the message to show
    // when the model holds none.
    Result<QStringList> tableNames() const;
    TableColumns columnsOf(const QString &table) const;

private:
    QString m_connection;
};

} // namespace varn::inspect
