#include "interchange/reqifreader.h"

#include "interchange/interchangetr.h"

#include "interchange/exchangeinput.h"
#include "interchange/reqifvocabulary.h"

#include <QSet>
#include <QStack>
#include <QXmlStreamReader>

namespace varn::interchange {

namespace {

const QLatin1StringView kValuePrefix{"ATTRIBUTE-VALUE-"};
const QLatin1StringView kDefinitionPrefix{"ATTRIBUTE-DEFINITION-"};

// XHTML elements that end a line of text: their words are kept apart.
bool breaksText(QStringView name)
{
    static const QSet<QString> blocks = {
        QStringLiteral("p"),  QStringLiteral("div"), QStringLiteral("br"), QStringLiteral("li"),
        QStringLiteral("ul"), QStringLiteral("ol"),  QStringLiteral("h1"), QStringLiteral("h2"),
        QStringLiteral("h3"), QStringLiteral("td"),  QStringLiteral("tr"), QStringLiteral("table")};
    return blocks.contains(name.toString());
}

class Parse
{
public:
    explicit Parse(const QByteArray &bytes) : m_xml(bytes) {}

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
                    m_text += m_xml.text();
                break;
            default:
                break;
            }
        }
        if (m_xml.hasError())
            return ExchangeInput::refusal(
                Tr::tr("The file is not well-formed XML (line %1, column %2: %3).")
                    .arg(m_xml.lineNumber())
                    .arg(m_xml.columnNumber())
                    .arg(m_xml.errorString()));
        if (!m_sawRoot)
            return ExchangeInput::refusal(Tr::tr("The file holds no REQ-IF document."));
        if (Outcome complete = checkReferences(); !complete)
            return complete;
        return m_content;
    }

private:
    Outcome startElement()
    {
        const QStringView name = m_xml.name();
        if (!m_sawRoot) {
            m_sawRoot = true;
            if (m_xml.namespaceUri() != ReqIf::kNamespace || name != QLatin1String("REQ-IF"))
                return ExchangeInput::refusal(
                    Tr::tr("The file is not a ReqIF 1.2 document: its root element is "
                           "\"%1\" in the namespace \"%2\".")
                        .arg(name.toString(), m_xml.namespaceUri().toString()));
        }
        if (m_xhtmlDepth > 0) {
            ++m_xhtmlDepth;
            if (breaksText(name))
                m_text += QLatin1Char(' ');
            m_path.push(name.toString());
            return Outcome::ok();
        }
        const QString parent = m_path.isEmpty() ? QString() : m_path.top();
        if (name.endsWith(QLatin1String("-REF"))) {
            takeReference(parent, m_xml.readElementText());
            return Outcome::ok();
        }
        if (name == QLatin1String("SOURCE-TOOL-ID")) {
            m_content.sourceToolId = m_xml.readElementText();
            return Outcome::ok();
        }
        const QXmlStreamAttributes attributes = m_xml.attributes();
        if (name.startsWith(kDefinitionPrefix) && parent == QLatin1String("SPEC-ATTRIBUTES")) {
            ReqIfContent::Definition definition;
            definition.identifier = attributes.value(QLatin1String("IDENTIFIER")).toString();
            definition.longName = attributes.value(QLatin1String("LONG-NAME")).toString();
            definition.kind = name.mid(kDefinitionPrefix.size()).toString();
            m_content.definitions.insert(definition.identifier, definition);
        } else if (name == QLatin1String("SPEC-OBJECT")) {
            m_object = ReqIfContent::Object{};
            m_object->identifier = attributes.value(QLatin1String("IDENTIFIER")).toString();
        } else if (name.startsWith(kValuePrefix) && m_object) {
            m_value = ReqIfContent::Value{};
            m_value->kind = name.mid(kValuePrefix.size()).toString();
            m_value->text = attributes.value(QLatin1String("THE-VALUE")).toString();
        } else if (name == QLatin1String("THE-VALUE") && m_value) {
            m_xhtmlDepth = 1;
            m_text.clear();
        } else if (name == QLatin1String("SPEC-RELATION")) {
            m_relation = ReqIfContent::Relation{};
            m_relation->identifier = attributes.value(QLatin1String("IDENTIFIER")).toString();
        } else if (name == QLatin1String("SPEC-HIERARCHY")) {
            m_place.append(m_siblings.isEmpty() ? 1 : ++m_siblings.top());
            m_siblings.push(0);
        } else if (name == QLatin1String("SPECIFICATION")) {
            m_siblings.clear();
            m_siblings.push(0);
            m_place.clear();
        }
        m_path.push(name.toString());
        return Outcome::ok();
    }

    void endElement()
    {
        if (m_path.isEmpty())
            return;
        const QString name = m_path.pop();
        if (m_xhtmlDepth > 0) {
            if (--m_xhtmlDepth == 0 && m_value)
                m_value->text = m_text.simplified();
            else if (breaksText(name))
                m_text += QLatin1Char(' ');
            return;
        }
        if (name.startsWith(kValuePrefix) && m_value && m_object) {
            m_object->values.append(*m_value);
            m_value.reset();
        } else if (name == QLatin1String("SPEC-OBJECT") && m_object) {
            m_content.objects.append(*m_object);
            m_object.reset();
        } else if (name == QLatin1String("SPEC-RELATION") && m_relation) {
            m_content.relations.append(*m_relation);
            m_relation.reset();
        } else if (name == QLatin1String("SPEC-HIERARCHY")) {
            if (!m_siblings.isEmpty())
                m_siblings.pop();
            if (!m_place.isEmpty())
                m_place.removeLast();
        }
    }

    void takeReference(const QString &holder, const QString &identifier)
    {
        const QString owner = m_path.size() >= 2 ? m_path[m_path.size() - 2] : QString();
        if (holder == QLatin1String("DEFINITION") && m_value) {
            m_value->definition = identifier;
        } else if (m_relation && holder == QLatin1String("SOURCE")) {
            m_relation->source = identifier;
        } else if (m_relation && holder == QLatin1String("TARGET")) {
            m_relation->target = identifier;
        } else if (holder == QLatin1String("OBJECT") && owner == QLatin1String("SPEC-HIERARCHY")) {
            QStringList place;
            for (const int step : std::as_const(m_place))
                place.append(QString::number(step));
            ReqIfContent::Node node;
            node.object = identifier;
            node.paragraph = place.join(QLatin1Char('.'));
            node.depth = int(m_place.size());
            m_content.hierarchy.append(node);
        }
    }

    Outcome checkReferences() const
    {
        QSet<QString> objects;
        for (const ReqIfContent::Object &object : m_content.objects)
            objects.insert(object.identifier);
        for (const ReqIfContent::Object &object : m_content.objects) {
            for (const ReqIfContent::Value &value : object.values) {
                if (!m_content.definitions.contains(value.definition))
                    return undefined(value.definition);
            }
        }
        for (const ReqIfContent::Relation &relation : m_content.relations) {
            if (!objects.contains(relation.source))
                return undefined(relation.source);
            if (!objects.contains(relation.target))
                return undefined(relation.target);
        }
        for (const ReqIfContent::Node &node : m_content.hierarchy) {
            if (!objects.contains(node.object))
                return undefined(node.object);
        }
        return Outcome::ok();
    }

    static Outcome undefined(const QString &identifier)
    {
        return ExchangeInput::refusal(
            Tr::tr("The file refers to \"%1\", which it does not define.").arg(identifier));
    }

    QXmlStreamReader m_xml;
    ReqIfContent m_content;
    QStack<QString> m_path;
    bool m_sawRoot = false;
    std::optional<ReqIfContent::Object> m_object;
    std::optional<ReqIfContent::Value> m_value;
    std::optional<ReqIfContent::Relation> m_relation;
    int m_xhtmlDepth = 0;
    QString m_text;
    QStack<int> m_siblings;
    QList<int> m_place;
};

} // namespace

Result<ReqIfContent> ReqIfReader::read(const QByteArray &bytes)
{
    if (Outcome text = ExchangeInput::checkUtf8(bytes); !text)
        return text;
    return Parse(bytes).run();
}

} // namespace varn::interchange
