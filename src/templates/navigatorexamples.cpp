#include "templates/navigatorexamples.h"

#include "store/creqmsset.h"
#include "templates/templatecatalogue.h"

#include <QStringList>

namespace varn::templates {

Result<QString> NavigatorExamples::read(const QString &applicationConnection, int templateNumber)
{
    const int first = TemplateCatalogue::firstExampleRow(templateNumber);
    store::CReqMsSet master(applicationConnection);
    master.setSort(QStringLiteral("Req_Num"));
    if (Outcome opened = master.open(store::CReqMsSet::OpenType::Snapshot); !opened)
        return master.errorOutcome(QStringLiteral("Cannot open VarnMsSet recordset.\n"));
    QStringList examples;
    for (int row = 1; !master.isEOF() && examples.size() < kExampleCount; ++row) {
        if (row >= first)
            examples.append(master.row().Preamble + QLatin1Char(' ') + master.row().ReqText +
                            QLatin1Char('.'));
        if (Outcome moved = master.moveNext(); !moved)
            return master.errorOutcome(QStringLiteral("Cannot open VarnMsSet recordset.\n"));
    }
    master.close();
    return examples.join(QStringLiteral("\r\n\r\n"));
}

} // namespace varn::templates
