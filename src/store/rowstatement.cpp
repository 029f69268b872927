#include "store/rowstatement.h"

#include "store/sqldialect.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <sqlite3.h>

#include <cstring>
#include <utility>

namespace varn::store {

sqlite3 *RowStatement::directHandle(const QSqlDatabase &database)
{
    if (SqlDialect::of(database) != Backend::SQLite || !database.driver())
        return nullptr;
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

struct RowStatement::QtSide
{
    QSqlDatabase database;
    QSqlQuery query;
    QSqlError error;
};

QSqlError RowStatement::lastError() const
{
    return m_error;
}

RowStatement::RowStatement(const QSqlDatabase &database, const QString &sql, Route route)
    : m_qt(new QtSide{database, QSqlQuery(database), QSqlError()}), m_database(m_qt->database),
      m_query(m_qt->query), m_error(m_qt->error)
{
    if (sqlite3 *handle = route == Route::Direct ? directHandle(database) : nullptr) {
        const int code = sqlite3_prepare16_v3(handle, sql.utf16(), int(sql.size() * 2),
                                              SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
        m_prepared = code == SQLITE_OK && m_statement;
        if (!m_prepared) {
            noteDirectError(code);
            sqlite3_finalize(m_statement);
            m_statement = nullptr;
        }
        return;
    }
    m_query.setForwardOnly(SqlDialect::streamsBetweenStatements(database));
    m_prepared = m_query.prepare(sql);
    if (!m_prepared)
        m_error = m_query.lastError();
}

RowStatement::~RowStatement()
{
    sqlite3_finalize(m_statement);
}

void RowStatement::noteDirectError(int code)
{
    sqlite3 *handle = m_statement ? sqlite3_db_handle(m_statement) : directHandle(m_database);
    const QString text = handle ? QString::fromUtf8(sqlite3_errmsg(handle))
                                : QString::fromUtf8(sqlite3_errstr(code));
    m_error = QSqlError(QStringLiteral("Unable to execute statement"), text,
                        QSqlError::StatementError, QString::number(code));
}

int RowStatement::nextPosition()
{
    // The first value of a run ends whatever the last run left unread:
    // SQLite binds nothing to a statement still stepping through rows.
    if (m_nextValue == 0)
        finish();
    return ++m_nextValue;
}

void RowStatement::noteBinding(int code)
{
    if (code != SQLITE_OK && m_bindCode == SQLITE_OK)
        m_bindCode = code;
}

void RowStatement::add(qint32 value)
{
    if (!direct()) {
        m_query.addBindValue(value);
        return;
    }
    const int position = nextPosition();
    noteBinding(sqlite3_bind_int(m_statement, position, value));
}

void RowStatement::addAll(const QVariantList &values)
{
    for (const QVariant &value : values) {
        if (value.typeId() == QMetaType::Int)
            add(qint32(value.toInt()));
        else
            add(value.toString());
    }
}

void RowStatement::add(const QString &value)
{
    if (!direct()) {
        m_query.addBindValue(value);
        return;
    }
    const int position = nextPosition();
    // A null text is SQL NULL, as Qt binds it.
    if (value.isNull()) {
        noteBinding(sqlite3_bind_null(m_statement, position));
        return;
    }
    // SQLite reads the text when the statement runs, so it is kept until then.
    const QString &kept = m_texts.emplace_back(value);
    noteBinding(sqlite3_bind_text16(m_statement, position, kept.utf16(), int(kept.size() * 2),
                                    SQLITE_STATIC));
}

void RowStatement::addReference(qint32 key)
{
    if (key > 0) {
        add(key);
        return;
    }
    if (!direct()) {
        m_query.addBindValue(QVariant(QMetaType::fromType<int>()));
        return;
    }
    const int position = nextPosition();
    noteBinding(sqlite3_bind_null(m_statement, position));
}

bool RowStatement::exec()
{
    if (!m_prepared)
        return false;
    if (!direct()) {
        const bool ran = m_query.exec();
        if (!ran)
            m_error = m_query.lastError();
        return ran;
    }
    if (m_nextValue == 0)
        finish();
    m_nextValue = 0;
    if (const int bound = std::exchange(m_bindCode, SQLITE_OK); bound != SQLITE_OK) {
        noteDirectError(bound);
        finish();
        return false;
    }
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW) {
        m_rowPending = true;
        return true;
    }
    const int reset = sqlite3_reset(m_statement);
    m_texts.clear();
    if (code == SQLITE_DONE)
        return true;
    noteDirectError(reset != SQLITE_OK ? reset : code);
    return false;
}

bool RowStatement::next()
{
    if (!direct())
        return m_query.next();
    if (m_rowPending) {
        m_rowPending = false;
        return true;
    }
    if (sqlite3_stmt_busy(m_statement)) {
        const int code = sqlite3_step(m_statement);
        if (code == SQLITE_ROW)
            return true;
        if (code != SQLITE_DONE)
            noteDirectError(code);
    }
    finish();
    return false;
}

qint32 RowStatement::intValue(int column) const
{
    return direct() ? sqlite3_column_int(m_statement, column) : m_query.value(column).toInt();
}

QString RowStatement::textValue(int column) const
{
    if (!direct())
        return m_query.value(column).toString();
    const auto *text = static_cast<const char16_t *>(sqlite3_column_text16(m_statement, column));
    return text ? QString::fromUtf16(text, sqlite3_column_bytes16(m_statement, column) / 2)
                : QString();
}

bool RowStatement::isNull(int column) const
{
    return direct() ? sqlite3_column_type(m_statement, column) == SQLITE_NULL
                    : m_query.isNull(column);
}

bool RowStatement::sameAsBefore(int column)
{
    if (!direct()) {
        const QVariant value = m_query.value(column);
        const bool same =
            m_beforeType == 0 && value == m_beforeValue && value.isNull() == m_beforeValue.isNull();
        m_beforeValue = value;
        m_beforeType = 0;
        return same;
    }
    const int type = sqlite3_column_type(m_statement, column);
    const auto *bytes = static_cast<const char *>(sqlite3_column_blob(m_statement, column));
    const QByteArrayView value(bytes, sqlite3_column_bytes(m_statement, column));
    const bool same = type == m_beforeType && value == QByteArrayView(m_before);
    m_beforeType = type;
    m_before.resize(value.size()); // keeps its capacity: no allocation a row
    if (!value.isEmpty())
        std::memcpy(m_before.data(), value.data(), size_t(value.size()));
    return same;
}

int RowStatement::columnIndex(const QString &name) const
{
    if (!direct())
        return m_query.record().indexOf(name);
    for (int column = 0; column < sqlite3_column_count(m_statement); ++column) {
        if (name.compare(QString::fromUtf8(sqlite3_column_name(m_statement, column)),
                         Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

void RowStatement::finish()
{
    if (!direct()) {
        m_query.finish();
        return;
    }
    m_rowPending = false;
    sqlite3_reset(m_statement);
    m_texts.clear();
}

} // namespace varn::store
