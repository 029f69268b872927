#pragma once

#include "store/requirementrows.h"

#include <QList>
#include <QString>

namespace varn::interchange {

// One stored requirement as it leaves or enters the workspace: its MASTER_REQ
// columns and, for a composed requirement, the rows its composer stored
// (FUNC_REQ or STRUC_REQ with its possible values) as a JSON object.
struct ExchangedRequirement
{
    qint32 number = 0;
    QString type; // "Functional", "Structural", "Technical" (also for a deleted one)
    qint32 source = 0;
    QString category;
    qint32 priority = 1;
    qint32 release = 1;
    qint32 version = 1;
    QString paragraph;
    QString preamble; // "The <system> system shall ..."
    QString text;     // the body after the preamble
    qint32 firstVersion = 0;
    QString dateSaved;
    QString comments;
    bool deleted = false;
    QString storedFields; // compact JSON; empty for a technical requirement

    QString sentence() const { return preamble + QLatin1Char(' ') + text; }
    QString status() const { return deleted ? QStringLiteral("Deleted") : QStringLiteral("Live"); }
    // The kind of requirement each composer (Source) stores.
    static QString kindOfSource(qint32 source);

    // Its MASTER_REQ columns. A requirement imported as a new draft takes
    // only its attributes and versions: its number, kind, words and date are
    // the draft's own, so it never looks like an edit of the source's number.
    enum class MasterColumns { All, AttributesAndVersions };
    store::MasterReqRow masterRow(MasterColumns columns) const;
};

// Requirement `dependent` depends on requirement `parent`.
struct ExchangedLink
{
    qint32 parent = 0;
    qint32 dependent = 0;
    friend bool operator==(const ExchangedLink &, const ExchangedLink &) = default;
};

// What an export writes: the requirements in number order and their links.
struct ExchangeSet
{
    QString systemName;
    QList<ExchangedRequirement> requirements;
    QList<ExchangedLink> links;
};

} // namespace varn::interchange
