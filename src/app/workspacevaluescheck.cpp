#include "app/workspacevaluescheck.h"
#include "app/apptr.h"
#include "common/requirementlimits.h"

#include "app/cvarnapp.h"
#include "app/datasource.h"
#include "store/serveraddress.h"

#include <QDir>
#include <QFile>

#include <array>
#include <sys/stat.h>

namespace varn::app {

namespace {

struct Field
{
    const char *label;
    const QString WorkspaceValues::*value;
};

constexpr std::array<Field, 8> kFields = {{
    {QT_TRANSLATE_NOOP("varn::app", "data-source name"), &WorkspaceValues::dataSourceName},
    {QT_TRANSLATE_NOOP("varn::app", "user id"), &WorkspaceValues::userId},
    {QT_TRANSLATE_NOOP("varn::app", "password"), &WorkspaceValues::password},
    {QT_TRANSLATE_NOOP("varn::app", "description"), &WorkspaceValues::description},
    {QT_TRANSLATE_NOOP("varn::app", "database file name"), &WorkspaceValues::databaseFileName},
    {QT_TRANSLATE_NOOP("varn::app", "database folder"), &WorkspaceValues::databaseFolder},
    {QT_TRANSLATE_NOOP("varn::app", "system name"), &WorkspaceValues::systemName},
    {QT_TRANSLATE_NOOP("varn::app", "installation path"), &WorkspaceValues::installPath},
}};

Outcome refusal(const QString &reason)
{
    return Outcome::refused(reason);
}

} // namespace

bool WorkspaceValuesCheck::isUnsafeCharacter(QChar c)
{
    const char16_t code = c.unicode();
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator || code == 0x200E || code == 0x200F ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

Outcome WorkspaceValuesCheck::check(const WorkspaceValues &values)
{
    for (const Field &field : kFields) {
        const QString &text = values.*field.value;
        if (text.size() > kLongestText)
            return refusal(Tr::tr("The %1 is longer than %2 characters.")
                               .arg(Tr::tr(field.label))
                               .arg(kLongestText));
        for (const QChar c : text) {
            if (isUnsafeCharacter(c))
                return refusal(
                    Tr::tr("The %1 holds a control character.").arg(Tr::tr(field.label)));
        }
    }
    const QString &name = values.dataSourceName;
    if (!name.endsWith(QLatin1String("ReqDS")) ||
        name.compare(QLatin1String("AppDS"), Qt::CaseInsensitive) == 0)
        return refusal(Tr::tr("The data-source name does not end in \"ReqDS\"."));
    if (!OdbcInstaller::isValidDataSourceName(name))
        return refusal(Tr::tr("The data-source name is not one ODBC accepts (at most 32 "
                              "bytes, none of [ ] { } ( ) , ; ? * = ! @ \\)."));
    if (!CVarnApp::checkSystemName(values.systemName))
        return refusal(Tr::tr("The system name is not one the System Name dialog "
                              "accepts."));
    // Generated files go below it: a relative one would land wherever the
    // program was started.
    if (!QDir::isAbsolutePath(values.installPath))
        return refusal(Tr::tr("The installation path is not an absolute path."));
    if (!values.databaseFolder.startsWith(QLatin1Char('/'))) {
        // A team workspace: the folder is the server string, the file name its database.
        const Result<store::ServerAddress> address =
            store::ServerAddress::parse(values.databaseFolder);
        if (!address)
            return refusal(address.outcome().message());
        if (address->databaseName() != values.databaseFileName)
            return refusal(Tr::tr("The database name does not match the server string."));
        if (!values.password.isEmpty())
            return refusal(Tr::tr("A team workspace holds no password."));
        return Outcome::ok();
    }
    const QString &file = values.databaseFileName;
    if (file.isEmpty() || file.contains(QLatin1Char('/')) || file == QLatin1String(".") ||
        file == QLatin1String(".."))
        return refusal(Tr::tr("The database file name is not a plain file name."));
    const QString &folder = values.databaseFolder;
    if (!QDir::isAbsolutePath(folder) ||
        folder.split(QLatin1Char('/')).contains(QStringLiteral("..")))
        return refusal(Tr::tr("The database folder is not an absolute path without "
                              "\"..\"."));
    return Outcome::ok();
}

Outcome WorkspaceValuesCheck::checkConnectionLength(const WorkspaceValues &values)
{
    const DataSource source{values.dataSourceName, values.userId,           values.password,
                            values.description,    values.databaseFileName, values.databaseFolder};
    return source.checkAttributeLength(DataSource::Kind::Requirements);
}

Outcome WorkspaceValuesCheck::checkDatabaseFile(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return refusal(Tr::tr("The database file does not exist."));
    if (!S_ISREG(status.st_mode))
        return refusal(Tr::tr("The database file is not a regular file."));
    return Outcome::ok();
}

} // namespace varn::app
