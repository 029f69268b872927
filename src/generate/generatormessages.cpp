#include "generate/generatormessages.h"
#include "generate/generatetr.h"

#include <QDir>

namespace varn::generate {

namespace {

constexpr const char *kRecordSetNames[] = {
    "ReqOeSet", "ReqOeSet2", "ReqAtSet", "ReqMeSet", "ReqInSet", "ReqAgSet", "ReqOmPvSet",
};

QString recordSetName(RecordSet set)
{
    return QLatin1String(kRecordSetNames[static_cast<int>(set)]);
}

} // namespace

QString GeneratorMessages::cannotOpen(RecordSet set, GeneratorKind kind,
                                      const QString &databaseText)
{
    const QString text = kind == GeneratorKind::Sql
                             ? Tr::tr("Cannot open %1 recordset. SQL file not fully generated.\n")
                             : Tr::tr("Cannot open %1 recordset.\n");
    return text.arg(recordSetName(set)) + databaseText;
}

QString GeneratorMessages::errorQuerying(RecordSet set, GeneratorKind kind,
                                         const QString &databaseText)
{
    const QString text =
        kind == GeneratorKind::Sql
            ? Tr::tr("Error querying the %1 recordset. SQL file not fully generated.\n")
            : Tr::tr("Error querying the %1 recordset.\n");
    return text.arg(recordSetName(set)) + databaseText;
}

// A key that names no OM_ENTITY row: the name lookup of the second entity set
// fails, and no name can be written in its place.
QString GeneratorMessages::missingEntity(GeneratorKind kind, int entityId)
{
    return errorQuerying(RecordSet::OeSet2, kind,
                         Tr::tr("No OM_ENTITY row has the Entity_ID %1.").arg(entityId));
}

QString GeneratorMessages::cannotCreateFolder(const QString &folder, const QString &reason)
{
    return Tr::tr("Cannot create the folder %1.\n").arg(folder) + reason;
}

QString GeneratorMessages::cannotDeleteFile(const QString &file, const QString &reason)
{
    return Tr::tr("Cannot delete the old file %1.\n").arg(file) + reason;
}

QString GeneratorMessages::cannotWriteFile(const QString &file, const QString &reason)
{
    return Tr::tr("Cannot write the file %1.\n").arg(file) + reason;
}

QString GeneratorMessages::unusableFileName(const QString &name)
{
    return Tr::tr("The name \"%1\" cannot be used as a file name. No file was written "
                  "for it and generation stopped.")
        .arg(name);
}

QString GeneratorMessages::parentInInstallPath(const QString &installPath)
{
    return Tr::tr("The installation path \"%1\" holds a \"..\" component. Generated "
                  "files are written only below a plain installation path; nothing was "
                  "deleted or written.")
        .arg(installPath);
}

QString GeneratorMessages::folderOutsideInstallPath(const QString &folder,
                                                    const QString &installPath)
{
    return Tr::tr("The folder %1 is a link that leads outside the installation path %2. "
                  "Nothing was deleted or written.")
        .arg(folder, installPath);
}

QString GeneratorMessages::written(const GeneratedFiles &files)
{
    return Tr::tr("%1 file(s) written to %2")
        .arg(files.files.size())
        .arg(QDir::toNativeSeparators(files.folder));
}

} // namespace varn::generate
