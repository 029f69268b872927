// The import of a large file another tool wrote (BenchSupport's foreign
// file: 100,000 objects by default, the first argument another number):
// prints the time to read, interpret and import it, and the process's peak
// memory. The file and the workspace are made in the current folder.
#include "benchsupport.h"
#include "interchange/exchangeinput.h"
#include "interchange/reqifinterpreter.h"
#include "interchange/reqifreader.h"
#include "interchange/requirementexchange.h"
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
#include <optional>

namespace {

using varn::interchange::ExchangeFormat;
using varn::interchange::RequirementExchange;

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
    // the file is written there (to profile its reading).
    BenchSupport::ForeignFilePlan plan;
    plan.objects = BenchSupport::requirementsArgument(argc, argv, plan.objects);
    plan.relations = plan.objects / 10;
    if (argc > 1 && BenchSupport::requirementsArgument(argc, argv, 0) == 0)
        return BenchSupport::writeForeignFile(QString::fromLocal8Bit(argv[1]), plan) ? 0 : 1;
    QTemporaryDir folder(QDir::current().filePath(QStringLiteral("bench_reqifimport-XXXXXX")));
    const QString input = folder.filePath(QStringLiteral("foreign.reqif"));
    const QString path = folder.filePath(QStringLiteral("ImportReq.mdb"));
    if (!BenchSupport::writeForeignFile(input, plan)) {
        std::fprintf(stderr, "cannot write the file\n");
        return 1;
    }
    std::printf("file of %d objects, 10 attributes each: %.1f MB; peak before reading %.0f MB\n",
                plan.objects, QFileInfo(input).size() / 1e6, peakMegabytes());
    // A file larger than an import reads is read here and its batch stored
    // through the importer, as the import would store it.
    const bool overLimit = QFileInfo(input).size() > varn::interchange::ExchangeInput::kLargestFile;
    std::optional<varn::interchange::ImportBatch> kept;
    {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = file.readAll();
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuSeconds();
        varn::Result<varn::interchange::ReqIfContent> content =
            varn::interchange::ReqIfReader::read(bytes);
        if (!content) {
            std::fprintf(stderr, "%s\n", qPrintable(content.outcome().message()));
            return 1;
        }
        const double read = timer.nsecsElapsed() / 1e9;
        const double readCpu = cpuSeconds() - cpu;
        timer.restart();
        varn::interchange::ImportBatch batch =
            varn::interchange::ReqIfInterpreter::interpret(content.takeValue());
        std::printf("reading %.2f s (CPU %.2f s), interpreting %.2f s: %lld requirements, %lld "
                    "links; peak memory %.0f MB\n",
                    read, readCpu, timer.nsecsElapsed() / 1e9,
                    static_cast<long long>(batch.items.size()),
                    static_cast<long long>(batch.links.size()), peakMegabytes());
        if (overLimit)
            kept = std::move(batch);
    }
    const QString connection = QStringLiteral("bench_reqifimport");
    if (!BenchSupport::freshDatabase(path) || !varn::store::SqlConnection::open(connection, path)) {
        std::fprintf(stderr, "cannot open a workspace\n");
        return 1;
    }
    bool ok = false;
    {
        varn::store::RecordObjects records(connection);
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuSeconds();
        const auto imported =
            kept ? varn::interchange::RequirementImporter(records, QStringLiteral("Acme"))
                       .run(*kept, false)
                 : RequirementExchange::importFrom(ExchangeFormat::ReqIf, records,
                                                   QStringLiteral("Acme"), input, false);
        const qint64 elapsed = timer.nsecsElapsed();
        ok = imported.isOk();
        if (ok)
            std::printf("%s: %lld requirements, %d links in %.2f s, CPU %.2f s (target 10 s at "
                        "100,000); peak memory %.0f MB\n",
                        kept ? "the batch stored (the file is over the import's limit)"
                             : "import into a workspace",
                        static_cast<long long>(imported->imported.size()), imported->links,
                        elapsed / 1e9, cpuSeconds() - cpu, peakMegabytes());
        else
            std::fprintf(stderr, "%s\n", qPrintable(imported.outcome().message()));
    }
    varn::store::SqlConnection::close(connection);
    return ok ? 0 : 1;
}
