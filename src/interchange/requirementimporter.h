#pragma once

#include "common/outcome.h"
#include "interchange/importbatch.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace varn::store {
class RecordObjects;
}

namespace varn::interchange {

// What an import did (or, in a dry run, would do).
struct ImportSummary
{
    struct Imported
    {
        QString origin;
        qint32 number = 0;
        QString sentence;
    };
    QList<Imported> imported;
    int links = 0;
    // Imported as deleted (a file of every version): the object model holds
    // what they derived until it is regenerated.
    int deleted = 0;
    // What was left out, and why: over-long texts, duplicates, references to
    // requirements that were not imported, refusals of a composer.
    QStringList report;
    // What was imported and deserves a word: the cycles of dependents the
    // imported links close.
    QStringList notices;

    // A newer file of a document imported before: the requirements whose
    // object changed (each saved as its next version: number is the new
    // one, previous the version it replaces), how many stayed as they were,
    // and the requirements whose objects the file no longer holds, marked
    // deleted only when the import was asked to.
    struct Changed
    {
        QString origin;
        qint32 previous = 0;
        qint32 number = 0;
        QString sentence;
    };
    QList<Changed> changed;
    int unchanged = 0;
    struct Missing
    {
        QString origin;
        qint32 number = 0;
        QString sentence;
    };
    QList<Missing> missing;
    bool missingDeleted = false;
    bool isUpdate() const { return !changed.isEmpty() || unchanged > 0 || !missing.isEmpty(); }
};

// Writes a batch through the composers' own saves (so each table keeps its
// one writer) inside one transaction: everything or, when the database fails,
// nothing. A requirement a composer refuses is left out and reported. A dry
// run does all of it and rolls back. Objects of another tool's file are kept
// with the requirements they became; a requirement whose object (matched by
// its identifier) came in before is updated rather than imported again.
class RequirementImporter
{
public:
    using Progress = std::function<void(int done, int total)>;

    RequirementImporter(store::RecordObjects &records, QString systemName);

    Result<ImportSummary> run(const ImportBatch &batch, bool dryRun, const Progress &progress = {});
    // The items one at a time as a file is read, for a batch without links
    // or another tool's document: each is stored before the next is read, in
    // the same one transaction, so an import of any length holds one item.
    // A refusal of the source (a record that is wrong) rolls back what was
    // stored before it. total is what the progress counts to.
    using NextItem = std::function<Result<std::optional<ImportBatch::Item>>()>;
    Result<ImportSummary> run(const NextItem &next, int total, bool dryRun,
                              const Progress &progress = {});
    // A requirement whose object a newer file no longer holds is marked
    // deleted (off: it is only listed).
    void setDeleteMissing(bool remove) { m_deleteMissing = remove; }

    // What makes two sentences the same requirement: the words after
    // "system shall", blanks collapsed, any case.
    static QString duplicateKey(const QString &sentence);

private:
    class Run;
    store::RecordObjects &m_records;
    QString m_systemName;
    bool m_deleteMissing = false;
};

} // namespace varn::interchange
