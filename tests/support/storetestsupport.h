#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh requirements database per test: a byte copy of a blank image from
// the program's resources in a temporary folder, opened on its own named
// connection (on the server backend, the tables in a fresh database). The images live in
// varn_engine, a static library, so their resource must be registered once per process before the
// first copy: StoreTestSupport::initResources() (call it in initTestCase) does that with
// Q_INIT_RESOURCE(blank_images).
class StoreTestSupport
{
public:
    static void initResources();

    // Writes the blank image of that name ("Mdb2003", "Mdb97", ...) into the
    // folder as New does; returns its path, or an empty string on failure.
    static QString copyBlankImage(const QTemporaryDir &folder,
                                  const QString &image = QStringLiteral("Mdb2003"));

    // Copies the blank image and opens a connection of that name on it;
    // returns false (and fails the test) when it cannot.
    static bool openFreshDatabase(const QTemporaryDir &folder, const QString &connectionName,
                                  const QString &image = QStringLiteral("Mdb2003"));
    // The server backend's fresh database: the requirements tables in an
    // empty database of the private cluster.
    static bool openFreshServerDatabase(const QString &connectionName);
    static void closeDatabase(const QString &connectionName);

    // Runs one statement on the connection, bypassing the record sets; for
    // arranging and inspecting what tests need.
    static bool exec(const QString &connectionName, const QString &sql);
    // The three readers below fail the running test, naming the statement and
    // the database's error, when the query fails.
    // The first column of the first row of a query, or an invalid variant.
    static QVariant scalar(const QString &connectionName, const QString &sql);
    // Every column of the first row as text, NULL as "<null>"; empty when
    // the query returns no row.
    static QStringList row(const QString &connectionName, const QString &sql);
    // The first column of every row, as text.
    static QStringList column(const QString &connectionName, const QString &sql);

    // What the backends say differently, for suites that run on both.
    // The type of the first row's value as SQLite's typeof() names it
    // ("integer", "text", "real", "null").
    static QString storedType(const QString &connectionName, const QString &column,
                              const QString &table);
    // A trigger that refuses each row of the event ("BEFORE INSERT") on the
    // table with the message, when the condition on NEW or OLD holds.
    static bool refuseInTrigger(const QString &connectionName, const QString &name,
                                const QString &event, const QString &table, const QString &message,
                                const QString &condition = {});
    static bool dropTrigger(const QString &connectionName, const QString &name,
                            const QString &table);
    // Lets the column of the table hold text longer than its CHECK allows.
    static bool dropLengthCheck(const QString &connectionName, const QString &table,
                                const QString &column);
    // Every index of the database with its definition, sorted.
    static QStringList indexes(const QString &connectionName);
    // The words of the backend's error text for a kind of failure.
    enum class Failure { MissingTable, ForeignKey, Check };
    static QString failureWords(Failure failure);
};
