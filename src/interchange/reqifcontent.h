#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace varn::interchange {

class ReqIfObjectSpill;

// What a requirements-exchange file holds, as read and before it is
// interpreted: datatypes, types with their attribute definitions, objects
// with their values, relations and the document trees' hierarchies. Enough
// is kept of each element (identifiers, long names, values as written) to
// write the document back as it came.
struct ReqIfContent
{
    struct EnumValue
    {
        QString identifier;
        QString longName;
        QString key; // EMBEDDED-VALUE's KEY
        QString otherContent;
        QString lastChange;
        // The element's other attributes as written (LAST-CHANGE, DESC ...).
        QHash<QString, QString> otherAttributes;
    };
    struct Datatype
    {
        QString identifier;
        QString longName;
        QString kind; // the element suffix: "STRING", "XHTML", "ENUMERATION"...
        QString lastChange;
        QHash<QString, QString> facets; // MAX-LENGTH, ACCURACY, MIN, MAX ... as written
        QList<EnumValue> values;        // an enumeration's, in file order
    };
    struct Definition
    {
        QString longName;
        QString kind; // the definition's element suffix: "STRING", "XHTML", "ENUMERATION"...
        QString identifier;
        QString datatype; // the DATATYPE-DEFINITION-*-REF
        QString specType; // the identifier of the type that declares it
        QString lastChange;
        bool multiValued = false;
        bool defined = true; // false: only referred to, the file does not define it
        // The element's other attributes as written (DESC, IS-EDITABLE ...).
        QHash<QString, QString> otherAttributes;
    };
    struct Value
    {
        QString definition; // the identifier of its definition
        QString kind;
        QString text;     // THE-VALUE, the enumeration values' long names, or the XHTML flattened
        QString original; // as written: THE-VALUE, the XHTML markup, the enum value references
    };
    struct SpecType
    {
        QString identifier;
        QString longName;
        QString kind; // "SPEC-OBJECT-TYPE", "SPEC-RELATION-TYPE", "SPECIFICATION-TYPE"...
        QString lastChange;
        QStringList definitions; // its attribute definitions' identifiers, in file order
        QHash<QString, QString> otherAttributes; // DESC ... as written
    };
    struct Object
    {
        QString identifier;
        QString type; // SPEC-OBJECT-TYPE-REF
        QString longName;
        QString lastChange;
        QList<Value> values;
        QHash<QString, QString> otherAttributes; // DESC ... as written
    };
    struct Relation
    {
        QString identifier;
        QString source;
        QString target;
        QString type; // SPEC-RELATION-TYPE-REF
        QString longName;
        QString lastChange;
        QList<Value> values;
        QHash<QString, QString> otherAttributes; // DESC ... as written
    };
    struct Node
    {
        QString object;
        QString paragraph;  // "1", "1.2": its place in the hierarchy
        QString identifier; // the hierarchy node's own
        int depth = 1;
        QString specification; // the identifier of the document tree it belongs to
        QString lastChange;
        // The hierarchy node's other attributes as written (LAST-CHANGE,
        // LONG-NAME, IS-TABLE-INTERNAL ...).
        QHash<QString, QString> otherAttributes;
    };
    struct Specification
    {
        QString identifier;
        QString longName;
        QString type;
        QString lastChange;
        QList<Value> values;
        QHash<QString, QString> otherAttributes; // DESC ... as written
    };

    QString sourceToolId;
    QString headerIdentifier;
    QString title;
    QList<Datatype> datatypes;
    QList<SpecType> specTypes;
    QHash<QString, Definition> definitions;
    QList<Object> objects; // in file order
    QList<Relation> relations;
    QList<Specification> specifications;
    QList<Node> hierarchy; // depth first, as the document trees list them
    // Identifiers the file refers to but does not define, each once.
    QStringList undefinedReferences;
    // The other attributes of the objects and relations kept apart from the
    // document (a requirement's object, a relation), by identifier: read
    // back from a stored document, where those elements carry none.
    QHash<QString, QHash<QString, QString>> keptAttributes;
    // A large file's objects, kept apart in file order while it is imported
    // (objects is then empty).
    std::shared_ptr<const ReqIfObjectSpill> spilledObjects;
};

} // namespace varn::interchange
