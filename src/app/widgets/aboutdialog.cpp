#include "app/widgets/aboutdialog.h"

#include "app/widgets/programicon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace varn::app {

QString AboutDialog::versionText()
{
    return QStringLiteral("Varn SE Version " VARN_VERSION);
}

AboutDialog::AboutDialog(const QString &databaseFile, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Varn SE"));

    auto *icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    icon->setPixmap(ProgramIcon::icon().pixmap(size, size));
    auto *version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("version"));
    auto *purpose = new QLabel(QStringLiteral("Requirements engineering workstation"), this);
    auto *toolkit =
        new QLabel(QStringLiteral("Built with Qt %1, running on Qt %2")
                       .arg(QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion())),
                   this);
    toolkit->setObjectName(QStringLiteral("toolkit"));
    auto *database = new QLabel(databaseFile.isEmpty()
                                    ? QStringLiteral("No workspace is open.")
                                    : QStringLiteral("Requirements database: ") + databaseFile,
                                this);
    database->setObjectName(QStringLiteral("database"));
    database->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(purpose);
    texts->addWidget(toolkit);
    texts->addWidget(database);
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace varn::app
