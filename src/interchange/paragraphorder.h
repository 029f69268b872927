#pragma once

#include <QStringView>

namespace varn::interchange {

// Paragraph numbers in document order: runs of digits compare as numbers
// ("3.9" before "3.10"), everything else character by character.
class ParagraphOrder
{
public:
    // Negative, zero or positive as a sorts before, with or after b.
    static int compare(QStringView a, QStringView b);
};

} // namespace varn::interchange
