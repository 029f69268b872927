#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace varn::app {

// Which Varn SE processes hold a requirements data source open. Each holder
// keeps a small file beside the user's ODBC file, locked with flock for as
// long as it holds the source; the kernel drops the lock when the process
// ends in any way, so a killed holder never pins a data source. Every call is
// made under an OdbcIniLock.
class DataSourceHolders
{
public:
    struct Holder
    {
        qint64 pid = 0;
        QString program;
        QString databasePath;
    };

    // Records this process (one entry per call) as a holder of the source.
    static bool hold(const QString &dataSourceName, const QString &databasePath);
    // Drops one entry of this process for the source.
    static void release(const QString &dataSourceName);
    // A live holder of the source other than the entries of this process,
    // if any; stale entries of ended processes are cleared on the way.
    static std::optional<Holder> otherHolder(const QString &dataSourceName);
    // Every live holder of the source, the entries of this process included
    // (a second workspace object of one program holds a source too).
    static QList<Holder> holders(const QString &dataSourceName);
    // True while any entry (of this process or another) holds the source.
    static bool isHeld(const QString &dataSourceName);
    // The sources this process holds, one name per entry.
    static QStringList heldHere();

    static QString folderPath();
};

} // namespace varn::app
