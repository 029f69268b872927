#include "templates/entitynamelist.h"

#include "store/creqjustenset.h"

namespace varn::templates {

Result<QStringList> EntityNameList::read(const QString &connectionName)
{
    const QString failure = QStringLiteral("Cannot open ReqJustEnSet recordset.\n");
    store::CReqJustEnSet set(connectionName);
    set.setSort(QStringLiteral("ReqEntity"));
    if (Outcome opened = set.open(store::RecordSetCore::OpenType::Snapshot); !opened)
        return set.errorOutcome(failure);
    QStringList names;
    while (!set.isEOF()) {
        if (!set.row().ReqEntity.isEmpty())
            names.append(set.row().ReqEntity.toLower());
        if (Outcome moved = set.moveNext(); !moved)
            return set.errorOutcome(failure);
    }
    set.close();
    return names;
}

} // namespace varn::templates
