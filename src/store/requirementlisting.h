#pragma once

#include "common/outcome.h"
#include "store/requirementrows.h"

#include <QList>
#include <QString>
#include <QVariantList>

#include <optional>
#include <utility>

class QSqlDatabase;

namespace varn::store {

// Which MASTER_REQ rows a listing selects. Every selection but ByNumber,
// Requirement and VersionsOf leaves deleted and superseded rows out.
// Patterns take "%" for any run of characters (and "_" for one) and match
// letters without regard to case on every backend.
struct RequirementSelection
{
    enum class Kind {
        Live,        // every requirement not deleted
        OfType,      // text: the kind ("Functional", "Structural", "Technical")
        ByTemplate,  // number: the Source (0 the Requirement Builder, n template n)
        ByNumber,    // text: a pattern over the number's decimal text
        ByParagraph, // text: a pattern over the paragraph
        ByEntity,    // text: a pattern over the entity names it mentions
        Requirement, // number: that requirement
        VersionsOf,  // number: the first version all versions share
        Suspect,     // every requirement not deleted with a link still to review
        ByText,      // text: the words its sentence, paragraph or comments hold
                     // (store::WordSearch reads them)
    };

    Kind kind = Kind::Live;
    QString text;
    qint32 number = 0;

    friend bool operator==(const RequirementSelection &, const RequirementSelection &) = default;
};

// The orders a listing can take: by a MASTER_REQ column, or (Sentence) by the
// sentence the list shows, preamble before text.
enum class RequirementOrder {
    Number,
    Type,
    Source,
    Category,
    Priority,
    Release,
    Version,
    Paragraph,
    Sentence,
    FirstVersion,
    DateSaved,
    Comments,
    // How well a requirement matches the words of a ByText selection, best
    // first; by number for any other selection.
    Relevance,
};

// The beginning of a listing: its first numbers in the order asked for and
// how many it lists in all, so that a long list shows its first screen
// without reading every number it holds.
struct ListingStart
{
    QList<qint32> numbers;
    qsizetype total = 0;
    // numbers holds the whole listing.
    bool complete = false;
};

// Where a read of a listing stopped: the last row read, by its number and
// the value the order sorts it by (as text; null for an empty value). The
// next read continues past it in the order's index.
struct ListingKey
{
    qint32 number = 0;
    QString value;
    bool null = false;

    friend bool operator==(const ListingKey &, const ListingKey &) = default;
};

// A run of numbers of a listing read on from a key, and the key of the last
// of them.
struct ListingBlock
{
    QList<qint32> numbers;
    ListingKey last;
    // Fewer numbers than asked for: the listing ends after them.
    bool ended = false;
};

// Requirements Central's reads of MASTER_REQ: the numbers a selection lists
// in the order asked for, then the rows a page at a time. Nothing stays open
// on the connection between calls. A failure says "Cannot open ReqMsSet
// recordset.\n" and the database's text.
class RequirementListing
{
public:
    explicit RequirementListing(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Equal sort values keep number order.
    Result<QList<qint32>> numbers(const RequirementSelection &selection, RequirementOrder order,
                                  bool ascending) const;
    // At least the first `rows` numbers of numbers() (all of them when the
    // listing is that short, or cannot be begun more cheaply than read
    // whole), and the listing's length.
    Result<ListingStart> start(const RequirementSelection &selection, RequirementOrder order,
                               bool ascending, int rows) const;
    // The next `rows` numbers of numbers() after the row of `after` (from the
    // first row without it): each block reads on through the order's index
    // from where the last one stopped rather than from the start. Backwards
    // reads the listing from its last row towards its first, the numbers in
    // that reversed order. A selection not read along an order's index (a
    // pattern, a rank, another table) gives all the rest at once.
    Result<ListingBlock> block(const RequirementSelection &selection, RequirementOrder order,
                               bool ascending, const std::optional<ListingKey> &after, int rows,
                               bool backwards = false) const;
    // The rows a selection lists, in no particular order.
    Result<QList<MasterReqRow>> rows(const RequirementSelection &selection) const;
    // The rows of these numbers (one page of the list), in no particular
    // order; numbers without a row are left out.
    Result<QList<MasterReqRow>> page(const QList<qint32> &numbers) const;

private:
    friend class ListingReader;
    // One statement that reads the number, kind, preamble and text of every
    // row a selection lists, in the order asked for (equal sort values in
    // number order), and its bound values: a listing read from end to end
    // in one pass.
    static std::pair<QString, QVariantList> listedRowsRead(const QSqlDatabase &database,
                                                           const RequirementSelection &selection,
                                                           RequirementOrder order, bool ascending);

    // The first `rows` only when rows > 0.
    Result<QList<qint32>> numbersByRelevance(const RequirementSelection &selection, bool bestFirst,
                                             int rows = 0) const;
    Outcome failure(const RequirementSelection &selection, const QString &why) const;
    Result<QList<MasterReqRow>> rowsWhere(const QString &where, const QVariantList &values) const;

    QString m_connection;
};

} // namespace varn::store
