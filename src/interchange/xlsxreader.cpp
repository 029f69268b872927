#include "interchange/xlsxreader.h"

#include "interchange/interchangetr.h"

#include "interchange/exchangeinput.h"

#include <QHash>
#include <QMap>
#include <QXmlStreamReader>

#include <cmath>

namespace varn::interchange {

namespace {

const QLatin1StringView kRelationshipsNamespace{
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships"};

Outcome notASpreadsheet(const QString &why)
{
    return ExchangeInput::refusal(
        Tr::tr("The file is not a spreadsheet this import reads: %1").arg(why));
}

// Reads one part, refusing what an import never reads and malformed XML.
class Part
{
public:
    Part(const QString &name, const QByteArray &bytes) : m_name(name), m_xml(bytes) {}

    QXmlStreamReader &xml() { return m_xml; }

    // The next start or end element; false at the end or on an error.
    bool next()
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                m_refused = true;
                return false;
            case QXmlStreamReader::StartElement:
            case QXmlStreamReader::EndElement:
                return true;
            default:
                break;
            }
        }
        return false;
    }

    bool isStart(QLatin1StringView name) const
    {
        return m_xml.isStartElement() && m_xml.name() == name;
    }
    bool isEnd(QLatin1StringView name) const
    {
        return m_xml.isEndElement() && m_xml.name() == name;
    }

    // The text up to the end of the element just started.
    QString text() { return m_xml.readElementText(QXmlStreamReader::IncludeChildElements); }

    Outcome outcome() const
    {
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
    bool m_refused = false;
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

Result<QHash<QString, Relationship>> relationshipsOf(const ZipArchive &archive, const QString &part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    const QString name = part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
                         QStringLiteral(".rels");
    QHash<QString, Relationship> relationships;
    const ZipArchive::Entry *entry = archive.entry(name);
    if (!entry)
        return notASpreadsheet(Tr::tr("it has no part %1.").arg(name));
    Part xml(name, entry->bytes);
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

Result<QStringList> sharedStrings(const ZipArchive &archive, const QString &part)
{
    QStringList strings;
    const ZipArchive::Entry *entry = archive.entry(part);
    if (!entry)
        return notASpreadsheet(Tr::tr("it has no part %1.").arg(part));
    Part xml(part, entry->bytes);
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

Result<QList<QStringList>> XlsxReader::rows(const ZipArchive &archive)
{
    // The package names its workbook, the workbook its sheets in order.
    const Result<QHash<QString, Relationship>> package =
        relationshipsOf(archive, QStringLiteral(""));
    if (!package)
        return package.outcome();
    QString workbook;
    for (const Relationship &relationship : package.value()) {
        if (relationship.type == QLatin1String("officeDocument"))
            workbook = relationship.target;
    }
    const ZipArchive::Entry *workbookEntry = archive.entry(workbook);
    if (!workbookEntry)
        return notASpreadsheet(Tr::tr("it names no workbook."));
    QString firstSheet;
    {
        Part xml(workbook, workbookEntry->bytes);
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
    const Result<QHash<QString, Relationship>> parts = relationshipsOf(archive, workbook);
    if (!parts)
        return parts.outcome();
    const Relationship sheetPart = parts->value(firstSheet);
    const ZipArchive::Entry *sheet = archive.entry(sheetPart.target);
    if (firstSheet.isEmpty() || !sheet)
        return notASpreadsheet(Tr::tr("its workbook has no sheet."));
    QStringList strings;
    for (const Relationship &relationship : parts.value()) {
        if (relationship.type == QLatin1String("sharedStrings")) {
            Result<QStringList> shared = sharedStrings(archive, relationship.target);
            if (!shared)
                return shared.outcome();
            strings = shared.takeValue();
        }
    }

    // The cells by row and column; rows and cells may be left out.
    QMap<qsizetype, QMap<qsizetype, QString>> cells;
    Part xml(sheetPart.target, sheet->bytes);
    qsizetype row = -1;
    qsizetype column = -1;
    auto badReference = [&](const QString &reference) {
        return notASpreadsheet(Tr::tr("its sheet has a cell at \"%1\", outside a sheet's rows "
                                      "and columns.")
                                   .arg(reference));
    };
    while (xml.next()) {
        if (xml.isStart(QLatin1StringView("row"))) {
            const QString reference = xml.xml().attributes().value(QLatin1String("r")).toString();
            row = reference.isEmpty() ? row + 1 : reference.toLongLong() - 1;
            if (row < 0 || row >= kMostRows)
                return badReference(reference);
            column = -1;
            continue;
        }
        if (!xml.isStart(QLatin1StringView("c")) || row < 0)
            continue;
        const QXmlStreamAttributes attributes = xml.xml().attributes();
        const QString reference = attributes.value(QLatin1String("r")).toString();
        column = reference.isEmpty() ? column + 1 : columnOf(reference);
        if (column < 0 || column >= kMostColumns)
            return badReference(reference);
        const QString type = attributes.value(QLatin1String("t")).toString();
        QString value;
        while (xml.next() && !xml.isEnd(QLatin1StringView("c"))) {
            if (xml.isStart(QLatin1StringView("v"))) {
                value = xml.text();
            } else if (xml.isStart(QLatin1StringView("is"))) {
                value = inlineString(xml);
            } else if (xml.isStart(QLatin1StringView("f"))) {
                xml.text(); // the formula; its last value follows in <v>
            }
        }
        if (type == QLatin1String("s")) {
            bool ok = false;
            const qsizetype index = value.toLongLong(&ok);
            if (!ok || index < 0 || index >= strings.size())
                return notASpreadsheet(
                    Tr::tr("its cell %1 names shared string %2, which it does not hold.")
                        .arg(reference, value));
            value = strings[index];
        } else if (type.isEmpty() || type == QLatin1String("n")) {
            value = numberText(value);
        }
        if (!value.isEmpty())
            cells[row][column] = value;
    }
    if (Outcome read = xml.outcome(); !read)
        return read;

    QList<QStringList> rows;
    const qsizetype rowCount = cells.isEmpty() ? 0 : cells.lastKey() + 1;
    const qsizetype headerWidth = cells.value(0).isEmpty() ? 0 : cells.value(0).lastKey() + 1;
    rows.reserve(rowCount);
    for (qsizetype r = 0; r < rowCount; ++r) {
        const auto found = cells.constFind(r);
        if (found == cells.cend()) {
            rows.append(QStringList{QString()});
            continue;
        }
        // Cells left out at the end of a row are empty; a row reaching
        // past the header keeps its width, which the import refuses.
        QStringList texts(qMax(headerWidth, found->lastKey() + 1));
        for (auto cell = found->cbegin(); cell != found->cend(); ++cell)
            texts[cell.key()] = cell.value();
        rows.append(texts);
        if (texts.size() > headerWidth)
            break; // refused anyway: nothing after it matters
    }
    return rows;
}

} // namespace varn::interchange
