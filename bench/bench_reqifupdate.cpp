// Another tool's document kept in a workspace: the re-import of a newer file
// of 100,000 objects (BenchSupport's foreign file, ten attributes each) in
// which 1,000 texts changed, and the export of that workspace back to the
// other tool's file. The files and the workspace are made in the current
// folder.
#include "benchsupport.h"
#include "interchange/requirementexchange.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

// The machine may be shared: the process's own CPU time beside the wall
// clock says how much of the wait was this program's.
double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

constexpr int kObjects = 100000;
constexpr int kChanged = 1000;
const QString kSystem = QStringLiteral("Acme");

using varn::interchange::ExchangeFormat;
using varn::interchange::RequirementExchange;

bool measure(const QTemporaryDir &folder)
{
    const QString first = folder.filePath(QStringLiteral("cargo-1.reqif"));
    const QString second = folder.filePath(QStringLiteral("cargo-2.reqif"));
    const QString path = folder.filePath(QStringLiteral("AcmeReq.mdb"));
    BenchSupport::ForeignFilePlan plan;
    plan.objects = kObjects;
    plan.changed = kChanged;
    BenchSupport::ForeignFilePlan newer = plan;
    newer.revision = 2;
    if (!BenchSupport::writeForeignFile(first, plan) ||
        !BenchSupport::writeForeignFile(second, newer) || !BenchSupport::freshDatabase(path))
        return false;
    std::printf("files of %d objects: %.1f MB\n", kObjects, QFileInfo(first).size() / 1e6);
    const QString connection = QStringLiteral("bench_reqifupdate");
    if (!varn::store::SqlConnection::open(connection, path))
        return false;
    bool ok = false;
    {
        varn::store::RecordObjects records(connection);
        QElapsedTimer timer;
        timer.start();
        const auto imported =
            RequirementExchange::importFrom(ExchangeFormat::ReqIf, records, kSystem, first, false);
        if (!imported) {
            std::fprintf(stderr, "%s\n", qPrintable(imported.outcome().message()));
            return false;
        }
        std::printf("first import (the arrangement): %lld requirement(s) in %.2f s\n",
                    static_cast<long long>(imported->imported.size()), timer.nsecsElapsed() / 1e9);

        timer.restart();
        double cpu = cpuSeconds();
        const auto updated =
            RequirementExchange::importFrom(ExchangeFormat::ReqIf, records, kSystem, second, false);
        const qint64 reimport = timer.nsecsElapsed();
        if (!updated) {
            std::fprintf(stderr, "%s\n", qPrintable(updated.outcome().message()));
            return false;
        }
        std::printf("re-import of %d objects, %lld changed, %d unchanged: %.2f s, CPU %.2f s "
                    "(target 10 s)\n",
                    kObjects, static_cast<long long>(updated->changed.size()), updated->unchanged,
                    reimport / 1e9, cpuSeconds() - cpu);

        const QString output = folder.filePath(QStringLiteral("back.reqif"));
        timer.restart();
        cpu = cpuSeconds();
        const auto written = RequirementExchange::exportTo(
            ExchangeFormat::ReqIf, {connection, kSystem, folder.path()}, output, false);
        const qint64 exported = timer.nsecsElapsed();
        ok = written.isOk();
        if (ok)
            std::printf("export back to ReqIF of %d requirement(s): %.2f s, CPU %.2f s (%.1f MB; "
                        "target 5 s)\n",
                        written->written, exported / 1e9, cpuSeconds() - cpu,
                        QFileInfo(output).size() / 1e6);
        else
            std::fprintf(stderr, "%s\n", qPrintable(written.outcome().message()));
    }
    varn::store::SqlConnection::close(connection);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder(QDir::current().filePath(QStringLiteral("bench_reqifupdate-XXXXXX")));
    if (!measure(folder)) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
