#include "templates/widgets/composerbuttonrow.h"

#include "templates/templatestr.h"

#include <QLayout>
#include <QPushButton>

namespace varn::templates {

namespace {

struct ButtonInfo
{
    const char *text;
    const char *tooltip;
    std::function<void()> ComposerButtonRow::Actions::*action;
};

const ButtonInfo kButtons[] = {
    {QT_TRANSLATE_NOOP("varn::templates", "See Example"),
     QT_TRANSLATE_NOOP("varn::templates", "Displays example in template fields; overwrites data"),
     &ComposerButtonRow::Actions::seeExample},
    {QT_TRANSLATE_NOOP("varn::templates", "Clear"),
     QT_TRANSLATE_NOOP("varn::templates", "Clears all template fields"),
     &ComposerButtonRow::Actions::clear},
    {QT_TRANSLATE_NOOP("varn::templates", "System Entities..."),
     QT_TRANSLATE_NOOP("varn::templates", "Opens the System Entities dialog"),
     &ComposerButtonRow::Actions::systemEntities},
    {QT_TRANSLATE_NOOP("varn::templates", "Preview"),
     QT_TRANSLATE_NOOP("varn::templates", "Displays the defined requirement"),
     &ComposerButtonRow::Actions::preview},
    {QT_TRANSLATE_NOOP("varn::templates", "Save"),
     QT_TRANSLATE_NOOP("varn::templates", "Validates and commits requirement to database"),
     &ComposerButtonRow::Actions::save},
    {QT_TRANSLATE_NOOP("varn::templates", "Close"),
     QT_TRANSLATE_NOOP("varn::templates", "Closes dialog without saving changes"),
     &ComposerButtonRow::Actions::close},
};

} // namespace

ComposerButtonRow::ComposerButtonRow(QWidget *owner, QLayout *row, const Actions &actions)
{
    for (const ButtonInfo &info : kButtons) {
        QPushButton *pushButton = m_buttons.add(owner, Tr::tr(info.text), Tr::tr(info.tooltip));
        row->addWidget(pushButton);
        QObject::connect(pushButton, &QPushButton::clicked, owner, actions.*info.action);
    }
}

QPushButton *ComposerButtonRow::button(const QString &text) const
{
    return m_buttons.find(text);
}

} // namespace varn::templates
