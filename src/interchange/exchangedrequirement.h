#pragma once

#include "common/outcome.h"
#include "interchange/reqifcontent.h"
#include "store/requirementrows.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

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

// What the workspace keeps of other tools' documents, for an export to write
// back: each document's layout (datatypes, types, document trees, hierarchy,
// the objects that are no requirements) with its relations, and the object
// of each exported requirement that came from one.
struct ForeignRecords
{
    struct Document
    {
        qint32 number = 0;
        ReqIfContent content;
    };
    QList<Document> documents;
    QHash<qint32, ReqIfContent::Object> objects; // by requirement number
    QHash<qint32, qint32> documentOf;            // requirement number -> document number
};

// What an export writes: the requirements in number order and their links.
// The requirements are read as they are written, never all held at once:
// forEachRequirement reads them again on every call.
struct ExchangeSet
{
    using Visit = std::function<Outcome(const ExchangedRequirement &requirement)>;

    QString systemName;
    // How many requirements forEachRequirement hands over.
    int count = 0;
    // Hands every requirement, in number order, to the visit (valid until it
    // returns); the first refusal stops the reading and is returned.
    std::function<Outcome(const Visit &visit)> forEachRequirement;
    QList<ExchangedLink> links;
    // The whole texts of requirements whose sentences were shortened.
    QHash<qint32, QString> fullTexts;
    // Null when no requirement came from another tool's document.
    std::shared_ptr<const ForeignRecords> foreign;
};

} // namespace varn::interchange
