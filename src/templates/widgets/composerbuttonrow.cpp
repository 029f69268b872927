#include "templates/widgets/composerbuttonrow.h"

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
    {"See Example", "Displays example in template fields; overwrites data",
     &ComposerButtonRow::Actions::seeExample},
    {"Clear", "Clears all template fields", &ComposerButtonRow::Actions::clear},
    {"System Entities...", "Opens the System Entities dialog",
     &ComposerButtonRow::Actions::systemEntities},
    {"Preview", "Displays the defined requirement", &ComposerButtonRow::Actions::preview},
    {"Save", "Validates and commits requirement to database", &ComposerButtonRow::Actions::save},
    {"Close", "Closes dialog without saving changes", &ComposerButtonRow::Actions::close},
};

} // namespace

ComposerButtonRow::ComposerButtonRow(QWidget *owner, QLayout *row, const Actions &actions)
{
    for (const ButtonInfo &info : kButtons) {
        QPushButton *pushButton =
            m_buttons.add(owner, QString::fromUtf8(info.text), QString::fromUtf8(info.tooltip));
        row->addWidget(pushButton);
        QObject::connect(pushButton, &QPushButton::clicked, owner, actions.*info.action);
    }
}

QPushButton *ComposerButtonRow::button(const QString &text) const
{
    return m_buttons.find(text);
}

} // namespace varn::templates
