#include "objmodel/storedrequirementreader.h"

#include "common/requirementlimits.h"

#include <QSqlError>

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

Outcome cannotOpen(const char *set, const QSqlError &error)
{
    return Outcome::stop(QStringLiteral("Cannot open %1 recordset.\n").arg(QLatin1String(set)) +
                         error.text());
}

} // namespace

StoredRequirementReader::StoredRequirementReader(QSqlDatabase database)
    : m_database(std::move(database))
{}

Outcome StoredRequirementReader::open()
{
    QSqlQuery kinds(m_database);
    if (!kinds.exec(QStringLiteral("SELECT COUNT(*), SUM(CASE WHEN FSTType IN ('Functional', "
                                   "'Structural') THEN 1 ELSE 0 END) FROM MASTER_REQ")) ||
        !kinds.next())
        return cannotOpen("ReqMsSet", kinds.lastError());
    m_total = kinds.value(0).toInt();
    if (m_total == 0 || kinds.value(1).toInt() == 0)
        return Outcome::silentlyRefused();
    kinds.finish();
    if (Outcome read = readPossibleValues(); !read)
        return read;

    // The rebuild writes the model between two rows of this pass.
    m_rows = std::make_unique<store::RowStatement>(m_database, selectStatement(),
                                                   store::RowStatement::Route::Direct);
    if (!m_rows->exec())
        return cannotOpen("ReqMsSet", m_rows->lastError());
    m_number = m_rows->columnIndex(QStringLiteral("Req_Num"));
    m_kind = m_rows->columnIndex(QStringLiteral("FSTType"));
    m_functionalRow = m_rows->columnIndex(QStringLiteral("F_ReqNum"));
    m_functionalCode = m_rows->columnIndex(QStringLiteral("TCodeStrF"));
    m_firstField = m_rows->columnIndex(QStringLiteral("Field0"));
    m_structuralRow = m_rows->columnIndex(QStringLiteral("S_ReqNum"));
    m_structuralCode = m_rows->columnIndex(QStringLiteral("TCodeStrS"));
    m_firstStructuralText = m_rows->columnIndex(QLatin1String(kStructuralColumns[0]));
    return Outcome::ok();
}

Outcome StoredRequirementReader::readPossibleValues()
{
    QSqlQuery values(m_database);
    values.setForwardOnly(true);
    if (!values.exec(QStringLiteral("SELECT FK_SReqNum, Value FROM POSS_VALS ORDER BY PV_ID")))
        return cannotOpen("ReqPvSet", values.lastError());
    while (values.next())
        m_possibleValues[values.value(0).toInt()].append(values.value(1).toString());
    return Outcome::ok();
}

bool StoredRequirementReader::next(StoredRequirement &stored)
{
    store::RowStatement &rows = *m_rows;
    if (!rows.next())
        return false;
    stored = StoredRequirement();
    stored.number = rows.intValue(m_number);
    stored.kind = rows.textValue(m_kind);
    if (stored.isFunctional()) {
        stored.hasOwnRow = !rows.isNull(m_functionalRow);
        stored.tcode = rows.textValue(m_functionalCode);
        stored.fields.reserve(kMaxTerms);
        for (int k = 0; k < kMaxTerms; ++k)
            stored.fields.append(rows.textValue(m_firstField + k));
    } else if (stored.isStructural()) {
        stored.hasOwnRow = !rows.isNull(m_structuralRow);
        stored.tcode = rows.textValue(m_structuralCode);
        int column = m_firstStructuralText;
        for (QString StoredRequirement::*text : kStructuralTexts)
            stored.*text = rows.textValue(column++);
        stored.possibleValues = m_possibleValues.value(stored.number);
    }
    return true;
}

Outcome StoredRequirementReader::passOutcome() const
{
    return m_rows->lastError().isValid() ? cannotOpen("ReqMsSet", m_rows->lastError())
                                         : Outcome::ok();
}

} // namespace varn::objmodel
