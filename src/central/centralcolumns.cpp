#include "central/centralcolumns.h"

#include "central/centraltr.h"

namespace varn::central {

namespace {

constexpr ColumnInfo kColumns[] = {
    {Column::Number, QT_TRANSLATE_NOOP("varn::central", "No."), 40, 'r', "Req_Num", 0, nullptr,
     nullptr},
    {Column::Type, QT_TRANSLATE_NOOP("varn::central", "Type"), 64, 't', "FSTType", 0, "TypeSet",
     QT_TRANSLATE_NOOP("varn::central", "&Type")},
    {Column::Source, QT_TRANSLATE_NOOP("varn::central", "Source"), 54, 's', "Source", 0,
     "SourceSet", QT_TRANSLATE_NOOP("varn::central", "&Source")},
    {Column::Category, QT_TRANSLATE_NOOP("varn::central", "Category"), 80, 'c', "Category", 0,
     "CategorySet", QT_TRANSLATE_NOOP("varn::central", "&Category")},
    {Column::Priority, QT_TRANSLATE_NOOP("varn::central", "Priority"), 54, 'p', "Priority", 2,
     "PrioritySet", QT_TRANSLATE_NOOP("varn::central", "&Priority")},
    {Column::Release, QT_TRANSLATE_NOOP("varn::central", "Release"), 54, 'l', "Release", 2,
     "ReleaseSet", QT_TRANSLATE_NOOP("varn::central", "R&elease")},
    {Column::Version, QT_TRANSLATE_NOOP("varn::central", "Version"), 54, 'v', "Version", 3,
     "VersionSet", QT_TRANSLATE_NOOP("varn::central", "&Version")},
    {Column::Paragraph, QT_TRANSLATE_NOOP("varn::central", "Paragraph"), 92, 'g', "ParaNum", 0,
     "ParagraphSet", QT_TRANSLATE_NOOP("varn::central", "Para&graph")},
    {Column::Requirement, QT_TRANSLATE_NOOP("varn::central", "Requirement"), 420, 'q', "ReqText", 0,
     "RequirementSet", QT_TRANSLATE_NOOP("varn::central", "Re&quirement")},
    {Column::OrigNumber, QT_TRANSLATE_NOOP("varn::central", "Orig No."), 54, 'o', "OrigReqNum", 6,
     "OrigNumSet", QT_TRANSLATE_NOOP("varn::central", "&Original Number")},
    {Column::DateSaved, QT_TRANSLATE_NOOP("varn::central", "Date Saved"), 74, 'd', "DateSaved", 0,
     "DateSavedSet", QT_TRANSLATE_NOOP("varn::central", "&Date Saved")},
    {Column::Comments, QT_TRANSLATE_NOOP("varn::central", "Comments"), 400, 'm', "Comments", 0,
     "CommentsSet", QT_TRANSLATE_NOOP("varn::central", "Co&mments")},
};
static_assert(std::size(kColumns) == kFlagCount + 1);

QString numberText(qint32 value, int longest)
{
    const QString text = QString::number(value);
    return longest > 0 && text.size() > longest ? QString() : text;
}

} // namespace

std::span<const ColumnInfo> CentralColumns::all()
{
    return kColumns;
}

const ColumnInfo &CentralColumns::info(Column column)
{
    return kColumns[int(column)];
}

QList<Column> CentralColumns::shown(const ColumnFlags &flags)
{
    QList<Column> columns{Column::Number};
    for (int flag = 0; flag < kFlagCount; ++flag) {
        if (flags[flag])
            columns.append(flagColumn(flag));
    }
    return columns;
}

ColumnFlags CentralColumns::initialFlags()
{
    // Type, Category, Priority, Release, Paragraph and Requirement.
    return {true, false, true, true, true, false, true, true, false, false, false};
}

std::optional<Column> CentralColumns::named(const QString &name)
{
    const auto plain = [](QString text) {
        return text.remove(QLatin1Char(' ')).remove(QLatin1Char('.')).toLower();
    };
    const QString wanted = plain(name);
    for (const ColumnInfo &info : all()) {
        if (wanted == plain(QString::fromLatin1(info.header)) ||
            wanted == plain(QString::fromLatin1(info.sortField)))
            return info.column;
    }
    return std::nullopt;
}

QString CentralColumns::cellText(const store::MasterReqRow &row, Column column)
{
    const int longest = info(column).longestText;
    switch (column) {
    case Column::Number:
        return QString::number(row.Req_Num);
    case Column::Type:
        return row.FSTType;
    case Column::Source:
        return QString::number(row.Source);
    case Column::Category:
        return row.Category;
    case Column::Priority:
        return numberText(row.Priority, longest);
    case Column::Release:
        return numberText(row.Release, longest);
    case Column::Version:
        return numberText(row.Version, longest);
    case Column::Paragraph:
        return row.ParaNum;
    case Column::Requirement:
        return row.Preamble + QLatin1Char(' ') + row.ReqText;
    case Column::OrigNumber:
        return numberText(row.OrigReqNum, longest);
    case Column::DateSaved:
        return row.DateSaved;
    case Column::Comments:
        return row.Comments;
    }
    return {};
}

} // namespace varn::central
