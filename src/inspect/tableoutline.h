#pragma once

#include "common/outcome.h"

#include <QList>
#include <QSqlDatabase>
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

// What was read before a database error stays, with the error to show.
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
    explicit TableOutline(QSqlDatabase database) : m_database(std::move(database)) {}

    // Table (entity) names in table order; refused with the message to show
    // when the model holds none.
    Result<QStringList> tables() const;
    TableColumns columns(const QString &table) const;

private:
    QSqlDatabase m_database;
};

} // namespace varn::inspect
