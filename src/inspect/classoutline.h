#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace varn::inspect {

enum class OutlineLanguage { Cpp, Java };

// The picture of a node of the object-model tree.
enum class NodeImage { Entity, Method, Member, Pointer, Reference, Value, Enumeration };

struct OutlineNode
{
    QString text;
    NodeImage image = NodeImage::Method;
    bool expandable = false; // an enumeration, whose values are read when expanded

    bool operator==(const OutlineNode &) const = default;
};

// A read that can stop part-way: the nodes read before a database error
// stay, shown above the error's message.
struct Outline
{
    QList<OutlineNode> nodes;
    Outcome problem = Outcome::ok();
};

// The derived object model read as classes: the entities, and for one entity
// a class-like outline of its members in C++ or Java syntax (enumerations,
// accessors, the methods found in the requirements, constructors and
// destructor, data members). Everything is read afresh on every call.
class ClassOutline
{
public:
    explicit ClassOutline(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Entity names in table order; refused with the message to show when
    // the model holds none.
    Result<QStringList> entityNames() const;
    Outline membersOf(const QString &entity, OutlineLanguage language) const;
    // The possible values under an enumeration node ("enum Status") of the
    // entity, in value order.
    Outline enumerationValues(const QString &entity, const QString &enumerationNode) const;

private:
    QString m_connection;
};

} // namespace varn::inspect
