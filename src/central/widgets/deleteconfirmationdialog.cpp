#include "central/widgets/deleteconfirmationdialog.h"

#include "central/centraltr.h"
#include "central/requirementlifecycle.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace varn::central {

namespace {

// The list shows this many numbers before it scrolls.
constexpr int kShownRows = 8;

} // namespace

DeleteConfirmationDialog::DeleteConfirmationDialog(int number, const QList<int> &dependents,
                                                   QWidget *parent)
    : QDialog(parent), m_heading(new QLabel(RequirementLifecycle::dependentsHeading(number), this)),
      m_dependents(new QListWidget(this)),
      m_question(new QLabel(RequirementLifecycle::continueQuestion(), this))
{
    setWindowTitle(Tr::tr("Delete Confirmation"));

    QList<int> ascending = dependents;
    std::sort(ascending.begin(), ascending.end());
    for (const int dependent : std::as_const(ascending))
        m_dependents->addItem(QString::number(dependent));
    m_dependents->setObjectName(QStringLiteral("dependents"));
    m_dependents->setAccessibleName(m_heading->text());
    m_dependents->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_dependents->setSelectionMode(QAbstractItemView::NoSelection);
    const int rows = std::clamp(int(ascending.size()), 1, kShownRows);
    m_dependents->setFixedHeight(m_dependents->sizeHintForRow(0) * rows +
                                 2 * m_dependents->frameWidth() + 2);
    m_heading->setBuddy(m_dependents);

    auto *icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(iconSize));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, this);
    m_yes = buttons->button(QDialogButtonBox::Yes);
    m_no = buttons->button(QDialogButtonBox::No);
    m_yes->setAccessibleName(m_yes->text().remove(QLatin1Char('&')));
    m_no->setAccessibleName(m_no->text().remove(QLatin1Char('&')));
    // Nothing is lost by a stray Enter: No is the default.
    m_yes->setAutoDefault(false);
    m_no->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(m_heading, 0, 1);
    layout->addWidget(m_dependents, 1, 1);
    layout->addWidget(m_question, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setHorizontalSpacing(12);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_no->setFocus();
}

QString DeleteConfirmationDialog::heading() const
{
    return m_heading->text();
}

QStringList DeleteConfirmationDialog::dependents() const
{
    QStringList numbers;
    for (int row = 0; row < m_dependents->count(); ++row)
        numbers.append(m_dependents->item(row)->text());
    return numbers;
}

QString DeleteConfirmationDialog::question() const
{
    return m_question->text();
}

} // namespace varn::central
