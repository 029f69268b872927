// The review document written as the requirements are read is the document
// Qt's own OpenDocument writer makes of the same text built whole: the same
// blocks in the same order, each with the same paragraph and text styles,
// whatever the words hold (runs of spaces, tabs, line breaks, markup).
#include "interchange/odtreport.h"
#include "interchange/paragraphorder.h"
#include "interchange/ziparchive.h"

#include <QBuffer>
#include <QFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QtTest>

#include <algorithm>

using namespace varn;
using namespace varn::interchange;

namespace {

// The document as it was made before it was streamed: a text document
// built whole and written by Qt.
class WholeDocument
{
public:
    explicit WholeDocument(QTextDocument &document) : m_cursor(&document) {}

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
        QTextBlockFormat format;
        format.setHeadingLevel(level);
        format.setTopMargin(level == 1 ? 18 : 12);
        format.setBottomMargin(6);
        QTextCharFormat text;
        text.setFontWeight(QFont::Bold);
        text.setFontPointSize(level == 0 ? 24 : level == 1 ? 16 : 12);
        block(format, text, words);
    }
    static QTextCharFormat body(bool bold = false)
    {
        QTextCharFormat format;
        format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        format.setFontPointSize(10);
        return format;
    }
    void paragraph(const QString &words) { block(QTextBlockFormat(), body(), words); }
    void labelled(const QString &label, const QString &value)
    {
        QTextBlockFormat format;
        format.setLeftMargin(18);
        block(format, body(true), label);
        m_cursor.insertText(QStringLiteral(" ") + value, body());
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

QString paragraphOf(const ExchangedRequirement &requirement)
{
    return requirement.paragraph == QLatin1String("None") ? QString() : requirement.paragraph;
}

QByteArray wholeDocument(const QString &systemName, QList<ExchangedRequirement> requirements,
                         const QDate &created)
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Sans")));
    WholeDocument builder(document);
    builder.heading(0, QStringLiteral("Requirements of the %1 system").arg(systemName));
    builder.paragraph(QStringLiteral("System: ") + systemName);
    builder.paragraph(QStringLiteral("Date: ") + created.toString(Qt::ISODate));
    builder.paragraph(QStringLiteral("%1 requirement(s)").arg(requirements.size()));
    builder.pageBreak();
    std::stable_sort(requirements.begin(), requirements.end(), [](const auto &a, const auto &b) {
        const QString first = paragraphOf(a);
        const QString second = paragraphOf(b);
        if (first.isEmpty() != second.isEmpty())
            return second.isEmpty();
        if (const int order = ParagraphOrder::compare(first, second); order != 0)
            return order < 0;
        if (first != second)
            return first < second;
        return a.number < b.number;
    });
    QStringList sections;
    for (const ExchangedRequirement &requirement : requirements)
        if (sections.isEmpty() || sections.last() != paragraphOf(requirement))
            sections.append(paragraphOf(requirement));
    builder.heading(1, QStringLiteral("Contents"));
    for (const QString &section : sections)
        builder.paragraph(OdtReport::heading(section));
    builder.pageBreak();
    std::optional<QString> section;
    for (const ExchangedRequirement &requirement : requirements) {
        if (section != paragraphOf(requirement)) {
            section = paragraphOf(requirement);
            builder.heading(1, OdtReport::heading(*section));
        }
        builder.heading(2,
                        QStringLiteral("No. %1%2")
                            .arg(requirement.number)
                            .arg(requirement.deleted ? QStringLiteral(" (deleted)") : QString()));
        builder.paragraph(requirement.sentence() + QLatin1Char('.'));
        builder.labelled(QStringLiteral("Type:"), requirement.type);
        builder.labelled(QStringLiteral("Category:"), requirement.category);
        builder.labelled(QStringLiteral("Priority:"), QString::number(requirement.priority));
        builder.labelled(QStringLiteral("Release:"), QString::number(requirement.release));
        builder.labelled(QStringLiteral("Version:"), QString::number(requirement.version));
        builder.labelled(QStringLiteral("Date saved:"), requirement.dateSaved);
        if (!requirement.comments.isEmpty())
            builder.labelled(QStringLiteral("Comments:"), requirement.comments);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&document))
        return {};
    return bytes;
}

// The document's body with every style name replaced by the properties the
// style gives: names are the writer's own, the look is what must agree.
QString bodyWithStylesResolved(const QByteArray &odt)
{
    const Result<ZipArchive> archive = ZipArchive::fromBytes(odt);
    if (!archive || !archive->entry(QStringLiteral("content.xml")))
        return QStringLiteral("no content");
    const QString content = QString::fromUtf8(archive->entry(QStringLiteral("content.xml"))->bytes);
    QHash<QString, QString> styles;
    static const QRegularExpression style(
        QStringLiteral("<style:style style:name=\"(\\w+)\" "
                       "style:family=\"\\w+\">\\s*(<[^>]*>)\\s*</style:style>"));
    for (const QRegularExpressionMatch &match : style.globalMatch(content))
        styles.insert(match.captured(1), match.captured(2));
    QString body = content.mid(content.indexOf(QLatin1String("<office:body>")));
    static const QRegularExpression name(QStringLiteral("text:style-name=\"(\\w+)\""));
    QString resolved;
    qsizetype at = 0;
    for (const QRegularExpressionMatch &match : name.globalMatch(body)) {
        resolved += body.mid(at, match.capturedStart() - at);
        resolved += QStringLiteral("style=\"%1\"")
                        .arg(styles.value(match.captured(1),
                                          QStringLiteral("missing ") + match.captured(1)));
        at = match.capturedEnd();
    }
    return resolved + body.mid(at);
}

ExchangedRequirement requirement(qint32 number, const QString &paragraph, const QString &text,
                                 const QString &comments = {})
{
    ExchangedRequirement made;
    made.number = number;
    made.type = QStringLiteral("Technical");
    made.category = QStringLiteral("Software");
    made.paragraph = paragraph;
    made.preamble = QStringLiteral("The Acme system shall");
    made.text = text;
    made.firstVersion = number;
    made.dateSaved = QStringLiteral("3-7-2009");
    made.comments = comments;
    return made;
}

} // namespace

class OdtReportTest : public QObject
{
    Q_OBJECT

private slots:
    void writesTheWholeDocumentsText_data()
    {
        QTest::addColumn<QList<ExchangedRequirement>>("requirements");
        QTest::newRow("none") << QList<ExchangedRequirement>{};
        QList<ExchangedRequirement> ordered{
            requirement(1, QStringLiteral("3.10"), QStringLiteral("weigh every truck")),
            requirement(2, QStringLiteral("3.9"), QStringLiteral("stop the belt")),
            requirement(3, QStringLiteral("None"), QStringLiteral("log every query")),
            requirement(4, QStringLiteral("3.10"), QStringLiteral("count the pallets")),
            requirement(5, QStringLiteral("1"), QStringLiteral("greet users in Zürich")),
            requirement(6, QString(), QStringLiteral("open the gate")),
        };
        ordered[3].deleted = true;
        ordered[3].type = QStringLiteral("Deleted");
        QTest::newRow("paragraphs in document order") << ordered;
        QTest::newRow("words a document keeps apart") << QList<ExchangedRequirement>{
            requirement(1, QStringLiteral("2"), QStringLiteral("log  two   spaces"),
                        QStringLiteral("  leading spaces")),
            requirement(2, QStringLiteral("2"), QStringLiteral("mark <b> & \"quotes\" 'x'"),
                        QStringLiteral("a\ttab, trailing  ")),
            requirement(3, QStringLiteral("2"), QStringLiteral("keep lines"),
                        QStringLiteral("one\ntwo\r\nthree\rfour\n\nsix\n")),
            requirement(4, QStringLiteral("2"), QStringLiteral("wrap"),
                        QStringLiteral("soft\u2028return \u2029next")),
            requirement(5, QStringLiteral("a\nb"), QStringLiteral("split paragraph"),
                        QStringLiteral("\n  after a break")),
        };
    }

    void writesTheWholeDocumentsText()
    {
        QFETCH(QList<ExchangedRequirement>, requirements);
        ExchangeSet set;
        set.systemName = QStringLiteral("Acme");
        set.count = int(requirements.size());
        set.forEachRequirement = [&requirements](const ExchangeSet::Visit &visit) {
            for (const ExchangedRequirement &requirement : requirements)
                if (Outcome visited = visit(requirement); !visited)
                    return visited;
            return Outcome::ok();
        };
        QTemporaryDir folder;
        QByteArray streamed;
        QBuffer device(&streamed);
        device.open(QIODevice::WriteOnly);
        const QDateTime created(QDate(2026, 12, 8), QTime(9, 30));
        const Outcome written = OdtReport::write(set, created, device, folder.path());
        QVERIFY2(written, qPrintable(written.message()));
        const QByteArray whole = wholeDocument(set.systemName, requirements, created.date());
        QVERIFY(!whole.isEmpty());
        QCOMPARE(bodyWithStylesResolved(streamed), bodyWithStylesResolved(whole));

        const Result<ZipArchive> archive = ZipArchive::fromBytes(streamed);
        const Result<ZipArchive> expected = ZipArchive::fromBytes(whole);
        QVERIFY(archive && expected);
        QCOMPARE(archive->entries().size(), expected->entries().size());
        for (qsizetype i = 0; i < archive->entries().size(); ++i) {
            QCOMPARE(archive->entries().at(i).name, expected->entries().at(i).name);
            if (archive->entries().at(i).name != QLatin1String("content.xml"))
                QCOMPARE(archive->entries().at(i).bytes, expected->entries().at(i).bytes);
        }
        // The temporary files are gone.
        QCOMPARE(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
    }
};

QTEST_MAIN(OdtReportTest)
#include "tst_odtreport.moc"
