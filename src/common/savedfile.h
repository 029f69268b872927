#pragma once

#include "common/outcome.h"

#include <QString>

#include <functional>

class QIODevice;

namespace varn {

// Writes a file whole or not at all: the content goes into a new file beside
// it, which takes the old one's place only once all of it was written and
// flushed, so a failure part-way (a full disk, a refused write) leaves the
// file as it was.
class SavedFile
{
public:
    // Writes into the device; a refusal stops the write.
    using Content = std::function<Outcome(QIODevice &)>;

    // A failure to open, flush or put the file in place says "Cannot write
    // <path>:" and why; a refusal of the content is returned as it is.
    static Outcome write(const QString &path, const Content &content);
    static Outcome failure(const QString &path, const QString &why);
    // The same file, whatever the spelling of its path: a link to it, a hard
    // link, "..", another folder's name for it.
    static bool sameFile(const QString &a, const QString &b);
};

} // namespace varn
