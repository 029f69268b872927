// Another tool's document kept in a workspace: the re-import of a newer file
// of 100,000 objects (ten attributes each) in which 1,000 changed, and the
// export of that workspace back to the other tool's file.
#include "app/blankimage.h"
#include "interchange/requirementexchange.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

// The machine may be shared: the process's own CPU time beside the wall
// clock says how much of the wait was this program's.
double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

constexpr int kObjects = 100000;
constexpr int kChanged = 1000;
const QString kSystem = QStringLiteral("Acme");

using varn::interchange::ExchangeFormat;
using varn::interchange::RequirementExchange;

QByteArray definition(const char *kind, const char *identifier, const char *longName,
                      const char *datatype, const char *extra = "")
{
    return QByteArray("<ATTRIBUTE-DEFINITION-") + kind + " IDENTIFIER=\"" + identifier +
           "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\" LONG-NAME=\"" + longName + "\"" + extra +
           "><TYPE><DATATYPE-DEFINITION-" + kind + "-REF>" + datatype + "</DATATYPE-DEFINITION-" +
           kind + "-REF></TYPE></ATTRIBUTE-DEFINITION-" + kind + ">";
}

QByteArray value(const char *kind, const char *identifier, const QByteArray &text)
{
    return QByteArray("<ATTRIBUTE-VALUE-") + kind + " THE-VALUE=\"" + text +
           "\"><DEFINITION><ATTRIBUTE-DEFINITION-" + kind + "-REF>" + identifier +
           "</ATTRIBUTE-DEFINITION-" + kind + "-REF></DEFINITION></ATTRIBUTE-VALUE-" + kind + ">";
}

QByteArray enumeration(const char *identifier, const QByteArray &references)
{
    return QByteArray("<ATTRIBUTE-VALUE-ENUMERATION><DEFINITION><ATTRIBUTE-DEFINITION-"
                      "ENUMERATION-REF>") +
           identifier + "</ATTRIBUTE-DEFINITION-ENUMERATION-REF></DEFINITION><VALUES>" +
           references + "</VALUES></ATTRIBUTE-VALUE-ENUMERATION>";
}

// The file: ten attributes per object (XHTML text, strings, integer, real,
// boolean, date, a single- and a multi-valued enumeration), one specification
// holding every object under 100 headings. `revision` 1 is the first file; in
// revision 2 every 100th object has a new text.
bool writeFile(const QString &path, int revision)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ-IF "
        "xmlns=\"http://www.omg.org/spec/ReqIF/20110401/reqif.xsd\" "
        "xmlns:xhtml=\"http://www.w3.org/1999/xhtml\"><THE-HEADER><REQ-IF-HEADER "
        "IDENTIFIER=\"h\"><SOURCE-TOOL-ID>Other</SOURCE-TOOL-ID><TITLE>Cargo</TITLE>"
        "</REQ-IF-HEADER></THE-HEADER><CORE-CONTENT><REQ-IF-CONTENT><DATATYPES>"
        "<DATATYPE-DEFINITION-STRING IDENTIFIER=\"s\" LAST-CHANGE=\"2026-01-01T00:00:00Z\" "
        "MAX-LENGTH=\"1000\"/><DATATYPE-DEFINITION-XHTML IDENTIFIER=\"x\" "
        "LAST-CHANGE=\"2026-01-01T00:00:00Z\"/><DATATYPE-DEFINITION-INTEGER IDENTIFIER=\"i\" "
        "LAST-CHANGE=\"2026-01-01T00:00:00Z\" MAX=\"100000\" MIN=\"0\"/>"
        "<DATATYPE-DEFINITION-REAL IDENTIFIER=\"r\" LAST-CHANGE=\"2026-01-01T00:00:00Z\" "
        "ACCURACY=\"2\" MAX=\"1000\" MIN=\"0\"/><DATATYPE-DEFINITION-BOOLEAN IDENTIFIER=\"b\" "
        "LAST-CHANGE=\"2026-01-01T00:00:00Z\"/><DATATYPE-DEFINITION-DATE IDENTIFIER=\"d\" "
        "LAST-CHANGE=\"2026-01-01T00:00:00Z\"/><DATATYPE-DEFINITION-ENUMERATION IDENTIFIER=\"e\" "
        "LAST-CHANGE=\"2026-01-01T00:00:00Z\"><SPECIFIED-VALUES>";
    for (const char *name : {"draft", "review", "approved"})
        xml += QByteArray("<ENUM-VALUE IDENTIFIER=\"e-") + name +
               "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\" LONG-NAME=\"" + name +
               "\"><PROPERTIES><EMBEDDED-VALUE KEY=\"0\" OTHER-CONTENT=\"\"/></PROPERTIES>"
               "</ENUM-VALUE>";
    xml += "</SPECIFIED-VALUES></DATATYPE-DEFINITION-ENUMERATION></DATATYPES><SPEC-TYPES>"
           "<SPEC-OBJECT-TYPE IDENTIFIER=\"heading\" LAST-CHANGE=\"2026-01-01T00:00:00Z\" "
           "LONG-NAME=\"Heading\"><SPEC-ATTRIBUTES>" +
           definition("STRING", "chapter", "ReqIF.ChapterName", "s") +
           "</SPEC-ATTRIBUTES></SPEC-OBJECT-TYPE><SPEC-OBJECT-TYPE IDENTIFIER=\"t\" "
           "LAST-CHANGE=\"2026-01-01T00:00:00Z\" LONG-NAME=\"Requirement\"><SPEC-ATTRIBUTES>" +
           definition("XHTML", "text", "ReqIF.Text", "x") +
           definition("STRING", "key", "ReqIF.ForeignID", "s") +
           definition("STRING", "owner", "Owner", "s") + definition("STRING", "note", "Note", "s") +
           definition("INTEGER", "effort", "Effort", "i") +
           definition("REAL", "weight", "Weight", "r") +
           definition("BOOLEAN", "safety", "Safety", "b") + definition("DATE", "due", "Due", "d") +
           definition("ENUMERATION", "status", "Status", "e", " MULTI-VALUED=\"false\"") +
           definition("ENUMERATION", "phases", "Phases", "e", " MULTI-VALUED=\"true\"") +
           "</SPEC-ATTRIBUTES></SPEC-OBJECT-TYPE><SPECIFICATION-TYPE IDENTIFIER=\"st\" "
           "LAST-CHANGE=\"2026-01-01T00:00:00Z\"/></SPEC-TYPES><SPEC-OBJECTS>\n";
    constexpr int kHeadings = 100;
    for (int h = 1; h <= kHeadings; ++h)
        xml += "<SPEC-OBJECT IDENTIFIER=\"h" + QByteArray::number(h) +
               "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\"><VALUES>" +
               value("STRING", "chapter", "Chapter " + QByteArray::number(h)) +
               "</VALUES><TYPE><SPEC-OBJECT-TYPE-REF>heading</SPEC-OBJECT-TYPE-REF></TYPE>"
               "</SPEC-OBJECT>\n";
    for (int i = 1; i <= kObjects; ++i) {
        const QByteArray n = QByteArray::number(i);
        const bool changed = revision > 1 && i % (kObjects / kChanged) == 0;
        xml += "<SPEC-OBJECT IDENTIFIER=\"o" + n +
               "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\"><VALUES><ATTRIBUTE-VALUE-XHTML>"
               "<DEFINITION><ATTRIBUTE-DEFINITION-XHTML-REF>text</ATTRIBUTE-DEFINITION-XHTML-REF>"
               "</DEFINITION><THE-VALUE><xhtml:div>" +
               (changed ? "weigh cargo pallet " + n + " twice before loading"
                        : "record the weight of cargo pallet " + n + " before loading") +
               "</xhtml:div></THE-VALUE></ATTRIBUTE-VALUE-XHTML>" +
               value("STRING", "key", "K-" + n) +
               value("STRING", "owner", "team " + QByteArray::number(i % 12)) +
               value("STRING", "note", "checked at gate " + QByteArray::number(i % 40)) +
               value("INTEGER", "effort", QByteArray::number(i % 13)) +
               value("REAL", "weight", QByteArray::number(i % 97) + ".5") +
               value("BOOLEAN", "safety", i % 2 ? "true" : "false") +
               value("DATE", "due", "2026-09-30T00:00:00Z") +
               enumeration("status", "<ENUM-VALUE-REF>e-review</ENUM-VALUE-REF>") +
               enumeration("phases", "<ENUM-VALUE-REF>e-draft</ENUM-VALUE-REF><ENUM-VALUE-REF>"
                                     "e-approved</ENUM-VALUE-REF>") +
               "</VALUES><TYPE><SPEC-OBJECT-TYPE-REF>t</SPEC-OBJECT-TYPE-REF></TYPE>"
               "</SPEC-OBJECT>\n";
    }
    xml += "</SPEC-OBJECTS><SPECIFICATIONS><SPECIFICATION IDENTIFIER=\"spec\" "
           "LAST-CHANGE=\"2026-01-01T00:00:00Z\" LONG-NAME=\"Cargo\"><TYPE>"
           "<SPECIFICATION-TYPE-REF>st</SPECIFICATION-TYPE-REF></TYPE><CHILDREN>";
    const int perHeading = kObjects / kHeadings;
    for (int h = 1; h <= kHeadings; ++h) {
        xml += "<SPEC-HIERARCHY IDENTIFIER=\"nh" + QByteArray::number(h) +
               "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\"><OBJECT><SPEC-OBJECT-REF>h" +
               QByteArray::number(h) + "</SPEC-OBJECT-REF></OBJECT><CHILDREN>";
        for (int i = (h - 1) * perHeading + 1; i <= h * perHeading; ++i)
            xml += "<SPEC-HIERARCHY IDENTIFIER=\"n" + QByteArray::number(i) +
                   "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\"><OBJECT><SPEC-OBJECT-REF>o" +
                   QByteArray::number(i) + "</SPEC-OBJECT-REF></OBJECT></SPEC-HIERARCHY>";
        xml += "</CHILDREN></SPEC-HIERARCHY>\n";
    }
    xml += "</CHILDREN></SPECIFICATION></SPECIFICATIONS></REQ-IF-CONTENT></CORE-CONTENT>"
           "</REQ-IF>\n";
    return file.write(xml) == xml.size();
}

bool freshDatabase(const QString &path)
{
    const varn::Outcome written = varn::app::BlankImage::writeTo(QString(), path);
    if (!written)
        std::fprintf(stderr, "%s\n", qPrintable(written.message()));
    return written.isOk();
}

bool measure(const QTemporaryDir &folder)
{
    const QString first = folder.filePath(QStringLiteral("cargo-1.reqif"));
    const QString second = folder.filePath(QStringLiteral("cargo-2.reqif"));
    const QString path = folder.filePath(QStringLiteral("AcmeReq.mdb"));
    if (!writeFile(first, 1) || !writeFile(second, 2) || !freshDatabase(path))
        return false;
    std::printf("files of %d objects: %.1f MB\n", kObjects, QFileInfo(first).size() / 1e6);
    const QString connection = QStringLiteral("bench_reqifupdate");
    if (!varn::store::SqlConnection::open(connection, path))
        return false;
    bool ok = false;
    {
        varn::store::RecordObjects records(connection);
        QElapsedTimer timer;
        timer.start();
        const auto imported =
            RequirementExchange::importFrom(ExchangeFormat::ReqIf, records, kSystem, first, false);
        if (!imported) {
            std::fprintf(stderr, "%s\n", qPrintable(imported.outcome().message()));
            return false;
        }
        std::printf("first import (the arrangement): %lld requirement(s) in %.2f s\n",
                    static_cast<long long>(imported->imported.size()), timer.nsecsElapsed() / 1e9);

        timer.restart();
        double cpu = cpuSeconds();
        const auto updated =
            RequirementExchange::importFrom(ExchangeFormat::ReqIf, records, kSystem, second, false);
        const qint64 reimport = timer.nsecsElapsed();
        if (!updated) {
            std::fprintf(stderr, "%s\n", qPrintable(updated.outcome().message()));
            return false;
        }
        std::printf("re-import of %d objects, %lld changed, %d unchanged: %.2f s, CPU %.2f s "
                    "(target 10 s)\n",
                    kObjects, static_cast<long long>(updated->changed.size()), updated->unchanged,
                    reimport / 1e9, cpuSeconds() - cpu);

        const QString output = folder.filePath(QStringLiteral("back.reqif"));
        timer.restart();
        cpu = cpuSeconds();
        const auto written = RequirementExchange::exportTo(
            ExchangeFormat::ReqIf, {connection, kSystem, folder.path()}, output, false);
        const qint64 exported = timer.nsecsElapsed();
        ok = written.isOk();
        if (ok)
            std::printf("export back to ReqIF of %d requirement(s): %.2f s, CPU %.2f s (%.1f MB; "
                        "target 5 s)\n",
                        written->written, exported / 1e9, cpuSeconds() - cpu,
                        QFileInfo(output).size() / 1e6);
        else
            std::fprintf(stderr, "%s\n", qPrintable(written.outcome().message()));
    }
    varn::store::SqlConnection::close(connection);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    if (!measure(folder)) {
        std::fprintf(stderr, "benchmark failed\n");
        return 1;
    }
    return 0;
}
