#include "interchange/reportlines.h"

#include <QDataStream>
#include <QTemporaryFile>

namespace varn::interchange {

struct ReportLines::Spool
{
    QTemporaryFile file;
    QList<qint64> offsets; // where each line begins
    qint64 end = 0;
};

ReportLines &ReportLines::operator=(const QStringList &lines)
{
    m_held.clear();
    m_spool.reset();
    m_spooled = 0;
    m_error.clear();
    for (const QString &line : lines)
        append(line);
    return *this;
}

void ReportLines::append(const QString &line)
{
    if (m_spooled == 0 && m_held.size() < kHeld) {
        m_held.append(line);
        return;
    }
    if (!m_spool) {
        m_spool = std::make_shared<Spool>();
        if (!m_spool->file.open()) {
            m_error = m_spool->file.errorString();
            return;
        }
    }
    QFile &file = m_spool->file;
    // A read in between may have moved the file's position.
    if (file.pos() != m_spool->end && !file.seek(m_spool->end)) {
        m_error = file.errorString();
        return;
    }
    QDataStream out(&file);
    out << line;
    if (out.status() != QDataStream::Ok) {
        m_error = file.errorString();
        return;
    }
    m_spool->offsets.append(m_spool->end);
    m_spool->end = file.pos();
    ++m_spooled;
}

QString ReportLines::at(qsizetype index) const
{
    if (index < m_held.size())
        return m_held.at(index);
    QFile &file = m_spool->file;
    const qint64 offset = m_spool->offsets.at(index - m_held.size());
    if (file.pos() != offset && !file.seek(offset))
        return {};
    QDataStream in(&file);
    QString line;
    in >> line;
    return line;
}

bool ReportLines::contains(const QString &line) const
{
    for (const QString &held : *this)
        if (held == line)
            return true;
    return false;
}

QStringList ReportLines::toList() const
{
    QStringList lines;
    lines.reserve(size());
    for (const QString &line : *this)
        lines.append(line);
    return lines;
}

bool operator==(const ReportLines &lines, const QStringList &list)
{
    if (lines.size() != list.size())
        return false;
    for (qsizetype i = 0; i < list.size(); ++i)
        if (lines.at(i) != list.at(i))
            return false;
    return true;
}

} // namespace varn::interchange
