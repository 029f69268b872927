#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace varn::objmodel {

// The object model of a workspace as plain values, read once and then walked
// by the generators. Rows keep their keys; the lookups below give them in the
// orders the generated files need.
class ObjectModel
{
public:
    struct Entity
    {
        int id = 0;
        QString name;

        bool operator==(const Entity &) const = default;
    };
    struct Attribute
    {
        int id = 0;
        QString name;
        QString dataType;
        int entityId = 0;
    };
    struct Method
    {
        int id = 0;
        QString name;
        int entityId = 0;
    };
    struct Inheritance
    {
        int id = 0;
        QString subEntity;
        int baseId = 0;
    };
    struct Aggregation
    {
        int id = 0;
        QString part;
        int wholeId = 0;
    };
    struct PossibleValue
    {
        int id = 0;
        int attributeId = 0;
        QString value;
    };

    void addEntity(Entity entity) { m_entities.append(std::move(entity)); }
    void addAttribute(Attribute attribute) { m_attributes.append(std::move(attribute)); }
    void addMethod(Method method) { m_methods.append(std::move(method)); }
    void addInheritance(Inheritance row) { m_inheritance.append(std::move(row)); }
    void addAggregation(Aggregation row) { m_aggregations.append(std::move(row)); }
    void addPossibleValue(PossibleValue row) { m_values.append(std::move(row)); }

    // Puts every table in key order and builds the lookups; call once after
    // the rows are added and before any lookup.
    void finish();

    // Each table's rows in key order.
    const QList<Entity> &entities() const { return m_entities; }
    const QList<Attribute> &attributes() const { return m_attributes; }
    const QList<Method> &methods() const { return m_methods; }
    const Entity *entity(int id) const;

    // An entity's attributes by data type, then name.
    QList<const Attribute *> attributesOf(int entityId) const;
    // Every attribute of one data type, or of one name, in key order.
    QList<const Attribute *> attributesOfType(const QString &dataType) const;
    QList<const Attribute *> attributesNamed(const QString &name) const;
    // An entity's method names in name order.
    QStringList methodsOf(int entityId) const;
    // An attribute's possible values in key order.
    QStringList valuesOf(int attributeId) const;

    // Inheritance rows in key order, and sorted by sub-entity name.
    const QList<Inheritance> &inheritance() const { return m_inheritance; }
    QList<const Inheritance *> inheritanceBySubEntity() const;
    // The rows that make the named entity a kind of something, in key order.
    QList<const Inheritance *> basesOf(const QString &subEntity) const;
    int subEntityCount(int baseId) const { return m_subEntityCount.value(baseId); }

    // Aggregation rows in key order.
    const QList<Aggregation> &aggregations() const { return m_aggregations; }
    // The aggregation rows that name the entity as the part, in key order.
    QList<const Aggregation *> wholesOf(const QString &part) const;

    // Names sort as a desktop database sorts text: letters without regard to
    // case, ties broken by case so that the order is always the same.
    static bool nameLess(const QString &left, const QString &right);

private:
    QList<Entity> m_entities;
    QList<Attribute> m_attributes;
    QList<Method> m_methods;
    QList<Inheritance> m_inheritance;
    QList<Aggregation> m_aggregations;
    QList<PossibleValue> m_values;

    QHash<int, qsizetype> m_entityIndex;
    QHash<int, QList<qsizetype>> m_attributesByEntity; // sorted by type, name
    QHash<QString, QList<qsizetype>> m_attributesByType;
    QHash<QString, QList<qsizetype>> m_attributesByName;
    QHash<int, QStringList> m_methodsByEntity;
    QHash<int, QStringList> m_valuesByAttribute;
    QHash<QString, QList<qsizetype>> m_inheritanceBySub;
    QHash<int, int> m_subEntityCount;
    QHash<QString, QList<qsizetype>> m_aggregationsByPart;
};

} // namespace varn::objmodel
