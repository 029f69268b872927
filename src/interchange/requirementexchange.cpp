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
#include "interchange/spreadsheetarchive.h"
#include "interchange/workspacerequirements.h"
#include "interchange/xlsxreader.h"
#include "interchange/xlsxwriter.h"
#include "interchange/ziparchive.h"
#include "objmodel/objectmodelreader.h"

#include <QBuffer>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <climits>

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

// The line feeds of the file, read a block at a time from where it stands
// to its end; the file is left where it was.
Result<qint64> lineFeeds(QIODevice &file)
{
    const qint64 from = file.pos();
    qint64 count = 0;
    bool last = false; // the last byte read was a line feed
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(block.data(), block.size());
        if (n < 0)
            return Outcome::stop(file.errorString());
        if (n == 0)
            break;
        const QByteArrayView read(block.constData(), n);
        count += read.count('\n');
        last = read.back() == '\n';
    }
    if (!file.seek(from))
        return Outcome::stop(file.errorString());
    return count - (last ? 1 : 0);
}

// A CSV file's records are read a block at a time and stored one at a time
// (one record and one block of the file are all that is held), in one
// transaction that a wrong record, or bytes that are not UTF-8 text, roll
// back whole.
Result<ImportSummary> importCsv(store::RecordObjects &records, const QString &systemName,
                                const QString &path, bool dryRun,
                                const RequirementExchange::Progress &progress)
{
    Result<std::unique_ptr<QFile>> opened = ExchangeInput::open(path);
    if (!opened)
        return opened.outcome();
    QFile &file = *opened.value();
    // What the progress counts to: the lines after the header (a line break
    // inside a quoted field makes it count one more than there are records).
    const Result<qint64> total = lineFeeds(file);
    if (!total)
        return ExchangeInput::refusal(total.outcome().message());
    CsvRecordReader reader(file);
    const Result<std::optional<QStringList>> header = reader.next();
    if (!header)
        return ExchangeInput::refusal(header.outcome().message());
    if (Outcome named = CsvExchange::checkHeader(header->value_or(QStringList())); !named)
        return named;
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
    return RequirementImporter(records, systemName)
        .run(next, int(std::clamp<qint64>(total.value(), 0, INT_MAX)), dryRun, progress);
}

// A workbook's first sheet read a row at a time as it comes out of the
// archive, each row stored as it is read, as a CSV file's records are.
Result<ImportSummary> importXlsx(store::RecordObjects &records, const QString &systemName,
                                 const QString &path, bool dryRun,
                                 const RequirementExchange::Progress &progress)
{
    const Result<std::unique_ptr<SpreadsheetArchive>> archive = SpreadsheetArchive::open(path);
    if (!archive)
        return archive.outcome();
    Result<std::unique_ptr<XlsxReader>> opened = XlsxReader::open(*archive.value());
    if (!opened)
        return opened.outcome();
    XlsxReader &reader = *opened.value();
    const Result<std::optional<QStringList>> header = reader.next();
    if (!header)
        return header.outcome();
    if (Outcome named = CsvExchange::checkHeader(header->value_or(QStringList())); !named)
        return named;
    qsizetype index = 0;
    const RequirementImporter::NextItem next = [&]() -> Result<std::optional<ImportBatch::Item>> {
        for (;;) {
            Result<std::optional<QStringList>> row = reader.next();
            if (!row)
                return row.outcome();
            if (!row->has_value())
                return std::optional<ImportBatch::Item>();
            // A sheet's cells are taken as they are.
            Result<std::optional<ImportBatch::Item>> item =
                CsvExchange::itemOf(*row.value(), ++index);
            if (!item || item->has_value())
                return item;
        }
    };
    const qsizetype total = std::max<qsizetype>(reader.declaredRows() - 1, 0);
    return RequirementImporter(records, systemName)
        .run(next, int(std::min<qsizetype>(total, INT_MAX)), dryRun, progress);
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
    if (format == ExchangeFormat::Xlsx)
        return importXlsx(records, systemName, path, dryRun, progress);
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
