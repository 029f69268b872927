#include "common/savedfile.h"

#include "common/commontr.h"

#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>

namespace varn {

Outcome SavedFile::failure(const QString &path, const QString &why)
{
    return Outcome::stop(CommonTr::tr("Cannot write %1:\n%2").arg(path, why));
}

Outcome SavedFile::write(const QString &path, const Content &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    if (Outcome written = content(file); !written) {
        file.cancelWriting();
        return written;
    }
    // commit() would put the file in place even when flushing its buffer
    // failed part-way (a full disk): flush first, and give up on a failure.
    if (!file.flush() || !file.commit())
        return failure(path, file.errorString());
    return Outcome::ok();
}

bool SavedFile::sameFile(const QString &a, const QString &b)
{
    struct stat first = {}, second = {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace varn
