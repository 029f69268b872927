#include "interchange/reqifreader.h"

#include "interchange/interchangetr.h"

#include "interchange/exchangeinput.h"
#include "interchange/reqifobjectspill.h"
#include "interchange/reqifvocabulary.h"

#include <QBuffer>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <cstring>
#include <string_view>
#include <unordered_map>

namespace varn::interchange {

namespace {

const QLatin1StringView kValuePrefix{"ATTRIBUTE-VALUE-"};
const QLatin1StringView kDefinitionPrefix{"ATTRIBUTE-DEFINITION-"};
const QLatin1StringView kDatatypePrefix{"DATATYPE-DEFINITION-"};

bool isOneOf(QStringView name, std::initializer_list<const char *> names)
{
    for (const char *candidate : names) {
        if (name == QLatin1String(candidate))
            return true;
    }
    return false;
}

// The elements the reader tells apart, known by their names once as they
// start; a name ending in "-REF" refers to another element, and the prefixes
// of values, attribute definitions and datatypes stand for every kind.
enum class Tag : quint8 {
    Other,
    Skipped, // never read: another tool's extensions, the value a tool
             // converted its XHTML from, and groupings Varn SE has no use for
    ReqIfHeader,
    SourceToolId,
    Title,
    Datatypes,
    SpecTypes,
    SpecAttributes,
    SpecObjects,
    SpecObject,
    SpecRelations,
    SpecRelation,
    Specifications,
    Specification,
    SpecHierarchy,
    Values,
    Definition,
    Type,
    Source,
    Target,
    Object,
    TheValue,
    EnumValue,
    EmbeddedValue,
    AnyValue,      // ATTRIBUTE-VALUE-...
    AnyDefinition, // ATTRIBUTE-DEFINITION-...
    AnyDatatype,   // DATATYPE-DEFINITION-...
    Reference,     // ...-REF
    EnumValueRef,
    SpecObjectRef,
};

Tag tagOf(QStringView name)
{
    static const std::unordered_map<std::u16string_view, Tag> known = [] {
        static const QStringList names = {"TOOL-EXTENSIONS",
                                          "THE-ORIGINAL-VALUE",
                                          "ALTERNATIVE-ID",
                                          "DEFAULT-VALUE",
                                          "SPEC-RELATION-GROUPS",
                                          "REQ-IF-HEADER",
                                          "SOURCE-TOOL-ID",
                                          "TITLE",
                                          "DATATYPES",
                                          "SPEC-TYPES",
                                          "SPEC-ATTRIBUTES",
                                          "SPEC-OBJECTS",
                                          "SPEC-OBJECT",
                                          "SPEC-RELATIONS",
                                          "SPEC-RELATION",
                                          "SPECIFICATIONS",
                                          "SPECIFICATION",
                                          "SPEC-HIERARCHY",
                                          "VALUES",
                                          "DEFINITION",
                                          "TYPE",
                                          "SOURCE",
                                          "TARGET",
                                          "OBJECT",
                                          "THE-VALUE",
                                          "ENUM-VALUE",
                                          "EMBEDDED-VALUE",
                                          "ENUM-VALUE-REF",
                                          "SPEC-OBJECT-REF"};
        static const Tag tags[] = {
            Tag::Skipped,       Tag::Skipped,       Tag::Skipped,        Tag::Skipped,
            Tag::Skipped,       Tag::ReqIfHeader,   Tag::SourceToolId,   Tag::Title,
            Tag::Datatypes,     Tag::SpecTypes,     Tag::SpecAttributes, Tag::SpecObjects,
            Tag::SpecObject,    Tag::SpecRelations, Tag::SpecRelation,   Tag::Specifications,
            Tag::Specification, Tag::SpecHierarchy, Tag::Values,         Tag::Definition,
            Tag::Type,          Tag::Source,        Tag::Target,         Tag::Object,
            Tag::TheValue,      Tag::EnumValue,     Tag::EmbeddedValue,  Tag::EnumValueRef,
            Tag::SpecObjectRef};
        std::unordered_map<std::u16string_view, Tag> map;
        for (qsizetype i = 0; i < names.size(); ++i)
            map.emplace(
                std::u16string_view(QStringView(names[i]).utf16(), std::size_t(names[i].size())),
                tags[i]);
        return map;
    }();
    const auto found = known.find(std::u16string_view(name.utf16(), std::size_t(name.size())));
    if (found != known.end())
        return found->second;
    if (name.endsWith(QLatin1String("-REF")))
        return Tag::Reference;
    if (name.startsWith(kValuePrefix))
        return Tag::AnyValue;
    if (name.startsWith(kDefinitionPrefix))
        return Tag::AnyDefinition;
    if (name.startsWith(kDatatypePrefix))
        return Tag::AnyDatatype;
    return Tag::Other;
}

// Texts many elements repeat (identifiers of definitions and types, kinds),
// held once and found by their characters without making a string first.
class SharedTexts
{
public:
    const QString &operator()(QStringView text)
    {
        const std::u16string_view key(text.utf16(), std::size_t(text.size()));
        const auto found = m_texts.find(key);
        if (found != m_texts.end())
            return found->second;
        // The key points into the string kept, whose characters stay put.
        QString kept = text.toString();
        const std::u16string_view own(QStringView(kept).utf16(), std::size_t(kept.size()));
        return m_texts.emplace(own, std::move(kept)).first->second;
    }

private:
    std::unordered_map<std::u16string_view, QString> m_texts;
};

// Checks UTF-8 a piece at a time: a character split between two pieces is
// finished in the next. Overlong forms, surrogates and code points past
// U+10FFFF are not UTF-8.
class Utf8Check
{
public:
    bool feed(const uchar *data, qsizetype size)
    {
        qsizetype at = 0;
        while (at < size) {
            if (m_needed == 0) {
                // Eight plain ASCII bytes at a time.
                while (at + 8 <= size) {
                    quint64 word;
                    std::memcpy(&word, data + at, 8);
                    if (word & 0x8080808080808080ULL)
                        break;
                    at += 8;
                }
                if (at == size)
                    break;
                const uchar lead = data[at++];
                if (lead < 0x80)
                    continue;
                if (lead >= 0xC2 && lead <= 0xDF) {
                    m_needed = 1;
                } else if (lead >= 0xE0 && lead <= 0xEF) {
                    m_needed = 2;
                    m_low = lead == 0xE0 ? 0xA0 : 0x80;
                    m_high = lead == 0xED ? 0x9F : 0xBF;
                    continue;
                } else if (lead >= 0xF0 && lead <= 0xF4) {
                    m_needed = 3;
                    m_low = lead == 0xF0 ? 0x90 : 0x80;
                    m_high = lead == 0xF4 ? 0x8F : 0xBF;
                    continue;
                } else {
                    return false;
                }
                m_low = 0x80;
                m_high = 0xBF;
                continue;
            }
            const uchar next = data[at++];
            if (next < m_low || next > m_high)
                return false;
            --m_needed;
            m_low = 0x80;
            m_high = 0xBF;
        }
        return true;
    }

    // Whether the text ended with a whole character.
    bool complete() const { return m_needed == 0; }

private:
    int m_needed = 0;
    uchar m_low = 0x80;
    uchar m_high = 0xBF;
};

QByteArray declaredAsUtf8(const QByteArray &bytes);

// What the streaming reader reads: the file a piece at a time, checked to be
// UTF-8 as it passes (the reader is then told the file ended early, and
// invalid() says why), with any other encoding the XML declaration names
// blanked out. The bytes the reader took are kept from the first one still
// wanted, so that a value can be cut out as written: the reader's character
// offsets (UTF-16 units after any byte order mark) are mapped to byte
// offsets moving forward only, and the bytes before are let go.
class InputDevice : public QIODevice
{
public:
    explicit InputDevice(QIODevice &source) : m_source(source)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    bool invalid() const { return m_invalid; }
    QString sourceError() const { return m_sourceError; }

    // The byte where the character at the offset begins; every byte before
    // it may be let go.
    qint64 byteAt(qint64 character)
    {
        const auto *data = reinterpret_cast<const uchar *>(m_window.constData());
        const qint64 end = m_windowStart + m_window.size();
        while (m_character < character && m_byte < end) {
            qsizetype at = qsizetype(m_byte - m_windowStart);
            if (character - m_character >= 8 && m_byte + 8 <= end) {
                quint64 word;
                std::memcpy(&word, data + at, 8);
                if (!(word & 0x8080808080808080ULL)) {
                    m_byte += 8;
                    m_character += 8;
                    continue;
                }
            }
            const uchar lead = data[at];
            if (lead < 0x80) {
                m_byte += 1;
                m_character += 1;
            } else if (lead < 0xE0) {
                m_byte += 2;
                m_character += 1;
            } else if (lead < 0xF0) {
                m_byte += 3;
                m_character += 1;
            } else {
                m_byte += 4;
                m_character += 2;
            }
        }
        return qMin(m_byte, end);
    }

    // The bytes from one offset to another, both where the reader has been.
    QByteArrayView bytes(qint64 from, qint64 to) const
    {
        from = qMax(from, m_windowStart);
        to = qMin(to, m_windowStart + m_window.size());
        if (to <= from)
            return {};
        return QByteArrayView(m_window).sliced(qsizetype(from - m_windowStart),
                                               qsizetype(to - from));
    }

    // Keeps the bytes from the offset on (and none the offsets have not
    // passed yet are let go).
    void keepFrom(qint64 byte)
    {
        const qint64 drop = qMin(byte, m_byte) - m_windowStart;
        if (drop <= 0)
            return;
        m_window.remove(0, qsizetype(drop));
        m_windowStart += drop;
    }

    qsizetype held() const { return m_window.size(); }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (m_invalid)
            return 0;
        if (m_at == m_piece.size() && !nextPiece())
            return m_sourceError.isEmpty() ? 0 : -1;
        const qint64 n = qMin<qint64>(size, m_piece.size() - m_at);
        std::memcpy(data, m_piece.constData() + m_at, size_t(n));
        m_window.append(m_piece.constData() + m_at, qsizetype(n));
        m_at += qsizetype(n);
        return n;
    }

    qint64 writeData(const char *, qint64) override { return -1; }

private:
    static constexpr qint64 kPiece = 1 << 20;

    bool nextPiece()
    {
        m_piece.resize(kPiece);
        const qint64 n = m_source.read(m_piece.data(), kPiece);
        if (n < 0) {
            m_sourceError = m_source.errorString();
            m_piece.clear();
            return false;
        }
        m_piece.resize(qsizetype(n));
        m_at = 0;
        if (!m_check.feed(reinterpret_cast<const uchar *>(m_piece.constData()), m_piece.size()) ||
            (n == 0 && !m_check.complete())) {
            m_invalid = true;
            m_piece.clear();
            return false;
        }
        if (m_first) {
            m_first = false;
            if (m_piece.startsWith("\xEF\xBB\xBF")) {
                m_byte = 3;
                m_windowStart = 0;
            }
            m_piece = declaredAsUtf8(m_piece);
        }
        return n > 0;
    }

    QIODevice &m_source;
    Utf8Check m_check;
    QByteArray m_piece;
    qsizetype m_at = 0;
    bool m_first = true;
    bool m_invalid = false;
    QString m_sourceError;
    QByteArray m_window; // the bytes the reader took from m_windowStart on
    qint64 m_windowStart = 0;
    qint64 m_byte = 0;      // where the offsets stand
    qint64 m_character = 0; // the character there
};

// The readable text of an XHTML value: words as they stand, paragraphs,
// list items and table rows apart by "; " (a blank after a colon or a full
// stop), table cells by " | ", objects and images named.
class Flattener
{
public:
    void start(const QXmlStreamReader &xml)
    {
        const QStringView name = xml.name();
        if (isOneOf(name, {"td", "th"})) {
            separate(Break::Cell);
        } else if (isOneOf(name, {"p",     "div",        "br", "li", "ul", "ol",      "tr",
                                  "table", "h1",         "h2", "h3", "h4", "h5",      "h6",
                                  "pre",   "blockquote", "dl", "dt", "dd", "caption", "hr"})) {
            separate(Break::Block);
        }
    }

    void end(QStringView name)
    {
        if (isOneOf(name, {"p", "div", "li", "tr", "table", "h1", "h2", "h3", "h4", "h5", "h6",
                           "pre", "blockquote", "dt", "dd", "caption"}))
            separate(Break::Block);
    }

    // An embedded object or image, named by what it shows.
    void embedded(const QXmlStreamReader &xml)
    {
        const QXmlStreamAttributes attributes = xml.attributes();
        const bool image = xml.name() == QLatin1String("img");
        QString name =
            attributes.value(QString(), QLatin1String(image ? "alt" : "name")).toString();
        if (name.isEmpty()) {
            name = attributes.value(QString(), QLatin1String(image ? "src" : "data")).toString();
            name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
        }
        const QString type = attributes.value(QString(), QLatin1String("type")).toString();
        const bool picture = image || type.startsWith(QLatin1String("image/"));
        text(picture ? Tr::tr("[image: %1]").arg(name) : Tr::tr("[object: %1]").arg(name));
    }

    void text(QStringView words)
    {
        const qsizetype size = words.size();
        qsizetype at = 0;
        while (at < size) {
            if (words[at].isSpace()) {
                m_blank = true;
                ++at;
                continue;
            }
            // A word goes in whole, after what separates it from the last.
            qsizetype end = at + 1;
            while (end < size && !words[end].isSpace())
                ++end;
            if (m_break != Break::None && !m_text.isEmpty()) {
                const QChar last = m_text.back();
                if (m_break == Break::Cell)
                    m_text += QLatin1String(" | ");
                else if (last == u':' || last == u'.' || last == u';' || last == u'!' ||
                         last == u'?' || last == u',')
                    m_text += QLatin1Char(' ');
                else
                    m_text += QLatin1String("; ");
            } else if (m_blank && !m_text.isEmpty()) {
                m_text += QLatin1Char(' ');
            }
            m_break = Break::None;
            m_blank = false;
            m_text += words.sliced(at, end - at);
            at = end;
        }
    }

    QString take()
    {
        QString text = std::move(m_text);
        *this = Flattener{};
        return text;
    }

private:
    enum class Break { None, Block, Cell };

    void separate(Break kind)
    {
        if (m_break != Break::Block)
            m_break = kind;
    }

    QString m_text;
    Break m_break = Break::None;
    bool m_blank = false;
};

class Parse
{
public:
    // Read through a device: given the bytes whole, the streaming reader
    // would decode them all at once, several times the file's size. With a
    // spill, each object goes there as it is read rather than into the
    // content's list.
    Parse(QIODevice &source, ReqIfObjectSpill *spill) : m_device(source), m_spill(spill)
    {
        m_xml.setDevice(&m_device);
    }

    Result<ReqIfContent> run()
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                return ExchangeInput::refusal(
                    Tr::tr("The file holds a document type or entity declaration, which "
                           "an import never reads."));
            case QXmlStreamReader::StartElement:
                if (Outcome started = startElement(); !started)
                    return started;
                break;
            case QXmlStreamReader::EndElement:
                endElement();
                break;
            case QXmlStreamReader::Characters:
                if (m_xhtmlDepth > 0)
                    m_flat.text(m_xml.text());
                break;
            default:
                break;
            }
            if (!m_spillFailure)
                return m_spillFailure;
            // Outside a value the bytes read are let go now and then.
            if (m_xhtmlDepth == 0 && m_device.held() > kHeldBytes)
                m_device.keepFrom(m_device.byteAt(m_xml.characterOffset()));
        }
        if (m_device.invalid())
            return ExchangeInput::refusal(Tr::tr("The file is not UTF-8 text."));
        if (!m_device.sourceError().isEmpty())
            return Outcome::stop(Tr::tr("Cannot read the file: %1\nNothing was imported.")
                                     .arg(m_device.sourceError()));
        if (m_xml.hasError())
            return ExchangeInput::refusal(
                Tr::tr("The file is not well-formed XML (line %1, column %2: %3).")
                    .arg(m_xml.lineNumber())
                    .arg(m_xml.columnNumber())
                    .arg(m_xml.errorString()));
        if (!m_sawRoot)
            return ExchangeInput::refusal(Tr::tr("The file holds no REQ-IF document."));
        if (m_spill) {
            if (Outcome finished = m_spill->finish(); !finished)
                return finished;
            resolveDefinitions();
        }
        resolve();
        return std::move(m_content);
    }

private:
    static constexpr qsizetype kHeldBytes = 4 << 20;

    QString attribute(const QXmlStreamAttributes &attributes, const char *name) const
    {
        return attributes.value(QString(), QLatin1String(name)).toString();
    }

    // The attributes of the exchange's own (no namespace) that have no field.
    static QHash<QString, QString> others(const QXmlStreamAttributes &attributes,
                                          std::initializer_list<const char *> taken)
    {
        QHash<QString, QString> found;
        for (const QXmlStreamAttribute &attribute : attributes) {
            if (attribute.namespaceUri().isEmpty() && !isOneOf(attribute.name(), taken))
                found.insert(attribute.name().toString(), attribute.value().toString());
        }
        return found;
    }

    Outcome startElement()
    {
        const QStringView name = m_xml.name();
        if (!m_sawRoot) {
            m_sawRoot = true;
            const QStringView space = m_xml.namespaceUri();
            if ((space != ReqIf::kNamespace && space != ReqIf::kEarlierNamespace) ||
                name != QLatin1String("REQ-IF"))
                return ExchangeInput::refusal(
                    Tr::tr("The file is not a ReqIF document: its root element is "
                           "\"%1\" in the namespace \"%2\".")
                        .arg(name.toString(), space.toString()));
            m_namespace = space.toString();
        }
        if (m_xhtmlDepth > 0)
            return startXhtml();
        const Tag tag = tagOf(name);
        if (tag == Tag::Skipped || m_xml.namespaceUri() != m_namespace) {
            m_xml.skipCurrentElement();
            return Outcome::ok();
        }
        const Tag parent = m_path.isEmpty() ? Tag::Other : m_path.back();
        switch (tag) {
        case Tag::Reference:
        case Tag::EnumValueRef:
        case Tag::SpecObjectRef: {
            // An object is referred to once or twice (the hierarchy, a
            // relation) and held by the objects read; what else is referred
            // to (definitions, types) is referred to again and again.
            const QStringView identifier = elementText().trimmed();
            if (m_xml.hasError())
                return Outcome::ok(); // the reader's error ends the reading
            takeReference(parent, tag,
                          tag == Tag::SpecObjectRef ? objectIdentifier(identifier.toString())
                                                    : m_shared(identifier));
            return Outcome::ok();
        }
        case Tag::SourceToolId:
        case Tag::Title:
            (tag == Tag::Title ? m_content.title : m_content.sourceToolId) =
                m_xml.readElementText();
            return Outcome::ok();
        default:
            break;
        }
        const QXmlStreamAttributes attributes = m_xml.attributes();
        if (tag == Tag::ReqIfHeader) {
            m_content.headerIdentifier = attribute(attributes, "IDENTIFIER");
        } else if (tag == Tag::AnyDatatype && parent == Tag::Datatypes) {
            ReqIfContent::Datatype datatype;
            datatype.identifier = attribute(attributes, "IDENTIFIER");
            datatype.longName = attribute(attributes, "LONG-NAME");
            datatype.lastChange = attribute(attributes, "LAST-CHANGE");
            datatype.kind = name.mid(kDatatypePrefix.size()).toString();
            for (const QXmlStreamAttribute &facet : attributes) {
                if (facet.namespaceUri().isEmpty() &&
                    !isOneOf(facet.name(), {"IDENTIFIER", "LONG-NAME", "LAST-CHANGE"}))
                    datatype.facets.insert(facet.name().toString(), facet.value().toString());
            }
            m_content.datatypes.append(datatype);
            m_datatype = &m_content.datatypes.back();
        } else if (tag == Tag::EnumValue && m_datatype) {
            ReqIfContent::EnumValue value;
            value.identifier = attribute(attributes, "IDENTIFIER");
            value.longName = attribute(attributes, "LONG-NAME");
            value.lastChange = attribute(attributes, "LAST-CHANGE");
            value.otherAttributes = others(attributes, {"IDENTIFIER", "LONG-NAME"});
            m_datatype->values.append(value);
        } else if (tag == Tag::EmbeddedValue && m_datatype && !m_datatype->values.isEmpty()) {
            m_datatype->values.back().key = attribute(attributes, "KEY");
            m_datatype->values.back().otherContent = attribute(attributes, "OTHER-CONTENT");
        } else if (parent == Tag::SpecTypes) {
            ReqIfContent::SpecType type;
            type.identifier = attribute(attributes, "IDENTIFIER");
            type.longName = attribute(attributes, "LONG-NAME");
            type.lastChange = attribute(attributes, "LAST-CHANGE");
            type.kind = name.toString();
            type.otherAttributes = others(attributes, {"IDENTIFIER", "LONG-NAME", "LAST-CHANGE"});
            m_content.specTypes.append(type);
            m_specType = &m_content.specTypes.back();
        } else if (tag == Tag::AnyDefinition && parent == Tag::SpecAttributes && m_specType) {
            ReqIfContent::Definition definition;
            definition.identifier = attribute(attributes, "IDENTIFIER");
            definition.longName = attribute(attributes, "LONG-NAME");
            definition.lastChange = attribute(attributes, "LAST-CHANGE");
            definition.kind = name.mid(kDefinitionPrefix.size()).toString();
            definition.specType = m_specType->identifier;
            definition.multiValued =
                attribute(attributes, "MULTI-VALUED").trimmed() == QLatin1String("true");
            definition.otherAttributes =
                others(attributes, {"IDENTIFIER", "LONG-NAME", "LAST-CHANGE", "MULTI-VALUED"});
            m_specType->definitions.append(definition.identifier);
            m_content.definitions.insert(definition.identifier, definition);
            m_definition = definition.identifier;
        } else if (tag == Tag::SpecObject && parent == Tag::SpecObjects) {
            m_object = ReqIfContent::Object{};
            m_object->identifier = attribute(attributes, "IDENTIFIER");
            m_object->longName = attribute(attributes, "LONG-NAME");
            m_object->lastChange = attribute(attributes, "LAST-CHANGE");
            m_object->otherAttributes =
                others(attributes, {"IDENTIFIER", "LONG-NAME", "LAST-CHANGE"});
        } else if (tag == Tag::SpecRelation && parent == Tag::SpecRelations) {
            m_relation = ReqIfContent::Relation{};
            m_relation->identifier = attribute(attributes, "IDENTIFIER");
            m_relation->longName = attribute(attributes, "LONG-NAME");
            m_relation->lastChange = attribute(attributes, "LAST-CHANGE");
            m_relation->otherAttributes =
                others(attributes, {"IDENTIFIER", "LONG-NAME", "LAST-CHANGE"});
        } else if (tag == Tag::Specification && parent == Tag::Specifications) {
            m_specification = ReqIfContent::Specification{};
            m_specification->identifier = attribute(attributes, "IDENTIFIER");
            m_specification->longName = attribute(attributes, "LONG-NAME");
            m_specification->lastChange = attribute(attributes, "LAST-CHANGE");
            m_specification->otherAttributes =
                others(attributes, {"IDENTIFIER", "LONG-NAME", "LAST-CHANGE"});
            m_place.clear();
            m_siblings.clear();
            m_siblings.append(0);
        } else if (tag == Tag::AnyValue && parent == Tag::Values && valueHolder()) {
            m_value = ReqIfContent::Value{};
            m_value->kind = m_shared(name.mid(kValuePrefix.size()));
            if (attributes.hasAttribute(QString(), QLatin1String("THE-VALUE"))) {
                m_value->original = attribute(attributes, "THE-VALUE");
                m_value->text = m_value->original;
            }
        } else if (tag == Tag::TheValue && m_value) {
            m_xhtmlDepth = 1;
            m_valueStart = m_device.byteAt(m_xml.characterOffset());
        } else if (tag == Tag::SpecHierarchy && m_specification) {
            if (m_place.size() >= ReqIfReader::kDeepestHierarchy)
                return ExchangeInput::refusal(
                    Tr::tr("The file's hierarchy nests deeper than %1 levels, the most an "
                           "import reads.")
                        .arg(ReqIfReader::kDeepestHierarchy));
            m_place.append(++m_siblings.back());
            m_siblings.append(0);
            m_node = ReqIfContent::Node{};
            m_node->identifier = attribute(attributes, "IDENTIFIER");
            m_node->lastChange = attribute(attributes, "LAST-CHANGE");
            m_node->otherAttributes =
                nodeAttributes(others(attributes, {"IDENTIFIER", "LAST-CHANGE"}));
        }
        m_path.append(tag);
        return Outcome::ok();
    }

    // The text of an element that holds text only, as the reader's
    // readElementText gives it (comments and processing instructions passed
    // over, anything else an error), in a buffer used again for the next.
    QStringView elementText()
    {
        m_elementText.resize(0);
        for (;;) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::Characters:
            case QXmlStreamReader::EntityReference:
                m_elementText.append(m_xml.text());
                break;
            case QXmlStreamReader::EndElement:
                return m_elementText;
            case QXmlStreamReader::ProcessingInstruction:
            case QXmlStreamReader::Comment:
                break;
            default:
                // The words readElementText raises it with.
                if (!m_xml.hasError())
                    m_xml.raiseError(Tr::tr("Expected character data."));
                return {};
            }
        }
    }

    Outcome startXhtml()
    {
        if (isOneOf(m_xml.name(), {"object", "img"})) {
            m_flat.embedded(m_xml);
            m_xml.skipCurrentElement();
            return Outcome::ok();
        }
        m_flat.start(m_xml);
        ++m_xhtmlDepth;
        m_path.append(Tag::Other);
        return Outcome::ok();
    }

    void endElement()
    {
        if (m_path.isEmpty())
            return;
        const Tag tag = m_path.takeLast();
        if (m_xhtmlDepth > 0) {
            if (--m_xhtmlDepth > 0) {
                m_flat.end(m_xml.name());
                return;
            }
            const qint64 end = m_device.byteAt(m_xml.characterOffset());
            const QByteArrayView written = m_device.bytes(m_valueStart, end);
            const qsizetype close = written.isEmpty() ? -1 : written.lastIndexOf("</");
            m_value->original = close > 0 ? QString::fromUtf8(written.first(close)) : QString();
            m_value->text = m_flat.take();
            m_device.keepFrom(end);
            return;
        }
        if (tag == Tag::AnyValue && m_value) {
            if (m_value->kind == QLatin1String("ENUMERATION"))
                m_value->original = m_enumRefs.join(QLatin1Char(' '));
            m_enumRefs.clear();
            if (QList<ReqIfContent::Value> *values = valueHolder())
                values->append(std::move(*m_value));
            m_value.reset();
        } else if (tag == Tag::SpecObject && m_object) {
            if (m_spill) {
                resolveDefinitions();
                resolveObject(*m_object);
                if (Outcome spilled = m_spill->append(*m_object); !spilled)
                    m_spillFailure = spilled;
                m_objectIdentifiers.insert(m_object->identifier);
            } else {
                m_content.objects.append(std::move(*m_object));
            }
            m_object.reset();
        } else if (tag == Tag::SpecRelation && m_relation) {
            m_content.relations.append(std::move(*m_relation));
            m_relation.reset();
        } else if (tag == Tag::Specification && m_specification) {
            m_content.specifications.append(std::move(*m_specification));
            m_specification.reset();
        } else if (tag == Tag::SpecHierarchy && m_specification) {
            m_siblings.removeLast();
            m_place.removeLast();
            m_node.reset();
        } else if (tag == Tag::AnyDatatype && m_datatype) {
            m_datatype = nullptr;
        } else if (tag == Tag::AnyDefinition) {
            m_definition.clear();
        } else if (!m_path.isEmpty() && m_path.back() == Tag::SpecTypes) {
            m_specType = nullptr;
        }
    }

    QList<ReqIfContent::Value> *valueHolder()
    {
        if (m_object)
            return &m_object->values;
        if (m_relation)
            return &m_relation->values;
        if (m_specification && m_place.isEmpty())
            return &m_specification->values;
        return nullptr;
    }

    void takeReference(Tag holder, Tag element, const QString &identifier)
    {
        const Tag owner = m_path.size() >= 2 ? m_path[m_path.size() - 2] : Tag::Other;
        if (holder == Tag::Definition && m_value) {
            m_value->definition = identifier;
        } else if (element == Tag::EnumValueRef && m_value) {
            m_enumRefs.append(identifier);
        } else if (holder == Tag::Type) {
            if (m_value)
                return;
            if (!m_definition.isEmpty())
                m_content.definitions[m_definition].datatype = identifier;
            else if (m_object)
                m_object->type = identifier;
            else if (m_relation)
                m_relation->type = identifier;
            else if (m_specification && m_place.isEmpty())
                m_specification->type = identifier;
        } else if (m_relation && holder == Tag::Source) {
            m_relation->source = identifier;
        } else if (m_relation && holder == Tag::Target) {
            m_relation->target = identifier;
        } else if (holder == Tag::Object && owner == Tag::SpecHierarchy && m_node &&
                   m_specification) {
            QString place;
            for (const int step : std::as_const(m_place)) {
                if (!place.isEmpty())
                    place += QLatin1Char('.');
                place += QString::number(step);
            }
            m_node->object = identifier;
            m_node->paragraph = place;
            m_node->depth = int(m_place.size());
            m_node->specification = m_specification->identifier;
            m_content.hierarchy.append(*m_node);
        }
    }

    // A node's other attributes, shared with the node before when they are
    // the same (tools write the same ones on every node): each table of
    // them costs kilobytes, and a large document has a million nodes.
    QHash<QString, QString> nodeAttributes(QHash<QString, QString> attributes)
    {
        if (attributes.isEmpty())
            return {};
        if (attributes != m_nodeAttributes)
            m_nodeAttributes = std::move(attributes);
        return m_nodeAttributes;
    }

    // The identifier of an object read before, held once.
    QString objectIdentifier(const QString &text) const
    {
        const auto known = m_objectIdentifiers.constFind(text);
        return known != m_objectIdentifiers.cend() ? *known : text;
    }

    void undefined(const QString &identifier)
    {
        if (!m_undefined.contains(identifier)) {
            m_undefined.insert(identifier);
            m_content.undefinedReferences.append(identifier);
        }
    }

    // Enumeration values get their long names; what the file refers to but
    // does not define is noted once, and a definition it lacks is made up
    // from the values that use it, under its identifier.
    // The datatypes' and types' identifiers and the enumeration values'
    // names, once the file has given them.
    void lookUp()
    {
        if (m_lookedUp)
            return;
        m_lookedUp = true;
        for (const ReqIfContent::Datatype &datatype : std::as_const(m_content.datatypes)) {
            m_datatypes.insert(datatype.identifier);
            for (const ReqIfContent::EnumValue &value : datatype.values)
                m_enumNames.insert(value.identifier,
                                   value.longName.isEmpty() ? value.identifier : value.longName);
        }
        for (const ReqIfContent::SpecType &type : std::as_const(m_content.specTypes))
            m_types.insert(type.identifier);
    }

    // Datatypes the definitions refer to and the file lacks are listed first.
    void resolveDefinitions()
    {
        if (m_definitionsResolved)
            return;
        m_definitionsResolved = true;
        lookUp();
        for (const ReqIfContent::Definition &definition : std::as_const(m_content.definitions)) {
            if (!definition.datatype.isEmpty() && !m_datatypes.contains(definition.datatype))
                undefined(definition.datatype);
        }
    }

    void resolveValues(QList<ReqIfContent::Value> &values, const QString &type)
    {
        for (ReqIfContent::Value &value : values) {
            if (!m_content.definitions.contains(value.definition)) {
                undefined(value.definition);
                ReqIfContent::Definition made;
                made.identifier = value.definition;
                made.longName = value.definition;
                made.kind = value.kind;
                made.specType = type;
                made.defined = false;
                m_content.definitions.insert(made.identifier, made);
            }
            if (value.kind != QLatin1String("ENUMERATION"))
                continue;
            QStringList names;
            for (const QString &reference :
                 value.original.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const auto known = m_enumNames.constFind(reference);
                if (known == m_enumNames.cend())
                    undefined(reference);
                names.append(known == m_enumNames.cend() ? reference : *known);
            }
            value.text = names.join(QLatin1String(", "));
        }
    }

    void resolveObject(ReqIfContent::Object &object)
    {
        if (!object.type.isEmpty() && !m_types.contains(object.type))
            undefined(object.type);
        resolveValues(object.values, object.type);
    }

    // Enumeration values get their long names; what the file refers to but
    // does not define is noted once, and a definition it lacks is made up
    // from the values that use it, under its identifier. Objects spilled
    // were resolved as they were read.
    void resolve()
    {
        lookUp();
        if (!m_spill) {
            for (const ReqIfContent::Object &object : std::as_const(m_content.objects))
                m_objectIdentifiers.insert(object.identifier);
        }
        resolveDefinitions();
        for (ReqIfContent::Object &object : m_content.objects)
            resolveObject(object);
        const QSet<QString> &objects = m_objectIdentifiers;
        for (ReqIfContent::Relation &relation : m_content.relations) {
            if (!relation.type.isEmpty() && !m_types.contains(relation.type))
                undefined(relation.type);
            for (const QString *end : {&relation.source, &relation.target}) {
                if (!objects.contains(*end))
                    undefined(*end);
            }
            resolveValues(relation.values, relation.type);
        }
        for (ReqIfContent::Specification &specification : m_content.specifications) {
            if (!specification.type.isEmpty() && !m_types.contains(specification.type))
                undefined(specification.type);
            resolveValues(specification.values, specification.type);
        }
        for (const ReqIfContent::Node &node : std::as_const(m_content.hierarchy)) {
            if (!objects.contains(node.object))
                undefined(node.object);
        }
    }

    InputDevice m_device;
    ReqIfObjectSpill *m_spill = nullptr;
    Outcome m_spillFailure = Outcome::ok();
    bool m_definitionsResolved = false;
    bool m_lookedUp = false;
    QHash<QString, QString> m_nodeAttributes; // the last node's
    QSet<QString> m_datatypes;
    QSet<QString> m_types;
    QHash<QString, QString> m_enumNames;
    QSet<QString> m_objectIdentifiers; // of the objects spilled
    QXmlStreamReader m_xml;
    QString m_namespace;
    ReqIfContent m_content;
    QList<Tag> m_path; // the open elements
    QString m_elementText;
    bool m_sawRoot = false;
    ReqIfContent::Datatype *m_datatype = nullptr;
    ReqIfContent::SpecType *m_specType = nullptr;
    QString m_definition;
    std::optional<ReqIfContent::Object> m_object;
    std::optional<ReqIfContent::Value> m_value;
    std::optional<ReqIfContent::Relation> m_relation;
    std::optional<ReqIfContent::Specification> m_specification;
    std::optional<ReqIfContent::Node> m_node;
    QStringList m_enumRefs;
    SharedTexts m_shared;
    int m_xhtmlDepth = 0;
    qint64 m_valueStart = 0;
    Flattener m_flat;
    QList<int> m_siblings;
    QList<int> m_place;
    QSet<QString> m_undefined;
};

// An import reads UTF-8 only (and has checked that the bytes are): an
// encoding the XML declaration names is blanked out, which leaves UTF-8, the
// default, and every offset where it was.
QByteArray declaredAsUtf8(const QByteArray &bytes)
{
    const qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    if (bytes.mid(start, 5) != "<?xml")
        return bytes;
    const qsizetype end = bytes.indexOf("?>", start);
    if (end < 0)
        return bytes;
    static const QRegularExpression encoding(
        QStringLiteral("encoding\\s*=\\s*([\"'])([^\"']*)\\1"));
    const QRegularExpressionMatch found =
        encoding.match(QString::fromLatin1(bytes.mid(start, end - start)));
    if (!found.hasMatch() ||
        found.captured(2).compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0)
        return bytes;
    QByteArray blanked = bytes;
    blanked.replace(start + found.capturedStart(), found.capturedLength(),
                    QByteArray(found.capturedLength(), ' '));
    return blanked;
}

} // namespace

Result<ReqIfContent> ReqIfReader::read(const QByteArray &bytes)
{
    if (Outcome text = ExchangeInput::checkUtf8(bytes); !text)
        return text;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return Parse(buffer, nullptr).run();
}

Result<ReqIfContent> ReqIfReader::read(QIODevice &device)
{
    Result<std::unique_ptr<ReqIfObjectSpill>> spill = ReqIfObjectSpill::create();
    if (!spill)
        return spill.outcome();
    std::shared_ptr<ReqIfObjectSpill> kept(spill.takeValue());
    Result<ReqIfContent> content = Parse(device, kept.get()).run();
    if (content)
        content->spilledObjects = kept;
    return content;
}

} // namespace varn::interchange
