#include "templates/widgets/systementitieswindow.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "templates/templatestr.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace varn::templates {

QPointer<SystemEntitiesWindow> SystemEntitiesWindow::s_shown;

namespace {

QListWidget *namedList(QWidget *parent, const QString &name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(name);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setMinimumSize(180, 200);
    return list;
}

} // namespace

SystemEntitiesWindow *SystemEntitiesWindow::showOver(app::Workbench &workbench, QWidget *owner)
{
    if (!s_shown) {
        s_shown = new SystemEntitiesWindow(workbench, owner);
        s_shown->setAttribute(Qt::WA_DeleteOnClose);
    }
    s_shown->centreOver(owner);
    s_shown->show();
    s_shown->raise();
    s_shown->activateWindow();
    return s_shown;
}

void SystemEntitiesWindow::closeShown()
{
    delete s_shown.data();
}

SystemEntitiesWindow::SystemEntitiesWindow(app::Workbench &workbench, QWidget *owner)
    : QDialog(owner), m_workbench(workbench),
      m_queries(workbench.app().requirementsConnectionName()),
      m_entities(namedList(this, Tr::tr("Entity"))),
      m_typeEntities(namedList(this, Tr::tr("Type : Entity"))),
      m_attributes(namedList(this, Tr::tr("Attributes"))),
      m_types(namedList(this, Tr::tr("Types"))), m_parts(namedList(this, Tr::tr("Parts")))
{
    setWindowTitle(Tr::tr("System Entities"));
    setModal(false);
    auto *grid = new QGridLayout(this);
    const auto labelled = [this, grid](int column, const QString &text, QListWidget *list) {
        auto *label = new QLabel(text, this);
        label->setBuddy(list);
        grid->addWidget(label, 0, column);
        grid->addWidget(list, 1, column);
    };
    labelled(0, Tr::tr("&Entity"), m_entities);
    labelled(1, Tr::tr("T&ype : Entity"), m_typeEntities);
    labelled(2, Tr::tr("&Attributes"), m_attributes);
    labelled(3, Tr::tr("Type&s"), m_types);
    labelled(4, Tr::tr("&Parts"), m_parts);
    const auto definitionButton = [this, grid](int column, const QString &tooltip) {
        auto *button = new QPushButton(Tr::tr("Definition >>"), this);
        button->setToolTip(tooltip);
        button->setAutoDefault(false);
        grid->addWidget(button, 2, column);
        return button;
    };
    connect(definitionButton(0, Tr::tr("Displays definition of selected entity")),
            &QPushButton::clicked, this, &SystemEntitiesWindow::showEntityDefinition);
    connect(definitionButton(1, Tr::tr("Displays definition of selected type : entity")),
            &QPushButton::clicked, this, &SystemEntitiesWindow::showTypeEntityDefinition);
    auto *close = new QPushButton(Tr::tr("Close"), this);
    close->setToolTip(Tr::tr("Closes dialog"));
    close->setAutoDefault(false);
    grid->addWidget(close, 2, 4);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_entities, &QListWidget::itemDoubleClicked, this,
            &SystemEntitiesWindow::showEntityDefinition);
    connect(m_typeEntities, &QListWidget::itemDoubleClicked, this,
            &SystemEntitiesWindow::showTypeEntityDefinition);
    resize(760, 320);

    fill(m_entities, m_queries.entities());
    fill(m_typeEntities, m_queries.typeEntities());
}

void SystemEntitiesWindow::fill(QListWidget *list, const Result<QStringList> &lines)
{
    list->clear();
    if (!lines) {
        m_workbench.showMessage(lines.outcome());
        return;
    }
    list->addItems(lines.value());
}

void SystemEntitiesWindow::showDefinition(QListWidget *list, bool typeEntity,
                                          const QString &noSelection)
{
    QListWidgetItem *selected = list->currentItem();
    if (!selected || !selected->isSelected()) {
        m_workbench.showMessage(Outcome::warning(noSelection));
        return;
    }
    Result<EntityDefinitionLists> definition = m_queries.definition(selected->text(), typeEntity);
    if (!definition) {
        m_workbench.showMessage(definition.outcome());
        return;
    }
    fill(m_attributes, definition->attributes);
    fill(m_types, definition->types);
    fill(m_parts, definition->parts);
}

void SystemEntitiesWindow::showEntityDefinition()
{
    showDefinition(m_entities, false, Tr::tr("An entity must be selected to see its definition."));
}

void SystemEntitiesWindow::showTypeEntityDefinition()
{
    showDefinition(m_typeEntities, true,
                   Tr::tr("A type : entity must be selected to see its definition."));
}

void SystemEntitiesWindow::centreOver(QWidget *owner)
{
    if (!owner)
        return;
    const QRect area = owner->frameGeometry();
    move(area.center() - rect().center());
}

} // namespace varn::templates
