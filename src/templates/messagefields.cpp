#include "templates/messagefields.h"

#include "store/requirementreader.h"
#include "templates/templatecatalogue.h"

namespace varn::templates {

namespace {

// "0" Alpha, "1" Alphanumeric, any other choice Numeric; no choice shows nothing.
QString dataTypeName(const QString &stored)
{
    const QString position = stored.trimmed();
    if (position.isEmpty() || position == QLatin1String("-1"))
        return {};
    const QStringList names = TemplateCatalogue::messageDataTypes();
    if (position == QLatin1String("0") || position == QLatin1String("1"))
        return names.at(position.toInt());
    return names.last();
}

Result<QString> joinedValues(const store::RequirementReader &reader, const store::StrucReqRow &row)
{
    if (row.PossVal != QLatin1String("0"))
        return QString();
    Result<QStringList> values = reader.possibleValues(row.S_ReqNum);
    if (!values)
        return values.outcome();
    return values->join(QLatin1String(", "));
}

} // namespace

Result<QList<MessageFieldLine>> MessageFields::ofRequirement(const QString &connectionName,
                                                             int number)
{
    const Result<std::optional<store::StrucReqRow>> structural =
        store::RequirementReader(connectionName).structural(number);
    if (!structural)
        return structural.outcome();
    if (!structural.value())
        return QList<MessageFieldLine>();
    return ofMessage(connectionName, structural.value()->EntityAttr);
}

Result<QList<MessageFieldLine>> MessageFields::ofMessage(const QString &connectionName,
                                                         const QString &message)
{
    const store::RequirementReader reader(connectionName);
    QList<MessageFieldLine> lines;
    Outcome valuesRead = Outcome::ok();
    const Outcome read = reader.forEachLiveStructural(
        TemplateCatalogue::kMessageDefinition, message, [&](const store::StrucReqRow &row) {
            Result<QString> values = joinedValues(reader, row);
            if (!values) {
                valuesRead = values.outcome();
                return;
            }
            lines.append(
                {row.S_ReqNum, row.Position == -1 ? QString() : QString::number(row.Position),
                 row.AttrName, dataTypeName(row.DataType), row.From, row.To, values.value()});
        });
    if (!valuesRead)
        return valuesRead;
    if (!read)
        return read;
    return lines;
}

} // namespace varn::templates
