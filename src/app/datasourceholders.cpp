#include "app/datasourceholders.h"

#include "app/odbcinifile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace varn::app {

namespace {

struct OwnEntry
{
    QString dataSourceName;
    QString path;
    int fd = -1;
    QString databasePath;
};

// Guarded by the OdbcIniLock every caller holds.
QList<OwnEntry> &ownEntries()
{
    static QList<OwnEntry> entries;
    return entries;
}

// Entries are named after the source (case folded, as the driver manager
// folds it), so a directory listing finds them without reading every file.
QString entryPrefix(const QString &dataSourceName)
{
    return QString::fromLatin1(dataSourceName.toLower().toUtf8().toHex()) + QLatin1Char('.');
}

QStringList entriesOf(const QString &dataSourceName)
{
    const QDir folder(DataSourceHolders::folderPath());
    QStringList paths;
    for (const QString &name : folder.entryList({entryPrefix(dataSourceName) + QLatin1Char('*')},
                                                QDir::Files | QDir::Hidden))
        paths << folder.filePath(name);
    return paths;
}

bool isOwn(const QString &path)
{
    for (const OwnEntry &entry : ownEntries()) {
        if (entry.path == path)
            return true;
    }
    return false;
}

// Reads a live entry; clears a stale one (its lock is free) and returns nullopt.
std::optional<DataSourceHolders::Holder> liveHolder(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
        ::unlink(QFile::encodeName(path).constData());
        ::close(fd);
        return std::nullopt;
    }
    char buffer[4096] = {};
    const ssize_t length = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    const QStringList lines =
        QString::fromUtf8(buffer, length > 0 ? qsizetype(length) : 0).split(QLatin1Char('\n'));
    DataSourceHolders::Holder holder;
    holder.pid = lines.value(0).toLongLong();
    holder.program = lines.value(1);
    holder.databasePath = lines.value(2);
    return holder;
}

QString thisProgram()
{
    return QCoreApplication::applicationName() + QStringLiteral(" (") +
           QFileInfo(QCoreApplication::applicationFilePath()).fileName() + QLatin1Char(')');
}

} // namespace

QString DataSourceHolders::folderPath()
{
    return OdbcIniFile::resolvedFilePath() + QStringLiteral(".varn-holders");
}

bool DataSourceHolders::hold(const QString &dataSourceName, const QString &databasePath)
{
    static int serial = 0;
    if (!QDir().mkpath(folderPath()))
        return false;
    const QString path =
        QDir(folderPath())
            .filePath(
                entryPrefix(dataSourceName) +
                QStringLiteral("%1.%2").arg(QCoreApplication::applicationPid()).arg(++serial));
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    const QByteArray text = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                            thisProgram().toUtf8() + '\n' + databasePath.toUtf8() + '\n';
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ::write(fd, text.constData(), text.size()) < 0) {
        ::unlink(QFile::encodeName(path).constData());
        ::close(fd);
        return false;
    }
    ownEntries().append({dataSourceName, path, fd, databasePath});
    return true;
}

void DataSourceHolders::release(const QString &dataSourceName)
{
    QList<OwnEntry> &entries = ownEntries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].dataSourceName.compare(dataSourceName, Qt::CaseInsensitive) == 0) {
            ::unlink(QFile::encodeName(entries[i].path).constData());
            ::close(entries[i].fd);
            entries.removeAt(i);
            return;
        }
    }
}

std::optional<DataSourceHolders::Holder>
DataSourceHolders::otherHolder(const QString &dataSourceName)
{
    std::optional<Holder> found;
    for (const QString &path : entriesOf(dataSourceName)) {
        if (isOwn(path))
            continue;
        if (std::optional<Holder> holder = liveHolder(path); holder && !found)
            found = holder;
    }
    return found;
}

QList<DataSourceHolders::Holder> DataSourceHolders::holders(const QString &dataSourceName)
{
    QList<Holder> found;
    for (const OwnEntry &entry : ownEntries()) {
        if (entry.dataSourceName.compare(dataSourceName, Qt::CaseInsensitive) == 0)
            found.append({QCoreApplication::applicationPid(), thisProgram(), entry.databasePath});
    }
    for (const QString &path : entriesOf(dataSourceName)) {
        if (isOwn(path))
            continue;
        if (std::optional<Holder> holder = liveHolder(path))
            found.append(*holder);
    }
    return found;
}

bool DataSourceHolders::isHeld(const QString &dataSourceName)
{
    for (const OwnEntry &entry : ownEntries()) {
        if (entry.dataSourceName.compare(dataSourceName, Qt::CaseInsensitive) == 0)
            return true;
    }
    return otherHolder(dataSourceName).has_value();
}

QStringList DataSourceHolders::heldHere()
{
    QStringList names;
    for (const OwnEntry &entry : ownEntries())
        names << entry.dataSourceName;
    return names;
}

} // namespace varn::app
