#include "app/datasource.h"

#include <odbcinst.h>

#include <QByteArray>

#include <utility>

namespace varn::app {

namespace {

constexpr int kLongestAttributeString = 254;

// Keys the SQLite3 driver reads, besides the attribute string's own.
const std::pair<const char *, const char *> kDriverKeys[] = {
    {"BigInt", "1"},
    {"FKSupport", "1"},
    {"Timeout", "2000"},
};

bool useUserDataSources()
{
    return SQLSetConfigMode(ODBC_USER_DSN);
}

QString profileString(const char *section, const char *key, const char *file)
{
    char buffer[1024] = {};
    const int length = SQLGetPrivateProfileString(section, key, "", buffer, sizeof buffer, file);
    return length > 0 ? QString::fromUtf8(buffer, length) : QString();
}

bool writeKey(const QByteArray &section, const char *key, const QString &value)
{
    return SQLWritePrivateProfileString(section.constData(), key, value.toUtf8().constData(),
                                        "odbc.ini");
}

} // namespace

QString DataSource::databasePath() const
{
    return databaseFolder + QLatin1Char('/') + databaseFileName;
}

QString DataSource::attributeString() const
{
    return QStringLiteral("DSN=%1; UID=%2; PWD=%3; DESCRIPTION=%4; DBQ=%5; FIL=MicrosoftAccess; "
                          "DEFAULTDIR=%6")
        .arg(name, userId, password, description, databaseFileName, databaseFolder);
}

Outcome DataSource::checkAttributeLength(Kind kind) const
{
    if (attributeString().size() <= kLongestAttributeString)
        return Outcome::ok();
    const QLatin1Char lineBreak(kind == Kind::Requirements ? '\r' : '\n');
    return Outcome::refused(QStringLiteral("Database connection info exceeds 255 characters.") +
                            lineBreak +
                            QStringLiteral("Try installing Varn SE some place where the path is "
                                           "shorter."));
}

DataSource DataSource::requirementsFor(const QString &systemName, const QString &installPath)
{
    return {systemName + QStringLiteral("ReqDS"),
            QStringLiteral("varn"),
            QStringLiteral("quorbel"),
            QStringLiteral("Varn req DS"),
            systemName + QStringLiteral("Req.mdb"),
            installPath + QStringLiteral("Varn SE Databases")};
}

DataSource DataSource::applicationIn(const QString &databaseDirectory)
{
    QString folder = databaseDirectory;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return {QStringLiteral("AppDS"),       QStringLiteral("varn"),      QStringLiteral("plimset"),
            QStringLiteral("Varn app DS"), QStringLiteral("AppDB.mdb"), folder};
}

const QString &OdbcInstaller::requirementsRegistrationFailure()
{
    static const QString message =
        QStringLiteral("Could not configure local ReqDS data source. User may not have permission "
                       "to modify ODBC data sources.");
    return message;
}

bool OdbcInstaller::isDriverInstalled()
{
    // The installed-driver list is read afresh each time; profile reads are cached.
    char names[8192] = {};
    WORD length = 0;
    if (!SQLGetInstalledDrivers(names, sizeof names - 1, &length))
        return false;
    for (const char *name = names; *name; name += qstrlen(name) + 1) {
        if (qstrcmp(name, driverName()) == 0)
            return true;
    }
    return false;
}

bool OdbcInstaller::registerDataSource(const DataSource &source)
{
    if (source.name.isEmpty() || !isDriverInstalled() || !useUserDataSources())
        return false;
    const QByteArray section = source.name.toUtf8();
    if (!SQLWriteDSNToIni(section.constData(), driverName()))
        return false;
    const bool written = writeKey(section, "UID", source.userId) &&
                         writeKey(section, "PWD", source.password) &&
                         writeKey(section, "DESCRIPTION", source.description) &&
                         writeKey(section, "DBQ", source.databaseFileName) &&
                         writeKey(section, "FIL", QStringLiteral("MicrosoftAccess")) &&
                         writeKey(section, "DEFAULTDIR", source.databaseFolder) &&
                         writeKey(section, "Database", source.databasePath());
    bool driverKeysWritten = written;
    for (const auto &[key, value] : kDriverKeys) {
        if (driverKeysWritten)
            driverKeysWritten = writeKey(section, key, QString::fromLatin1(value));
    }
    if (!driverKeysWritten) {
        SQLRemoveDSNFromIni(section.constData());
        return false;
    }
    return true;
}

bool OdbcInstaller::removeDataSource(const QString &name)
{
    if (name.isEmpty() || !useUserDataSources())
        return false;
    const QByteArray section = name.toUtf8();
    if (!SQLRemoveDSNFromIni(section.constData()))
        return false;
    // The installer keeps answering from its read cache after a removal;
    // deleting the (already gone) section through the profile API clears it.
    SQLWritePrivateProfileString(section.constData(), nullptr, nullptr, "odbc.ini");
    return true;
}

bool OdbcInstaller::isRegistered(const QString &name)
{
    return !registeredValue(name, QStringLiteral("Driver")).isEmpty();
}

QString OdbcInstaller::registeredValue(const QString &name, const QString &key)
{
    if (!useUserDataSources())
        return {};
    return profileString(name.toUtf8().constData(), key.toUtf8().constData(), "odbc.ini");
}

} // namespace varn::app
