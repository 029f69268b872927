#pragma once

#include <QByteArray>
#include <QString>
#include <QVarLengthArray>
#include <QVariant>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

namespace varn::store {

// One statement prepared once and run many times with positional values, for
// writers of tens of thousands of rows. With Route::Direct on SQLite it is
// prepared on the connection's own handle and values are bound as they are,
// without Qt's per-value placeholder bookkeeping (which costs more than the
// insert itself); such a statement must be destroyed before its connection
// closes, so only an owner that ends within one transaction asks for it.
// Anywhere else, and with Route::Qt, it is a prepared QSqlQuery, reading its
// rows as it goes where the backend allows other statements in between.
class RowStatement
{
public:
    enum class Route { Qt, Direct };

    RowStatement(const QSqlDatabase &database, const QString &sql, Route route);
    ~RowStatement();

    RowStatement(const RowStatement &) = delete;
    RowStatement &operator=(const RowStatement &) = delete;

    // The connection's own SQLite handle, or null on any other driver.
    static sqlite3 *directHandle(const QSqlDatabase &database);

    // False when the statement did not prepare; lastError() then says why.
    bool isPrepared() const { return m_prepared; }

    // Values for the next run, in placeholder order.
    void add(qint32 value);
    void add(const QString &value);
    // A selection's bound values: integers as integers, anything else as
    // text.
    void addAll(const QVariantList &values);
    // An integer reference: SQL NULL for 0 and below.
    void addReference(qint32 key);

    // Runs with the values added since the last run.
    bool exec();
    // The rows of a query run by exec(), one at a time.
    bool next();
    qint32 intValue(int column) const;
    QString textValue(int column) const;
    bool isNull(int column) const;
    // Whether a column holds the same value as in the row read before, for
    // telling runs of equal sort values apart without converting each value:
    // compared as stored (type and bytes) on the direct route, as values
    // otherwise. The first row equals nothing.
    bool sameAsBefore(int column);
    // The position of a result column by its name, -1 when there is none.
    int columnIndex(const QString &name) const;
    // Ends the reading of a query's rows before the next run.
    void finish();

    QSqlError lastError() const;

private:
    bool direct() const { return m_statement != nullptr; }
    int nextPosition();
    QByteArray m_before;
    QVariant m_beforeValue;
    int m_beforeType = -1; // none read yet
    void noteBinding(int code);
    void noteDirectError(int code);

    // The Qt side lives in the .cpp, so that this header needs no Qt SQL; the
    // members below name it.
    struct QtSide;
    const std::unique_ptr<QtSide> m_qt;
    QSqlDatabase &m_database;
    QSqlQuery &m_query;
    sqlite3_stmt *m_statement = nullptr;
    bool m_prepared = false;
    int m_nextValue = 0;
    int m_bindCode = 0; // the first binding of this run that failed, 0 (SQLITE_OK) if none
    bool m_rowPending = false;
    // The texts bound to the running statement, kept alive until it runs again.
    QVarLengthArray<QString, 5> m_texts;
    QSqlError &m_error;
};

} // namespace varn::store
