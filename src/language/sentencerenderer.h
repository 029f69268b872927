#pragma once

#include <QString>
#include <QStringList>

namespace varn::language {

// The Builder's sentence: "The ", the system name, " system ", the preamble
// and the cell texts in position order, each followed by one blank, trailing
// white space removed and a full stop appended. No word is inserted: articles
// and prepositions are what the user typed.
class SentenceRenderer
{
public:
    static QString render(const QString &systemName, const QString &preamble,
                          const QStringList &cells);
};

} // namespace varn::language
