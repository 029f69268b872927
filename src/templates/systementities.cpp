#include "templates/systementities.h"

#include "templates/templatestr.h"

#include "objmodel/objectmodelreader.h"

namespace varn::templates {

namespace {

using objmodel::ObjectModel;
using objmodel::ObjectModelReader;
using Order = ObjectModelReader::Order;

constexpr char kNone[] = QT_TRANSLATE_NOOP("varn::templates", "None.");
QString spacedCapitals(const QString &name)
{
    QString spaced;
    for (const QChar c : name) {
        if (c.isUpper())
            spaced += QLatin1Char(' ');
        spaced += c;
    }
    return spaced;
}

// The window names each of its lists' record sets when a read fails.
Outcome cannotOpen(const char *recordSet, const ObjectModelReader &model)
{
    return Outcome::stop(Tr::tr("Cannot open %1 recordset.\n").arg(QLatin1String(recordSet)) +
                         model.lastFailure().databaseText);
}

// The lines of a read, or the failure naming the list's record set.
Result<QStringList> linesOf(const Result<QStringList> &read, const char *recordSet,
                            const ObjectModelReader &model, QString (*line)(const QString &))
{
    if (!read)
        return cannotOpen(recordSet, model);
    QStringList lines;
    for (const QString &text : read.value())
        lines.append(line(text));
    return lines;
}

QStringList orNone(QStringList lines)
{
    return lines.isEmpty() ? QStringList{Tr::tr(kNone)} : lines;
}

} // namespace

Result<QStringList> SystemEntities::entities() const
{
    ObjectModelReader model(m_connection);
    const Result<QStringList> names = model.requirementEntityNames();
    if (!names)
        return cannotOpen("ReqJustEnSet", model);
    QStringList lines;
    for (const QString &name : names.value()) {
        if (!name.isEmpty())
            lines.append(name);
    }
    return lines;
}

Result<QStringList> SystemEntities::typeEntities() const
{
    ObjectModelReader model(m_connection);
    const Result<QStringList> names = model.entityNames(Order::Name);
    if (!names)
        return cannotOpen("pReqOeSet", model);
    QStringList lines;
    for (const QString &name : names.value()) {
        if (name.contains(QLatin1Char('_')))
            lines.append(typeEntityLine(name));
    }
    return lines;
}

Result<EntityDefinitionLists> SystemEntities::definition(const QString &line, bool typeEntity) const
{
    QString name = line;
    name.remove(QLatin1Char(' '));
    if (typeEntity)
        name.replace(QLatin1Char(':'), QLatin1Char('_'));
    ObjectModelReader model(m_connection);
    const Result<std::optional<ObjectModel::Entity>> entity = model.entityNamed(name);
    if (!entity)
        return cannotOpen("ReqOeSet", model);
    EntityDefinitionLists lists;
    if (entity.value()) {
        const qint32 id = entity.value()->id;
        const Result<QList<ObjectModel::Attribute>> attributes =
            model.attributesOf(id, ObjectModelReader::Attributes::DataMembers, Order::Key);
        if (!attributes)
            return cannotOpen("ReqAtSet", model);
        for (const ObjectModel::Attribute &attribute : attributes.value())
            lists.attributes.append(memberWords(attribute.name));
        Result<QStringList> types =
            linesOf(model.namesOf(id, ObjectModelReader::Names::Types, Order::Key), "ReqInSet",
                    model, typeWords);
        if (!types)
            return types.outcome();
        Result<QStringList> parts =
            linesOf(model.namesOf(id, ObjectModelReader::Names::Parts, Order::Key), "ReqAgSet",
                    model, memberWords);
        if (!parts)
            return parts.outcome();
        lists.types = types.takeValue();
        lists.parts = parts.takeValue();
    }
    lists.attributes = orNone(lists.attributes);
    lists.types = orNone(lists.types);
    lists.parts = orNone(lists.parts);
    return lists;
}

QString SystemEntities::typeEntityLine(const QString &entity)
{
    return spacedCapitals(entity).replace(QLatin1Char('_'), QStringLiteral(" :")).trimmed();
}

QString SystemEntities::memberWords(const QString &name)
{
    QString words;
    for (const QChar c : name) {
        if (c.isUpper()) {
            words += QLatin1Char(' ');
            words += c.toLower();
        } else if (c != QLatin1Char('_')) {
            words += c;
        }
    }
    return words.trimmed();
}

QString SystemEntities::typeWords(const QString &name)
{
    return spacedCapitals(name.section(QLatin1Char('_'), 0, 0)).trimmed();
}

} // namespace varn::templates
