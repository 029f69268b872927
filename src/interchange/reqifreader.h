#pragma once

#include "common/outcome.h"
#include "interchange/reqifcontent.h"

#include <QByteArray>

class QIODevice;

namespace varn::interchange {

// Reads a requirements-exchange document (either namespace in use) with the
// streaming reader. Refuses (and nothing is imported) malformed XML, a root
// element outside the exchange namespaces, document type and entity
// declarations (never expanded), bytes that are not UTF-8 whatever the XML
// declaration names, and a hierarchy nested deeper than kDeepestHierarchy.
// Tool extensions and elements or attributes of other namespaces are passed
// over whole. What the file refers to but does not define is listed in
// undefinedReferences; an attribute definition it lacks is made up from the
// values that use it (defined = false), named by its identifier.
class ReqIfReader
{
public:
    // Each level's place ("1.2.3") is kept with every node, so the depth is
    // bounded to keep reading linear in the file's size.
    static constexpr int kDeepestHierarchy = 256;

    static Result<ReqIfContent> read(const QByteArray &bytes);
    // Reads the device a piece at a time, whatever its size: the objects go
    // to a temporary file as they are read (the content's spilledObjects)
    // and everything else is held. Bytes that are not UTF-8 are found as
    // they come, and refused as the whole file would be.
    static Result<ReqIfContent> read(QIODevice &device);
};

} // namespace varn::interchange
