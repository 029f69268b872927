#include "interchange/requirementexchange.h"

#include "common/savedfile.h"

#include "common/commonmessages.h"

#include "interchange/interchangetr.h"

#include "common/controlcharacters.h"
#include "interchange/csvexchange.h"
#include "interchange/csvrecordreader.h"
#include "interchange/exchangeinput.h"
#include "interchange/htmlreport.h"
#include "interchange/odtreport.h"
#include "interchange/reqifarchive.h"
#include "interchange/reqifinterpreter.h"
#include "interchange/reqifreader.h"
#include "interchange/reqifwriter.h"
#include "interchange/workspacerequirements.h"
#include "interchange/xlsxreader.h"
#include "interchange/xlsxwriter.h"
#include "interchange/ziparchive.h"
#include "objmodel/objectmodelreader.h"

#include <QBuffer>
#include <QFile>
#include <QHash>

namespace varn::interchange {

namespace {

Outcome writeFailure(const QString &path, const QString &why)
{
    return SavedFile::failure(path, why);
}

// A ReqIF document, or every document of a .reqifz archive, read whole. An
// archive is known by its bytes, whatever the file is called.
Result<ReqIfArchive::Documents> readReqIfFile(const QString &path)
{
    const Result<QByteArray> bytes = ExchangeInput::readBytes(path);
    if (!bytes)
        return bytes.outcome();
    if (ReqIfArchive::isArchive(bytes.value())) {
        const Result<ZipArchive> archive = ZipArchive::fromBytes(bytes.value());
        if (!archive)
            return archive.outcome();
        return ReqIfArchive::read(archive.value());
    }
    Result<ReqIfContent> content = ReqIfReader::read(bytes.value());
    if (!content)
        return content.outcome();
    return ReqIfArchive::Documents{content.takeValue(), 0};
}

// The document, packed in an archive when the file's name asks for one.
Outcome writeReqIf(const ExchangeSet &set, const QString &path, QIODevice &file,
                   const RequirementExchange::Progress &progress)
{
    const QDateTime created = QDateTime::currentDateTimeUtc();
    if (!ReqIfArchive::namesArchive(path))
        return ReqIfWriter::write(set, file, created, progress);
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    if (Outcome written = ReqIfWriter::write(set, document, created, progress); !written)
        return written;
    const Result<QByteArray> archive = ReqIfArchive::pack(path, document.data());
    if (!archive)
        return archive.outcome();
    if (file.write(archive.value()) != archive->size())
        return Outcome::stop(file.errorString());
    return Outcome::ok();
}

Outcome checkNotOwnFile(const QString &path, const QStringList &ownFiles)
{
    for (const QString &own : ownFiles) {
        if (SavedFile::sameFile(path, own))
            return Outcome::warning(
                Tr::tr("%1 is the open workspace's own file %2; an export never overwrites it. "
                       "Choose another file.")
                    .arg(path, own));
    }
    return Outcome::ok();
}

Result<QList<ReportClass>> modelClasses(const QString &connectionName)
{
    using objmodel::ModelTable;
    using objmodel::ObjectModel;
    const QString failed = CommonTr::tr(CommonMessages::kQueryFailed);
    objmodel::ObjectModelReader reader(connectionName);
    const Result<QList<ObjectModel::Entity>> entities =
        reader.entities(objmodel::ObjectModelReader::Order::Name);
    if (!entities)
        return Outcome::stop(failed);
    const Result<ObjectModel> model = reader.readModel({ModelTable::Attribute, ModelTable::Method});
    if (!model)
        return Outcome::stop(failed);
    QList<ReportClass> classes;
    QHash<qint32, qsizetype> index;
    for (const ObjectModel::Entity &entity : entities.value()) {
        index.insert(entity.id, classes.size());
        classes.append({entity.name, {}, {}});
    }
    for (const ObjectModel::Attribute &attribute : model->attributes()) {
        if (const auto at = index.constFind(attribute.entityId); at != index.cend())
            classes[*at].attributes.append(
                QStringLiteral("%1 : %2").arg(attribute.name, attribute.dataType));
    }
    for (const ObjectModel::Method &method : model->methods()) {
        if (const auto at = index.constFind(method.entityId); at != index.cend())
            classes[*at].methods.append(method.name + QStringLiteral("()"));
    }
    return classes;
}

Result<QByteArray> htmlBytes(const ExchangeSet &set,
                             const RequirementExchange::Workspace &workspace,
                             const RequirementExchange::Progress &progress)
{
    RequirementTrace trace(workspace.connectionName, workspace.installPath, workspace.systemName);
    QList<TracedRequirement> traces;
    const int total = int(set.requirements.size());
    for (int i = 0; i < total; ++i) {
        Result<TracedRequirement> traced = trace.ofRequirement(set.requirements[i].number);
        if (!traced)
            return traced.outcome();
        traces.append(traced.takeValue());
        if (progress && (i % 100 == 99 || i + 1 == total))
            progress(i + 1, total);
    }
    const Result<QList<ReportClass>> classes = modelClasses(workspace.connectionName);
    if (!classes)
        return classes.outcome();
    return HtmlReport::page(set, traces, classes.value(), QDateTime::currentDateTime()).toUtf8();
}

// The texts of a requirement as a file can carry them; the number of
// characters changed. The stored fields are written as JSON, which escapes
// control characters itself, so a round trip keeps them.
int writableTexts(ExchangedRequirement &requirement)
{
    int replaced = 0;
    for (QString *text : {&requirement.category, &requirement.paragraph, &requirement.preamble,
                          &requirement.text, &requirement.dateSaved, &requirement.comments})
        replaced += ControlCharacters::makeVisible(*text);
    return replaced;
}

} // namespace

std::optional<ExchangeFormat> RequirementExchange::formatNamed(const QString &name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("reqif"))
        return ExchangeFormat::ReqIf;
    if (lower == QLatin1String("csv"))
        return ExchangeFormat::Csv;
    if (lower == QLatin1String("html"))
        return ExchangeFormat::Html;
    if (lower == QLatin1String("odt"))
        return ExchangeFormat::Odt;
    if (lower == QLatin1String("xlsx"))
        return ExchangeFormat::Xlsx;
    return std::nullopt;
}

Result<RequirementExchange::ExportSummary>
RequirementExchange::exportTo(ExchangeFormat format, const Workspace &workspace,
                              const QString &path, bool everyVersion, const Progress &progress)
{
    if (Outcome target = checkNotOwnFile(path, workspace.ownFiles); !target)
        return target;
    Result<ExchangeSet> set =
        WorkspaceRequirements::read(workspace.connectionName, workspace.systemName, everyVersion);
    if (!set)
        return set.outcome();
    ExportSummary summary;
    summary.written = int(set->requirements.size());
    for (ExchangedRequirement &requirement : set->requirements) {
        if (const int replaced = writableTexts(requirement); replaced > 0) {
            summary.replacedIn.append(requirement.number);
            summary.replacedCharacters += replaced;
        }
    }
    const Outcome written = SavedFile::write(path, [&](QIODevice &file) -> Outcome {
        switch (format) {
        case ExchangeFormat::ReqIf:
            if (Outcome written = writeReqIf(set.value(), path, file, progress); !written)
                return writeFailure(path, written.message());
            break;
        case ExchangeFormat::Csv:
            file.write(CsvExchange::text(set.value()).toUtf8());
            if (progress)
                progress(int(set->requirements.size()), int(set->requirements.size()));
            break;
        case ExchangeFormat::Html: {
            const Result<QByteArray> html = htmlBytes(set.value(), workspace, progress);
            if (!html)
                return html.outcome();
            file.write(html.value());
            break;
        }
        case ExchangeFormat::Odt: {
            const Result<QByteArray> odt =
                OdtReport::document(set.value(), QDateTime::currentDateTime());
            if (!odt)
                return odt.outcome();
            file.write(odt.value());
            break;
        }
        case ExchangeFormat::Xlsx: {
            const Result<QByteArray> xlsx = ZipArchive::bytes(XlsxWriter::entries(
                QList<QStringList>{CsvExchange::header()} + CsvExchange::records(set.value()),
                CsvExchange::isNumeric, QStringLiteral("Requirements")));
            if (!xlsx)
                return xlsx.outcome();
            file.write(xlsx.value());
            break;
        }
        }
        if (progress && (format == ExchangeFormat::Odt || format == ExchangeFormat::Xlsx))
            progress(summary.written, summary.written);
        return Outcome::ok();
    });
    if (!written)
        return written;
    return summary;
}

QString RequirementExchange::ExportSummary::replacementNotice() const
{
    if (replacedCharacters == 0)
        return {};
    constexpr qsizetype kNamed = 10;
    QStringList numbers;
    for (const qint32 number : replacedIn.first(qMin(kNamed, replacedIn.size())))
        numbers.append(QString::number(number));
    if (replacedIn.size() > kNamed)
        numbers.append(QStringLiteral("..."));
    return Tr::tr("%1 control character(s) of requirement(s) %2 written as visible "
                  "characters")
        .arg(replacedCharacters)
        .arg(numbers.join(QStringLiteral(", ")));
}

namespace {

// A CSV file's records are read and stored one at a time (the file's bytes,
// checked to be UTF-8 text first, are all that is held), in one transaction
// that a wrong record rolls back whole.
Result<ImportSummary> importCsv(store::RecordObjects &records, const QString &systemName,
                                const QString &path, bool dryRun,
                                const RequirementExchange::Progress &progress)
{
    Result<QByteArray> bytes = ExchangeInput::read(path);
    if (!bytes)
        return bytes.outcome();
    QBuffer file(&bytes.value());
    file.open(QIODevice::ReadOnly);
    CsvRecordReader reader(file);
    const Result<std::optional<QStringList>> header = reader.next();
    if (!header)
        return ExchangeInput::refusal(header.outcome().message());
    if (Outcome named = CsvExchange::checkHeader(header->value_or(QStringList())); !named)
        return named;
    // What the progress counts to: the lines after the header (a line break
    // inside a quoted field makes it count one more than there are records).
    const int total = int(bytes->count('\n')) - (bytes->endsWith('\n') ? 1 : 0);
    qsizetype index = 0;
    const RequirementImporter::NextItem next = [&]() -> Result<std::optional<ImportBatch::Item>> {
        for (;;) {
            Result<std::optional<QStringList>> record = reader.next();
            if (!record)
                return ExchangeInput::refusal(record.outcome().message());
            if (!record->has_value())
                return std::optional<ImportBatch::Item>();
            QStringList cells = *record.takeValue();
            for (QString &cell : cells)
                cell = CsvExchange::unguarded(cell);
            Result<std::optional<ImportBatch::Item>> item = CsvExchange::itemOf(cells, ++index);
            if (!item || item->has_value())
                return item;
        }
    };
    return RequirementImporter(records, systemName).run(next, std::max(total, 0), dryRun, progress);
}

} // namespace

Result<ImportSummary>
RequirementExchange::importFrom(ExchangeFormat format, store::RecordObjects &records,
                                const QString &systemName, const QString &path, bool dryRun,
                                const Progress &progress, const QString &specification,
                                bool deleteMissing)
{
    if (!canImport(format))
        return Outcome::warning(format == ExchangeFormat::Odt
                                    ? Tr::tr("An OpenDocument text cannot be imported.")
                                    : Tr::tr("An HTML report cannot be imported."));
    Result<ImportBatch> batch = Outcome::ok();
    if (format == ExchangeFormat::Xlsx) {
        const Result<ZipArchive> archive = ZipArchive::read(path);
        if (!archive)
            return archive.outcome();
        const Result<QList<QStringList>> rows = XlsxReader::rows(archive.value());
        if (!rows)
            return rows.outcome();
        batch = CsvExchange::batch(rows.value());
        if (!batch)
            return batch.outcome();
        return RequirementImporter(records, systemName).run(batch.value(), dryRun, progress);
    }
    if (format == ExchangeFormat::Csv)
        return importCsv(records, systemName, path, dryRun, progress);
    Result<ReqIfArchive::Documents> documents = readReqIfFile(path);
    if (!documents)
        return documents.outcome();
    batch = ReqIfInterpreter::interpret(std::move(documents->content), specification);
    if (batch && documents->attachments > 0)
        batch->report.append(
            Tr::tr("The archive's %1 other file(s) (attachments) were not imported.")
                .arg(documents->attachments));
    if (!batch)
        return batch.outcome();
    RequirementImporter importer(records, systemName);
    importer.setDeleteMissing(deleteMissing);
    return importer.run(batch.value(), dryRun, progress);
}

Result<QStringList> RequirementExchange::specificationsIn(const QString &path)
{
    const Result<ReqIfArchive::Documents> documents = readReqIfFile(path);
    if (!documents)
        return documents.outcome();
    return ReqIfInterpreter::specificationNames(documents->content);
}

} // namespace varn::interchange
