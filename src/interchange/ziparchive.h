#pragma once

#include "common/outcome.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>

namespace varn::interchange {

// The files of a zip archive (a spreadsheet, an OpenDocument, a .reqifz),
// read whole into memory. Reading is careful with archives from elsewhere:
// it refuses an entry whose path would leave the archive (absolute, with a
// ".." segment or a backslash), an encrypted entry, a name given twice, and
// archives with more entries or more expanded bytes than the limits of
// ExchangeInput. The expanded size is checked both as the archive declares it
// and as the bytes come out, so an archive that lies about it stops at the
// limit. Folders are allowed and not listed. Every refusal ends by saying
// that nothing was imported.
class ZipArchive
{
public:
    struct Entry
    {
        QString name; // the path inside the archive, "/"-separated
        QByteArray bytes;
        // When set, the entry's bytes are this file's instead, read as the
        // archive is made (an entry too large to hold).
        QString file = {};
    };

    struct Limits
    {
        qint64 mostEntries;
        qint64 largestExpanded;
    };
    static Limits defaultLimits();

    static Result<ZipArchive> read(const QString &path);
    static Result<ZipArchive> fromBytes(const QByteArray &bytes,
                                        const Limits &limits = defaultLimits());

    // Writes the entries, in their order, through a temporary file: a failure
    // leaves no half archive behind. An entry named "mimetype" is stored
    // uncompressed, as OpenDocument readers expect of their first entry.
    static Outcome write(const QString &path, const QList<Entry> &entries);
    static Result<QByteArray> bytes(const QList<Entry> &entries);
    // The archive made in a temporary file in `folder`, then copied into the
    // device a block at a time: neither the entries read from files nor the
    // archive are ever held whole.
    static Outcome writeInto(QIODevice &device, const QList<Entry> &entries, const QString &folder);

    // Whether an entry's name stays inside the folder the archive would be
    // unpacked into (not absolute, no ".." segment, no backslash).
    static bool staysInside(const QString &name);

    const QList<Entry> &entries() const { return m_entries; }
    bool contains(const QString &name) const { return entry(name) != nullptr; }
    // The entry of that name, nullptr when there is none.
    const Entry *entry(const QString &name) const;

private:
    QList<Entry> m_entries;
};

} // namespace varn::interchange
