#include "interchange/requirementtrace.h"

#include "common/commonmessages.h"
#include "interchange/interchangetr.h"

#include "generate/generationtypes.h"
#include "generate/modelgenerator.h"
#include "objmodel/producedclasses.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace varn::interchange {

using objmodel::ObjectModel;
using objmodel::ObjectModelReader;

namespace {

bool isIdentifierCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The first line (from 1) at or after `from` holding the name as a whole
// identifier; 0 when none does.
int lineHolding(const QStringList &lines, const QString &name, int from = 0)
{
    for (int i = from; i < lines.size(); ++i) {
        const QString &line = lines[i];
        for (qsizetype at = line.indexOf(name); at >= 0; at = line.indexOf(name, at + 1)) {
            const qsizetype end = at + name.size();
            if ((at == 0 || !isIdentifierCharacter(line[at - 1])) &&
                (end == line.size() || !isIdentifierCharacter(line[end])))
                return i + 1;
        }
    }
    return 0;
}

// Whether the words of a field run, in order, among the words of a name.
bool holdsRun(const QStringList &nameWords, const QStringList &fieldWords)
{
    if (fieldWords.isEmpty() || fieldWords.size() > nameWords.size())
        return false;
    for (qsizetype start = 0; start + fieldWords.size() <= nameWords.size(); ++start) {
        bool all = true;
        for (qsizetype k = 0; k < fieldWords.size() && all; ++k)
            all = nameWords[start + k] == fieldWords[k];
        if (all)
            return true;
    }
    return false;
}

QStringList textWords(const QString &text);

// Whether a member's name holds the words of one of the requirement's fields.
bool holdsFieldWords(const QString &name, const QList<QStringList> &fieldWords)
{
    const QStringList words = RequirementTrace::nameWords(name);
    for (const QStringList &field : fieldWords) {
        if (holdsRun(words, field))
            return true;
    }
    return false;
}

QStringList textWords(const QString &text)
{
    QStringList words;
    for (const QString &word : text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QString kept;
        for (const QChar c : word) {
            if (c.isLetterOrNumber())
                kept += c;
        }
        if (!kept.isEmpty())
            words.append(kept);
    }
    return words;
}

QStringList linesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

} // namespace

RequirementTrace::RequirementTrace(QString connectionName, QString installPath, QString systemName)
    : m_connection(std::move(connectionName)), m_installPath(std::move(installPath)),
      m_systemName(std::move(systemName)), m_model(m_connection), m_requirements(m_connection)
{}

RequirementTrace::~RequirementTrace() = default;

QStringList RequirementTrace::nameWords(QStringView name)
{
    QStringList words;
    QString word;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (!c.isLetterOrNumber()) {
            if (!word.isEmpty())
                words.append(word);
            word.clear();
            continue;
        }
        const bool startsWord =
            c.isUpper() && !word.isEmpty() &&
            (!word.back().isUpper() || (i + 1 < name.size() && name[i + 1].isLower()));
        if (startsWord) {
            words.append(word);
            word.clear();
        }
        word += c.toLower();
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

Result<TracedRequirement> RequirementTrace::ofRequirement(qint32 number)
{
    const Result<std::optional<store::SentenceState>> state = m_requirements.sentenceState(number);
    if (!state)
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    if (!state.value())
        return Outcome::warning(Tr::tr("Requirement %1 does not exist.").arg(number));
    TracedRequirement traced;
    traced.number = number;
    traced.sentence = state.value()->sentence;
    traced.deleted = state.value()->deleted;

    const Result<QStringList> texts = m_requirements.composerTexts(number);
    if (!texts)
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    QList<QStringList> fieldWords;
    for (const QString &text : texts.value()) {
        if (QStringList words = textWords(text); !words.isEmpty())
            fieldWords.append(words);
    }

    const Result<QList<ModelClass>> found = producedClasses(number);
    if (!found)
        return found.outcome();
    for (const ModelClass &modelClass : found.value()) {
        TracedEntity entity{modelClass.name, {}, {}, {}};
        const Result<QList<ObjectModel::Attribute>> attributes = m_model.attributesOf(
            modelClass.id, ObjectModelReader::Attributes::All, ObjectModelReader::Order::Name);
        const Result<QStringList> methods = m_model.namesOf(
            modelClass.id, ObjectModelReader::Names::Methods, ObjectModelReader::Order::Name);
        if (!attributes || !methods)
            return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
        for (const ObjectModel::Attribute &attribute : attributes.value()) {
            if (holdsFieldWords(attribute.name, fieldWords))
                entity.attributes.append({attribute.name, {}});
        }
        for (const QString &method : methods.value()) {
            if (holdsFieldWords(method, fieldWords))
                entity.methods.append({method, {}});
        }
        locate(entity);
        traced.entities.append(entity);
    }
    return traced;
}

// The REQ_ENTITY rows of the requirement, and the classes its derivation
// names beside them as far as the model holds them, by name.
Result<QList<RequirementTrace::ModelClass>> RequirementTrace::producedClasses(qint32 number)
{
    if (!m_stored)
        m_stored = std::make_unique<store::StoredRequirementLookup>(m_connection);
    const Result<store::StoredRequirement> stored = m_stored->read(number);
    if (!stored)
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    Result<QList<ModelClass>> classes =
        objmodel::ProducedClasses::inModel(number, stored.value(), m_model);
    if (!classes)
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    return classes;
}

Result<QList<qint32>> RequirementTrace::possibleProducers(const ModelClass &modelClass)
{
    using Relation = ObjectModelReader::Relation;
    auto related = [this](qint32 entity, Relation relation, QList<qint32> &found) {
        Result<QList<qint32>> keys = m_model.related(entity, relation);
        if (keys)
            found += keys.value();
        return keys.isOk();
    };
    // A typed class starts from its base; a part from its whole; the entity
    // of a typed part from the whole of that part; a timer from the entity
    // it times. A whole or a timed entity may be typed in turn.
    QList<qint32> reached{modelClass.id};
    QList<qint32> starts{modelClass.id};
    if (!related(modelClass.id, Relation::Kinds, reached) ||
        !related(modelClass.id, Relation::Bases, starts))
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    QList<qint32> holders;
    for (const qint32 key : std::as_const(reached)) {
        if (!related(key, Relation::Wholes, holders) ||
            !related(key, Relation::PointingEntities, holders))
            return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    }
    for (const qint32 holder : std::as_const(holders)) {
        if (!related(holder, Relation::Bases, starts))
            return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    }
    starts += holders;

    QList<qint32> requirements;
    for (const qint32 key : std::as_const(starts)) {
        const Result<QList<qint32>> linked = m_model.requirementsOfEntity(key);
        if (!linked)
            return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
        requirements += linked.value();
    }
    std::sort(requirements.begin(), requirements.end());
    requirements.erase(std::unique(requirements.begin(), requirements.end()), requirements.end());
    return requirements;
}

Result<QList<TracedRequirement>> RequirementTrace::ofEntity(const QString &name)
{
    // The class as written, or its words.
    QString compact = name;
    compact.remove(QLatin1Char(' '));
    const QStringList words = textWords(name);
    const Result<QList<ModelClass>> entities = m_model.entities(ObjectModelReader::Order::Key);
    if (!entities)
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    QList<ModelClass> matching;
    for (const ModelClass &entity : entities.value()) {
        if (entity.name.compare(compact, Qt::CaseInsensitive) == 0 ||
            (!words.isEmpty() && nameWords(entity.name) == words))
            matching.append(entity);
    }
    if (matching.isEmpty())
        return Outcome::warning(Tr::tr("No entity of the object model is named \"%1\".").arg(name));

    QList<qint32> producers;
    for (const ModelClass &modelClass : std::as_const(matching)) {
        const Result<QList<qint32>> possible = possibleProducers(modelClass);
        if (!possible)
            return possible.outcome();
        for (const qint32 number : possible.value()) {
            if (producers.contains(number))
                continue;
            const Result<QList<ModelClass>> produced = producedClasses(number);
            if (!produced)
                return produced.outcome();
            for (const ModelClass &made : produced.value()) {
                if (matching.contains(made)) {
                    producers.append(number);
                    break;
                }
            }
        }
    }
    std::sort(producers.begin(), producers.end());

    QList<TracedRequirement> requirements;
    for (const qint32 number : std::as_const(producers)) {
        const Result<std::optional<store::SentenceState>> state =
            m_requirements.sentenceState(number);
        if (!state)
            return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
        if (!state.value())
            continue;
        TracedRequirement traced;
        traced.number = number;
        traced.sentence = state.value()->sentence;
        traced.deleted = state.value()->deleted;
        requirements.append(traced);
    }
    if (requirements.isEmpty())
        return Outcome::warning(Tr::tr("No requirement produced the entity \"%1\".").arg(name));
    return requirements;
}

void RequirementTrace::locate(TracedEntity &entity) const
{
    using generate::GeneratorKind;
    for (const GeneratorKind kind : {GeneratorKind::Cpp, GeneratorKind::Java, GeneratorKind::Sql}) {
        const QDir folder(
            generate::ModelGenerator::outputFolder(kind, m_installPath, m_systemName));
        if (!folder.exists())
            continue;
        const QString suffix = generate::ModelGenerator::fileSuffix(kind);
        QStringList files;
        if (kind == GeneratorKind::Sql)
            files = folder.entryList({QLatin1Char('*') + suffix}, QDir::Files, QDir::Name);
        else if (folder.exists(entity.name + suffix))
            files = {entity.name + suffix};
        for (const QString &file : files) {
            const QString path = folder.filePath(file);
            const QStringList lines = linesOf(path);
            const int declared = lineHolding(lines, entity.name);
            if (declared == 0)
                continue;
            entity.locations.append({path, declared});
            for (QList<TracedMember> *members : {&entity.attributes, &entity.methods}) {
                for (TracedMember &member : *members) {
                    QString identifier = member.name;
                    identifier.remove(QLatin1Char('*'));
                    if (const int line = lineHolding(lines, identifier, declared - 1); line > 0)
                        member.locations.append({path, line});
                }
            }
        }
    }
}

QStringList RequirementTrace::describe(const TracedRequirement &requirement)
{
    auto where = [](const QList<CodeLocation> &locations) {
        QStringList places;
        for (const CodeLocation &location : locations)
            places.append(QStringLiteral("%1:%2").arg(location.file).arg(location.line));
        return places.isEmpty() ? QString()
                                : QStringLiteral("  ") + places.join(QStringLiteral(", "));
    };
    QStringList lines{(requirement.deleted ? Tr::tr("%1  %2 (deleted)") : QStringLiteral("%1  %2"))
                          .arg(requirement.number)
                          .arg(requirement.sentence)};
    if (requirement.entities.isEmpty())
        lines.append(Tr::tr("  no entity of the object model"));
    for (const TracedEntity &entity : requirement.entities) {
        lines.append(Tr::tr("  entity %1%2").arg(entity.name, where(entity.locations)));
        for (const TracedMember &attribute : entity.attributes)
            lines.append(
                Tr::tr("    attribute %1%2").arg(attribute.name, where(attribute.locations)));
        for (const TracedMember &method : entity.methods)
            lines.append(Tr::tr("    method %1%2").arg(method.name, where(method.locations)));
    }
    return lines;
}

} // namespace varn::interchange
