#pragma once

#include <QString>

#include <functional>

namespace varn {

// A file or folder a command makes on the side while it works (the pieces
// of an archive being packed, say), named for as long as this object
// lives. A signal that ends the program at once, without unwinding to the
// objects that would have removed them, removes every such path first
// through removeAll(), so an interrupted command leaves nothing of its own
// in the user's folders.
class RemovedOnInterruption
{
public:
    // Runs make, which makes the file or folder and gives its path (empty
    // when it could not). The removal waits until the path is named here,
    // and once it has run nothing more is made: the program is leaving.
    explicit RemovedOnInterruption(const std::function<QString()> &make);
    ~RemovedOnInterruption();
    RemovedOnInterruption(const RemovedOnInterruption &) = delete;
    RemovedOnInterruption &operator=(const RemovedOnInterruption &) = delete;

    // Removes every path named now, folders with what they hold, and keeps
    // any later one from being named: for the action that ends the program
    // on a signal, from any thread.
    static void removeAll();

private:
    quint64 m_id;
};

} // namespace varn
