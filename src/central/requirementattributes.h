#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

namespace varn::central {

// The paragraph, category, priority, release and comments of a stored
// requirement, changed in place: no new version, no new date.
class RequirementAttributes
{
public:
    struct Values
    {
        QString paragraph;
        QString category = QStringLiteral("Software");
        QString priority = QStringLiteral("1"); // shown texts "1" to "9"
        QString release = QStringLiteral("1");
        QString comments;
        int version = 1; // shown only
    };

    explicit RequirementAttributes(QString connectionName) : m_connection(std::move(connectionName))
    {}

    // The stored values as the dialog shows them; a category or release that
    // matches no list entry takes the default, and its message is added to
    // the notices.
    Result<Values> load(int number, QList<Outcome> *notices = nullptr) const;
    Outcome save(int number, const Values &values) const;

    static QString savedStatus(int number);

private:
    QString m_connection;
};

} // namespace varn::central
