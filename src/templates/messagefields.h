#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

namespace varn::templates {

// One line of the Message Definition's Fields Currently Defined table, its
// columns as shown.
struct MessageFieldLine
{
    qint32 number = 0; // the requirement
    QString position;  // empty when none was given
    QString field;
    QString dataType;
    QString from;
    QString to;
    QString possibleValues; // joined by ", "
};

// The fields already defined for a message: every Message Definition of the
// same message whose requirement is not deleted, by position.
class MessageFields
{
public:
    // The fields of the message that a stored requirement defines a field of.
    static Result<QList<MessageFieldLine>> ofRequirement(const QString &connectionName, int number);
    static Result<QList<MessageFieldLine>> ofMessage(const QString &connectionName,
                                                     const QString &message);
};

} // namespace varn::templates
