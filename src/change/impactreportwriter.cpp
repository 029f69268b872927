#include "change/impactreportwriter.h"
#include "change/changetr.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace varn::change {

namespace {

QString reachedLine(const ImpactReport &report, const Reach &reach, qsizetype position)
{
    const int number = reach.requirements.at(position).number;
    QString line =
        QStringLiteral("  %1  %2").arg(number).arg(ImpactReportWriter::chain(reach, position));
    const auto state = report.sentences.constFind(number);
    if (state != report.sentences.cend()) {
        line += QStringLiteral("  ") + state->sentence;
        if (state->deleted)
            line += QLatin1Char(' ') + Tr::tr("(deleted)");
    }
    return line;
}

QJsonArray reachedJson(const ImpactReport &report, const Reach &reach)
{
    QJsonArray array;
    for (qsizetype position = 0; position < reach.size(); ++position) {
        const ReachedRequirement &reached = reach.requirements.at(position);
        QJsonObject object{{QStringLiteral("number"), reached.number},
                           {QStringLiteral("distance"), reached.distance}};
        QJsonArray path;
        for (const int number : reach.path(position))
            path.append(number);
        object.insert(QStringLiteral("path"), path);
        const auto state = report.sentences.constFind(reached.number);
        if (state != report.sentences.cend()) {
            object.insert(QStringLiteral("sentence"), state->sentence);
            object.insert(QStringLiteral("deleted"), state->deleted);
        }
        array.append(object);
    }
    return array;
}

QJsonArray locationsJson(const QList<interchange::CodeLocation> &locations)
{
    QJsonArray array;
    for (const interchange::CodeLocation &location : locations)
        array.append(QJsonObject{{QStringLiteral("file"), location.file},
                                 {QStringLiteral("line"), location.line}});
    return array;
}

QJsonArray membersJson(const QList<interchange::TracedMember> &members)
{
    QJsonArray array;
    for (const interchange::TracedMember &member : members)
        array.append(QJsonObject{{QStringLiteral("name"), member.name},
                                 {QStringLiteral("locations"), locationsJson(member.locations)}});
    return array;
}

QJsonArray elementsJson(const QList<ModelElement> &elements)
{
    QJsonArray array;
    for (const ModelElement &element : elements) {
        QJsonObject object{
            {QStringLiteral("kind"), QLatin1String(ModelElements::kindKey(element.kind))},
            {QStringLiteral("entity"), element.entity}};
        if (!element.name.isEmpty())
            object.insert(QStringLiteral("name"), element.name);
        if (!element.detail.isEmpty())
            object.insert(element.kind == ModelElement::Kind::Attribute ? QStringLiteral("type")
                                                                        : QStringLiteral("value"),
                          element.detail);
        array.append(object);
    }
    return array;
}

} // namespace

QString ImpactReportWriter::heading(const ImpactReport &report)
{
    QString heading =
        report.number == report.asked
            ? Tr::tr("Impact of requirement %1").arg(report.asked)
            : Tr::tr("Impact of requirement %1 (now %2)").arg(report.asked).arg(report.number);
    if (report.deleted)
        heading += QLatin1Char(' ') + Tr::tr("(deleted)");
    return heading;
}

QString ImpactReportWriter::chain(const Reach &reach, qsizetype position)
{
    QStringList numbers;
    for (const int number : reach.path(position))
        numbers.append(QString::number(number));
    if (reach.direction == ImpactDirection::Parents)
        std::reverse(numbers.begin(), numbers.end());
    return numbers.join(QStringLiteral(" -> "));
}

QString ImpactReportWriter::deltaHeading(const VersionDelta &delta)
{
    return Tr::tr("Version %1 (requirement %2) against version %3 (requirement %4)")
        .arg(delta.version)
        .arg(delta.number)
        .arg(delta.previousVersion)
        .arg(delta.previousNumber);
}

QString ImpactReportWriter::noCode()
{
    return Tr::tr("No code has been generated yet: generate it to see the files and lines.");
}

QString ImpactReportWriter::onlyVersion()
{
    return Tr::tr("One version only: there is no earlier version to compare with.");
}

QString ImpactReportWriter::noModelChange()
{
    return Tr::tr("It changes nothing in the object model.");
}

QStringList ImpactReportWriter::text(const ImpactReport &report)
{
    QStringList lines{heading(report), QStringLiteral("  ") + report.sentence};
    lines.append(Tr::tr("Requirements that depend on it: %1").arg(report.dependents.size()));
    for (qsizetype position = 0; position < report.dependents.size(); ++position)
        lines.append(reachedLine(report, report.dependents, position));
    lines.append(Tr::tr("Requirements it depends on: %1").arg(report.parents.size()));
    for (qsizetype position = 0; position < report.parents.size(); ++position)
        lines.append(reachedLine(report, report.parents, position));

    lines.append(Tr::tr("Object model and generated code:"));
    interchange::TracedRequirement traced;
    traced.entities = report.produced;
    lines += interchange::RequirementTrace::describe(traced).mid(1);
    if (!report.codeGenerated())
        lines.append(QStringLiteral("  ") + noCode());

    if (!report.delta) {
        lines.append(onlyVersion());
        return lines;
    }
    const VersionDelta &delta = *report.delta;
    lines.append(deltaHeading(delta) + QLatin1Char(':'));
    if (!delta.failure.isEmpty()) {
        lines.append(QStringLiteral("  ") + delta.failure);
        return lines;
    }
    for (const ModelElement &element : delta.model.added)
        lines.append(QStringLiteral("  + ") + ModelElements::describe(element));
    for (const ModelElement &element : delta.model.removed)
        lines.append(QStringLiteral("  - ") + ModelElements::describe(element));
    if (delta.model.added.isEmpty() && delta.model.removed.isEmpty())
        lines.append(QStringLiteral("  ") + noModelChange());
    return lines;
}

QByteArray ImpactReportWriter::json(const ImpactReport &report)
{
    QJsonArray versions;
    for (const int number : report.versions)
        versions.append(number);
    QJsonArray entities;
    for (const interchange::TracedEntity &entity : report.produced)
        entities.append(QJsonObject{{QStringLiteral("name"), entity.name},
                                    {QStringLiteral("locations"), locationsJson(entity.locations)},
                                    {QStringLiteral("attributes"), membersJson(entity.attributes)},
                                    {QStringLiteral("methods"), membersJson(entity.methods)}});
    QJsonObject root{
        {QStringLiteral("requirement"), report.asked},
        {QStringLiteral("number"), report.number},
        {QStringLiteral("sentence"), report.sentence},
        {QStringLiteral("deleted"), report.deleted},
        {QStringLiteral("versions"), versions},
        {QStringLiteral("dependents"), reachedJson(report, report.dependents)},
        {QStringLiteral("parents"), reachedJson(report, report.parents)},
        {QStringLiteral("codeGenerated"), report.codeGenerated()},
        {QStringLiteral("generatedFolders"), QJsonArray::fromStringList(report.generatedFolders)},
        {QStringLiteral("entities"), entities},
    };
    if (report.delta) {
        const VersionDelta &delta = *report.delta;
        QJsonObject object{
            {QStringLiteral("previous"),
             QJsonObject{{QStringLiteral("number"), delta.previousNumber},
                         {QStringLiteral("version"), delta.previousVersion}}},
            {QStringLiteral("current"), QJsonObject{{QStringLiteral("number"), delta.number},
                                                    {QStringLiteral("version"), delta.version}}},
            {QStringLiteral("added"), elementsJson(delta.model.added)},
            {QStringLiteral("removed"), elementsJson(delta.model.removed)}};
        if (!delta.failure.isEmpty())
            object.insert(QStringLiteral("failure"), delta.failure);
        root.insert(QStringLiteral("versionDelta"), object);
    } else {
        root.insert(QStringLiteral("versionDelta"), QJsonValue::Null);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace varn::change
