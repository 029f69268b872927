#include "change/modelelements.h"
#include "change/changetr.h"

#include <algorithm>
#include <tuple>

namespace varn::change {

bool operator<(const ModelElement &left, const ModelElement &right)
{
    return std::tie(left.kind, left.entity, left.name, left.detail) <
           std::tie(right.kind, right.entity, right.name, right.detail);
}

QList<ModelElement> ModelElements::of(const objmodel::ObjectModel &model)
{
    using Kind = ModelElement::Kind;
    QList<ModelElement> elements;
    const auto entityName = [&model](int id) {
        const objmodel::ObjectModel::Entity *entity = model.entity(id);
        return entity ? entity->name : QString();
    };
    for (const objmodel::ObjectModel::Entity &entity : model.entities()) {
        elements.append({Kind::Entity, entity.name, {}, {}});
        for (const QString &method : model.methodsOf(entity.id))
            elements.append({Kind::Method, entity.name, method, {}});
    }
    for (const objmodel::ObjectModel::Attribute &attribute : model.attributes()) {
        const QString owner = entityName(attribute.entityId);
        elements.append({Kind::Attribute, owner, attribute.name, attribute.dataType});
        for (const QString &value : model.valuesOf(attribute.id))
            elements.append({Kind::Value, owner, attribute.name, value});
    }
    for (const objmodel::ObjectModel::Inheritance &row : model.inheritance())
        elements.append({Kind::Inheritance, row.subEntity, entityName(row.baseId), {}});
    for (const objmodel::ObjectModel::Aggregation &row : model.aggregations())
        elements.append({Kind::Aggregation, row.part, entityName(row.wholeId), {}});
    std::sort(elements.begin(), elements.end());
    elements.erase(std::unique(elements.begin(), elements.end()), elements.end());
    return elements;
}

ModelDelta ModelElements::difference(const QList<ModelElement> &before,
                                     const QList<ModelElement> &after)
{
    ModelDelta delta;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::back_inserter(delta.added));
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                        std::back_inserter(delta.removed));
    return delta;
}

QString ModelElements::describe(const ModelElement &element)
{
    using Kind = ModelElement::Kind;
    switch (element.kind) {
    case Kind::Entity:
        return Tr::tr("entity %1").arg(element.entity);
    case Kind::Attribute:
        return Tr::tr("attribute %1.%2 (%3)").arg(element.entity, element.name, element.detail);
    case Kind::Method:
        return Tr::tr("method %1.%2").arg(element.entity, element.name);
    case Kind::Value:
        return Tr::tr("value %1.%2 = %3").arg(element.entity, element.name, element.detail);
    case Kind::Inheritance:
        return Tr::tr("%1 is a kind of %2").arg(element.entity, element.name);
    case Kind::Aggregation:
        break;
    }
    return Tr::tr("%1 is a part of %2").arg(element.entity, element.name);
}

const char *ModelElements::kindKey(ModelElement::Kind kind)
{
    using Kind = ModelElement::Kind;
    switch (kind) {
    case Kind::Entity:
        return "entity";
    case Kind::Attribute:
        return "attribute";
    case Kind::Method:
        return "method";
    case Kind::Value:
        return "value";
    case Kind::Inheritance:
        return "inheritance";
    case Kind::Aggregation:
        break;
    }
    return "aggregation";
}

} // namespace varn::change
