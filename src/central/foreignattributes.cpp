#include "central/foreignattributes.h"

#include "store/foreignobjects.h"

namespace varn::central {

Result<ForeignAttributes> ForeignAttributes::read(const QString &connectionName, qint32 number)
{
    const Result<std::optional<store::ForeignObjectRow>> object =
        store::ForeignObjects(connectionName).objectOf(number);
    if (!object)
        return object.outcome();
    ForeignAttributes attributes;
    if (!object->has_value())
        return attributes;
    const store::ForeignObjectRow &row = *object.value();
    attributes.identifier = row.identifier;
    attributes.typeName = row.typeName.isEmpty() ? row.type : row.typeName;
    attributes.longName = row.longName;
    for (const store::ForeignValueRow &value : row.values)
        attributes.entries.append(
            {value.longName.isEmpty() ? value.definition : value.longName, value.text});
    return attributes;
}

Result<QString> ForeignAttributes::fullText(const QString &connectionName, qint32 number)
{
    return store::ForeignObjects(connectionName).fullTextOf(number);
}

} // namespace varn::central

namespace varn::central {

QString ForeignAttributes::wholeSentence(const QString &preamble, const QString &fullText)
{
    QString sentence = preamble + QLatin1Char(' ') + fullText.trimmed();
    if (!sentence.endsWith(QLatin1Char('.')))
        sentence += QLatin1Char('.');
    return sentence;
}

} // namespace varn::central
