#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QStringView>

namespace varn::interchange {

// XML written as UTF-8 bytes into a buffer that goes to the device whenever
// it fills. Markup is passed as it is; texts are encoded and escaped the way
// Qt's stream writer escapes them (<, >, & and " always; tab, line feed and
// carriage return as references inside attribute values). XML 1.0 cannot
// carry the other control characters, U+FFFE or U+FFFF at all: a text that
// holds one is not written and the call says so.
class XmlByteStream
{
public:
    explicit XmlByteStream(QIODevice &device, qsizetype bufferSize = 1 << 20);

    void markup(QByteArrayView bytes);
    // Character data; false (and nothing written) when the text holds a
    // character XML cannot carry.
    [[nodiscard]] bool text(QStringView text) { return escaped(text, false); }
    // The value of a double-quoted attribute; false as for text().
    [[nodiscard]] bool attributeValue(QStringView text) { return escaped(text, true); }

    // The first character refused by text() or attributeValue(), 0 when none was.
    char16_t refusedCharacter() const { return m_refused; }

    // Writes what is buffered; false once a write to the device has failed.
    bool flush();

private:
    bool escaped(QStringView text, bool inAttribute);
    void reserve(qsizetype bytes);

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    bool m_failed = false;
    char16_t m_refused = 0;
};

} // namespace varn::interchange
