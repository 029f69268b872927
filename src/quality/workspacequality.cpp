#include "quality/workspacequality.h"
#include "quality/qualitytr.h"

#include "quality/sentencespans.h"

#include "objmodel/objectmodelreader.h"
#include "store/requirementreader.h"
#include "store/requirementrows.h"
#include "store/requirementsetreader.h"
#include "templates/structuraldraft.h"

#include <QDateTime>
#include <QHash>
#include <QSet>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>

namespace varn::quality {

namespace {

constexpr int kCompositionDefinition = 20;

QString named(const QString &type, const QString &entity)
{
    return (type.simplified() + QLatin1Char(' ') + entity.simplified()).trimmed();
}

// What a structural requirement defines, for the set rules.
void addDefinitions(const store::WholeRequirement &requirement, WorkspaceFacts &facts)
{
    const int source = requirement.master.Source;
    if (source != TemplateNumber::kAttributeDefinition && source != kCompositionDefinition)
        return;
    const templates::StructuralDraft draft = templates::StructuralDraft::fromStored(
        store::composerRowOf(requirement, store::kStrucReqColumns), requirement.possibleValues);
    const qint32 number = requirement.master.Req_Num;
    if (source == TemplateNumber::kAttributeDefinition) {
        AttributeDefinitionFact fact;
        fact.number = number;
        fact.entity = named(draft.type, draft.entity);
        fact.attribute = draft.attribute.simplified();
        if (draft.valueGroup == 1)
            fact.dataType = draft.dataType;
        else
            fact.values = draft.possibleValues;
        fact.defaultValue = draft.defaultValue.simplified();
        facts.definitions.append(fact);
    } else {
        facts.compositions.append(
            {number, named(draft.type, draft.entity), named(draft.partType, draft.partEntity)});
    }
}

bool accepted(const QList<store::QualityAcceptanceRow> &rows, qint32 number, const Finding &finding)
{
    return std::any_of(rows.begin(), rows.end(), [&](const store::QualityAcceptanceRow &row) {
        return row.number == number && row.rule == finding.rule && row.words == finding.words;
    });
}

} // namespace

WorkspaceQuality::WorkspaceQuality(QString connectionName) : m_connection(std::move(connectionName))
{}

WorkspaceQuality::~WorkspaceQuality() = default;

Result<RuleSettings> WorkspaceQuality::readSettings(const QString &connectionName)
{
    const store::QualityTables tables(connectionName);
    Result<QStringList> off = tables.switchedOffRules();
    if (!off)
        return off.outcome();
    Result<QList<store::QualityWordRow>> words = tables.addedWords();
    if (!words)
        return words.outcome();
    RuleSettings settings;
    settings.switchedOff = off.value();
    for (const store::QualityWordRow &row : words.value())
        settings.addedWords[row.rule].append(row.word);
    return settings;
}

Result<WorkspaceFacts> WorkspaceQuality::readFacts() const
{
    WorkspaceFacts facts;
    QSet<qint32> live;
    const store::RequirementSetReader reader(m_connection);
    const Outcome read = reader.forEach(false, [&](const store::WholeRequirement &requirement) {
        live.insert(requirement.master.Req_Num);
        facts.requirements.append({requirement.master.Req_Num, SentenceSpans::stored(requirement)});
        if (requirement.composerTable == QLatin1String("STRUC_REQ"))
            addDefinitions(requirement, facts);
    });
    if (!read)
        return read;
    Result<QList<store::StoredLink>> links = reader.links();
    if (!links)
        return links.outcome();
    for (const store::StoredLink &link : links.value()) {
        if (live.contains(link.parent) && live.contains(link.dependent))
            facts.links.append({link.parent, link.dependent});
    }
    objmodel::ObjectModelReader model(m_connection);
    Result<objmodel::ObjectModel> read2 =
        model.readModel({objmodel::ModelTable::Entity, objmodel::ModelTable::Inheritance});
    if (!read2)
        return read2.outcome();
    QHash<int, QString> names;
    for (const objmodel::ObjectModel::Entity &entity : read2->entities())
        names.insert(entity.id, entity.name);
    for (const objmodel::ObjectModel::Inheritance &row : read2->inheritance())
        facts.kinds.append({0, row.subEntity, names.value(row.baseId)});
    return facts;
}

ModelVocabulary WorkspaceQuality::vocabularyOf(const WorkspaceFacts &facts)
{
    ModelVocabulary vocabulary;
    for (const AttributeDefinitionFact &definition : facts.definitions) {
        for (const QString &value : definition.values)
            vocabulary.values.insert(value.simplified().toLower());
        if (!definition.defaultValue.isEmpty())
            vocabulary.values.insert(definition.defaultValue.toLower());
        vocabulary.entityNames.insert(definition.entity.toLower());
    }
    for (const CompositionFact &composition : facts.compositions) {
        vocabulary.entityNames.insert(composition.whole.toLower());
        vocabulary.entityNames.insert(composition.part.toLower());
    }
    for (const KindOfFact &kind : facts.kinds) {
        vocabulary.entityNames.insert(
            QString(kind.kind).replace(QLatin1Char('_'), QLatin1Char(' ')).toLower());
        vocabulary.entityNames.insert(
            QString(kind.base).replace(QLatin1Char('_'), QLatin1Char(' ')).toLower());
    }
    return vocabulary;
}

QList<RequirementFindings>
WorkspaceQuality::check(const WorkspaceFacts &facts, const RuleSettings &settings,
                        const QList<store::QualityAcceptanceRow> &acceptances,
                        std::optional<qint32> number, const std::function<void(int, int)> &progress)
{
    SentenceChecker sentences(settings);
    sentences.setVocabulary(vocabularyOf(facts));
    QHash<qint32, QList<Finding>> found;
    const int all = int(facts.requirements.size());
    int done = 0;
    for (const RequirementFacts &requirement : facts.requirements) {
        if (progress && ++done % 256 == 0)
            progress(done, all);
        if (number && requirement.number != *number)
            continue;
        QList<Finding> findings = sentences.check(requirement.sentence);
        if (!findings.isEmpty())
            found[requirement.number] = std::move(findings);
    }
    for (const RequirementFindings &set : SetChecker(settings).check(facts)) {
        if (number && set.number != *number)
            continue;
        found[set.number].append(set.findings);
    }
    QList<RequirementFindings> result;
    for (const RequirementFacts &requirement : facts.requirements) {
        const auto at = found.constFind(requirement.number);
        if (at == found.cend())
            continue;
        RequirementFindings kept{requirement.number, {}};
        for (const Finding &finding : at.value()) {
            if (!accepted(acceptances, requirement.number, finding))
                kept.findings.append(finding);
        }
        if (!kept.findings.isEmpty())
            result.append(std::move(kept));
    }
    return result;
}

Result<QList<RequirementFindings>> WorkspaceQuality::check(std::optional<qint32> number) const
{
    Result<RuleSettings> settings = readSettings(m_connection);
    if (!settings)
        return settings.outcome();
    Result<QList<store::QualityAcceptanceRow>> acceptances =
        store::QualityTables(m_connection).acceptances();
    if (!acceptances)
        return acceptances.outcome();
    Result<WorkspaceFacts> facts = readFacts();
    if (!facts)
        return facts.outcome();
    if (number && std::none_of(facts->requirements.begin(), facts->requirements.end(),
                               [&](const RequirementFacts &r) { return r.number == *number; }))
        return Outcome::refused(
            Tr::tr("Requirement %1 is not a live requirement of this workspace.").arg(*number));
    return check(facts.value(), settings.value(), acceptances.value(), number);
}

Result<int> WorkspaceQuality::accept(qint32 number, const QString &rule, const QString &reason,
                                     const QString &words) const
{
    if (!RuleBook::rule(rule))
        return Outcome::refused(Tr::tr("There is no quality rule \"%1\".").arg(rule));
    if (reason.trimmed().isEmpty())
        return Outcome::refused(Tr::tr("An accepted finding needs a reason."));
    Result<RuleSettings> settings = readSettings(m_connection);
    if (!settings)
        return settings.outcome();
    Result<WorkspaceFacts> facts = readFacts();
    if (!facts)
        return facts.outcome();
    if (std::none_of(facts->requirements.begin(), facts->requirements.end(),
                     [&](const RequirementFacts &r) { return r.number == number; }))
        return Outcome::refused(
            Tr::tr("Requirement %1 is not a live requirement of this workspace.").arg(number));
    const QList<RequirementFindings> found = check(facts.value(), settings.value(), {}, number);
    QList<Finding> matching;
    for (const RequirementFindings &requirement : found) {
        for (const Finding &finding : requirement.findings) {
            if (finding.rule == rule && (words.isEmpty() || finding.words == words))
                matching.append(finding);
        }
    }
    if (matching.isEmpty())
        return Outcome::refused(
            Tr::tr("Requirement %1 has no finding of the rule \"%2\".").arg(number).arg(rule));
    Result<std::optional<store::MasterReqRow>> master =
        store::RequirementReader(m_connection).master(number);
    if (!master)
        return master.outcome();
    const qint32 firstVersion = master.value() ? master.value()->OrigReqNum : 0;
    const qint32 version = master.value() ? master.value()->Version : 0;
    const store::QualityTables tables(m_connection);
    const QString who = currentUser();
    const QString when = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    for (const Finding &finding : matching) {
        store::QualityAcceptanceRow row{number,        firstVersion,     version, rule,
                                        finding.words, reason.trimmed(), who,     when};
        if (Outcome saved = tables.accept(row); !saved)
            return saved;
    }
    return int(matching.size());
}

QString WorkspaceQuality::currentUser()
{
    if (const passwd *entry = getpwuid(getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

} // namespace varn::quality
