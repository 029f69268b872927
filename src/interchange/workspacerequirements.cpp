#include "interchange/workspacerequirements.h"

#include "interchange/storedfields.h"
#include "store/dependentlinktable.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlDriver>
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

// A composer table's columns in the join: where they start, where its key
// is and the names of the others, in the table's order.
struct ComposerColumns
{
    QString table;
    int first = 0;
    int key = 0; // in the join
    QStringList names;
    QList<int> positions; // of `names`, in the join
};

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
    columns.first = count;
    for (int i = 0; i < record.count(); ++i) {
        const QString name = record.fieldName(i);
        select += QStringLiteral(", %1.%2").arg(
            alias, database.driver()->escapeIdentifier(name, QSqlDriver::FieldName));
        if (name.compare(key, Qt::CaseInsensitive) == 0) {
            columns.key = count;
        } else {
            columns.names.append(name);
            columns.positions.append(count);
        }
        ++count;
    }
    return Outcome::ok();
}

// The stored fields of the composer row in the join's current row, or an
// empty text when the requirement has no row in that table.
QString composerFields(const QSqlQuery &rows, const ComposerColumns &columns,
                       const QStringList &values, QStringList &texts)
{
    if (rows.isNull(columns.key))
        return {};
    texts.clear();
    for (const int position : columns.positions)
        texts.append(rows.value(position).toString());
    return StoredFields::encode(columns.table, columns.names, texts, values);
}

} // namespace

store::MasterReqRow ExchangedRequirement::masterRow(MasterColumns columns) const
{
    store::MasterReqRow row;
    row.Category = category;
    row.Priority = priority;
    row.Release = release;
    row.ParaNum = paragraph;
    row.Comments = comments;
    row.Version = version;
    row.OrigReqNum = firstVersion;
    if (columns == MasterColumns::All) {
        row.Req_Num = number;
        row.FSTType = deleted ? QStringLiteral("Deleted") : type;
        row.Source = source;
        row.Preamble = preamble;
        row.ReqText = text;
        row.DateSaved = dateSaved;
    }
    return row;
}

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
        master.addBindValue(QStringLiteral("Deleted"));
    if (!master.exec())
        return readFailure(master);
    QSet<qint32> numbers;
    QStringList texts;
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
        // A number with rows in both tables was read as structural.
        const QStringList &possibleValues = values.value(requirement.number);
        requirement.storedFields = composerFields(master, structural, possibleValues, texts);
        if (requirement.storedFields.isEmpty())
            requirement.storedFields = composerFields(master, functional, possibleValues, texts);
        numbers.insert(requirement.number);
        set.requirements.append(std::move(requirement));
    }
    if (master.lastError().isValid())
        return readFailure(master);

    const store::DependentLinkTable linkTable(connectionName);
    const Result<QList<store::DependentLink>> links = linkTable.allLinks();
    if (!links)
        return Outcome::stop(QStringLiteral("Error querying the Requirements database.\n") +
                             linkTable.lastErrorText());
    for (const store::DependentLink &link : links.value()) {
        if (numbers.contains(link.parent) && numbers.contains(link.dependent))
            set.links.append({link.parent, link.dependent});
    }
    return set;
}

} // namespace varn::interchange
