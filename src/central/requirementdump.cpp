#include "central/requirementdump.h"

#include "central/centraltr.h"

namespace varn::central {

Result<QList<DumpedRow>> RequirementDump::read(const QString &connectionName, qint32 number)
{
    Result<QList<DumpedRow>> rows = store::RequirementReader(connectionName).storedRows(number);
    if (!rows)
        return rows;
    if (rows->isEmpty() || rows->first().table != QLatin1String("MASTER_REQ"))
        return Outcome::warning(
            Tr::tr("The Requirement Number does not exist in the Requirements database."));
    return rows;
}

} // namespace varn::central
