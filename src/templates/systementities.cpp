#include "templates/systementities.h"

#include "store/creqagset.h"
#include "store/creqatset.h"
#include "store/creqinset.h"
#include "store/creqjustenset.h"
#include "store/creqoeset.h"

namespace varn::templates {

namespace {

const QString kNone = QStringLiteral("None.");

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

// Every row of an opened set through one column, "None." for no rows.
template <typename Set, typename Take>
Result<QStringList> readAll(Set &set, const QString &failure, Take take)
{
    if (Outcome opened = set.open(store::RecordSetCore::OpenType::Snapshot); !opened)
        return set.errorOutcome(failure);
    QStringList lines;
    while (!set.isEOF()) {
        take(set.row(), lines);
        if (Outcome moved = set.moveNext(); !moved)
            return set.errorOutcome(failure);
    }
    set.close();
    return lines;
}

QStringList orNone(QStringList lines)
{
    return lines.isEmpty() ? QStringList{kNone} : lines;
}

} // namespace

Result<QStringList> SystemEntities::entities() const
{
    store::CReqJustEnSet set(m_connection);
    set.setSort(QStringLiteral("ReqEntity"));
    return readAll(set, QStringLiteral("Cannot open ReqJustEnSet recordset.\n"),
                   [](const store::JustEntityRow &row, QStringList &lines) {
                       if (!row.ReqEntity.isEmpty())
                           lines.append(row.ReqEntity);
                   });
}

Result<QStringList> SystemEntities::typeEntities() const
{
    store::CReqOeSet set(m_connection);
    set.setSort(QStringLiteral("Entity"));
    return readAll(set, QStringLiteral("Cannot open pReqOeSet recordset.\n"),
                   [](const store::OmEntityRow &row, QStringList &lines) {
                       if (row.Entity.contains(QLatin1Char('_')))
                           lines.append(typeEntityLine(row.Entity));
                   });
}

Result<EntityDefinitionLists> SystemEntities::definition(const QString &line, bool typeEntity) const
{
    QString name = line;
    name.remove(QLatin1Char(' '));
    if (typeEntity)
        name.replace(QLatin1Char(':'), QLatin1Char('_'));
    store::CReqOeSet entity(m_connection);
    entity.setFilter(QStringLiteral("Entity = ?"), {name});
    Result<QStringList> ids = readAll(entity, QStringLiteral("Cannot open ReqOeSet recordset.\n"),
                                      [](const store::OmEntityRow &row, QStringList &lines) {
                                          lines.append(QString::number(row.Entity_ID));
                                      });
    if (!ids)
        return ids.outcome();
    EntityDefinitionLists lists;
    if (!ids->isEmpty()) {
        const int id = ids->first().toInt();
        store::CReqAtSet attributes(m_connection);
        attributes.setFilter(QStringLiteral("FK_EntityID = ? AND DataTypeDef NOT LIKE 'reference' "
                                            "AND DataTypeDef NOT LIKE 'pointer'"),
                             {id});
        Result<QStringList> attributeLines =
            readAll(attributes, QStringLiteral("Cannot open ReqAtSet recordset.\n"),
                    [](const store::OmAttrRow &row, QStringList &lines) {
                        lines.append(memberWords(row.Attribute));
                    });
        if (!attributeLines)
            return attributeLines.outcome();
        store::CReqInSet types(m_connection);
        types.setFilter(QStringLiteral("FK_EntityID = ?"), {id});
        Result<QStringList> typeLines =
            readAll(types, QStringLiteral("Cannot open ReqInSet recordset.\n"),
                    [](const store::OmInhRow &row, QStringList &lines) {
                        lines.append(typeWords(row.InH_Entity));
                    });
        if (!typeLines)
            return typeLines.outcome();
        store::CReqAgSet parts(m_connection);
        parts.setFilter(QStringLiteral("FK_EntityID = ?"), {id});
        Result<QStringList> partLines =
            readAll(parts, QStringLiteral("Cannot open ReqAgSet recordset.\n"),
                    [](const store::OmAggRow &row, QStringList &lines) {
                        lines.append(memberWords(row.AggEntity));
                    });
        if (!partLines)
            return partLines.outcome();
        lists = {attributeLines.takeValue(), typeLines.takeValue(), partLines.takeValue()};
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
