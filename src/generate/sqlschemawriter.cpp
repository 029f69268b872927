#include "generate/sqlschemawriter.h"

#include "generate/generatormessages.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>

namespace varn::generate {

using objmodel::ObjectModel;

namespace {

constexpr qsizetype kLongestName = 63; // bytes, PostgreSQL's limit
constexpr qsizetype kHashLength = 8;

struct ColumnType
{
    const char *dataType;
    const char *sqlType;
};

constexpr ColumnType kColumnTypes[] = {
    {"int", "SMALLINT"},
    {"long", "INTEGER"},
    {"double", "DOUBLE PRECISION"},
};
constexpr char kKeyType[] = "INTEGER";

const char *sqlTypeOf(const QString &dataType)
{
    for (const ColumnType &type : kColumnTypes) {
        if (dataType == QLatin1String(type.dataType))
            return type.sqlType;
    }
    return nullptr;
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

// A name cut to fit PostgreSQL's limit: its start, then "_" and a hash of the
// whole name, so two long names with one start stay apart.
QString fitted(const QString &name)
{
    if (name.toUtf8().size() <= kLongestName)
        return name;
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1)
                                .toHex()
                                .left(kHashLength));
    QString start = name;
    while (start.toUtf8().size() > kLongestName - kHashLength - 1)
        start.chop(start.size() >= 2 && start.at(start.size() - 1).isLowSurrogate() ? 2 : 1);
    return start + QLatin1Char('_') + hash;
}

// Names of one kind that the databases must tell apart, compared without
// regard to case.
class SqlNameScope
{
public:
    QString claim(const QString &wanted)
    {
        QString name = fitted(reservedFree(wanted));
        for (int n = 2; m_names.contains(name.toCaseFolded()); ++n)
            name = fitted(reservedFree(wanted)) + QLatin1Char('_') + QString::number(n);
        m_names.insert(name.toCaseFolded());
        return name;
    }

private:
    // SQLite keeps names beginning "sqlite_" for itself.
    static QString reservedFree(const QString &name)
    {
        return name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)
                   ? QLatin1Char('_') + name
                   : name;
    }

    QSet<QString> m_names;
};

struct ForeignKey
{
    QString constraint; // "FKp_7"
    QString column;     // "FKp_Dispatcher"
    int referencedId = 0;
};

} // namespace

SqlSchemaWriter::SqlSchemaWriter(const ObjectModel &model, QString systemName)
    : m_model(model), m_systemName(std::move(systemName))
{}

QString SqlSchemaWriter::fileName(const QString &systemName)
{
    return systemName + QLatin1String("-schema.sql");
}

QString SqlSchemaWriter::render() const
{
    SqlNameScope tables;
    QHash<int, QString> tableOf;
    for (const ObjectModel::Entity &entity : m_model.entities())
        tableOf.insert(entity.id, tables.claim(entity.name));
    const auto keyColumn = [](int id) { return QStringLiteral("PKID_Entity%1").arg(id); };

    QString out = QLatin1String("-- Varn SE-generated SQL schema.\n-- ") +
                  QLatin1String(texts::kVersionLine) + QLatin1String("\n-- SYSTEM NAME: ") +
                  m_systemName +
                  QLatin1String("\n-- Plain SQL for SQLite 3 and PostgreSQL: the tables, then the "
                                "foreign keys, then their indexes.\n\nBEGIN;\n");
    QString foreignKeys;
    QString indexes;
    for (const ObjectModel::Entity &entity : m_model.entities()) {
        const QString table = quoted(tableOf.value(entity.id));
        SqlNameScope columns;
        const QString key = columns.claim(keyColumn(entity.id));
        out += QLatin1String("\nCREATE TABLE ") + table + QLatin1String(" (\n    ") + quoted(key) +
               QLatin1Char(' ') + QLatin1String(kKeyType) + QLatin1String(" NOT NULL,\n");
        for (const ObjectModel::Attribute *attribute : m_model.attributesOf(entity.id)) {
            if (const char *type = sqlTypeOf(attribute->dataType))
                out += QLatin1String("    ") + quoted(columns.claim(attribute->name)) +
                       QLatin1Char(' ') + QLatin1String(type) + QLatin1String(",\n");
        }
        out += QLatin1String("    CONSTRAINT ") + quoted(QStringLiteral("PK_%1").arg(entity.id)) +
               QLatin1String(" PRIMARY KEY (") + quoted(key) + QLatin1String(")\n);\n");

        QList<ForeignKey> keys;
        const auto add = [&](const char *prefix, int constraintKey, int ownerId) {
            if (const ObjectModel::Entity *owner = m_model.entity(ownerId))
                keys.append({QLatin1String(prefix) + QString::number(constraintKey),
                             columns.claim(QLatin1String(prefix) + owner->name), ownerId});
        };
        for (const ObjectModel::Attribute *pointer :
             m_model.attributesNamed(QLatin1String("*p") + entity.name))
            add("FKp_", pointer->id, pointer->entityId);
        for (const ObjectModel::Aggregation *aggregation : m_model.wholesOf(entity.name)) {
            int key = 0;
            for (const ObjectModel::Attribute *reference :
                 m_model.attributesNamed(QLatin1String("&r") + entity.name)) {
                if (reference->entityId == aggregation->wholeId && !key)
                    key = reference->id;
            }
            if (key)
                add("FKr_", key, aggregation->wholeId);
        }
        for (const ObjectModel::Inheritance *inheritance : m_model.basesOf(entity.name))
            add("FKi_", inheritance->id, inheritance->baseId);

        for (const ForeignKey &foreign : std::as_const(keys)) {
            foreignKeys += QLatin1String("ALTER TABLE ") + table + QLatin1String(" ADD COLUMN ") +
                           quoted(foreign.column) + QLatin1Char(' ') + QLatin1String(kKeyType) +
                           QLatin1String(" CONSTRAINT ") + quoted(foreign.constraint) +
                           QLatin1String(" REFERENCES ") +
                           quoted(tableOf.value(foreign.referencedId)) + QLatin1String(" (") +
                           quoted(keyColumn(foreign.referencedId)) + QLatin1String(");\n");
            indexes += QLatin1String("CREATE INDEX ") +
                       quoted(QLatin1String("IX_") + foreign.constraint) + QLatin1String(" ON ") +
                       table + QLatin1String(" (") + quoted(foreign.column) + QLatin1String(");\n");
        }
    }
    if (!foreignKeys.isEmpty())
        out += QLatin1Char('\n') + foreignKeys + QLatin1Char('\n') + indexes;
    out += QLatin1String("\nCOMMIT;\n");
    return out;
}

} // namespace varn::generate
