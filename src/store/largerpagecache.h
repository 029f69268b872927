#pragma once

#include <QString>

namespace varn::store {

// A larger SQLite page cache for the lifetime of this object, the old size
// back afterwards. A rebuild writes tens of thousands of rows and builds
// their indexes in one transaction; with the default cache of 2 MB, pages
// spill into the log mid-transaction and are read back from it again. On a
// server nothing changes.
class LargerPageCache
{
public:
    explicit LargerPageCache(QString connectionName);
    ~LargerPageCache();

    LargerPageCache(const LargerPageCache &) = delete;
    LargerPageCache &operator=(const LargerPageCache &) = delete;

    // In KiB, as a negative cache_size takes it.
    static constexpr int kKibibytes = 64 * 1024;

private:
    QString m_connection;
    QString m_previous; // empty when nothing was changed
};

} // namespace varn::store
