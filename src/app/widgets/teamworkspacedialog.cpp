#include "app/widgets/teamworkspacedialog.h"

#include "app/apptr.h"
#include "app/cvarnapp.h"
#include "app/serverconnectioncheck.h"
#include "app/settings.h"
#include "app/widgets/messagepresenter.h"
#include "app/widgets/workspacecontroller.h"
#include "store/serveraddress.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <pwd.h>
#include <unistd.h>

namespace varn::app {

namespace {

QLineEdit *lineEdit(QWidget *parent, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
    return edit;
}

// A row of the form whose control is named as its label reads.
void addRow(QFormLayout &form, const QString &label, QWidget *control)
{
    auto *text = new QLabel(label, form.parentWidget());
    text->setBuddy(control);
    control->setAccessibleName(QString(label).remove(QLatin1Char('&')));
    form.addRow(text, control);
}

QPushButton *button(const QString &label, QWidget *parent)
{
    auto *made = new QPushButton(label, parent);
    made->setAccessibleName(QString(label).remove(QLatin1Char('&')));
    made->setAutoDefault(false);
    return made;
}

} // namespace

TeamWorkspaceDialog::TeamWorkspaceDialog(MessagePresenter &presenter, Creator creator,
                                         QWidget *parent)
    : QDialog(parent), m_presenter(presenter), m_creator(std::move(creator)),
      m_systemName(lineEdit(this, CVarnApp::kLongestSystemName)), m_server(lineEdit(this, 200)),
      m_port(new QSpinBox(this)), m_database(lineEdit(this, 200)), m_user(lineEdit(this, 200)),
      m_file(lineEdit(this, 1024)), m_browse(button(Tr::tr("&Browse..."), this)),
      m_test(button(Tr::tr("&Test Connection"), this))
{
    setWindowTitle(Tr::tr("New Team Workspace"));
    m_server->setText(QStringLiteral("localhost"));
    m_port->setRange(1, 65535);
    m_port->setValue(5432);
    m_user->setText(loginName());

    auto *form = new QFormLayout;
    auto *fields = new QWidget(this);
    fields->setLayout(form);
    addRow(*form, Tr::tr("System &Name"), m_systemName);
    addRow(*form, Tr::tr("&Server"), m_server);
    addRow(*form, Tr::tr("&Port"), m_port);
    addRow(*form, Tr::tr("&Database"), m_database);
    addRow(*form, Tr::tr("&User"), m_user);
    auto *fileRow = new QWidget(fields);
    auto *fileLayout = new QHBoxLayout(fileRow);
    fileLayout->setContentsMargins(0, 0, 0, 0);
    fileLayout->addWidget(m_file);
    fileLayout->addWidget(m_browse);
    auto *fileLabel = new QLabel(Tr::tr("&Workspace File"), fields);
    fileLabel->setBuddy(m_file);
    m_file->setAccessibleName(Tr::tr("Workspace File"));
    form->addRow(fileLabel, fileRow);

    auto *password =
        new QLabel(Tr::tr("The password, if the server asks for one, is read from ~/.pgpass or "
                          "PGPASSWORD;\nit is never kept in the workspace file."),
                   this);
    password->setObjectName(QStringLiteral("passwordNote"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(Tr::tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    ok->setAccessibleName(Tr::tr("OK"));
    QPushButton *cancel = buttons->addButton(Tr::tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setAccessibleName(Tr::tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TeamWorkspaceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TeamWorkspaceDialog::reject);
    connect(m_test, &QPushButton::clicked, this, &TeamWorkspaceDialog::testConnection);
    connect(m_browse, &QPushButton::clicked, this, &TeamWorkspaceDialog::browse);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fields);
    layout->addWidget(password);
    // Test Connection stands apart from the buttons that close the dialog.
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_test);
    bottom->addStretch();
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Down the form, then the buttons in the order they read.
    QWidget *order[] = {m_systemName, m_server, m_port, m_database, m_user,
                        m_file,       m_browse, m_test, ok,         cancel};
    for (int i = 1; i < int(std::size(order)); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_systemName->setFocus();
}

QString TeamWorkspaceDialog::loginName()
{
    if (const passwd *user = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(user->pw_name);
    return qEnvironmentVariable("USER");
}

Result<QString> TeamWorkspaceDialog::serverText() const
{
    const Result<store::ServerAddress> address = store::ServerAddress::fromFields(
        {m_server->text(), m_port->value(), m_database->text(), m_user->text()});
    if (!address)
        return address.outcome();
    return address->text();
}

Result<TeamWorkspaceDialog::Request> TeamWorkspaceDialog::request() const
{
    if (Outcome name = CVarnApp::checkSystemName(m_systemName->text()); !name)
        return name;
    const Result<QString> server = serverText();
    if (!server)
        return server.outcome();
    QString file = m_file->text().trimmed();
    if (file.isEmpty())
        return Outcome::refused(Tr::tr("Enter the workspace file to write."));
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".vnp");
    return Request{m_systemName->text(), server.value(), QFileInfo(file).absoluteFilePath()};
}

void TeamWorkspaceDialog::testConnection()
{
    const Result<QString> server = serverText();
    if (!server) {
        m_presenter.showMessage(this, server.outcome());
        return;
    }
    setCursor(Qt::WaitCursor);
    const Result<QString> reached =
        ServerConnectionCheck::run(store::ServerAddress::parse(server.value()).value());
    unsetCursor();
    m_presenter.showMessage(this, reached
                                      ? Outcome::refused(reached.value(), MessageKind::Information)
                                      : reached.outcome());
}

void TeamWorkspaceDialog::browse()
{
    QString proposed = m_file->text().trimmed();
    if (proposed.isEmpty()) {
        const QString folder = Settings().installPath().text + QStringLiteral("Varn SE Files");
        // A relative InstallPath is refused by New; no folder is made for it
        // wherever the program was started.
        if (QDir::isAbsolutePath(folder))
            QDir().mkpath(folder);
        const QString name =
            m_systemName->text().isEmpty() ? QStringLiteral("Team") : m_systemName->text();
        proposed = QDir(folder).filePath(name + QStringLiteral(".vnp"));
    }
    const QString chosen =
        m_presenter.chooseFileToSave(this, proposed, WorkspaceController::workspaceFilter());
    if (!chosen.isEmpty())
        m_file->setText(QDir::toNativeSeparators(chosen));
}

void TeamWorkspaceDialog::accept()
{
    const Result<Request> asked = request();
    if (!asked) {
        m_presenter.showMessage(this, asked.outcome());
        return;
    }
    setCursor(Qt::WaitCursor);
    const Outcome created = m_creator ? m_creator(asked.value()) : Outcome::silentlyRefused();
    unsetCursor();
    if (!created) {
        m_presenter.showMessage(this, created);
        return;
    }
    QDialog::accept();
}

} // namespace varn::app
