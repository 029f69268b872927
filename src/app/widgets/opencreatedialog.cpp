#include "app/widgets/opencreatedialog.h"

#include "app/apptr.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varn::app {

OpenCreateDialog::OpenCreateDialog(QWidget *parent)
    : QDialog(parent), m_open(new QRadioButton(Tr::tr("Open Existing Varn SE File"))),
      m_create(new QRadioButton(Tr::tr("Create New Varn SE File")))
{
    setWindowTitle(Tr::tr("Open/Create"));
    m_open->setChecked(true);

    auto *group = new QGroupBox(Tr::tr(" To Start "), this);
    auto *choices = new QVBoxLayout(group);
    choices->addWidget(m_open);
    choices->addWidget(m_create);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(Tr::tr("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Tr::tr("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

OpenCreateDialog::Choice OpenCreateDialog::choice() const
{
    return m_create->isChecked() ? Choice::Create : Choice::Open;
}

void OpenCreateDialog::setChoice(Choice choice)
{
    (choice == Choice::Create ? m_create : m_open)->setChecked(true);
}

} // namespace varn::app
