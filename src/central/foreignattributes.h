#pragma once

#include "common/outcome.h"

#include <QList>
#include <QString>

namespace varn::central {

// What a requirement imported from another tool's file keeps of the object
// it came from, as it is shown: the object's identifier and type, and each
// attribute by its long name with its readable value.
struct ForeignAttributes
{
    struct Entry
    {
        QString name;
        QString value;
        friend bool operator==(const Entry &, const Entry &) = default;
    };
    QString identifier;
    QString typeName;
    QString longName;
    QList<Entry> entries;

    bool isEmpty() const { return identifier.isEmpty(); }

    // Empty when the requirement came from nowhere else.
    static Result<ForeignAttributes> read(const QString &connectionName, qint32 number);
    // The whole text of a requirement whose sentence had to be shortened,
    // empty when the sentence holds it all.
    static Result<QString> fullText(const QString &connectionName, qint32 number);
    // "The <system> system shall" and the whole text, as a sentence.
    static QString wholeSentence(const QString &preamble, const QString &fullText);
};

} // namespace varn::central
