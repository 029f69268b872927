#include "interchange/requirementimporter.h"

#include "interchange/interchangetr.h"

#include "central/dependentlinks.h"
#include "central/requirementlifecycle.h"
#include "interchange/storedfields.h"
#include "store/recordobjects.h"
#include "store/requirementreader.h"
#include "store/savetransaction.h"
#include "templates/functionalcommit.h"
#include "templates/storedrequirementloader.h"
#include "templates/structuralcommit.h"
#include "templates/technicalcommit.h"

#include <QDate>
#include <QHash>
#include <QMap>
#include <QSet>

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

} // namespace

class RequirementImporter::Run
{
public:
    Run(store::RecordObjects &records, const QString &systemName)
        : m_records(records), m_connection(records.connectionName()), m_stored(m_connection),
          m_functional(records, systemName), m_structural(records, systemName),
          m_technical(records, systemName)
    {}

    Result<ImportSummary> run(const ImportBatch &batch, bool dryRun, const Progress &progress)
    {
        m_summary.report = batch.report;
        store::SaveTransaction transaction(m_connection);
        if (Outcome begun = transaction.beginBatch(); !begun)
            return begun;
        if (Outcome read = readExisting(); !read)
            return read;
        const int total = int(batch.items.size());
        for (int i = 0; i < total; ++i) {
            if (Outcome saved = importItem(batch.items[i]); !saved)
                return saved; // the transaction rolls back
            if (progress && (i % 100 == 99 || i + 1 == total))
                progress(i + 1, total);
        }
        if (Outcome linked = importLinks(batch.links, batch.foreignDocument != nullptr); !linked)
            return linked;
        if (dryRun) {
            if (Outcome undone = transaction.rollback(); !undone)
                return undone;
        } else if (Outcome committed = transaction.commit(); !committed) {
            return committed;
        }
        return m_summary;
    }

private:
    Outcome readExisting()
    {
        const Result<QList<store::NumberedSentence>> live = m_stored.liveSentences();
        if (!live)
            return live.outcome();
        for (const store::NumberedSentence &stored : live.value())
            m_known.insert(duplicateKey(stored.sentence),
                           Tr::tr("requirement %1 of the workspace").arg(stored.number));
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
        if (m_seen.contains(item.origin)) {
            leaveOut(item, Tr::tr("its identifier appears twice in the file."));
            return Outcome::ok();
        }
        m_seen.insert(item.origin);
        const QString key = duplicateKey(requirement.sentence());
        // Another tool's objects are different requirements whatever their
        // texts: the same text is named as a possible duplicate and kept.
        std::optional<QString> sameText;
        if (!requirement.deleted) {
            if (const auto known = m_known.constFind(key); known != m_known.cend()) {
                if (!item.foreign) {
                    leaveOut(item, Tr::tr("it duplicates %1.").arg(*known));
                    return Outcome::ok();
                }
                sameText = *known;
            }
        }
        const QDate saved = QDate::fromString(requirement.dateSaved, QStringLiteral("M-d-yyyy"));
        const QDate day = saved.isValid() ? saved : QDate::currentDate();
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
            QString name = item.name();
            name[0] = name[0].toLower();
            m_known.insert(key, Tr::tr("%1 of the file").arg(name));
        }
        m_numbers.insert(item.origin, result.number);
        m_summary.imported.append({item.origin, result.number, m_stored.sentenceOf(result.number)});
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
            const Result<QList<QList<int>>> saved =
                writer.saveDependents(it.key(), it.value(), graph.value());
            if (!saved)
                return Outcome::stop(saved.outcome().message());
            cycles += saved.value();
            m_summary.links += int(it.value().size());
        }
        if (!cycles.isEmpty())
            m_summary.notices.append(central::DependentLinks::cycleNotice(cycles));
        return Outcome::ok();
    }

    store::RecordObjects &m_records;
    QString m_connection;
    store::RequirementReader m_stored;
    templates::FunctionalCommit m_functional;
    templates::StructuralCommit m_structural;
    templates::TechnicalCommit m_technical;
    ImportSummary m_summary;
    QHash<QString, QString> m_known;
    QSet<QString> m_seen;
    QHash<QString, qint32> m_numbers;
};

RequirementImporter::RequirementImporter(store::RecordObjects &records, QString systemName)
    : m_records(records), m_systemName(std::move(systemName))
{}

Result<ImportSummary> RequirementImporter::run(const ImportBatch &batch, bool dryRun,
                                               const Progress &progress)
{
    return Run(m_records, m_systemName).run(batch, dryRun, progress);
}

QString RequirementImporter::duplicateKey(const QString &sentence)
{
    QString body = bodyAfterHead(sentence).simplified().toLower();
    if (body.endsWith(QLatin1Char('.')))
        body.chop(1);
    return body;
}

} // namespace varn::interchange
