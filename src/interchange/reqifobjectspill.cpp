#include "interchange/reqifobjectspill.h"

#include "interchange/interchangetr.h"

#include <QDir>

#include <cstring>

namespace varn::interchange {

namespace {

// Each text is its length in UTF-8 bytes (seven bits a byte, the last one
// below 128) and those bytes.
void putLength(QByteArray &out, quint64 length)
{
    while (length >= 0x80) {
        out.append(char((length & 0x7F) | 0x80));
        length >>= 7;
    }
    out.append(char(length));
}

void putText(QByteArray &out, QStringView text)
{
    const qsizetype size = text.size();
    if (size == 0) {
        out.append('\0');
        return;
    }
    // Most texts are ASCII: their bytes are their characters, written
    // straight into the record.
    const char16_t *characters = text.utf16();
    qsizetype ascii = 0;
    while (ascii < size && characters[ascii] < 0x80)
        ++ascii;
    if (ascii < size) {
        const QByteArray utf8 = text.toUtf8();
        putLength(out, quint64(utf8.size()));
        out.append(utf8);
        return;
    }
    putLength(out, quint64(size));
    const qsizetype at = out.size();
    out.resize(at + size);
    char *bytes = out.data() + at;
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(characters[i]);
}

class Cursor
{
public:
    explicit Cursor(QByteArrayView record) : m_record(record) {}

    bool length(quint64 &value)
    {
        value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (m_at >= m_record.size())
                return false;
            const auto byte = quint8(m_record[m_at++]);
            value |= quint64(byte & 0x7F) << shift;
            if (byte < 0x80)
                return true;
        }
        return false;
    }

    bool text(QString &value)
    {
        quint64 size = 0;
        if (!length(size) || size > quint64(m_record.size() - m_at))
            return false;
        value = size == 0 ? QString() : QString::fromUtf8(m_record.sliced(m_at, qsizetype(size)));
        m_at += qsizetype(size);
        return true;
    }

    // A text many records repeat (a definition's identifier, a kind), held
    // once in recent.
    bool text(QString &value, ReqIfObjectSpill::RecentTexts *recent)
    {
        if (!recent)
            return text(value);
        quint64 size = 0;
        if (!length(size) || size > quint64(m_record.size() - m_at))
            return false;
        const QByteArrayView bytes = m_record.sliced(m_at, qsizetype(size));
        m_at += qsizetype(size);
        const std::string_view key(bytes.data(), std::size_t(bytes.size()));
        auto found = recent->find(key);
        if (found == recent->end()) {
            // Enough for every definition of a file; past that the texts
            // are made each time.
            if (recent->size() >= 4096) {
                value = size == 0 ? QString() : QString::fromUtf8(bytes);
                return true;
            }
            QByteArray own = bytes.toByteArray();
            const std::string_view ownKey(own.constData(), std::size_t(own.size()));
            QString made = size == 0 ? QString() : QString::fromUtf8(own);
            found = recent->emplace(ownKey, std::make_pair(std::move(own), std::move(made))).first;
        }
        value = found->second.second;
        return true;
    }

    bool atEnd() const { return m_at == m_record.size(); }

private:
    QByteArrayView m_record;
    qsizetype m_at = 0;
};

constexpr qsizetype kBlock = 1 << 20;

} // namespace

QByteArray ReqIfObjectSpill::encode(const ReqIfContent::Object &object)
{
    QByteArray out;
    encodeInto(out, object);
    return out;
}

void ReqIfObjectSpill::encodeInto(QByteArray &out, const ReqIfContent::Object &object)
{
    putText(out, object.identifier);
    putText(out, object.type);
    putText(out, object.longName);
    putText(out, object.lastChange);
    putLength(out, quint64(object.otherAttributes.size()));
    for (auto it = object.otherAttributes.cbegin(); it != object.otherAttributes.cend(); ++it) {
        putText(out, it.key());
        putText(out, it.value());
    }
    putLength(out, quint64(object.values.size()));
    for (const ReqIfContent::Value &value : object.values) {
        putText(out, value.definition);
        putText(out, value.kind);
        putText(out, value.text);
        // Most values are written as they read: the original then once.
        const bool same = value.original == value.text;
        out.append(same ? '\1' : '\0');
        if (!same)
            putText(out, value.original);
    }
}

bool ReqIfObjectSpill::decode(QByteArrayView record, ReqIfContent::Object &object)
{
    return decode(record, object, nullptr);
}

bool ReqIfObjectSpill::decode(QByteArrayView record, ReqIfContent::Object &object,
                              RecentTexts *recent)
{
    Cursor cursor(record);
    quint64 count = 0;
    if (!cursor.text(object.identifier) || !cursor.text(object.type) ||
        !cursor.text(object.longName) || !cursor.text(object.lastChange) || !cursor.length(count))
        return false;
    for (quint64 i = 0; i < count; ++i) {
        QString key, value;
        if (!cursor.text(key) || !cursor.text(value))
            return false;
        object.otherAttributes.insert(key, value);
    }
    if (!cursor.length(count) || count > quint64(record.size()))
        return false;
    object.values.resize(qsizetype(count));
    for (ReqIfContent::Value &value : object.values) {
        quint64 same = 0;
        if (!cursor.text(value.definition, recent) || !cursor.text(value.kind, recent) ||
            !cursor.text(value.text) || !cursor.length(same))
            return false;
        if (same == 1)
            value.original = value.text;
        else if (!cursor.text(value.original))
            return false;
    }
    return cursor.atEnd();
}

Result<std::unique_ptr<ReqIfObjectSpill>> ReqIfObjectSpill::create()
{
    std::unique_ptr<ReqIfObjectSpill> spill(new ReqIfObjectSpill);
    spill->m_file.setFileTemplate(QDir::temp().filePath(QStringLiteral("varn-import-XXXXXX")));
    if (!spill->m_file.open())
        return Outcome::stop(Tr::tr("Cannot make a temporary file for the import: %1")
                                 .arg(spill->m_file.errorString()));
    spill->m_offsets.append(0);
    return spill;
}

Outcome ReqIfObjectSpill::writeBlock()
{
    if (m_block.isEmpty())
        return Outcome::ok();
    if (m_file.write(m_block) != m_block.size())
        return Outcome::stop(
            Tr::tr("Cannot write the import's temporary file: %1").arg(m_file.errorString()));
    m_block.resize(0); // its room is kept for the next block
    return Outcome::ok();
}

Outcome ReqIfObjectSpill::append(const ReqIfContent::Object &object)
{
    const qsizetype before = m_block.size();
    encodeInto(m_block, object);
    m_written += m_block.size() - before;
    m_offsets.append(m_written);
    m_identifiers.append(object.identifier);
    if (!object.otherAttributes.isEmpty()) {
        if (m_otherAttributes.size() < m_identifiers.size())
            m_otherAttributes.resize(qMax(m_identifiers.size(), m_otherAttributes.size() * 2));
        m_otherAttributes.setBit(m_identifiers.size() - 1);
    }
    Usage &usage = m_usage[object.type];
    for (const ReqIfContent::Value &value : object.values) {
        auto known = usage.lengths.find(value.definition);
        if (known == usage.lengths.end()) {
            usage.definitions.append(value.definition);
            known = usage.lengths.insert(value.definition, 0);
        }
        *known += value.text.size();
    }
    if (m_block.size() >= kBlock)
        return writeBlock();
    return Outcome::ok();
}

Outcome ReqIfObjectSpill::finish()
{
    m_otherAttributes.resize(m_identifiers.size());
    if (Outcome written = writeBlock(); !written)
        return written;
    if (!m_file.flush())
        return Outcome::stop(
            Tr::tr("Cannot write the import's temporary file: %1").arg(m_file.errorString()));
    m_position = -1;
    return Outcome::ok();
}

Result<ReqIfContent::Object> ReqIfObjectSpill::at(qsizetype index) const
{
    const qint64 from = m_offsets.at(index);
    const qint64 size = m_offsets.at(index + 1) - from;
    const auto failed = [this] {
        return Outcome::stop(
            Tr::tr("Cannot read the import's temporary file: %1").arg(m_file.errorString()));
    };
    if (m_position != from && !m_file.seek(from))
        return failed();
    m_record.resize(size);
    if (m_file.read(m_record.data(), size) != size)
        return failed();
    m_position = from + size;
    ReqIfContent::Object object;
    if (!decode(m_record, object, &m_recent))
        return Outcome::stop(Tr::tr("The import's temporary file was changed while it was read."));
    return object;
}

} // namespace varn::interchange
