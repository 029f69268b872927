#include "app/widgets/progresspanel.h"

#include "app/apptr.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

namespace varn::app {

namespace {

QLineEdit *readOnlyBox(QWidget *parent, const char *name, int width)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(width);
    return box;
}

} // namespace

ProgressPanel::ProgressPanel(Processed processed, QWidget *parent)
    : QWidget(parent), m_status(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_percent(readOnlyBox(this, "percent", 64))
{
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setMinimumHeight(m_status->fontMetrics().lineSpacing() * 2);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A result naming a long folder wraps (after its slashes too) rather
    // than running past the dialog's edge.
    m_status->setWordWrap(true);
    m_bar->setObjectName(QStringLiteral("progress"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_status, 0, 0, 1, 4);
    grid->addWidget(m_bar, 1, 0, 1, 4);
    grid->addWidget(new QLabel(Tr::tr("Percent Complete:"), this), 2, 0);
    grid->addWidget(m_percent, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("%"), this), 2, 2);
    grid->setColumnStretch(3, 1);
    if (processed == Processed::Shown) {
        m_processed = readOnlyBox(this, "processed", 64);
        grid->addWidget(new QLabel(Tr::tr("Processed:"), this), 3, 0);
        grid->addWidget(m_processed, 3, 1);
    }
    setPercent(0);
}

void ProgressPanel::setStatus(const QString &text)
{
    m_status->setText(text);
    growToFit();
    paintNow();
}

// A window does not grow by itself for the lines a wrapped text gains.
void ProgressPanel::growToFit()
{
    if (!m_status->isVisible())
        return; // the layout sizes the text when the dialog is shown
    const int extra = m_status->heightForWidth(m_status->width()) - m_status->height();
    if (extra > 0)
        window()->resize(window()->width(), window()->height() + extra);
}

void ProgressPanel::setPercent(int percent)
{
    const int shown = qBound(0, percent, 100);
    if (shown == m_bar->value() && !m_percent->text().isEmpty())
        return;
    m_bar->setValue(shown);
    m_percent->setText(QString::number(shown));
    paintNow();
}

void ProgressPanel::setProcessed(qint32 number)
{
    if (!m_processed)
        return;
    m_processed->setText(number == 0 ? QString() : QString::number(number));
}

QString ProgressPanel::status() const
{
    return m_status->text();
}

QString ProgressPanel::percentText() const
{
    return m_percent->text();
}

QString ProgressPanel::processedText() const
{
    return m_processed ? m_processed->text() : QString();
}

int ProgressPanel::barValue() const
{
    return m_bar->value();
}

// The dialog is disabled while it works, so only painting is let through.
void ProgressPanel::paintNow()
{
    if (isVisible())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace varn::app
