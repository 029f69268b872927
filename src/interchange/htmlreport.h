#pragma once

#include "common/outcome.h"
#include "interchange/exchangedrequirement.h"
#include "interchange/requirementtrace.h"

#include <QDateTime>
#include <QIODevice>
#include <QList>
#include <QString>

#include <functional>

namespace varn::interchange {

// One class of the object model, for the report.
struct ReportClass
{
    QString name;
    QStringList attributes; // "name : type"
    QStringList methods;
};

// A requirements report as one self-contained HTML page (its style inside,
// no external file): the requirements table, what each requirement
// produced, and the object model's classes. Tables keep their rows whole and
// repeat their heads on every printed page.
class HtmlReport
{
public:
    // What a requirement produced, asked for as its row is written.
    using TraceOf = std::function<Result<TracedRequirement>(qint32 number)>;
    using Progress = std::function<void(int written, int total)>;

    // Writes the page row by row as the set hands the requirements over; a
    // refused trace or read stops it and is returned.
    static Outcome write(const ExchangeSet &set, const TraceOf &traceOf,
                         const QList<ReportClass> &classes, const QDateTime &created,
                         QIODevice &device, const Progress &progress = {});
};

} // namespace varn::interchange
