#include "benchsupport.h"

#include "app/blankimage.h"
#include "central/requirementscentral.h"
#include "central/requirementtablemodel.h"
#include "common/storedwords.h"
#include "store/deferredwordindex.h"
#include "store/requirementlisting.h"

#include <QElapsedTimer>
#include <QFile>

#include <sqlite3.h>

#include <malloc.h>

#include <algorithm>
#include <functional>
#include <vector>

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace BenchSupport {

bool exec(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

double median(const QList<double> &samples)
{
    return median(std::vector<double>(samples.cbegin(), samples.cend()));
}

bool step(sqlite3_stmt *statement)
{
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_reset(statement);
    return done;
}

int requirementsArgument(int argc, char **argv, int fallback)
{
    for (int i = 1; i < argc; ++i) {
        char *end = nullptr;
        const long value = std::strtol(argv[i], &end, 10);
        if (end != argv[i] && *end == '\0' && value > 0 && value <= 100000000)
            return int(value);
    }
    return fallback;
}

double peakMemoryMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

void resetPeakMemory()
{
    // What the fill freed goes back to the system first.
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

namespace {

enum class Kind { Functional, Structural, Technical };

Kind kindAt(qint32 number)
{
    switch (number % 10) {
    case 7:
        return Kind::Structural;
    case 8:
        return Kind::Technical;
    default:
        return Kind::Functional;
    }
}

// Every tenth is deleted; the fifth of every twenty was replaced by the
// sixth, its second version.
bool deletedAt(qint32 number)
{
    return number % 10 == 0 || number % 20 == 5;
}

bool secondVersionAt(qint32 number)
{
    return number % 20 == 6;
}

// Template 9 for every other run of ten and for the versioned ones, the
// Requirement Builder for the rest.
bool builderAt(qint32 number)
{
    return (number / 10) % 2 == 1 && number % 20 != 5 && number % 20 != 6;
}

bool dependentAt(qint32 number)
{
    return number > 3 && number % 7 == 0;
}

QByteArray letters(int index)
{
    QByteArray word;
    for (int n = index; n > 0 || word.isEmpty(); n /= 26)
        word += char('a' + n % 26);
    return word;
}

// The names a requirement mentions: two for a functional one, one for a
// structural one.
int firstEntity(qint32 number, int names)
{
    return int((qint64(number) * 3) % names);
}

int secondEntity(qint32 number, int names)
{
    return int((qint64(number) * 7 + 1) % names);
}

// A version's words are those of its first version but the last.
qint32 wordsOf(qint32 number)
{
    return secondVersionAt(number) ? number - 1 : number;
}

QByteArray lowerName(int index)
{
    return "station " + letters(index);
}

QByteArray storedName(int index)
{
    QByteArray word = letters(index);
    word[0] = char(word[0] - 'a' + 'A');
    return "Station " + word;
}

QByteArray modelName(int index)
{
    QByteArray name = storedName(index);
    name.replace(' ', QByteArray());
    return name;
}

QByteArray sensorOf(qint32 number)
{
    return "sensor " + QByteArray::number((qint64(wordsOf(number)) * 7919) % 100003);
}

QByteArray textAt(const FillPlan &plan, qint32 number)
{
    const int names = plan.names();
    const qint32 words = wordsOf(number);
    switch (kindAt(number)) {
    case Kind::Structural:
        return lowerName(firstEntity(number, names));
    case Kind::Technical:
        return "respond to query " + QByteArray::number(number) + " within " +
               QByteArray::number(number % 9 + 1) + " seconds";
    case Kind::Functional:
        break;
    }
    if (builderAt(number))
        return "display " + lowerName(firstEntity(words, names)) + " when " +
               lowerName(secondEntity(words, names)) + " arrives";
    return "notify " + lowerName(firstEntity(words, names)) + " when " + sensorOf(number) + ' ' +
           lowerName(secondEntity(words, names)) + " changes from nominal to " +
           (secondVersionAt(number) ? "warning" : "caution");
}

// Statements, prepared once for the whole fill.
enum Statement {
    kMaster,
    kNine,
    kBuilder,
    kStructural,
    kMention,
    kModelEntity,
    kLink,
    kStatements,
};

constexpr const char *kStatementTexts[kStatements] = {
    "INSERT INTO MASTER_REQ (Req_Num, FSTType, Source, Category, Priority, Release, Version, "
    "ParaNum, Preamble, ReqText, OrigReqNum, DateSaved, Comments) "
    "VALUES (?1, ?2, ?3, 'Software', ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)",
    "INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field1, Field4, Field5, Field6, Field8, "
    "Field9, Field10, Field11, Field12, Field13, TCodeStrF) VALUES (?1, 9, 1, 'notify', ?2, '0', "
    "?3, ?4, 'changes', '1', 'nominal', '0', ?5, 'dewaecmgmg')",
    "INSERT INTO FUNC_REQ (F_ReqNum, Source, Preamble, Field1, Field2, Field3, Field4, Field5, "
    "TCodeStrF) VALUES (?1, 0, 1, 'display', ?2, 'when', ?3, 'arrives', 'dewec')",
    "INSERT INTO STRUC_REQ (S_ReqNum, Source, Preamble, EntityBasic, Position, TCodeStrS) "
    "VALUES (?1, 21, 2, ?2, 0, 'ke')",
    "INSERT INTO REQ_ENTITY (Req_EntityID, ReqEntity, FK_FReqNum, FK_SReqNum, FK_OMEntity) "
    "VALUES (?1, ?2, ?3, ?4, ?5)",
    "INSERT INTO OM_ENTITY (Entity_ID, Entity) VALUES (?1, ?2)",
    "INSERT INTO DEPENDENT_REQ (Dep_Num, FK_ReqNum, Dep_ReqNum) VALUES (?1, ?2, ?3)",
};

class Writer
{
public:
    explicit Writer(sqlite3 *db) : m_db(db) {}
    ~Writer()
    {
        for (sqlite3_stmt *statement : m_statements)
            sqlite3_finalize(statement);
    }

    bool prepare()
    {
        for (int i = 0; i < kStatements; ++i) {
            if (sqlite3_prepare_v3(m_db, kStatementTexts[i], -1, SQLITE_PREPARE_PERSISTENT,
                                   &m_statements[i], nullptr) != SQLITE_OK)
                return fail();
        }
        return true;
    }

    sqlite3_stmt *operator[](Statement statement) const { return m_statements[statement]; }

    static void text(sqlite3_stmt *statement, int column, const QByteArray &value)
    {
        sqlite3_bind_text(statement, column, value.constData(), int(value.size()),
                          SQLITE_TRANSIENT);
    }

    bool run(Statement statement) { return step(m_statements[statement]) || fail(); }

    bool fail() const
    {
        std::fprintf(stderr, "fill: %s\n", sqlite3_errmsg(m_db));
        return false;
    }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statements[kStatements] = {};
};

QByteArray pragmaText(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    QByteArray value;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        value = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return value;
}

// The indexes of the requirement tables, dropped for the fill and built
// again once the rows are in: building an index once costs far less than
// keeping it up to date row by row.
QList<QByteArray> dropIndexes(sqlite3 *db)
{
    QList<QByteArray> definitions;
    QList<QByteArray> names;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS "
                           "NOT NULL AND tbl_name IN ('MASTER_REQ', 'FUNC_REQ', 'STRUC_REQ', "
                           "'REQ_ENTITY', 'DEPENDENT_REQ', 'OM_ENTITY')",
                           -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            names.append(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
            definitions.append(reinterpret_cast<const char *>(sqlite3_column_text(statement, 1)));
        }
    }
    sqlite3_finalize(statement);
    for (const QByteArray &name : names) {
        if (!exec(db, ("DROP INDEX \"" + name + '"').constData()))
            return {};
    }
    return definitions;
}

bool writeRows(sqlite3 *db, const FillPlan &plan, Filled &filled)
{
    Writer writer(db);
    if (!writer.prepare())
        return false;
    const int names = plan.names();
    for (int index = 0; index < names; ++index) {
        sqlite3_bind_int(writer[kModelEntity], 1, index + 1);
        Writer::text(writer[kModelEntity], 2, modelName(index));
        if (!writer.run(kModelEntity))
            return false;
    }
    filled.entityNames = names;

    const QByteArray system = plan.system.toUtf8();
    const QByteArray functionalPreamble = "The " + system + " system shall provide the capability";
    const QByteArray structuralPreamble = "The " + system + " system shall include";
    const QByteArray technicalPreamble = "The " + system + " system shall";
    qint32 mention = 0;
    qint32 link = 0;
    auto mentions = [&](qint32 number, int entity, bool functional) {
        sqlite3_stmt *row = writer[kMention];
        sqlite3_bind_int(row, 1, ++mention);
        Writer::text(row, 2, storedName(entity));
        if (functional) {
            sqlite3_bind_int(row, 3, number);
            sqlite3_bind_null(row, 4);
        } else {
            sqlite3_bind_null(row, 3);
            sqlite3_bind_int(row, 4, number);
        }
        sqlite3_bind_int(row, 5, entity + 1);
        return writer.run(kMention);
    };

    for (qint32 number = 1; number <= plan.requirements; ++number) {
        const Kind kind = kindAt(number);
        const bool deleted = deletedAt(number);
        const QByteArray text = textAt(plan, number);
        sqlite3_stmt *master = writer[kMaster];
        sqlite3_bind_int(master, 1, number);
        sqlite3_bind_text(master, 2,
                          deleted                    ? varn::StoredWords::kDeleted
                          : kind == Kind::Functional ? varn::StoredWords::kFunctional
                          : kind == Kind::Structural ? varn::StoredWords::kStructural
                                                     : varn::StoredWords::kTechnical,
                          -1, SQLITE_STATIC);
        const int source = kind == Kind::Structural  ? 21
                           : kind == Kind::Technical ? 23
                           : builderAt(number)       ? 0
                                                     : 9;
        sqlite3_bind_int(master, 3, source);
        sqlite3_bind_int(master, 4, number % 3 + 1);
        sqlite3_bind_int(master, 5, number % 5 + 1);
        sqlite3_bind_int(master, 6, secondVersionAt(number) ? 2 : 1);
        Writer::text(master, 7,
                     QByteArray::number(number % 40 + 1) + '.' + QByteArray::number(number % 7));
        const QByteArray &preamble = kind == Kind::Functional   ? functionalPreamble
                                     : kind == Kind::Structural ? structuralPreamble
                                                                : technicalPreamble;
        sqlite3_bind_text(master, 8, preamble.constData(), int(preamble.size()), SQLITE_STATIC);
        Writer::text(master, 9, text);
        sqlite3_bind_int(master, 10, wordsOf(number));
        Writer::text(master, 11,
                     QByteArray::number(number % 12 + 1) + '-' +
                         QByteArray::number(number % 28 + 1) + "-2026");
        if (kind == Kind::Technical)
            Writer::text(master, 12, "raised in review " + QByteArray::number(number / 100));
        else
            sqlite3_bind_null(master, 12);
        if (!writer.run(kMaster))
            return false;

        const qint32 words = wordsOf(number);
        const int first = firstEntity(kind == Kind::Functional ? words : number, names);
        const int second = secondEntity(words, names);
        if (kind == Kind::Functional && builderAt(number)) {
            sqlite3_stmt *row = writer[kBuilder];
            sqlite3_bind_int(row, 1, number);
            Writer::text(row, 2, lowerName(first));
            Writer::text(row, 3, lowerName(second));
            if (!writer.run(kBuilder) || !mentions(number, first, true) ||
                !mentions(number, second, true))
                return false;
        } else if (kind == Kind::Functional) {
            sqlite3_stmt *row = writer[kNine];
            sqlite3_bind_int(row, 1, number);
            Writer::text(row, 2, lowerName(first));
            Writer::text(row, 3, sensorOf(number));
            Writer::text(row, 4, lowerName(second));
            sqlite3_bind_text(row, 5, secondVersionAt(number) ? "warning" : "caution", -1,
                              SQLITE_STATIC);
            if (!writer.run(kNine) || !mentions(number, first, true) ||
                !mentions(number, second, true))
                return false;
        } else if (kind == Kind::Structural) {
            sqlite3_stmt *row = writer[kStructural];
            sqlite3_bind_int(row, 1, number);
            Writer::text(row, 2, lowerName(first));
            if (!writer.run(kStructural) || !mentions(number, first, false))
                return false;
        }
        if (dependentAt(number)) {
            sqlite3_stmt *row = writer[kLink];
            sqlite3_bind_int(row, 1, ++link);
            sqlite3_bind_int(row, 2, number - 3);
            sqlite3_bind_int(row, 3, number);
            if (!writer.run(kLink))
                return false;
        }

        ++filled.requirements;
        if (deleted)
            continue;
        ++filled.live;
        ++(kind == Kind::Functional   ? filled.functional
           : kind == Kind::Structural ? filled.structural
                                      : filled.technical);
        if (filled.firstLive == 0) {
            filled.firstLive = number;
            filled.firstSentenceText = QString::fromUtf8(text);
        }
        filled.lastLive = number;
        filled.lastSentenceText = QString::fromUtf8(text);
    }
    filled.entityMentions = mention;
    filled.links = link;

    // The key counters hold the last number handed out, as after saves.
    const QByteArray counters =
        "UPDATE PK_MASTR_REQ SET PMastrReq = " + QByteArray::number(plan.requirements) +
        "; UPDATE PK_ENT_REQ SET PEntReq = " + QByteArray::number(mention) +
        "; UPDATE PK_DEP_REQ SET PDepReq = " + QByteArray::number(link) +
        "; UPDATE PK_ENT_OM SET PEntOm = " + QByteArray::number(names) +
        "; UPDATE SYSTEM_NAME SET SystemName = '" + system + "'";
    return exec(db, counters.constData()) || writer.fail();
}

} // namespace

QString kindOf(const FillPlan &, qint32 number)
{
    if (deletedAt(number))
        return QString::fromLatin1(varn::StoredWords::kDeleted);
    switch (kindAt(number)) {
    case Kind::Structural:
        return QString::fromLatin1(varn::StoredWords::kStructural);
    case Kind::Technical:
        return QString::fromLatin1(varn::StoredWords::kTechnical);
    case Kind::Functional:
        break;
    }
    return QString::fromLatin1(varn::StoredWords::kFunctional);
}

QString sentenceTextOf(const FillPlan &plan, qint32 number)
{
    return QString::fromUtf8(textAt(plan, number));
}

QString entityName(int index)
{
    return QString::fromLatin1(storedName(index));
}

std::optional<Filled> fill(const QString &path, const FillPlan &plan)
{
    QElapsedTimer timer;
    timer.start();
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "fill: cannot open %s\n", qPrintable(path));
        sqlite3_close(db);
        return std::nullopt;
    }
    // For the fill alone: a large page cache so that index pages are not
    // written out and read back mid-transaction, and no rollback journal for
    // pages the file does not have yet. The journal mode the file had comes
    // back at the end, so it stays an ordinary workspace database.
    const QByteArray journal = pragmaText(db, "PRAGMA journal_mode").toLower();
    bool ok = exec(db, "PRAGMA cache_size = -262144") && exec(db, "PRAGMA synchronous = OFF") &&
              (journal != "wal" || exec(db, "PRAGMA journal_mode = DELETE"));
    Filled filled;
    ok = ok && exec(db, "BEGIN");
    const QList<QByteArray> indexes = ok ? dropIndexes(db) : QList<QByteArray>();
    // The words are indexed in one pass at the end, as an import does.
    std::optional<varn::store::DeferredWordIndex> words;
    if (ok) {
        varn::Result<varn::store::DeferredWordIndex> deferred =
            varn::store::DeferredWordIndex::defer(db);
        ok = deferred.isOk();
        if (ok)
            words = deferred.takeValue();
    }
    ok = ok && writeRows(db, plan, filled);
    for (const QByteArray &index : indexes)
        ok = ok && exec(db, index.constData());
    if (ok) {
        const varn::Outcome indexed = words->index();
        if (!indexed)
            std::fprintf(stderr, "fill: %s\n", qPrintable(indexed.message()));
        ok = indexed.isOk();
    }
    ok = ok && exec(db, "COMMIT");
    if (!ok)
        std::fprintf(stderr, "fill: %s\n", sqlite3_errmsg(db));
    if (ok && journal == "wal")
        ok = exec(db, "PRAGMA journal_mode = WAL");
    sqlite3_close(db);
    filled.seconds = timer.nsecsElapsed() / 1e9;
    if (!ok)
        return std::nullopt;
    return filled;
}

namespace {

// One table as CSV, as COPY reads it: NULL unquoted and empty, every text
// quoted. The column names for the COPY statement; empty on failure.
QByteArray writeCsv(sqlite3 *db, const char *table, const QString &file)
{
    QFile out(file);
    sqlite3_stmt *select = nullptr;
    const QByteArray sql = QByteArray("SELECT * FROM ") + table;
    if (!out.open(QIODevice::WriteOnly) ||
        sqlite3_prepare_v2(db, sql.constData(), -1, &select, nullptr) != SQLITE_OK)
        return {};
    QByteArray columns;
    const int count = sqlite3_column_count(select);
    for (int column = 0; column < count; ++column) {
        // The schema quotes the columns named by SQL keywords, keeping their
        // case; the others fold to lower case on the server.
        const QByteArray name(sqlite3_column_name(select, column));
        const bool keyword = name == "Default" || name == "From" || name == "To";
        columns += (column ? ", " : "") + (keyword ? '"' + name + '"' : name);
    }
    QByteArray line;
    bool ok = true;
    while (ok && sqlite3_step(select) == SQLITE_ROW) {
        line.clear();
        for (int column = 0; column < count; ++column) {
            if (column)
                line += ',';
            switch (sqlite3_column_type(select, column)) {
            case SQLITE_NULL:
                break;
            case SQLITE_INTEGER:
                line += QByteArray::number(sqlite3_column_int64(select, column));
                break;
            default: {
                const QByteArray text(
                    reinterpret_cast<const char *>(sqlite3_column_text(select, column)),
                    sqlite3_column_bytes(select, column));
                line += '"' + QByteArray(text).replace('"', "\"\"") + '"';
            }
            }
        }
        line += '\n';
        ok = out.write(line) == line.size();
    }
    sqlite3_finalize(select);
    return ok && out.flush() ? columns : QByteArray();
}

} // namespace

QString writeServerLoad(const QString &path, const QString &folder)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return {};
    }
    // The checks of every foreign key are queued to the end of a transaction
    // on the server, and the triggers run row by row; rows copied from a
    // consistent file need neither. The secondary indexes of the loaded
    // tables are dropped for the copy and built once afterwards, which costs
    // a fraction of keeping them up to date row by row.
    QByteArray script = "SET session_replication_role = replica;\n"
                        "SET maintenance_work_mem = '256MB';\n"
                        "BEGIN;\n"
                        "CREATE TEMPORARY TABLE load_indexes ON COMMIT DROP AS\n"
                        "  SELECT indexname, indexdef FROM pg_indexes\n"
                        "  WHERE schemaname = current_schema() AND tablename IN ('master_req',\n"
                        "    'func_req', 'struc_req', 'om_entity', 'req_entity', 'dependent_req',\n"
                        "    'req_words')\n"
                        "  AND indexname NOT IN (SELECT conname FROM pg_constraint);\n"
                        "SELECT format('DROP INDEX %I', indexname) FROM load_indexes \\gexec\n";
    const char *tables[] = {"MASTER_REQ", "FUNC_REQ",   "STRUC_REQ",
                            "OM_ENTITY",  "REQ_ENTITY", "DEPENDENT_REQ"};
    bool ok = true;
    for (const char *table : tables) {
        const QString file = folder + QLatin1Char('/') + QLatin1String(table) + ".csv";
        const QByteArray columns = writeCsv(db, table, file);
        ok = ok && !columns.isEmpty();
        script += "\\copy " + QByteArray(table).toLower() + " (" + columns + ") FROM '" +
                  QFile::encodeName(file) + "' WITH (FORMAT csv)\n";
    }
    const char *counters[][2] = {{"PK_MASTR_REQ", "PMastrReq"},
                                 {"PK_ENT_REQ", "PEntReq"},
                                 {"PK_DEP_REQ", "PDepReq"},
                                 {"PK_ENT_OM", "PEntOm"}};
    for (const auto &counter : counters) {
        const QByteArray value = pragmaText(
            db, (QByteArray("SELECT ") + counter[1] + " FROM " + counter[0]).constData());
        ok = ok && !value.isEmpty();
        script += QByteArray("UPDATE ") + counter[0] + " SET " + counter[1] + " = " + value + ";\n";
    }
    // The words of every live requirement, as the triggers would have
    // written them row by row.
    script += "INSERT INTO REQ_WORDS (Req_Num, Words)\n"
              "  SELECT Req_Num, req_words_of(Preamble, ReqText, ParaNum, Comments)\n"
              "  FROM MASTER_REQ WHERE lower(COALESCE(FSTType, '')) <> 'deleted';\n"
              "SELECT indexdef FROM load_indexes \\gexec\n";
    // As the server's own vacuum would have left it: statistics, and the
    // pages marked all-visible, so that an index is read without its rows.
    script += "COMMIT;\nVACUUM ANALYZE;\n";
    sqlite3_close(db);
    const QString scriptPath = folder + QStringLiteral("/load.sql");
    QFile out(scriptPath);
    ok = ok && out.open(QIODevice::WriteOnly) && out.write(script) == script.size();
    if (!ok) {
        std::fprintf(stderr, "cannot write the server's load into %s\n", qPrintable(folder));
        return {};
    }
    return scriptPath;
}

bool checkFilled(const QString &connectionName, const FillPlan &plan, const Filled &filled)
{
    using varn::store::RequirementOrder;
    using varn::store::RequirementSelection;
    const varn::store::RequirementListing listing(connectionName);
    auto differs = [](const char *what, const QString &expected, const QString &found) {
        std::fprintf(stderr, "fill check: %s: expected %s, read %s\n", what, qPrintable(expected),
                     qPrintable(found));
        return false;
    };
    const auto live = listing.numbers({}, RequirementOrder::Number, true);
    if (!live)
        return differs("the live list", QStringLiteral("a list"), live.outcome().message());
    if (live->size() != filled.live)
        return differs("live requirements", QString::number(filled.live),
                       QString::number(live->size()));
    if (live->constFirst() != filled.firstLive || live->constLast() != filled.lastLive)
        return differs("first and last live",
                       QStringLiteral("%1 %2").arg(filled.firstLive).arg(filled.lastLive),
                       QStringLiteral("%1 %2").arg(live->constFirst()).arg(live->constLast()));
    const struct
    {
        const char *kind;
        int count;
    } kinds[] = {{varn::StoredWords::kFunctional, filled.functional},
                 {varn::StoredWords::kStructural, filled.structural},
                 {varn::StoredWords::kTechnical, filled.technical}};
    for (const auto &kind : kinds) {
        RequirementSelection ofType{RequirementSelection::Kind::OfType,
                                    QString::fromLatin1(kind.kind), 0};
        const auto numbers = listing.numbers(ofType, RequirementOrder::Number, true);
        if (!numbers || numbers->size() != kind.count)
            return differs(kind.kind, QString::number(kind.count),
                           numbers ? QString::number(numbers->size())
                                   : numbers.outcome().message());
    }
    // A sample spread over the whole range, the first and last rows with it.
    QList<qint32> sample{1, filled.firstLive, filled.lastLive, plan.requirements};
    for (qint32 number = 7; number < plan.requirements; number += plan.requirements / 97 + 1)
        sample.append(number);
    const auto rows = listing.page(sample);
    if (!rows)
        return differs("the sample", QStringLiteral("rows"), rows.outcome().message());
    int seen = 0;
    for (const varn::store::MasterReqRow &row : rows.value()) {
        if (!sample.contains(row.Req_Num))
            continue;
        ++seen;
        const QString what = QStringLiteral("requirement %1").arg(row.Req_Num);
        if (row.FSTType != kindOf(plan, row.Req_Num))
            return differs(qPrintable(what), kindOf(plan, row.Req_Num), row.FSTType);
        if (row.ReqText != sentenceTextOf(plan, row.Req_Num))
            return differs(qPrintable(what), sentenceTextOf(plan, row.Req_Num), row.ReqText);
    }
    if (seen != QSet<qint32>(sample.begin(), sample.end()).size())
        return differs("sample rows", QString::number(sample.size()), QString::number(seen));
    return true;
}

namespace {

constexpr int kScreenRows = 30;

using varn::central::Column;
using varn::central::QueryKind;
using varn::central::RequirementsCentral;
using varn::central::RequirementTableModel;

qint64 screenNanoseconds(const RequirementsCentral &central, int firstRow = 0)
{
    QElapsedTimer timer;
    timer.start();
    const qsizetype characters = readFirstScreen(central.model(), kScreenRows, firstRow);
    const qint64 elapsed = timer.nsecsElapsed();
    if (characters == 0)
        std::fprintf(stderr, "the screen is empty\n");
    return elapsed;
}

// The processor time of this process so far, in ms: on a machine shared with
// others it tells what a query costs apart from the waits for a processor.
double processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The rest of a long list as a user reaches it, each from the query run
// afresh: the first scroll past the first screen, the scroll bar dragged to
// the end and to the middle, and the whole list read row by row as a
// scroll to the end or a print reads it, with the longest single wait on
// the way (the read of one block). Wall time, then processor time.
bool measureRestOfList(const QString &what, RequirementsCentral &central,
                       const std::function<varn::Outcome()> &query)
{
    const auto &model = central.model();
    const auto timed = [&](const std::function<void()> &reach) {
        if (!query())
            return std::pair<double, double>(-1, -1);
        QElapsedTimer timer;
        const double processor = processorMs();
        timer.start();
        reach();
        return std::pair<double, double>(timer.nsecsElapsed() / 1e6, processorMs() - processor);
    };
    const int rows = model.requirementCount();
    const auto scrolled =
        timed([&] { screenNanoseconds(central, RequirementTableModel::kPageRows); });
    const auto end = timed([&] { screenNanoseconds(central, std::max(0, rows - kScreenRows)); });
    const auto middle = timed([&] { screenNanoseconds(central, rows / 2); });
    double longest = 0;
    const auto through = timed([&] {
        QElapsedTimer wait;
        wait.start();
        qint64 before = 0;
        for (int row = 0; row < rows; ++row) {
            model.numberAt(row);
            const qint64 now = wait.nsecsElapsed();
            longest = std::max(longest, (now - before) / 1e6);
            before = now;
        }
    });
    std::printf("  %-34s first scroll %.1f ms (cpu %.1f)  to the end %.1f ms (cpu %.1f)  to the "
                "middle %.1f ms (cpu %.1f)  read through %.1f ms (cpu %.1f), longest wait %.1f "
                "ms\n",
                qPrintable(what), scrolled.first, scrolled.second, end.first, end.second,
                middle.first, middle.second, through.first, through.second, longest);
    return scrolled.first >= 0 && end.first >= 0 && middle.first >= 0 && through.first >= 0 &&
           model.isComplete();
}

// Each query runs three times: the best and the median wall time, the
// processor time of the best run, and the first screen after the last.
bool measure(const QString &what, RequirementsCentral &central,
             const std::function<varn::Outcome()> &query)
{
    constexpr int kRuns = 3;
    std::vector<std::pair<double, double>> runs; // wall, processor
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        const double processor = processorMs();
        timer.start();
        const varn::Outcome outcome = query();
        runs.emplace_back(timer.nsecsElapsed() / 1e6, processorMs() - processor);
        if (!outcome) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(outcome.message()));
            return false;
        }
    }
    std::sort(runs.begin(), runs.end());
    const qint64 screen = screenNanoseconds(central);
    // The numbers of the first page, then the rest of the list read as a
    // scroll past them reads it: the first page must be the whole list's.
    const auto &model = central.model();
    QList<qint32> first;
    for (int row = 0; row < std::min(model.requirementCount(), RequirementTableModel::kPageRows);
         ++row)
        first.append(model.numberAt(row));
    const bool complete = model.isComplete();
    QElapsedTimer timer;
    const double processor = processorMs();
    timer.start();
    const qint32 last = model.numberAt(model.requirementCount() - 1);
    const double restWall = timer.nsecsElapsed() / 1e6;
    const double restProcessor = processorMs() - processor;
    bool same = last != 0 || model.requirementCount() == 0;
    for (int row = 0; row < first.size(); ++row)
        same = same && model.numberAt(row) == first.at(row);
    std::printf("%-36s %7d rows  query best %7.1f ms median %7.1f ms (cpu %6.1f ms)  first "
                "screen %6.3f ms",
                qPrintable(what), model.requirementCount(), runs.front().first,
                runs[kRuns / 2].first, runs.front().second, screen / 1e6);
    if (complete)
        std::printf("\n");
    else
        std::printf("  the rest %.1f ms (cpu %.1f ms)\n", restWall, restProcessor);
    if (!same)
        std::fprintf(stderr, "%s: the first page differs from the whole list's\n",
                     qPrintable(what));
    if (same && !complete && !measureRestOfList(what, central, query))
        return false;
    return same;
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
        const Column column = central.model().columns().at(listColumn);
        const bool numeric = column == Column::Number || column == Column::Source ||
                             column == Column::Priority || column == Column::Release ||
                             column == Column::Version || column == Column::OrigNumber;
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

} // namespace

bool measureCentral(const QString &connectionName, bool everyQuery)
{
    bool ok = false;
    {
        RequirementsCentral central(connectionName);
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
        const QString entity = entityName(7);
        ok = ok && measure(QStringLiteral("By Entity \"%1\"").arg(entity), central,
                           [&] { return central.runByEntity(entity); });
        ok = ok && measure(QStringLiteral("By Entity \"station b*\""), central,
                           [&] { return central.runByEntity(QStringLiteral("station b*")); });
        ok = ok && measure(QStringLiteral("By Number \"1*\""), central,
                           [&] { return central.runByNumber(QStringLiteral("1*")); });
        ok = ok && measure(QStringLiteral("By Paragraph \"3.*\""), central,
                           [&] { return central.runByParagraph(QStringLiteral("3.*")); });
        ok = ok && central.runType(QueryKind::All).isOk();
        if (everyQuery) {
            ok = ok && measure(QStringLiteral("Structural"), central,
                               [&] { return central.runType(QueryKind::Structural); });
            ok = ok && measure(QStringLiteral("Technical"), central,
                               [&] { return central.runType(QueryKind::Technical); });
            ok = ok && measure(QStringLiteral("Suspect"), central,
                               [&] { return central.runType(QueryKind::Suspect); });
            ok = ok && measure(QStringLiteral("By Text \"respond\""), central,
                               [&] { return central.runByText(QStringLiteral("respond")); });
            ok = ok && measure(QStringLiteral("By Text \"seconds 7\""), central,
                               [&] { return central.runByText(QStringLiteral("seconds 7")); });
            ok = ok && measure(QStringLiteral("By Text \"respond\" by relevance"), central, [&] {
                     central.sortByRelevance();
                     return central.runByText(QStringLiteral("respond"));
                 });
            ok = ok && central.runType(QueryKind::All).isOk();
        }
        struct Sort
        {
            Column column;
            const char *name;
        };
        std::vector<Sort> sorts = {{Column::Requirement, "Requirement"},
                                   {Column::Paragraph, "Paragraph"},
                                   {Column::Category, "Category"},
                                   {Column::Number, "Req No."}};
        if (everyQuery)
            sorts.insert(sorts.end(), {{Column::Type, "Type"},
                                       {Column::Source, "Source"},
                                       {Column::Priority, "Priority"},
                                       {Column::Release, "Release"},
                                       {Column::Version, "Version"},
                                       {Column::OrigNumber, "Orig. No."},
                                       {Column::DateSaved, "Date Saved"},
                                       {Column::Comments, "Comments"}});
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
    std::printf("peak memory %.0f MiB\n", peakMemoryMiB());
    return ok;
}

namespace {

constexpr int kPerHeading = 20; // every 20th object is a heading

QByteArray definition(const char *kind, const QByteArray &identifier, const char *name,
                      const char *datatype, bool multiValued = false)
{
    return QByteArray("<ATTRIBUTE-DEFINITION-") + kind + " IDENTIFIER=\"" + identifier +
           "\" LONG-NAME=\"" + name + "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\"" +
           (multiValued ? " MULTI-VALUED=\"true\"" : "") + "><TYPE><DATATYPE-DEFINITION-" + kind +
           "-REF>" + datatype + "</DATATYPE-DEFINITION-" + kind +
           "-REF></TYPE></ATTRIBUTE-DEFINITION-" + kind + ">";
}

QByteArray plain(const char *kind, const QByteArray &definition, const QByteArray &value)
{
    return QByteArray("<ATTRIBUTE-VALUE-") + kind + " THE-VALUE=\"" + value +
           "\"><DEFINITION><ATTRIBUTE-DEFINITION-" + kind + "-REF>" + definition +
           "</ATTRIBUTE-DEFINITION-" + kind + "-REF></DEFINITION></ATTRIBUTE-VALUE-" + kind + ">";
}

QByteArray enumeration(const QByteArray &definition, const QByteArray &values)
{
    QByteArray refs;
    for (const QByteArray &value : values.split(' '))
        refs += "<ENUM-VALUE-REF>" + value + "</ENUM-VALUE-REF>";
    return "<ATTRIBUTE-VALUE-ENUMERATION><DEFINITION><ATTRIBUTE-DEFINITION-ENUMERATION-REF>" +
           definition + "</ATTRIBUTE-DEFINITION-ENUMERATION-REF></DEFINITION><VALUES>" + refs +
           "</VALUES></ATTRIBUTE-VALUE-ENUMERATION>";
}

QByteArray xhtml(const QByteArray &definition, const QByteArray &markup)
{
    return "<ATTRIBUTE-VALUE-XHTML><DEFINITION><ATTRIBUTE-DEFINITION-XHTML-REF>" + definition +
           "</ATTRIBUTE-DEFINITION-XHTML-REF></DEFINITION><THE-VALUE><xhtml:div>" + markup +
           "</xhtml:div></THE-VALUE></ATTRIBUTE-VALUE-XHTML>";
}

// The ten definitions of a type, their identifiers prefixed by it.
QByteArray definitions(const QByteArray &type, bool heading)
{
    return (heading ? definition("STRING", type + "-text", "ReqIF.ChapterName", "dt-s")
                    : definition("XHTML", type + "-text", "ReqIF.Text", "dt-x")) +
           definition("STRING", type + "-id", "ReqIF.ForeignID", "dt-s") +
           definition("ENUMERATION", type + "-status", "Status", "dt-e") +
           definition("ENUMERATION", type + "-tags", "Tags", "dt-e", true) +
           definition("INTEGER", type + "-priority", "Priority", "dt-i") +
           definition("DATE", type + "-due", "Due", "dt-d") +
           definition("REAL", type + "-weight", "Weight", "dt-r") +
           definition("BOOLEAN", type + "-safety", "Safety", "dt-b") +
           definition("STRING", type + "-owner", "Owner", "dt-s") +
           definition("STRING", type + "-note", "Note", "dt-s");
}

QByteArray objectXml(int number, bool changed)
{
    const bool heading = number % kPerHeading == 1;
    const QByteArray type = heading ? "h" : (number % 2 ? "a" : "b");
    const QByteArray n = QByteArray::number(number);
    const QByteArray text =
        heading ? plain("STRING", type + "-text", "Chapter " + n)
                : xhtml(type + "-text",
                        (changed ? "<xhtml:p>weigh cargo pallet " + n +
                                       " twice before <xhtml:b>loading</xhtml:b></xhtml:p>"
                                 : "<xhtml:p>record the weight of cargo pallet " + n +
                                       " before <xhtml:b>loading</xhtml:b></xhtml:p>") +
                            "<xhtml:ul><xhtml:li>"
                            "scale " +
                            QByteArray::number(number % 7) + "</xhtml:li><xhtml:li>ramp " +
                            QByteArray::number(number % 11) + "</xhtml:li></xhtml:ul>");
    return "<SPEC-OBJECT IDENTIFIER=\"o" + n + "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\"><VALUES>" +
           text + plain("STRING", type + "-id", "REQ-" + n) +
           enumeration(type + "-status", number % 3 ? "ev-0" : "ev-1") +
           enumeration(type + "-tags", "ev-" + QByteArray::number(number % 4) + " ev-4") +
           plain("INTEGER", type + "-priority", QByteArray::number(number % 5)) +
           plain("DATE", type + "-due", "2026-03-01T12:00:00+01:00") +
           plain("REAL", type + "-weight", QByteArray::number(number * 0.25)) +
           plain("BOOLEAN", type + "-safety", number % 2 ? "true" : "false") +
           plain("STRING", type + "-owner", "team " + QByteArray::number(number % 13)) +
           plain("STRING", type + "-note", "checked in review " + QByteArray::number(number % 17)) +
           "</VALUES><TYPE><SPEC-OBJECT-TYPE-REF>sot-" + type +
           "</SPEC-OBJECT-TYPE-REF></TYPE></SPEC-OBJECT>\n";
}

} // namespace

bool writeForeignFile(const QString &path, const ForeignFilePlan &plan)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ-IF "
        "xmlns=\"http://www.omg.org/spec/ReqIF/20110401/reqif.xsd\" "
        "xmlns:xhtml=\"http://www.w3.org/1999/xhtml\"><THE-HEADER><REQ-IF-HEADER "
        "IDENTIFIER=\"h\"><SOURCE-TOOL-ID>Other</SOURCE-TOOL-ID></REQ-IF-HEADER></THE-HEADER>"
        "<CORE-CONTENT><REQ-IF-CONTENT><DATATYPES><DATATYPE-DEFINITION-XHTML IDENTIFIER=\"dt-x\"/>"
        "<DATATYPE-DEFINITION-STRING IDENTIFIER=\"dt-s\" MAX-LENGTH=\"4000\"/>"
        "<DATATYPE-DEFINITION-INTEGER IDENTIFIER=\"dt-i\" MIN=\"0\" MAX=\"10\"/>"
        "<DATATYPE-DEFINITION-REAL IDENTIFIER=\"dt-r\" ACCURACY=\"2\" MIN=\"0\" MAX=\"1e9\"/>"
        "<DATATYPE-DEFINITION-DATE IDENTIFIER=\"dt-d\"/>"
        "<DATATYPE-DEFINITION-BOOLEAN IDENTIFIER=\"dt-b\"/>"
        "<DATATYPE-DEFINITION-ENUMERATION IDENTIFIER=\"dt-e\"><SPECIFIED-VALUES>";
    for (int value = 0; value < 5; ++value)
        xml += "<ENUM-VALUE IDENTIFIER=\"ev-" + QByteArray::number(value) +
               "\" LONG-NAME=\"Value " + QByteArray::number(value) +
               "\"><PROPERTIES><EMBEDDED-VALUE KEY=\"" + QByteArray::number(value) +
               "\" OTHER-CONTENT=\"\"/></PROPERTIES></ENUM-VALUE>";
    xml += "</SPECIFIED-VALUES></DATATYPE-DEFINITION-ENUMERATION></DATATYPES><SPEC-TYPES>";
    for (const char *type : {"a", "b", "h"})
        xml += "<SPEC-OBJECT-TYPE IDENTIFIER=\"sot-" + QByteArray(type) + "\"><SPEC-ATTRIBUTES>" +
               definitions(type, *type == 'h') + "</SPEC-ATTRIBUTES></SPEC-OBJECT-TYPE>";
    xml += "<SPEC-RELATION-TYPE IDENTIFIER=\"srt\" LONG-NAME=\"refines\"/></SPEC-TYPES>"
           "<SPEC-OBJECTS>\n";
    const int every = plan.changed > 0 ? qMax(1, plan.objects / plan.changed) : 0;
    for (int number = 1; number <= plan.objects; ++number) {
        xml += objectXml(number, plan.revision > 1 && every > 0 && number % every == 0 &&
                                     number % kPerHeading != 1);
        if (xml.size() > (1 << 20)) {
            if (file.write(xml) != xml.size())
                return false;
            xml.clear();
        }
    }
    xml += "</SPEC-OBJECTS><SPEC-RELATIONS>";
    for (int relation = 0; relation < plan.relations; ++relation) {
        // From a requirement to the next one of its chapter.
        const int source =
            (relation / (kPerHeading - 2)) * kPerHeading + 2 + relation % (kPerHeading - 2);
        xml += "<SPEC-RELATION IDENTIFIER=\"r" + QByteArray::number(relation) +
               "\"><SOURCE><SPEC-OBJECT-REF>o" + QByteArray::number(source) +
               "</SPEC-OBJECT-REF></SOURCE><TARGET><SPEC-OBJECT-REF>o" +
               QByteArray::number(source + 1) +
               "</SPEC-OBJECT-REF></TARGET><TYPE><SPEC-RELATION-TYPE-REF>srt"
               "</SPEC-RELATION-TYPE-REF></TYPE></SPEC-RELATION>\n";
    }
    xml += "</SPEC-RELATIONS><SPECIFICATIONS><SPECIFICATION IDENTIFIER=\"s\" LONG-NAME=\"Cargo\">"
           "<CHILDREN>\n";
    for (int number = 1; number <= plan.objects; ++number) {
        const QByteArray n = QByteArray::number(number);
        const bool heading = number % kPerHeading == 1;
        if (heading && number > 1)
            xml += "</CHILDREN></SPEC-HIERARCHY>\n";
        xml += "<SPEC-HIERARCHY IDENTIFIER=\"sh" + n + "\"><OBJECT><SPEC-OBJECT-REF>o" + n +
               "</SPEC-OBJECT-REF></OBJECT>" + (heading ? "<CHILDREN>" : "</SPEC-HIERARCHY>");
        if (xml.size() > (1 << 20)) {
            if (file.write(xml) != xml.size())
                return false;
            xml.clear();
        }
    }
    xml += "</CHILDREN></SPEC-HIERARCHY></CHILDREN></SPECIFICATION></SPECIFICATIONS>"
           "</REQ-IF-CONTENT></CORE-CONTENT></REQ-IF>\n";
    return file.write(xml) == xml.size();
}

bool freshDatabase(const QString &path)
{
    const varn::Outcome written = varn::app::BlankImage::writeTo(QString(), path);
    if (!written)
        std::fprintf(stderr, "%s\n", qPrintable(written.message()));
    return written.isOk();
}

qsizetype readFirstScreen(const varn::central::RequirementTableModel &model, int rows, int firstRow)
{
    qsizetype characters = 0;
    for (int column = 0; column < model.columnCount(); ++column)
        characters += model.headerData(column, Qt::Horizontal).toString().size();
    for (int row = firstRow; row < firstRow + rows && row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column)
            characters += model.data(model.index(row, column)).toString().size();
    }
    return characters;
}

} // namespace BenchSupport
