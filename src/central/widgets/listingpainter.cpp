#include "central/widgets/listingpainter.h"

#include "central/centraltr.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace varn::central {

namespace {

constexpr int kBodyPoints = 9;
constexpr int kTitlePoints = 12;
constexpr int kCellFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

struct PageGeometry
{
    int width;
    int height;
    int gap;        // between columns and between blocks
    int indent;     // of the sentence under its row
    int lineHeight; // of one body line
};

// What a column needs: its texts on one line, and its longest word.
struct ColumnNeed
{
    int natural = 0;
    int least = 0;
};

void measure(ColumnNeed &need, const QString &text, const QFontMetrics &metrics)
{
    // Widths are whole pixels and the laid-out text is not: a little slack
    // keeps a text exactly as wide as its column on one line.
    const int slack = std::max(1, metrics.averageCharWidth() / 4);
    need.natural = std::max(need.natural, metrics.horizontalAdvance(text) + slack);
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        need.least = std::max(need.least, metrics.horizontalAdvance(word) + slack);
}

int sum(const QList<int> &widths)
{
    return std::accumulate(widths.begin(), widths.end(), 0);
}

// Every column up to `cap` (never below its longest word, never above what
// it needs).
QList<int> capped(const QList<ColumnNeed> &needs, int cap)
{
    QList<int> widths;
    for (const ColumnNeed &need : needs)
        widths.append(std::max(need.least, std::min(need.natural, cap)));
    return widths;
}

// The height the texts of a row take in their columns.
int rowHeight(const QStringList &cells, const QList<int> &widths, const QFontMetrics &metrics)
{
    int height = metrics.lineSpacing();
    for (int column = 0; column < widths.size(); ++column) {
        const QRect box = metrics.boundingRect(QRect(0, 0, widths.at(column), 1 << 20), kCellFlags,
                                               cells.value(column));
        height = std::max(height, box.height());
    }
    return height;
}

// The widths of the columns on a page `available` wide, the gaps between
// them left out.
QList<int> columnWidths(const PrintedListing &listing, const QFontMetrics &heads,
                        const QFontMetrics &cells, int available)
{
    QList<ColumnNeed> needs(listing.headers.size());
    for (int column = 0; column < needs.size(); ++column) {
        measure(needs[column], listing.headers.at(column), heads);
        for (const PrintedRequirement &printed : listing.requirements)
            measure(needs[column], printed.cells.value(column), cells);
    }
    QList<int> widths = capped(needs, available);
    if (sum(widths) <= available)
        return widths;
    // The widest cap at which the columns fit, found by halving.
    int low = 0;
    int high = available;
    while (low < high) {
        const int cap = (low + high + 1) / 2;
        if (sum(capped(needs, cap)) <= available)
            low = cap;
        else
            high = cap - 1;
    }
    widths = capped(needs, low);
    // Words longer than the page allows: every column narrowed alike.
    if (const int total = sum(widths); total > available) {
        for (int &width : widths)
            width = int(qint64(width) * available / total);
    }
    return widths;
}

} // namespace

int ListingPainter::paint(QPagedPaintDevice &device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const int pages =
        paint(painter, QSize(device.width(), device.height()), [&device] { device.newPage(); });
    painter.end();
    return pages;
}

int ListingPainter::paint(QPainter &painter, const QSize &pageSize,
                          const std::function<void()> &newPage) const
{
    QPaintDevice *device = painter.device();
    QFont body = painter.font();
    body.setPointSize(kBodyPoints);
    QFont bold = body;
    bold.setBold(true);
    QFont title = bold;
    title.setPointSize(kTitlePoints);
    const QFontMetrics bodyMetrics(body, device);
    const QFontMetrics boldMetrics(bold, device);
    const QFontMetrics titleMetrics(title, device);

    const PageGeometry page{pageSize.width(), pageSize.height(), bodyMetrics.averageCharWidth() * 2,
                            bodyMetrics.averageCharWidth() * 4, bodyMetrics.lineSpacing()};
    const int gaps = page.gap * std::max(0, int(m_listing.headers.size()) - 1);
    const QList<int> widths =
        columnWidths(m_listing, boldMetrics, bodyMetrics, std::max(0, page.width - gaps));

    int pages = 1;
    int y = 0;
    int top = 0; // where the rows of a page begin
    auto drawRow = [&](const QStringList &cells, const QFontMetrics &metrics, const QFont &font) {
        painter.setFont(font);
        const int height = rowHeight(cells, widths, metrics);
        int x = 0;
        for (int column = 0; column < widths.size(); ++column) {
            painter.drawText(QRect(x, y, widths.at(column), height), kCellFlags,
                             cells.value(column));
            x += widths.at(column) + page.gap;
        }
        y += height;
    };
    auto drawHeader = [&] {
        y = 0;
        painter.setFont(title);
        QRect line(0, 0, page.width, titleMetrics.lineSpacing());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, m_listing.title);
        const QString date =
            Tr::tr("%1    Page %2").arg(m_listing.dateLine, QString::number(pages));
        // A long system name leaves the date a line of its own.
        if (titleMetrics.horizontalAdvance(m_listing.title) + page.gap +
                bodyMetrics.horizontalAdvance(date) >
            page.width)
            line.translate(0, line.height());
        painter.setFont(body);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, date);
        y = line.bottom() + 1 + page.gap;
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
        const int blockHeight =
            rowHeight(printed.cells, widths, bodyMetrics) + sentenceBox.height() + page.gap;
        if (y + blockHeight > page.height && y > top) {
            newPage();
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
                         Tr::tr("No requirements are listed."));
    }
    return pages;
}

} // namespace varn::central
