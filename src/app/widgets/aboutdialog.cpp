#include "app/widgets/aboutdialog.h"

#include "app/apptr.h"
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
    return Tr::tr("Varn SE Version %1").arg(QStringLiteral(VARN_VERSION));
}

AboutDialog::AboutDialog(const QString &databaseFile, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(Tr::tr("About Varn SE"));

    auto *icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    icon->setPixmap(ProgramIcon::icon().pixmap(size, size));
    auto *version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("version"));
    auto *purpose = new QLabel(Tr::tr("Requirements engineering workstation"), this);
    auto *toolkit =
        new QLabel(Tr::tr("Built with Qt %1, running on Qt %2")
                       .arg(QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion())),
                   this);
    toolkit->setObjectName(QStringLiteral("toolkit"));
    auto *database =
        new QLabel(databaseFile.isEmpty() ? Tr::tr("No workspace is open.")
                                          : Tr::tr("Requirements database: %1").arg(databaseFile),
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
    buttons->addButton(Tr::tr("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace varn::app
