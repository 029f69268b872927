#pragma once

#include "common/outcome.h"
#include "interchange/reqifcontent.h"
#include "interchange/ziparchive.h"

#include <QByteArray>
#include <QString>

namespace varn::interchange {

// Requirements-exchange documents packed in a zip archive (".reqifz"): one
// or more ".reqif" files, possibly in folders, beside attachments the
// documents point to. Reading takes every document and reads them as one;
// the attachments are counted, not imported.
class ReqIfArchive
{
public:
    struct Documents
    {
        ReqIfContent content;
        int attachments = 0;
    };

    // Whether the bytes are a zip archive rather than XML.
    static bool isArchive(const QByteArray &bytes);
    // Whether an export to the path is to be packed.
    static bool namesArchive(const QString &path);

    static Result<Documents> read(const ZipArchive &archive);
    // The archive in the file, its one document read a piece at a time as
    // it comes out of the archive (expanding to at most
    // SpreadsheetArchive::kLargestStreamed bytes) whatever its size; an
    // archive of several documents is read whole, as read() reads it.
    static Result<Documents> readFile(const QString &path);
    // The archive's one entry: the document in the file `document`, named
    // after the archive's file.
    static ZipArchive::Entry entry(const QString &path, const QString &document);
};

} // namespace varn::interchange
