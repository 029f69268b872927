#include "interchange/widgets/importreportmodel.h"

namespace varn::interchange {

ImportReportModel::ImportReportModel(QObject *parent) : QAbstractListModel(parent) {}

void ImportReportModel::showSummary(const QStringList &first, const ImportSummary &summary)
{
    beginResetModel();
    m_first = first;
    m_imported = summary.imported;
    m_report = summary.report;
    m_notices = summary.notices;
    endResetModel();
}

void ImportReportModel::showText(const QString &text)
{
    beginResetModel();
    m_first = text.split(QLatin1Char('\n'));
    m_imported = {};
    m_report = ReportLines();
    m_notices.clear();
    endResetModel();
}

int ImportReportModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int(m_first.size() + m_imported.size() + m_report.size() + m_notices.size());
}

QString ImportReportModel::line(int row) const
{
    qsizetype at = row;
    if (at < m_first.size())
        return m_first.at(at);
    at -= m_first.size();
    if (at < m_imported.size()) {
        const ImportedRequirement imported = m_imported.at(at);
        return QStringLiteral("%1  %2").arg(imported.number).arg(imported.sentence);
    }
    at -= m_imported.size();
    if (at < m_report.size())
        return m_report.at(at);
    at -= m_report.size();
    return m_notices.value(at);
}

QVariant ImportReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::ToolTipRole)
        return line(index.row());
    // A row a line, all of one height: a message's own line breaks become
    // spaces in the list (the tooltip and the saved report keep them).
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        QString shown = line(index.row());
        shown.replace(QLatin1String("\r\n"), QLatin1String(" "));
        shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
        shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
        return shown;
    }
    return {};
}

QString ImportReportModel::text() const
{
    QString all;
    for (int row = 0; row < rowCount(); ++row)
        all += line(row) + QLatin1Char('\n');
    return all;
}

} // namespace varn::interchange
