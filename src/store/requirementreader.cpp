#include "store/requirementreader.h"
#include "common/commonmessages.h"
#include "common/storedwords.h"
#include "store/storetr.h"

#include "store/creqmsset.h"
#include "store/creqpvset.h"
#include "store/creqset.h"
#include "store/creqstset.h"
#include "store/dependentlinktable.h"
#include "store/keyedreads.h"
#include "store/storemessages.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <map>

namespace varn::store {

namespace {

QString deletedKind()
{
    return QString::fromLatin1(messages::kDeletedKind);
}

// The row of a set by its key; nullopt when there is none.
// The message is compared as a whole text: its own "%" and "_" are no
// wildcards.
QString likeLiteral(QString text)
{
    text.replace(QLatin1Char('!'), QLatin1String("!!"));
    text.replace(QLatin1Char('%'), QLatin1String("!%"));
    text.replace(QLatin1Char('_'), QLatin1String("!_"));
    return text;
}

struct DumpedTable
{
    const char *table;
    const char *select; // one "?": the requirement number
};

constexpr DumpedTable kDumpedTables[] = {
    {"MASTER_REQ", "SELECT * FROM MASTER_REQ WHERE Req_Num = ?"},
    {"FUNC_REQ", "SELECT * FROM FUNC_REQ WHERE F_ReqNum = ?"},
    {"STRUC_REQ", "SELECT * FROM STRUC_REQ WHERE S_ReqNum = ?"},
    {"POSS_VALS", "SELECT PV_ID, Value FROM POSS_VALS WHERE FK_SReqNum = ? ORDER BY PV_ID"},
};

bool dumpTable(QSqlQuery &query, const DumpedTable &table, qint32 number, QList<DumpedRow> &rows)
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

struct RequirementReader::Prepared
{
    std::optional<QSqlQuery> sentence;
    bool sentencePrepared = false;
    // The trace's statements by their text; nullptr when one cannot be
    // prepared.
    std::map<QString, QSqlQuery> statements;

    QSqlQuery *statement(const QString &connection, const QString &sql)
    {
        auto found = statements.find(sql);
        if (found == statements.end()) {
            QSqlQuery query(QSqlDatabase::database(connection, false));
            query.setForwardOnly(true);
            if (!query.prepare(sql))
                return nullptr;
            found = statements.emplace(sql, std::move(query)).first;
        }
        return &found->second;
    }
};

RequirementReader::RequirementReader(QString connectionName)
    : m_connection(std::move(connectionName)), m_prepared(std::make_unique<Prepared>())
{}

RequirementReader::~RequirementReader() = default;

Result<std::optional<MasterReqRow>> RequirementReader::master(qint32 number) const
{
    return rowByKey<CReqMsSet>(m_connection, "Req_Num", number);
}

Result<std::optional<FuncReqRow>> RequirementReader::functional(qint32 number) const
{
    return rowByKey<CReqSet>(m_connection, "F_ReqNum", number);
}

Result<std::optional<StrucReqRow>> RequirementReader::structural(qint32 number) const
{
    return rowByKey<CReqStSet>(m_connection, "S_ReqNum", number);
}

Result<QStringList> RequirementReader::possibleValues(qint32 number) const
{
    return possibleValuesOf<CReqPvSet>(m_connection, number);
}

Outcome RequirementReader::forEachLiveStructural(
    int source, const QString &entityAttr,
    const std::function<void(const StrucReqRow &row)> &visit) const
{
    CReqStSet structural(m_connection);
    structural.setFilter(
        QStringLiteral("(EntityAttr LIKE ? ESCAPE '!') AND (Source = ?) AND (S_ReqNum IN "
                       "(SELECT Req_Num FROM MASTER_REQ WHERE FSTType <> ?))"),
        {likeLiteral(entityAttr), source, deletedKind()});
    structural.setSort(QStringLiteral("Position, S_ReqNum"));
    if (Outcome opened = structural.open(CReqStSet::OpenType::Snapshot); !opened)
        return opened;
    return structural.forEachRow(visit);
}

Result<QList<MasterReqRow>> RequirementReader::linkableRequirements() const
{
    return masterRowsByNumber(
        QStringLiteral("(FSTType LIKE ? OR FSTType LIKE ? OR FSTType LIKE ?)"),
        {QString::fromLatin1(StoredWords::kFunctional),
         QString::fromLatin1(StoredWords::kStructural),
         QString::fromLatin1(StoredWords::kTechnical)});
}

Result<QList<MasterReqRow>> RequirementReader::liveRequirements() const
{
    return masterRowsByNumber(QStringLiteral("(FSTType NOT LIKE ?)"), {deletedKind()});
}

Result<QList<MasterReqRow>> RequirementReader::dependentRequirements(qint32 parent) const
{
    const DependentLinkTable links(m_connection);
    Result<QList<qint32>> numbers = links.dependentsOf(parent);
    // The list is one query of the requirements to the user.
    if (!numbers)
        return Outcome::stop(Tr::tr("Error querying the ReqMsSet recordset.\n") +
                             links.lastErrorText());
    QList<qint32> &wanted = numbers.value();
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end()); // ascending already
    // A few hundred numbers a statement, well within every backend's limit
    // on bound values; each part comes sorted, and so does their sequence.
    constexpr qsizetype kPerStatement = 500;
    QList<MasterReqRow> rows;
    for (qsizetype first = 0; first < wanted.size(); first += kPerStatement) {
        const QList<qint32> part = wanted.mid(first, kPerStatement);
        QStringList marks;
        QVariantList values;
        for (const qint32 number : part) {
            marks.append(QStringLiteral("?"));
            values.append(number);
        }
        const Result<QList<MasterReqRow>> read = masterRowsByNumber(
            QStringLiteral("Req_Num IN (%1)").arg(marks.join(QStringLiteral(", "))), values);
        if (!read)
            return read.outcome();
        rows.append(read.value());
    }
    return rows;
}

Result<QList<MasterReqRow>> RequirementReader::masterRowsByNumber(const QString &where,
                                                                  const QVariantList &values) const
{
    const QString failed = Tr::tr("Error querying the ReqMsSet recordset.\n");
    CReqMsSet master(m_connection);
    master.setFilter(where, values);
    master.setSort(QStringLiteral("Req_Num"));
    if (Outcome opened = master.open(CReqMsSet::OpenType::Snapshot); !opened)
        return master.errorOutcome(failed);
    QList<MasterReqRow> rows;
    if (!master.forEachRow([&rows](const MasterReqRow &row) { rows.append(row); }))
        return master.errorOutcome(failed);
    return rows;
}

Result<QList<DumpedRow>> RequirementReader::storedRows(qint32 number) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    QList<DumpedRow> rows;
    for (const DumpedTable &table : kDumpedTables) {
        if (!dumpTable(query, table, number, rows))
            return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed));
    }
    // Its dependents, after the requirement's own rows, from the links' owner.
    const Result<QList<DependentLink>> links = DependentLinkTable(m_connection).linksOf(number);
    if (!links)
        return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed));
    for (const DependentLink &link : links.value())
        rows.append({QStringLiteral("DEPENDENT_REQ"),
                     {{QStringLiteral("Dep_Num"), QString::number(link.key)},
                      {QStringLiteral("Dep_ReqNum"), QString::number(link.dependent)}}});
    return rows;
}

Result<QList<LaterVersion>> RequirementReader::laterVersions() const
{
    QSqlQuery rows(QSqlDatabase::database(m_connection, false));
    rows.setForwardOnly(true);
    if (!rows.prepare(QStringLiteral("SELECT Req_Num, OrigReqNum, Version, FSTType FROM "
                                     "MASTER_REQ WHERE OrigReqNum > 0 AND OrigReqNum <> Req_Num")))
        return Outcome::stop(rows.lastError().text());
    if (!rows.exec())
        return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed) + QLatin1Char('\n') +
                             rows.lastError().text());
    QList<LaterVersion> versions;
    while (rows.next())
        versions.append({rows.value(0).toInt(), rows.value(1).toInt(), rows.value(2).toInt(),
                         rows.value(3).toString() == deletedKind()});
    return versions;
}

Result<QList<NumberedSentence>> RequirementReader::liveSentences() const
{
    QSqlQuery live(QSqlDatabase::database(m_connection, false));
    live.setForwardOnly(true);
    if (!live.prepare(
            QStringLiteral("SELECT Req_Num, Preamble, ReqText FROM MASTER_REQ WHERE FSTType <> ?")))
        return Outcome::stop(live.lastError().text());
    live.addBindValue(deletedKind());
    if (!live.exec())
        return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed) + QLatin1Char('\n') +
                             live.lastError().text());
    QList<NumberedSentence> sentences;
    while (live.next())
        sentences.append({live.value(0).toInt(),
                          live.value(1).toString() + QLatin1Char(' ') + live.value(2).toString()});
    return sentences;
}

QString RequirementReader::sentenceOf(qint32 number)
{
    Prepared &prepared = *m_prepared;
    if (!prepared.sentencePrepared) {
        prepared.sentence.emplace(QSqlDatabase::database(m_connection, false));
        prepared.sentencePrepared = prepared.sentence->prepare(
            QStringLiteral("SELECT Preamble, ReqText FROM MASTER_REQ WHERE Req_Num = ?"));
    }
    QSqlQuery &query = *prepared.sentence;
    query.bindValue(0, number);
    if (!query.exec() || !query.next())
        return {};
    const QString sentence =
        query.value(0).toString() + QLatin1Char(' ') + query.value(1).toString();
    query.finish();
    return sentence;
}

Result<std::optional<SentenceState>> RequirementReader::sentenceState(qint32 number)
{
    QSqlQuery *master = m_prepared->statement(
        m_connection,
        QStringLiteral("SELECT Preamble, ReqText, FSTType FROM MASTER_REQ WHERE Req_Num = ?"));
    if (!master)
        return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed));
    master->bindValue(0, number);
    if (!master->exec())
        return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed));
    std::optional<SentenceState> state;
    if (master->next())
        state = SentenceState{master->value(0).toString() + QLatin1Char(' ') +
                                  master->value(1).toString(),
                              master->value(2).toString() == deletedKind()};
    master->finish();
    return state;
}

Result<QStringList> RequirementReader::composerTexts(qint32 number)
{
    // A server lists the column names folded to lower case.
    QStringList texts;
    for (const QString &sql :
         {QStringLiteral("SELECT * FROM FUNC_REQ WHERE F_ReqNum = ?"),
          QStringLiteral("SELECT * FROM STRUC_REQ WHERE S_ReqNum = ?"),
          QStringLiteral("SELECT Value FROM POSS_VALS WHERE FK_SReqNum = ?")}) {
        QSqlQuery *query = m_prepared->statement(m_connection, sql);
        if (!query)
            return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed));
        query->bindValue(0, number);
        if (!query->exec())
            return Outcome::stop(CommonTr::tr(CommonMessages::kQueryFailed));
        while (query->next()) {
            const QSqlRecord record = query->record();
            for (int i = 0; i < record.count(); ++i) {
                if (record.value(i).typeId() == QMetaType::QString &&
                    !record.fieldName(i).startsWith(QLatin1String("TCode"), Qt::CaseInsensitive))
                    texts.append(record.value(i).toString());
            }
        }
        query->finish();
    }
    return texts;
}

} // namespace varn::store
