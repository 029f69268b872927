#include "interchange/zipentries.h"

#include "interchange/exchangeinput.h"
#include "interchange/interchangetr.h"
#include "interchange/ziparchive.h"

#include <QLocale>

namespace varn::interchange::ZipEntries {

Outcome notAnArchive(const QString &why)
{
    return ExchangeInput::refusal(Tr::tr("The file is not a zip archive (%1).").arg(why));
}

Outcome expandsTooFar(qint64 largest)
{
    return ExchangeInput::refusal(
        Tr::tr("The archive expands to more than %1, the most an import reads.")
            .arg(QLocale::c().formattedDataSize(largest)));
}

Result<zip_stat_t> checked(zip_t *archive, zip_int64_t index)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, zip_uint64_t(index), ZIP_FL_ENC_GUESS, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_NAME))
        return notAnArchive(Tr::tr("entry %1 cannot be read").arg(index + 1));
    const QString name = QString::fromUtf8(stat.name);
    if (!ZipArchive::staysInside(name))
        return ExchangeInput::refusal(
            Tr::tr("The archive holds an entry named \"%1\", which would leave the archive's "
                   "folder.")
                .arg(name));
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return ExchangeInput::refusal(Tr::tr("The archive's entry \"%1\" is encrypted.").arg(name));
    return stat;
}

} // namespace varn::interchange::ZipEntries
