#include "generate/sqlmodulewriter.h"
#include "generate/generatetr.h"

#include "generate/generatormessages.h"
#include "generate/identifierspelling.h"

namespace varn::generate {

using objmodel::ObjectModel;

namespace {

// Column types of the three scalar data types; pointer and reference
// attributes become foreign keys of the other table instead.
struct ColumnType
{
    const char *dataType;
    const char *columnType;
};
constexpr ColumnType kColumnTypes[] = {
    {"int", "short"},
    {"long", "long"},
    {"double", "double"},
};

constexpr char kForeignKeyType[] = "long";
constexpr char kPointerPrefix[] = "*p";
constexpr char kPointerType[] = "pointer";
constexpr char kReferenceType[] = "reference";

// The length estimate of a CREATE statement starts from this text plus the
// table name; every column adds its name and the width of the longest type
// with its brackets.
constexpr char kEstimateBase[] =
    "CREATE TABLE ([PKID_Entity22222] long, CONSTRAINT [PK_22222] PRIMARY KEY ([PKID_Entity22222])";
constexpr qsizetype kEstimatePerColumn = 8; // "double[]"

constexpr const char *kHeavySectionComment[] = {
    "The following statements are for tables with > 30 indexes; once the 32 index limit",
    "is reached, Access will not allow the creation of any more indexes. Insert code that",
    "could not be executed into other modules to create the greatest number of relationships.",
};

// The attribute passes of the constraints: the data type that marks the
// relationship and the prefix of its column and constraint names.
struct LinkPass
{
    const char *dataType;
    const char *prefix;
};
constexpr LinkPass kLinkPasses[] = {
    {kPointerType, "FKp_"},
    {kReferenceType, "FKr_"},
};

const char *columnTypeOf(const QString &dataType)
{
    for (const ColumnType &type : kColumnTypes) {
        if (dataType == QLatin1String(type.dataType))
            return type.columnType;
    }
    return nullptr;
}

bool isLink(const QString &dataType)
{
    return dataType == QLatin1String(kPointerType) || dataType == QLatin1String(kReferenceType);
}

const QString kRunStatement = QStringLiteral("\n  DoCmd.RunSQL strSQL\n\n");

} // namespace

SqlModuleWriter::SqlModuleWriter(const ObjectModel &model, QString systemName,
                                 GenerationCallbacks callbacks)
    : m_model(model), m_systemName(std::move(systemName)), m_callbacks(std::move(callbacks))
{}

Result<QString> SqlModuleWriter::render()
{
    m_text.clear();
    m_heavyTables.clear();
    writeHeader();
    if (const Outcome tables = writeTables(); !tables)
        return tables;
    Result<QList<Pass>> passes = constraintPasses();
    if (!passes)
        return passes.outcome();
    writeConstraints(passes.value());
    if (!m_heavyTables.isEmpty())
        writeHeavySection(passes.value());
    m_text += QLatin1String("End Sub");
    return m_text;
}

void SqlModuleWriter::writeHeader()
{
    m_text += QLatin1String("'Varn SE-generated SQL.\n'") + QLatin1String(texts::kVersionLine) +
              QLatin1String("\n'SYSTEM NAME: ") + m_systemName + QLatin1String("\n\nPublic Sub ") +
              procedureName(m_systemName) + QLatin1String("()\n  Dim strSQL As String\n\n");
}

QString SqlModuleWriter::procedureName(const QString &systemName)
{
    QString name =
        IdentifierSpelling::spell(systemName + QLatin1String("_Schema"), CodeLanguage::Cpp);
    // Spelled, the name holds ASCII letters, digits and "_" only.
    if (!name.at(0).isLetter())
        name.prepend(QLatin1String("System"));
    return name;
}

Outcome SqlModuleWriter::writeTables()
{
    reportStatus(Tr::tr(texts::kStatusCreateTables));
    reportProgress(0, 0, {});
    const QList<ObjectModel::Entity> &entities = m_model.entities();
    for (qsizetype done = 0; done < entities.size(); ++done) {
        const ObjectModel::Entity &entity = entities.at(done);
        reportProgress(done, entities.size(), entity.name);
        Result<TableColumns> table = columnsOf(entity);
        if (!table)
            return table.outcome();
        writeTable(entity, table->columns);

        if (m_heavyTables.size() >= kMaxHeavyTables)
            return Outcome::warning(Tr::tr(texts::kTooManyHeavyTables));
        if (relationshipCount(entity, table->foreignKeys) > kHeavyRelationshipCount)
            m_heavyTables.append({entity.id, entity.name});
    }
    return Outcome::ok();
}

// The entity's own scalar attributes, then one foreign key per pointer to it,
// per aggregation that has it as the part and per base it is a kind of.
Result<SqlModuleWriter::TableColumns>
SqlModuleWriter::columnsOf(const ObjectModel::Entity &entity) const
{
    TableColumns table;
    for (const ObjectModel::Attribute *attribute : m_model.attributesOf(entity.id)) {
        if (const char *type = columnTypeOf(attribute->dataType))
            table.columns.append({attribute->name, QLatin1String(type)});
    }
    const qsizetype scalarColumns = table.columns.size();
    const QString foreignKeyType = QLatin1String(kForeignKeyType);
    const auto addForeignKey = [&](const char *prefix, int ownerId) {
        Result<QString> owner = entityName(ownerId);
        if (owner)
            table.columns.append({QLatin1String(prefix) + owner.value(), foreignKeyType});
        return owner.outcome();
    };
    for (const ObjectModel::Attribute *pointer :
         m_model.attributesNamed(QLatin1String(kPointerPrefix) + entity.name)) {
        if (Outcome added = addForeignKey("FKp_", pointer->entityId); !added)
            return added;
    }
    for (const ObjectModel::Aggregation *aggregation : m_model.wholesOf(entity.name)) {
        if (Outcome added = addForeignKey("FKr_", aggregation->wholeId); !added)
            return added;
    }
    for (const ObjectModel::Inheritance *inheritance : m_model.basesOf(entity.name)) {
        if (Outcome added = addForeignKey("FKi_", inheritance->baseId); !added)
            return added;
    }
    table.foreignKeys = table.columns.size() - scalarColumns;
    return table;
}

int SqlModuleWriter::relationshipCount(const ObjectModel::Entity &entity,
                                       qsizetype foreignKeyColumns) const
{
    qsizetype count = foreignKeyColumns + m_model.subEntityCount(entity.id);
    for (const ObjectModel::Attribute *attribute : m_model.attributesOf(entity.id))
        count += isLink(attribute->dataType) ? 1 : 0;
    return int(count);
}

void SqlModuleWriter::writeTable(const ObjectModel::Entity &entity, const QList<Column> &columns)
{
    const QString key = QString::number(entity.id);
    m_text += QLatin1String("  strSQL = \"CREATE TABLE ") + entity.name +
              QLatin1String(" ([PKID_Entity") + key + QLatin1String("] long, CONSTRAINT [PK_") +
              key + QLatin1String("] PRIMARY KEY ([PKID_Entity") + key + QLatin1String("])");

    qsizetype estimate = qsizetype(sizeof(kEstimateBase) - 1) + entity.name.size();
    bool open = true;
    const auto close = [&] {
        m_text += QLatin1String(");\"") + kRunStatement;
        open = false;
    };
    for (const Column &column : columns) {
        if (estimate < kStatementEstimateLimit && open) {
            m_text += QLatin1String(", [") + column.name + QLatin1String("] ") + column.type;
        } else {
            if (open)
                close();
            m_text += QLatin1String("  strSQL = \"ALTER TABLE ") + entity.name +
                      QLatin1String(" ADD COLUMN [") + column.name + QLatin1String("] ") +
                      column.type + QLatin1String(";\"") + kRunStatement;
        }
        estimate += column.name.size() + kEstimatePerColumn;
    }
    if (open)
        close();
}

// Pointers (owner holds "*p" + target), references (whole holds "&r" + part)
// and inheritance (sub-entity is a kind of its base), each as one pass.
Result<QList<SqlModuleWriter::Pass>> SqlModuleWriter::constraintPasses() const
{
    QList<Pass> passes;
    for (const LinkPass &link : kLinkPasses) {
        Pass pass{QLatin1String(link.prefix), {}};
        for (const ObjectModel::Attribute *attribute :
             m_model.attributesOfType(QLatin1String(link.dataType))) {
            Result<QString> owner = entityName(attribute->entityId);
            if (!owner)
                return owner.outcome();
            pass.relationships.append(
                {attribute->id, attribute->entityId, owner.value(), attribute->name.mid(2)});
        }
        passes.append(pass);
    }
    Pass inheritance{QStringLiteral("FKi_"), {}};
    for (const ObjectModel::Inheritance *row : m_model.inheritanceBySubEntity()) {
        Result<QString> base = entityName(row->baseId);
        if (!base)
            return base.outcome();
        inheritance.relationships.append({row->id, row->baseId, base.value(), row->subEntity});
    }
    passes.append(inheritance);
    return passes;
}

void SqlModuleWriter::writeConstraints(const QList<Pass> &passes)
{
    reportStatus(Tr::tr(texts::kStatusAlterTables));
    reportProgress(0, 0, {});
    for (const Pass &pass : passes) {
        const qsizetype total = pass.relationships.size();
        for (qsizetype done = 0; done < total; ++done) {
            const Relationship &relationship = pass.relationships.at(done);
            reportProgress(done, total, relationship.target);
            if (!isHeavy(relationship))
                writeConstraint(pass.prefix, relationship);
        }
    }
}

void SqlModuleWriter::writeHeavySection(const QList<Pass> &passes)
{
    reportStatus(Tr::tr(texts::kStatusHeavyTables));
    for (const char *line : kHeavySectionComment)
        m_text += QLatin1Char('\'') + QLatin1String(line) + QLatin1Char('\n');
    m_text += QLatin1Char('\n');
    for (const HeavyTable &heavy : std::as_const(m_heavyTables)) {
        for (const Pass &pass : passes) {
            const qsizetype total = pass.relationships.size();
            for (qsizetype done = 0; done < total; ++done) {
                const Relationship &relationship = pass.relationships.at(done);
                reportProgress(done, total, heavy.name);
                if (relationship.ownerId == heavy.id || relationship.target == heavy.name)
                    writeConstraint(pass.prefix, relationship);
            }
        }
    }
}

// Written as the statement has always been written: the closing quote of the
// string is left out.
void SqlModuleWriter::writeConstraint(const QString &prefix, const Relationship &relationship)
{
    m_text += QLatin1String("  strSQL = \"ALTER TABLE ") + relationship.target +
              QLatin1String(" ADD CONSTRAINT [") + prefix + QString::number(relationship.key) +
              QLatin1String("] FOREIGN KEY ([") + prefix + relationship.owner +
              QLatin1String("]) REFERENCES ") + relationship.owner + QLatin1Char(';') +
              kRunStatement;
}

bool SqlModuleWriter::isHeavy(const Relationship &relationship) const
{
    for (const HeavyTable &heavy : m_heavyTables) {
        if (heavy.id == relationship.ownerId || heavy.name == relationship.target)
            return true;
    }
    return false;
}

Result<QString> SqlModuleWriter::entityName(int id) const
{
    if (const ObjectModel::Entity *entity = m_model.entity(id))
        return entity->name;
    return Outcome::stop(GeneratorMessages::missingEntity(GeneratorKind::Sql, id));
}

void SqlModuleWriter::reportStatus(const QString &status) const
{
    if (m_callbacks.status)
        m_callbacks.status(status);
}

void SqlModuleWriter::reportProgress(qsizetype done, qsizetype total, const QString &name) const
{
    if (m_callbacks.progress)
        m_callbacks.progress(total > 0 ? int(done * 100 / total) : 0, name);
}

} // namespace varn::generate
