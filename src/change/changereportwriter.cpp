#include "change/changereportwriter.h"
#include "change/changereportstream.h"
#include "change/changetr.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace varn::change {

namespace {

const char *kindKey(RequirementChange::Kind kind)
{
    switch (kind) {
    case RequirementChange::Kind::Added:
        return "added";
    case RequirementChange::Kind::Deleted:
        return "deleted";
    case RequirementChange::Kind::Changed:
        break;
    }
    return "changed";
}

const char *pieceKey(WordPiece::Kind kind)
{
    switch (kind) {
    case WordPiece::Kind::Removed:
        return "removed";
    case WordPiece::Kind::Added:
        return "added";
    case WordPiece::Kind::Same:
        break;
    }
    return "same";
}

QString headingOf(const RequirementChange &change)
{
    switch (change.kind) {
    case RequirementChange::Kind::Added:
        return Tr::tr("Added requirement %1").arg(change.numberAfter);
    case RequirementChange::Kind::Deleted:
        return Tr::tr("Deleted requirement %1").arg(change.numberBefore);
    case RequirementChange::Kind::Changed:
        break;
    }
    if (change.numberBefore != change.numberAfter)
        return Tr::tr("Changed requirement %1 (now %2)")
            .arg(change.numberBefore)
            .arg(change.numberAfter);
    return Tr::tr("Changed requirement %1").arg(change.numberAfter);
}

QString sentenceLine(const RequirementChange &change)
{
    switch (change.kind) {
    case RequirementChange::Kind::Added:
        return change.sentenceAfter;
    case RequirementChange::Kind::Deleted:
        return change.sentenceBefore;
    case RequirementChange::Kind::Changed:
        break;
    }
    return change.words.isEmpty() ? change.sentenceAfter : WordDifference::marked(change.words);
}

QString htmlWords(const RequirementChange &change)
{
    if (change.kind != RequirementChange::Kind::Changed || change.words.isEmpty())
        return sentenceLine(change).toHtmlEscaped();
    return WordDifference::html(change.words, {QStringLiteral("<del>"), QStringLiteral("</del>")},
                                {QStringLiteral("<ins>"), QStringLiteral("</ins>")});
}

} // namespace

std::optional<ChangeReportWriter::Format> ChangeReportWriter::formatNamed(const QString &name)
{
    if (name == QLatin1String("text"))
        return Format::Text;
    if (name == QLatin1String("json"))
        return Format::Json;
    if (name == QLatin1String("html"))
        return Format::Html;
    return std::nullopt;
}

QString ChangeReportWriter::heading(const RequirementChange &change)
{
    return headingOf(change);
}

QString ChangeReportWriter::sentenceHtml(const RequirementChange &change)
{
    return htmlWords(change);
}

QString ChangeReportWriter::setName(const QString &baseline)
{
    return baseline.isEmpty() ? Tr::tr("the live requirements")
                              : Tr::tr("baseline \"%1\"").arg(baseline);
}

QString ChangeReportWriter::counts(const ChangeReport &report)
{
    return Tr::tr("%1 added, %2 deleted, %3 changed; %4 links added, %5 links removed")
        .arg(report.added)
        .arg(report.deleted)
        .arg(report.changed)
        .arg(report.linksAdded)
        .arg(report.linksRemoved);
}

QString ChangeReportWriter::linkText(const LinkChange &link)
{
    return Tr::tr("%1 depends on %2").arg(link.dependent).arg(link.parent);
}

QString ChangeReportWriter::kindName(RequirementChange::Kind kind)
{
    switch (kind) {
    case RequirementChange::Kind::Added:
        return Tr::tr("Added");
    case RequirementChange::Kind::Deleted:
        return Tr::tr("Deleted");
    case RequirementChange::Kind::Changed:
        break;
    }
    return Tr::tr("Changed");
}

QString ChangeReportWriter::title(const QString &from, const QString &to)
{
    return Tr::tr("Changes from %1 to %2").arg(setName(from), setName(to));
}

QStringList ChangeReportWriter::textLines(const RequirementChange &change)
{
    QStringList lines{headingOf(change), QStringLiteral("  ") + sentenceLine(change)};
    for (const AttributeChange &attribute : change.attributes)
        lines.append(
            QStringLiteral("  %1: %2 -> %3")
                .arg(Comparison::attributeLabel(attribute.key), attribute.before, attribute.after));
    return lines;
}

QString ChangeReportWriter::textLine(const LinkChange &link)
{
    return (link.added ? Tr::tr("Link added: %1") : Tr::tr("Link removed: %1")).arg(linkText(link));
}

QJsonObject ChangeReportWriter::jsonObject(const RequirementChange &change)
{
    QJsonObject entry{{QStringLiteral("kind"), QLatin1String(kindKey(change.kind))},
                      {QStringLiteral("requirement"), change.identity}};
    if (change.numberBefore)
        entry.insert(QStringLiteral("numberBefore"), change.numberBefore);
    if (change.numberAfter)
        entry.insert(QStringLiteral("numberAfter"), change.numberAfter);
    if (change.kind != RequirementChange::Kind::Added)
        entry.insert(QStringLiteral("sentenceBefore"), change.sentenceBefore);
    if (change.kind != RequirementChange::Kind::Deleted)
        entry.insert(QStringLiteral("sentenceAfter"), change.sentenceAfter);
    if (!change.words.isEmpty()) {
        QJsonArray words;
        for (const WordPiece &piece : change.words)
            words.append(QJsonObject{{QStringLiteral("kind"), QLatin1String(pieceKey(piece.kind))},
                                     {QStringLiteral("text"), piece.text}});
        entry.insert(QStringLiteral("words"), words);
    }
    if (!change.attributes.isEmpty()) {
        QJsonArray attributes;
        for (const AttributeChange &attribute : change.attributes)
            attributes.append(QJsonObject{{QStringLiteral("name"), attribute.key},
                                          {QStringLiteral("before"), attribute.before},
                                          {QStringLiteral("after"), attribute.after}});
        entry.insert(QStringLiteral("attributes"), attributes);
    }
    return entry;
}

QJsonObject ChangeReportWriter::jsonObject(const LinkChange &link)
{
    return QJsonObject{
        {QStringLiteral("kind"), link.added ? QStringLiteral("added") : QStringLiteral("removed")},
        {QStringLiteral("parent"), link.parent},
        {QStringLiteral("dependent"), link.dependent}};
}

QJsonObject ChangeReportWriter::jsonCounts(const ChangeReport &counts)
{
    return QJsonObject{{QStringLiteral("added"), counts.added},
                       {QStringLiteral("deleted"), counts.deleted},
                       {QStringLiteral("changed"), counts.changed},
                       {QStringLiteral("linksAdded"), counts.linksAdded},
                       {QStringLiteral("linksRemoved"), counts.linksRemoved}};
}

QString ChangeReportWriter::htmlHead(const ChangeReport &counts, const QString &systemName)
{
    const QString heading = title(counts.from, counts.to);
    QString html =
        QStringLiteral(
            "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
            "<style>\n"
            "body { font-family: sans-serif; margin: 2em; }\n"
            "table { border-collapse: collapse; width: 100%; }\n"
            "th, td { border: 1px solid #bbb; padding: 4px 8px; text-align: left; vertical-align: "
            "top; }\n"
            "th { background: #eee; }\n"
            "del { background: #fdd; color: #900; }\n"
            "ins { background: #dfd; color: #060; text-decoration: none; }\n"
            "tr.added td.kind { color: #060; } tr.deleted td.kind { color: #900; }\n"
            "</style>\n</head>\n<body>\n")
            .arg(heading.toHtmlEscaped());
    html += QStringLiteral("<h1>%1</h1>\n").arg(heading.toHtmlEscaped());
    if (!systemName.isEmpty())
        html += QStringLiteral("<p>%1</p>\n")
                    .arg(Tr::tr("The %1 system").arg(systemName).toHtmlEscaped());
    return html +
           QStringLiteral("<p>%1</p>").arg(ChangeReportWriter::counts(counts).toHtmlEscaped());
}

QString ChangeReportWriter::htmlTableHead()
{
    return QStringLiteral("<table>\n<tr><th>%1</th><th>%2</th><th>%3</th><th>%4</th></tr>")
        .arg(Tr::tr("Change").toHtmlEscaped(), Tr::tr("Req No.").toHtmlEscaped(),
             Tr::tr("Requirement").toHtmlEscaped(), Tr::tr("Attributes").toHtmlEscaped());
}

QString ChangeReportWriter::htmlRow(const RequirementChange &change)
{
    QString attributes;
    for (const AttributeChange &attribute : change.attributes)
        attributes += QStringLiteral("%1: <del>%2</del> &rarr; <ins>%3</ins><br>")
                          .arg(Comparison::attributeLabel(attribute.key).toHtmlEscaped(),
                               attribute.before.toHtmlEscaped(), attribute.after.toHtmlEscaped());
    return QStringLiteral("<tr class=\"%1\"><td class=\"kind\">%2</td><td>%3</td>"
                          "<td>%4</td><td>%5</td></tr>")
        .arg(QLatin1String(kindKey(change.kind)), kindName(change.kind).toHtmlEscaped(),
             headingOf(change).toHtmlEscaped(), htmlWords(change), attributes);
}

QString ChangeReportWriter::htmlLinksHead()
{
    return QStringLiteral("<h2>%1</h2>\n<ul>").arg(Tr::tr("Links").toHtmlEscaped());
}

QString ChangeReportWriter::htmlLink(const LinkChange &link)
{
    return QStringLiteral("<li>%1</li>").arg(textLine(link).toHtmlEscaped());
}

namespace {

// The whole report through the stream, its lines ended.
QString written(const ChangeReport &report, ChangeReportWriter::Format format,
                const QString &systemName)
{
    QString out;
    ChangeReportStream stream(
        format, report.from, report.to, systemName,
        [&out](const QString &line) {
            out += line;
            out += QLatin1Char('\n');
        },
        true);
    for (const RequirementChange &change : report.requirements)
        (void)stream.requirement(change);
    for (const LinkChange &link : report.links)
        (void)stream.link(link);
    (void)stream.finish();
    return out;
}

} // namespace

QString ChangeReportWriter::text(const ChangeReport &report)
{
    return written(report, Format::Text, {});
}

QByteArray ChangeReportWriter::json(const ChangeReport &report)
{
    return written(report, Format::Json, {}).toUtf8();
}

QString ChangeReportWriter::html(const ChangeReport &report, const QString &systemName)
{
    return written(report, Format::Html, systemName);
}

} // namespace varn::change
