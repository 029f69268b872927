#pragma once

#include "common/outcome.h"
#include "interchange/reqifcontent.h"

#include <QByteArray>

namespace varn::interchange {

// Reads a requirements-exchange document with the streaming reader. Refuses
// (and nothing is imported) malformed XML, a root element outside the
// exchange namespace, document type and entity declarations (never
// expanded), and references to identifiers the file does not define.
class ReqIfReader
{
public:
    static Result<ReqIfContent> read(const QByteArray &bytes);
};

} // namespace varn::interchange
