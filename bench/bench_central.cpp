// Requirements Central on a filled workspace (100,000 requirements unless
// the first argument names another number): opening, the All query and the
// other queries, sorts in both directions, each followed by the cells of the
// first screen as the list asks for them to paint, a screen in the middle of
// the list, and the sentence of a selected requirement. The widgets
// themselves are not linked here; the figures are the query and model side
// of the painted screen. The peak memory of the whole run ends the report.
#include "app/blankimage.h"
#include "benchsupport.h"
#include "central/requirementscentral.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <functional>

#include <cstdio>

namespace {

constexpr int kScreenRows = 30;
const QString kConnection = QStringLiteral("bench_central");

using varn::central::Column;
using varn::central::QueryKind;
using varn::central::RequirementsCentral;

qint64 screenNanoseconds(const RequirementsCentral &central, int firstRow = 0)
{
    QElapsedTimer timer;
    timer.start();
    const qsizetype characters =
        BenchSupport::readFirstScreen(central.model(), kScreenRows, firstRow);
    const qint64 elapsed = timer.nsecsElapsed();
    if (characters == 0)
        std::fprintf(stderr, "the screen is empty\n");
    return elapsed;
}

bool measure(const QString &what, RequirementsCentral &central,
             const std::function<varn::Outcome()> &query)
{
    QElapsedTimer timer;
    timer.start();
    const varn::Outcome outcome = query();
    const qint64 queried = timer.nsecsElapsed();
    if (!outcome) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(outcome.message()));
        return false;
    }
    const qint64 screen = screenNanoseconds(central);
    std::printf("%-40s %8d rows  query %8.1f ms  first screen %7.3f ms\n", qPrintable(what),
                central.model().requirementCount(), queried / 1e6, screen / 1e6);
    return true;
}

// The sort of a column over the whole list, checked on a sample of
// neighbouring rows: each pair in the column's order.
bool sortedOnSample(const RequirementsCentral &central, int listColumn, bool ascending)
{
    const auto &model = central.model();
    const int rows = model.requirementCount();
    for (int row = 0; row + 1 < rows; row += rows / 50 + 1) {
        const QString a = model.data(model.index(row, listColumn)).toString();
        const QString b = model.data(model.index(row + 1, listColumn)).toString();
        const bool numeric = central.model().columns().at(listColumn) == Column::Number;
        const int order =
            numeric ? (a.toInt() < b.toInt() ? -1 : a.toInt() > b.toInt()) : QString::compare(a, b);
        if (ascending ? order > 0 : order < 0) {
            std::fprintf(stderr, "rows %d and %d out of order: \"%s\" \"%s\"\n", row, row + 1,
                         qPrintable(a), qPrintable(b));
            return false;
        }
    }
    return true;
}

bool run(const BenchSupport::FillPlan &plan)
{
    bool ok = false;
    {
        RequirementsCentral central(kConnection);
        QElapsedTimer timer;
        timer.start();
        ok = central.loadSettings().isOk();
        const varn::Result<QStringList> names = central.entityNames();
        ok = ok && names.isOk();
        const double named = timer.nsecsElapsed() / 1e6;
        ok = ok && central.runType(QueryKind::All).isOk();
        const qint64 screen = screenNanoseconds(central);
        std::printf("%-40s %8lld names  %.1f ms (entity list %.1f ms)\n",
                    "opening to the first screen", ok ? static_cast<long long>(names->size()) : 0LL,
                    timer.nsecsElapsed() / 1e6, named);
        std::printf("%-40s first screen %.3f ms\n", "", screen / 1e6);
        ok = ok && measure(QStringLiteral("All"), central,
                           [&] { return central.runType(QueryKind::All); });
        ok = ok && measure(QStringLiteral("Functional"), central,
                           [&] { return central.runType(QueryKind::Functional); });
        ok = ok && measure(QStringLiteral("By Template 9"), central,
                           [&] { return central.runByTemplate(9); });
        const QString entity = BenchSupport::entityName(7);
        ok = ok && measure(QStringLiteral("By Entity \"%1\"").arg(entity), central,
                           [&] { return central.runByEntity(entity); });
        ok = ok && measure(QStringLiteral("By Entity \"station b*\""), central,
                           [&] { return central.runByEntity(QStringLiteral("station b*")); });
        ok = ok && measure(QStringLiteral("By Number \"1*\""), central,
                           [&] { return central.runByNumber(QStringLiteral("1*")); });
        ok = ok && measure(QStringLiteral("By Paragraph \"3.*\""), central,
                           [&] { return central.runByParagraph(QStringLiteral("3.*")); });
        ok = ok && central.runType(QueryKind::All).isOk();
        const struct
        {
            Column column;
            const char *name;
        } sorts[] = {{Column::Requirement, "Requirement"},
                     {Column::Paragraph, "Paragraph"},
                     {Column::Category, "Category"},
                     {Column::Number, "Req No."}};
        for (const auto &sort : sorts) {
            const int listColumn = int(central.model().columns().indexOf(sort.column));
            if (listColumn < 0)
                continue;
            // The first click sorts up, the second down.
            for (const bool ascending : {true, false}) {
                ok = ok &&
                     measure(QStringLiteral("All sorted by %1 %2")
                                 .arg(QLatin1String(sort.name),
                                      ascending ? QStringLiteral("up") : QStringLiteral("down")),
                             central, [&] {
                                 central.setSort(sort.column, !ascending);
                                 return central.sortByColumn(listColumn, {});
                             });
                ok = ok && central.sortAscending() == ascending;
                ok = ok && sortedOnSample(central, listColumn, ascending);
            }
        }
        const int middle = central.model().requirementCount() / 2;
        const qint64 scrolled = screenNanoseconds(central, middle);
        std::printf("%-40s %.3f ms\n", "a screen in the middle of the list", scrolled / 1e6);
        timer.restart();
        const varn::Result<QString> sentence = central.sentenceOf(central.model().numberAt(middle));
        ok = ok && sentence.isOk();
        std::printf("%-40s %.3f ms\n", "the sentence of the selected row",
                    timer.nsecsElapsed() / 1e6);
    }
    std::printf("peak memory %.0f MiB\n", BenchSupport::peakMemoryMiB());
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/bench_central-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("centralReq.mdb"));
    if (varn::Outcome written = varn::app::BlankImage::writeTo(QString(), path); !written) {
        std::fprintf(stderr, "%s\n", qPrintable(written.message()));
        return 1;
    }
    BenchSupport::FillPlan plan;
    plan.requirements = BenchSupport::requirementsArgument(argc, argv, 100000);
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
    ok = ok && run(plan);
    varn::store::SqlConnection::close(kConnection);
    if (!ok) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
