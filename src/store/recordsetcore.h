#pragma once

#include "common/outcome.h"
#include "store/recordcolumn.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <unordered_map>

class QSqlDatabase;
class QSqlQuery;

namespace varn::store {

// What every record set does, whatever its table: filter and sort, open,
// requery, move, and add/edit/update/delete through prepared statements on one
// named Qt SQL connection. The typed layer (RecordSet<Row>) moves values
// between the row buffer and the raw values kept here.
//
// Rows are fetched as the set is walked and kept, so moving back is cheap and
// walking part of a large table reads only that part. Rows added through the
// set join its result at the next requery; edited rows show their new values
// at once; deleted rows are skipped by every move.
//
// Filters and statements take "?" placeholders whose values are bound, never
// pasted: setFilter("Entity = ?", {name}).
class RecordSetCore
{
public:
    enum class OpenType { Dynaset, Snapshot };
    enum class EditMode { None, Adding, Editing };

    virtual ~RecordSetCore();
    RecordSetCore(const RecordSetCore &) = delete;
    RecordSetCore &operator=(const RecordSetCore &) = delete;

    // The name messages give the set ("ReqMsSet"), its table and connection.
    const QString &name() const { return m_name; }
    const QString &tableName() const { return m_table; }
    const QString &connectionName() const { return m_connection; }

    // The WHERE text (without the word) and its bound values; the ORDER BY
    // text (without the words). Both take effect at the next open or requery.
    void setFilter(const QString &where, const QVariantList &values = {});
    const QString &filter() const { return m_filter; }
    const QVariantList &filterValues() const { return m_filterValues; }
    void setSort(const QString &orderBy) { m_sort = orderBy; }
    const QString &sort() const { return m_sort; }

    // Opens on the default table (or the class's own statement), or on a
    // whole SQL statement whose columns come in the class's binding order.
    // The filter and sort apply to the statement's result. A set that is
    // already open is closed first. Positioned on the first row.
    [[nodiscard]] Outcome open(OpenType type = OpenType::Dynaset);
    [[nodiscard]] Outcome open(const QString &statement, const QVariantList &values = {},
                               OpenType type = OpenType::Dynaset);
    // Closes the result; the filter and sort stay, and so do the prepared
    // statements, for the next open on the same database.
    void close();
    bool isOpen() const { return m_open; }

    // Runs the statement again with the current filter and sort.
    [[nodiscard]] Outcome requery();
    // The same, run when the set is next moved, tested or edited: cheap when
    // rows are only about to be added.
    void requeryLater();

    // A failing move leaves the set at its end and reports the error.
    Outcome moveFirst();
    Outcome moveNext();
    Outcome movePrevious();
    Outcome moveLast();
    bool isBOF();
    bool isEOF();
    // True when the current row was deleted through this set.
    bool isDeleted() const;

    bool canAppend() const { return m_open && m_writable; }
    bool canUpdate() const { return canAppend(); }
    EditMode editMode() const { return m_mode; }

    // addNew clears the row buffer; update writes it as a new row (it joins
    // the result at the next requery, and the buffer keeps the values written).
    // edit loads the current row as stored into the buffer; update then writes
    // the columns the caller changed, found by the row's key (its first column).
    [[nodiscard]] Outcome addNew();
    [[nodiscard]] Outcome edit();
    [[nodiscard]] Outcome update();
    // Leaves add or edit mode; the buffer shows the current row again.
    void cancelUpdate();
    // Deletes the current row.
    [[nodiscard]] Outcome deleteRow();
    // Deletes every row the filter selects (the whole table without one) in
    // one statement; the set is requeried. Returns the number deleted.
    [[nodiscard]] Result<int> deleteMatching();

    // The database's own text of the last error.
    const QString &lastErrorText() const { return m_lastError; }
    // A stop outcome: the caller's first line followed by the last error text.
    Outcome errorOutcome(const QString &firstLine) const;

protected:
    struct Binding
    {
        QString setName;
        QString table;
        QList<ColumnType> types;
        QStringList columns;
        bool updatable = false; // false: a snapshot whatever the open type asks
        bool deletable = false; // false: rows are only ever added and edited
    };

    RecordSetCore(Binding binding, QString connectionName);

    // A statement open() uses instead of the default table.
    void setDefaultStatement(const QString &statement) { m_defaultStatement = statement; }

    // The typed layer's row buffer: raw values are an int for numeric columns
    // and a QString for textual ones.
    virtual QVariant bufferValue(int column) const = 0;
    virtual void setBufferValue(int column, const QVariant &raw) = 0;
    virtual void clearBuffer() = 0;
    void setKeyValue(qint32 key);

    friend class CounterSet;

private:
    void releaseStatements();
    Outcome openWith(const QString &statement, const QVariantList &values, OpenType type);
    QString selectText() const;
    void prepareIdentifiers(const QSqlDatabase &database);
    Outcome execute();
    bool ensureFresh();
    bool fetchRow();
    bool fetchUpTo(int index);
    // Moves to the first live row from `from` on (or back); past either end
    // the set is at EOF (or BOF), at both when the whole set has no live row.
    Outcome seek(int from, bool forward, bool wholeSet);
    void positionAt(int index);
    void loadCurrent();
    bool hasCurrentRow();
    Outcome checkWritable();
    Outcome checkDeletable();
    std::optional<QVariant> storedValue(int column, const QVariant &raw, QString *error) const;
    Outcome insertBuffer();
    Outcome updateChanged();
    QSqlQuery *preparedUpdate(quint64 changed);
    Outcome prepareInto(std::optional<QSqlQuery> &query, const QString &sql,
                        const QString &firstLine);
    Outcome fail(const QString &firstLine, const QString &error);
    QString line(const char *pattern) const;
    QString tableLine(const char *pattern) const;

    const QString m_name;
    const QString m_table;
    const QList<ColumnType> m_types;
    const QStringList m_columns;
    const bool m_updatable;
    const bool m_deletable;
    const QString m_connection;
    QString m_defaultStatement;

    QString m_filter;
    QVariantList m_filterValues;
    QString m_sort;
    QString m_statement;
    QVariantList m_statementValues;

    bool m_open = false;
    bool m_writable = false;
    bool m_stale = false;
    EditMode m_mode = EditMode::None;

    QString m_quotedTable;
    QStringList m_quotedColumns;
    // The connection and the prepared statements live in the .cpp, so that
    // the record sets' headers need no Qt SQL; the members below name them.
    struct Statements;
    const std::unique_ptr<Statements> m_statements;
    QSqlDatabase &m_database;
    std::optional<QSqlQuery> &m_select;
    QString m_preparedSelect;
    std::optional<QSqlQuery> &m_insert;
    std::optional<QSqlQuery> &m_delete;
    std::unordered_map<quint64, QSqlQuery> &m_updates;

    QList<QVariantList> m_rows;
    QList<bool> m_deleted;
    bool m_exhausted = true;
    bool m_fetchFailed = false;
    int m_index = -1;
    bool m_bof = true;
    bool m_eof = true;
    QVariantList m_editSnapshot;
    QString m_lastError;
};

} // namespace varn::store
