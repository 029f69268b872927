#pragma once

#include "change/worddifference.h"
#include "common/outcome.h"
#include "store/suspectlinktable.h"

#include <QList>
#include <QString>

#include <optional>

namespace varn::change {

// A suspect link with the change that made it so: the sentence of the
// changed requirement before and after (empty after a deletion), and their
// word-level difference.
struct SuspectEntry
{
    store::SuspectLink link;
    QString before;
    QString after;
    QList<WordPiece> words;

    bool deleted() const { return link.replacement == 0; }
};

// The parent-dependent links to review after a change, and their review.
// They are marked by the store in the transaction of the save or deletion
// that made them suspect; here they are read with their causes and cleared,
// who and when being recorded.
class SuspectLinks
{
public:
    explicit SuspectLinks(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Every open suspect link, by parent and dependent.
    Result<QList<SuspectEntry>> open() const;
    // The links reviewed so far, with who cleared them and when.
    Result<QList<SuspectEntry>> reviewed() const;
    // Those of one requirement, parent or dependent (the row itself, or the
    // one it replaced in the change).
    Result<QList<SuspectEntry>> touching(int number) const;

    // Clears the requirement's open suspect links (those to the dependent
    // alone when one is given); refused when there is none.
    Result<int> clear(int number, std::optional<int> dependent = std::nullopt) const;

    // "Requirement 5 replaced 1" / "Requirement 1 was deleted"
    static QString causeText(const SuspectEntry &entry);
    static QString clearedStatus(int count);
    // The link and its cause on one line, the sentence's words marked.
    static QString describe(const SuspectEntry &entry);

private:
    Result<QList<SuspectEntry>> withCauses(const Result<QList<store::SuspectLink>> &links) const;

    QString m_connection;
};

} // namespace varn::change
