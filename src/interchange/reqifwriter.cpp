#include "interchange/reqifwriter.h"

#include "interchange/interchangetr.h"

#include "interchange/paragraphorder.h"
#include "interchange/reqifvocabulary.h"
#include "interchange/xmlbytestream.h"

#include <QCryptographicHash>
#include <QHash>

#include <algorithm>

namespace varn::interchange {

namespace {

using ReqIf::ValueKind;

// The definitions and types never change: one fixed LAST-CHANGE.
constexpr QByteArrayView kTypesChanged = "2026-01-01T00:00:00Z";

QByteArray kindName(ValueKind kind)
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

// The document in the layout Qt's stream writer gave it: no indentation,
// empty elements closed in their start tag, one object to a line (deeper
// indentation would make a large export half as big again). Identifiers are
// ASCII made here; every text from the workspace goes through the stream's
// escaping.
class Document
{
public:
    Document(const ExchangeSet &set, QIODevice &device)
        : m_set(set), m_out(device),
          m_prefix(ReqIfWriter::identifierPrefix(m_set.systemName).toLatin1())
    {
        // The markup every object repeats around its values, made once.
        for (const ReqIf::AttributeInfo &info : ReqIf::attributes()) {
            const QByteArray kind = kindName(info.kind);
            const QByteArray definition = "<DEFINITION><ATTRIBUTE-DEFINITION-" + kind + "-REF>" +
                                          attributeId(info) + "</ATTRIBUTE-DEFINITION-" + kind +
                                          "-REF></DEFINITION>";
            const QByteArray element = "ATTRIBUTE-VALUE-" + kind;
            if (info.kind == ValueKind::Xhtml)
                m_values.append({'<' + element + '>' + definition + "<THE-VALUE><xhtml:div>",
                                 "</xhtml:div></THE-VALUE></" + element + '>', false});
            else
                m_values.append({'<' + element + " THE-VALUE=\"",
                                 "\">" + definition + "</" + element + '>', true});
        }
    }

    Outcome write(const QDateTime &created, const ReqIfWriter::Progress &progress)
    {
        m_out.markup("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQ-IF xmlns=\"");
        m_out.markup(QByteArrayView(ReqIf::kNamespace.data(), ReqIf::kNamespace.size()));
        m_out.markup("\" xmlns:xhtml=\"");
        m_out.markup(QByteArrayView(ReqIf::kXhtmlNamespace.data(), ReqIf::kXhtmlNamespace.size()));
        m_out.markup("\">");
        if (!writeHeader(created))
            return refused(0);
        m_out.markup("<CORE-CONTENT><REQ-IF-CONTENT>");
        writeDatatypes();
        writeSpecTypes();
        const int total = int(m_set.requirements.size());
        m_out.markup(total == 0 ? "<SPEC-OBJECTS/>" : "<SPEC-OBJECTS>");
        for (int i = 0; i < total; ++i) {
            const ExchangedRequirement &requirement = m_set.requirements[i];
            if (!writeObject(requirement))
                return refused(requirement.number);
            if (progress && (i % 1000 == 999 || i + 1 == total))
                progress(i + 1, total);
        }
        if (total > 0)
            m_out.markup("</SPEC-OBJECTS>");
        writeRelations();
        if (!writeSpecification())
            return refused(0);
        m_out.markup("</REQ-IF-CONTENT></CORE-CONTENT></REQ-IF>\n");
        if (!m_out.flush())
            return Outcome::stop(Tr::tr("The file could not be written."));
        return Outcome::ok();
    }

private:
    struct ValueMarkup
    {
        QByteArray open;  // up to the value
        QByteArray close; // after it
        bool inAttribute;
    };

    // XML cannot carry the character at all, not even as a reference.
    Outcome refused(qint32 number) const
    {
        const QString character =
            QString::number(int(m_out.refusedCharacter()), 16).toUpper().rightJustified(4, u'0');
        const QString holder =
            number > 0 ? Tr::tr("Requirement %1").arg(number) : Tr::tr("The system name");
        return Outcome::stop(Tr::tr("%1 holds a character a ReqIF file cannot carry (U+%2).")
                                 .arg(holder, character));
    }

    QByteArray id(QByteArrayView rest) const { return m_prefix + rest.toByteArray(); }
    QByteArray attributeId(const ReqIf::AttributeInfo &info) const
    {
        return id("attribute-") + info.identifier;
    }
    QByteArray datatypeId(ValueKind kind) const
    {
        return id("datatype-") + kindName(kind).toLower();
    }
    QByteArray objectId(qint32 number) const
    {
        return id("requirement-") + QByteArray::number(number);
    }

    // IDENTIFIER, LAST-CHANGE and, when given, LONG-NAME of an open start tag.
    void identify(QByteArrayView identifier, QByteArrayView changed, QByteArrayView longName = {})
    {
        m_out.markup(" IDENTIFIER=\"");
        m_out.markup(identifier);
        m_out.markup("\" LAST-CHANGE=\"");
        m_out.markup(changed);
        m_out.markup("\"");
        if (!longName.isEmpty()) {
            m_out.markup(" LONG-NAME=\"");
            m_out.markup(longName);
            m_out.markup("\"");
        }
    }
    // <holder><element>identifier</element></holder>
    void reference(QByteArrayView holder, QByteArrayView element, QByteArrayView identifier)
    {
        m_out.markup("<");
        m_out.markup(holder);
        m_out.markup("><");
        m_out.markup(element);
        m_out.markup(">");
        m_out.markup(identifier);
        m_out.markup("</");
        m_out.markup(element);
        m_out.markup("></");
        m_out.markup(holder);
        m_out.markup(">");
    }

    bool writeHeader(const QDateTime &created)
    {
        m_out.markup("<THE-HEADER><REQ-IF-HEADER IDENTIFIER=\"");
        m_out.markup(id("header"));
        m_out.markup("\"><CREATION-TIME>");
        m_out.markup(created.toUTC().toString(Qt::ISODate).toLatin1());
        m_out.markup("</CREATION-TIME><REQ-IF-TOOL-ID>");
        m_out.markup(QByteArrayView(ReqIf::kToolId.data(), ReqIf::kToolId.size()));
        m_out.markup("</REQ-IF-TOOL-ID><REQ-IF-VERSION>");
        m_out.markup(QByteArrayView(ReqIf::kVersion.data(), ReqIf::kVersion.size()));
        m_out.markup("</REQ-IF-VERSION><SOURCE-TOOL-ID>");
        m_out.markup(QByteArrayView(ReqIf::kToolId.data(), ReqIf::kToolId.size()));
        m_out.markup("</SOURCE-TOOL-ID><TITLE>");
        if (!m_out.text(title()))
            return false;
        m_out.markup("</TITLE></REQ-IF-HEADER></THE-HEADER>");
        return true;
    }

    QString title() const { return QStringLiteral("The %1 system").arg(m_set.systemName); }

    void writeDatatypes()
    {
        m_out.markup("<DATATYPES><DATATYPE-DEFINITION-INTEGER");
        identify(datatypeId(ValueKind::Integer), kTypesChanged, "Integer");
        m_out.markup(" MAX=\"2147483647\" MIN=\"-2147483648\"/><DATATYPE-DEFINITION-STRING");
        identify(datatypeId(ValueKind::String), kTypesChanged, "String");
        m_out.markup(" MAX-LENGTH=\"65535\"/><DATATYPE-DEFINITION-XHTML");
        identify(datatypeId(ValueKind::Xhtml), kTypesChanged, "XHTML");
        m_out.markup("/></DATATYPES>");
    }

    void writeSpecTypes()
    {
        m_out.markup("<SPEC-TYPES><SPEC-OBJECT-TYPE");
        identify(id("requirement-type"), kTypesChanged, "Requirement");
        m_out.markup("><SPEC-ATTRIBUTES>");
        for (const ReqIf::AttributeInfo &info : ReqIf::attributes()) {
            const QByteArray kind = kindName(info.kind);
            m_out.markup("<ATTRIBUTE-DEFINITION-" + kind);
            identify(attributeId(info), kTypesChanged, info.longName);
            m_out.markup(">");
            reference("TYPE", "DATATYPE-DEFINITION-" + kind + "-REF", datatypeId(info.kind));
            m_out.markup("</ATTRIBUTE-DEFINITION-" + kind + '>');
        }
        m_out.markup("</SPEC-ATTRIBUTES></SPEC-OBJECT-TYPE><SPEC-RELATION-TYPE");
        identify(id("dependent-type"), kTypesChanged, "Dependent");
        m_out.markup("/><SPECIFICATION-TYPE");
        identify(id("specification-type"), kTypesChanged, "Requirements");
        m_out.markup("/></SPEC-TYPES>");
    }

    // LAST-CHANGE of a saving date; the few dates of a workspace repeat.
    const QByteArray &lastChange(const QString &dateSaved)
    {
        auto known = m_lastChanges.constFind(dateSaved);
        if (known == m_lastChanges.cend())
            known = m_lastChanges.insert(dateSaved, ReqIfWriter::lastChange(dateSaved).toLatin1());
        return *known;
    }

    bool writeObject(const ExchangedRequirement &requirement)
    {
        m_out.markup("<SPEC-OBJECT");
        identify(objectId(requirement.number), lastChange(requirement.dateSaved));
        m_out.markup("><VALUES>");
        const std::span<const ReqIf::AttributeInfo> infos = ReqIf::attributes();
        for (std::size_t a = 0; a < infos.size(); ++a) {
            const QString value = ReqIf::valueOf(requirement, infos[a].field);
            if (value.isEmpty())
                continue;
            const ValueMarkup &markup = m_values[qsizetype(a)];
            m_out.markup(markup.open);
            if (!(markup.inAttribute ? m_out.attributeValue(value) : m_out.text(value)))
                return false;
            m_out.markup(markup.close);
        }
        m_out.markup("</VALUES>");
        reference("TYPE", "SPEC-OBJECT-TYPE-REF", id("requirement-type"));
        m_out.markup("</SPEC-OBJECT>\n");
        return true;
    }

    void writeRelations()
    {
        if (m_set.links.isEmpty()) {
            m_out.markup("<SPEC-RELATIONS/>");
            return;
        }
        m_out.markup("<SPEC-RELATIONS>");
        const QByteArray type = id("dependent-type");
        for (const ExchangedLink &link : m_set.links) {
            m_out.markup("<SPEC-RELATION");
            identify(id("dependent-" + QByteArray::number(link.parent) + '-' +
                        QByteArray::number(link.dependent)),
                     kTypesChanged);
            m_out.markup(">");
            reference("SOURCE", "SPEC-OBJECT-REF", objectId(link.parent));
            reference("TARGET", "SPEC-OBJECT-REF", objectId(link.dependent));
            reference("TYPE", "SPEC-RELATION-TYPE-REF", type);
            m_out.markup("</SPEC-RELATION>");
        }
        m_out.markup("</SPEC-RELATIONS>");
    }

    bool writeSpecification()
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
        m_out.markup("<SPECIFICATIONS><SPECIFICATION");
        m_out.markup(" IDENTIFIER=\"");
        m_out.markup(id("specification"));
        m_out.markup("\" LAST-CHANGE=\"");
        m_out.markup(kTypesChanged);
        m_out.markup("\" LONG-NAME=\"");
        if (!m_out.attributeValue(title()))
            return false;
        m_out.markup("\">");
        reference("TYPE", "SPECIFICATION-TYPE-REF", id("specification-type"));
        m_out.markup(ordered.isEmpty() ? "<CHILDREN/>" : "<CHILDREN>");
        for (const ExchangedRequirement *requirement : std::as_const(ordered)) {
            const QByteArray number = QByteArray::number(requirement->number);
            m_out.markup("<SPEC-HIERARCHY");
            identify(id("node-" + number), kTypesChanged);
            m_out.markup(">");
            reference("OBJECT", "SPEC-OBJECT-REF", objectId(requirement->number));
            m_out.markup("</SPEC-HIERARCHY>");
        }
        if (!ordered.isEmpty())
            m_out.markup("</CHILDREN>");
        m_out.markup("</SPECIFICATION></SPECIFICATIONS>");
        return true;
    }

    const ExchangeSet &m_set;
    XmlByteStream m_out;
    QByteArray m_prefix;
    QList<ValueMarkup> m_values; // by attribute, in file order
    QHash<QString, QByteArray> m_lastChanges;
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
