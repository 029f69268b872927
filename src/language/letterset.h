#pragma once

#include <QtGlobal>

namespace varn::language {

// A set of term letters as a bit mask, for the grammar's tables. Besides the 26
// letters it knows two pseudo-letters: "no letter" (a place before the start or
// past the end of a G-code) and "not a letter" (any other byte). A positive set
// never holds either; the complement of a set holds both, so that "P2 is not x"
// is true for a place before the start.
class LetterSet
{
public:
    static constexpr quint32 NoLetterBit = 1u << 26;
    static constexpr quint32 NonLetterBit = 1u << 27;

    constexpr LetterSet() = default;
    constexpr explicit LetterSet(const char *letters)
    {
        for (; *letters; ++letters)
            m_bits |= bitOf(*letters);
    }

    static constexpr LetterSet fromBits(quint32 bits)
    {
        LetterSet set;
        set.m_bits = bits;
        return set;
    }
    static constexpr LetterSet any() { return fromBits(~0u); }

    // The bit of one byte of a G-code: a letter 'a'..'z' or "not a letter".
    static constexpr quint32 bitOf(char byte)
    {
        return byte >= 'a' && byte <= 'z' ? 1u << (byte - 'a') : NonLetterBit;
    }
    static constexpr bool isLetter(char byte) { return byte >= 'a' && byte <= 'z'; }

    constexpr bool contains(char byte) const { return (m_bits & bitOf(byte)) != 0; }
    constexpr bool containsBit(quint32 bit) const { return (m_bits & bit) != 0; }
    constexpr LetterSet complement() const { return fromBits(~m_bits); }
    constexpr quint32 bits() const { return m_bits; }

private:
    quint32 m_bits = 0;
};

} // namespace varn::language
