#include "templates/widgets/templatenavigatorview.h"

#include "app/cvarnapp.h"
#include "app/widgets/featureregistry.h"
#include "app/widgets/workbench.h"
#include "templates/navigatorexamples.h"
#include "templates/templatecatalogue.h"
#include "templates/templatestr.h"
#include "templates/widgets/draftattributecontrols.h"
#include "templates/widgets/requirementcomposers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace varn::templates {

namespace {

constexpr int kLongestCompose = 254;

QString shownText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

TemplateNavigatorView::TemplateNavigatorView(app::Workbench &workbench, Family family,
                                             QWidget *parent)
    : QWidget(parent), m_workbench(workbench), m_family(family),
      m_compose(new QPlainTextEdit(this)), m_templates(new QListWidget(this)),
      m_text(new QPlainTextEdit(this))
{
    const bool functional = family == Family::Functional;
    setObjectName(functional ? QStringLiteral("functionalNavigator")
                             : QStringLiteral("structuralNavigator"));
    auto *layout = new QVBoxLayout(this);
    auto *step1 = new QLabel(Tr::tr("Step &1.  Compose Requirement."), this);
    step1->setBuddy(m_compose);
    m_compose->setAccessibleName(Tr::tr("Step 1.  Compose Requirement."));
    m_compose->setTabChangesFocus(true);
    DraftAttributeControls::limitLength(m_compose, kLongestCompose);
    layout->addWidget(step1);
    layout->addWidget(m_compose, 1);
    const QString step2Text =
        functional ? Tr::tr("Step &2.  Select a functional template and See Examples, as "
                            "needed. To use a template, click on Go to Template.")
                   : Tr::tr("Step &2.  Select a structural template and See Examples, as "
                            "needed. To use a template, click on Go to Template.");
    auto *step2 = new QLabel(step2Text, this);
    step2->setWordWrap(true);
    step2->setBuddy(m_templates);
    m_templates->setAccessibleName(QString(step2Text).remove(QLatin1Char('&')));
    layout->addWidget(step2);

    auto *choice = new QHBoxLayout;
    choice->addWidget(m_templates, 1);
    m_text->setReadOnly(true);
    m_text->setAccessibleName(Tr::tr("Template text"));
    m_text->setTabChangesFocus(true);
    choice->addWidget(m_text, 2);
    layout->addLayout(choice, 3);
    if (functional) {
        for (const FunctionalTemplate &entry : TemplateCatalogue::functionalTemplates())
            m_templates->addItem(Tr::tr(entry.navigatorItem));
    } else {
        for (const NavigatorEntry &entry : TemplateCatalogue::structuralTemplates())
            m_templates->addItem(Tr::tr(entry.navigatorItem));
    }
    fitListToItems();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(addButton(Tr::tr("Show Template Specification")));
    buttons->addWidget(addButton(Tr::tr("See Examples")));
    buttons->addWidget(
        addButton(functional ? Tr::tr("Go to Template...") : Tr::tr("Go to Template")));
    layout->addLayout(buttons);
    connect(m_buttons.all()[0], &QPushButton::clicked, this,
            &TemplateNavigatorView::showSpecification);
    connect(m_buttons.all()[1], &QPushButton::clicked, this, &TemplateNavigatorView::showExamples);
    connect(m_buttons.all()[2], &QPushButton::clicked, this, &TemplateNavigatorView::goToTemplate);
    connect(m_templates, &QListWidget::itemDoubleClicked, this,
            &TemplateNavigatorView::showSpecification);
    if (functional) {
        auto *builderRow = new QHBoxLayout;
        auto *hint = new QLabel(Tr::tr("If you cannot phrase your requirement using the "
                                       "existing templates, proceed to the Requirement "
                                       "Builder.  ->->->"),
                                this);
        hint->setWordWrap(true);
        builderRow->addWidget(hint, 1);
        QPushButton *builder = addButton(Tr::tr("Go to Builder..."));
        builderRow->addWidget(builder);
        connect(builder, &QPushButton::clicked, this, &TemplateNavigatorView::goToBuilder);
        layout->addLayout(builderRow);
    }
}

// Every item shown whole beside the scroll bar a short list needs, and told
// as a tooltip as well.
void TemplateNavigatorView::fitListToItems()
{
    for (int row = 0; row < m_templates->count(); ++row)
        m_templates->item(row)->setToolTip(m_templates->item(row)->text());
    m_templates->ensurePolished();
    const int scrollBar = m_templates->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_templates->setMinimumWidth(m_templates->sizeHintForColumn(0) + 2 * m_templates->frameWidth() +
                                 scrollBar + 8);
}

QPushButton *TemplateNavigatorView::addButton(const QString &text)
{
    return m_buttons.add(this, text);
}

QPushButton *TemplateNavigatorView::button(const QString &text) const
{
    return m_buttons.find(text);
}

int TemplateNavigatorView::selectedTemplate() const
{
    const int row = m_templates->currentRow();
    if (row < 0 || !m_templates->currentItem()->isSelected())
        return 0;
    return row + (m_family == Family::Functional ? 1 : TemplateCatalogue::kFirstStructural);
}

void TemplateNavigatorView::showSpecification()
{
    const int number = selectedTemplate();
    if (number == 0) {
        m_workbench.showMessage(Outcome::warning(Tr::tr("No template selected.")));
        return;
    }
    m_text->setPlainText(shownText(Tr::tr(TemplateCatalogue::specification(number))));
}

void TemplateNavigatorView::showExamples()
{
    if (selectedTemplate() == 0)
        m_templates->setCurrentRow(0);
    const Result<QString> examples =
        NavigatorExamples::read(m_workbench.app().applicationConnectionName(), selectedTemplate());
    if (!examples) {
        m_workbench.showMessage(examples.outcome());
        return;
    }
    m_text->setPlainText(shownText(examples.value()));
}

void TemplateNavigatorView::goToTemplate()
{
    const int number = selectedTemplate();
    if (number == 0) {
        m_workbench.showMessage(Outcome::warning(Tr::tr("No template selected.")));
        return;
    }
    if (m_family == Family::Structural) {
        openStructuralTemplate(m_workbench, number, m_compose->toPlainText());
        return;
    }
    openFunctionalTemplate(m_workbench, number, m_compose->toPlainText());
}

void TemplateNavigatorView::goToBuilder()
{
    openRequirementBuilder(m_workbench);
}

namespace {

struct NavigatorWindow
{
    TemplateNavigatorView::Family family;
    app::WindowKind kind;
    const char *name;
    QPoint firstPosition;
    QSize firstClientSize;
    app::CommandId composeItem;
    const char *composeText;
};

const NavigatorWindow kNavigators[] = {
    {TemplateNavigatorView::Family::Functional,
     kFunctionalNavigator,
     QT_TRANSLATE_NOOP("varn::templates", "Functional Navigator"),
     {28, 30},
     {644, 438},
     kComposeFunctional,
     QT_TRANSLATE_NOOP("varn::templates", "&Functional Requirement...")},
    {TemplateNavigatorView::Family::Structural,
     kStructuralNavigator,
     QT_TRANSLATE_NOOP("varn::templates", "Structural Navigator"),
     {56, 60},
     {644, 400},
     kComposeStructural,
     QT_TRANSLATE_NOOP("varn::templates", "&Structural Requirement...")},
};

} // namespace

void registerNavigators(app::FeatureRegistry &registry)
{
    // After Requirements Central in the View menus, before the Inspect
    // windows; first in the Compose menu.
    int order = 10;
    for (const NavigatorWindow &navigator : kNavigators) {
        const QString name = Tr::tr(navigator.name);
        app::WindowSpec window;
        window.kind = navigator.kind;
        window.name = name;
        window.title = Tr::tr("%1 - System Name: %2").arg(name, QStringLiteral("%1"));
        window.firstPosition = navigator.firstPosition;
        window.firstClientSize = navigator.firstClientSize;
        window.smallestClientSize = {644, 438};
        window.goToItem = Tr::tr("&%1...").arg(name);
        window.goToOrder = 10 + order;
        window.create = [family = navigator.family](app::Workbench &workbench) {
            return new TemplateNavigatorView(workbench, family);
        };
        registry.addWindow(window);

        app::ActionSpec compose;
        compose.id = navigator.composeItem;
        compose.text = Tr::tr(navigator.composeText);
        compose.places = {{app::MenuGroup::Compose, order}};
        compose.run = [kind = navigator.kind](app::Workbench &workbench) { workbench.goTo(kind); };
        registry.addAction(compose);
        order += 10;
    }
}

} // namespace varn::templates
