// Requirements Central on a filled workspace (100,000 requirements unless
// the first argument names another number): opening, the All query and the
// other queries, sorts in both directions, each followed by the cells of the
// first screen as the list asks for them to paint, a screen in the middle of
// the list, and the sentence of a selected requirement. The widgets
// themselves are not linked here; the figures are the query and model side
// of the painted screen. The peak memory of the whole run ends the report.
// "bench_central N --fill FILE SYSTEM" fills a new workspace's database only;
// "bench_central --database FILE" measures a database filled before (no
// fill, no check of what was written), so that two builds can be measured in
// turn on the same rows.
#include "benchsupport.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QString kConnection = QStringLiteral("bench_central");

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    BenchSupport::FillPlan plan;
    plan.requirements = BenchSupport::requirementsArgument(argc, argv, 100000);
    // "N --fill FILE SYSTEM": only fills the blank database of a workspace
    // that varn-cli new made, for measuring the programs on it.
    if (const QStringList arguments = application.arguments();
        arguments.size() == 5 && arguments.at(2) == QLatin1String("--fill")) {
        plan.system = arguments.at(4);
        const std::optional<BenchSupport::Filled> filled =
            BenchSupport::fill(arguments.at(3), plan);
        if (filled)
            std::printf("%d stored requirements (%d live): filled in %.1f s\n",
                        filled->requirements, filled->live, filled->seconds);
        return filled ? 0 : 1;
    }
    if (const QStringList arguments = application.arguments();
        arguments.size() == 3 && arguments.at(1) == QLatin1String("--database")) {
        BenchSupport::resetPeakMemory();
        if (!varn::store::SqlConnection::open(kConnection, arguments.at(2)))
            return 1;
        const bool measured = BenchSupport::measureCentral(kConnection);
        varn::store::SqlConnection::close(kConnection);
        return measured ? 0 : 1;
    }
    QTemporaryDir folder(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/bench_central-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("centralReq.mdb"));
    if (!BenchSupport::freshDatabase(path))
        return 1;
    const std::optional<BenchSupport::Filled> filled = BenchSupport::fill(path, plan);
    if (!filled)
        return 1;
    std::printf("%d stored requirements (%d live), %d entity names, %d links: filled in %.1f s\n",
                filled->requirements, filled->live, filled->entityNames, filled->links,
                filled->seconds);
    BenchSupport::resetPeakMemory();
    if (!varn::store::SqlConnection::open(kConnection, path))
        return 1;
    bool ok = BenchSupport::checkFilled(kConnection, plan, *filled);
    ok = ok && BenchSupport::measureCentral(kConnection);
    varn::store::SqlConnection::close(kConnection);
    if (!ok) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
