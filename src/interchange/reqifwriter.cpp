#include "interchange/reqifwriter.h"

#include "interchange/interchangetr.h"

#include "interchange/paragraphorder.h"
#include "interchange/reqifvocabulary.h"
#include "interchange/xmlbytestream.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <set>
#include <vector>

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

// Requirements placed in the order of their paragraph numbers, then of
// their own numbers, as they come: each paragraph text is kept once, and
// each requirement takes two numbers.
class ParagraphPlaces
{
public:
    void place(const QString &paragraph, qint32 number)
    {
        auto known = m_ids.constFind(paragraph);
        if (known == m_ids.cend()) {
            known = m_ids.insert(paragraph, qint32(m_paragraphs.size()));
            m_paragraphs.append(paragraph);
        }
        m_places.push_back({*known, number});
    }

    // The numbers placed, in document order (3.9 before 3.10).
    std::vector<qint32> numbers()
    {
        // Paragraphs that compare alike ("3.1" and "3.01") share a rank, so
        // their requirements go by number.
        std::vector<qint32> byOrder(std::size_t(m_paragraphs.size()));
        for (std::size_t i = 0; i < byOrder.size(); ++i)
            byOrder[i] = qint32(i);
        std::stable_sort(byOrder.begin(), byOrder.end(), [this](qint32 a, qint32 b) {
            return ParagraphOrder::compare(m_paragraphs[a], m_paragraphs[b]) < 0;
        });
        std::vector<qint32> rank(byOrder.size());
        for (std::size_t i = 0; i < byOrder.size(); ++i) {
            const bool alike = i > 0 && ParagraphOrder::compare(m_paragraphs[byOrder[i - 1]],
                                                                m_paragraphs[byOrder[i]]) == 0;
            rank[std::size_t(byOrder[i])] =
                i == 0 ? 0 : rank[std::size_t(byOrder[i - 1])] + (alike ? 0 : 1);
        }
        for (Place &place : m_places)
            place.paragraph = rank[std::size_t(place.paragraph)];
        std::sort(m_places.begin(), m_places.end(), [](const Place &a, const Place &b) {
            return a.paragraph != b.paragraph ? a.paragraph < b.paragraph : a.number < b.number;
        });
        std::vector<qint32> numbers;
        numbers.reserve(m_places.size());
        for (const Place &place : m_places)
            numbers.push_back(place.number);
        return numbers;
    }

private:
    struct Place
    {
        qint32 paragraph; // its index in m_paragraphs, then its rank
        qint32 number;
    };
    QHash<QString, qint32> m_ids;
    QStringList m_paragraphs;
    std::vector<Place> m_places;
};

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
        sortForeign();
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
        for (const QByteArray &prefix : m_xhtmlPrefixes) {
            m_out.markup("\" xmlns:");
            m_out.markup(prefix);
            m_out.markup("=\"");
            m_out.markup(
                QByteArrayView(ReqIf::kXhtmlNamespace.data(), ReqIf::kXhtmlNamespace.size()));
        }
        m_out.markup("\">");
        if (!writeHeader(created))
            return refused(0);
        m_out.markup("<CORE-CONTENT><REQ-IF-CONTENT>");
        if (!writeDatatypes() || !writeSpecTypes())
            return refused(0);
        const int total = m_set.count;
        const bool anyObject = total > 0 || m_foreignObjectCount > 0;
        m_out.markup(anyObject ? "<SPEC-OBJECTS>" : "<SPEC-OBJECTS/>");
        int done = 0;
        const Outcome objects =
            m_set.forEachRequirement([&](const ExchangedRequirement &requirement) -> Outcome {
                const ReqIfContent::Object *foreign = foreignObject(requirement.number);
                if (!(foreign ? writeForeignObject(*foreign) : writeObject(requirement)))
                    return refused(requirement.number);
                if (!foreign)
                    m_ordered.place(requirement.paragraph, requirement.number);
                ++done;
                if (progress && (done % 1000 == 0 || done == total))
                    progress(done, total);
                return Outcome::ok();
            });
        if (!objects)
            return objects;
        for (const ForeignRecords::Document *document : std::as_const(m_documents)) {
            for (const ReqIfContent::Object &object : document->content.objects) {
                if (!writeForeignObject(object))
                    return refused(0);
            }
        }
        if (anyObject)
            m_out.markup("</SPEC-OBJECTS>");
        if (!writeRelations())
            return refused(0);
        if (!writeSpecifications())
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

    bool writeDatatypes()
    {
        m_out.markup("<DATATYPES>");
        if (m_ownTypes)
            writeOwnDatatypes();
        QSet<QString> written;
        for (const ForeignRecords::Document *document : std::as_const(m_documents)) {
            for (const ReqIfContent::Datatype &datatype : document->content.datatypes) {
                if (written.contains(datatype.identifier))
                    continue;
                written.insert(datatype.identifier);
                if (!writeForeignDatatype(datatype))
                    return false;
            }
        }
        m_out.markup("</DATATYPES>");
        return true;
    }

    void writeOwnDatatypes()
    {
        m_out.markup("<DATATYPE-DEFINITION-INTEGER");
        identify(datatypeId(ValueKind::Integer), kTypesChanged, "Integer");
        m_out.markup(" MAX=\"2147483647\" MIN=\"-2147483648\"/><DATATYPE-DEFINITION-STRING");
        identify(datatypeId(ValueKind::String), kTypesChanged, "String");
        m_out.markup(" MAX-LENGTH=\"65535\"/><DATATYPE-DEFINITION-XHTML");
        identify(datatypeId(ValueKind::Xhtml), kTypesChanged, "XHTML");
        m_out.markup("/>");
    }

    bool writeSpecTypes()
    {
        m_out.markup("<SPEC-TYPES>");
        if (m_ownTypes)
            writeOwnSpecTypes();
        QSet<QString> written;
        for (const ForeignRecords::Document *document : std::as_const(m_documents)) {
            for (const ReqIfContent::SpecType &type : document->content.specTypes) {
                if (written.contains(type.identifier))
                    continue;
                written.insert(type.identifier);
                if (!writeForeignSpecType(document->content, type))
                    return false;
            }
        }
        m_out.markup("</SPEC-TYPES>");
        return true;
    }

    void writeOwnSpecTypes()
    {
        m_out.markup("<SPEC-OBJECT-TYPE");
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
        m_out.markup("/>");
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

    bool writeRelations()
    {
        QList<const ReqIfContent::Relation *> foreign;
        QSet<QPair<qint32, qint32>> carried;
        for (const ForeignRecords::Document *document : std::as_const(m_documents)) {
            for (const ReqIfContent::Relation &relation : document->content.relations) {
                const qint32 source = m_writtenObjects.value(relation.source, -1);
                const qint32 target = m_writtenObjects.value(relation.target, -1);
                if (source < 0 || target < 0)
                    continue;
                foreign.append(&relation);
                carried.insert({source, target});
            }
        }
        QList<const ExchangedLink *> own;
        for (const ExchangedLink &link : m_set.links) {
            if (!carried.contains({link.parent, link.dependent}))
                own.append(&link);
        }
        if (foreign.isEmpty() && own.isEmpty()) {
            m_out.markup("<SPEC-RELATIONS/>");
            return true;
        }
        m_out.markup("<SPEC-RELATIONS>");
        for (const ReqIfContent::Relation *relation : std::as_const(foreign)) {
            if (!writeForeignRelation(*relation))
                return false;
        }
        const QByteArray type = id("dependent-type");
        for (const ExchangedLink *linked : std::as_const(own)) {
            const ExchangedLink &link = *linked;
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
        return true;
    }

    bool writeSpecifications()
    {
        m_out.markup("<SPECIFICATIONS>");
        if (m_ownTypes && !writeSpecification())
            return false;
        for (const ForeignRecords::Document *document : std::as_const(m_documents)) {
            for (const ReqIfContent::Specification &specification :
                 document->content.specifications) {
                if (!writeForeignSpecification(document->content, specification))
                    return false;
            }
        }
        m_out.markup("</SPECIFICATIONS>");
        return true;
    }

    bool writeSpecification()
    {
        const std::vector<qint32> ordered = m_ordered.numbers();
        m_out.markup("<SPECIFICATION");
        m_out.markup(" IDENTIFIER=\"");
        m_out.markup(id("specification"));
        m_out.markup("\" LAST-CHANGE=\"");
        m_out.markup(kTypesChanged);
        m_out.markup("\" LONG-NAME=\"");
        if (!m_out.attributeValue(title()))
            return false;
        m_out.markup("\">");
        reference("TYPE", "SPECIFICATION-TYPE-REF", id("specification-type"));
        m_out.markup(ordered.empty() ? "<CHILDREN/>" : "<CHILDREN>");
        for (const qint32 requirement : ordered) {
            const QByteArray number = QByteArray::number(requirement);
            m_out.markup("<SPEC-HIERARCHY");
            identify(id("node-" + number), kTypesChanged);
            m_out.markup(">");
            reference("OBJECT", "SPEC-OBJECT-REF", objectId(requirement));
            m_out.markup("</SPEC-HIERARCHY>");
        }
        if (!ordered.empty())
            m_out.markup("</CHILDREN>");
        m_out.markup("</SPECIFICATION>");
        return true;
    }

    // Another tool's elements, as the workspace kept them.

    const ReqIfContent::Object *foreignObject(qint32 number) const
    {
        if (!m_set.foreign)
            return nullptr;
        const auto object = m_set.foreign->objects.constFind(number);
        return object == m_set.foreign->objects.cend() ? nullptr : &*object;
    }

    // Which requirements and documents go out as another tool's, and which
    // markup prefixes their XHTML values use.
    void sortForeign()
    {
        // Every requirement with another tool's object is among those
        // written: the others are the workspace's own.
        QSet<qint32> documents;
        if (m_set.foreign) {
            for (auto object = m_set.foreign->objects.cbegin();
                 object != m_set.foreign->objects.cend(); ++object) {
                documents.insert(m_set.foreign->documentOf.value(object.key()));
                m_writtenObjects.insert(object->identifier, object.key());
                ++m_foreignObjectCount;
            }
        }
        const bool own = m_set.count > m_foreignObjectCount;
        if (m_set.foreign) {
            for (const ForeignRecords::Document &document : m_set.foreign->documents) {
                if (!documents.contains(document.number))
                    continue;
                m_documents.append(&document);
                for (const ReqIfContent::Object &object : document.content.objects) {
                    m_writtenObjects.insert(object.identifier, 0);
                    ++m_foreignObjectCount;
                }
            }
        }
        // A workspace's own requirements, or its links between another
        // tool's, need the requirement type; a file of another tool's
        // requirements alone goes back without it.
        m_ownTypes = own || m_documents.isEmpty() || hasOwnLinks();
        m_xhtmlPrefixes.insert("xhtml");
        auto notePrefixes = [&](const ReqIfContent::Object &object) {
            for (const ReqIfContent::Value &value : object.values) {
                if (value.kind == QLatin1String("XHTML"))
                    notePrefixesIn(value.original);
            }
        };
        if (m_set.foreign) {
            for (const ReqIfContent::Object &object : m_set.foreign->objects)
                notePrefixes(object);
        }
        for (const ForeignRecords::Document *document : std::as_const(m_documents)) {
            for (const ReqIfContent::Object &object : document->content.objects)
                notePrefixes(object);
        }
    }

    // The prefixes of the element names in XHTML markup as written
    // ("<xhtml:p>"): the root declares each for the XHTML namespace.
    void notePrefixesIn(QStringView markup)
    {
        auto nameCharacter = [](QChar c) {
            return c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.';
        };
        for (qsizetype at = markup.indexOf(u'<'); at >= 0; at = markup.indexOf(u'<', at + 1)) {
            qsizetype start = at + 1;
            if (start < markup.size() && markup[start] == u'/')
                ++start;
            qsizetype end = start;
            while (end < markup.size() && nameCharacter(markup[end]))
                ++end;
            if (end > start && end < markup.size() && markup[end] == u':')
                m_xhtmlPrefixes.insert(markup.mid(start, end - start).toLatin1());
        }
    }

    bool hasOwnLinks() const
    {
        QSet<QPair<QString, QString>> relations;
        for (const ForeignRecords::Document &document : m_set.foreign->documents) {
            for (const ReqIfContent::Relation &relation : document.content.relations)
                relations.insert({relation.source, relation.target});
        }
        for (const ExchangedLink &link : m_set.links) {
            const ReqIfContent::Object *parent = foreignObject(link.parent);
            const ReqIfContent::Object *dependent = foreignObject(link.dependent);
            if (!parent || !dependent ||
                !relations.contains({parent->identifier, dependent->identifier}))
                return true;
        }
        return false;
    }

    // An attribute of an open start tag, unless empty.
    bool attribute(QByteArrayView name, const QString &value)
    {
        if (value.isEmpty())
            return true;
        m_out.markup(" ");
        m_out.markup(name);
        m_out.markup("=\"");
        if (!m_out.attributeValue(value))
            return false;
        m_out.markup("\"");
        return true;
    }

    // IDENTIFIER, LAST-CHANGE and LONG-NAME as the file had them.
    bool identifyForeign(const QString &identifier, const QString &lastChange,
                         const QString &longName)
    {
        return attribute("IDENTIFIER", identifier) && attribute("LAST-CHANGE", lastChange) &&
               attribute("LONG-NAME", longName);
    }

    // The attributes the file wrote that nothing interprets (DESC,
    // IS-EDITABLE ...), in name order, but for those the element's own
    // writing gave already.
    bool otherAttributes(const QHash<QString, QString> &others,
                         std::initializer_list<QLatin1StringView> written)
    {
        QStringList names = others.keys();
        names.sort();
        for (const QString &name : std::as_const(names)) {
            if (std::find(written.begin(), written.end(), name) != written.end())
                continue;
            if (!attribute(name.toLatin1(), others.value(name)))
                return false;
        }
        return true;
    }

    bool identifyForeign(const QString &identifier, const QString &lastChange,
                         const QString &longName, const QHash<QString, QString> &others)
    {
        return identifyForeign(identifier, lastChange, longName) &&
               otherAttributes(others,
                               {QLatin1StringView("IDENTIFIER"), QLatin1StringView("LAST-CHANGE"),
                                QLatin1StringView("LONG-NAME")});
    }

    bool foreignReference(QByteArrayView holder, const QByteArray &element,
                          const QString &identifier)
    {
        m_out.markup("<");
        m_out.markup(holder);
        m_out.markup("><");
        m_out.markup(element);
        m_out.markup(">");
        if (!m_out.text(identifier))
            return false;
        m_out.markup("</");
        m_out.markup(element);
        m_out.markup("></");
        m_out.markup(holder);
        m_out.markup(">");
        return true;
    }

    bool writeForeignDatatype(const ReqIfContent::Datatype &datatype)
    {
        const QByteArray element = "DATATYPE-DEFINITION-" + datatype.kind.toLatin1();
        m_out.markup("<" + element);
        if (!identifyForeign(datatype.identifier, datatype.lastChange, datatype.longName))
            return false;
        for (auto facet = datatype.facets.cbegin(); facet != datatype.facets.cend(); ++facet) {
            if (!attribute(facet.key().toLatin1(), facet.value()))
                return false;
        }
        if (datatype.values.isEmpty() && datatype.kind != QLatin1String("ENUMERATION")) {
            m_out.markup("/>");
            return true;
        }
        m_out.markup("><SPECIFIED-VALUES>");
        for (const ReqIfContent::EnumValue &value : datatype.values) {
            m_out.markup("<ENUM-VALUE");
            if (!identifyForeign(value.identifier, value.lastChange, value.longName,
                                 value.otherAttributes))
                return false;
            m_out.markup("><PROPERTIES><EMBEDDED-VALUE");
            // Both are required: an empty one is written empty.
            m_out.markup(" KEY=\"");
            if (!m_out.attributeValue(value.key))
                return false;
            m_out.markup("\" OTHER-CONTENT=\"");
            if (!m_out.attributeValue(value.otherContent))
                return false;
            m_out.markup("\"");
            m_out.markup("/></PROPERTIES></ENUM-VALUE>");
        }
        m_out.markup("</SPECIFIED-VALUES></" + element + ">");
        return true;
    }

    bool writeForeignSpecType(const ReqIfContent &content, const ReqIfContent::SpecType &type)
    {
        const QByteArray element = type.kind.toLatin1();
        m_out.markup("<" + element);
        if (!identifyForeign(type.identifier, type.lastChange, type.longName, type.otherAttributes))
            return false;
        QList<const ReqIfContent::Definition *> definitions;
        for (const QString &identifier : type.definitions) {
            const auto definition = content.definitions.constFind(identifier);
            if (definition != content.definitions.cend() && definition->defined)
                definitions.append(&*definition);
        }
        if (definitions.isEmpty()) {
            m_out.markup("/>");
            return true;
        }
        m_out.markup("><SPEC-ATTRIBUTES>");
        for (const ReqIfContent::Definition *definition : std::as_const(definitions)) {
            const QByteArray kind = definition->kind.toLatin1();
            m_out.markup("<ATTRIBUTE-DEFINITION-" + kind);
            if (!identifyForeign(definition->identifier, definition->lastChange,
                                 definition->longName))
                return false;
            if (!otherAttributes(definition->otherAttributes,
                                 {QLatin1StringView("IDENTIFIER"), QLatin1StringView("LAST-CHANGE"),
                                  QLatin1StringView("LONG-NAME"),
                                  QLatin1StringView("MULTI-VALUED")}))
                return false;
            if (definition->kind == QLatin1String("ENUMERATION"))
                m_out.markup(definition->multiValued ? " MULTI-VALUED=\"true\""
                                                     : " MULTI-VALUED=\"false\"");
            m_out.markup(">");
            if (!definition->datatype.isEmpty() &&
                !foreignReference("TYPE", "DATATYPE-DEFINITION-" + kind + "-REF",
                                  definition->datatype))
                return false;
            m_out.markup("</ATTRIBUTE-DEFINITION-" + kind + ">");
        }
        m_out.markup("</SPEC-ATTRIBUTES></" + element + ">");
        return true;
    }

    bool writeForeignValues(const QList<ReqIfContent::Value> &values)
    {
        if (values.isEmpty())
            return true;
        m_out.markup("<VALUES>");
        for (const ReqIfContent::Value &value : values) {
            const QByteArray kind = value.kind.toLatin1();
            const QByteArray element = "ATTRIBUTE-VALUE-" + kind;
            m_out.markup("<" + element);
            const bool inAttribute =
                value.kind != QLatin1String("XHTML") && value.kind != QLatin1String("ENUMERATION");
            if (inAttribute &&
                !attribute("THE-VALUE", value.original.isNull() ? value.text : value.original))
                return false;
            m_out.markup(">");
            if (!foreignReference("DEFINITION", "ATTRIBUTE-DEFINITION-" + kind + "-REF",
                                  value.definition))
                return false;
            if (value.kind == QLatin1String("XHTML")) {
                // The markup as the file wrote it.
                m_out.markup("<THE-VALUE>");
                m_out.markup(value.original.toUtf8());
                m_out.markup("</THE-VALUE>");
            } else if (value.kind == QLatin1String("ENUMERATION")) {
                const QStringList references =
                    value.original.split(QLatin1Char(' '), Qt::SkipEmptyParts);
                m_out.markup(references.isEmpty() ? "<VALUES/>" : "<VALUES>");
                for (const QString &reference : references) {
                    m_out.markup("<ENUM-VALUE-REF>");
                    if (!m_out.text(reference))
                        return false;
                    m_out.markup("</ENUM-VALUE-REF>");
                }
                if (!references.isEmpty())
                    m_out.markup("</VALUES>");
            }
            m_out.markup("</" + element + ">");
        }
        m_out.markup("</VALUES>");
        return true;
    }

    bool writeForeignObject(const ReqIfContent::Object &object)
    {
        m_out.markup("<SPEC-OBJECT");
        if (!identifyForeign(object.identifier, object.lastChange, object.longName,
                             object.otherAttributes))
            return false;
        m_out.markup(">");
        if (!writeForeignValues(object.values) ||
            !foreignReference("TYPE", "SPEC-OBJECT-TYPE-REF", object.type))
            return false;
        m_out.markup("</SPEC-OBJECT>\n");
        return true;
    }

    bool writeForeignRelation(const ReqIfContent::Relation &relation)
    {
        m_out.markup("<SPEC-RELATION");
        if (!identifyForeign(relation.identifier, relation.lastChange, relation.longName,
                             relation.otherAttributes))
            return false;
        m_out.markup(">");
        if (!writeForeignValues(relation.values) ||
            !foreignReference("SOURCE", "SPEC-OBJECT-REF", relation.source) ||
            !foreignReference("TARGET", "SPEC-OBJECT-REF", relation.target) ||
            !foreignReference("TYPE", "SPEC-RELATION-TYPE-REF", relation.type))
            return false;
        m_out.markup("</SPEC-RELATION>");
        return true;
    }

    // The document tree's hierarchy as it came, without the nodes of
    // objects that are not written (a deleted requirement): their children
    // move up to the nearest node that is.
    bool writeForeignSpecification(const ReqIfContent &content,
                                   const ReqIfContent::Specification &specification)
    {
        m_out.markup("<SPECIFICATION");
        if (!identifyForeign(specification.identifier, specification.lastChange,
                             specification.longName, specification.otherAttributes))
            return false;
        m_out.markup(">");
        if (!writeForeignValues(specification.values) ||
            !foreignReference("TYPE", "SPECIFICATION-TYPE-REF", specification.type))
            return false;
        const QString first = content.specifications.isEmpty()
                                  ? QString()
                                  : content.specifications.first().identifier;
        struct Open
        {
            int depth;
            bool children;
        };
        QList<Open> open;
        bool any = false;
        for (const ReqIfContent::Node &node : content.hierarchy) {
            const QString owner = node.specification.isEmpty() ? first : node.specification;
            if (owner != specification.identifier || !m_writtenObjects.contains(node.object))
                continue;
            while (!open.isEmpty() && open.last().depth >= node.depth) {
                m_out.markup(open.last().children ? "</CHILDREN></SPEC-HIERARCHY>"
                                                  : "</SPEC-HIERARCHY>");
                open.removeLast();
            }
            if (!any) {
                m_out.markup("<CHILDREN>");
                any = true;
            }
            if (!open.isEmpty() && !open.last().children) {
                m_out.markup("<CHILDREN>");
                open.last().children = true;
            }
            m_out.markup("<SPEC-HIERARCHY");
            if (!identifyForeign(node.identifier, node.lastChange, {}) ||
                !otherAttributes(node.otherAttributes, {QLatin1StringView("IDENTIFIER"),
                                                        QLatin1StringView("LAST-CHANGE")}))
                return false;
            m_out.markup(">");
            if (!foreignReference("OBJECT", "SPEC-OBJECT-REF", node.object))
                return false;
            open.append({node.depth, false});
        }
        while (!open.isEmpty()) {
            m_out.markup(open.last().children ? "</CHILDREN></SPEC-HIERARCHY>"
                                              : "</SPEC-HIERARCHY>");
            open.removeLast();
        }
        if (any)
            m_out.markup("</CHILDREN>");
        m_out.markup("</SPECIFICATION>");
        return true;
    }

    const ExchangeSet &m_set;
    XmlByteStream m_out;
    // The workspace's own requirements in the document tree's order.
    ParagraphPlaces m_ordered;
    QByteArray m_prefix;
    QList<ValueMarkup> m_values; // by attribute, in file order
    QHash<QString, QByteArray> m_lastChanges;
    // The documents some exported requirement came from, in the order kept.
    QList<const ForeignRecords::Document *> m_documents;
    // Identifiers of the foreign objects written: the requirement's number,
    // 0 for an object that is no requirement.
    QHash<QString, qint32> m_writtenObjects;
    int m_foreignObjectCount = 0;
    bool m_ownTypes = true;
    std::set<QByteArray> m_xhtmlPrefixes; // in name order: two exports alike
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
