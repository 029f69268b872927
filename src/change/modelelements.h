#pragma once

#include "objmodel/objectmodel.h"

#include <QList>
#include <QString>

namespace varn::change {

// One element of an object model, as a reader compares two: an entity, an
// attribute with its data type, a method, a possible value of an attribute,
// an entity being a kind of another, or a part of another.
struct ModelElement
{
    enum class Kind { Entity, Attribute, Method, Value, Inheritance, Aggregation };
    Kind kind = Kind::Entity;
    QString entity; // the entity it belongs to (the sub-entity, the part)
    QString name;   // the attribute, method, base or whole; empty for an entity
    QString detail; // an attribute's data type, a value

    friend bool operator==(const ModelElement &, const ModelElement &) = default;
    friend bool operator<(const ModelElement &left, const ModelElement &right);
};

// What one model holds that another does not, each way.
struct ModelDelta
{
    QList<ModelElement> added;
    QList<ModelElement> removed;
};

class ModelElements
{
public:
    // Every element of the model, in order of kind, entity, name and detail.
    static QList<ModelElement> of(const objmodel::ObjectModel &model);
    static ModelDelta difference(const QList<ModelElement> &before,
                                 const QList<ModelElement> &after);

    // "attribute RunwayWeatherStation.status (Status)"
    static QString describe(const ModelElement &element);
    // "entity", "attribute", "method", "value", "inheritance", "aggregation"
    static const char *kindKey(ModelElement::Kind kind);
};

} // namespace varn::change
