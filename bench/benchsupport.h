#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace varn::central {
class RequirementTableModel;
}

// What several benchmarks do alike: fill a requirements database straight
// through the SQLite C API (the arrangement, not what is measured), check
// that the program reads what was written, and read the first screen of
// Requirements Central's list.
namespace BenchSupport {

// One statement without values; false when it fails.
bool exec(sqlite3 *db, const char *sql);
// Runs a statement with the values bound to it, then resets it for the
// next; false unless it ran to the end.
bool step(sqlite3_stmt *statement);

// The middle of the samples (the upper of the two middles of an even
// count); 0 when there are none.
double median(std::vector<double> samples);
double median(const QList<double> &samples);

// The number of requirements a benchmark fills: its first argument when that
// is a positive number, else the benchmark's own default.
int requirementsArgument(int argc, char **argv, int fallback);

// The peak resident memory of this process so far, in MiB (VmHWM).
double peakMemoryMiB();
// Starts the peak over from the memory in use now (after a fill whose page
// cache is not the program's).
void resetPeakMemory();

// A workspace's requirements as the engine stores them, in a mix that
// resembles a large programme's: functional requirements of template 9 and
// of the Requirement Builder with their composer rows and the entities they
// mention (each linked to its object-model entity), Entity/Type Definitions,
// technical requirements with comments; every tenth deleted, every twentieth
// (from the fifth on) replaced by a second version, and every seventh a
// dependent of the requirement three before it.
struct FillPlan
{
    int requirements = 100000;
    // Distinct entity names; 0 takes one for every ten requirements, at least
    // 500.
    int entityNames = 0;
    QString system = QStringLiteral("Acme");

    int names() const { return entityNames > 0 ? entityNames : qMax(500, requirements / 10); }
};

// What a fill wrote, for the checks that follow it.
struct Filled
{
    int requirements = 0; // MASTER_REQ rows, deleted and superseded ones included
    int live = 0;         // not deleted
    int functional = 0;   // live ones of each kind
    int structural = 0;
    int technical = 0;
    int entityNames = 0;
    int entityMentions = 0; // REQ_ENTITY rows
    int links = 0;          // DEPENDENT_REQ rows
    qint32 firstLive = 0;
    qint32 lastLive = 0;
    QString firstSentenceText; // ReqText of firstLive
    QString lastSentenceText;  // ReqText of lastLive
    double seconds = 0;
};

// The stored kind and text of requirement `number` under the plan, as the
// fill writes it (for checks on a sample).
QString kindOf(const FillPlan &plan, qint32 number);
QString sentenceTextOf(const FillPlan &plan, qint32 number);
// The entity name the fill calls `index` (0-based), as REQ_ENTITY holds it.
QString entityName(int index);

// Fills a blank requirements database (a copy of the blank image) at path in
// one transaction, prepared statements reused. The file is an ordinary
// workspace database afterwards. Nothing on failure (said on stderr).
std::optional<Filled> fill(const QString &path, const FillPlan &plan);

// The same rows for a team database: each requirement table of a filled
// file as a CSV file in folder, and a psql script that loads them (and the
// key counters) into a provisioned team database in one transaction. The
// script's path, empty on failure (said on stderr).
QString writeServerLoad(const QString &path, const QString &folder);

// Reads the filled database back through the program's own listing on an
// open connection: the live count, the kinds, the first and last rows and a
// sample of sentences. False (said on stderr) at the first difference.
bool checkFilled(const QString &connectionName, const FillPlan &plan, const Filled &filled);

// Requirements Central on an open connection: opening to the first screen,
// the queries, sorts both ways (checked on a sample), a screen in the middle
// and the sentence pane, each printed; the peak memory last. With everyQuery
// also the Structural, Technical, Suspect and By Text queries and the sorts
// of every other shown column.
bool measureCentral(const QString &connectionName, bool everyQuery = false);

// Another tool's exchange file, as large tools write them: `objects` objects
// of three types with ten attributes each (XHTML, strings, enumerations
// single and multi-valued, dates, integers, reals, booleans), every
// twentieth a heading over the nineteen after it in one document tree, and
// `relations` relations, each from a requirement to the next of its
// chapter. Revision 2 of the document gives `changed` of its requirements,
// spread evenly, a new text. Written a piece at a time, so that making it
// adds little to the peak memory.
struct ForeignFilePlan
{
    int objects = 100000;
    int relations = 10000;
    int revision = 1;
    int changed = 0;
};
bool writeForeignFile(const QString &path, const ForeignFilePlan &plan);

// A blank workspace database written at path; false (said on stderr) when
// it cannot be.
bool freshDatabase(const QString &path);

// What the list asks for to paint its first screen: every shown cell of the
// first rows, and the headers. Returns the characters read.
qsizetype readFirstScreen(const varn::central::RequirementTableModel &model, int rows = 30,
                          int firstRow = 0);

} // namespace BenchSupport
