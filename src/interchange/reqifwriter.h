#pragma once

#include "common/outcome.h"
#include "interchange/exchangedrequirement.h"

#include <QDateTime>
#include <QIODevice>

#include <functional>

namespace varn::interchange {

// Writes requirements as one requirements-exchange document: the header,
// the datatypes, one requirement type with its attribute definitions, one
// object per requirement, a relation per dependent link and one
// document tree ordered by paragraph, then number. Identifiers depend only on
// the system name and the requirement numbers, so exporting twice gives the
// same identifiers.
class ReqIfWriter
{
public:
    using Progress = std::function<void(int written, int total)>;

    static Outcome write(const ExchangeSet &set, QIODevice &device, const QDateTime &created,
                         const Progress &progress = {});

    // The prefix of every identifier of a system's files.
    static QString identifierPrefix(const QString &systemName);
    // LAST-CHANGE of a requirement saved on that day ("3-7-2009").
    static QString lastChange(const QString &dateSaved);
};

} // namespace varn::interchange
