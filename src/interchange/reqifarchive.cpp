#include "interchange/reqifarchive.h"

#include "interchange/exchangeinput.h"
#include "interchange/interchangetr.h"
#include "interchange/reqifreader.h"
#include "interchange/spreadsheetarchive.h"

#include <QFileInfo>
#include <QIODevice>
#include <QSet>

#include <cstring>

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

// An archive's entry as a device the reader reads, a piece at a time as
// the archive expands it; what refused a piece is kept.
class EntryDevice : public QIODevice
{
public:
    explicit EntryDevice(SpreadsheetArchive::Pieces pieces) : m_pieces(std::move(pieces))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    const Outcome &failure() const { return m_failure; }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (m_at == m_piece.size()) {
            if (!m_failure)
                return -1;
            if (m_ended)
                return 0;
            Result<QByteArray> next = m_pieces();
            if (!next) {
                m_failure = next.outcome();
                setErrorString(m_failure.message());
                return -1;
            }
            m_piece = next.takeValue();
            m_at = 0;
            if (m_piece.isEmpty()) {
                m_ended = true;
                return 0;
            }
        }
        const qint64 n = qMin<qint64>(size, m_piece.size() - m_at);
        std::memcpy(data, m_piece.constData() + m_at, size_t(n));
        m_at += qsizetype(n);
        return n;
    }

    qint64 writeData(const char *, qint64) override { return -1; }

private:
    SpreadsheetArchive::Pieces m_pieces;
    QByteArray m_piece;
    qsizetype m_at = 0;
    bool m_ended = false;
    Outcome m_failure = Outcome::ok();
};

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

Result<ReqIfArchive::Documents> ReqIfArchive::readFile(const QString &path)
{
    const Result<std::unique_ptr<SpreadsheetArchive>> archive = SpreadsheetArchive::open(path);
    if (!archive)
        return archive.outcome();
    const QStringList names = archive.value()->names();
    QStringList documents;
    for (const QString &name : names) {
        if (name.endsWith(kDocumentSuffix, Qt::CaseInsensitive))
            documents.append(name);
    }
    if (documents.size() != 1) {
        const Result<QByteArray> bytes = ExchangeInput::readBytes(path);
        if (!bytes)
            return bytes.outcome();
        const Result<ZipArchive> whole = ZipArchive::fromBytes(bytes.value());
        if (!whole)
            return whole.outcome();
        return read(whole.value());
    }
    Result<SpreadsheetArchive::Pieces> pieces = archive.value()->stream(documents.first());
    if (!pieces)
        return pieces.outcome();
    EntryDevice device(pieces.takeValue());
    Result<ReqIfContent> content = ReqIfReader::read(device);
    if (!device.failure())
        return device.failure();
    if (!content)
        return Outcome::refused(
            Tr::tr("%1 in the archive: %2").arg(documents.first(), content.outcome().message()));
    return Documents{content.takeValue(), int(names.size() - 1)};
}

ZipArchive::Entry ReqIfArchive::entry(const QString &path, const QString &document)
{
    return {QFileInfo(path).completeBaseName() + kDocumentSuffix, {}, document};
}

} // namespace varn::interchange
