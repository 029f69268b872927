#pragma once

#include <QString>

namespace varn::templates {

// The manual's page of the templates, made from the template catalogue so
// that it always says what the dialogs do: each template's name, its
// pattern and notes as the navigators show them and, for the functional
// ones, the boxes it fills.
class TemplateManual
{
public:
    static QString html();
};

} // namespace varn::templates
