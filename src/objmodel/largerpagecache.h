#pragma once

#include <QSqlDatabase>

namespace varn::objmodel {

// A larger SQLite page cache for the lifetime of this object, the old size
// back afterwards. A rebuild writes tens of thousands of rows and builds
// their indexes in one transaction; with the default cache of 2 MB, pages
// spill into the log mid-transaction and are read back from it again. On a
// server nothing changes.
class LargerPageCache
{
public:
    explicit LargerPageCache(QSqlDatabase database);
    ~LargerPageCache();

    LargerPageCache(const LargerPageCache &) = delete;
    LargerPageCache &operator=(const LargerPageCache &) = delete;

    // In KiB, as a negative cache_size takes it.
    static constexpr int kKibibytes = 64 * 1024;

private:
    QSqlDatabase m_database;
    QString m_previous; // empty when nothing was changed
};

} // namespace varn::objmodel
