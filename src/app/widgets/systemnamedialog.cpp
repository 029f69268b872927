#include "app/widgets/systemnamedialog.h"

#include "app/apptr.h"
#include "app/cvarnapp.h"
#include "app/widgets/messagepresenter.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace varn::app {

SystemNameDialog::SystemNameDialog(MessagePresenter &presenter, QWidget *parent)
    : QDialog(parent), m_presenter(presenter), m_name(new QLineEdit(this))
{
    setWindowTitle(Tr::tr("System Name"));
    m_name->setMaxLength(CVarnApp::kLongestSystemName);
    m_name->setMinimumWidth(m_name->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);

    auto *label = new QLabel(Tr::tr("Enter System Name"), this);
    label->setBuddy(m_name);
    // The sentence already says "The <name> system shall ...".
    auto *hint = new QLabel(Tr::tr("Do not include the words \"The\" or \"system\""), this);
    QPalette red = hint->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    hint->setPalette(red);
    hint->setObjectName(QStringLiteral("hint"));
    auto *example = new QLabel(Tr::tr("(e.g., Acme Telecom, or EDP)"), this);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(Tr::tr("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(Tr::tr("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &SystemNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SystemNameDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(hint, 0, 1);
    layout->addWidget(m_name, 1, 0, 1, 2);
    layout->addWidget(example, 2, 0, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString SystemNameDialog::systemName() const
{
    return m_name->text();
}

void SystemNameDialog::accept()
{
    if (Outcome usable = CVarnApp::checkSystemName(systemName()); !usable) {
        m_presenter.showMessage(this, usable);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace varn::app
