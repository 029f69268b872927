#pragma once

#include "common/outcome.h"

#include <QByteArray>
#include <QString>

namespace varn::app {

// The eight values a workspace file holds, in file order.
struct WorkspaceValues
{
    QString dataSourceName;
    QString userId;
    QString password;
    QString description;
    QString databaseFileName; // without folder
    QString databaseFolder;
    QString systemName;
    QString installPath;

    bool operator==(const WorkspaceValues &) const = default;
};

// The ".vnp" file: eight length-prefixed strings and nothing else. A prefix is
// one byte below 255; else 0xFF and a 16-bit little-endian length below 65534;
// else 0xFF, 0xFFFF and a 32-bit little-endian length. Strings are UTF-8; a
// file whose bytes are not valid UTF-8 is read as Latin-1.
class WorkspaceFile
{
public:
    static QByteArray encode(const WorkspaceValues &values);
    static Result<WorkspaceValues> decode(const QByteArray &bytes);

    // Written through a temporary file, so a failed write leaves the old file.
    static Outcome write(const QString &path, const WorkspaceValues &values);
    // Reads a regular file of workspace size only (never a device or pipe).
    // A refusal adds the path and the reason to the read error.
    static Result<WorkspaceValues> read(const QString &path);
    static Outcome refusal(const QString &path, const QString &reason);

    static QString readErrorMessage();
    static QString writeErrorMessage();
};

} // namespace varn::app
