#include "central/centralcolumns.h"

namespace varn::central {

namespace {

constexpr ColumnInfo kColumns[] = {
    {Column::Number, "No.", 40, 'r', "Req_Num", 0, nullptr, nullptr},
    {Column::Type, "Type", 64, 't', "FSTType", 0, "TypeSet", "&Type"},
    {Column::Source, "Source", 54, 's', "Source", 0, "SourceSet", "&Source"},
    {Column::Category, "Category", 80, 'c', "Category", 0, "CategorySet", "&Category"},
    {Column::Priority, "Priority", 54, 'p', "Priority", 2, "PrioritySet", "&Priority"},
    {Column::Release, "Release", 54, 'l', "Release", 2, "ReleaseSet", "R&elease"},
    {Column::Version, "Version", 54, 'v', "Version", 3, "VersionSet", "&Version"},
    {Column::Paragraph, "Paragraph", 92, 'g', "ParaNum", 0, "ParagraphSet", "Para&graph"},
    {Column::Requirement, "Requirement", 420, 'q', "ReqText", 0, "RequirementSet", "Re&quirement"},
    {Column::OrigNumber, "Orig No.", 54, 'o', "OrigReqNum", 6, "OrigNumSet", "&Original Number"},
    {Column::DateSaved, "Date Saved", 74, 'd', "DateSaved", 0, "DateSavedSet", "&Date Saved"},
    {Column::Comments, "Comments", 400, 'm', "Comments", 0, "CommentsSet", "Co&mments"},
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
