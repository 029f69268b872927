#include "interchange/odtreport.h"

#include "interchange/interchangetr.h"
#include "interchange/paragraphorder.h"

#include <QBuffer>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <algorithm>

namespace varn::interchange {

namespace {

// The texts of the document are the exchange file's own: never translated.
QTextBlockFormat headingFormat(int level)
{
    QTextBlockFormat format;
    format.setHeadingLevel(level);
    format.setTopMargin(level == 1 ? 18 : 12);
    format.setBottomMargin(6);
    return format;
}

QTextCharFormat headingText(int level)
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setFontPointSize(level == 0 ? 24 : level == 1 ? 16 : 12);
    return format;
}

QTextCharFormat bodyText(bool bold = false)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontPointSize(10);
    return format;
}

class Builder
{
public:
    explicit Builder(QTextDocument &document) : m_cursor(&document) {}

    void block(const QTextBlockFormat &format, const QTextCharFormat &text, const QString &words)
    {
        if (m_first)
            m_cursor.setBlockFormat(format);
        else
            m_cursor.insertBlock(format);
        m_first = false;
        m_cursor.setBlockCharFormat(text);
        m_cursor.insertText(words, text);
    }

    void heading(int level, const QString &words)
    {
        block(headingFormat(level), headingText(level), words);
    }

    void paragraph(const QString &words) { block(QTextBlockFormat(), bodyText(), words); }

    // The label in bold, then its value.
    void labelled(const QString &label, const QString &value)
    {
        QTextBlockFormat format;
        format.setLeftMargin(18);
        block(format, bodyText(true), label);
        m_cursor.insertText(QStringLiteral(" ") + value, bodyText());
    }

    void pageBreak()
    {
        QTextBlockFormat format = m_cursor.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysAfter);
        m_cursor.setBlockFormat(format);
    }

private:
    QTextCursor m_cursor;
    bool m_first = true;
};

// A requirement saved without a paragraph number stores "None".
QString paragraphOf(const ExchangedRequirement &requirement)
{
    return requirement.paragraph == QLatin1String("None") ? QString() : requirement.paragraph;
}

} // namespace

QList<OdtReport::Section> OdtReport::sections(const QList<ExchangedRequirement> &requirements)
{
    QList<const ExchangedRequirement *> ordered;
    for (const ExchangedRequirement &requirement : requirements)
        ordered.append(&requirement);
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto *a, const auto *b) {
        const QString first = paragraphOf(*a);
        const QString second = paragraphOf(*b);
        // Without a paragraph number last; then paragraphs in document order.
        if (first.isEmpty() != second.isEmpty())
            return second.isEmpty();
        if (const int order = ParagraphOrder::compare(first, second); order != 0)
            return order < 0;
        if (first != second)
            return first < second;
        if (a->number != b->number)
            return a->number < b->number;
        return a->version < b->version;
    });
    QList<Section> sections;
    for (const ExchangedRequirement *requirement : ordered) {
        const QString paragraph = paragraphOf(*requirement);
        if (sections.isEmpty() || sections.last().paragraph != paragraph)
            sections.append({paragraph, {}});
        sections.last().requirements.append(requirement);
    }
    return sections;
}

QString OdtReport::heading(const Section &section)
{
    return section.paragraph.isEmpty() ? QStringLiteral("Without a paragraph number")
                                       : QStringLiteral("Paragraph ") + section.paragraph;
}

Result<QByteArray> OdtReport::document(const QString &systemName,
                                       const QList<ExchangedRequirement> &requirements,
                                       const QDateTime &created)
{
    QTextDocument document;
    document.setMetaInformation(QTextDocument::DocumentTitle,
                                QStringLiteral("Requirements of the %1 system").arg(systemName));
    Builder builder(document);
    builder.heading(0, QStringLiteral("Requirements of the %1 system").arg(systemName));
    builder.paragraph(QStringLiteral("System: ") + systemName);
    builder.paragraph(QStringLiteral("Date: ") + created.date().toString(Qt::ISODate));
    builder.paragraph(QStringLiteral("%1 requirement(s)").arg(requirements.size()));
    builder.pageBreak();

    const QList<Section> sections = OdtReport::sections(requirements);
    builder.heading(1, QStringLiteral("Contents"));
    for (const Section &section : sections)
        builder.paragraph(heading(section));
    builder.pageBreak();

    for (const Section &section : sections) {
        builder.heading(1, heading(section));
        for (const ExchangedRequirement *requirement : section.requirements) {
            builder.heading(
                2, QStringLiteral("No. %1%2")
                       .arg(requirement->number)
                       .arg(requirement->deleted ? QStringLiteral(" (deleted)") : QString()));
            builder.paragraph(requirement->sentence() + QLatin1Char('.'));
            builder.labelled(QStringLiteral("Type:"), requirement->type);
            builder.labelled(QStringLiteral("Category:"), requirement->category);
            builder.labelled(QStringLiteral("Priority:"), QString::number(requirement->priority));
            builder.labelled(QStringLiteral("Release:"), QString::number(requirement->release));
            builder.labelled(QStringLiteral("Version:"), QString::number(requirement->version));
            builder.labelled(QStringLiteral("Date saved:"), requirement->dateSaved);
            if (!requirement->comments.isEmpty())
                builder.labelled(QStringLiteral("Comments:"), requirement->comments);
        }
    }

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&document))
        return Outcome::stop(Tr::tr("The OpenDocument text could not be made."));
    return bytes;
}

} // namespace varn::interchange
