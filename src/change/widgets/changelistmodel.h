#pragma once

#include "change/comparison.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStyledItemDelegate>

#include <memory>

namespace varn::change {

// The rows of a comparison, one for each requirement or link that changed:
// the plain text for a reader of the list (and the tests), and rich text with
// the removed and added words coloured for the delegate that paints it. A
// long comparison is handed to the view a screenful at a time (fetchMore, as
// the list scrolls), and each row is written when it is first asked for, so
// the first screen shows as soon as the comparison is done.
class ChangeListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int kRichTextRole = Qt::UserRole + 1;
    // Rows the view is given at a time.
    static constexpr int kRowsFetched = 25;

    struct Row
    {
        QString plain;
        QString rich;
    };

    using QAbstractListModel::QAbstractListModel;

    // The changes of the report the filter lets through: the requirements
    // (by their places in it), then, with links, every link.
    void setChanges(std::shared_ptr<const ChangeReport> report, QList<qsizetype> requirements,
                    bool links);
    // How many rows the changes make, fetched or not.
    int changeCount() const { return int(m_requirements.size() + m_links); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    static Row requirementRow(const RequirementChange &change);
    static Row linkRow(const LinkChange &link);

private:
    const Row &row(int place) const;

    std::shared_ptr<const ChangeReport> m_report;
    QList<qsizetype> m_requirements;
    qsizetype m_links = 0;
    int m_fetched = 0;
    mutable QHash<int, Row> m_written;
};

// Paints a row's rich text, the colours of the removed and added words kept
// on the selection.
class ChangeRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace varn::change
