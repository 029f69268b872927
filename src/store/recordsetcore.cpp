#include "store/recordsetcore.h"
#include "store/storetr.h"

#include "store/sqldialect.h"
#include "store/transientretry.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace varn::store {

namespace {

// Every text column is read through a buffer of this many characters.
constexpr int kTextBuffer = 255;

constexpr char kOpenLine[] = QT_TRANSLATE_NOOP("varn::store", "Cannot open %1 recordset.\n");
constexpr char kQueryLine[] =
    QT_TRANSLATE_NOOP("varn::store", "Error querying the %1 recordset.\n");
constexpr char kAddLine[] =
    QT_TRANSLATE_NOOP("varn::store", "Error adding record to the %1 recordset.\n");
constexpr char kUpdateLine[] =
    QT_TRANSLATE_NOOP("varn::store", "Error updating the %1 recordset.\n");
constexpr char kWriteLine[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot write to the %1 recordset.\n");
constexpr char kDeleteLine[] =
    QT_TRANSLATE_NOOP("varn::store", "Error deleting records from %1.\n");

constexpr char kNotOpen[] = QT_TRANSLATE_NOOP("varn::store", "The recordset is not open.");
constexpr char kReadOnly[] = QT_TRANSLATE_NOOP("varn::store", "The recordset is read-only.");
constexpr char kNoCurrentRecord[] = QT_TRANSLATE_NOOP("varn::store", "No current record.");

QString errorText(const QSqlError &error)
{
    TransientRetry::noteError(error);
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// Cut after 255 characters, never inside a surrogate pair.
QString cutToBuffer(const QString &text)
{
    if (text.size() <= kTextBuffer)
        return text;
    qsizetype units = 0;
    for (int characters = 0; characters < kTextBuffer && units < text.size(); ++characters) {
        const bool pair = text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                          text.at(units + 1).isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return text.left(units);
}

bool holdsInteger(const QVariant &value)
{
    const int type = value.typeId();
    return type == QMetaType::LongLong || type == QMetaType::Int || type == QMetaType::ULongLong ||
           type == QMetaType::UInt;
}

QVariant nullOf(QMetaType type)
{
    return QVariant(type);
}

// What the buffer member holds for a value as stored.
QVariant rawFromStored(ColumnType type, const QVariant &stored)
{
    switch (type) {
    case ColumnType::Long:
    case ColumnType::Integer:
    case ColumnType::Reference:
        return stored.isNull() ? 0 : stored.toInt();
    case ColumnType::Text:
        return stored.isNull() ? QString() : cutToBuffer(stored.toString());
    case ColumnType::DecimalText:
        if (stored.isNull())
            return QString();
        return holdsInteger(stored) ? QString::number(stored.toLongLong())
                                    : cutToBuffer(stored.toString());
    }
    return {};
}

} // namespace

struct RecordSetCore::Statements
{
    QSqlDatabase database;
    std::optional<QSqlQuery> select;
    std::optional<QSqlQuery> insert;
    std::optional<QSqlQuery> remove;
    std::unordered_map<quint64, QSqlQuery> updates;
};

RecordSetCore::RecordSetCore(Binding binding, QString connectionName)
    : m_name(std::move(binding.setName)), m_table(std::move(binding.table)),
      m_types(std::move(binding.types)), m_columns(std::move(binding.columns)),
      m_updatable(binding.updatable), m_deletable(binding.deletable),
      m_connection(std::move(connectionName)), m_statements(std::make_unique<Statements>()),
      m_database(m_statements->database), m_select(m_statements->select),
      m_insert(m_statements->insert), m_delete(m_statements->remove),
      m_updates(m_statements->updates)
{
    // Changed columns are tracked in a 64-bit mask.
    Q_ASSERT(m_columns.size() <= 64 && m_columns.size() == m_types.size());
}

RecordSetCore::~RecordSetCore() = default;

void RecordSetCore::releaseStatements()
{
    m_select.reset();
    m_preparedSelect.clear();
    m_insert.reset();
    m_delete.reset();
    m_updates.clear();
    m_database = QSqlDatabase();
}

void RecordSetCore::setFilter(const QString &where, const QVariantList &values)
{
    m_filter = where;
    m_filterValues = values;
}

Outcome RecordSetCore::open(OpenType type)
{
    return openWith(m_defaultStatement, {}, type);
}

Outcome RecordSetCore::open(const QString &statement, const QVariantList &values, OpenType type)
{
    return openWith(statement, values, type);
}

Outcome RecordSetCore::openWith(const QString &statement, const QVariantList &values, OpenType type)
{
    close();
    QSqlDatabase database;
    if (QSqlDatabase::contains(m_connection))
        database = QSqlDatabase::database(m_connection, false);
    if (!database.isOpen())
        return fail(line(kOpenLine), Tr::tr("The database connection is not open."));
    if (!m_database.isOpen() || m_database.databaseName() != database.databaseName())
        releaseStatements();
    m_database = database;
    if (m_quotedTable.isEmpty())
        prepareIdentifiers(database);
    m_statement = statement;
    m_statementValues = values;
    m_writable = m_updatable && type == OpenType::Dynaset;
    m_open = true;
    Outcome outcome = execute();
    if (!outcome)
        close();
    return outcome;
}

void RecordSetCore::close()
{
    m_open = false;
    m_writable = false;
    m_stale = false;
    m_mode = EditMode::None;
    // The prepared statements stay for the next open: groups are closed and
    // opened again on every save. The SELECT lets go of what it read.
    if (m_select)
        m_select->finish();
    m_rows.clear();
    m_deleted.clear();
    m_exhausted = true;
    m_index = -1;
    m_bof = m_eof = true;
}

Outcome RecordSetCore::requery()
{
    if (!m_open)
        return fail(line(kOpenLine), Tr::tr(kNotOpen));
    return execute();
}

void RecordSetCore::requeryLater()
{
    if (!m_open)
        return;
    m_stale = true;
    m_mode = EditMode::None;
}

void RecordSetCore::prepareIdentifiers(const QSqlDatabase &database)
{
    m_quotedTable = SqlDialect::identifier(database, m_table, SqlDialect::Name::Table);
    m_quotedColumns.clear();
    for (const QString &column : m_columns)
        m_quotedColumns.append(SqlDialect::identifier(database, column, SqlDialect::Name::Column));
}

QString RecordSetCore::selectText() const
{
    QString sql;
    if (m_statement.isEmpty()) {
        sql = QLatin1String("SELECT ") + m_quotedColumns.join(QLatin1String(", ")) +
              QLatin1String(" FROM ") + m_quotedTable;
    } else if (m_filter.isEmpty() && m_sort.isEmpty()) {
        return m_statement;
    } else {
        sql = QLatin1String("SELECT * FROM (") + m_statement + QLatin1String(") statement_rows");
    }
    if (!m_filter.isEmpty())
        sql += QLatin1String(" WHERE (") + m_filter + QLatin1Char(')');
    if (!m_sort.isEmpty())
        sql += QLatin1String(" ORDER BY ") + m_sort;
    return sql;
}

Outcome RecordSetCore::execute()
{
    m_stale = false;
    m_mode = EditMode::None;
    m_rows.clear();
    m_deleted.clear();
    m_exhausted = true;
    m_index = -1;
    m_bof = m_eof = true;

    const QString sql = SqlDialect::likeIgnoringCase(m_database, selectText());
    if (!m_select || sql != m_preparedSelect) {
        m_preparedSelect.clear();
        m_select.emplace(m_database);
        // Sets are walked while saves write on the same connection.
        m_select->setForwardOnly(SqlDialect::streamsBetweenStatements(m_database));
        if (!m_select->prepare(sql))
            return fail(line(kOpenLine), errorText(m_select->lastError()));
        m_preparedSelect = sql;
    }
    int position = 0;
    for (const QVariant &value : std::as_const(m_statementValues))
        m_select->bindValue(position++, value);
    for (const QVariant &value : std::as_const(m_filterValues))
        m_select->bindValue(position++, value);
    if (!m_select->exec())
        return fail(line(kOpenLine), errorText(m_select->lastError()));
    if (m_select->record().count() < m_columns.size()) {
        m_select->finish();
        return fail(line(kOpenLine), Tr::tr("The statement returns %1 columns; %2 are bound.")
                                         .arg(m_select->record().count())
                                         .arg(m_columns.size()));
    }
    m_exhausted = false;
    const Outcome first = seek(0, true, true);
    return first ? first : fail(line(kOpenLine), m_lastError);
}

bool RecordSetCore::ensureFresh()
{
    if (!m_open) {
        m_lastError = Tr::tr(kNotOpen);
        return false;
    }
    return !m_stale || execute().isOk();
}

bool RecordSetCore::fetchRow()
{
    if (m_exhausted)
        return false;
    if (!m_select->next()) {
        m_exhausted = true;
        const QSqlError error = m_select->lastError();
        // Ending the statement releases what it holds in the database.
        m_select->finish();
        if (error.type() != QSqlError::NoError) {
            m_lastError = errorText(error);
            m_fetchFailed = true;
        }
        return false;
    }
    QVariantList raw;
    raw.reserve(m_columns.size());
    for (int column = 0; column < m_columns.size(); ++column)
        raw.append(rawFromStored(m_types.at(column), m_select->value(column)));
    m_rows.append(std::move(raw));
    m_deleted.append(false);
    return true;
}

bool RecordSetCore::fetchUpTo(int index)
{
    while (m_rows.size() <= index && fetchRow()) {
    }
    return index < m_rows.size();
}

Outcome RecordSetCore::seek(int from, bool forward, bool wholeSet)
{
    m_fetchFailed = false;
    int index = from;
    if (forward) {
        while (fetchUpTo(index) && m_deleted.at(index))
            ++index;
    } else {
        while (index >= 0 && m_deleted.at(index))
            --index;
    }
    if (m_fetchFailed) {
        m_index = int(m_rows.size());
        m_bof = m_eof = true;
        return fail(line(kQueryLine), m_lastError);
    }
    if (index >= 0 && index < m_rows.size()) {
        positionAt(index);
    } else if (forward) {
        m_index = int(m_rows.size());
        m_eof = true;
        m_bof = m_bof || wholeSet;
    } else {
        m_index = -1;
        m_bof = true;
        m_eof = m_eof || wholeSet;
    }
    return Outcome::ok();
}

void RecordSetCore::positionAt(int index)
{
    m_index = index;
    m_bof = m_eof = false;
    loadCurrent();
}

void RecordSetCore::loadCurrent()
{
    const QVariantList &raw = m_rows.at(m_index);
    for (int column = 0; column < raw.size(); ++column)
        setBufferValue(column, raw.at(column));
}

Outcome RecordSetCore::moveFirst()
{
    if (!ensureFresh())
        return fail(line(kQueryLine), m_lastError);
    m_mode = EditMode::None;
    m_bof = m_eof = false;
    return seek(0, true, true);
}

Outcome RecordSetCore::moveNext()
{
    if (!ensureFresh())
        return fail(line(kQueryLine), m_lastError);
    m_mode = EditMode::None;
    if (m_eof)
        return Outcome::ok();
    return seek(m_index + 1, true, false);
}

Outcome RecordSetCore::movePrevious()
{
    if (!ensureFresh())
        return fail(line(kQueryLine), m_lastError);
    m_mode = EditMode::None;
    if (m_bof)
        return Outcome::ok();
    return seek(m_index - 1, false, false);
}

Outcome RecordSetCore::moveLast()
{
    if (!ensureFresh())
        return fail(line(kQueryLine), m_lastError);
    m_mode = EditMode::None;
    m_fetchFailed = false;
    while (fetchRow()) {
    }
    if (m_fetchFailed) {
        m_index = int(m_rows.size());
        m_bof = m_eof = true;
        return fail(line(kQueryLine), m_lastError);
    }
    m_bof = m_eof = false;
    return seek(int(m_rows.size()) - 1, false, true);
}

bool RecordSetCore::isBOF()
{
    return !ensureFresh() || m_bof;
}

bool RecordSetCore::isEOF()
{
    return !ensureFresh() || m_eof;
}

bool RecordSetCore::isDeleted() const
{
    return m_open && !m_stale && m_index >= 0 && m_index < m_deleted.size() &&
           m_deleted.at(m_index);
}

bool RecordSetCore::hasCurrentRow()
{
    return ensureFresh() && !m_bof && !m_eof && m_index >= 0 && m_index < m_rows.size() &&
           !m_deleted.at(m_index);
}

Outcome RecordSetCore::checkWritable()
{
    if (!m_open)
        return fail(line(kWriteLine), Tr::tr(kNotOpen));
    if (!m_writable)
        return fail(line(kWriteLine), Tr::tr(kReadOnly));
    return Outcome::ok();
}

Outcome RecordSetCore::checkDeletable()
{
    if (Outcome refusal = checkWritable(); !refusal)
        return refusal;
    if (!m_deletable)
        return fail(tableLine(kDeleteLine), Tr::tr("Rows of %1 are never deleted.").arg(m_table));
    return Outcome::ok();
}

Outcome RecordSetCore::addNew()
{
    if (Outcome refusal = checkWritable(); !refusal)
        return refusal;
    clearBuffer();
    m_mode = EditMode::Adding;
    return Outcome::ok();
}

Outcome RecordSetCore::edit()
{
    if (Outcome refusal = checkWritable(); !refusal)
        return refusal;
    if (!hasCurrentRow())
        return fail(line(kUpdateLine), Tr::tr(kNoCurrentRecord));
    // Edits start from the stored row, whatever the buffer held before.
    loadCurrent();
    m_editSnapshot = m_rows.at(m_index);
    m_mode = EditMode::Editing;
    return Outcome::ok();
}

Outcome RecordSetCore::update()
{
    switch (m_mode) {
    case EditMode::Adding:
        return insertBuffer();
    case EditMode::Editing:
        return updateChanged();
    case EditMode::None:
        break;
    }
    return fail(line(kUpdateLine), Tr::tr("No add or edit is in progress."));
}

void RecordSetCore::cancelUpdate()
{
    m_mode = EditMode::None;
    if (m_open && !m_stale && m_index >= 0 && m_index < m_rows.size())
        loadCurrent();
}

std::optional<QVariant> RecordSetCore::storedValue(int column, const QVariant &raw,
                                                   QString *error) const
{
    switch (m_types.at(column)) {
    case ColumnType::Long:
    case ColumnType::Integer:
        return raw;
    case ColumnType::Reference:
        return raw.toInt() == 0 ? nullOf(QMetaType::fromType<int>()) : raw;
    case ColumnType::Text:
        return raw.toString().isNull() ? nullOf(QMetaType::fromType<QString>()) : raw;
    case ColumnType::DecimalText: {
        const QString text = raw.toString().trimmed();
        if (text.isEmpty())
            return nullOf(QMetaType::fromType<int>());
        bool ok = false;
        const int number = text.toInt(&ok);
        if (ok)
            return number;
        *error =
            Tr::tr("%1: \"%2\" is not a whole number.").arg(m_columns.at(column), raw.toString());
        return std::nullopt;
    }
    }
    return std::nullopt;
}

Outcome RecordSetCore::prepareInto(std::optional<QSqlQuery> &query, const QString &sql,
                                   const QString &firstLine)
{
    query.emplace(m_database);
    if (query->prepare(sql))
        return Outcome::ok();
    const QString error = errorText(query->lastError());
    query.reset();
    return fail(firstLine, error);
}

Outcome RecordSetCore::insertBuffer()
{
    if (!m_insert) {
        const QString sql =
            QLatin1String("INSERT INTO ") + m_quotedTable + QLatin1String(" (") +
            m_quotedColumns.join(QLatin1String(", ")) + QLatin1String(") VALUES (") +
            QStringList(m_columns.size(), QString(QLatin1Char('?'))).join(QLatin1String(", ")) +
            QLatin1Char(')');
        if (Outcome prepared = prepareInto(m_insert, sql, line(kAddLine)); !prepared)
            return prepared;
    }
    for (int column = 0; column < m_columns.size(); ++column) {
        QString error;
        const std::optional<QVariant> value = storedValue(column, bufferValue(column), &error);
        if (!value)
            return fail(line(kAddLine), error);
        m_insert->bindValue(column, *value);
    }
    if (!m_insert->exec())
        return fail(line(kAddLine), errorText(m_insert->lastError()));
    m_mode = EditMode::None;
    return Outcome::ok();
}

QSqlQuery *RecordSetCore::preparedUpdate(quint64 changed)
{
    if (auto found = m_updates.find(changed); found != m_updates.end())
        return &found->second;
    QStringList assignments;
    for (int column = 0; column < m_columns.size(); ++column) {
        if (changed & (quint64(1) << column))
            assignments.append(m_quotedColumns.at(column) + QLatin1String(" = ?"));
    }
    const QString sql = QLatin1String("UPDATE ") + m_quotedTable + QLatin1String(" SET ") +
                        assignments.join(QLatin1String(", ")) + QLatin1String(" WHERE ") +
                        m_quotedColumns.at(0) + QLatin1String(" = ?");
    QSqlQuery query(m_database);
    if (!query.prepare(sql)) {
        m_lastError = errorText(query.lastError());
        return nullptr;
    }
    return &m_updates.emplace(changed, query).first->second;
}

Outcome RecordSetCore::updateChanged()
{
    quint64 changed = 0;
    QVariantList current;
    for (int column = 0; column < m_columns.size(); ++column) {
        current.append(bufferValue(column));
        if (current.last() != m_editSnapshot.at(column))
            changed |= quint64(1) << column;
    }
    if (changed == 0) {
        m_mode = EditMode::None;
        return Outcome::ok();
    }
    QSqlQuery *query = preparedUpdate(changed);
    if (!query)
        return fail(line(kUpdateLine), m_lastError);
    int position = 0;
    for (int column = 0; column < m_columns.size(); ++column) {
        if (!(changed & (quint64(1) << column)))
            continue;
        QString error;
        const std::optional<QVariant> value = storedValue(column, current.at(column), &error);
        if (!value)
            return fail(line(kUpdateLine), error);
        query->bindValue(position++, *value);
    }
    QString error;
    query->bindValue(position, *storedValue(0, m_editSnapshot.at(0), &error));
    if (!query->exec())
        return fail(line(kUpdateLine), errorText(query->lastError()));
    if (query->numRowsAffected() != 1)
        return fail(line(kUpdateLine), Tr::tr("The record no longer exists."));
    m_rows[m_index] = current;
    m_mode = EditMode::None;
    return Outcome::ok();
}

Outcome RecordSetCore::deleteRow()
{
    if (Outcome refusal = checkDeletable(); !refusal)
        return refusal;
    if (!hasCurrentRow())
        return fail(tableLine(kDeleteLine), Tr::tr(kNoCurrentRecord));
    if (!m_delete) {
        const QString sql = QLatin1String("DELETE FROM ") + m_quotedTable +
                            QLatin1String(" WHERE ") + m_quotedColumns.at(0) +
                            QLatin1String(" = ?");
        if (Outcome prepared = prepareInto(m_delete, sql, tableLine(kDeleteLine)); !prepared)
            return prepared;
    }
    QString error;
    m_delete->bindValue(0, *storedValue(0, m_rows.at(m_index).at(0), &error));
    if (!m_delete->exec())
        return fail(tableLine(kDeleteLine), errorText(m_delete->lastError()));
    m_deleted[m_index] = true;
    m_mode = EditMode::None;
    return Outcome::ok();
}

Result<int> RecordSetCore::deleteMatching()
{
    if (Outcome refusal = checkDeletable(); !refusal)
        return refusal;
    QString sql = QLatin1String("DELETE FROM ") + m_quotedTable;
    if (!m_filter.isEmpty())
        sql += QLatin1String(" WHERE (") + m_filter + QLatin1Char(')');
    QSqlQuery query(m_database);
    if (!query.prepare(sql))
        return fail(tableLine(kDeleteLine), errorText(query.lastError()));
    for (int position = 0; position < m_filterValues.size(); ++position)
        query.bindValue(position, m_filterValues.at(position));
    if (!query.exec())
        return fail(tableLine(kDeleteLine), errorText(query.lastError()));
    const int count = query.numRowsAffected();
    requeryLater();
    return count;
}

void RecordSetCore::setKeyValue(qint32 key)
{
    setBufferValue(0, key);
}

Outcome RecordSetCore::errorOutcome(const QString &firstLine) const
{
    return Outcome::stop(firstLine + m_lastError);
}

Outcome RecordSetCore::fail(const QString &firstLine, const QString &error)
{
    m_lastError = error;
    return Outcome::stop(firstLine + error);
}

QString RecordSetCore::line(const char *pattern) const
{
    return QString::fromLatin1(pattern).arg(m_name);
}

QString RecordSetCore::tableLine(const char *pattern) const
{
    return QString::fromLatin1(pattern).arg(m_table);
}

} // namespace varn::store
