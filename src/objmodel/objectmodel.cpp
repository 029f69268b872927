#include "objmodel/objectmodel.h"

#include <algorithm>

namespace varn::objmodel {

namespace {

template <typename Row> void sortByKey(QList<Row> &rows)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row &left, const Row &right) { return left.id < right.id; });
}

template <typename Row, typename Pointer = const Row *>
QList<Pointer> pick(const QList<Row> &rows, const QList<qsizetype> &indexes)
{
    QList<Pointer> picked;
    picked.reserve(indexes.size());
    for (qsizetype index : indexes)
        picked.append(&rows.at(index));
    return picked;
}

} // namespace

bool ObjectModel::nameLess(const QString &left, const QString &right)
{
    const int folded = QString::compare(left, right, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return QString::compare(left, right, Qt::CaseSensitive) < 0;
}

void ObjectModel::finish()
{
    sortByKey(m_entities);
    sortByKey(m_attributes);
    sortByKey(m_methods);
    sortByKey(m_inheritance);
    sortByKey(m_aggregations);
    sortByKey(m_values);

    for (qsizetype i = 0; i < m_entities.size(); ++i)
        m_entityIndex.insert(m_entities.at(i).id, i);

    for (qsizetype i = 0; i < m_attributes.size(); ++i) {
        const Attribute &attribute = m_attributes.at(i);
        m_attributesByEntity[attribute.entityId].append(i);
        m_attributesByType[attribute.dataType].append(i);
        m_attributesByName[attribute.name].append(i);
    }
    for (QList<qsizetype> &indexes : m_attributesByEntity) {
        std::stable_sort(indexes.begin(), indexes.end(), [this](qsizetype l, qsizetype r) {
            const Attribute &left = m_attributes.at(l);
            const Attribute &right = m_attributes.at(r);
            if (left.dataType != right.dataType)
                return nameLess(left.dataType, right.dataType);
            return nameLess(left.name, right.name);
        });
    }

    for (const Method &method : std::as_const(m_methods))
        m_methodsByEntity[method.entityId].append(method.name);
    for (QStringList &names : m_methodsByEntity)
        std::stable_sort(names.begin(), names.end(), nameLess);

    for (const PossibleValue &value : std::as_const(m_values))
        m_valuesByAttribute[value.attributeId].append(value.value);

    for (qsizetype i = 0; i < m_inheritance.size(); ++i) {
        m_inheritanceBySub[m_inheritance.at(i).subEntity].append(i);
        ++m_subEntityCount[m_inheritance.at(i).baseId];
    }
    for (qsizetype i = 0; i < m_aggregations.size(); ++i)
        m_aggregationsByPart[m_aggregations.at(i).part].append(i);
}

const ObjectModel::Entity *ObjectModel::entity(int id) const
{
    const auto found = m_entityIndex.constFind(id);
    return found == m_entityIndex.cend() ? nullptr : &m_entities.at(*found);
}

QList<const ObjectModel::Attribute *> ObjectModel::attributesOf(int entityId) const
{
    return pick(m_attributes, m_attributesByEntity.value(entityId));
}

QList<const ObjectModel::Attribute *> ObjectModel::attributesOfType(const QString &dataType) const
{
    return pick(m_attributes, m_attributesByType.value(dataType));
}

QList<const ObjectModel::Attribute *> ObjectModel::attributesNamed(const QString &name) const
{
    return pick(m_attributes, m_attributesByName.value(name));
}

QStringList ObjectModel::methodsOf(int entityId) const
{
    return m_methodsByEntity.value(entityId);
}

QStringList ObjectModel::valuesOf(int attributeId) const
{
    return m_valuesByAttribute.value(attributeId);
}

QList<const ObjectModel::Inheritance *> ObjectModel::inheritanceBySubEntity() const
{
    QList<const Inheritance *> rows;
    rows.reserve(m_inheritance.size());
    for (const Inheritance &row : m_inheritance)
        rows.append(&row);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Inheritance *left, const Inheritance *right) {
                         return nameLess(left->subEntity, right->subEntity);
                     });
    return rows;
}

QList<const ObjectModel::Inheritance *> ObjectModel::basesOf(const QString &subEntity) const
{
    return pick(m_inheritance, m_inheritanceBySub.value(subEntity));
}

QList<const ObjectModel::Aggregation *> ObjectModel::wholesOf(const QString &part) const
{
    return pick(m_aggregations, m_aggregationsByPart.value(part));
}

} // namespace varn::objmodel
