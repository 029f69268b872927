#include "interchange/spreadsheetarchive.h"

#include "interchange/interchangetr.h"

#include "interchange/ziparchive.h"
#include "interchange/zipentries.h"

#include <QFile>

#include <cstdio>
#include <unistd.h>
#include <zip.h>

namespace varn::interchange {

namespace {

using ZipEntries::expandsTooFar;
using ZipEntries::notAnArchive;

constexpr qint64 kPiece = 256 * 1024;

struct EntryCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

} // namespace

struct SpreadsheetArchive::Archive
{
    zip_t *zip = nullptr;
    ~Archive()
    {
        if (zip)
            zip_discard(zip);
    }
};

SpreadsheetArchive::SpreadsheetArchive(std::unique_ptr<Archive> archive)
    : m_archive(std::move(archive))
{}

SpreadsheetArchive::~SpreadsheetArchive() = default;

Result<std::unique_ptr<SpreadsheetArchive>> SpreadsheetArchive::open(const QString &path)
{
    Result<std::unique_ptr<QFile>> file = ExchangeInput::open(path);
    if (!file)
        return file.outcome();
    // The archive reads its own copy of the checked file's descriptor.
    const int fd = ::dup(int(file.value()->handle()));
    FILE *stream = fd < 0 ? nullptr : ::fdopen(fd, "rb");
    if (!stream) {
        if (fd >= 0)
            ::close(fd);
        return Outcome::stop(
            Tr::tr("Cannot open %1:\n%2\nNothing was imported.").arg(path, qt_error_string(errno)));
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_filep_create(stream, 0, -1, &error);
    if (!source) {
        std::fclose(stream);
        const QString why = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        return notAnArchive(why);
    }
    auto archive = std::make_unique<Archive>();
    archive->zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive->zip) {
        zip_source_free(source);
        const QString why = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        return notAnArchive(why);
    }
    zip_error_fini(&error);

    const zip_int64_t count = zip_get_num_entries(archive->zip, 0);
    if (count < 0)
        return notAnArchive(Tr::tr("its directory cannot be read"));
    if (count > ExchangeInput::kMostArchiveEntries)
        return ExchangeInput::refusal(
            Tr::tr("The archive holds %1 entries; an import reads at most %2.")
                .arg(count)
                .arg(ExchangeInput::kMostArchiveEntries));
    std::unique_ptr<SpreadsheetArchive> result(new SpreadsheetArchive(std::move(archive)));
    for (zip_int64_t i = 0; i < count; ++i) {
        const Result<zip_stat_t> stat = ZipEntries::checked(result->m_archive->zip, i);
        if (!stat)
            return stat.outcome();
        const QString name = QString::fromUtf8(stat->name);
        if (!name.endsWith(QLatin1Char('/')))
            result->m_index.insert(name, zip_uint64_t(i));
    }
    return result;
}

Result<SpreadsheetArchive::Pieces> SpreadsheetArchive::stream(const QString &name,
                                                              qint64 largest) const
{
    const auto found = m_index.constFind(name);
    if (found == m_index.cend())
        return notAnArchive(Tr::tr("it has no entry \"%1\"").arg(name));
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive->zip, *found, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        stat.size > zip_uint64_t(largest))
        return expandsTooFar(largest);
    std::shared_ptr<zip_file_t> file(zip_fopen_index(m_archive->zip, *found, 0), EntryCloser());
    if (!file)
        return notAnArchive(Tr::tr("entry \"%1\" cannot be opened: %2")
                                .arg(name, QString::fromLocal8Bit(zip_strerror(m_archive->zip))));
    auto expanded = std::make_shared<qint64>(0);
    return Pieces([file, expanded, largest, name]() -> Result<QByteArray> {
        // One byte past the limit tells a part that goes beyond it.
        const qint64 want = qMin(kPiece, largest - *expanded + 1);
        QByteArray piece(want, Qt::Uninitialized);
        const zip_int64_t n = zip_fread(file.get(), piece.data(), zip_uint64_t(want));
        if (n < 0)
            return notAnArchive(
                Tr::tr("entry \"%1\" is damaged: %2")
                    .arg(name, QString::fromLocal8Bit(zip_file_strerror(file.get()))));
        *expanded += n;
        if (*expanded > largest)
            return expandsTooFar(largest);
        piece.truncate(n);
        return piece;
    });
}

Result<QByteArray> SpreadsheetArchive::read(const QString &name, qint64 largest) const
{
    Result<Pieces> pieces = stream(name, largest);
    if (!pieces)
        return pieces.outcome();
    QByteArray bytes;
    for (;;) {
        Result<QByteArray> piece = pieces.value()();
        if (!piece)
            return piece.outcome();
        if (piece->isEmpty())
            return bytes;
        bytes += piece.value();
    }
}

} // namespace varn::interchange
