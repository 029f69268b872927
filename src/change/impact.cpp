#include "change/impact.h"
#include "change/changetr.h"

#include "generate/generationtypes.h"
#include "generate/modelgenerator.h"
#include "objmodel/modelcontribution.h"
#include "store/dependentlinktable.h"

#include <QDir>

namespace varn::change {

namespace {

// A sentence as the reports show it, with its full stop (as a snapshot's).
store::SentenceState shown(store::SentenceState state)
{
    state.sentence += QLatin1Char('.');
    return state;
}

} // namespace

Impact::Impact(QString connectionName, QString installPath, QString systemName)
    : m_connection(std::move(connectionName)), m_installPath(std::move(installPath)),
      m_systemName(std::move(systemName)), m_requirements(m_connection),
      m_trace(m_connection, m_installPath, m_systemName)
{}

Impact::~Impact() = default;

QString Impact::unknown(int number)
{
    return Tr::tr("Requirement %1 does not exist.").arg(number);
}

Result<ImpactReport> Impact::of(int number)
{
    const Result<std::optional<store::SentenceState>> asked = m_requirements.sentenceState(number);
    if (!asked)
        return asked.outcome();
    if (!asked.value())
        return Outcome::warning(unknown(number));

    const store::DependentLinkTable linkTable(m_connection);
    const Result<QList<store::DependentLink>> links = linkTable.linkEnds();
    if (!links)
        return links.outcome();
    const Result<QList<store::LaterVersion>> versions = m_requirements.laterVersions();
    if (!versions)
        return versions.outcome();
    const LinkWalk walk(links.value(), versions.value());

    ImpactReport report;
    report.asked = number;
    report.number = walk.newestOf(number);
    report.versions = walk.versionsOf(number);
    report.sentence = shown(*asked.value()).sentence;
    report.deleted = asked.value()->deleted;
    if (report.number != number) {
        const Result<std::optional<store::SentenceState>> newest =
            m_requirements.sentenceState(report.number);
        if (!newest)
            return newest.outcome();
        if (newest.value()) {
            report.sentence = shown(*newest.value()).sentence;
            report.deleted = newest.value()->deleted;
        }
    }
    report.dependents = walk.reach(number, ImpactDirection::Dependents);
    report.parents = walk.reach(number, ImpactDirection::Parents);

    const Result<interchange::TracedRequirement> traced = m_trace.ofRequirement(report.number);
    if (!traced)
        return traced.outcome();
    report.produced = traced.value().entities;
    report.generatedFolders = generatedFolders();
    report.delta = versionDelta(report.versions);
    return report;
}

std::optional<VersionDelta> Impact::versionDelta(const QList<int> &versions)
{
    if (versions.size() < 2)
        return std::nullopt;
    VersionDelta delta;
    delta.previousNumber = versions.at(versions.size() - 2);
    delta.number = versions.last();
    for (auto [number, version] : {std::pair{delta.previousNumber, &delta.previousVersion},
                                   std::pair{delta.number, &delta.version}}) {
        const Result<std::optional<store::MasterReqRow>> row = m_requirements.master(number);
        if (row && row.value())
            *version = row.value()->Version;
    }
    const Result<QList<ModelElement>> before = contributionOf(delta.previousNumber);
    const Result<QList<ModelElement>> after = contributionOf(delta.number);
    if (!before || !after) {
        delta.failure = (before ? after.outcome() : before.outcome()).message();
        return delta;
    }
    delta.model = ModelElements::difference(before.value(), after.value());
    return delta;
}

Result<QList<ModelElement>> Impact::contributionOf(int number)
{
    if (!m_stored)
        m_stored = std::make_unique<store::StoredRequirementLookup>(m_connection);
    const Result<store::StoredRequirement> stored =
        m_stored->read(number, store::StoredRequirementLookup::Kind::AsComposed);
    if (!stored)
        return stored.outcome();
    const Result<objmodel::ObjectModel> model = objmodel::ModelContribution::of(stored.value());
    if (!model)
        return model.outcome();
    return ModelElements::of(model.value());
}

QStringList Impact::generatedFolders() const
{
    using generate::GeneratorKind;
    QStringList folders;
    for (const GeneratorKind kind : {GeneratorKind::Cpp, GeneratorKind::Java, GeneratorKind::Sql}) {
        const QDir folder(
            generate::ModelGenerator::outputFolder(kind, m_installPath, m_systemName));
        const QString pattern = QLatin1Char('*') + generate::ModelGenerator::fileSuffix(kind);
        if (folder.exists() && !folder.entryList({pattern}, QDir::Files).isEmpty())
            folders.append(folder.path());
    }
    return folders;
}

Outcome Impact::readSentences(ImpactReport &report)
{
    for (const Reach *reach : {&report.dependents, &report.parents}) {
        for (const ReachedRequirement &requirement : reach->requirements) {
            if (report.sentences.contains(requirement.number))
                continue;
            const Result<std::optional<store::SentenceState>> state =
                m_requirements.sentenceState(requirement.number);
            if (!state)
                return state.outcome();
            if (state.value())
                report.sentences.insert(requirement.number, shown(*state.value()));
        }
    }
    return Outcome::ok();
}

Result<std::optional<store::SentenceState>> Impact::sentenceOf(int number)
{
    Result<std::optional<store::SentenceState>> state = m_requirements.sentenceState(number);
    if (state && state.value())
        state.value() = shown(*state.value());
    return state;
}

} // namespace varn::change
