#include "app/blankimage.h"
#include "app/apptr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

static void initialiseBlankImages()
{
    Q_INIT_RESOURCE(blank_images);
}

namespace varn::app {

namespace {

constexpr const char *kVersionedImages[] = {"Mdb2002", "Mdb2000", "Mdb97"};

Outcome cannotWrite(const QString &path, const QString &reason)
{
    return Outcome::stop(Tr::tr("Cannot write the requirements database\n%1\n%2")
                             .arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

QString BlankImage::resourcePathFor(const QString &accessVersion)
{
    QString image = QStringLiteral("Mdb2003");
    for (const char *versioned : kVersionedImages) {
        if (accessVersion == QLatin1String(versioned))
            image = accessVersion;
    }
    return QStringLiteral(":/blank/%1.mdb").arg(image);
}

QByteArray BlankImage::bytesOf(const QString &accessVersion)
{
    initialiseBlankImages();
    QFile image(resourcePathFor(accessVersion));
    return image.open(QIODevice::ReadOnly) ? image.readAll() : QByteArray();
}

Outcome BlankImage::writeTo(const QString &accessVersion, const QString &path)
{
    const QByteArray bytes = bytesOf(accessVersion);
    if (bytes.isEmpty())
        return cannotWrite(path, Tr::tr("The blank database is missing from the program."));

    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return cannotWrite(path, Tr::tr("The folder cannot be created."));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return cannotWrite(path, out.errorString());
    if (out.write(bytes) != bytes.size() || !out.commit())
        return cannotWrite(path, out.errorString());
    return Outcome::ok();
}

} // namespace varn::app
