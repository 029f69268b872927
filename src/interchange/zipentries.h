#pragma once

#include "common/outcome.h"

#include <QString>

#include <zip.h>

namespace varn::interchange {

// What every reader of a zip archive checks alike, and the refusals it gives.
namespace ZipEntries {

Outcome notAnArchive(const QString &why);
Outcome expandsTooFar(qint64 largest);

// The index-th entry's description, refused when it cannot be read, when its
// name would leave the archive's folder or when it is encrypted.
Result<zip_stat_t> checked(zip_t *archive, zip_int64_t index);

} // namespace ZipEntries

} // namespace varn::interchange
