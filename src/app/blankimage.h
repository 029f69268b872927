#pragma once

#include "common/outcome.h"

#include <QByteArray>
#include <QString>

namespace varn::app {

// The four empty requirements databases the program carries, one per
// desktop-database version, chosen by the "AccVer" setting.
class BlankImage
{
public:
    // "Mdb2002", "Mdb2000" and "Mdb97" choose their own image, compared
    // exactly; anything else chooses the 2003 image.
    static QString resourcePathFor(const QString &accessVersion);
    // The chosen image's bytes; empty when the program lacks it.
    static QByteArray bytesOf(const QString &accessVersion);

    // Copies the chosen image byte for byte to the path, replacing a file of
    // that name. Written through a temporary file and renamed, so a failure
    // leaves no half-written database; the copy is writable.
    static Outcome writeTo(const QString &accessVersion, const QString &path);
};

} // namespace varn::app
