// Requirements Central's By Text on a filled workspace (100,000 requirements
// unless the first argument names another number): a rare word, a phrase of
// a common word and a rare one, a prefix, a word in one requirement of
// twenty, each timed as the query and then the cells of the first screen,
// best and median of five runs. Each result is checked: every listed row
// holds the words, and the first page and the length are those of the whole
// list ranked by SQLite's ORDER BY. `--keep PATH` keeps the filled database there (for
// timing varn-cli on it); `N --database FILE` measures a database the shared
// fill of N requirements wrote before (no fill, no check of what was
// written), so that two builds can be measured in turn on the same rows. The
// peak memory of the whole run ends the report.
#include "benchsupport.h"
#include "central/requirementscentral.h"
#include "store/requirementlisting.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

using BenchSupport::median;

constexpr int kRuns = 5;
constexpr int kScreenRows = 30;
const QString kConnection = QStringLiteral("bench_wordsearch");

using varn::central::RequirementsCentral;
using varn::central::RequirementTableModel;

// The processor time of this process so far, in ms.
double processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Search
{
    QString label;
    QString words;
    // What each listed sentence holds, lower case.
    QStringList held;
};

// Every listed row of the first screens holds the words.
bool checked(const RequirementsCentral &central, const Search &search)
{
    const auto &model = central.model();
    for (int row = 0; row < std::min(model.requirementCount(), 200); ++row) {
        const varn::store::MasterReqRow *listed = model.requirementAt(row);
        if (!listed)
            return false;
        const QString text =
            (listed->Preamble + QLatin1Char(' ') + listed->ReqText + QLatin1Char(' ') +
             listed->ParaNum + QLatin1Char(' ') + listed->Comments)
                .toLower();
        for (const QString &word : search.held) {
            if (!text.contains(word)) {
                std::fprintf(stderr, "%s: requirement %d does not hold \"%s\": %s\n",
                             qPrintable(search.label), listed->Req_Num, qPrintable(word),
                             qPrintable(text));
                return false;
            }
        }
    }
    return true;
}

// The first page is the whole ranked list's (ORDER BY rank, rowid over every
// match), and the length is that list's.
bool sameAsRanked(const RequirementsCentral &central, const Search &search)
{
    const varn::Result<QList<qint32>> ranked =
        varn::store::RequirementListing(kConnection)
            .numbers({varn::store::RequirementSelection::Kind::ByText, search.words, 0},
                     varn::store::RequirementOrder::Relevance, true);
    const auto &model = central.model();
    if (!ranked || ranked->size() != model.requirementCount()) {
        std::fprintf(stderr, "%s: %d listed, the ranked list holds %lld\n",
                     qPrintable(search.label), model.requirementCount(),
                     ranked ? static_cast<long long>(ranked->size()) : -1LL);
        return false;
    }
    const int page = std::min(model.requirementCount(), int(ranked->size()));
    for (int row = 0; row < std::min(page, RequirementTableModel::kPageRows); ++row) {
        if (model.numberAt(row) != ranked->at(row)) {
            std::fprintf(stderr, "%s: row %d lists %d, the ranked list %d\n",
                         qPrintable(search.label), row, model.numberAt(row), ranked->at(row));
            return false;
        }
    }
    return true;
}

bool measure(RequirementsCentral &central, const Search &search)
{
    QList<double> queries;
    QList<double> screens;
    QList<double> processor;
    for (int run = 0; run < kRuns; ++run) {
        // Another query between runs, so the list is read afresh.
        if (!central.runByNumber(QStringLiteral("1")).isOk())
            return false;
        QElapsedTimer timer;
        const double processorBefore = processorMs();
        timer.start();
        central.sortByRelevance();
        const varn::Outcome outcome = central.runByText(search.words);
        queries.append(timer.nsecsElapsed() / 1e6);
        processor.append(processorMs() - processorBefore);
        if (!outcome) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(search.label),
                         qPrintable(outcome.message()));
            return false;
        }
        timer.restart();
        BenchSupport::readFirstScreen(central.model(), kScreenRows);
        screens.append(timer.nsecsElapsed() / 1e6);
    }
    if (central.model().requirementCount() == 0) {
        std::fprintf(stderr, "%s: nothing found\n", qPrintable(search.label));
        return false;
    }
    std::printf("%-44s %8d rows  query %7.1f ms (median %7.1f, cpu best %6.1f)  first screen "
                "%6.2f ms (median %6.2f)\n",
                qPrintable(search.label), central.model().requirementCount(),
                *std::min_element(queries.begin(), queries.end()), median(queries),
                *std::min_element(processor.begin(), processor.end()),
                *std::min_element(screens.begin(), screens.end()), median(screens));
    return checked(central, search) && sameAsRanked(central, search);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    BenchSupport::FillPlan plan;
    plan.requirements = BenchSupport::requirementsArgument(argc, argv, 100000);
    const QStringList arguments = application.arguments();
    const bool filledBefore =
        arguments.size() == 4 && arguments.at(2) == QLatin1String("--database");
    QTemporaryDir folder(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/bench_wordsearch-XXXXXX"));
    const QString path =
        filledBefore ? arguments.at(3) : folder.filePath(QStringLiteral("wordsReq.mdb"));
    bool ok = true;
    if (filledBefore) {
        BenchSupport::resetPeakMemory();
        if (!varn::store::SqlConnection::open(kConnection, path))
            return 1;
    } else {
        if (!BenchSupport::freshDatabase(path))
            return 1;
        const std::optional<BenchSupport::Filled> filled = BenchSupport::fill(path, plan);
        if (!filled)
            return 1;
        std::printf("%d stored requirements (%d live), their words indexed: "
                    "filled in %.1f s\n",
                    filled->requirements, filled->live, filled->seconds);
        if (!varn::store::SqlConnection::open(kConnection, path))
            return 1;
        ok = BenchSupport::checkFilled(kConnection, plan, *filled);
    }

    // A rare word (one requirement's sensor), a phrase of the word every
    // name begins with and a rare name, a prefix, and a word of every
    // twentieth requirement.
    const QString sensor = BenchSupport::sentenceTextOf(plan, 3).section(QLatin1Char(' '), 5, 5);
    const QString station = BenchSupport::entityName(1234 % plan.names()).toLower();
    const Search searches[] = {
        {QStringLiteral("a rare word (\"%1\")").arg(sensor), sensor, {sensor}},
        {QStringLiteral("a phrase (\"\\\"%1\\\"\")").arg(station),
         QLatin1Char('"') + station + QLatin1Char('"'),
         {station}},
        {QStringLiteral("two words, one common (\"sensor %1\")").arg(sensor),
         QStringLiteral("sensor ") + sensor,
         {QStringLiteral("sensor"), sensor}},
        {QStringLiteral("a prefix (\"respond quer*\")"),
         QStringLiteral("respond quer*"),
         {QStringLiteral("respond"), QStringLiteral("quer")}},
        {QStringLiteral("a word of one in twenty (\"warning\")"),
         QStringLiteral("warning"),
         {QStringLiteral("warning")}},
    };
    {
        RequirementsCentral central(kConnection);
        for (const Search &search : searches)
            ok = ok && measure(central, search);
    }
    std::printf("peak memory %.0f MiB\n", BenchSupport::peakMemoryMiB());
    varn::store::SqlConnection::close(kConnection);
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--keep") == 0) {
            QFile::remove(QString::fromLocal8Bit(argv[i + 1]));
            ok = ok && QFile::copy(path, QString::fromLocal8Bit(argv[i + 1]));
        }
    }
    if (!ok) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
