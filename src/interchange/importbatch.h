#pragma once

#include "interchange/interchangetr.h"

#include "interchange/exchangedrequirement.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace varn::interchange {

// What an import is to write: the requirements in the order they are saved,
// each named by where it came from (an identifier of the file, a row), and
// the links between them by those names. Composed requirements carry their
// composer's stored fields; the others become technical requirements.
struct ImportBatch
{
    struct Item
    {
        QString origin;
        ExchangedRequirement requirement;
        QString label; // how the report names it; empty: "Requirement <origin>"
        QString name() const
        {
            return label.isEmpty() ? Tr::tr("Requirement %1").arg(origin) : label;
        }
    };
    struct Link
    {
        QString origin; // the relation's identifier, for the report
        QString parent;
        QString dependent;
    };

    QList<Item> items;
    QList<Link> links;
    // What was left out while the file was read, one line each.
    QStringList report;
};

} // namespace varn::interchange
