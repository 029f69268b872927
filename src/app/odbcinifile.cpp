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

bool OdbcIniFile::load()
{
    m_path = userFilePath();
    // Write beside the file a link points to, so the link stays a link.
    const QFileInfo info(m_path);
    if (info.isSymLink() && info.exists())
        m_path = info.canonicalFilePath();
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
    QByteArray temporary = QFile::encodeName(target.absoluteFilePath()) + ".varn-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    // The file holds passwords: keep its permissions, private when new.
    struct stat old = {};
    const mode_t mode =
        ::stat(QFile::encodeName(m_path).constData(), &old) == 0 ? old.st_mode & 07777 : 0600;
    const bool written = fchmod(fd, mode) == 0 && writeAll(fd, m_bytes) && fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed ||
        ::rename(temporary.constData(), QFile::encodeName(m_path).constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
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
    const QByteArray wanted = key.toUtf8();
    for (const QByteArray &line : text->split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && line.left(equals).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(line.mid(equals + 1).trimmed());
    }
    return {};
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
