#pragma once

#include "common/outcome.h"
#include "interchange/exchangedrequirement.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace varn::interchange {

// The requirements as an OpenDocument text for reviews: a title page (the
// system's name and the date), the contents (the paragraph headings), then
// under each paragraph number, in document order, its requirements in number
// order, each with its sentence and attributes. Requirements without a
// paragraph number come last, under a heading of their own.
class OdtReport
{
public:
    struct Section
    {
        QString paragraph; // empty: the requirements without one
        QList<const ExchangedRequirement *> requirements;
    };

    // The sections in the order the document shows them.
    static QList<Section> sections(const QList<ExchangedRequirement> &requirements);
    // The heading of a section.
    static QString heading(const Section &section);
    // The OpenDocument file's bytes.
    // The text is built whole before it is written: it holds every
    // requirement.
    static Result<QByteArray> document(const QString &systemName,
                                       const QList<ExchangedRequirement> &requirements,
                                       const QDateTime &created);
};

} // namespace varn::interchange
