#include "templates/composedrequirement.h"

namespace varn::templates {

qint32 ComposedRequirement::firstVersionOfEdit()
{
    const DraftAttributes &loaded = attributes();
    return loaded.loadedFirstVersion != 0 ? loaded.loadedFirstVersion : loaded.loadedNumber;
}

QString ComposedRequirement::storedText(const QString &body) const
{
    return collapsedBody(body);
}

QString ComposedRequirement::collapsedBody(QString body)
{
    while (body.contains(QLatin1String("  ")))
        body.replace(QLatin1String("  "), QLatin1String(" "));
    while (body.endsWith(QLatin1Char(' ')))
        body.chop(1);
    return body;
}

} // namespace varn::templates
