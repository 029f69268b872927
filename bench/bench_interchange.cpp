// Requirements in and out on large workspaces: the ReqIF export of 100,000
// requirements, the import of another tool's file of 10,000 objects
// (BenchSupport's foreign file), and the trace of one requirement among
// 100,000.
#include "benchsupport.h"
#include "interchange/requirementexchange.h"
#include "interchange/requirementtrace.h"
#include "interchange/workspacerequirements.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr int kRequirements = 100000;
constexpr int kEntities = 2000;
constexpr int kForeign = 10000;
const QString kSystem = QStringLiteral("Acme");

using varn::interchange::ExchangeFormat;
using varn::interchange::RequirementExchange;

using BenchSupport::exec;
using BenchSupport::step;

// Template 9 requirements with their fields, entities, attributes and
// methods, written straight through the C API: the arrangement, not what is
// measured.
bool fill(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    const char *statements[] = {
        "INSERT INTO MASTER_REQ VALUES (?1, 'Functional', 9, 'Software', 1, 1, 1, ?2, "
        "'The Acme system shall provide the capability', ?3, ?1, '3-7-2009', NULL)",
        "INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field1, Field4, Field5, Field6, "
        "Field8) VALUES (?1, 9, 1, 'notify', ?2, 'when', ?3, ?4)",
        "INSERT INTO REQ_ENTITY (Req_EntityID, ReqEntity, FK_FReqNum, FK_OMEntity) "
        "VALUES (?1, ?2, ?3, ?4)",
        "INSERT INTO OM_ENTITY VALUES (?1, ?2)",
        "INSERT INTO OM_ATTR VALUES (?1, ?2, 'int', ?3)",
        "INSERT INTO OM_METHOD VALUES (?1, ?2, ?3)",
    };
    sqlite3_stmt *prepared[6] = {};
    bool ok = exec(db, "BEGIN");
    for (int i = 0; i < 6; ++i)
        ok = ok && sqlite3_prepare_v2(db, statements[i], -1, &prepared[i], nullptr) == SQLITE_OK;
    auto text = [](sqlite3_stmt *statement, int column, const QByteArray &value) {
        sqlite3_bind_text(statement, column, value.constData(), int(value.size()),
                          SQLITE_TRANSIENT);
    };
    for (int entity = 1; ok && entity <= kEntities; ++entity) {
        sqlite3_bind_int(prepared[3], 1, entity);
        text(prepared[3], 2, "Station" + QByteArray::number(entity));
        ok = step(prepared[3]);
        for (int member = 0; ok && member < 5; ++member) {
            const int key = (entity - 1) * 5 + member + 1;
            sqlite3_bind_int(prepared[4], 1, key);
            text(prepared[4], 2, "sensor" + QByteArray::number(member));
            sqlite3_bind_int(prepared[4], 3, entity);
            sqlite3_bind_int(prepared[5], 1, key);
            text(prepared[5], 2, "changeSensor" + QByteArray::number(member));
            sqlite3_bind_int(prepared[5], 3, entity);
            ok = step(prepared[4]) && step(prepared[5]);
        }
    }
    for (int number = 1; ok && number <= kRequirements; ++number) {
        const int station = number % kEntities + 1;
        const QByteArray sensor = "sensor " + QByteArray::number(number % 5);
        const QByteArray place = "station " + QByteArray::number(station);
        sqlite3_bind_int(prepared[0], 1, number);
        text(prepared[0], 2,
             QByteArray::number(number % 40) + '.' + QByteArray::number(number % 7));
        text(prepared[0], 3, "notify operational subsystem when " + sensor + ' ' + place);
        sqlite3_bind_int(prepared[1], 1, number);
        text(prepared[1], 2, "operational subsystem");
        text(prepared[1], 3, sensor);
        text(prepared[1], 4, place);
        sqlite3_bind_int(prepared[2], 1, number);
        text(prepared[2], 2, place);
        sqlite3_bind_int(prepared[2], 3, number);
        sqlite3_bind_int(prepared[2], 4, station);
        ok = step(prepared[0]) && step(prepared[1]) && step(prepared[2]);
    }
    ok = ok && exec(db, "COMMIT");
    for (sqlite3_stmt *statement : prepared)
        sqlite3_finalize(statement);
    sqlite3_close(db);
    return ok;
}

bool measureExportAndTrace(const QTemporaryDir &folder)
{
    const QString path = folder.filePath(QStringLiteral("AcmeReq.mdb"));
    if (!BenchSupport::freshDatabase(path) || !fill(path))
        return false;
    const QString connection = QStringLiteral("bench_interchange_export");
    if (!varn::store::SqlConnection::open(connection, path))
        return false;
    bool ok = true;
    {
        const QString output = folder.filePath(QStringLiteral("acme.reqif"));
        QElapsedTimer timer;
        timer.start();
        ok = varn::interchange::WorkspaceRequirements::read(connection, kSystem, false).isOk();
        std::printf("reading them for an export: %.2f s\n", timer.nsecsElapsed() / 1e9);
        timer.restart();
        const varn::Result<RequirementExchange::ExportSummary> written =
            RequirementExchange::exportTo(ExchangeFormat::ReqIf,
                                          {connection, kSystem, folder.path()}, output, false);
        const qint64 exported = timer.nsecsElapsed();
        ok = written.isOk();
        if (ok)
            std::printf("ReqIF export of %d requirements: %.2f s (%.1f MB)\n", written->written,
                        exported / 1e9, QFileInfo(output).size() / 1e6);

        varn::interchange::RequirementTrace trace(connection, folder.path(), kSystem);
        timer.restart();
        ok = ok && trace.ofRequirement(kRequirements / 2).isOk();
        const qint64 first = timer.nsecsElapsed();
        constexpr int kRuns = 200;
        timer.restart();
        for (int run = 0; ok && run < kRuns; ++run)
            ok = trace.ofRequirement(1 + (run * 499) % kRequirements).isOk();
        std::printf("trace of one requirement among %d: first %.2f ms, then %.3f ms each\n",
                    kRequirements, first / 1e6, timer.nsecsElapsed() / 1e6 / kRuns);
    }
    varn::store::SqlConnection::close(connection);
    return ok;
}

bool measureImport(const QTemporaryDir &folder)
{
    const QString input = folder.filePath(QStringLiteral("foreign.reqif"));
    const QString path = folder.filePath(QStringLiteral("ImportReq.mdb"));
    BenchSupport::ForeignFilePlan plan;
    plan.objects = kForeign;
    plan.relations = kForeign / 10;
    if (!BenchSupport::writeForeignFile(input, plan) || !BenchSupport::freshDatabase(path))
        return false;
    const QString connection = QStringLiteral("bench_interchange_import");
    if (!varn::store::SqlConnection::open(connection, path))
        return false;
    bool ok = false;
    {
        varn::store::RecordObjects records(connection);
        QElapsedTimer timer;
        timer.start();
        const auto imported =
            RequirementExchange::importFrom(ExchangeFormat::ReqIf, records, kSystem, input, false);
        const qint64 elapsed = timer.nsecsElapsed();
        ok = imported.isOk();
        if (ok)
            std::printf("import of %lld foreign requirements: %.2f s\n",
                        static_cast<long long>(imported->imported.size()), elapsed / 1e9);
        else
            std::fprintf(stderr, "%s\n", qPrintable(imported.outcome().message()));
    }
    varn::store::SqlConnection::close(connection);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    if (!measureExportAndTrace(folder) || !measureImport(folder)) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
