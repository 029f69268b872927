#include "interchange/xlsxwriter.h"

#include "common/removedoninterruption.h"
#include "interchange/interchangetr.h"

#include <QBuffer>
#include <QTemporaryFile>
#include <QXmlStreamWriter>

namespace varn::interchange {

namespace {

const QString kMain = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString kRelationships =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString kPackageRelationships =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");

// Writes a document through `body` and returns its bytes.
template <typename Body> QByteArray document(Body body)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    body(xml);
    xml.writeEndDocument();
    return bytes;
}

void relationship(QXmlStreamWriter &xml, const QString &id, const QString &type,
                  const QString &target)
{
    xml.writeEmptyElement(QStringLiteral("Relationship"));
    xml.writeAttribute(QStringLiteral("Id"), id);
    xml.writeAttribute(QStringLiteral("Type"), kRelationships + QLatin1Char('/') + type);
    xml.writeAttribute(QStringLiteral("Target"), target);
}

QByteArray contentTypes()
{
    return document([](QXmlStreamWriter &xml) {
        xml.writeDefaultNamespace(
            QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
        xml.writeStartElement(QStringLiteral("Types"));
        const QString xmlType = QStringLiteral("application/xml");
        xml.writeEmptyElement(QStringLiteral("Default"));
        xml.writeAttribute(QStringLiteral("Extension"), QStringLiteral("rels"));
        xml.writeAttribute(
            QStringLiteral("ContentType"),
            QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
        xml.writeEmptyElement(QStringLiteral("Default"));
        xml.writeAttribute(QStringLiteral("Extension"), QStringLiteral("xml"));
        xml.writeAttribute(QStringLiteral("ContentType"), xmlType);
        const std::pair<const char *, const char *> parts[] = {
            {"/xl/workbook.xml",
             "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"},
            {"/xl/worksheets/sheet1.xml",
             "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"},
            {"/xl/styles.xml",
             "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"},
        };
        for (const auto &[part, type] : parts) {
            xml.writeEmptyElement(QStringLiteral("Override"));
            xml.writeAttribute(QStringLiteral("PartName"), QLatin1String(part));
            xml.writeAttribute(QStringLiteral("ContentType"), QLatin1String(type));
        }
        xml.writeEndElement();
    });
}

QByteArray packageRelationships()
{
    return document([](QXmlStreamWriter &xml) {
        xml.writeDefaultNamespace(kPackageRelationships);
        xml.writeStartElement(QStringLiteral("Relationships"));
        relationship(xml, QStringLiteral("rId1"), QStringLiteral("officeDocument"),
                     QStringLiteral("xl/workbook.xml"));
        xml.writeEndElement();
    });
}

QByteArray workbook(const QString &sheetName)
{
    return document([&](QXmlStreamWriter &xml) {
        xml.writeDefaultNamespace(kMain);
        xml.writeNamespace(kRelationships, QStringLiteral("r"));
        xml.writeStartElement(QStringLiteral("workbook"));
        xml.writeStartElement(QStringLiteral("sheets"));
        xml.writeEmptyElement(QStringLiteral("sheet"));
        xml.writeAttribute(QStringLiteral("name"), sheetName);
        xml.writeAttribute(QStringLiteral("sheetId"), QStringLiteral("1"));
        xml.writeAttribute(kRelationships, QStringLiteral("id"), QStringLiteral("rId1"));
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

QByteArray workbookRelationships()
{
    return document([](QXmlStreamWriter &xml) {
        xml.writeDefaultNamespace(kPackageRelationships);
        xml.writeStartElement(QStringLiteral("Relationships"));
        relationship(xml, QStringLiteral("rId1"), QStringLiteral("worksheet"),
                     QStringLiteral("worksheets/sheet1.xml"));
        relationship(xml, QStringLiteral("rId2"), QStringLiteral("styles"),
                     QStringLiteral("styles.xml"));
        xml.writeEndElement();
    });
}

// The least a spreadsheet program expects: one font, fill, border and format.
QByteArray styles()
{
    return document([](QXmlStreamWriter &xml) {
        xml.writeDefaultNamespace(kMain);
        xml.writeStartElement(QStringLiteral("styleSheet"));
        xml.writeStartElement(QStringLiteral("fonts"));
        xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        xml.writeStartElement(QStringLiteral("font"));
        xml.writeEmptyElement(QStringLiteral("sz"));
        xml.writeAttribute(QStringLiteral("val"), QStringLiteral("11"));
        xml.writeEmptyElement(QStringLiteral("name"));
        xml.writeAttribute(QStringLiteral("val"), QStringLiteral("Calibri"));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("fills"));
        xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        xml.writeStartElement(QStringLiteral("fill"));
        xml.writeEmptyElement(QStringLiteral("patternFill"));
        xml.writeAttribute(QStringLiteral("patternType"), QStringLiteral("none"));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("borders"));
        xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        xml.writeEmptyElement(QStringLiteral("border"));
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("cellStyleXfs"));
        xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        xml.writeEmptyElement(QStringLiteral("xf"));
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("cellXfs"));
        xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
        xml.writeEmptyElement(QStringLiteral("xf"));
        xml.writeAttribute(QStringLiteral("xfId"), QStringLiteral("0"));
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

// Character data in which a carriage return survives: a reader turns a
// literal one into a line feed.
void cellText(QXmlStreamWriter &xml, const QString &text)
{
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(QLatin1Char('\r')); at >= 0;
         at = text.indexOf(QLatin1Char('\r'), from)) {
        xml.writeCharacters(text.mid(from, at - from));
        xml.writeEntityReference(QStringLiteral("#13"));
        from = at + 1;
    }
    xml.writeCharacters(text.mid(from));
}

bool isWholeNumber(const QString &text)
{
    bool ok = false;
    text.toLongLong(&ok);
    // "007" or "+1" would come back as another text.
    return ok && QString::number(text.toLongLong()) == text;
}

void sheetRow(QXmlStreamWriter &xml, qsizetype r, const QStringList &cells,
              const XlsxWriter::NumericColumn &numeric)
{
    const QString rowName = QString::number(r + 1);
    xml.writeStartElement(QStringLiteral("row"));
    xml.writeAttribute(QStringLiteral("r"), rowName);
    for (qsizetype c = 0; c < cells.size(); ++c) {
        const QString &text = cells[c];
        if (text.isEmpty())
            continue;
        xml.writeStartElement(QStringLiteral("c"));
        xml.writeAttribute(QStringLiteral("r"), XlsxWriter::columnName(c) + rowName);
        if (r > 0 && numeric && numeric(c) && isWholeNumber(text)) {
            xml.writeTextElement(QStringLiteral("v"), text);
        } else {
            xml.writeAttribute(QStringLiteral("t"), QStringLiteral("inlineStr"));
            xml.writeStartElement(QStringLiteral("is"));
            xml.writeStartElement(QStringLiteral("t"));
            if (text.front().isSpace() || text.back().isSpace())
                xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            cellText(xml, text);
            xml.writeEndElement();
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

} // namespace

QString XlsxWriter::columnName(qsizetype column)
{
    QString name;
    for (qsizetype n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + char16_t((n - 1) % 26)));
    return name;
}

Outcome XlsxWriter::write(QIODevice &device, const Rows &rows, const NumericColumn &numeric,
                          const QString &sheetName, const QString &folder)
{
    auto failure = [](const QString &why) {
        return Outcome::stop(Tr::tr("The spreadsheet could not be made: %1").arg(why));
    };
    QTemporaryFile sheet(folder + QStringLiteral("/.varn-sheet-XXXXXX.xml"));
    const RemovedOnInterruption removed(
        [&sheet] { return sheet.open() ? sheet.fileName() : QString(); });
    if (!sheet.isOpen())
        return failure(sheet.errorString());
    QXmlStreamWriter xml(&sheet);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeDefaultNamespace(kMain);
    xml.writeStartElement(QStringLiteral("worksheet"));
    xml.writeStartElement(QStringLiteral("sheetData"));
    qsizetype r = 0;
    const Outcome written = rows([&](const QStringList &cells) {
        sheetRow(xml, r++, cells, numeric);
        return Outcome::ok();
    });
    if (!written)
        return written;
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError() || !sheet.flush())
        return failure(sheet.errorString());
    sheet.close();
    return ZipArchive::writeInto(
        device,
        {
            {QStringLiteral("[Content_Types].xml"), contentTypes()},
            {QStringLiteral("_rels/.rels"), packageRelationships()},
            {QStringLiteral("xl/workbook.xml"), workbook(sheetName)},
            {QStringLiteral("xl/_rels/workbook.xml.rels"), workbookRelationships()},
            {QStringLiteral("xl/styles.xml"), styles()},
            {QStringLiteral("xl/worksheets/sheet1.xml"), {}, sheet.fileName()},
        },
        folder);
}

} // namespace varn::interchange
