#include "app/widgets/recentfiles.h"

#include "app/widgets/usersettings.h"

#include <QFileInfo>

namespace varn::app {

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString key(int position)
{
    return QStringLiteral("File%1").arg(position + 1);
}

QString canonical(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

RecentFiles::RecentFiles()
{
    std::unique_ptr<QSettings> settings = UserSettings::open();
    settings->beginGroup(kGroup);
    for (int position = 0; position < kCount; ++position) {
        const QString path = settings->value(key(position)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
}

void RecentFiles::add(const QString &path)
{
    const QString file = canonical(path);
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > kCount)
        m_files.removeLast();
    store();
}

void RecentFiles::remove(const QString &path)
{
    m_files.removeAll(canonical(path));
    store();
}

void RecentFiles::store() const
{
    std::unique_ptr<QSettings> settings = UserSettings::open();
    settings->beginGroup(kGroup);
    for (int position = 0; position < kCount; ++position) {
        if (position < m_files.size())
            settings->setValue(key(position), m_files.at(position));
        else
            settings->remove(key(position));
    }
}

} // namespace varn::app
