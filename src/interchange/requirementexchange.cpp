#include "interchange/requirementexchange.h"

#include "common/removedoninterruption.h"
#include "common/savedfile.h"

#include "common/commonmessages.h"

#include "interchange/interchangetr.h"

#include "common/controlcharacters.h"
#include "interchange/csvexchange.h"
#include "interchange/csvrecordreader.h"
#include "interchange/csvtable.h"
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
#include "store/requirementsetreader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

#include <algorithm>
#include <climits>

namespace varn::interchange {

namespace {

Outcome writeFailure(const QString &path, const QString &why)
{
    return SavedFile::failure(path, why);
}

// A ReqIF document, or every document of a .reqifz archive. An archive is
// known by its bytes, whatever the file is called. A document (an archive's
// only one too) is read a piece at a time, whatever its size, its objects
// kept apart in a temporary file.
Result<ReqIfArchive::Documents> readReqIfFile(const QString &path)
{
    Result<std::unique_ptr<QFile>> opened = ExchangeInput::open(path);
    if (!opened)
        return opened.outcome();
    QFile &file = *opened.value();
    if (ReqIfArchive::isArchive(file.peek(4))) {
        file.close();
        return ReqIfArchive::readFile(path);
    }
    Result<ReqIfContent> content = ReqIfReader::read(file);
    if (!content)
        return content.outcome();
    return ReqIfArchive::Documents{content.takeValue(), 0};
}

// The document, packed in an archive when the file's name asks for one: it
// is written into a temporary file beside the archive first (a folder that
// has room for the archive, where /tmp may be memory), which the archive
// takes its entry from as it is made.
Outcome writeReqIf(const ExchangeSet &set, const QString &path, QIODevice &file,
                   const RequirementExchange::Progress &progress)
{
    const QDateTime created = QDateTime::currentDateTimeUtc();
    if (!ReqIfArchive::namesArchive(path))
        return ReqIfWriter::write(set, file, created, progress);
    const QString folder = QFileInfo(path).absolutePath();
    QTemporaryFile document(folder + QStringLiteral("/.varn-export-XXXXXX.reqif"));
    const RemovedOnInterruption removed(
        [&document] { return document.open() ? document.fileName() : QString(); });
    if (!document.isOpen())
        return Outcome::stop(document.errorString());
    if (Outcome written = ReqIfWriter::write(set, document, created, progress); !written)
        return written;
    if (!document.flush())
        return Outcome::stop(document.errorString());
    document.close();
    return ZipArchive::writeInto(file, {ReqIfArchive::entry(path, document.fileName())}, folder);
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

Outcome writeHtml(const ExchangeSet &set, const RequirementExchange::Workspace &workspace,
                  QIODevice &file, const RequirementExchange::Progress &progress)
{
    const Result<QList<ReportClass>> classes = modelClasses(workspace.connectionName);
    if (!classes)
        return classes.outcome();
    RequirementTrace trace(workspace.connectionName, workspace.installPath, workspace.systemName);
    return HtmlReport::write(
        set, [&trace](qint32 number) { return trace.ofRequirement(number); }, classes.value(),
        QDateTime::currentDateTime(), file, progress);
}

Outcome writeCsv(const ExchangeSet &set, QIODevice &file,
                 const RequirementExchange::Progress &progress)
{
    file.write(CsvTable::record(CsvExchange::header()).toUtf8());
    int done = 0;
    const Outcome written = set.forEachRequirement([&](const ExchangedRequirement &requirement) {
        file.write(CsvExchange::record(requirement).toUtf8());
        ++done;
        if (progress && (done % 1000 == 0 || done == set.count))
            progress(done, set.count);
        return Outcome::ok();
    });
    if (written && progress && set.count == 0)
        progress(0, 0);
    return written;
}

Outcome writeXlsx(const ExchangeSet &set, const QString &path, QIODevice &file,
                  const RequirementExchange::Progress &progress)
{
    const XlsxWriter::Rows rows = [&set, &progress](const auto &visit) {
        if (Outcome header = visit(CsvExchange::header()); !header)
            return header;
        int done = 0;
        return set.forEachRequirement([&](const ExchangedRequirement &requirement) {
            if (progress && ++done % 1000 == 0)
                progress(done, set.count);
            return visit(CsvExchange::cells(requirement));
        });
    };
    return XlsxWriter::write(file, rows, CsvExchange::isNumeric, QStringLiteral("Requirements"),
                             QFileInfo(path).absolutePath());
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
    // Every read of the export sees the workspace as it was at its start.
    const store::RequirementSetReader::Snapshot snapshot(workspace.connectionName);
    Result<ExchangeSet> set =
        WorkspaceRequirements::read(workspace.connectionName, workspace.systemName, everyVersion);
    if (!set)
        return set.outcome();
    ExportSummary summary;
    summary.written = set->count;
    // The texts go out as a file can carry them, counted as they are read
    // (once: a format may read the requirements again).
    const auto read = std::move(set->forEachRequirement);
    bool counted = false;
    set->forEachRequirement = [&](const ExchangeSet::Visit &visit) {
        const Outcome done = read([&](const ExchangedRequirement &stored) {
            ExchangedRequirement requirement = stored;
            if (const int replaced = writableTexts(requirement); replaced > 0 && !counted) {
                summary.replacedIn.append(requirement.number);
                summary.replacedCharacters += replaced;
            }
            return visit(requirement);
        });
        counted = true;
        return done;
    };
    const Outcome written = SavedFile::write(path, [&](QIODevice &file) -> Outcome {
        switch (format) {
        case ExchangeFormat::ReqIf:
            if (Outcome written = writeReqIf(set.value(), path, file, progress); !written)
                return writeFailure(path, written.message());
            break;
        case ExchangeFormat::Csv:
            return writeCsv(set.value(), file, progress);
        case ExchangeFormat::Html:
            return writeHtml(set.value(), workspace, file, progress);
        case ExchangeFormat::Odt:
            if (Outcome written = OdtReport::write(set.value(), QDateTime::currentDateTime(), file,
                                                   QFileInfo(path).absolutePath());
                !written)
                return writeFailure(path, written.message());
            break;
        case ExchangeFormat::Xlsx:
            if (Outcome written = writeXlsx(set.value(), path, file, progress); !written)
                return writeFailure(path, written.message());
            break;
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
    if (format == ExchangeFormat::Xlsx)
        return importXlsx(records, systemName, path, dryRun, progress);
    if (format == ExchangeFormat::Csv)
        return importCsv(records, systemName, path, dryRun, progress);
    Result<ReqIfArchive::Documents> documents = readReqIfFile(path);
    if (!documents)
        return documents.outcome();
    // The file's requirements are made one at a time as they are stored.
    Result<ReqIfInterpreter::Streamed> streamed =
        ReqIfInterpreter::stream(std::move(documents->content), specification);
    if (!streamed)
        return streamed.outcome();
    if (documents->attachments > 0)
        streamed->batch.report.append(
            Tr::tr("The archive's %1 other file(s) (attachments) were not imported.")
                .arg(documents->attachments));
    RequirementImporter importer(records, systemName);
    importer.setDeleteMissing(deleteMissing);
    return importer.run(streamed->batch, streamed->next,
                        int(std::min<qsizetype>(streamed->total, INT_MAX)), dryRun, progress);
}

Result<QStringList> RequirementExchange::specificationsIn(const QString &path)
{
    const Result<ReqIfArchive::Documents> documents = readReqIfFile(path);
    if (!documents)
        return documents.outcome();
    return ReqIfInterpreter::specificationNames(documents->content);
}

} // namespace varn::interchange
