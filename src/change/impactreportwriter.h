#pragma once

#include "change/impact.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace varn::change {

// The impact of a change written for a reader (lines of text) or for a
// program (JSON, its keys in English whatever the language of the reader).
class ImpactReportWriter
{
public:
    static QStringList text(const ImpactReport &report);
    static QByteArray json(const ImpactReport &report);

    // "Impact of requirement 1 (now 5)"
    static QString heading(const ImpactReport &report);
    // The chain of links to the requirement at a position of a walk, each
    // parent before its dependent: "5 -> 2 -> 4".
    static QString chain(const Reach &reach, qsizetype position);
    // "Version 2 (requirement 5) against version 1 (requirement 1)"
    static QString deltaHeading(const VersionDelta &delta);
    // What a report without generated code, or a delta without changes, says.
    static QString noCode();
    static QString onlyVersion();
    static QString noModelChange();
};

} // namespace varn::change
