#include "store/requirementsetreader.h"
#include "common/commonmessages.h"
#include "store/storetr.h"

#include "store/boundquery.h"
#include "store/dependentlinktable.h"
#include "store/forwardrows.h"
#include "store/requirementrows.h"
#include "store/savetransaction.h"
#include "store/sqldialect.h"
#include "store/storemessages.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace varn::store {

namespace {

Outcome readFailure(const QSqlError &error)
{
    return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed) + QLatin1Char('\n') +
                         error.text());
}

Outcome readFailure(const QSqlQuery &query)
{
    return readFailure(query.lastError());
}

// The connections on which a Snapshot is open.
QSet<QString> &snapshotsOpen()
{
    static QSet<QString> open;
    return open;
}

// A composer table's columns in the join: where its key is, and the names
// and positions of the others, in the table's order.
struct ComposerColumns
{
    QString table;
    int key = 0; // in the join
    QStringList names;
    QList<int> positions; // of `names`, in the join
};

// A column by the name the schema gives it: a server lists the names folded
// to lower case, and a file written from one backend is read on the other.
template <typename Row, std::size_t N>
QString schemaName(const QString &listed, const RecordColumn<Row> (&known)[N])
{
    for (const RecordColumn<Row> &column : known) {
        if (listed.compare(QLatin1String(column.name), Qt::CaseInsensitive) == 0)
            return QLatin1String(column.name);
    }
    return listed;
}

QString schemaName(const QString &table, const QString &listed)
{
    return table == QLatin1String("FUNC_REQ") ? schemaName(listed, kFuncReqColumns)
                                              : schemaName(listed, kStrucReqColumns);
}

// The columns of one composer table as the database lists them, appended
// to the join's select list under `alias`.
Outcome addComposerColumns(QSqlDatabase &database, const QString &table, const QString &key,
                           const QString &alias, QString &select, int &count,
                           ComposerColumns &columns)
{
    QSqlQuery empty(database);
    if (!empty.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table)))
        return readFailure(empty);
    const QSqlRecord record = empty.record();
    columns.table = table;
    for (int i = 0; i < record.count(); ++i) {
        const QString name = record.fieldName(i);
        select += QStringLiteral(", %1.%2").arg(
            alias, database.driver()->escapeIdentifier(name, QSqlDriver::FieldName));
        if (name.compare(key, Qt::CaseInsensitive) == 0) {
            columns.key = count;
        } else {
            columns.names.append(schemaName(table, name));
            columns.positions.append(count);
        }
        ++count;
    }
    return Outcome::ok();
}

// The composer row of the join's current row into the requirement; false
// when the requirement has no row in that table.
bool takeComposerRow(const QSqlQuery &rows, const ComposerColumns &columns,
                     WholeRequirement &requirement)
{
    if (rows.isNull(columns.key))
        return false;
    requirement.composerTable = columns.table;
    requirement.composerColumns = columns.names;
    requirement.composerTexts.clear();
    // NULL is no text on every backend (a server's driver hands a NULL
    // number over as 0).
    for (const int position : columns.positions)
        requirement.composerTexts.append(rows.isNull(position) ? QString()
                                                               : rows.value(position).toString());
    return true;
}

} // namespace

Outcome RequirementSetReader::forEach(
    bool everyVersion, const std::function<void(const WholeRequirement &requirement)> &visit) const
{
    return read(everyVersion, [&visit](const WholeRequirement &requirement) {
        visit(requirement);
        return Outcome::ok();
    });
}

Outcome RequirementSetReader::read(
    bool everyVersion,
    const std::function<Outcome(const WholeRequirement &requirement)> &visit) const
{
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    const Snapshot snapshot(m_connection);

    // One pass: every requirement with its composer row beside it.
    QString select = QStringLiteral(
        "SELECT m.Req_Num, m.FSTType, m.Source, m.Category, m.Priority, m.Release, m.Version, "
        "m.ParaNum, m.Preamble, m.ReqText, m.OrigReqNum, m.DateSaved, m.Comments");
    int count = 13;
    ComposerColumns functional, structural;
    if (Outcome added =
            addComposerColumns(database, QStringLiteral("FUNC_REQ"), QStringLiteral("F_ReqNum"),
                               QStringLiteral("f"), select, count, functional);
        !added)
        return added;
    if (Outcome added =
            addComposerColumns(database, QStringLiteral("STRUC_REQ"), QStringLiteral("S_ReqNum"),
                               QStringLiteral("s"), select, count, structural);
        !added)
        return added;
    select += QStringLiteral(" FROM MASTER_REQ m LEFT JOIN FUNC_REQ f ON f.F_ReqNum = m.Req_Num "
                             "LEFT JOIN STRUC_REQ s ON s.S_ReqNum = m.Req_Num");
    QVariantList values;
    if (!everyVersion) {
        select += QStringLiteral(" WHERE m.FSTType <> ?");
        values.append(QString::fromLatin1(messages::kDeletedKind));
    }
    ForwardRows master(database, QStringLiteral("varn_whole_requirements"));
    if (!master.open(select + QStringLiteral(" ORDER BY m.Req_Num"), values))
        return readFailure(master.lastError());
    // The possible values beside them, in the same order: the two walk
    // together.
    ForwardRows possible(database, QStringLiteral("varn_possible_values"));
    if (!possible.open(
            QStringLiteral("SELECT FK_SReqNum, Value FROM POSS_VALS ORDER BY FK_SReqNum, PV_ID"),
            {}))
        return readFailure(possible.lastError());
    bool morePossible = possible.next();
    WholeRequirement requirement;
    while (master.next()) {
        const QSqlQuery &row = master.row();
        requirement.master = masterRowOf(row);
        if (!takeComposerRow(row, structural, requirement) &&
            !takeComposerRow(row, functional, requirement)) {
            requirement.composerTable.clear();
            requirement.composerColumns.clear();
            requirement.composerTexts.clear();
        }
        requirement.possibleValues.clear();
        const qint32 number = requirement.master.Req_Num;
        while (morePossible && possible.row().value(0).toInt() < number)
            morePossible = possible.next();
        while (morePossible && possible.row().value(0).toInt() == number) {
            requirement.possibleValues.append(possible.row().value(1).toString());
            morePossible = possible.next();
        }
        if (possible.failed())
            return readFailure(possible.lastError());
        if (Outcome visited = visit(requirement); !visited)
            return visited;
    }
    if (master.failed())
        return readFailure(master.lastError());
    return Outcome::ok();
}

Outcome RequirementSetReader::forEachNumber(
    bool everyVersion, const std::function<void(qint32 number, bool deleted)> &visit) const
{
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    const Snapshot snapshot(m_connection);
    QString select = QStringLiteral("SELECT Req_Num, FSTType FROM MASTER_REQ");
    QVariantList values;
    if (!everyVersion) {
        select += QStringLiteral(" WHERE FSTType <> ?");
        values.append(QString::fromLatin1(messages::kDeletedKind));
    }
    ForwardRows numbers(database, QStringLiteral("varn_requirement_numbers"));
    if (!numbers.open(select + QStringLiteral(" ORDER BY Req_Num"), values))
        return readFailure(numbers.lastError());
    const QString deleted = QString::fromLatin1(messages::kDeletedKind);
    while (numbers.next())
        visit(numbers.row().value(0).toInt(), numbers.row().value(1).toString() == deleted);
    if (numbers.failed())
        return readFailure(numbers.lastError());
    return Outcome::ok();
}

RequirementSetReader::Snapshot::Snapshot(QString connectionName)
    : m_connection(std::move(connectionName))
{
    if (snapshotsOpen().contains(m_connection) ||
        SaveTransaction::innermostSerial(m_connection) != 0)
        return;
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    if (!database.isOpen())
        return;
    // A workspace file's reader is alone on its connection; a server's
    // cursors need the transaction.
    const QString begin = SqlDialect::beginSnapshot(SqlDialect::of(database));
    if (begin.isEmpty())
        return;
    QSqlQuery query(database);
    m_own = query.exec(begin);
    if (m_own)
        snapshotsOpen().insert(m_connection);
}

bool RequirementSetReader::Snapshot::isOpen(const QString &connectionName)
{
    return snapshotsOpen().contains(connectionName);
}

RequirementSetReader::Snapshot::~Snapshot()
{
    if (!m_own)
        return;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    (void)query.exec(QStringLiteral("ROLLBACK"));
    snapshotsOpen().remove(m_connection);
}

Result<QList<StoredLink>> RequirementSetReader::links() const
{
    // The links' own owner reads them.
    const DependentLinkTable table(m_connection);
    const Result<QList<DependentLink>> links = table.allLinks();
    if (!links)
        return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed) + QLatin1Char('\n') +
                             table.lastErrorText());
    QList<StoredLink> read;
    read.reserve(links->size());
    for (const DependentLink &link : links.value())
        read.append({link.parent, link.dependent});
    return read;
}

} // namespace varn::store
