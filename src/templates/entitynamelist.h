#pragma once

#include "common/outcome.h"

#include <QString>
#include <QStringList>

namespace varn::templates {

// The entity names the workspace's requirements use, as the entity fields of
// the templates offer them: every distinct stored name, in stored order,
// shown in lower case (names differing only in case appear once per form).
class EntityNameList
{
public:
    static Result<QStringList> read(const QString &connectionName);
};

} // namespace varn::templates
