#pragma once

#include "interchange/interchangetr.h"

#include "interchange/exchangedrequirement.h"
#include "interchange/reqifcontent.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

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
        // From another tool's exchange file: the object as the file holds it
        // (identifier, type, every attribute value), kept with the
        // requirement so that an export writes it back and a newer file
        // updates it. Null for every other source.
        std::shared_ptr<const ReqIfContent::Object> foreign;
        // The whole text when it is longer than a sentence may be; the
        // requirement's text is then the shortened sentence.
        QString fullText;
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
        QString typeName; // the relation type's long name, from another tool's file
    };

    QList<Item> items;
    QList<Link> links;
    // What was left out while the file was read, one line each.
    QStringList report;
    // Another tool's document the items came from (definitions, types,
    // relations, document trees and hierarchy with its headings), kept so an
    // export can write it back; null for every other source.
    std::shared_ptr<const ReqIfContent> foreignDocument;
};

} // namespace varn::interchange
