// The import of a large file another tool wrote (BenchSupport's foreign
// file: 100,000 objects by default, the first argument another number):
// prints the time to read, interpret and import it, and the process's peak
// memory. The file and the workspace are made in the current folder.
#include "benchsupport.h"
#include "interchange/reqifinterpreter.h"
#include "interchange/reqifreader.h"
#include "interchange/requirementimporter.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

namespace {

// The machine may be shared: the process's own CPU time beside the wall
// clock says how much of the wait was this program's.
double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    // The number of objects (100,000 by default); with a path instead, only
    // the file is written there (to profile its reading); "--file PATH"
    // imports that file (a Varn SE export, say) instead of writing one.
    BenchSupport::ForeignFilePlan plan;
    const bool given = argc == 3 && QByteArray(argv[1]) == "--file";
    plan.objects = given ? 0 : BenchSupport::requirementsArgument(argc, argv, plan.objects);
    plan.relations = plan.objects / 10;
    if (!given && argc > 1 && BenchSupport::requirementsArgument(argc, argv, 0) == 0)
        return BenchSupport::writeForeignFile(QString::fromLocal8Bit(argv[1]), plan) ? 0 : 1;
    QTemporaryDir folder(QDir::current().filePath(QStringLiteral("bench_reqifimport-XXXXXX")));
    const QString input =
        given ? QString::fromLocal8Bit(argv[2]) : folder.filePath(QStringLiteral("foreign.reqif"));
    const QString path = folder.filePath(QStringLiteral("ImportReq.mdb"));
    if (!given && !BenchSupport::writeForeignFile(input, plan)) {
        std::fprintf(stderr, "cannot write the file\n");
        return 1;
    }
    if (given)
        std::printf("file %s: %.1f MB\n", argv[2], QFileInfo(input).size() / 1e6);
    else
        std::printf(
            "file of %d objects, 10 attributes each: %.1f MB; peak before reading %.0f MB\n",
            plan.objects, QFileInfo(input).size() / 1e6, peakMegabytes());
    std::fflush(stdout);
    // The import in its three steps, as importFrom takes them: the file read
    // a piece at a time (its objects kept apart in a temporary file), the
    // plan of what becomes a requirement, and the items made and stored one
    // at a time.
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    QElapsedTimer timer;
    timer.start();
    double cpu = cpuSeconds();
    varn::Result<varn::interchange::ReqIfContent> content =
        varn::interchange::ReqIfReader::read(file);
    if (!content) {
        std::fprintf(stderr, "%s\n", qPrintable(content.outcome().message()));
        return 1;
    }
    const double read = timer.nsecsElapsed() / 1e9;
    const double readCpu = cpuSeconds() - cpu;
    timer.restart();
    varn::Result<varn::interchange::ReqIfInterpreter::Streamed> streamed =
        varn::interchange::ReqIfInterpreter::stream(content.takeValue(), QString());
    if (!streamed) {
        std::fprintf(stderr, "%s\n", qPrintable(streamed.outcome().message()));
        return 1;
    }
    const double planned = timer.nsecsElapsed() / 1e9;
    std::printf("reading %.2f s (CPU %.2f s), interpreting %.2f s: %lld requirements, %lld "
                "links; peak memory %.0f MB\n",
                read, readCpu, planned, static_cast<long long>(streamed->total),
                static_cast<long long>(streamed->batch.links.size()), peakMegabytes());
    std::fflush(stdout);
    const QString connection = QStringLiteral("bench_reqifimport");
    if (!BenchSupport::freshDatabase(path) || !varn::store::SqlConnection::open(connection, path)) {
        std::fprintf(stderr, "cannot open a workspace\n");
        return 1;
    }
    bool ok = false;
    {
        varn::store::RecordObjects records(connection);
        timer.restart();
        cpu = cpuSeconds();
        const auto imported =
            varn::interchange::RequirementImporter(records, QStringLiteral("Acme"))
                .run(streamed->batch, streamed->next, int(streamed->total), false);
        const qint64 elapsed = timer.nsecsElapsed();
        ok = imported.isOk();
        if (ok)
            std::printf("storing: %lld requirements, %d links in %.2f s, CPU %.2f s; whole "
                        "import %.2f s (target 10 s at 100,000, 60 s at 1,000,000); peak memory "
                        "%.0f MB\n",
                        static_cast<long long>(imported->imported.size()), imported->links,
                        elapsed / 1e9, cpuSeconds() - cpu, read + planned + elapsed / 1e9,
                        peakMegabytes());
        else
            std::fprintf(stderr, "%s\n", qPrintable(imported.outcome().message()));
    }
    varn::store::SqlConnection::close(connection);
    return ok ? 0 : 1;
}
