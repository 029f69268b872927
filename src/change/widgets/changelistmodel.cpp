#include "change/widgets/changelistmodel.h"

#include "change/changereportwriter.h"
#include "change/changetr.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>

namespace varn::change {

namespace {

const QString kRemovedStyle =
    QStringLiteral("background-color:#ffd8d8; color:#a00000; text-decoration:line-through");
const QString kAddedStyle = QStringLiteral("background-color:#d4f5d4; color:#006000");

std::pair<QString, QString> spanOf(const QString &style)
{
    return {QStringLiteral("<span style=\"%1\">").arg(style), QStringLiteral("</span>")};
}

QString richSentence(const RequirementChange &change)
{
    if (change.kind != RequirementChange::Kind::Changed || change.words.isEmpty())
        return (change.kind == RequirementChange::Kind::Added ? change.sentenceAfter
                                                              : change.sentenceBefore)
            .toHtmlEscaped();
    return WordDifference::html(change.words, spanOf(kRemovedStyle), spanOf(kAddedStyle));
}

void prepare(QTextDocument &document, const QStyleOptionViewItem &option, const QString &html)
{
    document.setDefaultFont(option.font);
    document.setDocumentMargin(4);
    document.setHtml(html);
    int width = option.rect.width();
    if (width <= 0)
        width = option.widget ? option.widget->width() - 24 : 600;
    document.setTextWidth(std::max(width, 200));
}

} // namespace

void ChangeListModel::setChanges(std::shared_ptr<const ChangeReport> report,
                                 QList<qsizetype> requirements, bool links)
{
    beginResetModel();
    m_report = std::move(report);
    m_requirements = std::move(requirements);
    m_links = links && m_report ? m_report->links.size() : 0;
    m_fetched = std::min(changeCount(), kRowsFetched);
    m_written.clear();
    endResetModel();
}

int ChangeListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_fetched;
}

bool ChangeListModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_fetched < changeCount();
}

void ChangeListModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    const int more = std::min(changeCount() - m_fetched, kRowsFetched);
    beginInsertRows({}, m_fetched, m_fetched + more - 1);
    m_fetched += more;
    endInsertRows();
}

const ChangeListModel::Row &ChangeListModel::row(int place) const
{
    auto written = m_written.constFind(place);
    if (written == m_written.constEnd()) {
        const Row made = place < m_requirements.size()
                             ? requirementRow(m_report->requirements.at(m_requirements.at(place)))
                             : linkRow(m_report->links.at(place - m_requirements.size()));
        written = m_written.insert(place, made);
    }
    return *written;
}

QVariant ChangeListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_fetched)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return row(index.row()).plain;
    if (role == kRichTextRole)
        return row(index.row()).rich;
    return {};
}

ChangeListModel::Row ChangeListModel::requirementRow(const RequirementChange &change)
{
    const QString heading = ChangeReportWriter::heading(change);
    const QString sentence =
        change.kind == RequirementChange::Kind::Changed && !change.words.isEmpty()
            ? WordDifference::marked(change.words)
            : (change.kind == RequirementChange::Kind::Added ? change.sentenceAfter
                                                             : change.sentenceBefore);
    QString plain = heading + QLatin1Char('\n') + sentence;
    QString rich =
        QStringLiteral("<b>%1</b><br>%2").arg(heading.toHtmlEscaped(), richSentence(change));
    for (const AttributeChange &attribute : change.attributes) {
        const QString label = Comparison::attributeLabel(attribute.key);
        plain += QStringLiteral("\n%1: %2 -> %3").arg(label, attribute.before, attribute.after);
        rich += QStringLiteral("<br>%1: <span style=\"%2\">%3</span> &rarr; "
                               "<span style=\"%4\">%5</span>")
                    .arg(label.toHtmlEscaped(), kRemovedStyle, attribute.before.toHtmlEscaped(),
                         kAddedStyle, attribute.after.toHtmlEscaped());
    }
    return {plain, rich};
}

ChangeListModel::Row ChangeListModel::linkRow(const LinkChange &link)
{
    const QString text = (link.added ? Tr::tr("Link added: %1") : Tr::tr("Link removed: %1"))
                             .arg(ChangeReportWriter::linkText(link));
    return {text, QStringLiteral("<span style=\"%1\">%2</span>")
                      .arg(link.added ? kAddedStyle : kRemovedStyle, text.toHtmlEscaped())};
}

void ChangeRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    QTextDocument document;
    prepare(document, option, index.data(ChangeListModel::kRichTextRole).toString());
    painter->save();
    painter->translate(option.rect.topLeft());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = option.palette;
    if (option.state & QStyle::State_Selected)
        context.palette.setColor(QPalette::Text, option.palette.color(QPalette::HighlightedText));
    document.documentLayout()->draw(painter, context);
    painter->restore();
}

QSize ChangeRowDelegate::sizeHint(const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    QTextDocument document;
    prepare(document, option, index.data(ChangeListModel::kRichTextRole).toString());
    return {int(document.idealWidth()), int(document.size().height())};
}

} // namespace varn::change
