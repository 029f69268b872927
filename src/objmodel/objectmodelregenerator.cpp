#include "objmodel/objectmodelregenerator.h"
#include "objmodel/objmodeltr.h"
#include "store/storetr.h"

#include "language/clauselabeler.h"
#include "language/gcodegrammar.h"
#include "objmodel/objectmodelderiver.h"
#include "objmodel/objectmodelwriter.h"
#include "store/foreignkeyscheckedonce.h"
#include "store/largerpagecache.h"
#include "store/regenerationtransaction.h"
#include "store/savetransaction.h"
#include "store/storemessages.h"
#include "store/suspendedindexes.h"

namespace varn::objmodel {

using language::TermRecord;

namespace {

constexpr char kDeleteFailed[] =
    QT_TRANSLATE_NOOP("varn::objmodel", "Error deleting records from the object model database.");
constexpr char kRebuildFailed[] = QT_TRANSLATE_NOOP(
    "varn::objmodel",
    "The object model database could not be rebuilt. At least one Functional or Structural "
    "requirement\nmust be saved before regenerating the object model database.");
constexpr char kUnknownShape[] = QT_TRANSLATE_NOOP(
    "varn::objmodel",
    "Structural requirement could not be rebuilt. Fields populated in STRUC_REQ table\ndo not "
    "equate to any known template.");
constexpr char kBadLabels[] =
    QT_TRANSLATE_NOOP("varn::objmodel", "A requirement has failed GCode assignment; requirement "
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
            return Outcome::refused(Tr::tr(kUnknownShape));
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

ObjectModelRegenerator::ObjectModelRegenerator(QString connectionName)
    : m_connection(std::move(connectionName))
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
        return Outcome::refused(functional
                                    ? Tr::tr("Invalid length of TCode string in FUNC_REQ table.")
                                    : Tr::tr("Invalid length of TCode string in STRUC_REQ."));
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
    if (!store::SaveTransaction::supportsTransactions(m_connection))
        return Outcome::refused(store::Tr::tr(store::messages::kNoTransactions));
    // Both switch before the transaction begins and back after it ends.
    const store::LargerPageCache cache(m_connection);
    const store::ForeignKeysCheckedOnce keys(m_connection);
    m_notRebuilt = 0;
    m_processed = 0;
    store::RegenerationTransaction transaction(m_connection);
    if (Outcome begun = transaction.begin(); !begun)
        return begun;
    Outcome result = deleteAndRebuild();
    if (result) {
        if (Outcome checked = keys.check(ObjectModelWriter::tables()); !checked) {
            notice(checked);
            result = Outcome::refused(Tr::tr(kRebuildFailed));
        }
    }
    if (result)
        return transaction.commit();
    transaction.rollback();
    return result;
}

Outcome ObjectModelRegenerator::deleteAndRebuild()
{
    // Emptied with their indexes: REQ_ENTITY goes last, and each entity
    // deleted before it looks its rows up through the index.
    if (Outcome deleted = ObjectModelWriter(m_connection).emptyAll(); !deleted) {
        notice(deleted);
        return Outcome::refused(Tr::tr(kDeleteFailed));
    }
    // Filled without them; each index is built once at the end.
    Result<store::SuspendedIndexes> indexes =
        store::SuspendedIndexes::suspend(m_connection, ObjectModelWriter::tables());
    Outcome rebuilt = indexes ? rebuild() : indexes.outcome();
    if (rebuilt)
        rebuilt = indexes->restore();
    if (!rebuilt) {
        notice(rebuilt);
        return Outcome::refused(Tr::tr(kRebuildFailed));
    }
    return Outcome::ok();
}

Outcome ObjectModelRegenerator::rebuild()
{
    store::StoredRequirementReader reader(m_connection);
    if (Outcome opened = reader.open(); !opened)
        return opened;
    ObjectModelWriter writer(m_connection, ObjectModelWriter::Lifetime::OneTransaction);
    writer.assumeEmpty();
    ObjectModelDeriver deriver(writer);
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
    return writer.flushCounters();
}

Outcome ObjectModelRegenerator::rebuildOne(const StoredRequirement &stored,
                                           ObjectModelDeriver &deriver)
{
    if (!stored.hasOwnRow)
        return Outcome::refused(stored.isFunctional()
                                    ? Tr::tr("Invalid length of TCode string in FUNC_REQ table.")
                                    : Tr::tr("Invalid length of TCode string in STRUC_REQ."));
    Result<QList<TermRecord>> records = rebuildTerms(stored);
    if (!records)
        return records.outcome();
    if (Outcome labelled = language::ClauseLabeler::LabelClauses(records.value()); !labelled) {
        notice(labelled);
        return Outcome::refused(Tr::tr(kBadLabels));
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
