#pragma once

namespace varn::store {

// How a connection opens a workspace's database file. Unchanged opens for
// reading and writing without switching the journal mode, so a look at a
// file changes nothing and, closed last, leaves no write-ahead log behind.
// Immutable reads a file that nobody may write (a read-only file or folder):
// no locks, no journal, nothing created beside it.
enum class ConnectionAccess { ReadWrite, ReadOnly, Unchanged, Immutable };

} // namespace varn::store
