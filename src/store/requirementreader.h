#pragma once

#include "common/outcome.h"
#include "store/requirementrows.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace varn::store {

// One stored row of a requirement as its table holds it: the table, and its
// non-empty columns as "name, value" in the table's column order.
struct DumpedRow
{
    QString table;
    QList<std::pair<QString, QString>> fields;
};

// A stored requirement and its sentence, "Preamble ReqText".
struct NumberedSentence
{
    qint32 number = 0;
    QString sentence;
};

// A requirement's sentence, and whether it is deleted or superseded.
struct SentenceState
{
    QString sentence;
    bool deleted = false;
};

// A version of a requirement after its first: its number, the number of
// its first version (OrigReqNum), its version and whether it is deleted or
// superseded.
struct LaterVersion
{
    qint32 number = 0;
    qint32 firstVersion = 0;
    qint32 version = 0;
    bool deleted = false;
};

// The one route by which the rest of the program reads stored requirements:
// their MASTER_REQ rows, the FUNC_REQ and STRUC_REQ rows their composers
// stored, and the POSS_VALS rows of those. Works on a workspace's
// requirements database, and on the application database, whose worked
// examples are stored in the same tables.
//
// Unless a method says otherwise, a failure is the record set's own
// ("Cannot open ReqMsSet recordset.\n" and the database's text).
class RequirementReader
{
public:
    explicit RequirementReader(QString connectionName);
    ~RequirementReader();
    RequirementReader(const RequirementReader &) = delete;
    RequirementReader &operator=(const RequirementReader &) = delete;

    const QString &connectionName() const { return m_connection; }

    // The rows of one requirement; nullopt when it has none.
    Result<std::optional<MasterReqRow>> master(qint32 number) const;
    Result<std::optional<FuncReqRow>> functional(qint32 number) const;
    Result<std::optional<StrucReqRow>> structural(qint32 number) const;
    // The values a structural requirement lists, in the order saved.
    Result<QStringList> possibleValues(qint32 number) const;

    // Hands visit the STRUC_REQ row of every live requirement of a template
    // whose EntityAttr is the text as a whole (its "%" and "_" are no
    // wildcards), ordered by Position, then number. The outcome is the
    // walk's: a read that fails ends it.
    Outcome forEachLiveStructural(int source, const QString &entityAttr,
                                  const std::function<void(const StrucReqRow &row)> &visit) const;

    // The lists of the Edit menu's dialogs, by number. A failure says
    // "Error querying the ReqMsSet recordset.\n" and the database's text.
    // Functional, Structural and Technical requirements.
    Result<QList<MasterReqRow>> linkableRequirements() const;
    // Every requirement not deleted.
    Result<QList<MasterReqRow>> liveRequirements() const;
    // The stored requirements the parent's dependent links name.
    Result<QList<MasterReqRow>> dependentRequirements(qint32 parent) const;

    // Every stored row of one requirement, verbatim: MASTER_REQ, FUNC_REQ,
    // STRUC_REQ, POSS_VALS by key, DEPENDENT_REQ by dependent. Empty when the
    // number is unknown; a failure stops with "Error querying the
    // Requirements database.".
    Result<QList<DumpedRow>> storedRows(qint32 number) const;

    // Every stored version after a first one, in no order: the few rows that
    // join a requirement's versions, read in one pass. A failure stops with
    // "Error querying the Requirements database." and the database's text.
    Result<QList<LaterVersion>> laterVersions() const;

    // The sentences of the live requirements. A failure stops with the
    // database's text (after "Error querying the Requirements database.\n"
    // when the statement ran).
    Result<QList<NumberedSentence>> liveSentences() const;
    // The sentence of one requirement, empty when there is none or it cannot
    // be read. Its statement is prepared once, for callers that ask for
    // many in a row.
    QString sentenceOf(qint32 number);

    // For the trace, with statements prepared once like sentenceOf(); a
    // failure says "Error querying the Requirements database.".
    // The sentence of one requirement; nullopt when there is none.
    Result<std::optional<SentenceState>> sentenceState(qint32 number);
    // The texts the requirement's composer stored: the text columns of its
    // FUNC_REQ and STRUC_REQ rows but the term codes, in column order, then
    // its possible values.
    Result<QStringList> composerTexts(qint32 number);

private:
    Result<QList<MasterReqRow>> masterRowsByNumber(const QString &where,
                                                   const QVariantList &values) const;

    struct Prepared;
    QString m_connection;
    std::unique_ptr<Prepared> m_prepared;
};

} // namespace varn::store
