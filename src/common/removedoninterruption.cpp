#include "common/removedoninterruption.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <mutex>

namespace varn {

namespace {

struct Named
{
    std::mutex lock;
    std::map<quint64, QString> paths;
    quint64 next = 1;
};

Named &named()
{
    // Never destroyed: a signal may end the program while statics are torn down.
    static Named *const instance = new Named;
    return *instance;
}

} // namespace

RemovedOnInterruption::RemovedOnInterruption(const std::function<QString()> &make)
{
    Named &all = named();
    const std::lock_guard<std::mutex> guard(all.lock);
    m_id = all.next++;
    if (QString path = make(); !path.isEmpty())
        all.paths.emplace(m_id, std::move(path));
}

RemovedOnInterruption::~RemovedOnInterruption()
{
    Named &all = named();
    const std::lock_guard<std::mutex> guard(all.lock);
    all.paths.erase(m_id);
}

void RemovedOnInterruption::removeAll()
{
    Named &all = named();
    // Held to the end: the program leaves before anything is named again.
    all.lock.lock();
    for (const auto &[id, path] : all.paths) {
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
    all.paths.clear();
}

} // namespace varn
