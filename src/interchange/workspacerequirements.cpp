#include "interchange/workspacerequirements.h"

#include "interchange/storedfields.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace varn::interchange {

namespace {

Outcome readFailure(const QSqlQuery &query)
{
    return Outcome::stop(QStringLiteral("Error querying the Requirements database.\n") +
                         query.lastError().text());
}

// The composer rows of one table by requirement number, encoded.
Outcome readComposerRows(QSqlDatabase &database, const QString &table, const QString &key,
                         const QHash<qint32, QStringList> &values, QHash<qint32, QString> &into)
{
    QSqlQuery rows(database);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("SELECT * FROM %1").arg(table)))
        return readFailure(rows);
    const QSqlRecord columns = rows.record();
    const int keyColumn = columns.indexOf(key);
    QStringList names;
    for (int i = 0; i < columns.count(); ++i) {
        if (i != keyColumn)
            names.append(columns.fieldName(i));
    }
    QStringList texts;
    while (rows.next()) {
        texts.clear();
        for (int i = 0; i < columns.count(); ++i) {
            if (i != keyColumn)
                texts.append(rows.value(i).toString());
        }
        const qint32 number = rows.value(keyColumn).toInt();
        into.insert(number, StoredFields::encode(table, names, texts, values.value(number)));
    }
    return Outcome::ok();
}

} // namespace

QString ExchangedRequirement::kindOfSource(qint32 source)
{
    if (source >= 0 && source <= 18)
        return QStringLiteral("Functional");
    if (source >= 19 && source <= 22)
        return QStringLiteral("Structural");
    return QStringLiteral("Technical");
}

Result<ExchangeSet> WorkspaceRequirements::read(const QString &connectionName,
                                                const QString &systemName, bool everyVersion)
{
    QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    ExchangeSet set;
    set.systemName = systemName;

    QHash<qint32, QStringList> values;
    QSqlQuery possible(database);
    possible.setForwardOnly(true);
    if (!possible.exec(
            QStringLiteral("SELECT FK_SReqNum, Value FROM POSS_VALS ORDER BY FK_SReqNum, PV_ID")))
        return readFailure(possible);
    while (possible.next())
        values[possible.value(0).toInt()].append(possible.value(1).toString());

    QHash<qint32, QString> composed;
    if (Outcome read = readComposerRows(database, QStringLiteral("FUNC_REQ"),
                                        QStringLiteral("F_ReqNum"), values, composed);
        !read)
        return read;
    if (Outcome read = readComposerRows(database, QStringLiteral("STRUC_REQ"),
                                        QStringLiteral("S_ReqNum"), values, composed);
        !read)
        return read;

    QSqlQuery master(database);
    master.setForwardOnly(true);
    QString sql = QStringLiteral(
        "SELECT Req_Num, FSTType, Source, Category, Priority, Release, Version, ParaNum, "
        "Preamble, ReqText, OrigReqNum, DateSaved, Comments FROM MASTER_REQ");
    if (!everyVersion)
        sql += QStringLiteral(" WHERE FSTType <> ?");
    if (!master.prepare(sql + QStringLiteral(" ORDER BY Req_Num")))
        return readFailure(master);
    if (!everyVersion)
        master.addBindValue(QStringLiteral("Deleted"));
    if (!master.exec())
        return readFailure(master);
    QSet<qint32> numbers;
    while (master.next()) {
        ExchangedRequirement requirement;
        requirement.number = master.value(0).toInt();
        const QString type = master.value(1).toString();
        requirement.source = master.value(2).toInt();
        requirement.deleted = type == QLatin1String("Deleted");
        requirement.type =
            requirement.deleted ? ExchangedRequirement::kindOfSource(requirement.source) : type;
        requirement.category = master.value(3).toString();
        requirement.priority = master.value(4).toInt();
        requirement.release = master.value(5).toInt();
        requirement.version = master.value(6).toInt();
        requirement.paragraph = master.value(7).toString();
        requirement.preamble = master.value(8).toString();
        requirement.text = master.value(9).toString();
        requirement.firstVersion = master.value(10).toInt();
        requirement.dateSaved = master.value(11).toString();
        requirement.comments = master.value(12).toString();
        requirement.storedFields = composed.value(requirement.number);
        numbers.insert(requirement.number);
        set.requirements.append(requirement);
    }

    QSqlQuery links(database);
    links.setForwardOnly(true);
    if (!links.exec(QStringLiteral(
            "SELECT FK_ReqNum, Dep_ReqNum FROM DEPENDENT_REQ ORDER BY FK_ReqNum, Dep_Num")))
        return readFailure(links);
    while (links.next()) {
        const ExchangedLink link{links.value(0).toInt(), links.value(1).toInt()};
        if (numbers.contains(link.parent) && numbers.contains(link.dependent))
            set.links.append(link);
    }
    return set;
}

} // namespace varn::interchange
