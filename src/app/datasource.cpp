#include "app/datasource.h"
#include "app/apptr.h"

#include "app/datasourceholders.h"
#include "app/odbcinifile.h"
#include "app/odbcinilock.h"
#include "store/serveraddress.h"

#include <odbcinst.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QMap>

#include <optional>
#include <utility>
#include <vector>

namespace varn::app {

namespace {

constexpr int kLongestAttributeString = 254;

// Keys the SQLite3 driver reads, besides the attribute string's own.
const std::pair<const char *, const char *> kDriverKeys[] = {
    {"BigInt", "1"},
    {"FKSupport", "1"},
    {"Timeout", "2000"},
};

// Marks a section as this program's: the drivers read no such key.
const std::pair<const char *, const char *> kWrittenBy = {"WrittenBy", "Varn SE"};

// The keys earlier versions wrote, without the mark.
const char *const kEarlierFileKeys[] = {"Driver", "UID",       "PWD",        "DESCRIPTION",
                                        "DBQ",    "FIL",       "DEFAULTDIR", "Database",
                                        "BigInt", "FKSupport", "Timeout"};
const char *const kEarlierServerKeys[] = {"Driver", "Description", "Servername",
                                          "Port",   "Database",    "Username"};
const QString kTeamDescription = QStringLiteral("Varn team req DS");

constexpr int kLongestDataSourceName = 32; // bytes, as the driver manager counts
const QString kForbiddenInDataSourceName = QStringLiteral("[]{}(),;?*=!@\\");

bool hasControlCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

using Keys = std::vector<std::pair<const char *, QString>>;

// What PostgreSQL's driver reads; the password stays in ~/.pgpass.
Keys serverKeys(const DataSource &source)
{
    const Result<store::ServerAddress> address = store::ServerAddress::parse(source.databaseFolder);
    if (!address)
        return {};
    return {
        {"Driver", QString::fromLatin1(OdbcInstaller::serverDriverName())},
        {"Description", source.description},
        {"Servername", address->host()},
        {"Port", QString::number(address->port())},
        {"Database", address->databaseName()},
        {"Username", address->userName()},
    };
}

// The section the driver reads: the attribute string's keys and the driver's own.
std::optional<QByteArray> sectionText(const DataSource &source)
{
    const Keys keys = source.isOnServer()
                          ? serverKeys(source)
                          : Keys{
                                {"Driver", QString::fromLatin1(OdbcInstaller::driverName())},
                                {"UID", source.userId},
                                {"PWD", source.password},
                                {"DESCRIPTION", source.description},
                                {"DBQ", source.databaseFileName},
                                {"FIL", QStringLiteral("MicrosoftAccess")},
                                {"DEFAULTDIR", source.databaseFolder},
                                {"Database", source.databasePath()},
                            };
    if (!OdbcInstaller::isValidDataSourceName(source.name) || keys.empty())
        return std::nullopt;
    QByteArray text =
        '[' + source.name.toUtf8() + "]\n" + kWrittenBy.first + '=' + kWrittenBy.second + '\n';
    for (const auto &[key, value] : keys) {
        if (hasControlCharacter(value))
            return std::nullopt;
        text += QByteArray(key) + '=' + value.toUtf8() + '\n';
    }
    if (!source.isOnServer()) {
        for (const auto &[key, value] : kDriverKeys)
            text += QByteArray(key) + '=' + value + '\n';
    }
    return text;
}

// True when every key is one of the known ones, in any letter case.
template <std::size_t N>
bool onlyKeysOf(const QList<std::pair<QString, QString>> &entries, const char *const (&known)[N])
{
    for (const auto &[key, value] : entries) {
        bool listed = false;
        for (const char *name : known)
            listed = listed || key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
        if (!listed)
            return false;
    }
    return true;
}

// A section earlier versions wrote: their keys and nothing else, with the
// values only they write.
bool isEarlierSection(const QList<std::pair<QString, QString>> &entries)
{
    QMap<QString, QString> values;
    for (const auto &[key, value] : entries)
        values.insert(key.toLower(), value);
    const QString driver = values.value(QStringLiteral("driver"));
    if (driver == QLatin1String(OdbcInstaller::driverName()))
        return onlyKeysOf(entries, kEarlierFileKeys) &&
               values.value(QStringLiteral("fil")) == QLatin1String("MicrosoftAccess") &&
               !values.value(QStringLiteral("dbq")).isEmpty() &&
               values.value(QStringLiteral("database")) ==
                   values.value(QStringLiteral("defaultdir")) + QLatin1Char('/') +
                       values.value(QStringLiteral("dbq"));
    if (driver == QLatin1String(OdbcInstaller::serverDriverName()))
        return onlyKeysOf(entries, kEarlierServerKeys) &&
               values.value(QStringLiteral("description")) == kTeamDescription;
    return false;
}

// True when the section of that name is absent or this program's own.
bool isOursOrFree(const OdbcIniFile &file, const QString &name)
{
    const std::optional<QByteArray> text = file.section(name);
    if (!text)
        return true;
    const QList<std::pair<QString, QString>> entries = OdbcIniFile::entries(*text);
    for (const auto &[key, value] : entries) {
        if (key.compare(QLatin1String(kWrittenBy.first), Qt::CaseInsensitive) == 0)
            return value == QLatin1String(kWrittenBy.second);
    }
    return isEarlierSection(entries);
}

// The workspace, other than the one registering, that keeps the source from
// being registered for this database.
std::optional<DataSourceHolders::Holder> blockingHolder(const DataSource &source,
                                                        OdbcInstaller::Sharing sharing)
{
    for (const DataSourceHolders::Holder &holder : DataSourceHolders::holders(source.name)) {
        if (sharing == OdbcInstaller::Sharing::Nobody ||
            !OdbcInstaller::isSameDatabase(holder.databasePath, source.databasePath()))
            return holder;
    }
    return std::nullopt;
}

Registration ended(Registration::Status status)
{
    return {status, {}};
}

Registration writeSection(const DataSource &source, std::optional<OdbcInstaller::Sharing> hold)
{
    const std::optional<QByteArray> text = sectionText(source);
    if (!text ||
        !OdbcInstaller::isDriverInstalled(source.isOnServer() ? OdbcInstaller::serverDriverName()
                                                              : OdbcInstaller::driverName()))
        return ended(Registration::Status::Failed);
    const OdbcIniLock lock;
    OdbcIniFile file;
    if (!lock.isHeld() || !file.load())
        return ended(Registration::Status::Failed);
    if (!isOursOrFree(file, source.name))
        return ended(Registration::Status::NameTaken);
    if (hold) {
        if (const std::optional<DataSourceHolders::Holder> holder = blockingHolder(source, *hold))
            return {Registration::Status::HeldElsewhere, *holder};
        if (!DataSourceHolders::hold(source.name, source.databasePath()))
            return ended(Registration::Status::Failed);
    }
    file.replaceSection(source.name, *text);
    if (file.commit())
        return ended(Registration::Status::Registered);
    if (hold)
        DataSourceHolders::release(source.name);
    return ended(Registration::Status::Failed);
}

} // namespace

bool DataSource::isOnServer() const
{
    return !databaseFolder.isEmpty() && !databaseFolder.startsWith(QLatin1Char('/'));
}

QString DataSource::databasePath() const
{
    if (isOnServer())
        return databaseFolder;
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
    return Outcome::refused(Tr::tr("Database connection info exceeds 255 characters.") + lineBreak +
                            Tr::tr("Try installing Varn SE some place where the path is "
                                   "shorter."));
}

QString DataSource::requirementsNameFor(const QString &systemName)
{
    const QString suffix = QStringLiteral("ReqDS");
    const QString whole = systemName + suffix;
    if (whole.toUtf8().size() <= kLongestDataSourceName)
        return whole;
    // A long name keeps its beginning and gains a short hash of the whole
    // name, so two long names that begin alike still differ.
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(systemName.toUtf8(), QCryptographicHash::Sha1).toHex().left(6));
    const qsizetype room = kLongestDataSourceName - suffix.size() - hash.size() - 1;
    QString head = systemName;
    while (!head.isEmpty() && (head.toUtf8().size() > room || head.back().isHighSurrogate()))
        head.chop(1);
    return head.trimmed() + QLatin1Char('-') + hash + suffix;
}

DataSource DataSource::requirementsFor(const QString &systemName, const QString &installPath)
{
    return {requirementsNameFor(systemName),
            QStringLiteral("varn"),
            QStringLiteral("quorbel"),
            QStringLiteral("Varn req DS"),
            systemName + QStringLiteral("Req.mdb"),
            installPath + QStringLiteral("Varn SE Databases")};
}

DataSource DataSource::teamFor(const QString &systemName, const QString &serverText,
                               const QString &databaseName, const QString &userName)
{
    return {requirementsNameFor(systemName),
            userName,
            QString(),
            kTeamDescription,
            databaseName,
            serverText};
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
        Tr::tr("Could not configure local ReqDS data source. User may not have permission "
               "to modify ODBC data sources.");
    return message;
}

bool OdbcInstaller::isDriverInstalled(const char *driver)
{
    // The installed-driver list is read afresh each time; profile reads are cached.
    char names[8192] = {};
    WORD length = 0;
    if (!SQLGetInstalledDrivers(names, sizeof names - 1, &length))
        return false;
    for (const char *name = names; *name; name += qstrlen(name) + 1) {
        if (qstrcmp(name, driver) == 0)
            return true;
    }
    return false;
}

Registration OdbcInstaller::registerDataSource(const DataSource &source)
{
    return writeSection(source, std::nullopt);
}

Registration OdbcInstaller::registerHeldDataSource(const DataSource &source, Sharing sharing)
{
    return writeSection(source, sharing);
}

void OdbcInstaller::releaseHeldDataSource(const QString &name)
{
    const OdbcIniLock lock;
    DataSourceHolders::release(name);
    OdbcIniFile file;
    if (!lock.isHeld() || DataSourceHolders::isHeld(name) || !file.load() ||
        !isOursOrFree(file, name))
        return;
    file.removeSection(name);
    file.commit();
}

void OdbcInstaller::releaseAllHeldHere()
{
    for (const QString &name : DataSourceHolders::heldHere())
        releaseHeldDataSource(name);
}

bool OdbcInstaller::removeDataSource(const QString &name)
{
    if (name.isEmpty())
        return false;
    const OdbcIniLock lock;
    OdbcIniFile file;
    if (!lock.isHeld() || !file.load() || !file.section(name) || !isOursOrFree(file, name))
        return false;
    file.removeSection(name);
    return file.commit();
}

bool OdbcInstaller::isRegistered(const QString &name)
{
    return !registeredValue(name, QStringLiteral("Driver")).isEmpty();
}

QString OdbcInstaller::registeredValue(const QString &name, const QString &key)
{
    OdbcIniFile file;
    return file.load() ? file.value(name, key) : QString();
}

bool OdbcInstaller::isValidDataSourceName(const QString &name)
{
    if (name.isEmpty() || name.toUtf8().size() > kLongestDataSourceName ||
        hasControlCharacter(name) || name != name.trimmed())
        return false;
    for (const QChar c : name) {
        if (kForbiddenInDataSourceName.contains(c))
            return false;
    }
    return true;
}

bool OdbcInstaller::isSameDatabase(const QString &one, const QString &other)
{
    if (one == other)
        return true;
    if (!one.startsWith(QLatin1Char('/')) || !other.startsWith(QLatin1Char('/')))
        return false; // server strings
    const QString canonical = QFileInfo(one).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(other).canonicalFilePath();
}

} // namespace varn::app
