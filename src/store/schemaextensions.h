#pragma once

#include "common/outcome.h"
#include "store/sqldialect.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace varn::store {

// Tables that later features add to the requirements database, one script
// per feature in data/extensions. Blank images and a team's schema are made
// with them; a workspace made before a feature existed gains its tables when
// it is opened for writing, in one transaction that creates nothing but the
// missing tables and indexes, so the rows the ODBC clients read are never
// touched. A script is applied when any table or index it creates is missing;
// its statements are written so that running one twice does no harm
// ("CREATE TABLE IF NOT EXISTS", "CREATE INDEX IF NOT EXISTS"). A script
// named "<feature>.sqlite.sql" or "<feature>.postgresql.sql" is for that
// backend alone (what one does with triggers or a full-text index the other
// does its own way); a feature may carry one of each.
class SchemaExtensions
{
public:
    struct Script
    {
        QString name; // the file's base name: "baselines"
        QString text;
        // The backend it is for; none: both.
        std::optional<Backend> backend;

        bool appliesTo(Backend database) const { return !backend || *backend == database; }
    };

    // The scripts the program carries, in name order.
    static QList<Script> builtIn();
    // The tables a script creates, upper case.
    static QStringList tablesOf(const Script &script);
    // The indexes a script creates, upper case.
    static QStringList indexesOf(const Script &script);
    // The tables SQLite makes to hold a script's full-text indexes, as
    // SQLite names them ("REQ_WORDS_data").
    static QStringList auxiliaryTablesOf(const Script &script);
    // The scripts whose tables or indexes the database lacks, by name.
    static Result<QStringList> missing(const QString &connectionName,
                                       const QList<Script> &scripts = builtIn());
    // Hears how many of the statements to run have run, of all: (0, all)
    // before the first one, then after each. Building an index over a
    // million rows takes seconds, so a caller shows this.
    using Progress = std::function<void(int done, int all)>;

    // Creates the tables of every script the database lacks, all or none;
    // the names of the scripts applied.
    static Result<QStringList> bringUpToDate(const QString &connectionName,
                                             const QList<Script> &scripts = builtIn(),
                                             const Progress &progress = {});
    // Runs the scripts' statements inside a transaction the caller holds.
    static Outcome runInTransaction(const QString &connectionName, const QList<Script> &scripts,
                                    const Progress &progress = {});
};

} // namespace varn::store
