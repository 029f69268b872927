#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace varn::interchange {

// What a requirements-exchange file holds, as read and before it is
// interpreted: attribute definitions, objects with their values, relations
// and the order of the specifications' hierarchies.
struct ReqIfContent
{
    struct Definition
    {
        QString longName;
        QString kind; // the definition's element suffix: "STRING", "XHTML", "ENUMERATION"...
    };
    struct Value
    {
        QString definition; // the identifier of its definition
        QString kind;
        QString text; // THE-VALUE, or the XHTML content flattened to text
    };
    struct Object
    {
        QString identifier;
        QList<Value> values;
    };
    struct Relation
    {
        QString identifier;
        QString source;
        QString target;
    };
    struct Node
    {
        QString object;
        QString paragraph; // "1", "1.2": its place in the hierarchy
    };

    QString sourceToolId;
    QHash<QString, Definition> definitions;
    QList<Object> objects; // in file order
    QList<Relation> relations;
    QList<Node> hierarchy; // depth first, as the specifications list them
};

} // namespace varn::interchange
