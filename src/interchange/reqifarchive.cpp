#include "interchange/reqifarchive.h"

#include "interchange/exchangeinput.h"
#include "interchange/interchangetr.h"
#include "interchange/reqifreader.h"

#include <QFileInfo>
#include <QSet>

namespace varn::interchange {

namespace {

const QLatin1StringView kDocumentSuffix{".reqif"};

bool isDocument(const ZipArchive::Entry &entry)
{
    return entry.name.endsWith(kDocumentSuffix, Qt::CaseInsensitive);
}

// Every identifier the content defines.
QSet<QString> definedIn(const ReqIfContent &content)
{
    QSet<QString> defined;
    for (const ReqIfContent::Datatype &datatype : content.datatypes)
        defined.insert(datatype.identifier);
    for (const ReqIfContent::SpecType &type : content.specTypes)
        defined.insert(type.identifier);
    for (auto definition = content.definitions.cbegin(); definition != content.definitions.cend();
         ++definition) {
        if (definition->defined)
            defined.insert(definition.key());
    }
    for (const ReqIfContent::Object &object : content.objects)
        defined.insert(object.identifier);
    for (const ReqIfContent::Specification &specification : content.specifications)
        defined.insert(specification.identifier);
    return defined;
}

// Adds a further document of the archive. Identifiers are unique across
// documents, so one document may use what another defines: a reference
// left undefined by one is no longer listed when another defines it.
void merge(ReqIfContent &into, ReqIfContent &&more)
{
    into.datatypes.append(std::move(more.datatypes));
    into.specTypes.append(std::move(more.specTypes));
    for (auto definition = more.definitions.cbegin(); definition != more.definitions.cend();
         ++definition) {
        const auto known = into.definitions.constFind(definition.key());
        if (known == into.definitions.cend() || (!known->defined && definition->defined))
            into.definitions.insert(definition.key(), definition.value());
    }
    into.objects.append(std::move(more.objects));
    into.relations.append(std::move(more.relations));
    into.specifications.append(std::move(more.specifications));
    into.hierarchy.append(std::move(more.hierarchy));
    const QStringList undefined = into.undefinedReferences + more.undefinedReferences;
    const QSet<QString> defined = definedIn(into);
    into.undefinedReferences.clear();
    QSet<QString> listed;
    for (const QString &identifier : undefined) {
        if (!defined.contains(identifier) && !listed.contains(identifier)) {
            listed.insert(identifier);
            into.undefinedReferences.append(identifier);
        }
    }
}

} // namespace

bool ReqIfArchive::isArchive(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArrayLiteral("PK\x03\x04")) ||
           bytes.startsWith(QByteArrayLiteral("PK\x05\x06"));
}

bool ReqIfArchive::namesArchive(const QString &path)
{
    return path.endsWith(QLatin1String(".reqifz"), Qt::CaseInsensitive);
}

Result<ReqIfArchive::Documents> ReqIfArchive::read(const ZipArchive &archive)
{
    Documents documents;
    bool first = true;
    for (const ZipArchive::Entry &entry : archive.entries()) {
        if (!isDocument(entry)) {
            ++documents.attachments;
            continue;
        }
        Result<ReqIfContent> content = ReqIfReader::read(entry.bytes);
        if (!content)
            return Outcome::refused(
                Tr::tr("%1 in the archive: %2").arg(entry.name, content.outcome().message()));
        if (first)
            documents.content = content.takeValue();
        else
            merge(documents.content, content.takeValue());
        first = false;
    }
    if (first)
        return ExchangeInput::refusal(Tr::tr("The archive holds no ReqIF document (.reqif)."));
    return documents;
}

ZipArchive::Entry ReqIfArchive::entry(const QString &path, const QString &document)
{
    return {QFileInfo(path).completeBaseName() + kDocumentSuffix, {}, document};
}

} // namespace varn::interchange
