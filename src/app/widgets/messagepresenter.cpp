#include "app/widgets/messagepresenter.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace varn::app {

namespace {

struct KindIcon
{
    MessageKind kind;
    QMessageBox::Icon icon;
};

constexpr KindIcon kIcons[] = {
    {MessageKind::Plain, QMessageBox::NoIcon},
    {MessageKind::Warning, QMessageBox::Warning},
    {MessageKind::Stop, QMessageBox::Critical},
    {MessageKind::Information, QMessageBox::Information},
};

QMessageBox::Icon iconOf(MessageKind kind)
{
    for (const KindIcon &entry : kIcons) {
        if (entry.kind == kind)
            return entry.icon;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessagePresenter::~MessagePresenter() = default;

std::unique_ptr<QMessageBox> MessagePresenter::messageBox(QWidget *parent, const Outcome &message)
{
    // Some of the system's messages break their lines with "\r", which a
    // label shows as a blank.
    QString text = message.message();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto box = std::make_unique<QMessageBox>(iconOf(message.kind()), title(), text, QMessageBox::Ok,
                                             parent);
    // A name the user typed or a database's text is never read as markup.
    box->setTextFormat(Qt::PlainText);
    return box;
}

void MessagePresenter::showMessage(QWidget *parent, const Outcome &message)
{
    if (!message.hasMessage())
        return;
    messageBox(parent, message)->exec();
}

bool MessagePresenter::askYesNo(QWidget *parent, const QString &title, const QString &question)
{
    return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString MessagePresenter::chooseFileToOpen(QWidget *parent, const QString &folder,
                                           const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, Tr::tr("Open"), folder, filter);
}

QString MessagePresenter::chooseFileToSave(QWidget *parent, const QString &proposedPath,
                                           const QString &filter)
{
    QFileDialog dialog(parent, Tr::tr("Save As"), proposedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vnp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

int MessagePresenter::runDialog(QDialog &dialog)
{
    return dialog.exec();
}

} // namespace varn::app
