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
    const QString guard = QLatin1String("VARN_") + shape.className + QLatin1String("_H");
    out += QLatin1String("#ifndef ") + guard + QLatin1String("\n#define ") + guard +
           QLatin1String("\n\n");
    writeIncludes(out, shape);
    writeForwardDeclarations(out, shape);
    out += QLatin1String("class ") + shape.className;
    if (!shape.baseClass.isEmpty())
        out += QLatin1String(" : public ") + shape.baseClass;
    out += QLatin1String("\n{\n  public:\n\n");
    if (m_verbose)
        writeVerboseAccessors(out, shape);
    writeAccessors(out, shape);
    writeMethods(out, shape);
    if (m_verbose)
        writeConstructors(out, shape);
    out += QLatin1String("  private:\n\n");
    writeMembers(out, shape);
    out += QLatin1String("};\n\n#endif\n");
    return out;
}

void CppHeaderWriter::writeBanner(QString &out, const ClassShape &shape) const
{
    const QString rule = QString(77, QLatin1Char('/')) + QLatin1Char('\n');
    out += rule + QLatin1String("//Varn SE-generated C++ header file.\n") + rule +
           QLatin1String("//") + QLatin1String(texts::kVersionLine) + QLatin1Char('\n') + rule +
           QLatin1String("//FILENAME: ") + shape.className + QLatin1String(".h\n") + rule +
           QLatin1Char('\n');
}

// The base first, then every class pointed to or aggregated; a class named
// by two attributes is included twice, as the attributes are listed.
void CppHeaderWriter::writeIncludes(QString &out, const ClassShape &shape) const
{
    bool any = false;
    const auto include = [&](const QString &name) {
        out += QLatin1String("#include \"") + name + QLatin1String(".h\"\n");
        any = true;
    };
    if (!shape.baseClass.isEmpty())
        include(shape.baseClass);
    for (const ClassShape::Member &link : shape.linksByName) {
        if (!shape.targetsNotIncluded.contains(link.target))
            include(link.targetClass);
    }
    if (any)
        out += QLatin1Char('\n');
}

// Pointers and references need only the name of their class; declaring it
// lets headers that point at each other include each other.
void CppHeaderWriter::writeForwardDeclarations(QString &out, const ClassShape &shape) const
{
    QStringList declared;
    for (const ClassShape::Member &link : shape.linksByName) {
        if (!declared.contains(link.targetClass))
            declared.append(link.targetClass);
    }
    for (const QString &name : std::as_const(declared))
        out += QLatin1String("class ") + name + QLatin1String(";\n");
    if (!declared.isEmpty())
        out += QLatin1Char('\n');
}

void CppHeaderWriter::writeVerboseAccessors(QString &out, const ClassShape &shape) const
{
    for (const ClassShape::Member &attribute : shape.enumerated) {
        out += kIndent + QLatin1String("enum ") + attribute.stem + QLatin1Char('\n') + kIndent +
               QLatin1String("{\n");
        for (qsizetype i = 0; i < attribute.valueNames.size(); ++i) {
            out += QLatin1String("      ") + attribute.valueNames.at(i) +
                   QLatin1String(i + 1 < attribute.valueNames.size() ? ",\n" : "\n");
        }
        out += kIndent + QLatin1String("};\n\n");
        accessorPair(out, attribute.stem, attribute.stem);
    }
    for (const ClassShape::Member &attribute : shape.plainInts)
        accessorPair(out, QStringLiteral("int"), attribute.stem);
}

void CppHeaderWriter::writeAccessors(QString &out, const ClassShape &shape) const
{
    for (const ClassShape::Member &attribute : shape.longsAndDoubles)
        accessorPair(out, attribute.dataType, attribute.stem);
}

void CppHeaderWriter::writeMethods(QString &out, const ClassShape &shape) const
{
    if (shape.methodNames.isEmpty())
        return;
    out += kIndent + QLatin1String("//Derived Methods\n\n");
    for (const QString &method : shape.methodNames)
        out += kIndent + QLatin1String("int ") + method + QLatin1String("();\n");
    out += QLatin1Char('\n');
}

// One parameter per accessor written above, in the same order.
void CppHeaderWriter::writeConstructors(QString &out, const ClassShape &shape) const
{
    QStringList parameters;
    for (const ClassShape::Member &attribute : shape.enumerated)
        parameters.append(attribute.stem);
    for (qsizetype i = 0; i < shape.plainInts.size(); ++i)
        parameters.append(QStringLiteral("int"));
    for (const ClassShape::Member &attribute : shape.longsAndDoubles)
        parameters.append(attribute.dataType);

    out += kIndent + QLatin1String("//Constructors\n\n") + kIndent + shape.className +
           QLatin1String("();\n");
    if (!parameters.isEmpty())
        out += kIndent + shape.className + QLatin1Char('(') + parameters.join(QLatin1String(", ")) +
               QLatin1String(");\n");
    out += QLatin1Char('\n');

    if (!shape.pointers.isEmpty())
        out += kIndent + QLatin1String("//Destructor\n\n") + kIndent + QLatin1Char('~') +
               shape.className + QLatin1String("();\n\n");
}

// A pointer or reference keeps its "*" or "&" before the member's name.
void CppHeaderWriter::writeMembers(QString &out, const ClassShape &shape) const
{
    const auto link = [&out](const ClassShape::Member &attribute) {
        const bool pointer = attribute.dataType == QLatin1String("pointer");
        member(out, attribute.targetClass, QLatin1Char(pointer ? '*' : '&') + attribute.field);
    };
    if (!m_verbose) {
        for (const ClassShape::Member &attribute : shape.attributes) {
            if (attribute.isLink())
                link(attribute);
            else
                member(out, attribute.dataType, attribute.field);
        }
        return;
    }
    for (const ClassShape::Member &attribute : shape.enumerated)
        member(out, attribute.stem, attribute.field);
    for (const ClassShape::Member &attribute : shape.plainInts + shape.longsAndDoubles)
        member(out, attribute.dataType, attribute.field);
    for (const ClassShape::Member &attribute : shape.pointers + shape.references)
        link(attribute);
}

} // namespace varn::generate
