#include "interchange/requirementtrace.h"

#include "generate/generationtypes.h"
#include "generate/modelgenerator.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>

namespace varn::interchange {

namespace {

enum Slot { Master, Entities, Attributes, Methods, Functional, Structural, Values, EntityByName };

const QString kQueryFailed = QStringLiteral("Error querying the Requirements database.");

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
      m_systemName(std::move(systemName))
{}

QSqlQuery &RequirementTrace::prepared(int slot, const QString &sql)
{
    if (!m_prepared[slot]) {
        m_queries[slot] = QSqlQuery(QSqlDatabase::database(m_connection, false));
        m_queries[slot].setForwardOnly(true);
        m_prepared[slot] = m_queries[slot].prepare(sql);
    }
    return m_queries[slot];
}

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

Result<QStringList> RequirementTrace::fieldTexts(qint32 number)
{
    QStringList texts;
    for (const auto &[slot, sql] :
         {std::pair{int(Functional), QStringLiteral("SELECT * FROM FUNC_REQ WHERE F_ReqNum = ?")},
          std::pair{int(Structural), QStringLiteral("SELECT * FROM STRUC_REQ WHERE S_ReqNum = ?")},
          std::pair{int(Values),
                    QStringLiteral("SELECT Value FROM POSS_VALS WHERE FK_SReqNum = ?")}}) {
        QSqlQuery &query = prepared(slot, sql);
        query.bindValue(0, number);
        if (!query.exec())
            return Outcome::warning(kQueryFailed);
        while (query.next()) {
            const QSqlRecord record = query.record();
            for (int i = 0; i < record.count(); ++i) {
                if (record.value(i).typeId() == QMetaType::QString &&
                    !record.fieldName(i).startsWith(QLatin1String("TCode")))
                    texts.append(record.value(i).toString());
            }
        }
        query.finish();
    }
    return texts;
}

Result<QList<TracedMember>> RequirementTrace::membersOf(const QString &table, const QString &column,
                                                        qint32 entity,
                                                        const QList<QStringList> &fieldWords)
{
    const int slot = table == QLatin1String("OM_ATTR") ? Attributes : Methods;
    QSqlQuery &query = prepared(
        slot,
        QStringLiteral("SELECT %1 FROM %2 WHERE FK_EntityID = ? ORDER BY %1").arg(column, table));
    query.bindValue(0, entity);
    if (!query.exec())
        return Outcome::warning(kQueryFailed);
    QList<TracedMember> members;
    while (query.next()) {
        const QString name = query.value(0).toString();
        const QStringList words = nameWords(name);
        for (const QStringList &field : fieldWords) {
            if (holdsRun(words, field)) {
                members.append({name, {}});
                break;
            }
        }
    }
    query.finish();
    return members;
}

Result<TracedRequirement> RequirementTrace::ofRequirement(qint32 number)
{
    QSqlQuery &master = prepared(
        Master,
        QStringLiteral("SELECT Preamble, ReqText, FSTType FROM MASTER_REQ WHERE Req_Num = ?"));
    master.bindValue(0, number);
    if (!master.exec())
        return Outcome::warning(kQueryFailed);
    if (!master.next())
        return Outcome::warning(QStringLiteral("Requirement %1 does not exist.").arg(number));
    TracedRequirement traced;
    traced.number = number;
    traced.sentence = master.value(0).toString() + QLatin1Char(' ') + master.value(1).toString();
    traced.deleted = master.value(2).toString() == QLatin1String("Deleted");
    master.finish();

    const Result<QStringList> texts = fieldTexts(number);
    if (!texts)
        return texts.outcome();
    QList<QStringList> fieldWords;
    for (const QString &text : texts.value()) {
        if (QStringList words = textWords(text); !words.isEmpty())
            fieldWords.append(words);
    }

    QSqlQuery &entities = prepared(
        Entities, QStringLiteral("SELECT DISTINCT e.Entity_ID, e.Entity FROM REQ_ENTITY r "
                                 "JOIN OM_ENTITY e ON e.Entity_ID = r.FK_OMEntity "
                                 "WHERE r.FK_FReqNum = ? OR r.FK_SReqNum = ? ORDER BY e.Entity"));
    entities.bindValue(0, number);
    entities.bindValue(1, number);
    if (!entities.exec())
        return Outcome::warning(kQueryFailed);
    QList<std::pair<qint32, QString>> found;
    while (entities.next())
        found.append({entities.value(0).toInt(), entities.value(1).toString()});
    entities.finish();
    for (const auto &[key, name] : found) {
        TracedEntity entity{name, {}, {}, {}};
        Result<QList<TracedMember>> attributes =
            membersOf(QStringLiteral("OM_ATTR"), QStringLiteral("Attribute"), key, fieldWords);
        Result<QList<TracedMember>> methods =
            membersOf(QStringLiteral("OM_METHOD"), QStringLiteral("Method"), key, fieldWords);
        if (!attributes || !methods)
            return Outcome::warning(kQueryFailed);
        entity.attributes = attributes.takeValue();
        entity.methods = methods.takeValue();
        locate(entity);
        traced.entities.append(entity);
    }
    return traced;
}

Result<QList<TracedRequirement>> RequirementTrace::ofEntity(const QString &name)
{
    QString compact = name;
    compact.remove(QLatin1Char(' '));
    QSqlQuery &query = prepared(
        EntityByName,
        QStringLiteral("SELECT DISTINCT m.Req_Num, m.Preamble, m.ReqText, m.FSTType "
                       "FROM OM_ENTITY e JOIN REQ_ENTITY r ON r.FK_OMEntity = e.Entity_ID "
                       "JOIN MASTER_REQ m ON m.Req_Num = r.FK_FReqNum OR m.Req_Num = r.FK_SReqNum "
                       "WHERE lower(e.Entity) = lower(?) ORDER BY m.Req_Num"));
    query.bindValue(0, compact);
    if (!query.exec())
        return Outcome::warning(kQueryFailed);
    QList<TracedRequirement> requirements;
    while (query.next()) {
        TracedRequirement traced;
        traced.number = query.value(0).toInt();
        traced.sentence = query.value(1).toString() + QLatin1Char(' ') + query.value(2).toString();
        traced.deleted = query.value(3).toString() == QLatin1String("Deleted");
        requirements.append(traced);
    }
    query.finish();
    if (requirements.isEmpty())
        return Outcome::warning(
            QStringLiteral("No entity of the object model is named \"%1\".").arg(name));
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
    QStringList lines{QStringLiteral("%1  %2%3")
                          .arg(requirement.number)
                          .arg(requirement.sentence,
                               requirement.deleted ? QStringLiteral(" (deleted)") : QString())};
    if (requirement.entities.isEmpty())
        lines.append(QStringLiteral("  no entity of the object model"));
    for (const TracedEntity &entity : requirement.entities) {
        lines.append(QStringLiteral("  entity %1%2").arg(entity.name, where(entity.locations)));
        for (const TracedMember &attribute : entity.attributes)
            lines.append(QStringLiteral("    attribute %1%2")
                             .arg(attribute.name, where(attribute.locations)));
        for (const TracedMember &method : entity.methods)
            lines.append(
                QStringLiteral("    method %1%2").arg(method.name, where(method.locations)));
    }
    return lines;
}

} // namespace varn::interchange
