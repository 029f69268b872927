#include "interchange/reqifwriter.h"

#include "interchange/paragraphorder.h"
#include "interchange/reqifvocabulary.h"

#include <QCryptographicHash>
#include <QXmlStreamWriter>

#include <algorithm>

namespace varn::interchange {

namespace {

using ReqIf::ValueKind;

// The definitions and types never change: one fixed LAST-CHANGE.
const QString kTypesChanged = QStringLiteral("2026-01-01T00:00:00Z");

const char *kindName(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Integer:
        return "INTEGER";
    case ValueKind::String:
        return "STRING";
    case ValueKind::Xhtml:
        return "XHTML";
    }
    return "STRING";
}

QString kindText(ValueKind kind)
{
    return QString::fromLatin1(kindName(kind));
}

class Document
{
public:
    Document(const ExchangeSet &set, QIODevice &device)
        : m_set(set), m_device(device), m_xml(&m_buffer),
          m_prefix(ReqIfWriter::identifierPrefix(set.systemName))
    {
        // The names every object repeats, made once.
        for (const ReqIf::AttributeInfo &info : ReqIf::attributes()) {
            const QString kind = kindText(info.kind);
            m_names.append({QStringLiteral("ATTRIBUTE-VALUE-") + kind,
                            QStringLiteral("ATTRIBUTE-DEFINITION-%1-REF").arg(kind),
                            attributeId(info)});
        }
    }

    Outcome write(const QDateTime &created, const ReqIfWriter::Progress &progress)
    {
        // The writer works on a string, which names no encoding: the
        // declaration is the file's own. Objects go one to a line; deeper
        // indentation would make a large export half as big again.
        m_buffer = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        m_xml.writeDefaultNamespace(ReqIf::kNamespace);
        m_xml.writeNamespace(ReqIf::kXhtmlNamespace, QStringLiteral("xhtml"));
        m_xml.writeStartElement(ReqIf::kNamespace, QStringLiteral("REQ-IF"));
        writeHeader(created);
        start("CORE-CONTENT");
        start("REQ-IF-CONTENT");
        writeDatatypes();
        writeSpecTypes();
        start("SPEC-OBJECTS");
        const int total = int(m_set.requirements.size());
        for (int i = 0; i < total; ++i) {
            writeObject(m_set.requirements[i]);
            m_buffer += QLatin1Char('\n');
            if (i % 500 == 499 && !flush())
                break;
            if (progress && (i % 1000 == 999 || i + 1 == total))
                progress(i + 1, total);
        }
        end();
        writeRelations();
        writeSpecification();
        end(); // REQ-IF-CONTENT
        end(); // CORE-CONTENT
        end(); // REQ-IF
        m_xml.writeEndDocument();
        if (!flush() || m_xml.hasError())
            return Outcome::stop(QStringLiteral("The file could not be written."));
        return Outcome::ok();
    }

private:
    // The text written so far goes to the device in UTF-8; the writer works
    // on a string, which is far faster than on a device for many small
    // pieces.
    bool flush()
    {
        const QByteArray bytes = m_buffer.toUtf8();
        m_buffer.clear();
        return m_device.write(bytes) == bytes.size();
    }

    void start(const char *name)
    {
        m_xml.writeStartElement(ReqIf::kNamespace, QString::fromLatin1(name));
    }
    void end() { m_xml.writeEndElement(); }
    void element(const char *name, const QString &text)
    {
        m_xml.writeTextElement(ReqIf::kNamespace, QString::fromLatin1(name), text);
    }
    QString id(const QString &rest) const { return m_prefix + rest; }
    void identify(const QString &identifier, const QString &longName, const QString &changed)
    {
        m_xml.writeAttribute(QStringLiteral("IDENTIFIER"), identifier);
        m_xml.writeAttribute(QStringLiteral("LAST-CHANGE"), changed);
        if (!longName.isEmpty())
            m_xml.writeAttribute(QStringLiteral("LONG-NAME"), longName);
    }
    void reference(const char *holder, const QString &refElement, const QString &identifier)
    {
        start(holder);
        m_xml.writeTextElement(ReqIf::kNamespace, refElement, identifier);
        end();
    }
    QString datatypeId(ValueKind kind) const
    {
        return id(QStringLiteral("datatype-") + kindText(kind).toLower());
    }
    QString attributeId(const ReqIf::AttributeInfo &info) const
    {
        return id(QStringLiteral("attribute-") + QLatin1String(info.identifier));
    }
    QString objectId(qint32 number) const
    {
        return id(QStringLiteral("requirement-%1").arg(number));
    }

    void writeHeader(const QDateTime &created)
    {
        start("THE-HEADER");
        start("REQ-IF-HEADER");
        m_xml.writeAttribute(QStringLiteral("IDENTIFIER"), id(QStringLiteral("header")));
        element("CREATION-TIME", created.toUTC().toString(Qt::ISODate));
        element("REQ-IF-TOOL-ID", ReqIf::kToolId);
        element("REQ-IF-VERSION", ReqIf::kVersion);
        element("SOURCE-TOOL-ID", ReqIf::kToolId);
        element("TITLE", QStringLiteral("The %1 system").arg(m_set.systemName));
        end();
        end();
    }

    void writeDatatypes()
    {
        start("DATATYPES");
        start("DATATYPE-DEFINITION-INTEGER");
        identify(datatypeId(ValueKind::Integer), QStringLiteral("Integer"), kTypesChanged);
        m_xml.writeAttribute(QStringLiteral("MAX"), QStringLiteral("2147483647"));
        m_xml.writeAttribute(QStringLiteral("MIN"), QStringLiteral("-2147483648"));
        end();
        start("DATATYPE-DEFINITION-STRING");
        identify(datatypeId(ValueKind::String), QStringLiteral("String"), kTypesChanged);
        m_xml.writeAttribute(QStringLiteral("MAX-LENGTH"), QStringLiteral("65535"));
        end();
        start("DATATYPE-DEFINITION-XHTML");
        identify(datatypeId(ValueKind::Xhtml), QStringLiteral("XHTML"), kTypesChanged);
        end();
        end();
    }

    void writeSpecTypes()
    {
        start("SPEC-TYPES");
        start("SPEC-OBJECT-TYPE");
        identify(id(QStringLiteral("requirement-type")), QStringLiteral("Requirement"),
                 kTypesChanged);
        start("SPEC-ATTRIBUTES");
        for (const ReqIf::AttributeInfo &info : ReqIf::attributes()) {
            const QString kind = kindText(info.kind);
            m_xml.writeStartElement(ReqIf::kNamespace,
                                    QStringLiteral("ATTRIBUTE-DEFINITION-") + kind);
            identify(attributeId(info), QLatin1String(info.longName), kTypesChanged);
            reference("TYPE", QStringLiteral("DATATYPE-DEFINITION-%1-REF").arg(kind),
                      datatypeId(info.kind));
            end();
        }
        end();
        end();
        start("SPEC-RELATION-TYPE");
        identify(id(QStringLiteral("dependent-type")), QStringLiteral("Dependent"), kTypesChanged);
        end();
        start("SPECIFICATION-TYPE");
        identify(id(QStringLiteral("specification-type")), QStringLiteral("Requirements"),
                 kTypesChanged);
        end();
        end();
    }

    void writeObject(const ExchangedRequirement &requirement)
    {
        start("SPEC-OBJECT");
        identify(objectId(requirement.number), {}, ReqIfWriter::lastChange(requirement.dateSaved));
        start("VALUES");
        const std::span<const ReqIf::AttributeInfo> infos = ReqIf::attributes();
        for (std::size_t a = 0; a < infos.size(); ++a) {
            const ReqIf::AttributeInfo &info = infos[a];
            const QString value = ReqIf::valueOf(requirement, info.field);
            if (value.isEmpty())
                continue;
            const ValueNames &names = m_names[qsizetype(a)];
            m_xml.writeStartElement(ReqIf::kNamespace, names.value);
            if (info.kind != ValueKind::Xhtml)
                m_xml.writeAttribute(QStringLiteral("THE-VALUE"), value);
            reference("DEFINITION", names.reference, names.definition);
            if (info.kind == ValueKind::Xhtml) {
                start("THE-VALUE");
                m_xml.writeTextElement(ReqIf::kXhtmlNamespace, QStringLiteral("div"), value);
                end();
            }
            end();
        }
        end();
        reference("TYPE", QStringLiteral("SPEC-OBJECT-TYPE-REF"),
                  id(QStringLiteral("requirement-type")));
        end();
    }

    void writeRelations()
    {
        start("SPEC-RELATIONS");
        for (const ExchangedLink &link : m_set.links) {
            start("SPEC-RELATION");
            identify(id(QStringLiteral("dependent-%1-%2").arg(link.parent).arg(link.dependent)), {},
                     kTypesChanged);
            reference("SOURCE", QStringLiteral("SPEC-OBJECT-REF"), objectId(link.parent));
            reference("TARGET", QStringLiteral("SPEC-OBJECT-REF"), objectId(link.dependent));
            reference("TYPE", QStringLiteral("SPEC-RELATION-TYPE-REF"),
                      id(QStringLiteral("dependent-type")));
            end();
        }
        end();
    }

    void writeSpecification()
    {
        QList<const ExchangedRequirement *> ordered;
        ordered.reserve(m_set.requirements.size());
        for (const ExchangedRequirement &requirement : m_set.requirements)
            ordered.append(&requirement);
        std::stable_sort(ordered.begin(), ordered.end(), [](const auto *a, const auto *b) {
            if (const int order = ParagraphOrder::compare(a->paragraph, b->paragraph); order != 0)
                return order < 0;
            return a->number < b->number;
        });
        start("SPECIFICATIONS");
        start("SPECIFICATION");
        identify(id(QStringLiteral("specification")),
                 QStringLiteral("The %1 system").arg(m_set.systemName), kTypesChanged);
        reference("TYPE", QStringLiteral("SPECIFICATION-TYPE-REF"),
                  id(QStringLiteral("specification-type")));
        start("CHILDREN");
        for (const ExchangedRequirement *requirement : ordered) {
            start("SPEC-HIERARCHY");
            identify(id(QStringLiteral("node-%1").arg(requirement->number)), {}, kTypesChanged);
            reference("OBJECT", QStringLiteral("SPEC-OBJECT-REF"), objectId(requirement->number));
            end();
        }
        end();
        end();
        end();
    }

    struct ValueNames
    {
        QString value;      // ATTRIBUTE-VALUE-<kind>
        QString reference;  // ATTRIBUTE-DEFINITION-<kind>-REF
        QString definition; // the definition's identifier
    };

    const ExchangeSet &m_set;
    QList<ValueNames> m_names;
    QIODevice &m_device;
    QString m_buffer;
    QXmlStreamWriter m_xml;
    QString m_prefix;
};

} // namespace

Outcome ReqIfWriter::write(const ExchangeSet &set, QIODevice &device, const QDateTime &created,
                           const Progress &progress)
{
    return Document(set, device).write(created, progress);
}

QString ReqIfWriter::identifierPrefix(const QString &systemName)
{
    const QByteArray digest =
        QCryptographicHash::hash(systemName.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QStringLiteral("varn-") + QString::fromLatin1(digest) + QLatin1Char('-');
}

QString ReqIfWriter::lastChange(const QString &dateSaved)
{
    const QDate date = QDate::fromString(dateSaved, QStringLiteral("M-d-yyyy"));
    return (date.isValid() ? date : QDate(2000, 1, 1)).toString(Qt::ISODate) +
           QStringLiteral("T00:00:00Z");
}

} // namespace varn::interchange
