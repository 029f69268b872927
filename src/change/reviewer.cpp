#include "change/reviewer.h"

#include <QDateTime>

#include <pwd.h>
#include <unistd.h>

namespace varn::change {

QString Reviewer::currentUser()
{
    if (const passwd *entry = getpwuid(getuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString Reviewer::now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
}

} // namespace varn::change
