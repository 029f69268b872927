#pragma once

#include "common/outcome.h"
#include "interchange/requirementimporter.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace varn::store {
class RecordObjects;
}

namespace varn::interchange {

// The formats requirements leave and enter a workspace in.
enum class ExchangeFormat { ReqIf, Csv, Html, Odt, Xlsx };

// Export and import of whole files, for the File menu and varn-cli: the
// file is written through a temporary file (a failed export leaves no half
// file behind) and read whole before anything is imported.
class RequirementExchange
{
public:
    using Progress = std::function<void(int done, int total)>;

    struct Workspace
    {
        QString connectionName;
        QString systemName;
        QString installPath; // where the generated code lies, for the report
        // The workspace's own files (its .vnp, its database): an export
        // refuses to overwrite them, however the path names them.
        QStringList ownFiles = {};
    };

    static std::optional<ExchangeFormat> formatNamed(const QString &name);
    // Whether a format can be read back.
    static bool canImport(ExchangeFormat format)
    {
        return format != ExchangeFormat::Html && format != ExchangeFormat::Odt;
    }

    // What an export wrote: the number of requirements and, when stored
    // texts held control characters, which requirements held them and how
    // many were written as visible characters (see ControlCharacters).
    struct ExportSummary
    {
        int written = 0;
        QList<qint32> replacedIn;
        int replacedCharacters = 0;

        // Empty when nothing was replaced.
        QString replacementNotice() const;
    };

    static Result<ExportSummary> exportTo(ExchangeFormat format, const Workspace &workspace,
                                          const QString &path, bool everyVersion,
                                          const Progress &progress = {});
    // A ReqIF file's document trees are all read unless `specification`
    // names one (by long name or identifier).
    static Result<ImportSummary> importFrom(ExchangeFormat format, store::RecordObjects &records,
                                            const QString &systemName, const QString &path,
                                            bool dryRun, const Progress &progress = {},
                                            const QString &specification = {},
                                            bool deleteMissing = false);
    // The names of the document trees a ReqIF file holds, for a choice
    // before importing; refused as an import would refuse the file.
    static Result<QStringList> specificationsIn(const QString &path);
};

} // namespace varn::interchange
