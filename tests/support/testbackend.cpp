#include "testbackend.h"

#include "pgcluster.h"

#include <QTest>

varn::store::Backend TestBackend::current()
{
    return qEnvironmentVariable("VARN_TEST_BACKEND") == QLatin1String("postgresql")
               ? varn::store::Backend::PostgreSQL
               : varn::store::Backend::SQLite;
}

QString TestBackend::freshServerDatabase()
{
    PgCluster *cluster = PgCluster::instance();
    if (!cluster)
        return {};
    const QString database = cluster->createDatabase();
    if (database.isEmpty())
        QTest::qFail("cannot create a database on the private cluster", __FILE__, __LINE__);
    return database;
}
