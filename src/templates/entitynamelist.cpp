#include "templates/entitynamelist.h"

#include "templates/templatestr.h"

#include "objmodel/objectmodelreader.h"

namespace varn::templates {

Result<QStringList> EntityNameList::read(const QString &connectionName)
{
    objmodel::ObjectModelReader model(connectionName);
    const Result<QStringList> stored = model.requirementEntityNames();
    if (!stored)
        return Outcome::stop(Tr::tr("Cannot open ReqJustEnSet recordset.\n") +
                             model.lastFailure().databaseText);
    QStringList names;
    for (const QString &name : stored.value()) {
        if (!name.isEmpty())
            names.append(name.toLower());
    }
    return names;
}

} // namespace varn::templates
