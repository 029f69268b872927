#include "interchange/requirementimporter.h"

#include "interchange/interchangetr.h"

#include "central/dependentlinks.h"
#include "central/requirementlifecycle.h"
#include "interchange/foreigndocument.h"
#include "interchange/storedfields.h"
#include "store/deferredwordindex.h"
#include "store/foreignobjects.h"
#include "store/largerpagecache.h"
#include "store/recordobjects.h"
#include "store/requirementreader.h"
#include "store/savetransaction.h"
#include "store/suspendedindexes.h"
#include "templates/functionalcommit.h"
#include "templates/storedrequirementloader.h"
#include "templates/structuralcommit.h"
#include "templates/technicalcommit.h"
#include "templates/technicaldraft.h"

#include <QDataStream>
#include <QDate>
#include <QHash>
#include <QMap>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>
#include <optional>

namespace varn::interchange {

namespace {

const QLatin1StringView kShall{" system shall "};

QString bodyAfterHead(const QString &sentence)
{
    const qsizetype at = sentence.indexOf(kShall);
    return at < 0 ? sentence : sentence.mid(at + kShall.size());
}

void takeAttributes(templates::DraftAttributes &draft, const ExchangedRequirement &requirement)
{
    draft.category = requirement.category;
    draft.priority = QString::number(requirement.priority);
    draft.release = QString::number(requirement.release);
    draft.paragraph =
        requirement.paragraph == QLatin1String("None") ? QString() : requirement.paragraph;
    draft.comments = requirement.comments;
    draft.forgetLoaded();
}

// A text held as two independent 64-bit hashes of it, seeded afresh in each
// process: two different texts share both with a chance too small to count
// (about 10^-26 for a million texts), so a set of them tells texts apart as
// the texts would.
struct KeyHash
{
    quint64 first = 0;
    quint64 second = 0;

    static KeyHash of(QStringView text)
    {
        const size_t seed = QHashSeed::globalSeed();
        return {quint64(qHash(text, seed ^ size_t(0x9E3779B97F4A7C15ULL))),
                quint64(qHash(text, seed ^ size_t(0xC2B2AE3D27D4EB4FULL)))};
    }
    friend bool operator==(const KeyHash &a, const KeyHash &b)
    {
        return a.first == b.first && a.second == b.second;
    }
    friend size_t qHash(const KeyHash &key, size_t seed = 0) { return size_t(key.first) ^ seed; }
};

// Whom a duplicate key belongs to: a requirement of the workspace (nameAt
// -1), or an item of the file, named by its part of the names text.
struct Known
{
    qint32 number = 0;
    qsizetype nameAt = -1;
    qint32 nameLength = 0;
};

} // namespace

class RequirementImporter::Run
{
public:
    Run(store::RecordObjects &records, const QString &systemName, bool deleteMissing)
        : m_records(records), m_connection(records.connectionName()), m_stored(m_connection),
          m_functional(records, systemName), m_structural(records, systemName),
          m_technical(records, systemName),
          m_foreign(m_connection, store::ForeignObjects::Route::Direct),
          m_deleteMissing(deleteMissing)
    {}

    Result<ImportSummary> run(const ImportBatch &batch, bool dryRun, const Progress &progress)
    {
        qsizetype at = 0;
        const NextItem next = [&]() -> Result<std::optional<ImportBatch::Item>> {
            if (at == batch.items.size())
                return std::optional<ImportBatch::Item>();
            return std::optional<ImportBatch::Item>(batch.items.at(at++));
        };
        return run(batch, next, int(batch.items.size()), dryRun, progress);
    }

    // The batch's links, report and document with the items next gives.
    Result<ImportSummary> run(const ImportBatch &batch, const NextItem &next, int total,
                              bool dryRun, const Progress &progress)
    {
        m_summary.report = batch.report;
        m_linksFollow = !batch.links.isEmpty();
        m_document = batch.foreignDocument.get();
        // A large file writes more pages than the default cache holds: they
        // would spill into the log mid-transaction and be read back again.
        const store::LargerPageCache cache(m_connection);
        store::SaveTransaction transaction(m_connection);
        if (Outcome begun = transaction.beginBatch(); !begun)
            return begun;
        // The batch's words are indexed once, before it commits; a rollback
        // leaves the index and its triggers as they were.
        Result<store::DeferredWordIndex> words = store::DeferredWordIndex::defer(m_connection);
        if (!words)
            return words.outcome();
        if (Outcome read = readExisting(); !read)
            return read;
        if (m_document) {
            if (Outcome matched = matchDocument(); !matched)
                return matched;
        }
        std::optional<store::SuspendedIndexes> orders;
        if (writesMany(total)) {
            Result<store::SuspendedIndexes> suspended =
                store::SuspendedIndexes::suspend(m_connection, kOrderedTables);
            if (!suspended)
                return suspended.outcome();
            orders = suspended.takeValue();
        }
        if (Outcome saved = importItems(next, total, progress); !saved)
            return saved; // the transaction rolls back
        if (Outcome linked = importLinks(batch.links, batch.foreignDocument != nullptr); !linked)
            return linked;
        if (m_summary.report.failed())
            return Outcome::stop(
                Tr::tr("The report of the import could not be written to a temporary file: %1")
                    .arg(m_summary.report.error()));
        if (m_document) {
            if (Outcome kept = keepDocument(); !kept)
                return kept;
        }
        if (dryRun) {
            if (Outcome undone = transaction.rollback(); !undone)
                return undone;
            return m_summary;
        }
        if (orders) {
            if (Outcome restored = orders->restore(); !restored)
                return restored;
        }
        if (Outcome indexed = words->index(); !indexed)
            return indexed;
        if (Outcome committed = transaction.commit(); !committed)
            return committed;
        return m_summary;
    }

private:
    // Requirements Central's orders over the requirements: indexes of many
    // columns each, which a large batch builds once after its rows are in
    // rather than keeping them in order row by row.
    static constexpr const char *kOrderedTables[] = {"MASTER_REQ"};

    // Whether the batch adds so many requirements beside those stored that
    // building the orders again costs less than keeping them up to date.
    // Kept up to date, a row costs about ten times what it costs in a
    // build (measured at 1,000 rows into 100,000 and 100,000 into none), so
    // a build pays once the batch adds an eighth of what is stored; a small
    // batch keeps them whatever the workspace holds. A newer file's objects
    // that came in before add nothing unless changed.
    bool writesMany(int total) const
    {
        const qsizetype added = total - m_matchedObjects;
        return added >= kManyRows && added * 8 >= m_live.size();
    }
    static constexpr qsizetype kManyRows = 1000;

    // The saves keep their record sets open from one to the next; they are
    // closed again before anything else writes.
    Outcome importItems(const NextItem &next, int total, const Progress &progress)
    {
        m_records.holdGroups();
        const auto release = qScopeGuard([this] { m_records.releaseGroups(); });
        int done = 0;
        for (;;) {
            Result<std::optional<ImportBatch::Item>> item = next();
            if (!item)
                return item.outcome();
            if (!item->has_value())
                break;
            if (Outcome saved = importItem(*item.value()); !saved)
                return saved;
            ++done;
            if (progress && done % 100 == 0)
                progress(done, std::max(done, total));
        }
        if (progress && done % 100 != 0)
            progress(done, std::max(done, total));
        return Outcome::ok();
    }

    Outcome readExisting()
    {
        const Result<QList<store::NumberedSentence>> live = m_stored.liveSentences();
        if (!live)
            return live.outcome();
        m_known.reserve(live->size());
        for (const store::NumberedSentence &stored : live.value()) {
            m_known.insert(KeyHash::of(duplicateKey(stored.sentence)), {stored.number, -1});
            // Only another tool's document asks which sentence a number has.
            if (m_document)
                m_live.insert(stored.number, stored.sentence);
        }
        return Outcome::ok();
    }

    // Whom a known duplicate key belongs to, as the report names it.
    QString knownName(const Known &known) const
    {
        if (known.nameAt < 0)
            return Tr::tr("requirement %1 of the workspace").arg(known.number);
        return Tr::tr("%1 of the file")
            .arg(QStringView(m_names).sliced(known.nameAt, known.nameLength));
    }

    // The live requirements that came from the document's objects before, by
    // identifier, and the stored document they belong to: the one most of
    // the file's objects came from, or a new one.
    Outcome matchDocument()
    {
        Result<QHash<qint32, store::ForeignObjectRow>> objects = m_foreign.allObjects();
        if (!objects)
            return objects.outcome();
        const Result<QHash<qint32, QString>> fullTexts = m_foreign.allFullTexts();
        if (!fullTexts)
            return fullTexts.outcome();
        for (const store::ForeignObjectRow &row : objects.value()) {
            if (m_live.contains(row.number))
                m_existing.insert(row.identifier,
                                  {row.number, row.document, ForeignDocument::object(row),
                                   fullTexts->value(row.number)});
        }
        QHash<qint32, int> documents;
        for (const QString &identifier : ForeignDocument::objectIdentifiers(*m_document)) {
            m_fileObjects.insert(identifier);
            if (const auto known = m_existing.constFind(identifier); known != m_existing.cend()) {
                ++documents[known->document];
                ++m_matchedObjects;
            }
        }
        for (auto it = documents.cbegin(); it != documents.cend(); ++it) {
            if (it.value() > documents.value(m_documentNumber))
                m_documentNumber = it.key();
        }
        if (m_documentNumber > 0)
            return Outcome::ok();
        const Result<qint32> added = m_foreign.addDocument(documentRow());
        if (!added)
            return added.outcome();
        m_documentNumber = added.value();
        return Outcome::ok();
    }

    store::ForeignDocumentRow documentRow() const
    {
        return {m_documentNumber,
                m_document->headerIdentifier,
                m_document->sourceToolId,
                m_document->title,
                {}};
    }

    // The rest of the document, its relations, and what the file no longer
    // holds of it.
    Outcome keepDocument()
    {
        store::ForeignDocumentRow row = documentRow();
        Result<QString> layout = ForeignDocument::encodeLayout(*m_document, m_requirementObjects);
        if (!layout)
            return layout.outcome();
        row.layout = layout.takeValue();
        if (Outcome replaced = m_foreign.replaceDocument(row); !replaced)
            return replaced;
        QList<store::ForeignRelationRow> relations;
        relations.reserve(m_document->relations.size());
        for (const ReqIfContent::Relation &relation : m_document->relations)
            relations.append(ForeignDocument::relationRow(*m_document, relation));
        if (Outcome kept = m_foreign.replaceRelations(m_documentNumber, relations); !kept)
            return kept;
        QList<ImportSummary::Missing> missing;
        for (auto it = m_existing.cbegin(); it != m_existing.cend(); ++it) {
            if (it->document == m_documentNumber && !m_fileObjects.contains(it.key()))
                missing.append({it.key(), it->number, m_live.value(it->number)});
        }
        std::sort(missing.begin(), missing.end(),
                  [](const auto &a, const auto &b) { return a.number < b.number; });
        m_summary.missing = missing;
        if (!m_deleteMissing || missing.isEmpty())
            return Outcome::ok();
        const central::RequirementLifecycle lifecycle(m_connection);
        for (const ImportSummary::Missing &gone : std::as_const(missing)) {
            if (Outcome marked = lifecycle.markDeleted(gone.number, QDate::currentDate()); !marked)
                return Outcome::stop(marked.message());
        }
        m_summary.missingDeleted = true;
        return Outcome::ok();
    }

    // The object and the whole text a requirement version came with.
    Outcome keepForeign(qint32 number, const ImportBatch::Item &item)
    {
        if (item.foreign && m_document) {
            store::ForeignObjectRow row = ForeignDocument::objectRow(*m_document, *item.foreign);
            row.number = number;
            row.document = m_documentNumber;
            if (Outcome added = m_foreign.addObject(row); !added)
                return added;
            m_requirementObjects.insert(item.foreign->identifier);
        }
        if (!item.fullText.isEmpty())
            return m_foreign.setFullText(number, item.fullText);
        return Outcome::ok();
    }

    struct Existing
    {
        qint32 number = 0;
        qint32 document = 0;
        ReqIfContent::Object object;
        QString fullText;
    };

    // A newer version of an object imported before: its next version when
    // its values changed, as Edit saves it.
    Outcome updateItem(const ImportBatch::Item &item, const Existing &existing)
    {
        m_numbers.insert(item.origin, existing.number);
        m_requirementObjects.insert(item.foreign->identifier);
        if (ForeignDocument::sameValues(existing.object, *item.foreign) &&
            existing.fullText == item.fullText) {
            ++m_summary.unchanged;
            return Outcome::ok();
        }
        Result<templates::TechnicalDraft> draft =
            templates::TechnicalDraft::stored(m_connection, existing.number, true);
        if (!draft)
            return Outcome::stop(draft.outcome().message());
        draft->text = item.requirement.text;
        if (!item.requirement.paragraph.isEmpty())
            draft->paragraph = item.requirement.paragraph;
        const templates::CommitResult result = m_technical.save(draft.value());
        if (!result.outcome) {
            if (result.outcome.kind() == MessageKind::Stop)
                return result.outcome;
            leaveOut(item, result.outcome.message());
            return Outcome::ok();
        }
        // The new version took the old object along, as any edit does: the
        // file's object replaces it.
        if (Outcome forgotten = m_foreign.forget(result.number); !forgotten)
            return forgotten;
        if (Outcome kept = keepForeign(result.number, item); !kept)
            return kept;
        m_numbers.insert(item.origin, result.number);
        m_summary.changed.append({item.origin, existing.number, result.number, result.sentence});
        return Outcome::ok();
    }

    void leaveOut(const ImportBatch::Item &item, const QString &why)
    {
        m_summary.report.append(Tr::tr("%1 is not imported: %2").arg(item.name(), why));
    }

    // Fails only when the database does: the import then stops whole.
    Outcome importItem(const ImportBatch::Item &item)
    {
        const ExchangedRequirement &requirement = item.requirement;
        const KeyHash origin = KeyHash::of(item.origin);
        if (m_seen.contains(origin)) {
            leaveOut(item, Tr::tr("its identifier appears twice in the file."));
            return Outcome::ok();
        }
        m_seen.insert(origin);
        if (item.foreign) {
            if (const auto known = m_existing.constFind(item.foreign->identifier);
                known != m_existing.cend())
                return updateItem(item, *known);
        }
        const KeyHash key = KeyHash::of(duplicateKey(requirement.sentence()));
        // Another tool's objects are different requirements whatever their
        // texts: the same text is named as a possible duplicate and kept.
        std::optional<QString> sameText;
        if (!requirement.deleted) {
            if (const auto known = m_known.constFind(key); known != m_known.cend()) {
                if (!item.foreign) {
                    leaveOut(item, Tr::tr("it duplicates %1.").arg(knownName(*known)));
                    return Outcome::ok();
                }
                sameText = knownName(*known);
            }
        }
        const QDate saved =
            requirement.dateSaved.isEmpty()
                ? QDate()
                : QDate::fromString(requirement.dateSaved, QStringLiteral("M-d-yyyy"));
        const QDate day = saved.isValid() ? saved : m_today;
        templates::CommitResult result;
        const std::optional<QJsonObject> fields = StoredFields::decode(requirement.storedFields);
        if (fields && StoredFields::isFunctional(*fields)) {
            Result<templates::FunctionalDraft> draft = templates::StoredRequirementLoader::fromRows(
                StoredFields::functionalRow(*fields),
                requirement.masterRow(ExchangedRequirement::MasterColumns::AttributesAndVersions));
            if (!draft) {
                leaveOut(item, draft.outcome().message());
                return Outcome::ok();
            }
            takeAttributes(draft.value(), requirement);
            result = m_functional.save(draft.value(), day);
        } else if (fields && StoredFields::isStructural(*fields)) {
            const store::MasterReqRow master =
                requirement.masterRow(ExchangedRequirement::MasterColumns::AttributesAndVersions);
            templates::StructuralDraft draft = templates::StructuralDraft::fromStored(
                StoredFields::structuralRow(*fields), StoredFields::possibleValues(*fields),
                &master);
            takeAttributes(draft, requirement);
            result = m_structural.save(draft, day);
        } else {
            templates::TechnicalDraft draft;
            takeAttributes(draft, requirement);
            // Another tool's text is the body whole, even when it names a
            // system that shall do something itself.
            draft.text = item.foreign ? requirement.text : bodyAfterHead(requirement.text);
            result = m_technical.save(draft, day);
        }
        if (!result.outcome) {
            if (result.outcome.kind() == MessageKind::Stop)
                return result.outcome;
            leaveOut(item, result.outcome.message());
            return Outcome::ok();
        }
        if (requirement.deleted) {
            const central::RequirementLifecycle lifecycle(m_connection);
            if (Outcome marked = lifecycle.markDeleted(result.number, day); !marked)
                return Outcome::stop(marked.message());
            ++m_summary.deleted;
        } else if (sameText) {
            m_summary.report.append(Tr::tr("%1 has the same text as %2: it may be a duplicate.")
                                        .arg(item.name(), *sameText));
        } else {
            const QString name = item.name();
            const Known known{result.number, m_names.size(), qint32(name.size())};
            m_names += name.front().toLower();
            m_names += QStringView(name).sliced(1);
            m_known.insert(key, known);
        }
        if (Outcome kept = keepForeign(result.number, item); !kept)
            return kept;
        if (m_linksFollow)
            m_numbers.insert(item.origin, result.number);
        if (!m_summary.imported.append({item.origin, result.number, result.sentence}))
            return Outcome::stop(
                Tr::tr("The list of imported requirements could not be written to a temporary "
                       "file: %1")
                    .arg(m_summary.imported.error()));
        return Outcome::ok();
    }

    // Links of another tool's file that would close a cycle of dependents
    // are left out, each the one that closes it in the file's order; Varn
    // SE's own files bring their cycles back, named in a notice.
    Outcome importLinks(const QList<ImportBatch::Link> &links, bool leaveOutCycles)
    {
        QMap<qint32, QList<int>> dependents;
        std::optional<central::DependentGraph> known;
        if (leaveOutCycles) {
            Result<central::DependentGraph> read = central::DependentGraph::read(m_connection);
            if (!read)
                return Outcome::stop(read.outcome().message());
            known = read.takeValue();
        }
        for (const ImportBatch::Link &link : links) {
            const auto parent = m_numbers.constFind(link.parent);
            const auto dependent = m_numbers.constFind(link.dependent);
            if (parent == m_numbers.cend() || dependent == m_numbers.cend()) {
                const QString missing = parent == m_numbers.cend() ? link.parent : link.dependent;
                m_summary.report.append(
                    Tr::tr("Relation %1 is not imported: requirement %2 was not imported.")
                        .arg(link.origin, missing));
                continue;
            }
            if (*parent == *dependent) {
                m_summary.report.append(
                    Tr::tr("Relation %1 is not imported: %2")
                        .arg(link.origin, central::DependentLinks::ownDependent(*parent)));
                continue;
            }
            QList<int> &listed = dependents[*parent];
            if (listed.contains(*dependent))
                continue;
            if (known) {
                const QList<int> before = listed;
                known->replace(*parent, before + QList<int>{*dependent});
                const QList<QList<int>> cycles = known->cyclesThrough(*parent);
                const auto closed =
                    std::find_if(cycles.cbegin(), cycles.cend(),
                                 [&](const auto &c) { return c.size() > 1 && c[1] == *dependent; });
                if (closed != cycles.cend()) {
                    known->replace(*parent, before);
                    QStringList chain;
                    for (const int number : *closed)
                        chain.append(QString::number(number));
                    m_summary.report.append(
                        Tr::tr("Relation %1 is not imported: it would close a cycle of "
                               "dependents (%2).")
                            .arg(link.origin, chain.join(QStringLiteral(" -> "))));
                    continue;
                }
            }
            listed.append(*dependent);
        }
        if (dependents.isEmpty())
            return Outcome::ok();
        const central::DependentLinks writer(m_connection);
        Result<central::DependentGraph> graph = central::DependentGraph::read(m_connection);
        if (!graph)
            return Outcome::stop(graph.outcome().message());
        QList<QList<int>> cycles;
        for (auto it = dependents.cbegin(); it != dependents.cend(); ++it) {
            // A requirement updated in place keeps the links it has.
            QList<int> links = graph->dependentsOf(it.key());
            int added = 0;
            for (const int dependent : it.value()) {
                if (!links.contains(dependent)) {
                    links.append(dependent);
                    ++added;
                }
            }
            if (added == 0)
                continue;
            const Result<QList<QList<int>>> saved =
                writer.saveDependents(it.key(), links, graph.value());
            if (!saved)
                return Outcome::stop(saved.outcome().message());
            cycles += saved.value();
            m_summary.links += added;
        }
        if (!cycles.isEmpty())
            m_summary.notices.append(central::DependentLinks::cycleNotice(cycles));
        return Outcome::ok();
    }

    store::RecordObjects &m_records;
    // The day of the import, the date saved of what the file gives none.
    const QDate m_today = QDate::currentDate();
    QString m_connection;
    store::RequirementReader m_stored;
    templates::FunctionalCommit m_functional;
    templates::StructuralCommit m_structural;
    templates::TechnicalCommit m_technical;
    ImportSummary m_summary;
    // The duplicate keys of the workspace's and the file's sentences, and
    // the identifiers of the file's items, held as hashes: a million take
    // tens of megabytes where the texts took hundreds. The names the report
    // gives the file's items are kept together in one text.
    QHash<KeyHash, Known> m_known;
    QSet<KeyHash> m_seen;
    QString m_names;
    bool m_linksFollow = false;
    QHash<QString, qint32> m_numbers;
    store::ForeignObjects m_foreign;
    bool m_deleteMissing = false;
    const ReqIfContent *m_document = nullptr;
    qint32 m_documentNumber = 0;
    qsizetype m_matchedObjects = 0; // the file's objects stored before
    QHash<qint32, QString> m_live;
    QHash<QString, Existing> m_existing;
    QSet<QString> m_fileObjects;
    QSet<QString> m_requirementObjects;
};

struct ImportedList::Spool
{
    QTemporaryFile file;
    QList<qint64> offsets; // where each entry begins
    qint64 end = 0;
};

bool ImportedList::append(const ImportedRequirement &requirement)
{
    if (m_spooled == 0 && m_held.size() < kHeld) {
        m_held.append(requirement);
        return true;
    }
    if (!m_spool) {
        m_spool = std::make_shared<Spool>();
        if (!m_spool->file.open())
            return false;
    }
    QFile &file = m_spool->file;
    // A read in between may have moved the file's position.
    if (file.pos() != m_spool->end && !file.seek(m_spool->end))
        return false;
    QDataStream out(&file);
    out << requirement.origin << requirement.number << requirement.sentence;
    if (out.status() != QDataStream::Ok)
        return false;
    m_spool->offsets.append(m_spool->end);
    m_spool->end = file.pos();
    ++m_spooled;
    return true;
}

QString ImportedList::error() const
{
    return m_spool ? m_spool->file.errorString() : QString();
}

ImportedRequirement ImportedList::at(qsizetype index) const
{
    if (index < m_held.size())
        return m_held.at(index);
    ImportedRequirement requirement;
    QFile &file = m_spool->file;
    const qint64 offset = m_spool->offsets.at(index - m_held.size());
    if (file.pos() != offset && !file.seek(offset))
        return requirement;
    QDataStream in(&file);
    in >> requirement.origin >> requirement.number >> requirement.sentence;
    return requirement;
}

RequirementImporter::RequirementImporter(store::RecordObjects &records, QString systemName)
    : m_records(records), m_systemName(std::move(systemName))
{}

Result<ImportSummary> RequirementImporter::run(const ImportBatch &batch, bool dryRun,
                                               const Progress &progress)
{
    return Run(m_records, m_systemName, m_deleteMissing).run(batch, dryRun, progress);
}

Result<ImportSummary> RequirementImporter::run(const ImportBatch &batch, const NextItem &next,
                                               int total, bool dryRun, const Progress &progress)
{
    return Run(m_records, m_systemName, m_deleteMissing).run(batch, next, total, dryRun, progress);
}

Result<ImportSummary> RequirementImporter::run(const NextItem &next, int total, bool dryRun,
                                               const Progress &progress)
{
    return Run(m_records, m_systemName, m_deleteMissing)
        .run(ImportBatch(), next, total, dryRun, progress);
}

QString RequirementImporter::duplicateKey(const QString &sentence)
{
    QString body = bodyAfterHead(sentence).simplified().toLower();
    if (body.endsWith(QLatin1Char('.')))
        body.chop(1);
    return body;
}

} // namespace varn::interchange
