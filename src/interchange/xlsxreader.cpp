#include "interchange/xlsxreader.h"

#include "interchange/interchangetr.h"

#include "interchange/exchangeinput.h"
#include "interchange/spreadsheetarchive.h"

#include <QHash>
#include <QMap>
#include <QXmlStreamReader>

#include <cmath>
#include <utility>

namespace varn::interchange {

namespace {

const QLatin1StringView kRelationshipsNamespace{
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships"};

Outcome notASpreadsheet(const QString &why)
{
    return ExchangeInput::refusal(
        Tr::tr("The file is not a spreadsheet this import reads: %1").arg(why));
}

// Reads one part, whole or a piece at a time as it comes out of the
// archive, refusing what an import never reads and malformed XML.
class Part
{
public:
    using More = std::function<Result<QByteArray>()>;

    Part(const QString &name, const QByteArray &bytes) : m_name(name), m_xml(bytes) {}
    Part(const QString &name, More more) : m_name(name), m_more(std::move(more)) {}

    QXmlStreamReader &xml() { return m_xml; }

    // The next start or end element (or, asked for, character data); false
    // at the end or on an error.
    bool next(bool characters = false)
    {
        for (;;) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                m_refused = true;
                return false;
            case QXmlStreamReader::StartElement:
            case QXmlStreamReader::EndElement:
                return true;
            case QXmlStreamReader::Characters:
                if (characters)
                    return true;
                break;
            case QXmlStreamReader::EndDocument:
                return false;
            case QXmlStreamReader::Invalid:
                if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError || !m_more ||
                    m_drained)
                    return false;
                // The part goes on in its next piece.
                if (Result<QByteArray> piece = m_more(); !piece) {
                    m_failure = piece.outcome();
                    return false;
                } else if (piece->isEmpty()) {
                    m_drained = true;
                    return false;
                } else {
                    m_xml.addData(piece.value());
                }
                break;
            default:
                break;
            }
        }
    }

    bool isStart(QLatin1StringView name) const
    {
        return m_xml.isStartElement() && m_xml.name() == name;
    }
    bool isEnd(QLatin1StringView name) const
    {
        return m_xml.isEndElement() && m_xml.name() == name;
    }

    // The text up to the end of the element just started, its child
    // elements' texts included.
    QString text()
    {
        QString text;
        int depth = 1;
        while (depth > 0 && next(true)) {
            if (m_xml.isCharacters())
                text += m_xml.text();
            else if (m_xml.isStartElement())
                ++depth;
            else
                --depth;
        }
        return text;
    }

    Outcome outcome() const
    {
        if (!m_failure)
            return m_failure;
        if (m_refused)
            return ExchangeInput::refusal(
                Tr::tr("The file holds a document type or entity declaration, which "
                       "an import never reads."));
        if (m_xml.hasError())
            return ExchangeInput::refusal(
                Tr::tr("The spreadsheet's part %1 is not well-formed XML (line %2, column %3: %4).")
                    .arg(m_name)
                    .arg(m_xml.lineNumber())
                    .arg(m_xml.columnNumber())
                    .arg(m_xml.errorString()));
        return Outcome::ok();
    }

private:
    QString m_name;
    QXmlStreamReader m_xml;
    More m_more;
    bool m_drained = false;
    bool m_refused = false;
    Outcome m_failure = Outcome::ok();
};

// "xl/workbook.xml" and "worksheets/sheet1.xml" -> "xl/worksheets/sheet1.xml";
// a target beginning with "/" is from the archive's root.
QString resolved(const QString &base, const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return target.mid(1);
    QStringList parts = base.split(QLatin1Char('/'));
    parts.removeLast();
    for (const QString &segment : target.split(QLatin1Char('/'))) {
        if (segment == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (segment != QLatin1String(".") && !segment.isEmpty())
            parts.append(segment);
    }
    return parts.join(QLatin1Char('/'));
}

// The relationships of a part: its _rels/<name>.rels beside it.
struct Relationship
{
    QString type; // the last word of the type: "worksheet", "sharedStrings"...
    QString target;
};

Result<QHash<QString, Relationship>> relationshipsOf(const XlsxReader::Parts &parts,
                                                     const QString &part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    const QString name = part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
                         QStringLiteral(".rels");
    QHash<QString, Relationship> relationships;
    if (!parts.contains(name))
        return notASpreadsheet(Tr::tr("it has no part %1.").arg(name));
    const Result<QByteArray> bytes = parts.read(name);
    if (!bytes)
        return bytes.outcome();
    Part xml(name, bytes.value());
    while (xml.next()) {
        if (!xml.isStart(QLatin1StringView("Relationship")))
            continue;
        const QXmlStreamAttributes attributes = xml.xml().attributes();
        const QString type = attributes.value(QLatin1String("Type")).toString();
        relationships.insert(
            attributes.value(QLatin1String("Id")).toString(),
            {type.section(QLatin1Char('/'), -1),
             resolved(part, attributes.value(QLatin1String("Target")).toString())});
    }
    if (Outcome read = xml.outcome(); !read)
        return read;
    return relationships;
}

// The workbook's shared strings, held once: their UTF-8 one after another.
class SharedStrings
{
public:
    qsizetype size() const { return m_starts.size(); }
    QString at(qsizetype index) const
    {
        const qsizetype end = index + 1 < m_starts.size() ? m_starts.at(index + 1) : m_bytes.size();
        return QString::fromUtf8(
            QByteArrayView(m_bytes).sliced(m_starts.at(index), end - m_starts.at(index)));
    }
    void append(const QString &text)
    {
        m_starts.append(m_bytes.size());
        m_bytes += text.toUtf8();
    }

private:
    QByteArray m_bytes;
    QList<qsizetype> m_starts;
};

Result<SharedStrings> sharedStrings(const XlsxReader::Parts &parts, const QString &part)
{
    SharedStrings strings;
    if (!parts.contains(part))
        return notASpreadsheet(Tr::tr("it has no part %1.").arg(part));
    Result<std::function<Result<QByteArray>()>> pieces = parts.stream(part);
    if (!pieces)
        return pieces.outcome();
    Part xml(part, pieces.takeValue());
    QString current;
    bool inString = false;
    int phonetic = 0; // inside a reading aid (<rPh>), whose text is no part of the value
    while (xml.next()) {
        if (xml.isStart(QLatin1StringView("si"))) {
            inString = true;
            current.clear();
        } else if (xml.isEnd(QLatin1StringView("si"))) {
            inString = false;
            strings.append(current);
        } else if (xml.isStart(QLatin1StringView("rPh"))) {
            ++phonetic;
        } else if (xml.isEnd(QLatin1StringView("rPh"))) {
            --phonetic;
        } else if (inString && phonetic == 0 && xml.isStart(QLatin1StringView("t"))) {
            current += xml.text();
        }
    }
    if (Outcome read = xml.outcome(); !read)
        return read;
    return strings;
}

// The text of an inline string (<is>), its runs joined.
QString inlineString(Part &xml)
{
    QString text;
    int phonetic = 0;
    while (xml.next() && !xml.isEnd(QLatin1StringView("is"))) {
        if (xml.isStart(QLatin1StringView("rPh")))
            ++phonetic;
        else if (xml.isEnd(QLatin1StringView("rPh")))
            --phonetic;
        else if (phonetic == 0 && xml.isStart(QLatin1StringView("t")))
            text += xml.text();
    }
    return text;
}

// A number as a spreadsheet stores it ("2", "2.0", "1E3"), as the whole
// number it is when it is one.
QString numberText(const QString &value)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (ok && std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 1e15)
        return QString::number(qint64(number));
    return value;
}

} // namespace

qsizetype XlsxReader::columnOf(QStringView reference)
{
    qsizetype column = 0;
    qsizetype letters = 0;
    for (const QChar c : reference) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        column = column * 26 + (u - u'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters == 0 ? -1 : column - 1;
}

// The rows of a sheet in order, read as its part comes: the rows a sheet
// leaves out are handed out as empty rows.
class XlsxReader::Sheet
{
public:
    Sheet(const QString &name, Part::More pieces, SharedStrings strings)
        : m_xml(name, std::move(pieces)), m_strings(std::move(strings))
    {}

    Result<std::optional<QStringList>> next()
    {
        for (;;) {
            if (m_pending) {
                const qsizetype at = m_nextRow++;
                if (m_pending->first > at)
                    return std::optional<QStringList>(QStringList{QString()});
                const QMap<qsizetype, QString> cells = std::move(m_pending->second);
                m_pending.reset();
                if (cells.isEmpty())
                    return std::optional<QStringList>(QStringList{QString()});
                if (at == 0)
                    m_headerWidth = cells.lastKey() + 1;
                // Cells left out at the end of a row are empty; a row reaching
                // past the header keeps its width, which the import refuses.
                QStringList texts(qMax(m_headerWidth, cells.lastKey() + 1));
                for (auto cell = cells.cbegin(); cell != cells.cend(); ++cell)
                    texts[cell.key()] = cell.value();
                return std::optional<QStringList>(std::move(texts));
            }
            if (m_ended)
                return std::optional<QStringList>();
            if (Outcome read = readRow(); !read)
                return read;
        }
    }

    // Reads up to the start of the first row: what the sheet says of its size.
    Outcome readDimension()
    {
        while (m_xml.next()) {
            if (m_xml.isStart(QLatin1StringView("dimension"))) {
                const QString reference =
                    m_xml.xml().attributes().value(QLatin1String("ref")).toString();
                QStringView last = QStringView(reference).sliced(reference.indexOf(u':') + 1);
                while (!last.isEmpty() && !last.front().isDigit())
                    last = last.sliced(1);
                m_declaredRows = qBound<qsizetype>(0, last.toLongLong(), kMostRows);
            } else if (m_xml.isStart(QLatin1StringView("row"))) {
                return startRow();
            }
        }
        m_ended = true;
        return m_xml.outcome();
    }

    qsizetype declaredRows() const { return m_declaredRows; }

private:
    Outcome badReference(const QString &reference)
    {
        return notASpreadsheet(Tr::tr("its sheet has a cell at \"%1\", outside a sheet's rows "
                                      "and columns.")
                                   .arg(reference));
    }

    // The row just started: its number checked, its cells read.
    Outcome startRow()
    {
        const QString reference = m_xml.xml().attributes().value(QLatin1String("r")).toString();
        const qsizetype row = reference.isEmpty() ? m_lastRow + 1 : reference.toLongLong() - 1;
        if (row < 0 || row >= kMostRows)
            return badReference(reference);
        if (row <= m_lastRow)
            return notASpreadsheet(Tr::tr("its sheet's row %1 comes after row %2; a sheet's rows "
                                          "are in order.")
                                       .arg(row + 1)
                                       .arg(m_lastRow + 1));
        m_lastRow = row;
        QMap<qsizetype, QString> cells;
        qsizetype column = -1;
        while (m_xml.next() && !m_xml.isEnd(QLatin1StringView("row"))) {
            if (!m_xml.isStart(QLatin1StringView("c")))
                continue;
            const QXmlStreamAttributes attributes = m_xml.xml().attributes();
            const QString cellReference = attributes.value(QLatin1String("r")).toString();
            column = cellReference.isEmpty() ? column + 1 : columnOf(cellReference);
            if (column < 0 || column >= kMostColumns)
                return badReference(cellReference);
            const QString type = attributes.value(QLatin1String("t")).toString();
            QString value;
            while (m_xml.next() && !m_xml.isEnd(QLatin1StringView("c"))) {
                if (m_xml.isStart(QLatin1StringView("v"))) {
                    value = m_xml.text();
                } else if (m_xml.isStart(QLatin1StringView("is"))) {
                    value = inlineString(m_xml);
                } else if (m_xml.isStart(QLatin1StringView("f"))) {
                    m_xml.text(); // the formula; its last value follows in <v>
                }
            }
            if (type == QLatin1String("s")) {
                bool ok = false;
                const qsizetype index = value.toLongLong(&ok);
                if (!ok || index < 0 || index >= m_strings.size())
                    return notASpreadsheet(
                        Tr::tr("its cell %1 names shared string %2, which it does not hold.")
                            .arg(cellReference, value));
                value = m_strings.at(index);
            } else if (type.isEmpty() || type == QLatin1String("n")) {
                value = numberText(value);
            }
            if (!value.isEmpty())
                cells[column] = value;
        }
        if (Outcome read = m_xml.outcome(); !read)
            return read;
        m_pending.emplace(row, std::move(cells));
        return Outcome::ok();
    }

    // The next row into m_pending, or the end of the sheet.
    Outcome readRow()
    {
        while (m_xml.next()) {
            if (m_xml.isStart(QLatin1StringView("row")))
                return startRow();
        }
        m_ended = true;
        return m_xml.outcome();
    }

    Part m_xml;
    SharedStrings m_strings;
    std::optional<std::pair<qsizetype, QMap<qsizetype, QString>>> m_pending;
    qsizetype m_lastRow = -1;
    qsizetype m_nextRow = 0;
    qsizetype m_headerWidth = 0;
    qsizetype m_declaredRows = 0;
    bool m_ended = false;
};

XlsxReader::XlsxReader() = default;
XlsxReader::~XlsxReader() = default;

Result<std::unique_ptr<XlsxReader>> XlsxReader::open(Parts parts)
{
    // The package names its workbook, the workbook its sheets in order.
    const Result<QHash<QString, Relationship>> package = relationshipsOf(parts, QStringLiteral(""));
    if (!package)
        return package.outcome();
    QString workbook;
    for (const Relationship &relationship : package.value()) {
        if (relationship.type == QLatin1String("officeDocument"))
            workbook = relationship.target;
    }
    if (workbook.isEmpty() || !parts.contains(workbook))
        return notASpreadsheet(Tr::tr("it names no workbook."));
    QString firstSheet;
    {
        const Result<QByteArray> bytes = parts.read(workbook);
        if (!bytes)
            return bytes.outcome();
        Part xml(workbook, bytes.value());
        while (firstSheet.isEmpty() && xml.next()) {
            if (xml.isStart(QLatin1StringView("sheet")))
                firstSheet = xml.xml()
                                 .attributes()
                                 .value(kRelationshipsNamespace, QLatin1String("id"))
                                 .toString();
        }
        if (Outcome read = xml.outcome(); !read)
            return read;
    }
    const Result<QHash<QString, Relationship>> workbookParts = relationshipsOf(parts, workbook);
    if (!workbookParts)
        return workbookParts.outcome();
    const Relationship sheetPart = workbookParts->value(firstSheet);
    if (firstSheet.isEmpty() || sheetPart.target.isEmpty() || !parts.contains(sheetPart.target))
        return notASpreadsheet(Tr::tr("its workbook has no sheet."));
    SharedStrings strings;
    for (const Relationship &relationship : workbookParts.value()) {
        if (relationship.type == QLatin1String("sharedStrings")) {
            Result<SharedStrings> shared = sharedStrings(parts, relationship.target);
            if (!shared)
                return shared.outcome();
            strings = shared.takeValue();
        }
    }
    Result<std::function<Result<QByteArray>()>> pieces = parts.stream(sheetPart.target);
    if (!pieces)
        return pieces.outcome();
    std::unique_ptr<XlsxReader> reader(new XlsxReader);
    reader->m_sheet =
        std::make_unique<Sheet>(sheetPart.target, pieces.takeValue(), std::move(strings));
    if (Outcome read = reader->m_sheet->readDimension(); !read)
        return read;
    reader->m_declaredRows = reader->m_sheet->declaredRows();
    return reader;
}

Result<std::unique_ptr<XlsxReader>> XlsxReader::open(const SpreadsheetArchive &archive)
{
    return open(
        Parts{[&archive](const QString &name) { return archive.contains(name); },
              [&archive](const QString &name) { return archive.read(name); },
              [&archive](const QString &name) -> Result<std::function<Result<QByteArray>()>> {
                  Result<SpreadsheetArchive::Pieces> pieces = archive.stream(name);
                  if (!pieces)
                      return pieces.outcome();
                  return std::function<Result<QByteArray>()>(pieces.takeValue());
              }});
}

Result<std::optional<QStringList>> XlsxReader::next()
{
    return m_sheet->next();
}

Result<QList<QStringList>> XlsxReader::rows(const ZipArchive &archive)
{
    Parts parts{[&archive](const QString &name) { return archive.contains(name); },
                [&archive](const QString &name) -> Result<QByteArray> {
                    return archive.entry(name)->bytes;
                },
                [&archive](const QString &name) -> Result<std::function<Result<QByteArray>()>> {
                    // The whole entry as one piece, then the end.
                    auto given = std::make_shared<bool>(false);
                    const ZipArchive::Entry *entry = archive.entry(name);
                    return std::function<Result<QByteArray>()>(
                        [entry, given]() -> Result<QByteArray> {
                            if (*given)
                                return QByteArray();
                            *given = true;
                            return entry->bytes;
                        });
                }};
    Result<std::unique_ptr<XlsxReader>> reader = open(std::move(parts));
    if (!reader)
        return reader.outcome();
    QList<QStringList> rows;
    for (;;) {
        Result<std::optional<QStringList>> row = reader.value()->next();
        if (!row)
            return row.outcome();
        if (!row->has_value())
            return rows;
        rows.append(std::move(*row.value()));
    }
}

} // namespace varn::interchange
