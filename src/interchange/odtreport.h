#pragma once

#include "common/outcome.h"
#include "interchange/exchangedrequirement.h"

#include <QDateTime>
#include <QIODevice>
#include <QString>

namespace varn::interchange {

// The requirements as an OpenDocument text for reviews: a title page (the
// system's name and the date), the contents (the paragraph headings), then
// under each paragraph number, in document order, its requirements in number
// order, each with its sentence and attributes. Requirements without a
// paragraph number come last, under a heading of their own.
//
// The document is written as the requirements are read: each one's part of
// the text goes into a temporary file beside the output as it comes, and
// only its paragraph's place and where its part lies are kept (16 bytes a
// requirement), so that the parts can be put in paragraph order and the
// document's text packed into the archive from a second temporary file.
class OdtReport
{
public:
    // The heading of the section of a paragraph number; empty (or "None",
    // which a requirement saved without one stores) for the requirements
    // without one.
    static QString heading(const QString &paragraph);
    // Writes the OpenDocument file into the device; the temporary files go
    // into `folder`.
    static Outcome write(const ExchangeSet &set, const QDateTime &created, QIODevice &device,
                         const QString &folder);
};

} // namespace varn::interchange
