#include "central/requirementdump.h"

#include "store/dependentlinktable.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

namespace varn::central {

namespace {

struct DumpedTable
{
    const char *table;
    const char *select; // one "?": the requirement number
};

constexpr DumpedTable kTables[] = {
    {"MASTER_REQ", "SELECT * FROM MASTER_REQ WHERE Req_Num = ?"},
    {"FUNC_REQ", "SELECT * FROM FUNC_REQ WHERE F_ReqNum = ?"},
    {"STRUC_REQ", "SELECT * FROM STRUC_REQ WHERE S_ReqNum = ?"},
    {"POSS_VALS", "SELECT PV_ID, Value FROM POSS_VALS WHERE FK_SReqNum = ? ORDER BY PV_ID"},
};

const QString kQueryFailed = QStringLiteral("Error querying the Requirements database.");

bool readTable(QSqlQuery &query, const DumpedTable &table, qint32 number, QList<DumpedRow> &rows)
{
    if (!query.prepare(QString::fromLatin1(table.select)))
        return false;
    query.addBindValue(number);
    if (!query.exec())
        return false;
    while (query.next()) {
        DumpedRow row{QString::fromLatin1(table.table), {}};
        const QSqlRecord record = query.record();
        for (int column = 0; column < record.count(); ++column) {
            if (!query.isNull(column))
                row.fields.append({record.fieldName(column), query.value(column).toString()});
        }
        rows.append(row);
    }
    return true;
}

} // namespace

Result<QList<DumpedRow>> RequirementDump::read(const QString &connectionName, qint32 number)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    QList<DumpedRow> rows;
    for (const DumpedTable &table : kTables) {
        if (!readTable(query, table, number, rows))
            return Outcome::stop(kQueryFailed);
    }
    // Its dependents, after the requirement's own rows.
    const Result<QList<store::DependentLink>> links =
        store::DependentLinkTable(connectionName).linksOf(number);
    if (!links)
        return Outcome::stop(kQueryFailed);
    for (const store::DependentLink &link : links.value())
        rows.append({QStringLiteral("DEPENDENT_REQ"),
                     {{QStringLiteral("Dep_Num"), QString::number(link.key)},
                      {QStringLiteral("Dep_ReqNum"), QString::number(link.dependent)}}});
    if (rows.isEmpty() || rows.first().table != QLatin1String("MASTER_REQ"))
        return Outcome::warning(
            QStringLiteral("The Requirement Number does not exist in the Requirements database."));
    return rows;
}

} // namespace varn::central
