#include "templates/templatemanual.h"

#include "templates/templatestr.h"

#include "templates/templatecatalogue.h"

namespace varn::templates {

namespace {

QString escaped(const QString &text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toHtmlEscaped();
}

QString fieldList(const FunctionalTemplate &functional)
{
    QString list = QStringLiteral("<ul>");
    for (const FieldRole role : functional.fields) {
        const FieldRoleInfo &info = TemplateCatalogue::role(role);
        list += QStringLiteral("<li><b>%1</b>").arg(escaped(QString::fromUtf8(info.label)));
        if (info.kind == FieldKind::List)
            list += Tr::tr(": one of ") +
                    TemplateCatalogue::itemTexts(TemplateCatalogue::listOf(role, functional.number))
                        .join(QStringLiteral(", "))
                        .toHtmlEscaped();
        else if (info.tooltip && *info.tooltip)
            list += QStringLiteral(" - ") + escaped(Tr::tr(info.tooltip));
        list += QStringLiteral("</li>");
    }
    return list + QStringLiteral("</ul>");
}

} // namespace

QString TemplateManual::html()
{
    QString page = Tr::tr(
        "<html><head><title>The templates</title></head><body><h1>The templates</h1>"
        "<p>Templates 1 to 18 write functional requirements, 19 to 22 structural ones. Open a "
        "template from the Templates menu, or from a navigator (Compose menu) with your words in "
        "its Work Area. See Example fills the template with its worked example.</p>"
        "<p><a href=\"index.html\">Contents</a></p>");
    for (int number = 1; number <= TemplateCatalogue::kLastStructural; ++number) {
        page += QStringLiteral("<h2><a name=\"template%1\"></a>%2</h2>")
                    .arg(number)
                    .arg(escaped(Tr::tr(TemplateCatalogue::navigatorItem(number))));
        page += QStringLiteral("<p style=\"white-space: pre-wrap\">%1</p>")
                    .arg(escaped(Tr::tr(TemplateCatalogue::specification(number))));
        if (const FunctionalTemplate *functional = TemplateCatalogue::functional(number))
            page += Tr::tr("<p>Its boxes:</p>") + fieldList(*functional);
    }
    return page + QStringLiteral("</body></html>");
}

} // namespace varn::templates
