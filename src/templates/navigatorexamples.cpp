#include "templates/navigatorexamples.h"

#include "store/workedexamples.h"
#include "templates/templatecatalogue.h"

#include <QStringList>

namespace varn::templates {

Result<QString> NavigatorExamples::read(const QString &applicationConnection, int templateNumber)
{
    const Result<QList<store::VarnMasterRow>> rows =
        store::WorkedExamples(applicationConnection)
            .masterRows(TemplateCatalogue::firstExampleRow(templateNumber), kExampleCount);
    if (!rows)
        return rows.outcome();
    QStringList examples;
    for (const store::VarnMasterRow &row : rows.value())
        examples.append(row.Preamble + QLatin1Char(' ') + row.ReqText + QLatin1Char('.'));
    return examples.join(QStringLiteral("\r\n\r\n"));
}

} // namespace varn::templates
