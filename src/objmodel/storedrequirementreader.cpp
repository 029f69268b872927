#include "objmodel/storedrequirementreader.h"

#include "common/requirementlimits.h"
#include "store/sqldialect.h"

#include <QSqlError>
#include <QSqlRecord>

namespace varn::objmodel {

namespace {

// The STRUC_REQ texts, in the order of their StoredRequirement members.
constexpr const char *kStructuralColumns[] = {"TypeBasic",      "EntityBasic", "TypeAttr",
                                              "EntityAttr",     "AttrName",    "TypeWithList",
                                              "EntityWithList", "TypeInList",  "EntityInList"};

constexpr QString StoredRequirement::*kStructuralTexts[] = {
    &StoredRequirement::typeBasic,      &StoredRequirement::entityBasic,
    &StoredRequirement::typeAttr,       &StoredRequirement::entityAttr,
    &StoredRequirement::attrName,       &StoredRequirement::typeWithList,
    &StoredRequirement::entityWithList, &StoredRequirement::typeInList,
    &StoredRequirement::entityInList};

static_assert(std::size(kStructuralColumns) == std::size(kStructuralTexts));

QString selectStatement()
{
    QString columns = QStringLiteral("m.Req_Num, m.FSTType, f.F_ReqNum, f.TCodeStrF");
    for (int k = 0; k < kMaxTerms; ++k)
        columns += QStringLiteral(", f.Field%1").arg(k);
    columns += QStringLiteral(", s.S_ReqNum, s.TCodeStrS");
    for (const char *column : kStructuralColumns)
        columns += QStringLiteral(", s.") + QLatin1String(column);
    return QStringLiteral("SELECT ") + columns +
           QStringLiteral(" FROM MASTER_REQ m LEFT JOIN FUNC_REQ f ON f.F_ReqNum = m.Req_Num "
                          "LEFT JOIN STRUC_REQ s ON s.S_ReqNum = m.Req_Num ORDER BY m.Req_Num");
}

Outcome cannotOpen(const char *set, const QSqlQuery &query)
{
    return Outcome::stop(QStringLiteral("Cannot open %1 recordset.\n").arg(QLatin1String(set)) +
                         query.lastError().text());
}

} // namespace

StoredRequirementReader::StoredRequirementReader(QSqlDatabase database)
    : m_database(std::move(database)), m_rows(m_database)
{}

Outcome StoredRequirementReader::open()
{
    QSqlQuery kinds(m_database);
    if (!kinds.exec(QStringLiteral("SELECT COUNT(*), SUM(CASE WHEN FSTType IN ('Functional', "
                                   "'Structural') THEN 1 ELSE 0 END) FROM MASTER_REQ")) ||
        !kinds.next())
        return cannotOpen("ReqMsSet", kinds);
    m_total = kinds.value(0).toInt();
    if (m_total == 0 || kinds.value(1).toInt() == 0)
        return Outcome::silentlyRefused();
    kinds.finish();
    if (Outcome read = readPossibleValues(); !read)
        return read;

    // The rebuild writes the model between two rows of this pass.
    m_rows.setForwardOnly(store::SqlDialect::streamsBetweenStatements(m_database));
    if (!m_rows.exec(selectStatement()))
        return cannotOpen("ReqMsSet", m_rows);
    const QSqlRecord record = m_rows.record();
    m_number = record.indexOf(QStringLiteral("Req_Num"));
    m_kind = record.indexOf(QStringLiteral("FSTType"));
    m_functionalRow = record.indexOf(QStringLiteral("F_ReqNum"));
    m_functionalCode = record.indexOf(QStringLiteral("TCodeStrF"));
    m_firstField = record.indexOf(QStringLiteral("Field0"));
    m_structuralRow = record.indexOf(QStringLiteral("S_ReqNum"));
    m_structuralCode = record.indexOf(QStringLiteral("TCodeStrS"));
    m_firstStructuralText = record.indexOf(QLatin1String(kStructuralColumns[0]));
    return Outcome::ok();
}

Outcome StoredRequirementReader::readPossibleValues()
{
    QSqlQuery values(m_database);
    values.setForwardOnly(true);
    if (!values.exec(QStringLiteral("SELECT FK_SReqNum, Value FROM POSS_VALS ORDER BY PV_ID")))
        return cannotOpen("ReqPvSet", values);
    while (values.next())
        m_possibleValues[values.value(0).toInt()].append(values.value(1).toString());
    return Outcome::ok();
}

bool StoredRequirementReader::next(StoredRequirement &stored)
{
    if (!m_rows.next())
        return false;
    stored = StoredRequirement();
    stored.number = m_rows.value(m_number).toInt();
    stored.kind = m_rows.value(m_kind).toString();
    if (stored.isFunctional()) {
        stored.hasOwnRow = !m_rows.isNull(m_functionalRow);
        stored.tcode = m_rows.value(m_functionalCode).toString();
        stored.fields.reserve(kMaxTerms);
        for (int k = 0; k < kMaxTerms; ++k)
            stored.fields.append(m_rows.value(m_firstField + k).toString());
    } else if (stored.isStructural()) {
        stored.hasOwnRow = !m_rows.isNull(m_structuralRow);
        stored.tcode = m_rows.value(m_structuralCode).toString();
        int column = m_firstStructuralText;
        for (QString StoredRequirement::*text : kStructuralTexts)
            stored.*text = m_rows.value(column++).toString();
        stored.possibleValues = m_possibleValues.value(stored.number);
    }
    return true;
}

Outcome StoredRequirementReader::passOutcome() const
{
    return m_rows.lastError().isValid() ? cannotOpen("ReqMsSet", m_rows) : Outcome::ok();
}

} // namespace varn::objmodel
