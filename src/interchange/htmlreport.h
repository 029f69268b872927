#pragma once

#include "interchange/exchangedrequirement.h"
#include "interchange/requirementtrace.h"

#include <QDateTime>
#include <QList>
#include <QString>

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
    static QString page(const ExchangeSet &set, const QList<TracedRequirement> &traces,
                        const QList<ReportClass> &classes, const QDateTime &created);
};

} // namespace varn::interchange
