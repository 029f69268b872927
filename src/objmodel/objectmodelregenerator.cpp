#include "objmodel/objectmodelregenerator.h"

#include "store/sqldialect.h"

#include "language/clauselabeler.h"
#include "language/gcodegrammar.h"
#include "objmodel/foreignkeyscheckedonce.h"
#include "objmodel/largerpagecache.h"
#include "objmodel/modeltables.h"
#include "objmodel/objectmodelderiver.h"
#include "objmodel/suspendedindexes.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace varn::objmodel {

using language::TermRecord;

namespace {

// Emptied in this order; REQ_ENTITY goes last.
constexpr const char *kModelTables[] = {"OM_PV",  "OM_ATTR",   "OM_METHOD", "OM_AGG",
                                        "OM_INH", "OM_ENTITY", "REQ_ENTITY"};
// The names the messages give them.
constexpr const char *kModelTableNames[] = {"OM_PV",  "OM_ATTR",   "OM_METH",   "OM_AGG",
                                            "OM_INH", "OM_ENTITY", "REQ_ENTITY"};
// Reset to 0 in this order.
constexpr std::pair<const char *, const char *> kCounters[] = {
    {"PK_ENT_REQ", "PEntReq"}, {"PK_ENT_OM", "PEntOm"},   {"PK_AGG_OM", "PAggOm"},
    {"PK_INH_OM", "PInhOm"},   {"PK_METH_OM", "PMethOm"}, {"PK_ATTR_OM", "PAttrOm"},
    {"PK_PV_OM", "PPvOm"},
};

const QString kNoTransactions =
    QStringLiteral("Cannot perform a transaction on the Requirements database.");
const QString kDeleteFailed =
    QStringLiteral("Error deleting records from the object model database.");
const QString kRebuildFailed = QStringLiteral(
    "The object model database could not be rebuilt. At least one Functional or Structural "
    "requirement\nmust be saved before regenerating the object model database.");
const QString kUnknownShape = QStringLiteral(
    "Structural requirement could not be rebuilt. Fields populated in STRUC_REQ table\ndo not "
    "equate to any known template.");
const QString kBadLabels = QStringLiteral("A requirement has failed GCode assignment; requirement "
                                          "cannot be reconstructed. Rebuild aborted.");

// Every term of a rebuilt requirement holds its text normalised with its
// letter; a text opening with a digit is a name only for g, q and v.
void normaliseTexts(QList<TermRecord> &records)
{
    for (TermRecord &record : records) {
        if (record.letter == 0)
            break;
        const bool number = !record.text.isEmpty() && record.text[0].isDigit();
        if (number && !QByteArrayView("gqv").contains(record.letter))
            continue;
        record.text = language::GCodeGrammar::NormalizeName(record.text, record.letter);
    }
}

QString joinedPart(const QString &type, const QString &entity)
{
    return type.isEmpty() ? entity : type + QLatin1Char('_') + entity;
}

// Texts of a structural requirement, by the template its filled columns show.
Result<QStringList> structuralTexts(const ObjectModelRegenerator::StoredRequirement &stored)
{
    QStringList texts = {QStringLiteral("system")};
    auto addIfGiven = [&texts](const QString &text) {
        if (!text.isEmpty())
            texts.append(text);
    };
    if (!stored.entityBasic.isEmpty()) {
        addIfGiven(stored.typeBasic);
        texts.append(stored.entityBasic);
    } else if (stored.attrName.isEmpty()) {
        if (stored.entityInList.isEmpty())
            return Outcome::refused(kUnknownShape);
        texts.append(joinedPart(stored.typeInList, stored.entityInList));
        addIfGiven(stored.typeWithList);
        texts.append(stored.entityWithList);
    } else {
        addIfGiven(stored.typeAttr);
        texts << stored.entityAttr << QStringLiteral("that has") << stored.attrName;
        for (const QString &value : stored.possibleValues)
            texts << QStringLiteral("of") << value;
    }
    return texts;
}

// Texts of a functional requirement: Field0 only with an actor, then every
// field that holds a term.
QStringList functionalTexts(const ObjectModelRegenerator::StoredRequirement &stored)
{
    const QStringList &fields = stored.fields;
    QStringList texts;
    if (stored.tcode.startsWith(QLatin1Char('k')))
        texts << fields.value(0);
    texts << fields.value(1);
    for (int k = 2; k <= 26; ++k) {
        const QString field = fields.value(k);
        if (!field.isEmpty() && field != QLatin1String("-1"))
            texts << field;
    }
    if (!fields.value(27).isEmpty())
        texts << fields.value(27);
    return texts;
}

} // namespace

ObjectModelRegenerator::ObjectModelRegenerator(QSqlDatabase database)
    : m_database(std::move(database))
{}

void ObjectModelRegenerator::notice(const Outcome &outcome) const
{
    if (m_notices && outcome.hasMessage())
        m_notices(outcome);
}

Result<QList<TermRecord>> ObjectModelRegenerator::rebuildTerms(const StoredRequirement &stored)
{
    const bool functional = stored.isFunctional();
    if (stored.tcode.size() < 2)
        return Outcome::refused(
            functional ? QStringLiteral("Invalid length of TCode string in FUNC_REQ table.")
                       : QStringLiteral("Invalid length of TCode string in STRUC_REQ."));
    QStringList texts;
    if (functional) {
        texts = functionalTexts(stored);
    } else {
        Result<QStringList> structural = structuralTexts(stored);
        if (!structural)
            return structural.outcome();
        texts = structural.takeValue();
    }
    QList<TermRecord> records = language::termRecordsFromGCode(stored.tcode.toLatin1());
    for (qsizetype j = 0; j < records.size() && j < texts.size(); ++j) {
        if (records[j].letter != 0)
            records[j].text = texts[j];
    }
    normaliseTexts(records);
    return records;
}

Outcome ObjectModelRegenerator::regenerate()
{
    if (!m_database.driver()->hasFeature(QSqlDriver::Transactions))
        return Outcome::refused(kNoTransactions);
    const LargerPageCache cache(m_database);
    const ForeignKeysCheckedOnce keys(m_database);
    // The write lock is waited for now, instead of failing when the first
    // delete needs it; on a server, a second regeneration waits for this one.
    m_notRebuilt = 0;
    m_processed = 0;
    using store::SqlDialect;
    const store::Backend backend = SqlDialect::of(m_database);
    if (QSqlQuery begin(m_database); !begin.exec(SqlDialect::beginWriting(backend)))
        return Outcome::stop(kNoTransactions + QLatin1Char('\n') + begin.lastError().text());
    // Saves and generations share this lock: taking it alone waits for
    // those under way and keeps new ones waiting until the model is committed.
    for (const QString &lock : {SqlDialect::exclusiveLock(
             backend, SqlDialect::LockScope::Transaction, SqlDialect::LockName::Regeneration)}) {
        if (lock.isEmpty())
            continue;
        if (QSqlQuery locked(m_database); !locked.exec(lock)) {
            const QString error = locked.lastError().text();
            m_database.rollback();
            return Outcome::stop(kNoTransactions + QLatin1Char('\n') + error);
        }
    }
    Outcome result = deleteAndRebuild();
    if (result) {
        if (Outcome checked = keys.check(kModelTables); !checked) {
            notice(checked);
            result = Outcome::refused(kRebuildFailed);
        }
    }
    if (result && !m_database.commit())
        result = Outcome::stop(m_database.lastError().text());
    if (!result)
        m_database.rollback();
    return result;
}

Outcome ObjectModelRegenerator::deleteAndRebuild()
{
    // Emptied with their indexes: REQ_ENTITY goes last, and each entity
    // deleted before it looks its rows up through the index.
    if (Outcome deleted = deleteObjectModel(); !deleted) {
        notice(deleted);
        return Outcome::refused(kDeleteFailed);
    }
    // Filled without them; each index is built once at the end.
    Result<SuspendedIndexes> indexes = SuspendedIndexes::suspend(m_database, kModelTables);
    Outcome rebuilt = indexes ? rebuild() : indexes.outcome();
    if (rebuilt)
        rebuilt = indexes->restore();
    if (!rebuilt) {
        notice(rebuilt);
        return Outcome::refused(kRebuildFailed);
    }
    return Outcome::ok();
}

Outcome ObjectModelRegenerator::deleteObjectModel()
{
    QSqlQuery query(m_database);
    for (std::size_t t = 0; t < std::size(kModelTables); ++t) {
        if (!query.exec(QStringLiteral("DELETE FROM ") + QLatin1String(kModelTables[t])))
            return Outcome::stop(QStringLiteral("Error deleting records from %1.\n")
                                     .arg(QLatin1String(kModelTableNames[t])) +
                                 query.lastError().text());
    }
    for (const auto &[table, column] : kCounters) {
        if (!query.exec(QStringLiteral("UPDATE %1 SET %2 = 0")
                            .arg(QLatin1String(table), QLatin1String(column))))
            return Outcome::stop(
                QStringLiteral("Error deleting records from %1.\n").arg(QLatin1String(table)) +
                query.lastError().text());
    }
    return Outcome::ok();
}

Outcome ObjectModelRegenerator::rebuild()
{
    store::StoredRequirementReader reader(m_database.connectionName());
    if (Outcome opened = reader.open(); !opened)
        return opened;
    ModelTables tables(m_database, store::RowStatement::Route::Direct);
    tables.assumeEmpty();
    ObjectModelDeriver deriver(tables);
    reportProgress(0, reader.total());
    StoredRequirement stored;
    for (int position = 1; reader.next(stored); ++position) {
        if (stored.isFunctional() || stored.isStructural()) {
            if (Outcome rebuilt = rebuildOne(stored, deriver); !rebuilt)
                return rebuilt;
            ++m_processed;
        }
        reportProgress(position, reader.total());
    }
    if (Outcome read = reader.passOutcome(); !read)
        return read;
    return tables.flushCounters();
}

Outcome ObjectModelRegenerator::rebuildOne(const StoredRequirement &stored,
                                           ObjectModelDeriver &deriver)
{
    if (!stored.hasOwnRow)
        return Outcome::refused(
            stored.isFunctional()
                ? QStringLiteral("Invalid length of TCode string in FUNC_REQ table.")
                : QStringLiteral("Invalid length of TCode string in STRUC_REQ."));
    Result<QList<TermRecord>> records = rebuildTerms(stored);
    if (!records)
        return records.outcome();
    if (Outcome labelled = language::ClauseLabeler::LabelClauses(records.value()); !labelled) {
        notice(labelled);
        return Outcome::refused(kBadLabels);
    }
    // A requirement whose own derivation fails keeps what it wrote; the
    // rebuild goes on with the next one.
    if (Outcome derived =
            deriver.DeriveObjectModel(records.value(), stored.number, stored.isFunctional());
        !derived) {
        ++m_notRebuilt;
        notice(derived);
    }
    return Outcome::ok();
}

void ObjectModelRegenerator::reportProgress(int position, int total) const
{
    if (m_progress)
        m_progress(position == 0 ? 0 : int(position / (total * 0.01)), m_processed);
}

} // namespace varn::objmodel
