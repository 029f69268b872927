#pragma once

#include "interchange/requirementimporter.h"

#include <QAbstractListModel>
#include <QStringList>

namespace varn::interchange {

// The lines of an import's report as a list a view shows: what a newer file
// changes, the requirements imported (or that would be), what was left out
// and the notices, or the message of an import that failed. Each line is
// made when the view asks for it, from the summary's lists, which keep most
// of a large import in temporary files: a report of a million lines opens
// at once and takes little memory.
class ImportReportModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ImportReportModel(QObject *parent = nullptr);

    // The summary's lines after the first lines given.
    void showSummary(const QStringList &first, const ImportSummary &summary);
    // A text of its own (a failure's message), a line a row.
    void showText(const QString &text);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    QString line(int row) const;
    // Every line, each ended: what "Save Report..." writes.
    QString text() const;

private:
    QStringList m_first;
    ImportedList m_imported;
    ReportLines m_report;
    QStringList m_notices;
};

} // namespace varn::interchange
