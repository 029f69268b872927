#include "quality/qualityreport.h"

#include "common/savedfile.h"
#include "quality/qualitytr.h"
#include "quality/rulebook.h"
#include "quality/workspacequality.h"
#include "store/qualitytables.h"

#include <QIODevice>

#include <algorithm>

namespace varn::quality {

namespace {

const char kStyle[] = R"(
body { font-family: "DejaVu Sans", sans-serif; font-size: 10pt; margin: 2em; color: #000; }
h1 { font-size: 16pt; } h2 { font-size: 13pt; margin-top: 2em; }
table { border-collapse: collapse; width: 100%; }
th, td { border: 1px solid #888; padding: 3px 6px; text-align: left; vertical-align: top; }
th { background: #e8e8e8; }
tr { page-break-inside: avoid; }
thead { display: table-header-group; }
mark { background: #ffd6d6; text-decoration: underline wavy #c00000; }
.none { color: #555; }
@media print { body { margin: 0; font-size: 9pt; } }
)";

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// The sentence with the finding's words marked, when they stand where the
// finding says.
QString markedSentence(const QString &sentence, const Finding &finding)
{
    if (finding.start < 0 || finding.start + finding.length > sentence.size() ||
        sentence.mid(finding.start, finding.length) != finding.words)
        return escaped(sentence);
    return escaped(sentence.left(finding.start)) + QStringLiteral("<mark>") +
           escaped(finding.words) + QStringLiteral("</mark>") +
           escaped(sentence.mid(finding.start + finding.length));
}

QString suggestionText(const Finding &finding)
{
    if (!finding.suggestion)
        return {};
    if (finding.suggestion->isEmpty())
        return Tr::tr("Remove \"%1\"").arg(finding.words);
    return *finding.suggestion;
}

} // namespace

QString QualityReport::page(const QString &systemName, const QList<RequirementFindings> &found,
                            const QHash<qint32, QString> &sentences, int checked,
                            const QDateTime &created)
{
    int findings = 0;
    for (const RequirementFindings &requirement : found)
        findings += int(requirement.findings.size());
    const QString title = Tr::tr("Quality of the requirements of the %1 system").arg(systemName);
    QString html = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta "
                                  "charset=\"utf-8\">\n<title>") +
                   escaped(title) + QStringLiteral("</title>\n<style>") +
                   QString::fromLatin1(kStyle) + QStringLiteral("</style>\n</head>\n<body>\n");
    html += QStringLiteral("<h1>") + escaped(title) + QStringLiteral("</h1>\n<p>") +
            escaped(Tr::tr("%1 live requirement(s) checked, %2 with findings, %3 finding(s); "
                           "reported %4")
                        .arg(checked)
                        .arg(found.size())
                        .arg(findings)
                        .arg(created.toString(Qt::ISODate))) +
            QStringLiteral("</p>\n");
    if (found.isEmpty())
        html += QStringLiteral("<p class=\"none\">") + escaped(Tr::tr("No findings.")) +
                QStringLiteral("</p>\n");
    const QStringList heads = {Tr::tr("No."), Tr::tr("Requirement"), Tr::tr("Message"),
                               Tr::tr("Suggestion")};
    for (const RuleInfo &rule : RuleBook::rules()) {
        const QString id = QLatin1String(rule.id);
        QString rows;
        int count = 0;
        for (const RequirementFindings &requirement : found) {
            for (const Finding &finding : requirement.findings) {
                if (finding.rule != id)
                    continue;
                ++count;
                rows += QStringLiteral("<tr><td>") + QString::number(requirement.number) +
                        QStringLiteral("</td><td>") +
                        markedSentence(sentences.value(requirement.number), finding) +
                        QStringLiteral("</td><td>") + escaped(finding.message) +
                        QStringLiteral("</td><td>") + escaped(suggestionText(finding)) +
                        QStringLiteral("</td></tr>\n");
            }
        }
        if (count == 0)
            continue;
        html += QStringLiteral("<h2 id=\"") + id + QStringLiteral("\">") +
                escaped(Tr::tr("%1 [%2]: %3").arg(RuleBook::title(id), id).arg(count)) +
                QStringLiteral("</h2>\n<table>\n<thead><tr>");
        for (const QString &head : heads)
            html += QStringLiteral("<th>") + escaped(head) + QStringLiteral("</th>");
        html += QStringLiteral("</tr></thead>\n<tbody>\n") + rows +
                QStringLiteral("</tbody>\n</table>\n");
    }
    return html + QStringLiteral("</body>\n</html>\n");
}

Result<QualityReport::Summary> QualityReport::write(const QString &connectionName,
                                                    const QString &systemName, const QString &path,
                                                    const QStringList &ownFiles,
                                                    const Progress &progress)
{
    for (const QString &own : ownFiles) {
        if (SavedFile::sameFile(path, own))
            return Outcome::warning(
                Tr::tr("%1 is the open workspace's own file %2; a report never overwrites it. "
                       "Choose another file.")
                    .arg(path, own));
    }
    const auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    report(0);
    Result<RuleSettings> settings = WorkspaceQuality::readSettings(connectionName);
    if (!settings)
        return settings.outcome();
    Result<QList<store::QualityAcceptanceRow>> accepted =
        store::QualityTables(connectionName).acceptances();
    if (!accepted)
        return accepted.outcome();
    Result<WorkspaceFacts> facts = WorkspaceQuality(connectionName).readFacts();
    if (!facts)
        return facts.outcome();
    // Reading takes about a third of the work, checking the rest.
    report(30);
    const QList<RequirementFindings> found = WorkspaceQuality::check(
        facts.value(), settings.value(), accepted.value(), std::nullopt,
        [&](int done, int all) { report(30 + (all ? done * 65 / all : 65)); });
    QHash<qint32, QString> sentences;
    for (const RequirementFindings &requirement : found)
        sentences.insert(requirement.number, QString());
    for (const RequirementFacts &requirement : facts->requirements) {
        if (sentences.contains(requirement.number))
            sentences[requirement.number] = requirement.sentence.sentence;
    }
    Summary summary;
    summary.requirements = int(facts->requirements.size());
    summary.withFindings = int(found.size());
    for (const RequirementFindings &requirement : found)
        summary.findings += int(requirement.findings.size());
    const QByteArray html =
        page(systemName, found, sentences, summary.requirements, QDateTime::currentDateTime())
            .toUtf8();
    const Outcome written = SavedFile::write(path, [&](QIODevice &file) {
        if (file.write(html) != html.size())
            return SavedFile::failure(path, file.errorString());
        return Outcome::ok();
    });
    if (!written)
        return written;
    report(100);
    return summary;
}

} // namespace varn::quality
