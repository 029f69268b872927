#include "storetestsupport.h"

#include "app/blankimage.h"
#include "store/sqlconnection.h"
#include "store/teamdatabase.h"
#include "testbackend.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

// Q_INIT_RESOURCE declares a function of the global namespace.
static void registerBlankImages()
{
    Q_INIT_RESOURCE(blank_images);
}

void StoreTestSupport::initResources()
{
    if (!QFile::exists(QStringLiteral(":/blank/Mdb2003.mdb")))
        registerBlankImages();
}

QString StoreTestSupport::copyBlankImage(const QTemporaryDir &folder, const QString &image)
{
    const QString target = folder.filePath(image + QStringLiteral(".mdb"));
    return varn::app::BlankImage::writeTo(image, target) ? target : QString();
}

bool StoreTestSupport::openFreshDatabase(const QTemporaryDir &folder, const QString &connectionName,
                                         const QString &image)
{
    if (TestBackend::isServer())
        return openFreshServerDatabase(connectionName);
    const QString path = copyBlankImage(folder, image);
    if (path.isEmpty()) {
        QTest::qFail("cannot copy the blank image", __FILE__, __LINE__);
        return false;
    }
    const auto opened = varn::store::SqlConnection::open(connectionName, path);
    if (!opened) {
        QTest::qFail(qPrintable(opened.outcome().message()), __FILE__, __LINE__);
        return false;
    }
    return true;
}

bool StoreTestSupport::openFreshServerDatabase(const QString &connectionName)
{
    const QString server = TestBackend::freshServerDatabase();
    if (server.isEmpty())
        return false;
    const auto address = varn::store::ServerAddress::parse(server);
    if (!address) {
        QTest::qFail(qPrintable(address.outcome().message()), __FILE__, __LINE__);
        return false;
    }
    const auto opened = varn::store::SqlConnection::openServer(connectionName, address.value());
    if (!opened) {
        QTest::qFail(qPrintable(opened.outcome().message()), __FILE__, __LINE__);
        return false;
    }
    const auto provisioned =
        varn::store::TeamDatabase::provision(connectionName, QStringLiteral("Unspecified"));
    if (!provisioned) {
        QTest::qFail(qPrintable(provisioned.outcome().message()), __FILE__, __LINE__);
        return false;
    }
    return true;
}

void StoreTestSupport::closeDatabase(const QString &connectionName)
{
    varn::store::SqlConnection::close(connectionName);
}

bool StoreTestSupport::exec(const QString &connectionName, const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    if (query.exec(sql))
        return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return false;
}

// Runs a statement that reads; a statement that fails fails the test, so
// that what it would have read never compares equal to an empty answer.
static bool readsOrFails(QSqlQuery &query, const QString &sql)
{
    if (query.exec(sql))
        return true;
    QTest::qFail(qPrintable(QStringLiteral("%1: %2").arg(sql, query.lastError().text())), __FILE__,
                 __LINE__);
    return false;
}

QVariant StoreTestSupport::scalar(const QString &connectionName, const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    if (!readsOrFails(query, sql) || !query.next())
        return {};
    return query.value(0);
}

QStringList StoreTestSupport::column(const QString &connectionName, const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    QStringList values;
    if (!readsOrFails(query, sql))
        return values;
    while (query.next())
        values.append(query.value(0).toString());
    return values;
}

QString StoreTestSupport::storedType(const QString &connectionName, const QString &column,
                                     const QString &table)
{
    if (!TestBackend::isServer())
        return scalar(connectionName,
                      QStringLiteral("SELECT typeof(%1) FROM %2").arg(column, table))
            .toString();
    const QString type =
        scalar(connectionName, QStringLiteral("SELECT CASE WHEN %1 IS NULL THEN 'null' ELSE "
                                              "pg_typeof(%1)::text END FROM %2")
                                   .arg(column, table))
            .toString();
    return type == QLatin1String("double precision") ? QStringLiteral("real") : type;
}

bool StoreTestSupport::refuseInTrigger(const QString &connectionName, const QString &name,
                                       const QString &event, const QString &table,
                                       const QString &message, const QString &condition)
{
    if (!TestBackend::isServer())
        return exec(connectionName,
                    QStringLiteral("CREATE TRIGGER %1 %2 ON %3 %4 BEGIN SELECT RAISE(ABORT, '%5'); "
                                   "END")
                        .arg(name, event, table,
                             condition.isEmpty() ? QString() : QStringLiteral("WHEN ") + condition,
                             message));
    return exec(connectionName,
                QStringLiteral("CREATE FUNCTION %1_refusal() RETURNS trigger LANGUAGE plpgsql AS "
                               "$$ BEGIN RAISE EXCEPTION '%2'; END $$")
                    .arg(name, message)) &&
           exec(connectionName,
                QStringLiteral("CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW %4 EXECUTE FUNCTION "
                               "%1_refusal()")
                    .arg(name, event, table,
                         condition.isEmpty() ? QString()
                                             : QStringLiteral("WHEN (%1)").arg(condition)));
}

bool StoreTestSupport::dropTrigger(const QString &connectionName, const QString &name,
                                   const QString &table)
{
    return exec(connectionName, TestBackend::isServer()
                                    ? QStringLiteral("DROP TRIGGER %1 ON %2").arg(name, table)
                                    : QStringLiteral("DROP TRIGGER %1").arg(name));
}

bool StoreTestSupport::dropLengthCheck(const QString &connectionName, const QString &table,
                                       const QString &column)
{
    if (!TestBackend::isServer())
        return exec(connectionName, QStringLiteral("PRAGMA ignore_check_constraints = ON"));
    // The server names a column's own CHECK after its table and column.
    return exec(connectionName, QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2_%3_check")
                                    .arg(table, table.toLower(), column.toLower()));
}

QStringList StoreTestSupport::indexes(const QString &connectionName)
{
    QStringList definitions;
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    if (!readsOrFails(query, TestBackend::isServer()
                                 ? QStringLiteral("SELECT indexname, indexdef FROM pg_indexes "
                                                  "WHERE schemaname = 'public' ORDER BY indexname")
                                 : QStringLiteral("SELECT name, sql FROM sqlite_master WHERE "
                                                  "type = 'index' ORDER BY name")))
        return definitions;
    while (query.next())
        definitions.append(query.value(0).toString() + QLatin1Char(':') +
                           query.value(1).toString());
    return definitions;
}

QString StoreTestSupport::failureWords(Failure failure)
{
    const bool server = TestBackend::isServer();
    switch (failure) {
    case Failure::MissingTable:
        return server ? QStringLiteral("does not exist") : QStringLiteral("no such table");
    case Failure::ForeignKey:
        return server ? QStringLiteral("violates foreign key constraint")
                      : QStringLiteral("FOREIGN KEY");
    case Failure::Check:
        return server ? QStringLiteral("violates check constraint")
                      : QStringLiteral("CHECK constraint failed");
    }
    return {};
}

QStringList StoreTestSupport::row(const QString &connectionName, const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(connectionName));
    QStringList values;
    if (readsOrFails(query, sql) && query.next()) {
        for (int c = 0; c < query.record().count(); ++c)
            values.append(query.value(c).isNull() ? QStringLiteral("<null>")
                                                  : query.value(c).toString());
    }
    return values;
}
