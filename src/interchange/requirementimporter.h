#pragma once

#include "common/outcome.h"
#include "interchange/importbatch.h"
#include "interchange/reportlines.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <iterator>
#include <memory>
#include <optional>

namespace varn::store {
class RecordObjects;
}

namespace varn::interchange {

struct ImportedRequirement
{
    QString origin;
    qint32 number = 0;
    QString sentence;
};

// The requirements an import stored, in their order. The first few thousand
// are held in memory; the rest go to a temporary file as they come and are
// read back from it, so that the summary of a million records stays small.
// Copies share that file: only the import that fills the list appends.
class ImportedList
{
public:
    static constexpr qsizetype kHeld = 4096;

    // False when the temporary file could not be written (a full disk).
    [[nodiscard]] bool append(const ImportedRequirement &requirement);
    // Why the last append failed.
    QString error() const;

    qsizetype size() const { return m_held.size() + m_spooled; }
    bool isEmpty() const { return size() == 0; }
    ImportedRequirement at(qsizetype index) const;
    ImportedRequirement operator[](qsizetype index) const { return at(index); }
    ImportedRequirement first() const { return at(0); }
    ImportedRequirement last() const { return at(size() - 1); }

    class const_iterator
    {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = ImportedRequirement;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = ImportedRequirement;

        const_iterator(const ImportedList *list, qsizetype index) : m_list(list), m_index(index) {}
        ImportedRequirement operator*() const { return m_list->at(m_index); }
        const_iterator &operator++()
        {
            ++m_index;
            return *this;
        }
        bool operator==(const const_iterator &other) const { return m_index == other.m_index; }

    private:
        const ImportedList *m_list;
        qsizetype m_index;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    struct Spool;
    QList<ImportedRequirement> m_held;
    std::shared_ptr<Spool> m_spool;
    qsizetype m_spooled = 0;
};

// What an import did (or, in a dry run, would do).
struct ImportSummary
{
    using Imported = ImportedRequirement;
    ImportedList imported;
    int links = 0;
    // Imported as deleted (a file of every version): the object model holds
    // what they derived until it is regenerated.
    int deleted = 0;
    // What was left out, and why: over-long texts, duplicates, references to
    // requirements that were not imported, refusals of a composer.
    ReportLines report;
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
    // The batch's links, report and document with the items next gives
    // (the batch's own items are not read).
    Result<ImportSummary> run(const ImportBatch &batch, const NextItem &next, int total,
                              bool dryRun, const Progress &progress = {});
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
