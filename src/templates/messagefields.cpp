#include "templates/messagefields.h"

#include "store/creqpvset.h"
#include "store/creqstset.h"
#include "templates/templatecatalogue.h"

namespace varn::templates {

namespace {

// The message is compared as a whole text: its own "%" and "_" are no
// wildcards.
QString likeLiteral(QString text)
{
    text.replace(QLatin1Char('!'), QLatin1String("!!"));
    text.replace(QLatin1Char('%'), QLatin1String("!%"));
    text.replace(QLatin1Char('_'), QLatin1String("!_"));
    return text;
}

// "0" Alpha, "1" Alphanumeric, any other choice Numeric; no choice shows nothing.
QString dataTypeName(const QString &stored)
{
    const QString position = stored.trimmed();
    if (position.isEmpty() || position == QLatin1String("-1"))
        return {};
    const QStringList names = TemplateCatalogue::messageDataTypes();
    if (position == QLatin1String("0") || position == QLatin1String("1"))
        return names.at(position.toInt());
    return names.last();
}

Result<QString> joinedValues(const QString &connectionName, const store::StrucReqRow &row)
{
    if (row.PossVal != QLatin1String("0"))
        return QString();
    store::CReqPvSet values(connectionName);
    values.setFilter(QStringLiteral("FK_SReqNum = ?"), {row.S_ReqNum});
    values.setSort(QStringLiteral("PV_ID"));
    if (Outcome opened = values.open(store::CReqPvSet::OpenType::Snapshot); !opened)
        return opened;
    QStringList texts;
    if (Outcome read = values.forEachRow([&](const auto &row) { texts.append(row.Value); }); !read)
        return read;
    return texts.join(QLatin1String(", "));
}

} // namespace

Result<QList<MessageFieldLine>> MessageFields::ofRequirement(const QString &connectionName,
                                                             int number)
{
    store::CReqStSet structural(connectionName);
    structural.setFilter(QStringLiteral("S_ReqNum = ?"), {number});
    if (Outcome opened = structural.open(store::CReqStSet::OpenType::Snapshot); !opened)
        return opened;
    if (structural.isEOF())
        return QList<MessageFieldLine>();
    return ofMessage(connectionName, structural.row().EntityAttr);
}

Result<QList<MessageFieldLine>> MessageFields::ofMessage(const QString &connectionName,
                                                         const QString &message)
{
    store::CReqStSet structural(connectionName);
    structural.setFilter(
        QStringLiteral("(EntityAttr LIKE ? ESCAPE '!') AND (Source = ?) AND (S_ReqNum IN "
                       "(SELECT Req_Num FROM MASTER_REQ WHERE FSTType <> ?))"),
        {likeLiteral(message), TemplateCatalogue::kMessageDefinition, QStringLiteral("Deleted")});
    structural.setSort(QStringLiteral("Position, S_ReqNum"));
    if (Outcome opened = structural.open(store::CReqStSet::OpenType::Snapshot); !opened)
        return opened;
    QList<MessageFieldLine> lines;
    Outcome valuesRead = Outcome::ok();
    Outcome read = structural.forEachRow([&](const store::StrucReqRow &row) {
        Result<QString> values = joinedValues(connectionName, row);
        if (!values) {
            valuesRead = values.outcome();
            return;
        }
        lines.append({row.S_ReqNum, row.Position == -1 ? QString() : QString::number(row.Position),
                      row.AttrName, dataTypeName(row.DataType), row.From, row.To, values.value()});
    });
    if (!valuesRead)
        return valuesRead;
    if (!read)
        return read;
    return lines;
}

} // namespace varn::templates
