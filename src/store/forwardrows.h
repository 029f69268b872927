#pragma once

#include "store/boundquery.h"
#include "store/sqldialect.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace varn::store {

// The rows of a select, read forward as they are used. On a workspace file
// the statement steps through them; on a server the select is a cursor of
// the open transaction, fetched a batch at a time, so that neither the
// driver nor the program ever holds the whole result, and other statements
// (another cursor's fetch among them) may run between two rows.
class ForwardRows
{
public:
    ForwardRows(const QSqlDatabase &database, const QString &cursor)
        : m_database(database), m_rows(database),
          m_server(SqlDialect::of(database) == Backend::PostgreSQL)
    {
        static quint64 serial = 0;
        m_cursor = cursor + QLatin1Char('_') + QString::number(++serial);
        // A batch is held whole on a server: the driver drops what is left
        // of a streamed result when the connection runs another statement.
        m_rows.setForwardOnly(!m_server);
    }
    ~ForwardRows()
    {
        if (m_declared) {
            QSqlQuery close(m_database);
            (void)close.exec(QStringLiteral("CLOSE ") + m_cursor);
        }
    }
    ForwardRows(const ForwardRows &) = delete;
    ForwardRows &operator=(const ForwardRows &) = delete;

    // The values are bound to the select's "?" in order; on a server they
    // are written into the cursor's declaration as the driver quotes them.
    bool open(const QString &select, const QVariantList &values)
    {
        if (!m_server)
            return runBound(m_rows, select, values);
        QString statement = select;
        qsizetype at = 0;
        for (const QVariant &value : values) {
            at = statement.indexOf(QLatin1Char('?'), at);
            if (at < 0)
                break;
            QSqlField field(QString(), value.metaType());
            field.setValue(value);
            const QString literal = m_database.driver()->formatValue(field);
            statement.replace(at, 1, literal);
            at += literal.size();
        }
        QSqlQuery declare(m_database);
        if (!declare.exec(
                QStringLiteral("DECLARE %1 NO SCROLL CURSOR FOR %2").arg(m_cursor, statement))) {
            m_error = declare.lastError();
            return false;
        }
        m_declared = true;
        return true;
    }

    bool next()
    {
        for (;;) {
            if (m_rows.isActive() && m_rows.next()) {
                ++m_inBatch;
                return true;
            }
            if (m_rows.lastError().isValid()) {
                m_error = m_rows.lastError();
                return false;
            }
            // A batch shorter than asked for was the last.
            if (!m_server || (m_fetched && m_inBatch < kBatch))
                return false;
            m_fetched = true;
            m_inBatch = 0;
            if (!m_rows.exec(
                    QStringLiteral("FETCH FORWARD %1 FROM %2").arg(kBatch).arg(m_cursor))) {
                m_error = m_rows.lastError();
                return false;
            }
        }
    }

    const QSqlQuery &row() const { return m_rows; }
    bool failed() const { return m_error.isValid(); }
    QSqlError lastError() const { return m_error.isValid() ? m_error : m_rows.lastError(); }

private:
    static constexpr int kBatch = 2000;

    QSqlDatabase m_database;
    QSqlQuery m_rows;
    QString m_cursor;
    QSqlError m_error;
    bool m_server = false;
    bool m_declared = false;
    bool m_fetched = false;
    int m_inBatch = 0;
};

} // namespace varn::store
