#include "storetestsupport.h"

#include "app/blankimage.h"
#include "app/teamdatabase.h"
#include "store/sqlconnection.h"
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
    const auto opened = varn::store::SqlConnection::openServer(
        connectionName, varn::store::ServerAddress::parse(server).value());
    if (!opened) {
        QTest::qFail(qPrintable(opened.outcome().message()), __FILE__, __LINE__);
        return false;
    }
    const auto provisioned =
        varn::app::TeamDatabase::provision(opened.value(), QStringLiteral("Unspecified"));
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

QVariant StoreTestSupport::scalar(const QString &connectionName, const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    if (!query.exec(sql) || !query.next())
        return {};
    return query.value(0);
}

QStringList StoreTestSupport::row(const QString &connectionName, const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(connectionName));
    QStringList values;
    if (query.exec(sql) && query.next()) {
        for (int c = 0; c < query.record().count(); ++c)
            values.append(query.value(c).isNull() ? QStringLiteral("<null>")
                                                  : query.value(c).toString());
    }
    return values;
}
