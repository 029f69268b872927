#pragma once

#include "common/outcome.h"
#include "interchange/reqifcontent.h"
#include "store/foreignobjects.h"

#include <QSet>
#include <QString>

namespace varn::interchange {

// Another tool's document as the workspace keeps it: each requirement's
// object in REQIF_OBJECT and REQIF_VALUE, its relations in REQIF_RELATION,
// and the rest (datatypes, types with their definitions, document trees, the
// hierarchy, headings and the objects that are no requirements) as one JSON
// layout in REQIF_DOCUMENT.
class ForeignDocument
{
public:
    // The layout of a document: everything but the objects named and the
    // relations.
    // A large file's objects are read back from where they were kept apart.
    static Result<QString> encodeLayout(const ReqIfContent &content,
                                        const QSet<QString> &keptElsewhere);
    // The identifiers of the document's objects, in file order.
    static QStringList objectIdentifiers(const ReqIfContent &content);
    static ReqIfContent decodeLayout(const QString &layout);

    static QString encodeValues(const QList<ReqIfContent::Value> &values);
    static QList<ReqIfContent::Value> decodeValues(const QString &text);

    static store::ForeignObjectRow objectRow(const ReqIfContent &content,
                                             const ReqIfContent::Object &object);
    static ReqIfContent::Object object(const store::ForeignObjectRow &row);

    static store::ForeignRelationRow relationRow(const ReqIfContent &content,
                                                 const ReqIfContent::Relation &relation);
    static ReqIfContent::Relation relation(const store::ForeignRelationRow &row);

    // Whether two versions of an object hold the same values.
    static bool sameValues(const ReqIfContent::Object &a, const ReqIfContent::Object &b);
};

} // namespace varn::interchange
