#include "store/storedrequirementreader.h"
#include "store/storetr.h"

#include "common/requirementlimits.h"
#include "store/rowstatement.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::store {

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

QString selectStatement(const QString &where = QString())
{
    QString columns = QStringLiteral("m.Req_Num, m.FSTType, f.F_ReqNum, f.TCodeStrF");
    for (int k = 0; k < kMaxTerms; ++k)
        columns += QStringLiteral(", f.Field%1").arg(k);
    columns += QStringLiteral(", s.S_ReqNum, s.TCodeStrS");
    for (const char *column : kStructuralColumns)
        columns += QStringLiteral(", s.") + QLatin1String(column);
    return QStringLiteral("SELECT ") + columns +
           QStringLiteral(" FROM MASTER_REQ m LEFT JOIN FUNC_REQ f ON f.F_ReqNum = m.Req_Num "
                          "LEFT JOIN STRUC_REQ s ON s.S_ReqNum = m.Req_Num ") +
           where + QStringLiteral(" ORDER BY m.Req_Num");
}

Outcome cannotOpen(const char *set, const QSqlError &error)
{
    return Outcome::stop(Tr::tr("Cannot open %1 recordset.\n").arg(QLatin1String(set)) +
                         error.text());
}

} // namespace

StoredRequirementReader::StoredRequirementReader(QString connectionName)
    : m_connection(std::move(connectionName))
{}

StoredRequirementReader::~StoredRequirementReader() = default;

Outcome StoredRequirementReader::open()
{
    const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    QSqlQuery kinds(database);
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
    m_rows =
        std::make_unique<RowStatement>(database, selectStatement(), RowStatement::Route::Direct);
    if (!m_rows->exec())
        return cannotOpen("ReqMsSet", m_rows->lastError());
    m_columns.locate(*m_rows);
    return Outcome::ok();
}

void StoredRequirementColumns::locate(const RowStatement &rows)
{
    number = rows.columnIndex(QStringLiteral("Req_Num"));
    kind = rows.columnIndex(QStringLiteral("FSTType"));
    functionalRow = rows.columnIndex(QStringLiteral("F_ReqNum"));
    functionalCode = rows.columnIndex(QStringLiteral("TCodeStrF"));
    firstField = rows.columnIndex(QStringLiteral("Field0"));
    structuralRow = rows.columnIndex(QStringLiteral("S_ReqNum"));
    structuralCode = rows.columnIndex(QStringLiteral("TCodeStrS"));
    firstStructuralText = rows.columnIndex(QLatin1String(kStructuralColumns[0]));
}

void StoredRequirementColumns::read(const RowStatement &rows, StoredRequirement &stored,
                                    Kind as) const
{
    stored = StoredRequirement();
    stored.number = rows.intValue(number);
    stored.kind = rows.textValue(kind);
    if (as == Kind::AsComposed && !stored.isFunctional() && !stored.isStructural()) {
        if (!rows.isNull(functionalRow))
            stored.kind = QString::fromLatin1(StoredWords::kFunctional);
        else if (!rows.isNull(structuralRow))
            stored.kind = QString::fromLatin1(StoredWords::kStructural);
    }
    if (stored.isFunctional()) {
        stored.hasOwnRow = !rows.isNull(functionalRow);
        stored.tcode = rows.textValue(functionalCode);
        stored.fields.reserve(kMaxTerms);
        for (int k = 0; k < kMaxTerms; ++k)
            stored.fields.append(rows.textValue(firstField + k));
    } else if (stored.isStructural()) {
        stored.hasOwnRow = !rows.isNull(structuralRow);
        stored.tcode = rows.textValue(structuralCode);
        int column = firstStructuralText;
        for (QString StoredRequirement::*text : kStructuralTexts)
            stored.*text = rows.textValue(column++);
    }
}

Outcome StoredRequirementReader::readPossibleValues()
{
    QSqlQuery values(QSqlDatabase::database(m_connection, false));
    values.setForwardOnly(true);
    if (!values.exec(QStringLiteral("SELECT FK_SReqNum, Value FROM POSS_VALS ORDER BY PV_ID")))
        return cannotOpen("ReqPvSet", values.lastError());
    while (values.next())
        m_possibleValues[values.value(0).toInt()].append(values.value(1).toString());
    return Outcome::ok();
}

bool StoredRequirementReader::next(StoredRequirement &stored)
{
    RowStatement &rows = *m_rows;
    if (!rows.next())
        return false;
    m_columns.read(rows, stored);
    if (stored.isStructural())
        stored.possibleValues = m_possibleValues.value(stored.number);
    return true;
}

Outcome StoredRequirementReader::passOutcome() const
{
    return m_rows->lastError().isValid() ? cannotOpen("ReqMsSet", m_rows->lastError())
                                         : Outcome::ok();
}

StoredRequirementLookup::StoredRequirementLookup(QString connectionName)
    : m_connection(std::move(connectionName))
{}

StoredRequirementLookup::~StoredRequirementLookup() = default;

Result<StoredRequirement> StoredRequirementLookup::read(qint32 number, Kind kind)
{
    if (!m_row) {
        const QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        m_row = std::make_unique<RowStatement>(
            database, selectStatement(QStringLiteral("WHERE m.Req_Num = ?")),
            RowStatement::Route::Qt);
        m_values = std::make_unique<RowStatement>(
            database,
            QStringLiteral("SELECT Value FROM POSS_VALS WHERE FK_SReqNum = ? ORDER BY PV_ID"),
            RowStatement::Route::Qt);
    }
    StoredRequirement stored;
    m_row->add(number);
    if (!m_row->exec())
        return cannotOpen("ReqMsSet", m_row->lastError());
    if (!m_row->next()) { // no such requirement, or a failed read
        const QSqlError error = m_row->lastError();
        m_row->finish();
        if (error.isValid())
            return cannotOpen("ReqMsSet", error);
        return stored;
    }
    if (m_columns.number < 0)
        m_columns.locate(*m_row);
    m_columns.read(*m_row, stored, kind);
    m_row->finish();
    if (!stored.isStructural())
        return stored;
    m_values->add(number);
    if (!m_values->exec())
        return cannotOpen("ReqPvSet", m_values->lastError());
    while (m_values->next())
        stored.possibleValues.append(m_values->textValue(0));
    m_values->finish();
    return stored;
}

} // namespace varn::store
