#include "inspect/widgets/modelbrowserdialog.h"

#include "app/cvarnapp.h"
#include "app/widgets/workbench.h"
#include "inspect/inspecttr.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace varn::inspect {

namespace {

const QColor kBackground(173, 227, 194);

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

} // namespace

ModelBrowserDialog::ModelBrowserDialog(app::Workbench &workbench, BrowserKind kind, QWidget *parent)
    : QDialog(parent), m_workbench(workbench), m_spec(ModelBrowser::spec(kind)),
      m_browser(workbench.app().requirementsConnectionName()), m_entities(new QListWidget(this)),
      m_see(new QPushButton(Tr::tr(m_spec.seeButton), this))
{
    setWindowTitle(Tr::tr(m_spec.title));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    setPalette(colours);
    setAutoFillBackground(true);

    m_entities->setObjectName(QStringLiteral("entities"));
    m_entities->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entities->setSortingEnabled(true);
    m_see->setToolTip(Tr::tr(m_spec.seeTooltip));
    connect(m_see, &QPushButton::clicked, this, &ModelBrowserDialog::showSelectedEntity);
    connect(m_entities, &QListWidget::itemDoubleClicked, this,
            &ModelBrowserDialog::showSelectedEntity);
    if (m_spec.selectionEmptiesResults)
        connect(m_entities, &QListWidget::currentItemChanged, this,
                &ModelBrowserDialog::clearResults);

    auto *grid = new QGridLayout(this);
    grid->addWidget(caption(Tr::tr("Object Model Entities"), this), 0, 0);
    grid->addWidget(m_entities, 1, 0, int(m_spec.lists.size()) * 2 - 1, 1);
    grid->addWidget(m_see, int(m_spec.lists.size()) * 2, 0);
    int row = 0;
    for (const ResultListSpec &list : m_spec.lists) {
        auto *results = new QListWidget(this);
        results->setObjectName(QString::fromLatin1(list.caption));
        results->setSelectionMode(QAbstractItemView::NoSelection);
        grid->addWidget(caption(Tr::tr(list.caption), this), row++, 1);
        grid->addWidget(results, row++, 1);
        m_results.append(results);
    }
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close = buttons->addButton(Tr::tr("Close"), QDialogButtonBox::RejectRole);
    close->setToolTip(Tr::tr("Closes dialog"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    grid->addWidget(buttons, row + 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    const Result<QStringList> entities = m_browser.entityNames();
    if (!entities)
        m_workbench.showMessage(entities.outcome());
    else
        m_entities->addItems(entities.value());
}

void ModelBrowserDialog::clearResults()
{
    for (QListWidget *results : std::as_const(m_results))
        results->clear();
}

void ModelBrowserDialog::showSelectedEntity()
{
    clearResults();
    const QListWidgetItem *selected = m_entities->currentItem();
    if (!selected || !selected->isSelected()) {
        m_workbench.showMessage(Outcome::refused(Tr::tr(m_spec.noSelection)));
        return;
    }
    const Result<QList<QStringList>> lists = m_browser.resultLists(m_spec.kind, selected->text());
    if (!lists) {
        m_workbench.showMessage(lists.outcome());
        return;
    }
    for (qsizetype i = 0; i < lists->size() && i < m_results.size(); ++i)
        m_results.at(i)->addItems(lists->at(i));
}

} // namespace varn::inspect
