#include "generate/cppheaderwriter.h"

#include "generate/generatormessages.h"

namespace varn::generate {

namespace {

const QString kIndent = QStringLiteral("    ");

void accessorPair(QString &out, const QString &type, const QString &capitalised)
{
    out += kIndent + type + QLatin1String(" get") + capitalised + QLatin1String("();\n") + kIndent +
           QLatin1String("void set") + capitalised + QLatin1Char('(') + type +
           QLatin1String(");\n\n");
}

void member(QString &out, const QString &type, const QString &name)
{
    out += kIndent + type + QLatin1Char(' ') + name + QLatin1String(";\n");
}

} // namespace

QString CppHeaderWriter::render(const ClassShape &shape) const
{
    QString out;
    writeBanner(out, shape);
    writeIncludes(out, shape);
    out += QLatin1String("class ") + shape.name;
    if (!shape.base.isEmpty())
        out += QLatin1String(" : public ") + shape.base;
    out += QLatin1String("\n{\n  public:\n\n");
    if (m_verbose)
        writeVerboseAccessors(out, shape);
    writeAccessors(out, shape);
    writeMethods(out, shape);
    if (m_verbose)
        writeConstructors(out, shape);
    out += QLatin1String("  private:\n\n");
    writeMembers(out, shape);
    out += QLatin1String("};");
    return out;
}

void CppHeaderWriter::writeBanner(QString &out, const ClassShape &shape) const
{
    const QString rule = QString(77, QLatin1Char('/')) + QLatin1Char('\n');
    out += rule + QLatin1String("//Varn SE-generated C++ header file.\n") + rule +
           QLatin1String("//") + QLatin1String(texts::kVersionLine) + QLatin1Char('\n') + rule +
           QLatin1String("//FILENAME: ") + shape.name + QLatin1String(".h\n") + rule +
           QLatin1Char('\n');
}

// The base first, then every class pointed to or aggregated; a class named
// by two attributes is included twice, as the attributes are listed.
void CppHeaderWriter::writeIncludes(QString &out, const ClassShape &shape) const
{
    const auto include = [&out](const QString &name) {
        out += QLatin1String("#include \"") + name + QLatin1String(".h\"\n");
    };
    if (!shape.base.isEmpty())
        include(shape.base);
    for (const ClassShape::Member &link : shape.linksByName)
        include(link.target);
    if (!shape.base.isEmpty() || !shape.linksByName.isEmpty())
        out += QLatin1Char('\n');
}

void CppHeaderWriter::writeVerboseAccessors(QString &out, const ClassShape &shape) const
{
    for (const ClassShape::Member &attribute : shape.enumerated) {
        out += kIndent + QLatin1String("enum ") + attribute.capitalised + QLatin1Char('\n') +
               kIndent + QLatin1String("{\n");
        for (qsizetype i = 0; i < attribute.values.size(); ++i) {
            out += QLatin1String("      ") + attribute.values.at(i) +
                   QLatin1String(i + 1 < attribute.values.size() ? ",\n" : "\n");
        }
        out += kIndent + QLatin1String("};\n\n");
        accessorPair(out, attribute.capitalised, attribute.capitalised);
    }
    for (const ClassShape::Member &attribute : shape.plainInts)
        accessorPair(out, QStringLiteral("int"), attribute.capitalised);
}

void CppHeaderWriter::writeAccessors(QString &out, const ClassShape &shape) const
{
    for (const ClassShape::Member &attribute : shape.longsAndDoubles)
        accessorPair(out, attribute.dataType, attribute.capitalised);
}

void CppHeaderWriter::writeMethods(QString &out, const ClassShape &shape) const
{
    if (shape.methods.isEmpty())
        return;
    out += kIndent + QLatin1String("//Derived Methods\n\n");
    for (const QString &method : shape.methods)
        out += kIndent + QLatin1String("int ") + method + QLatin1String("();\n");
    out += QLatin1Char('\n');
}

// One parameter per accessor written above, in the same order.
void CppHeaderWriter::writeConstructors(QString &out, const ClassShape &shape) const
{
    QStringList parameters;
    for (const ClassShape::Member &attribute : shape.enumerated)
        parameters.append(attribute.capitalised);
    for (qsizetype i = 0; i < shape.plainInts.size(); ++i)
        parameters.append(QStringLiteral("int"));
    for (const ClassShape::Member &attribute : shape.longsAndDoubles)
        parameters.append(attribute.dataType);

    out += kIndent + QLatin1String("//Constructors\n\n") + kIndent + shape.name +
           QLatin1String("();\n");
    if (!parameters.isEmpty())
        out += kIndent + shape.name + QLatin1Char('(') + parameters.join(QLatin1String(", ")) +
               QLatin1String(");\n");
    out += QLatin1Char('\n');

    if (!shape.pointers.isEmpty())
        out += kIndent + QLatin1String("//Destructor\n\n") + kIndent + QLatin1Char('~') +
               shape.name + QLatin1String("();\n\n");
}

void CppHeaderWriter::writeMembers(QString &out, const ClassShape &shape) const
{
    if (!m_verbose) {
        for (const ClassShape::Member &attribute : shape.attributes)
            member(out, attribute.isLink() ? attribute.target : attribute.dataType, attribute.name);
        return;
    }
    for (const ClassShape::Member &attribute : shape.enumerated)
        member(out, attribute.capitalised, QLatin1Char('_') + attribute.capitalised);
    for (const ClassShape::Member &attribute : shape.plainInts)
        member(out, attribute.dataType, attribute.name);
    for (const ClassShape::Member &attribute : shape.longsAndDoubles)
        member(out, attribute.dataType, attribute.name);
    for (const ClassShape::Member &link : shape.pointers + shape.references)
        member(out, link.target, link.name);
}

} // namespace varn::generate
