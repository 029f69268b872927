#pragma once

#include "common/outcome.h"
#include "interchange/reqifcontent.h"

#include <QBitArray>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace varn::interchange {

// The objects of a large exchange file, kept apart from the document in a
// temporary file as they are read, in file order, and read back one at a
// time by their place: memory holds their identifiers and where each is,
// never their values.
class ReqIfObjectSpill
{
public:
    // The file is made in the temporary folder.
    static Result<std::unique_ptr<ReqIfObjectSpill>> create();

    Outcome append(const ReqIfContent::Object &object);
    // Everything appended is written; reading may begin.
    Outcome finish();

    qsizetype size() const { return m_identifiers.size(); }
    const QString &identifier(qsizetype index) const { return m_identifiers.at(index); }
    // Whether the object carries attributes of the file that nothing
    // interprets (DESC ...).
    bool hasOtherAttributes(qsizetype index) const { return m_otherAttributes.testBit(index); }
    Result<ReqIfContent::Object> at(qsizetype index) const;

    // Per object type, the attribute definitions its objects use in the
    // order first met and the total length of each one's values.
    struct Usage
    {
        QStringList definitions;
        QHash<QString, qint64> lengths;
    };
    const QHash<QString, Usage> &usage() const { return m_usage; }

    // The objects' records, for tests of their encoding.
    static QByteArray encode(const ReqIfContent::Object &object);
    static bool decode(QByteArrayView record, ReqIfContent::Object &object);
    // Appends the object's record to what out holds.
    static void encodeInto(QByteArray &out, const ReqIfContent::Object &object);

    // The texts of the records' definitions and kinds, by their bytes: the
    // key is the bytes of the pair's first.
    using RecentTexts = std::unordered_map<std::string_view, std::pair<QByteArray, QString>>;

private:
    ReqIfObjectSpill() = default;
    static bool decode(QByteArrayView record, ReqIfContent::Object &object, RecentTexts *recent);
    Outcome writeBlock();

    mutable QTemporaryFile m_file;
    mutable QByteArray m_record;
    mutable RecentTexts m_recent;
    mutable qint64 m_position = 0; // where the file is read from next
    QByteArray m_block;            // what is appended and not yet written
    qint64 m_written = 0;
    QList<qint64> m_offsets; // where each object's record begins; one more: the end
    QStringList m_identifiers;
    QBitArray m_otherAttributes;
    QHash<QString, Usage> m_usage;
    QString m_error;
};

} // namespace varn::interchange
