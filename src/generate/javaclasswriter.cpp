#include "generate/javaclasswriter.h"

#include "generate/generatormessages.h"

namespace varn::generate {

namespace {

const QString kIndent = QStringLiteral("    ");

void section(QString &out, const char *title)
{
    out += kIndent + QLatin1String("//") + QLatin1String(title) + QLatin1String("\n\n");
}

void accessorPair(QString &out, const QString &type, const ClassShape::Member &attribute)
{
    const QString &name = attribute.field;
    const QString &cap = attribute.stem;
    out += kIndent + QLatin1String("public ") + type + QLatin1String(" get") + cap +
           QLatin1String("() {return ") + name + QLatin1String(";}\n") + kIndent +
           QLatin1String("public void set") + cap + QLatin1Char('(') + type + QLatin1String(" in") +
           cap + QLatin1String(") {") + name + QLatin1String(" = in") + cap +
           QLatin1String(";}\n\n");
}

void field(QString &out, const QString &type, const QString &name)
{
    out +=
        kIndent + QLatin1String("private ") + type + QLatin1Char(' ') + name + QLatin1String(";\n");
}

// A field of a class the model does not hold would not compile; it is kept
// as a comment that says so.
void creatingField(QString &out, const ClassShape::Member &link, const ClassShape &shape)
{
    if (shape.missingTargets.contains(link.target))
        out += kIndent + QLatin1String("//") + link.targetClass +
               QLatin1String(" is no class of the model: ");
    else
        out += kIndent;
    out += QLatin1String("private ") + link.targetClass + QLatin1Char(' ') + link.field +
           QLatin1String(" = new ") + link.targetClass + QLatin1String("();\n");
}

} // namespace

QString JavaClassWriter::render(const ClassShape &shape) const
{
    QString out;
    writeBanner(out, shape);
    out += QLatin1String("public class ") + shape.className;
    if (!shape.baseClass.isEmpty())
        out += QLatin1String(" extends ") + shape.baseClass;
    out += QLatin1String(" {\n\n");
    writeEnumerations(out, shape);
    writeAccessors(out, shape);
    writeMethods(out, shape);
    writeFields(out, shape);
    out += QLatin1Char('}');
    return out;
}

void JavaClassWriter::writeBanner(QString &out, const ClassShape &shape)
{
    out += QLatin1String("/**\n** Varn SE-generated Java file.\n** \n** ") +
           QLatin1String(texts::kVersionLine) + QLatin1String("\n** \n** FILENAME: ") +
           shape.className + QLatin1String(".java\n*/\n\n");
}

void JavaClassWriter::writeEnumerations(QString &out, const ClassShape &shape)
{
    if (!shape.enumerated.isEmpty())
        section(out, "ENUM DEFINITIONS");
    for (const ClassShape::Member &attribute : shape.enumerated) {
        out += kIndent + QLatin1String("public enum ") + attribute.stem + QLatin1String(" {\n");
        for (qsizetype i = 0; i < attribute.valueNames.size(); ++i) {
            out += QLatin1String("        ") + attribute.valueNames.at(i) +
                   QLatin1String(i + 1 < attribute.valueNames.size() ? ",\n" : "\n");
        }
        out += kIndent + QLatin1String("}\n\n");
        accessorPair(out, attribute.stem, attribute);
    }
}

// Long and double accessors follow the int ones without a section line of
// their own.
void JavaClassWriter::writeAccessors(QString &out, const ClassShape &shape)
{
    if (!shape.plainInts.isEmpty())
        section(out, "GET/SET ACCESSOR METHODS");
    for (const ClassShape::Member &attribute : shape.plainInts)
        accessorPair(out, attribute.dataType, attribute);
    for (const ClassShape::Member &attribute : shape.longsAndDoubles)
        accessorPair(out, attribute.dataType, attribute);
}

void JavaClassWriter::writeMethods(QString &out, const ClassShape &shape)
{
    if (shape.methodNames.isEmpty())
        return;
    section(out, "METHODS");
    for (const QString &method : shape.methodNames)
        out += kIndent + QLatin1String("public int ") + method + QLatin1String("() {return 0;}\n");
    out += QLatin1Char('\n');
}

// Every present section is preceded by exactly one empty line; the first one
// follows the empty line that ends whatever came before it.
void JavaClassWriter::writeFields(QString &out, const ClassShape &shape)
{
    bool first = true;
    const auto open = [&](const char *title) {
        if (!first)
            out += QLatin1Char('\n');
        first = false;
        section(out, title);
    };
    if (!shape.enumerated.isEmpty() || !shape.plainInts.isEmpty()) {
        open("ATTRIBUTES");
        for (const ClassShape::Member &attribute : shape.enumerated)
            field(out, attribute.stem, attribute.field);
        for (const ClassShape::Member &attribute : shape.plainInts)
            field(out, attribute.dataType, attribute.field);
    }
    if (!shape.longsAndDoubles.isEmpty()) {
        open("DOUBLE and LONG ATTRIBUTES");
        for (const ClassShape::Member &attribute : shape.longsAndDoubles)
            field(out, attribute.dataType, attribute.field);
    }
    if (!shape.pointers.isEmpty()) {
        open("ASSOCATION ATTRIBUTES");
        for (const ClassShape::Member &link : shape.pointers)
            creatingField(out, link, shape);
    }
    if (!shape.references.isEmpty()) {
        open("COMPOSITION ATTRIBUTES");
        for (const ClassShape::Member &link : shape.references)
            creatingField(out, link, shape);
    }
}

} // namespace varn::generate
