#include "interchange/ziparchive.h"

#include "common/removedoninterruption.h"
#include "interchange/interchangetr.h"

#include "interchange/exchangeinput.h"
#include "interchange/zipentries.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <zip.h>

#include <memory>
#include <optional>

namespace varn::interchange {

namespace {

using ZipEntries::expandsTooFar;
using ZipEntries::notAnArchive;

struct ArchiveCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
using EntryFile = std::unique_ptr<zip_file_t, EntryCloser>;

struct SourceFreer
{
    void operator()(zip_source_t *source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFreer>;

QString errorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

// Adds the entries to the open archive and closes it, which reads their
// bytes or files: `entries` must outlive the call. The mimetype entry is
// stored uncompressed, as the office formats require. The reason when it
// could not be done (the archive discarded), else nothing.
std::optional<QString> addAndClose(zip_t *archive, const QList<ZipArchive::Entry> &entries)
{
    auto discard = [archive] {
        const QString why = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
        return why;
    };
    for (const ZipArchive::Entry &entry : entries) {
        zip_source_t *data =
            entry.file.isEmpty()
                ? zip_source_buffer(archive, entry.bytes.constData(),
                                    zip_uint64_t(entry.bytes.size()), 0)
                : zip_source_file(archive, QFile::encodeName(entry.file).constData(), 0, -1);
        const QByteArray name = entry.name.toUtf8();
        const zip_int64_t index =
            data ? zip_file_add(archive, name.constData(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            return discard();
        }
        zip_set_file_compression(
            archive, zip_uint64_t(index),
            entry.name == QLatin1String("mimetype") ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(archive) != 0)
        return discard();
    return std::nullopt;
}

} // namespace

bool ZipArchive::staysInside(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        (name.size() >= 2 && name[1] == QLatin1Char(':')))
        return false;
    for (const QStringView segment : QStringView(name).split(QLatin1Char('/'))) {
        if (segment == QLatin1String(".."))
            return false;
    }
    return true;
}

ZipArchive::Limits ZipArchive::defaultLimits()
{
    return {ExchangeInput::kMostArchiveEntries, ExchangeInput::kLargestExpanded};
}

Result<ZipArchive> ZipArchive::read(const QString &path)
{
    const Result<QByteArray> bytes = ExchangeInput::readBytes(path);
    if (!bytes)
        return bytes.outcome();
    return fromBytes(bytes.value());
}

Result<ZipArchive> ZipArchive::fromBytes(const QByteArray &bytes, const Limits &limits)
{
    zip_error_t error;
    zip_error_init(&error);
    Source source(
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error));
    if (!source) {
        const QString why = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        return notAnArchive(why);
    }
    Archive archive(zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) {
        const QString why = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        return notAnArchive(why);
    }
    zip_error_fini(&error);
    source.release(); // the archive owns it now

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0)
        return notAnArchive(Tr::tr("its directory cannot be read"));
    if (count > limits.mostEntries)
        return ExchangeInput::refusal(
            Tr::tr("The archive holds %1 entries; an import reads at most %2.")
                .arg(count)
                .arg(limits.mostEntries));

    // The names, flags and declared sizes first: nothing is expanded from an
    // archive that would be refused anyway.
    struct Listed
    {
        zip_uint64_t index;
        QString name;
    };
    QList<Listed> listed;
    qint64 declared = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const Result<zip_stat_t> checked = ZipEntries::checked(archive.get(), i);
        if (!checked)
            return checked.outcome();
        const zip_stat_t &stat = checked.value();
        const QString name = QString::fromUtf8(stat.name);
        if (name.endsWith(QLatin1Char('/')))
            continue; // a folder
        if (stat.valid & ZIP_STAT_SIZE) {
            if (stat.size > zip_uint64_t(limits.largestExpanded - declared))
                return expandsTooFar(limits.largestExpanded);
            declared += qint64(stat.size);
        }
        listed.append({zip_uint64_t(i), name});
    }

    // Then the bytes, counted as they come: a declared size may be a lie.
    ZipArchive result;
    qint64 expanded = 0;
    constexpr qint64 kChunk = 64 * 1024;
    for (const Listed &item : listed) {
        EntryFile file(zip_fopen_index(archive.get(), item.index, 0));
        if (!file)
            return notAnArchive(
                Tr::tr("entry \"%1\" cannot be opened: %2")
                    .arg(item.name, QString::fromLocal8Bit(zip_strerror(archive.get()))));
        Entry entry{item.name, {}};
        for (;;) {
            const qint64 room = limits.largestExpanded - expanded;
            // One byte past the limit tells an entry that goes beyond it.
            const qint64 want = qMin(kChunk, room + 1);
            const qsizetype at = entry.bytes.size();
            entry.bytes.resize(at + want);
            const zip_int64_t n =
                zip_fread(file.get(), entry.bytes.data() + at, zip_uint64_t(want));
            if (n < 0)
                return notAnArchive(
                    Tr::tr("entry \"%1\" is damaged: %2")
                        .arg(item.name, QString::fromLocal8Bit(zip_file_strerror(file.get()))));
            entry.bytes.truncate(at + n);
            expanded += n;
            if (expanded > limits.largestExpanded)
                return expandsTooFar(limits.largestExpanded);
            if (n == 0)
                break;
        }
        result.m_entries.append(std::move(entry));
    }
    return result;
}

const ZipArchive::Entry *ZipArchive::entry(const QString &name) const
{
    for (const Entry &entry : m_entries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

Result<QByteArray> ZipArchive::bytes(const QList<Entry> &entries)
{
    auto failure = [](const QString &why) {
        return Outcome::stop(Tr::tr("The archive could not be made: %1").arg(why));
    };
    zip_error_t error;
    zip_error_init(&error);
    Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) {
        const QString why = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        return failure(why);
    }
    zip_t *archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (!archive) {
        const QString why = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        return failure(why);
    }
    zip_error_fini(&error);
    // The archive closes into the buffer, which must outlive it.
    zip_source_keep(buffer.get());
    if (const std::optional<QString> why = addAndClose(archive, entries))
        return failure(*why);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer.get(), &stat) != 0 || zip_source_open(buffer.get()) != 0)
        return failure(errorText(ZIP_ER_READ));
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t n = zip_source_read(buffer.get(), bytes.data(), stat.size);
    zip_source_close(buffer.get());
    if (n != zip_int64_t(stat.size))
        return failure(errorText(ZIP_ER_READ));
    return bytes;
}

Outcome ZipArchive::writeInto(QIODevice &device, const QList<Entry> &entries, const QString &folder)
{
    auto failure = [](const QString &why) {
        return Outcome::stop(Tr::tr("The archive could not be made: %1").arg(why));
    };
    // The archive is packed in a folder of its own, which takes the file
    // the zip library writes on the side before it puts the archive in place.
    std::optional<QTemporaryDir> packing;
    const RemovedOnInterruption removed([&] {
        packing.emplace(folder + QStringLiteral("/.varn-archive-XXXXXX"));
        return packing->isValid() ? packing->path() : QString();
    });
    if (!packing->isValid())
        return failure(packing->errorString());
    const QString made = packing->filePath(QStringLiteral("archive.zip"));
    int code = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(made).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return failure(errorText(code));
    if (const std::optional<QString> why = addAndClose(archive, entries))
        return failure(*why);
    QFile packed(made);
    if (!packed.open(QIODevice::ReadOnly))
        return failure(packed.errorString());
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = packed.read(block.data(), block.size());
        if (n < 0)
            return failure(packed.errorString());
        if (n == 0)
            break;
        if (device.write(block.constData(), n) != n)
            return failure(device.errorString());
    }
    return Outcome::ok();
}

Outcome ZipArchive::write(const QString &path, const QList<Entry> &entries)
{
    const Result<QByteArray> archive = bytes(entries);
    if (!archive)
        return archive.outcome();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::stop(Tr::tr("Cannot write %1:\n%2").arg(path, file.errorString()));
    // commit() would put the file in place even when flushing its buffer
    // failed part-way (a full disk): flush first, and give up on a failure.
    if (file.write(archive.value()) != archive->size() || !file.flush() || !file.commit())
        return Outcome::stop(Tr::tr("Cannot write %1:\n%2").arg(path, file.errorString()));
    return Outcome::ok();
}

} // namespace varn::interchange
