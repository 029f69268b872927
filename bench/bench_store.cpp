// Inserts 100,000 OM_ATTR rows in one transaction, each with its key taken
// from PK_ATTR_OM, as a regeneration does: once through the record sets and
// once through the sqlite3 C API doing the same statements.
#include "app/blankimage.h"
#include "store/counterset.h"
#include "store/creqatset.h"
#include "store/creqoeset.h"
#include "store/savetransaction.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr int kRows = 100000;
const QString kConnection = QStringLiteral("bench_store");

QString copyBlank(const QTemporaryDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    return varn::app::BlankImage::writeTo(QString(), path) ? path : QString();
}

void report(const char *what, qint64 nanoseconds)
{
    const double seconds = double(nanoseconds) / 1e9;
    std::printf("%-52s %8.0f ms %10.0f rows/s\n", what, seconds * 1e3, kRows / seconds);
}

bool throughRecordSets(const QString &path)
{
    if (!varn::store::SqlConnection::open(kConnection, path))
        return false;
    bool ok = false;
    {
        varn::store::CReqOeSet entities(kConnection);
        varn::store::CReqAtSet attributes(kConnection);
        varn::store::CPkRqOEntSet entityCounter(kConnection);
        varn::store::CPkRqOAttrSet counter(kConnection);
        ok = entities.open() && attributes.open() && entityCounter.open() && counter.open();
        varn::store::SaveTransaction transaction(kConnection);
        ok = ok && transaction.begin();
        auto entity = entityCounter.allocateKeyAndAdd(entities);
        ok = ok && entity.isOk();
        if (ok) {
            entities.row().Entity = QStringLiteral("Truck");
            ok = bool(entities.update());
        }
        QElapsedTimer timer;
        timer.start();
        for (int i = 1; ok && i <= kRows; ++i) {
            const auto key = counter.allocateKeyAndAdd(attributes);
            ok = key.isOk();
            if (!ok) {
                std::fprintf(stderr, "%s\n", qPrintable(key.outcome().message()));
                break;
            }
            attributes.row().Attribute = QStringLiteral("attribute%1").arg(i);
            attributes.row().DataTypeDef = QStringLiteral("int");
            attributes.row().FK_EntityID = entity.value();
            const varn::Outcome updated = attributes.update();
            ok = updated.isOk();
            if (!ok)
                std::fprintf(stderr, "%s\n", qPrintable(updated.message()));
        }
        ok = ok && transaction.commit();
        report("record sets, allocate + insert, one transaction", timer.nsecsElapsed());
    }
    varn::store::SqlConnection::close(kConnection);
    return ok;
}

// The same statements through bare Qt SQL prepared queries: what the driver
// itself costs, without the record sets.
bool throughQtQueries(const QString &path)
{
    if (!varn::store::SqlConnection::open(kConnection, path))
        return false;
    bool ok = true;
    {
        QSqlDatabase database = QSqlDatabase::database(kConnection, false);
        QSqlQuery insert(database);
        QSqlQuery counter(database);
        ok = insert.exec(QStringLiteral("INSERT INTO OM_ENTITY VALUES (1, 'Truck')"));
        ok = ok && insert.prepare(QStringLiteral("INSERT INTO OM_ATTR (Attr_ID, Attribute, "
                                                 "DataTypeDef, FK_EntityID) VALUES (?, ?, ?, ?)"));
        ok = ok &&
             counter.prepare(QStringLiteral("UPDATE PK_ATTR_OM SET PAttrOm = ? WHERE PAttrOm = ?"));
        QElapsedTimer timer;
        timer.start();
        ok = ok && database.transaction();
        for (int i = 1; ok && i <= kRows; ++i) {
            counter.bindValue(0, i);
            counter.bindValue(1, i - 1);
            ok = counter.exec();
            insert.bindValue(0, i);
            insert.bindValue(1, QStringLiteral("attribute%1").arg(i));
            insert.bindValue(2, QStringLiteral("int"));
            insert.bindValue(3, 1);
            ok = ok && insert.exec();
        }
        ok = ok && database.commit();
        report("Qt SQL prepared queries, counter update + insert", timer.nsecsElapsed());
    }
    varn::store::SqlConnection::close(kConnection);
    return ok;
}

bool step(sqlite3_stmt *statement)
{
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_reset(statement);
    return done;
}

bool throughSqlite(const QString &path, bool withCounter)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    sqlite3_exec(db, "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "INSERT INTO OM_ENTITY VALUES (1, 'Truck')", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_stmt *counter = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO OM_ATTR (Attr_ID, Attribute, DataTypeDef, FK_EntityID) "
                       "VALUES (?, ?, ?, ?)",
                       -1, &insert, nullptr);
    sqlite3_prepare_v2(db, "UPDATE PK_ATTR_OM SET PAttrOm = ? WHERE PAttrOm = ?", -1, &counter,
                       nullptr);
    bool ok = insert && counter;
    QElapsedTimer timer;
    timer.start();
    ok = ok && sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    char name[32];
    for (int i = 1; ok && i <= kRows; ++i) {
        if (withCounter) {
            sqlite3_bind_int(counter, 1, i);
            sqlite3_bind_int(counter, 2, i - 1);
            ok = step(counter);
        }
        const int length = std::snprintf(name, sizeof name, "attribute%d", i);
        sqlite3_bind_int(insert, 1, i);
        sqlite3_bind_text(insert, 2, name, length, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, "int", 3, SQLITE_STATIC);
        sqlite3_bind_int(insert, 4, 1);
        ok = ok && step(insert);
    }
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    report(withCounter ? "sqlite3 C API, counter update + insert" : "sqlite3 C API, insert only",
           timer.nsecsElapsed());
    sqlite3_finalize(insert);
    sqlite3_finalize(counter);
    sqlite3_close(db);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    const QString viaSets = copyBlank(folder, QStringLiteral("sets.mdb"));
    const QString viaCounter = copyBlank(folder, QStringLiteral("counter.mdb"));
    const QString viaInsert = copyBlank(folder, QStringLiteral("insert.mdb"));
    const QString viaQt = copyBlank(folder, QStringLiteral("qt.mdb"));
    if (viaSets.isEmpty() || viaCounter.isEmpty() || viaInsert.isEmpty() || viaQt.isEmpty()) {
        std::fprintf(stderr, "cannot copy the blank image\n");
        return 1;
    }
    std::printf("%d OM_ATTR rows\n", kRows);
    const bool ok = throughSqlite(viaInsert, false) && throughSqlite(viaCounter, true) &&
                    throughQtQueries(viaQt) && throughRecordSets(viaSets);
    if (!ok) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
