#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

struct sqlite3;

namespace varn::store {

// The best matches of a search by words in a workspace file, and how many
// requirements match (those without a kind left out, as the list leaves
// them out), from one pass over the word index (REQ_WORDS). Each
// match comes with its relevance as the index ranks it (its rank column, the
// same value "ORDER BY rank" sorts by) and is kept among the best so far
// here rather than in a sort of SQLite's; the matches are counted as they go
// by instead of in a second pass over the index. The order is that of
// "ORDER BY rank, rowid" (or "rank DESC, rowid"): equal ranks in number
// order, whatever order the index gives the matches in.
class BestWordMatches
{
public:
    struct Found
    {
        QList<qint32> numbers; // at most the rows asked for, the best first
        qsizetype matches = 0; // every requirement that matches
    };

    // match: an FTS5 MATCH expression, bound as a value. bestFirst false
    // puts the weakest matches first (equal ones still in number order).
    static Result<Found> read(sqlite3 *handle, const QString &match, int rows, bool bestFirst);
};

} // namespace varn::store
