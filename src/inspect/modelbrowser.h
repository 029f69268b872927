#pragma once

#include "common/outcome.h"

#include <QCoreApplication>

#include <QList>
#include <QString>
#include <QStringList>

namespace varn::inspect {

// The three browsing dialogs of the object model: entity types, attributes
// and methods of one entity at a time.
enum class BrowserKind { Entities, Attributes, Methods };

// What the results of one list are read from.
enum class ResultQuery { Types, DataMembers, Associations, Compositions, Methods };

struct ResultListSpec
{
    const char *caption;
    ResultQuery query;
};

// One dialog's texts (gathered for translation; shown through Tr::tr()) and lists.
struct BrowserSpec
{
    BrowserKind kind;
    const char *title;
    const char *seeButton;
    const char *seeTooltip;
    const char *noSelection; // shown when See is pressed with no entity selected
    QList<ResultListSpec> lists;
    bool selectionEmptiesResults; // a new selection empties the result lists
};

// The lists of the dialogs, read afresh on every call.
class ModelBrowser
{
public:
    static const BrowserSpec &spec(BrowserKind kind);
    static constexpr const char *kNone = QT_TRANSLATE_NOOP("varn::inspect", "None.");

    explicit ModelBrowser(QString connectionName) : m_connection(std::move(connectionName)) {}

    // Every entity name, sorted.
    Result<QStringList> entityNames() const;
    // The lines of each of the dialog's result lists for the entity, in the
    // order of its spec; a list without rows (or of an entity the model does
    // not hold) holds "None.".
    Result<QList<QStringList>> resultLists(BrowserKind kind, const QString &entity) const;

private:
    QString m_connection;
};

} // namespace varn::inspect
