#pragma once

#include "common/outcome.h"
#include "interchange/importbatch.h"
#include "interchange/reqifcontent.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace varn::interchange {

// Turns what a requirements-exchange file holds into requirements to import.
// A file Varn SE wrote gives back each requirement's attributes and stored
// fields. Any other tool's file gives technical requirements, each carrying
// its object whole:
// - the text is "ReqIF.Text", else the type's main text attribute: its
//   first XHTML attribute, else the string attribute with the longest
//   values (an object without that value takes the next of them);
// - an object with a chapter name and no "ReqIF.Text" (whatever else it
//   carries), or without text of a type that has no text attribute, is a
//   heading: the headings number the paragraphs
//   ("3", "3.2", "3.2.1") by their place among the document tree's headings,
//   and a requirement takes the number of the last heading above it (an
//   ancestor, or an earlier sibling of it or of an ancestor); one above
//   every heading has none. A document tree without headings numbers its
//   requirements by their places in the hierarchy;
// - a text longer than a sentence may be is kept whole in fullText and the
//   sentence ends, shortened at a word, with kShortenedMark;
// - control characters become blanks;
// - relations become links with their type's name.
class ReqIfInterpreter
{
public:
    // What ends a sentence that holds only the start of a longer text.
    static constexpr char16_t kShortenedMark[] = u" …";

    static bool isVarnFile(const ReqIfContent &content);
    // Every document tree of the file.
    static ImportBatch interpret(ReqIfContent content);
    // Only the document tree with that long name or identifier (every one
    // when empty); refused when the file holds none of that name.
    static Result<ImportBatch> interpret(ReqIfContent content, const QString &specification);

    // The report, links and document of a file's batch, and its items one
    // at a time as the import asks for them: each is made from its object
    // when asked for, so that a file of any size never has every item held.
    struct Streamed
    {
        ImportBatch batch; // without items
        std::function<Result<std::optional<ImportBatch::Item>>()> next;
        qsizetype total = 0; // how many items next gives
    };
    static Result<Streamed> stream(ReqIfContent content, const QString &specification);

    // The document trees' long names (their identifiers when they have none).
    static QStringList specificationNames(const ReqIfContent &content);
};

} // namespace varn::interchange
