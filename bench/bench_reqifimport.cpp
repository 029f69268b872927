// The import of a large file another tool wrote: 100,000 objects of three
// types with 10 attributes each (XHTML, strings, enumerations single and
// multi-valued, dates, integers, reals, booleans), headings over the
// requirements, and relations between them. Prints the time to read,
// interpret and import it, and the process's peak memory.
#include "app/blankimage.h"
#include "interchange/reqifinterpreter.h"
#include "interchange/reqifreader.h"
#include "interchange/requirementexchange.h"
#include "store/recordobjects.h"
#include "store/sqlconnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

namespace {

constexpr int kObjects = 100000;
constexpr int kPerHeading = 20; // every 20th object is a heading
constexpr int kRelations = 10000;

using varn::interchange::ExchangeFormat;
using varn::interchange::RequirementExchange;

// The machine may be shared: the process's own CPU time beside the wall
// clock says how much of the wait was this program's.
double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

QByteArray definition(const char *kind, const QByteArray &identifier, const char *name,
                      const char *datatype, bool multiValued = false)
{
    return QByteArray("<ATTRIBUTE-DEFINITION-") + kind + " IDENTIFIER=\"" + identifier +
           "\" LONG-NAME=\"" + name + "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\"" +
           (multiValued ? " MULTI-VALUED=\"true\"" : "") + "><TYPE><DATATYPE-DEFINITION-" + kind +
           "-REF>" + datatype + "</DATATYPE-DEFINITION-" + kind +
           "-REF></TYPE></ATTRIBUTE-DEFINITION-" + kind + ">";
}

QByteArray plain(const char *kind, const QByteArray &definition, const QByteArray &value)
{
    return QByteArray("<ATTRIBUTE-VALUE-") + kind + " THE-VALUE=\"" + value +
           "\"><DEFINITION><ATTRIBUTE-DEFINITION-" + kind + "-REF>" + definition +
           "</ATTRIBUTE-DEFINITION-" + kind + "-REF></DEFINITION></ATTRIBUTE-VALUE-" + kind + ">";
}

QByteArray enumeration(const QByteArray &definition, const QByteArray &values)
{
    QByteArray refs;
    for (const QByteArray &value : values.split(' '))
        refs += "<ENUM-VALUE-REF>" + value + "</ENUM-VALUE-REF>";
    return "<ATTRIBUTE-VALUE-ENUMERATION><DEFINITION><ATTRIBUTE-DEFINITION-ENUMERATION-REF>" +
           definition + "</ATTRIBUTE-DEFINITION-ENUMERATION-REF></DEFINITION><VALUES>" + refs +
           "</VALUES></ATTRIBUTE-VALUE-ENUMERATION>";
}

QByteArray xhtml(const QByteArray &definition, const QByteArray &markup)
{
    return "<ATTRIBUTE-VALUE-XHTML><DEFINITION><ATTRIBUTE-DEFINITION-XHTML-REF>" + definition +
           "</ATTRIBUTE-DEFINITION-XHTML-REF></DEFINITION><THE-VALUE><xhtml:div>" + markup +
           "</xhtml:div></THE-VALUE></ATTRIBUTE-VALUE-XHTML>";
}

// The ten definitions of a type, their identifiers prefixed by it.
QByteArray definitions(const QByteArray &type, bool heading)
{
    return (heading ? definition("STRING", type + "-text", "ReqIF.ChapterName", "dt-s")
                    : definition("XHTML", type + "-text", "ReqIF.Text", "dt-x")) +
           definition("STRING", type + "-id", "ReqIF.ForeignID", "dt-s") +
           definition("ENUMERATION", type + "-status", "Status", "dt-e") +
           definition("ENUMERATION", type + "-tags", "Tags", "dt-e", true) +
           definition("INTEGER", type + "-priority", "Priority", "dt-i") +
           definition("DATE", type + "-due", "Due", "dt-d") +
           definition("REAL", type + "-weight", "Weight", "dt-r") +
           definition("BOOLEAN", type + "-safety", "Safety", "dt-b") +
           definition("STRING", type + "-owner", "Owner", "dt-s") +
           definition("STRING", type + "-note", "Note", "dt-s");
}

QByteArray objectXml(int number)
{
    const bool heading = number % kPerHeading == 1;
    const QByteArray type = heading ? "h" : (number % 2 ? "a" : "b");
    const QByteArray n = QByteArray::number(number);
    const QByteArray text =
        heading ? plain("STRING", type + "-text", "Chapter " + n)
                : xhtml(type + "-text",
                        "<xhtml:p>record the weight of cargo pallet " + n +
                            " before <xhtml:b>loading</xhtml:b></xhtml:p><xhtml:ul><xhtml:li>"
                            "scale " +
                            QByteArray::number(number % 7) + "</xhtml:li><xhtml:li>ramp " +
                            QByteArray::number(number % 11) + "</xhtml:li></xhtml:ul>");
    return "<SPEC-OBJECT IDENTIFIER=\"o" + n + "\" LAST-CHANGE=\"2026-01-01T00:00:00Z\"><VALUES>" +
           text + plain("STRING", type + "-id", "REQ-" + n) +
           enumeration(type + "-status", number % 3 ? "ev-0" : "ev-1") +
           enumeration(type + "-tags", "ev-" + QByteArray::number(number % 4) + " ev-4") +
           plain("INTEGER", type + "-priority", QByteArray::number(number % 5)) +
           plain("DATE", type + "-due", "2026-03-01T12:00:00+01:00") +
           plain("REAL", type + "-weight", QByteArray::number(number * 0.25)) +
           plain("BOOLEAN", type + "-safety", number % 2 ? "true" : "false") +
           plain("STRING", type + "-owner", "team " + QByteArray::number(number % 13)) +
           plain("STRING", type + "-note", "checked in review " + QByteArray::number(number % 17)) +
           "</VALUES><TYPE><SPEC-OBJECT-TYPE-REF>sot-" + type +
           "</SPEC-OBJECT-TYPE-REF></TYPE></SPEC-OBJECT>\n";
}

// Written a piece at a time, so the file's making adds little to the peak.
bool writeForeignFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ-IF "
        "xmlns=\"http://www.omg.org/spec/ReqIF/20110401/reqif.xsd\" "
        "xmlns:xhtml=\"http://www.w3.org/1999/xhtml\"><THE-HEADER><REQ-IF-HEADER "
        "IDENTIFIER=\"h\"><SOURCE-TOOL-ID>Other</SOURCE-TOOL-ID></REQ-IF-HEADER></THE-HEADER>"
        "<CORE-CONTENT><REQ-IF-CONTENT><DATATYPES><DATATYPE-DEFINITION-XHTML IDENTIFIER=\"dt-x\"/>"
        "<DATATYPE-DEFINITION-STRING IDENTIFIER=\"dt-s\" MAX-LENGTH=\"4000\"/>"
        "<DATATYPE-DEFINITION-INTEGER IDENTIFIER=\"dt-i\" MIN=\"0\" MAX=\"10\"/>"
        "<DATATYPE-DEFINITION-REAL IDENTIFIER=\"dt-r\" ACCURACY=\"2\" MIN=\"0\" MAX=\"1e9\"/>"
        "<DATATYPE-DEFINITION-DATE IDENTIFIER=\"dt-d\"/>"
        "<DATATYPE-DEFINITION-BOOLEAN IDENTIFIER=\"dt-b\"/>"
        "<DATATYPE-DEFINITION-ENUMERATION IDENTIFIER=\"dt-e\"><SPECIFIED-VALUES>";
    for (int value = 0; value < 5; ++value)
        xml += "<ENUM-VALUE IDENTIFIER=\"ev-" + QByteArray::number(value) +
               "\" LONG-NAME=\"Value " + QByteArray::number(value) +
               "\"><PROPERTIES><EMBEDDED-VALUE KEY=\"" + QByteArray::number(value) +
               "\" OTHER-CONTENT=\"\"/></PROPERTIES></ENUM-VALUE>";
    xml += "</SPECIFIED-VALUES></DATATYPE-DEFINITION-ENUMERATION></DATATYPES><SPEC-TYPES>";
    for (const char *type : {"a", "b", "h"})
        xml += "<SPEC-OBJECT-TYPE IDENTIFIER=\"sot-" + QByteArray(type) + "\"><SPEC-ATTRIBUTES>" +
               definitions(type, *type == 'h') + "</SPEC-ATTRIBUTES></SPEC-OBJECT-TYPE>";
    xml += "<SPEC-RELATION-TYPE IDENTIFIER=\"srt\" LONG-NAME=\"refines\"/></SPEC-TYPES>"
           "<SPEC-OBJECTS>\n";
    for (int number = 1; number <= kObjects; ++number) {
        xml += objectXml(number);
        if (xml.size() > (1 << 20)) {
            if (file.write(xml) != xml.size())
                return false;
            xml.clear();
        }
    }
    xml += "</SPEC-OBJECTS><SPEC-RELATIONS>";
    for (int relation = 0; relation < kRelations; ++relation) {
        // From a requirement to the next one of its chapter.
        const int source =
            (relation / (kPerHeading - 2)) * kPerHeading + 2 + relation % (kPerHeading - 2);
        xml += "<SPEC-RELATION IDENTIFIER=\"r" + QByteArray::number(relation) +
               "\"><SOURCE><SPEC-OBJECT-REF>o" + QByteArray::number(source) +
               "</SPEC-OBJECT-REF></SOURCE><TARGET><SPEC-OBJECT-REF>o" +
               QByteArray::number(source + 1) +
               "</SPEC-OBJECT-REF></TARGET><TYPE><SPEC-RELATION-TYPE-REF>srt"
               "</SPEC-RELATION-TYPE-REF></TYPE></SPEC-RELATION>\n";
    }
    xml += "</SPEC-RELATIONS><SPECIFICATIONS><SPECIFICATION IDENTIFIER=\"s\" LONG-NAME=\"Cargo\">"
           "<CHILDREN>\n";
    for (int number = 1; number <= kObjects; ++number) {
        const QByteArray n = QByteArray::number(number);
        const bool heading = number % kPerHeading == 1;
        if (heading && number > 1)
            xml += "</CHILDREN></SPEC-HIERARCHY>\n";
        xml += "<SPEC-HIERARCHY IDENTIFIER=\"sh" + n + "\"><OBJECT><SPEC-OBJECT-REF>o" + n +
               "</SPEC-OBJECT-REF></OBJECT>" + (heading ? "<CHILDREN>" : "</SPEC-HIERARCHY>");
        if (xml.size() > (1 << 20)) {
            if (file.write(xml) != xml.size())
                return false;
            xml.clear();
        }
    }
    xml += "</CHILDREN></SPEC-HIERARCHY></CHILDREN></SPECIFICATION></SPECIFICATIONS>"
           "</REQ-IF-CONTENT></CORE-CONTENT></REQ-IF>\n";
    return file.write(xml) == xml.size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    // With a path, only the file is written there (to profile its reading).
    if (argc > 1)
        return writeForeignFile(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    QTemporaryDir folder;
    const QString input = folder.filePath(QStringLiteral("foreign.reqif"));
    const QString path = folder.filePath(QStringLiteral("ImportReq.mdb"));
    if (!writeForeignFile(input)) {
        std::fprintf(stderr, "cannot write the file\n");
        return 1;
    }
    std::printf("file of %d objects, 10 attributes each: %.1f MB; peak before reading %.0f MB\n",
                kObjects, QFileInfo(input).size() / 1e6, peakMegabytes());
    {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = file.readAll();
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuSeconds();
        varn::Result<varn::interchange::ReqIfContent> content =
            varn::interchange::ReqIfReader::read(bytes);
        if (!content) {
            std::fprintf(stderr, "%s\n", qPrintable(content.outcome().message()));
            return 1;
        }
        const double read = timer.nsecsElapsed() / 1e9;
        const double readCpu = cpuSeconds() - cpu;
        timer.restart();
        const varn::interchange::ImportBatch batch =
            varn::interchange::ReqIfInterpreter::interpret(content.takeValue());
        std::printf("reading %.2f s (CPU %.2f s), interpreting %.2f s: %lld requirements, %lld "
                    "links\n",
                    read, readCpu, timer.nsecsElapsed() / 1e9,
                    static_cast<long long>(batch.items.size()),
                    static_cast<long long>(batch.links.size()));
    }
    const varn::Outcome blank = varn::app::BlankImage::writeTo(QString(), path);
    const QString connection = QStringLiteral("bench_reqifimport");
    if (!blank || !varn::store::SqlConnection::open(connection, path)) {
        std::fprintf(stderr, "cannot open a workspace\n");
        return 1;
    }
    bool ok = false;
    {
        varn::store::RecordObjects records(connection);
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuSeconds();
        const auto imported = RequirementExchange::importFrom(ExchangeFormat::ReqIf, records,
                                                              QStringLiteral("Acme"), input, false);
        const qint64 elapsed = timer.nsecsElapsed();
        ok = imported.isOk();
        if (ok)
            std::printf("import into a workspace: %lld requirements, %d links in %.2f s, CPU "
                        "%.2f s (target 10 s); peak memory %.0f MB\n",
                        static_cast<long long>(imported->imported.size()), imported->links,
                        elapsed / 1e9, cpuSeconds() - cpu, peakMegabytes());
        else
            std::fprintf(stderr, "%s\n", qPrintable(imported.outcome().message()));
    }
    varn::store::SqlConnection::close(connection);
    return ok ? 0 : 1;
}
