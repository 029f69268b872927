#include "central/widgets/listingpainter.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace varn::central {

namespace {

constexpr int kBodyPoints = 9;
constexpr int kTitlePoints = 12;

struct PageGeometry
{
    int width;
    int height;
    int gap;        // between columns and between blocks
    int indent;     // of the sentence under its row
    int lineHeight; // of one body line
};

// Each column as wide as its widest text, none wider than a third of the
// page; narrowed in proportion when together they are wider than the page.
QList<int> columnWidths(const PrintedListing &listing, const QFontMetrics &bold,
                        const QFontMetrics &body, const PageGeometry &page)
{
    QList<int> widths;
    for (int column = 0; column < listing.headers.size(); ++column) {
        int widest = bold.horizontalAdvance(listing.headers.at(column));
        for (const PrintedRequirement &printed : listing.requirements)
            widest = std::max(widest, body.horizontalAdvance(printed.cells.value(column)));
        widths.append(std::min(widest, page.width / 3));
    }
    int total = page.gap * int(widths.size());
    for (const int width : widths)
        total += width;
    if (total > page.width) {
        for (int &width : widths)
            width = width * page.width / total;
    }
    return widths;
}

} // namespace

int ListingPainter::paint(QPagedPaintDevice &device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    QFont body = painter.font();
    body.setPointSize(kBodyPoints);
    QFont bold = body;
    bold.setBold(true);
    QFont title = bold;
    title.setPointSize(kTitlePoints);
    const QFontMetrics bodyMetrics(body, &device);
    const QFontMetrics boldMetrics(bold, &device);
    const QFontMetrics titleMetrics(title, &device);

    const PageGeometry page{device.width(), device.height(), bodyMetrics.averageCharWidth() * 2,
                            bodyMetrics.averageCharWidth() * 4, bodyMetrics.lineSpacing()};
    const QList<int> widths = columnWidths(m_listing, boldMetrics, bodyMetrics, page);

    int pages = 1;
    int y = 0;
    int top = 0; // where the rows of a page begin
    auto drawRow = [&](const QStringList &cells, const QFontMetrics &metrics, const QFont &font) {
        painter.setFont(font);
        int x = 0;
        for (int column = 0; column < widths.size(); ++column) {
            const QString text =
                metrics.elidedText(cells.value(column), Qt::ElideRight, widths.at(column));
            painter.drawText(QRect(x, y, widths.at(column), page.lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
            x += widths.at(column) + page.gap;
        }
        y += page.lineHeight;
    };
    auto drawHeader = [&] {
        y = 0;
        painter.setFont(title);
        const QRect titleLine(0, 0, page.width, titleMetrics.lineSpacing());
        painter.drawText(titleLine, Qt::AlignLeft | Qt::AlignVCenter, m_listing.title);
        painter.setFont(body);
        painter.drawText(titleLine, Qt::AlignRight | Qt::AlignVCenter,
                         m_listing.dateLine + QStringLiteral("    Page %1").arg(pages));
        y += titleMetrics.lineSpacing() + page.gap;
        drawRow(m_listing.headers, boldMetrics, bold);
        painter.drawLine(0, y, page.width, y);
        y += page.gap / 2;
        top = y;
    };

    drawHeader();
    const int sentenceWidth = page.width - page.indent;
    for (const PrintedRequirement &printed : m_listing.requirements) {
        const QRect sentenceBox = bodyMetrics.boundingRect(QRect(0, 0, sentenceWidth, page.height),
                                                           Qt::TextWordWrap, printed.sentence);
        const int blockHeight = page.lineHeight + sentenceBox.height() + page.gap;
        if (y + blockHeight > page.height && y > top) {
            device.newPage();
            ++pages;
            drawHeader();
        }
        drawRow(printed.cells, bodyMetrics, body);
        painter.setFont(body);
        painter.drawText(QRect(page.indent, y, sentenceWidth, sentenceBox.height()),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, printed.sentence);
        y += sentenceBox.height() + page.gap;
    }
    if (m_listing.requirements.isEmpty()) {
        painter.setFont(body);
        painter.drawText(QRect(0, y, page.width, page.lineHeight), Qt::AlignLeft,
                         QStringLiteral("No requirements are listed."));
    }
    painter.end();
    return pages;
}

} // namespace varn::central
