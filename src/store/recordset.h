#pragma once

#include "store/recordcolumn.h"
#include "store/recordsetcore.h"

#include <span>

namespace varn::store {

// A record set over one table with a typed row buffer: one member of Row per
// bound column, as the table's column list says. The per-table classes only
// name their set, table, columns and whether they may write.
template <typename Row> class RecordSet : public RecordSetCore
{
public:
    // Appendable: added and edited, never deleted.
    enum class Access { Updatable, Appendable, ReadOnly };

    Row &row() { return m_row; }
    const Row &row() const { return m_row; }

    // Hands every row from the current one to the end to visit; a read that
    // fails on the way ends the walk with its outcome, so a caller never
    // takes a cut-short list for the whole one.
    template <typename Visit> Outcome forEachRow(Visit visit)
    {
        while (!isEOF()) {
            visit(row());
            if (Outcome moved = moveNext(); !moved)
                return moved;
        }
        return Outcome::ok();
    }

protected:
    // The key, when the set may write, is the first column.
    RecordSet(const char *setName, const char *table, std::span<const RecordColumn<Row>> columns,
              Access access, const QString &connectionName)
        : RecordSetCore(binding(setName, table, columns, access), connectionName),
          m_columnsOfRow(columns)
    {}

    QVariant bufferValue(int column) const override
    {
        const auto &member = m_columnsOfRow[column].member;
        if (const auto *number = std::get_if<int Row::*>(&member))
            return m_row.**number;
        return m_row.*std::get<QString Row::*>(member);
    }

    void setBufferValue(int column, const QVariant &raw) override
    {
        const auto &member = m_columnsOfRow[column].member;
        if (const auto *number = std::get_if<int Row::*>(&member))
            m_row.**number = raw.toInt();
        else
            m_row.*std::get<QString Row::*>(member) = raw.toString();
    }

    void clearBuffer() override { m_row = Row{}; }

private:
    static Binding binding(const char *setName, const char *table,
                           std::span<const RecordColumn<Row>> columns, Access access)
    {
        Binding result;
        result.setName = QString::fromLatin1(setName);
        result.table = QString::fromLatin1(table);
        result.updatable = access != Access::ReadOnly;
        result.deletable = access == Access::Updatable;
        for (const RecordColumn<Row> &column : columns) {
            result.types.append(column.type);
            result.columns.append(QString::fromLatin1(column.name));
        }
        return result;
    }

    std::span<const RecordColumn<Row>> m_columnsOfRow;
    Row m_row;
};

} // namespace varn::store
