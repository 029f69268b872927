// The quality checks: one sentence checked as a composer checks it while the
// user types (the median and the worst of many), and the whole workspace of
// N stored requirements (100,000 unless the first argument says otherwise)
// read and checked with the sentence and the set rules.
#include "benchsupport.h"
#include "quality/sentencechecker.h"
#include "quality/sentencespans.h"
#include "quality/setchecker.h"
#include "quality/workspacequality.h"
#include "store/sqlconnection.h"
#include "templates/functionaldraft.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

using BenchSupport::exec;
using BenchSupport::step;

const QString kConnection = QStringLiteral("bench_quality");

const char *const kVerbs[] = {"weigh",  "display", "log",    "archive", "print",  "send",  "check",
                              "notify", "store",   "reject", "count",   "export", "sort",  "lock",
                              "report", "show",    "record", "monitor", "verify", "update"};
const char *const kObjects[] = {
    "cargo",         "gate assignment", "flight plan",    "boarding list", "wind speed",
    "runway status", "passenger count", "baggage tag",    "fuel order",    "crew roster",
    "stand number",  "arrival time",    "departure slot", "noise level",   "radar track",
    "weather alert", "de-icing order",  "catering order", "tow request",   "security scan"};
const char *const kEntities[] = {
    "runway freight scale", "apron display",  "tower console",     "airline feed",
    "customs office",       "ground handler", "fuel farm",         "baggage belt",
    "security lane",        "parking stand",  "de-icing pad",      "cargo terminal",
    "control tower",        "duty manager",   "operations centre", "weather station"};
const char *const kSides[] = {
    "north", "south",   "east",    "west",    "upper",  "lower",   "inner",    "outer",
    "main",  "spare",   "first",   "second",  "third",  "fourth",  "left",     "right",
    "old",   "new",     "central", "remote",  "public", "private", "domestic", "foreign",
    "cargo", "transit", "staff",   "visitor", "night",  "day",     "summer",   "winter",
    "red",   "blue",    "green",   "yellow",  "alpha",  "bravo",   "charlie",  "delta"};
const char *const kConditions[] = {"when the flight lands",
                                   "before the gate closes",
                                   "after each shift",
                                   "when an operator asks for it",
                                   "if possible",
                                   "quickly",
                                   "for every departure",
                                   "as soon as possible",
                                   "when the stand changes",
                                   "every night"};

// A number spread over 0..size-1 as if drawn at random, the same for the
// same number and salt.
int pick(int number, quint32 salt, int size)
{
    quint64 x = quint64(number) + quint64(salt) * 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    x ^= x >> 31;
    return int(x % quint64(size));
}

// The sentence of requirement `number`: parts picked apart, so that most
// sentences differ and a few differ in one word only; one in a hundred is
// the one before it again.
QByteArray sentenceOf(int number)
{
    const int n = number % 100 == 0 ? number - 1 : number;
    char text[240];
    const int length = std::snprintf(
        text, sizeof text, "%s the %s of flight %d at the %s %s %s within %d seconds",
        kVerbs[pick(n, 1, 20)], kObjects[pick(n, 2, 20)], pick(n, 3, 9000), kSides[pick(n, 7, 40)],
        kEntities[pick(n, 4, 16)], kConditions[pick(n, 5, 10)], 1 + pick(n, 6, 30));
    return QByteArray(text, length);
}

bool fill(const QString &path, int count)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        return false;
    sqlite3_stmt *master = nullptr;
    sqlite3_stmt *link = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO MASTER_REQ VALUES (?, 'Technical', 23, 'Software', 1, 1, 1, "
                       "'', 'The Acme system shall', ?, ?, '3-7-2009', NULL)",
                       -1, &master, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO DEPENDENT_REQ VALUES (?, ?, ?)", -1, &link, nullptr);
    bool ok = master && link && exec(db, "BEGIN");
    for (int number = 1; ok && number <= count; ++number) {
        const QByteArray text = sentenceOf(number);
        sqlite3_bind_int(master, 1, number);
        sqlite3_bind_text(master, 2, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(master, 3, number);
        ok = step(master);
    }
    // Each requirement the dependent of the one before it, and one chain in
    // a thousand closed into a cycle.
    for (int key = 1; ok && key < count; ++key) {
        sqlite3_bind_int(link, 1, key);
        sqlite3_bind_int(link, 2, key);
        sqlite3_bind_int(link, 3, key % 1000 == 0 ? key - 2 : key + 1);
        ok = step(link);
    }
    char counters[160];
    std::snprintf(counters, sizeof counters,
                  "UPDATE PK_MASTR_REQ SET PMastrReq = %d; UPDATE PK_DEP_REQ SET PDepReq = %d",
                  count, count);
    ok = ok && exec(db, counters) && exec(db, "COMMIT");
    sqlite3_finalize(master);
    sqlite3_finalize(link);
    sqlite3_close(db);
    return ok;
}

double elapsed(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Processor milliseconds since `started`: on a machine others share, the
// wall clock says more about them than about the work.
double processor(std::clock_t started)
{
    return double(std::clock() - started) * 1000.0 / CLOCKS_PER_SEC;
}

// Each sentence checked many times, every check timed alone.
void oneSentence()
{
    const varn::quality::SentenceChecker checker;
    QList<varn::quality::CheckedSentence> sentences;
    for (int number = 1; number <= 200; ++number)
        sentences.append(varn::quality::SentenceSpans::technical(
            QStringLiteral("Acme"), QString::fromUtf8(sentenceOf(number))));
    // A long text with a finding of most rules.
    sentences.append(varn::quality::SentenceSpans::technical(
        QStringLiteral("Acme"),
        QStringLiteral("be able to display the runway status, the wind speed, the gate "
                       "assignment and the departure slot of every flight that is in the "
                       "approach sequence of the tower etc. to the duty manager quickly if "
                       "possible within 5 and log it as appropriate as soon as possible TBD")));
    // A template's input as the composer hands it over on each key press.
    varn::templates::FunctionalDraft draft = varn::templates::FunctionalDraft::forTemplate(9);
    draft.preamble = QStringLiteral("shall provide the capability");
    const QStringList texts = {"",
                               "notify",
                               "",
                               "",
                               "operational subsystem",
                               "when",
                               "wind sensor",
                               "",
                               "runway weather station",
                               "changes",
                               "from",
                               "nominal",
                               "to",
                               "caution"};
    for (int k = 0; k < texts.size(); ++k)
        draft.setField(k, texts[k]);

    QList<double> times;
    int findings = 0;
    for (int round = 0; round < 50; ++round) {
        for (const varn::quality::CheckedSentence &sentence : sentences) {
            QElapsedTimer timer;
            timer.start();
            findings += int(checker.check(sentence).size());
            times.append(elapsed(timer));
        }
        QElapsedTimer timer;
        timer.start();
        findings += int(
            checker.check(varn::quality::SentenceSpans::functional(QStringLiteral("Acme"), draft))
                .size());
        times.append(elapsed(timer));
    }
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %.4f ms, 99th %.4f ms, worst %.4f ms (%lld checks, %d findings)\n",
                "one sentence checked", times[times.size() / 2], times[times.size() * 99 / 100],
                times.back(), qlonglong(times.size()), findings);
    QElapsedTimer compiled;
    compiled.start();
    const varn::quality::SentenceChecker another;
    std::printf("%-44s %.2f ms\n", "a checker made (rules compiled)", elapsed(compiled));
}

bool wholeWorkspace(int count)
{
    const varn::quality::WorkspaceQuality quality(kConnection);
    QElapsedTimer timer;
    timer.start();
    std::clock_t started = std::clock();
    varn::Result<varn::quality::WorkspaceFacts> facts = quality.readFacts();
    if (!facts)
        return false;
    const double reading = elapsed(timer);
    const double readingProcessor = processor(started);
    timer.restart();
    started = std::clock();
    const QList<varn::quality::RequirementFindings> setFindings =
        varn::quality::SetChecker().check(facts.value());
    const double setRules = elapsed(timer);
    const double setProcessor = processor(started);
    timer.restart();
    started = std::clock();
    const QList<varn::quality::RequirementFindings> all =
        varn::quality::WorkspaceQuality::check(facts.value(), {}, {});
    const double everything = elapsed(timer);
    const double everythingProcessor = processor(started);
    timer.restart();
    started = std::clock();
    const auto read = quality.check();
    const double whole = elapsed(timer);
    const double wholeProcessor = processor(started);
    if (!read)
        return false;
    QMap<QString, int> byRule;
    for (const auto &requirement : all) {
        for (const auto &finding : requirement.findings)
            ++byRule[finding.rule];
    }
    int setCount = 0;
    for (const auto &requirement : setFindings)
        setCount += int(requirement.findings.size());
    std::printf("%-40s %9.1f ms (processor %.1f ms; %lld requirements, %lld links)\n",
                "reading the workspace", reading, readingProcessor,
                qlonglong(facts->requirements.size()), qlonglong(facts->links.size()));
    std::printf("%-40s %9.1f ms (processor %.1f ms; %d findings)\n", "set rules", setRules,
                setProcessor, setCount);
    std::printf("%-40s %9.1f ms (processor %.1f ms; %lld requirements with findings)\n",
                "sentence and set rules", everything, everythingProcessor, qlonglong(all.size()));
    std::printf("%-40s %9.1f ms (processor %.1f ms)\n", "read, settings, both kinds of rule", whole,
                wholeProcessor);
    for (auto it = byRule.cbegin(); it != byRule.cend(); ++it)
        std::printf("  %-22s %d\n", qPrintable(it.key()), it.value());
    Q_UNUSED(count);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (count < 1000) {
        std::fprintf(stderr, "usage: bench_quality [REQUIREMENTS], at least 1000\n");
        return 2;
    }
    oneSentence();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("qualityReq.mdb"));
    if (!BenchSupport::freshDatabase(path))
        return 1;
    if (!fill(path, count) || !varn::store::SqlConnection::open(kConnection, path)) {
        std::fprintf(stderr, "cannot store the requirements\n");
        return 1;
    }
    const bool ok = wholeWorkspace(count);
    varn::store::SqlConnection::close(kConnection);
    if (!ok) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
