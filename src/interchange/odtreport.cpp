#include "interchange/odtreport.h"

#include "common/removedoninterruption.h"
#include "interchange/interchangetr.h"
#include "interchange/paragraphorder.h"
#include "interchange/ziparchive.h"

#include <QHash>
#include <QTemporaryFile>

#include <algorithm>
#include <vector>

namespace varn::interchange {

namespace {

// The texts of the document are the exchange file's own: never translated.

// The document's styles: the paragraphs' (margins in points, a page break
// after) and the texts' (weight, family, size), named as OpenDocument
// writers name automatic styles.
constexpr const char *kStyles =
    "    <style:style style:name=\"c0\" style:family=\"text\">\n"
    "      <style:text-properties fo:font-family=\"Sans\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"p1\" style:family=\"paragraph\">\n"
    "      <style:paragraph-properties/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"p2\" style:family=\"paragraph\">\n"
    "      <style:paragraph-properties fo:margin-top=\"9pt\" fo:margin-bottom=\"4.5pt\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"c3\" style:family=\"text\">\n"
    "      <style:text-properties fo:font-weight=\"bold\" fo:font-family=\"Sans\" "
    "fo:font-size=\"24pt\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"c4\" style:family=\"text\">\n"
    "      <style:text-properties fo:font-family=\"Sans\" fo:font-size=\"10pt\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"p5\" style:family=\"paragraph\">\n"
    "      <style:paragraph-properties fo:break-after=\"page\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"p6\" style:family=\"paragraph\">\n"
    "      <style:paragraph-properties fo:margin-top=\"13.5pt\" fo:margin-bottom=\"4.5pt\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"c7\" style:family=\"text\">\n"
    "      <style:text-properties fo:font-weight=\"bold\" fo:font-family=\"Sans\" "
    "fo:font-size=\"16pt\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"p8\" style:family=\"paragraph\">\n"
    "      <style:paragraph-properties fo:margin-top=\"9pt\" fo:margin-bottom=\"4.5pt\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"c9\" style:family=\"text\">\n"
    "      <style:text-properties fo:font-weight=\"bold\" fo:font-family=\"Sans\" "
    "fo:font-size=\"12pt\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"p10\" style:family=\"paragraph\">\n"
    "      <style:paragraph-properties fo:margin-left=\"13.5pt\"/>\n"
    "    </style:style>\n"
    "    <style:style style:name=\"c11\" style:family=\"text\">\n"
    "      <style:text-properties fo:font-weight=\"bold\" fo:font-family=\"Sans\" "
    "fo:font-size=\"10pt\"/>\n"
    "    </style:style>\n";

// The contents heading with the page break after it, when there are no
// paragraphs to list below it.
constexpr const char *kLoneContentsStyle =
    "    <style:style style:name=\"p12\" style:family=\"paragraph\">\n"
    "      <style:paragraph-properties fo:margin-top=\"13.5pt\" fo:margin-bottom=\"4.5pt\" "
    "fo:break-after=\"page\"/>\n"
    "    </style:style>\n";

constexpr const char *kContentHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
    "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
    "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
    "office:version=\"1.2\">\n"
    "  <office:automatic-styles>\n";

constexpr const char *kBodyHead = "  </office:automatic-styles>\n"
                                  "  <office:body>\n"
                                  "    <office:text>\n";

constexpr const char *kContentEnd = "    </office:text>\n"
                                    "  </office:body>\n"
                                    "</office:document-content>\n";

constexpr const char *kManifest =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
    "manifest:version=\"1.2\">\n"
    " <manifest:file-entry manifest:media-type=\"application/vnd.oasis.opendocument.text\" "
    "manifest:full-path=\"/\"/>\n"
    " <manifest:file-entry manifest:media-type=\"text/xml\" manifest:full-path=\"content.xml\"/>\n"
    "</manifest:manifest>\n";

// The kinds of block the document is made of: a paragraph style and the
// text style of its words.
struct Block
{
    const char *paragraph;
    const char *text;
};

constexpr Block kTitle{"p2", "c3"};
constexpr Block kBody{"p1", "c4"};
constexpr Block kBodyBreakAfter{"p5", "c4"};
constexpr Block kSection{"p6", "c7"};
constexpr Block kLoneContents{"p12", "c7"};
constexpr Block kNumber{"p8", "c9"};
constexpr const char *kLabelled = "p10";
constexpr const char *kLabel = "c11";

void appendEscaped(QString &out, QStringView text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
        }
    }
}

// One run of words in one text style. A run of spaces after the first is
// written as <text:s/> (all of them when they begin the run), a tab as
// <text:tab/>, a line separator as a tab and a line break, as OpenDocument
// keeps them; laid out as Qt's OpenDocument writer lays them out, so that a
// document is written the same whichever way it was made.
void appendSpan(QString &out, const char *style, QStringView words)
{
    out += QLatin1String("<text:span text:style-name=\"") + QLatin1String(style) +
           QLatin1String("\">");
    qsizetype spaces = 0;
    qsizetype written = 0;
    for (qsizetype i = 0; i <= words.size(); ++i) {
        const char16_t c = i == words.size() ? u'\0' : words.at(i).unicode();
        const bool isSpace = c == u' ';
        if (!isSpace && spaces > 1) {
            const bool atStart = written == 0 && i == spaces;
            if (atStart) {
                // Nothing was written in the run yet: the element begins
                // its own line, indented to its depth.
                out += QLatin1String("\n          ");
            } else {
                appendEscaped(out, words.mid(written, i - spaces + 1 - written));
            }
            const qsizetype count = spaces - (atStart ? 0 : 1);
            out += count > 1 ? QStringLiteral("<text:s text:c=\"%1\"/>").arg(count)
                             : QStringLiteral("<text:s/>");
            spaces = 0;
            written = i;
        }
        if (i == words.size())
            break;
        if (c == 0x2028) {
            appendEscaped(out, words.mid(written, i - written));
            // The break is an element straight after another: it begins
            // its own line.
            out += QLatin1String("<text:tab/>\n          <text:line-break/>");
            written = i + 1;
        } else if (c == u'\t') {
            appendEscaped(out, words.mid(written, i - written));
            out += QLatin1String("<text:tab/>");
            written = i + 1;
            spaces = 0;
        } else if (isSpace) {
            ++spaces;
        } else {
            spaces = 0;
        }
    }
    appendEscaped(out, words.mid(written));
    out += QLatin1String("</text:span>");
}

// A text's lines: a line feed, a carriage return (alone or before a line
// feed) and a paragraph separator each begin a new block.
QList<QStringView> linesOf(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c != u'\n' && c != u'\r' && c != 0x2029)
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

void appendParagraph(QString &out, const char *paragraphStyle,
                     const QList<std::pair<const char *, QStringView>> &runs)
{
    out += QLatin1String("      <text:p text:style-name=\"") + QLatin1String(paragraphStyle);
    bool any = false;
    for (const auto &[style, words] : runs) {
        if (words.isEmpty())
            continue;
        if (!any)
            out += QLatin1String("\">");
        any = true;
        appendSpan(out, style, words);
    }
    out += any ? QLatin1String("</text:p>\n") : QLatin1String("\"/>\n");
}

// A block of one text style; each of its lines a block of its own. A page
// break after the block follows its last line.
void appendBlock(QString &out, const Block &block, QStringView words, const Block &last)
{
    const QList<QStringView> lines = linesOf(words);
    for (qsizetype i = 0; i < lines.size(); ++i)
        appendParagraph(out, i + 1 == lines.size() ? last.paragraph : block.paragraph,
                        {{block.text, lines.at(i)}});
}

void appendBlock(QString &out, const Block &block, QStringView words)
{
    appendBlock(out, block, words, block);
}

// The label in bold, then its value; the value's later lines in blocks of
// their own, with the label's margin.
void appendLabelled(QString &out, QStringView label, const QString &value)
{
    const QString spaced = QLatin1Char(' ') + value;
    const QList<QStringView> valueLines = linesOf(spaced);
    appendParagraph(out, kLabelled, {{kLabel, label}, {kBody.text, valueLines.first()}});
    for (qsizetype i = 1; i < valueLines.size(); ++i)
        appendParagraph(out, kLabelled, {{kBody.text, valueLines.at(i)}});
}

// A requirement's part of the text: its number, sentence and attributes.
QString requirementPart(const ExchangedRequirement &requirement)
{
    QString part;
    appendBlock(part, kNumber,
                QStringLiteral("No. %1%2")
                    .arg(requirement.number)
                    .arg(requirement.deleted ? QStringLiteral(" (deleted)") : QString()));
    appendBlock(part, kBody, QString(requirement.sentence() + QLatin1Char('.')));
    appendLabelled(part, u"Type:", requirement.type);
    appendLabelled(part, u"Category:", requirement.category);
    appendLabelled(part, u"Priority:", QString::number(requirement.priority));
    appendLabelled(part, u"Release:", QString::number(requirement.release));
    appendLabelled(part, u"Version:", QString::number(requirement.version));
    appendLabelled(part, u"Date saved:", requirement.dateSaved);
    if (!requirement.comments.isEmpty())
        appendLabelled(part, u"Comments:", requirement.comments);
    return part;
}

// A requirement saved without a paragraph number stores "None".
QString paragraphOf(const QString &paragraph)
{
    return paragraph == QLatin1String("None") ? QString() : paragraph;
}

// Where a requirement's part lies in the parts' file, and its section.
struct PartPlace
{
    qint64 offset = 0;
    qint32 length = 0;
    qint32 section = 0;
};

Outcome fileFailure(const QFileDevice &file)
{
    return Outcome::stop(Tr::tr("The OpenDocument text could not be made.") + QLatin1Char('\n') +
                         (file.errorString().isEmpty()
                              ? Tr::tr("A temporary file could not be written.")
                              : file.errorString()));
}

} // namespace

QString OdtReport::heading(const QString &paragraph)
{
    const QString shown = paragraphOf(paragraph);
    return shown.isEmpty() ? QStringLiteral("Without a paragraph number")
                           : QStringLiteral("Paragraph ") + shown;
}

Outcome OdtReport::write(const ExchangeSet &set, const QDateTime &created, QIODevice &device,
                         const QString &folder)
{
    // Each requirement's part as it is read, in number order.
    QTemporaryFile parts(folder + QStringLiteral("/.varn-odt-parts-XXXXXX"));
    if (!parts.open())
        return fileFailure(parts);
    QHash<QString, qint32> sectionOf;
    QStringList paragraphs;
    std::vector<PartPlace> places;
    places.reserve(std::size_t(std::max(set.count, 0)));
    qint64 offset = 0;
    int count = 0;
    const Outcome read = set.forEachRequirement([&](const ExchangedRequirement &requirement) {
        const QString paragraph = paragraphOf(requirement.paragraph);
        auto section = sectionOf.constFind(paragraph);
        if (section == sectionOf.cend()) {
            section = sectionOf.insert(paragraph, qint32(paragraphs.size()));
            paragraphs.append(paragraph);
        }
        const QByteArray bytes = requirementPart(requirement).toUtf8();
        if (parts.write(bytes) != bytes.size())
            return fileFailure(parts);
        places.push_back({offset, qint32(bytes.size()), *section});
        offset += bytes.size();
        ++count;
        return Outcome::ok();
    });
    if (!read)
        return read;
    if (!parts.flush())
        return fileFailure(parts);

    // The sections in document order: paragraphs as numbers run, those
    // without one last.
    std::vector<qint32> order(std::size_t(paragraphs.size()));
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = qint32(i);
    std::sort(order.begin(), order.end(), [&paragraphs](qint32 a, qint32 b) {
        const QString &first = paragraphs.at(a);
        const QString &second = paragraphs.at(b);
        if (first.isEmpty() != second.isEmpty())
            return second.isEmpty();
        if (const int compared = ParagraphOrder::compare(first, second); compared != 0)
            return compared < 0;
        return first < second;
    });
    std::vector<qint32> rank(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        rank[std::size_t(order[i])] = qint32(i);
    // In number order within a section, as they were read.
    std::stable_sort(places.begin(), places.end(), [&rank](const PartPlace &a, const PartPlace &b) {
        return rank[std::size_t(a.section)] < rank[std::size_t(b.section)];
    });

    QTemporaryFile content(folder + QStringLiteral("/.varn-odt-content-XXXXXX"));
    const RemovedOnInterruption removed(
        [&content] { return content.open() ? content.fileName() : QString(); });
    if (!content.isOpen())
        return fileFailure(content);
    const auto put = [&content](const QString &text) {
        const QByteArray bytes = text.toUtf8();
        return content.write(bytes) == bytes.size();
    };
    const QString systemName = set.systemName;
    QString head = QLatin1String(kContentHead) + QLatin1String(kStyles);
    if (paragraphs.isEmpty())
        head += QLatin1String(kLoneContentsStyle);
    head += QLatin1String(kBodyHead);
    appendBlock(head, kTitle, QStringLiteral("Requirements of the %1 system").arg(systemName));
    appendBlock(head, kBody, QString(QStringLiteral("System: ") + systemName));
    appendBlock(head, kBody,
                QString(QStringLiteral("Date: ") + created.date().toString(Qt::ISODate)));
    appendBlock(head, kBody, QStringLiteral("%1 requirement(s)").arg(count), kBodyBreakAfter);
    appendBlock(head, paragraphs.isEmpty() ? kLoneContents : kSection, u"Contents");
    for (std::size_t i = 0; i < order.size(); ++i)
        appendBlock(head, kBody, heading(paragraphs.at(order[i])),
                    i + 1 == order.size() ? kBodyBreakAfter : kBody);
    if (!put(head))
        return fileFailure(content);

    qint32 section = -1;
    QByteArray bytes;
    for (const PartPlace &place : places) {
        if (place.section != section) {
            section = place.section;
            QString sectionHeading;
            appendBlock(sectionHeading, kSection, heading(paragraphs.at(section)));
            if (!put(sectionHeading))
                return fileFailure(content);
        }
        bytes.resize(place.length);
        if (!parts.seek(place.offset) || parts.read(bytes.data(), place.length) != place.length)
            return fileFailure(parts);
        if (content.write(bytes) != bytes.size())
            return fileFailure(content);
    }
    if (!put(QLatin1String(kContentEnd)) || !content.flush())
        return fileFailure(content);
    content.close();
    parts.close();

    return ZipArchive::writeInto(
        device,
        {
            {QStringLiteral("mimetype"), QByteArray("application/vnd.oasis.opendocument.text")},
            {QStringLiteral("META-INF/manifest.xml"), QByteArray(kManifest)},
            {QStringLiteral("content.xml"), {}, content.fileName()},
        },
        folder);
}

} // namespace varn::interchange
