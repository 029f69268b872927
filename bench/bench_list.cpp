// varn-cli list's read on a filled workspace (100,000 requirements unless the
// first argument names another number): every query and several orders, both
// ways, each read from end to end as list reads it, best and median of three
// runs with the peak memory of the reads. Each read is checked against
// Requirements Central's own numbers for the same query and order (every
// number in turn), and the first and last rows against what the fill wrote.
// "bench_list N --keep FILE" keeps the filled database there, for timing
// varn-cli itself on it; "bench_list N --server" reads a team database on a
// private PostgreSQL cluster holding the same rows.
#include "benchsupport.h"
#include "central/requirementquery.h"
#include "common/storedwords.h"
#include "store/listingreader.h"
#include "store/serveraddress.h"
#include "store/sqlconnection.h"
#include "store/teamdatabase.h"
#include "support/pgcluster.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using varn::store::ListedRow;
using varn::store::RequirementOrder;
using varn::store::RequirementSelection;
using Kind = RequirementSelection::Kind;

constexpr int kRuns = 3;
const QString kConnection = QStringLiteral("bench_list");

struct Read
{
    QString label;
    RequirementSelection selection;
    RequirementOrder order = RequirementOrder::Number;
    bool ascending = true;
};

bool failed(const Read &read, const QString &why)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(read.label), qPrintable(why));
    return false;
}

// One read from end to end, every row compared with the number Requirements
// Central lists in its place; the row count, or -1.
qsizetype checkedRead(const varn::store::ListingReader &reader, const Read &read,
                      const QList<qint32> &expected, const BenchSupport::FillPlan &plan)
{
    qsizetype position = 0;
    qsizetype wrong = -1;
    const varn::Outcome ran =
        reader.forEach(read.selection, read.order, read.ascending, [&](const ListedRow &row) {
            if (wrong < 0 && (position >= expected.size() || expected.at(position) != row.number ||
                              row.type != BenchSupport::kindOf(plan, row.number)))
                wrong = position;
            ++position;
        });
    if (!ran)
        return failed(read, ran.message()), -1;
    if (wrong >= 0)
        return failed(read, QStringLiteral("row %1 differs from the list's").arg(wrong)), -1;
    if (position != expected.size())
        return failed(
                   read,
                   QStringLiteral("%1 rows, the list has %2").arg(position).arg(expected.size())),
               -1;
    return position;
}

bool measure(const Read &read, const BenchSupport::FillPlan &plan)
{
    const varn::store::RequirementListing listing(kConnection);
    const varn::store::ListingReader reader(kConnection);
    qsizetype rows = 0;
    {
        const auto expected = listing.numbers(read.selection, read.order, read.ascending);
        if (!expected)
            return failed(read, expected.outcome().message());
        rows = checkedRead(reader, read, expected.value(), plan);
        if (rows < 0)
            return false;
    }
    // The reads as list makes them: each row's texts taken, nothing kept.
    BenchSupport::resetPeakMemory();
    QList<double> times;
    qsizetype characters = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const varn::Outcome ran =
            reader.forEach(read.selection, read.order, read.ascending, [&](const ListedRow &row) {
                characters += row.preamble.size() + row.text.size() + row.type.size();
            });
        times.append(timer.nsecsElapsed() / 1e6);
        if (!ran)
            return failed(read, ran.message());
    }
    std::sort(times.begin(), times.end());
    std::printf("%-44s %8lld rows  best %8.1f ms  median %8.1f ms  peak %4.0f MiB\n",
                qPrintable(read.label), static_cast<long long>(rows), times.first(),
                BenchSupport::median(times), BenchSupport::peakMemoryMiB());
    return characters > 0 || rows == 0;
}

// The first and last rows of the whole list are the ones the fill wrote.
bool checkEnds(const BenchSupport::FillPlan &plan, const BenchSupport::Filled &filled)
{
    const varn::store::ListingReader reader(kConnection);
    ListedRow first;
    ListedRow last;
    qsizetype count = 0;
    const varn::Outcome ran =
        reader.forEach({}, RequirementOrder::Number, true, [&](const ListedRow &row) {
            if (count++ == 0)
                first = row;
            last = row;
        });
    const Read all{QStringLiteral("the whole list"), {}};
    if (!ran)
        return failed(all, ran.message());
    if (count != filled.live)
        return failed(all, QStringLiteral("%1 rows, %2 live").arg(count).arg(filled.live));
    if (first.number != filled.firstLive || last.number != filled.lastLive ||
        first.text != filled.firstSentenceText || last.text != filled.lastSentenceText ||
        first.text != BenchSupport::sentenceTextOf(plan, first.number))
        return failed(all, QStringLiteral("first and last rows %1 \"%2\", %3 \"%4\"")
                               .arg(first.number)
                               .arg(first.text)
                               .arg(last.number)
                               .arg(last.text));
    return true;
}

// The filled rows copied into a new team database on the private cluster,
// whose connection is then opened under kConnection.
bool openServerCopy(const QString &path, const QString &folder)
{
    PgCluster *cluster = PgCluster::instance();
    if (!cluster)
        return false;
    const QString server = cluster->createDatabase();
    const auto address = varn::store::ServerAddress::parse(server);
    if (!address)
        return false;
    {
        const auto opened = varn::store::SqlConnection::openServer(kConnection, address.value());
        if (!opened || !varn::store::TeamDatabase::provision(kConnection, QStringLiteral("Acme")))
            return false;
    }
    QElapsedTimer timer;
    timer.start();
    const QString script = BenchSupport::writeServerLoad(path, folder);
    QProcess psql;
    psql.setProcessChannelMode(QProcess::ForwardedChannels);
    psql.start(QStringLiteral("/usr/lib/postgresql/15/bin/psql"),
               {QStringLiteral("-h"), cluster->socketFolder(), QStringLiteral("-p"),
                QStringLiteral("5432"), QStringLiteral("-U"), PgCluster::userName(),
                QStringLiteral("-d"), PgCluster::databaseOf(server), QStringLiteral("-q"),
                QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-f"),
                script});
    if (script.isEmpty() || !psql.waitForFinished(-1) || psql.exitCode() != 0)
        return false;
    std::printf("copied to the server in %.1f s\n", timer.nsecsElapsed() / 1e9);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    BenchSupport::FillPlan plan;
    plan.requirements = BenchSupport::requirementsArgument(argc, argv, 100000);
    const QStringList arguments = application.arguments();
    QTemporaryDir folder(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/bench_list-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("listReq.mdb"));
    if (!BenchSupport::freshDatabase(path))
        return 1;
    const std::optional<BenchSupport::Filled> filled = BenchSupport::fill(path, plan);
    if (!filled)
        return 1;
    std::printf("%d stored requirements (%d live): filled in %.1f s\n", filled->requirements,
                filled->live, filled->seconds);
    const bool onServer = arguments.contains(QStringLiteral("--server"));
    if (onServer ? !openServerCopy(path, folder.path())
                 : !varn::store::SqlConnection::open(kConnection, path))
        return 1;
    using varn::central::RequirementQuery;
    const QString functional = QString::fromLatin1(varn::StoredWords::kFunctional);
    const QList<Read> reads = {
        {QStringLiteral("All"), {}},
        {QStringLiteral("All, down"), {}, RequirementOrder::Number, false},
        {QStringLiteral("Functional"), {Kind::OfType, functional, 0}},
        {QStringLiteral("By Template 9"), RequirementQuery::byTemplate(9)},
        {QStringLiteral("By Entity \"station b*\""),
         RequirementQuery::byEntity(QStringLiteral("station b*"))},
        {QStringLiteral("By Number \"1*\""),
         RequirementQuery::byNumber(QStringLiteral("1*")).value()},
        {QStringLiteral("By Paragraph \"3.*\""),
         RequirementQuery::byParagraph(QStringLiteral("3.*"))},
        {QStringLiteral("By Text \"station\", by relevance"),
         RequirementQuery::byText(QStringLiteral("station")).value(), RequirementOrder::Relevance,
         true},
        {QStringLiteral("All by Requirement, up"), {}, RequirementOrder::Sentence, true},
        {QStringLiteral("All by Requirement, down"), {}, RequirementOrder::Sentence, false},
        {QStringLiteral("All by Type, down"), {}, RequirementOrder::Type, false},
        {QStringLiteral("Functional by Category, down"),
         {Kind::OfType, functional, 0},
         RequirementOrder::Category,
         false},
    };
    bool ok = checkEnds(plan, *filled);
    for (const Read &read : reads)
        ok = ok && measure(read, plan);
    varn::store::SqlConnection::close(kConnection);
    if (arguments.size() == 4 && arguments.at(2) == QLatin1String("--keep"))
        ok = ok && QFile::rename(path, arguments.at(3));
    if (!ok) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
