#pragma once

#include <QString>
#include <QStringList>

namespace varn::app {

// The most recently used workspace files, newest first, kept in the user's
// settings file between runs.
class RecentFiles
{
public:
    static constexpr int kCount = 3;

    RecentFiles();

    const QStringList &files() const { return m_files; }
    void add(const QString &path);
    void remove(const QString &path);

private:
    void store() const;

    QStringList m_files;
};

} // namespace varn::app
