#include "app/odbcinifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varn::app {

namespace {

// Larger than any ODBC file a person keeps; a bigger one is left alone.
constexpr qint64 kLargestOdbcFile = 16 * 1024 * 1024;
// As the kernel does for a path, a loop of links ends the search.
constexpr int kMostLinksFollowed = 40;
// mkstemp's XXXXXX.
constexpr int kTemporarySuffixLength = 6;

// The driver manager finds the home folder in the password database.
QString homeFolder()
{
    if (const passwd *entry = getpwuid(getuid()); entry && entry->pw_dir)
        return QFile::decodeName(entry->pw_dir);
    return QDir::homePath();
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<QByteArray> headerName(const QByteArray &line)
{
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

// A writer killed between making its temporary file and renaming it leaves
// a whole copy of the file, passwords included. Every writer holds the lock,
// so any temporary file found now is such a leftover.
void removeStaleTemporaries(const QFileInfo &target)
{
    const QDir folder = target.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!OdbcIniFile::isTemporaryName(name, target.fileName()))
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        struct stat status = {};
        if (::lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == getuid())
            ::unlink(path.constData());
    }
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

} // namespace

QString OdbcIniFile::userFilePath()
{
    const QString fromEnvironment = qEnvironmentVariable("ODBCINI");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return homeFolder() + QStringLiteral("/.odbc.ini");
}

QString OdbcIniFile::resolvedFilePath()
{
    QString path = QDir::cleanPath(QDir::current().absoluteFilePath(userFilePath()));
    // Links to the file itself are followed one by one, so a link to a file
    // not made yet leads to where it will be made.
    for (int hop = 0; hop < kMostLinksFollowed && QFileInfo(path).isSymLink(); ++hop)
        path = QDir::cleanPath(QFileInfo(path).symLinkTarget());
    const QFileInfo file(path);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? path : QDir(folder).filePath(file.fileName());
}

bool OdbcIniFile::isTemporaryName(const QString &name, const QString &fileName)
{
    const QString prefix = fileName + QStringLiteral(".varn-");
    if (name.size() != prefix.size() + kTemporarySuffixLength || !name.startsWith(prefix))
        return false;
    for (const QChar c : QStringView(name).mid(prefix.size())) {
        if (!(c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
              (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            return false;
    }
    return true;
}

bool OdbcIniFile::load()
{
    // Write beside the file a link points to, so the link stays a link.
    m_path = resolvedFilePath();
    m_bytes.clear();
    m_existed = QFileInfo::exists(m_path);
    if (m_existed) {
        if (!QFileInfo(m_path).isFile())
            return false;
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestOdbcFile)
            return false;
        m_bytes = file.readAll();
    }
    m_loaded = m_bytes;
    return true;
}

bool OdbcIniFile::commit()
{
    if (m_path.isEmpty())
        return false;
    if (m_existed && m_bytes == m_loaded)
        return true;
    const QFileInfo target(m_path);
    if (!QDir().mkpath(target.absolutePath()))
        return false;
    removeStaleTemporaries(target);
    QByteArray temporary = QFile::encodeName(target.absoluteFilePath()) + ".varn-XXXXXX";
    // The copy holds passwords: only its owner may read it for as long as
    // it is a copy. Once it is the file it takes the file's permissions
    // (private when new).
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat old = {};
    const mode_t mode =
        ::stat(QFile::encodeName(m_path).constData(), &old) == 0 ? old.st_mode & 07777 : 0600;
    const bool written = fchmod(fd, 0600) == 0 && writeAll(fd, m_bytes) && fsync(fd) == 0;
    if (!written || ::rename(temporary.constData(), QFile::encodeName(m_path).constData()) != 0) {
        ::close(fd);
        ::unlink(temporary.constData());
        return false;
    }
    fchmod(fd, mode);
    ::close(fd);
    m_loaded = m_bytes;
    m_existed = true;
    return true;
}

OdbcIniFile::Span OdbcIniFile::find(const QString &name) const
{
    const QByteArray wanted = name.toUtf8();
    Span span;
    qsizetype position = 0;
    qsizetype commentsAbove = -1; // comment lines right above a header describe it
    while (position < m_bytes.size()) {
        qsizetype lineEnd = m_bytes.indexOf('\n', position);
        lineEnd = lineEnd < 0 ? m_bytes.size() : lineEnd + 1;
        const QByteArray line = m_bytes.mid(position, lineEnd - position).trimmed();
        if (const auto header = headerName(line)) {
            if (span.begin >= 0) {
                span.end = commentsAbove >= 0 ? commentsAbove : position;
                return span;
            }
            if (header->compare(wanted, Qt::CaseInsensitive) == 0)
                span.begin = position;
        }
        if (line.startsWith('#') || line.startsWith(';'))
            commentsAbove = commentsAbove >= 0 ? commentsAbove : position;
        else
            commentsAbove = -1;
        position = lineEnd;
    }
    if (span.begin >= 0)
        span.end = m_bytes.size();
    return span;
}

std::optional<QByteArray> OdbcIniFile::section(const QString &name) const
{
    const Span span = find(name);
    if (span.begin < 0)
        return std::nullopt;
    return m_bytes.mid(span.begin, span.end - span.begin);
}

QString OdbcIniFile::value(const QString &sectionName, const QString &key) const
{
    const std::optional<QByteArray> text = section(sectionName);
    if (!text)
        return {};
    for (const auto &[name, value] : entries(*text)) {
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QList<std::pair<QString, QString>> OdbcIniFile::entries(const QByteArray &sectionText)
{
    QList<std::pair<QString, QString>> found;
    for (const QByteArray &line : sectionText.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('#') || trimmed.startsWith(';') || headerName(trimmed))
            continue;
        const qsizetype equals = trimmed.indexOf('=');
        if (equals > 0)
            found.append({QString::fromUtf8(trimmed.left(equals).trimmed()),
                          QString::fromUtf8(trimmed.mid(equals + 1).trimmed())});
    }
    return found;
}

void OdbcIniFile::replaceSection(const QString &name, const QByteArray &text)
{
    const Span span = find(name);
    if (span.begin >= 0) {
        m_bytes.replace(span.begin, span.end - span.begin, text);
        return;
    }
    if (!m_bytes.isEmpty() && !m_bytes.endsWith('\n'))
        m_bytes.append('\n');
    m_bytes.append(text);
}

void OdbcIniFile::removeSection(const QString &name)
{
    const Span span = find(name);
    if (span.begin >= 0)
        m_bytes.remove(span.begin, span.end - span.begin);
}

} // namespace varn::app
