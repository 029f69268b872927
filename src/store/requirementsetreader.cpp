#include "store/requirementsetreader.h"
#include "common/commonmessages.h"
#include "store/storetr.h"

#include "store/boundquery.h"
#include "store/dependentlinktable.h"
#include "store/requirementrows.h"
#include "store/storemessages.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace varn::store {

namespace {

Outcome readFailure(const QSqlQuery &query)
{
    return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed) + QLatin1Char('\n') +
                         query.lastError().text());
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
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);

    QHash<qint32, QStringList> values;
    QSqlQuery possible(database);
    possible.setForwardOnly(true);
    if (!possible.exec(
            QStringLiteral("SELECT FK_SReqNum, Value FROM POSS_VALS ORDER BY FK_SReqNum, PV_ID")))
        return readFailure(possible);
    while (possible.next())
        values[possible.value(0).toInt()].append(possible.value(1).toString());

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
    if (!everyVersion)
        select += QStringLiteral(" WHERE m.FSTType <> ?");
    QSqlQuery master(database);
    master.setForwardOnly(true);
    if (!master.prepare(select + QStringLiteral(" ORDER BY m.Req_Num")))
        return readFailure(master);
    if (!everyVersion)
        master.addBindValue(QString::fromLatin1(messages::kDeletedKind));
    if (!master.exec())
        return readFailure(master);
    WholeRequirement requirement;
    while (master.next()) {
        requirement.master = masterRowOf(master);
        if (!takeComposerRow(master, structural, requirement) &&
            !takeComposerRow(master, functional, requirement)) {
            requirement.composerTable.clear();
            requirement.composerColumns.clear();
            requirement.composerTexts.clear();
        }
        requirement.possibleValues = values.value(requirement.master.Req_Num);
        visit(requirement);
    }
    if (master.lastError().isValid())
        return readFailure(master);
    return Outcome::ok();
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
