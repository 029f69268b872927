// Requirements in and out on large workspaces: each export format of the
// shared fill (100,000 requirements unless the first argument names another
// number), with its time and peak memory, the import of 10,000 requirements
// from another tool's file, and the trace of one requirement among them.
#include "benchsupport.h"
#include "interchange/requirementexchange.h"
#include "interchange/requirementtrace.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kForeign = 10000;
const QString kSystem = QStringLiteral("Acme");

using varn::interchange::ExchangeFormat;
using varn::interchange::RequirementExchange;

// One export format, run a few times: the best and the median wall time,
// the file's size and the peak memory of the runs (VmHWM, started over from
// what the process held before them).
bool measureExport(const QString &connection, const QTemporaryDir &folder, const char *label,
                   ExchangeFormat format, const QString &name, int runs)
{
    const QString output = folder.filePath(name);
    BenchSupport::resetPeakMemory();
    const double before = BenchSupport::peakMemoryMiB();
    QList<double> seconds;
    int written = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const varn::Result<RequirementExchange::ExportSummary> exported =
            RequirementExchange::exportTo(format, {connection, kSystem, folder.path()}, output,
                                          false);
        seconds.append(timer.nsecsElapsed() / 1e9);
        if (!exported) {
            std::fprintf(stderr, "%s: %s\n", label, qPrintable(exported.outcome().message()));
            return false;
        }
        written = exported->written;
    }
    std::printf("%s export of %d requirements: best %.2f s, median %.2f s (%.1f MB); peak %.0f "
                "MiB (%.0f MiB before)\n",
                label, written, *std::min_element(seconds.cbegin(), seconds.cend()),
                BenchSupport::median(seconds), QFileInfo(output).size() / 1e6,
                BenchSupport::peakMemoryMiB(), before);
    QFile::remove(output);
    return true;
}

bool measureExportAndTrace(const QTemporaryDir &folder, int requirements)
{
    const QString path = folder.filePath(QStringLiteral("AcmeReq.mdb"));
    BenchSupport::FillPlan plan;
    plan.requirements = requirements;
    plan.system = kSystem;
    if (!BenchSupport::freshDatabase(path))
        return false;
    const std::optional<BenchSupport::Filled> filled = BenchSupport::fill(path, plan);
    if (!filled)
        return false;
    std::printf("fill of %d requirements: %.1f s\n", requirements, filled->seconds);
    const QString connection = QStringLiteral("bench_interchange_export");
    if (!varn::store::SqlConnection::open(connection, path))
        return false;
    bool ok = BenchSupport::checkFilled(connection, plan, filled.value());
    {
        constexpr int kRuns = 3;
        ok = ok &&
             measureExport(connection, folder, "ReqIF", ExchangeFormat::ReqIf,
                           QStringLiteral("acme.reqif"), kRuns) &&
             measureExport(connection, folder, "ReqIF archive", ExchangeFormat::ReqIf,
                           QStringLiteral("acme.reqifz"), kRuns) &&
             measureExport(connection, folder, "CSV", ExchangeFormat::Csv,
                           QStringLiteral("acme.csv"), kRuns) &&
             measureExport(connection, folder, "XLSX", ExchangeFormat::Xlsx,
                           QStringLiteral("acme.xlsx"), kRuns) &&
             measureExport(connection, folder, "HTML", ExchangeFormat::Html,
                           QStringLiteral("acme.html"), 1);
        // The OpenDocument text is built whole in memory: only up to the
        // default size.
        if (ok && requirements <= 100000)
            ok = measureExport(connection, folder, "ODT", ExchangeFormat::Odt,
                               QStringLiteral("acme.odt"), 1);

        varn::interchange::RequirementTrace trace(connection, folder.path(), kSystem);
        QElapsedTimer timer;
        timer.start();
        ok = ok && trace.ofRequirement(filled->lastLive).isOk();
        const qint64 first = timer.nsecsElapsed();
        constexpr int kTraces = 200;
        timer.restart();
        for (int run = 0; ok && run < kTraces; ++run)
            ok = trace.ofRequirement(1 + (run * 499) % requirements).isOk();
        std::printf("trace of one requirement among %d: first %.2f ms, then %.3f ms each\n",
                    requirements, first / 1e6, timer.nsecsElapsed() / 1e6 / kTraces);
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
    const int requirements = BenchSupport::requirementsArgument(argc, argv, 100000);
    // Beside the program: a million requirements' exports do not fit a
    // small /tmp.
    QTemporaryDir folder(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/bench_interchange-XXXXXX"));
    if (!measureExportAndTrace(folder, requirements) || !measureImport(folder)) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
