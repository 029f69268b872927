#include "interchange/htmlreport.h"

namespace varn::interchange {

namespace {

const char kStyle[] = R"(
body { font-family: "DejaVu Sans", sans-serif; font-size: 10pt; margin: 2em; color: #000; }
h1 { font-size: 16pt; } h2 { font-size: 13pt; margin-top: 2em; }
table { border-collapse: collapse; width: 100%; }
th, td { border: 1px solid #888; padding: 3px 6px; text-align: left; vertical-align: top; }
th { background: #e8e8e8; }
tr { page-break-inside: avoid; }
thead { display: table-header-group; }
.deleted { color: #777; text-decoration: line-through; }
ul { margin: 0; padding-left: 1.2em; }
@media print { body { margin: 0; font-size: 9pt; } h2.model { page-break-before: always; } }
)";

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString cell(const QString &text)
{
    return QStringLiteral("<td>") + escaped(text) + QStringLiteral("</td>");
}

QString producedList(const TracedRequirement &trace)
{
    if (trace.entities.isEmpty())
        return QStringLiteral("<td></td>");
    QString html = QStringLiteral("<td><ul>");
    for (const TracedEntity &entity : trace.entities) {
        html += QStringLiteral("<li>") + escaped(entity.name);
        QStringList members;
        for (const TracedMember &attribute : entity.attributes)
            members.append(QStringLiteral("attribute ") + attribute.name);
        for (const TracedMember &method : entity.methods)
            members.append(QStringLiteral("method ") + method.name + QStringLiteral("()"));
        if (!members.isEmpty())
            html += QStringLiteral(": ") + escaped(members.join(QStringLiteral(", ")));
        html += QStringLiteral("</li>");
    }
    return html + QStringLiteral("</ul></td>");
}

} // namespace

Outcome HtmlReport::write(const ExchangeSet &set, const TraceOf &traceOf,
                          const QList<ReportClass> &classes, const QDateTime &created,
                          QIODevice &device, const Progress &progress)
{
    auto put = [&device](const QString &html) { device.write(html.toUtf8()); };
    const QString title = QStringLiteral("Requirements of the %1 system").arg(set.systemName);
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta "
                                  "charset=\"utf-8\">\n<title>") +
                   escaped(title) + QStringLiteral("</title>\n<style>") +
                   QString::fromLatin1(kStyle) + QStringLiteral("</style>\n</head>\n<body>\n");
    html += QStringLiteral("<h1>") + escaped(title) + QStringLiteral("</h1>\n<p>") +
            escaped(QStringLiteral("%1 requirement(s), reported %2")
                        .arg(set.count)
                        .arg(created.toString(Qt::ISODate))) +
            QStringLiteral("</p>\n");

    html += QStringLiteral("<h2>Requirements</h2>\n<table>\n<thead><tr>");
    for (const char *head : {"No.", "Type", "Requirement", "Paragraph", "Category", "Priority",
                             "Release", "Version", "Date Saved",
                             "Derived entities, attributes "
                             "and methods"})
        html += QStringLiteral("<th>") + QLatin1String(head) + QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    put(html);
    int done = 0;
    const Outcome rows = set.forEachRequirement([&](const ExchangedRequirement &requirement) {
        const Result<TracedRequirement> trace = traceOf(requirement.number);
        if (!trace)
            return trace.outcome();
        QString row =
            requirement.deleted ? QStringLiteral("<tr class=\"deleted\">") : QStringLiteral("<tr>");
        // A sentence shortened on import shows the whole text it came with.
        const auto whole = set.fullTexts.constFind(requirement.number);
        const QString sentence =
            whole == set.fullTexts.cend()
                ? requirement.sentence() + QLatin1Char('.')
                : requirement.preamble + QLatin1Char(' ') + whole->trimmed() +
                      (whole->trimmed().endsWith(QLatin1Char('.')) ? QString()
                                                                   : QStringLiteral("."));
        row += cell(QString::number(requirement.number)) + cell(requirement.type) + cell(sentence) +
               cell(requirement.paragraph) + cell(requirement.category) +
               cell(QString::number(requirement.priority)) +
               cell(QString::number(requirement.release)) +
               cell(QString::number(requirement.version)) + cell(requirement.dateSaved);
        row += producedList(trace.value());
        row += QStringLiteral("</tr>\n");
        put(row);
        ++done;
        if (progress && (done % 100 == 0 || done == set.count))
            progress(done, set.count);
        return Outcome::ok();
    });
    if (!rows)
        return rows;
    html = QStringLiteral("</tbody>\n</table>\n");

    html +=
        QStringLiteral("<h2 class=\"model\">Object model</h2>\n<table>\n<thead><tr><th>Class</th>"
                       "<th>Attributes</th><th>Methods</th></tr></thead>\n<tbody>\n");
    for (const ReportClass &modelClass : classes) {
        html += QStringLiteral("<tr>") + cell(modelClass.name) +
                cell(modelClass.attributes.join(QStringLiteral(", "))) +
                cell(modelClass.methods.join(QStringLiteral(", "))) + QStringLiteral("</tr>\n");
    }
    if (classes.isEmpty())
        html += QStringLiteral("<tr><td colspan=\"3\">No classes: the object model is empty."
                               "</td></tr>\n");
    html += QStringLiteral("</tbody>\n</table>\n</body>\n</html>\n");
    put(html);
    return Outcome::ok();
}

} // namespace varn::interchange
