#include "quality/widgets/acceptfindingdialog.h"

#include "common/requirementlimits.h"
#include "quality/qualitytr.h"
#include "quality/rulebook.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace varn::quality {

AcceptFindingDialog::AcceptFindingDialog(qint32 number, const Finding &finding, QWidget *parent)
    : QDialog(parent), m_reason(new QLineEdit(this))
{
    setWindowTitle(Tr::tr("Accept Finding"));
    auto *layout = new QFormLayout(this);
    auto *what = new QLabel(Tr::tr("Requirement %1: %2 \"%3\"")
                                .arg(number)
                                .arg(RuleBook::title(finding.rule), finding.words),
                            this);
    what->setWordWrap(true);
    layout->addRow(what);
    auto *message = new QLabel(finding.message, this);
    message->setWordWrap(true);
    layout->addRow(message);
    m_reason->setObjectName(QStringLiteral("acceptReason"));
    m_reason->setMaxLength(kLongestText);
    m_reason->setAccessibleName(Tr::tr("Reason:"));
    auto *label = new QLabel(Tr::tr("&Reason:"), this);
    label->setBuddy(m_reason);
    layout->addRow(label, m_reason);
    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(Tr::tr("Accept"), QDialogButtonBox::AcceptRole);
    m_ok->setAccessibleName(m_ok->text());
    QPushButton *cancel = buttons->addButton(Tr::tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setAccessibleName(cancel->text());
    layout->addRow(buttons);
    // A reason is asked for: an empty one accepts nothing.
    m_ok->setEnabled(false);
    connect(m_reason, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_ok->setEnabled(!text.trimmed().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(460, sizeHint().height());
}

QString AcceptFindingDialog::reason() const
{
    return m_reason->text().trimmed();
}

} // namespace varn::quality
