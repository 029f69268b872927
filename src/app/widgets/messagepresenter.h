#pragma once

#include "app/apptr.h"
#include "common/outcome.h"

#include <QString>

#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

namespace varn::app {

// The one place where the program shows a modal window: message boxes, the
// file dialogs and the modal dialogs of its commands. Tests put their own
// presenter in its place, so no test ever waits on a modal window.
class MessagePresenter
{
public:
    virtual ~MessagePresenter();

    // A box with the outcome's text and the icon of its kind; an outcome
    // without text shows nothing.
    virtual void showMessage(QWidget *parent, const Outcome &message);
    // The file-open dialog, starting in the folder; empty when cancelled.
    virtual QString chooseFileToOpen(QWidget *parent, const QString &folder, const QString &filter);
    // The file-save dialog with a proposed name (a bare name starts in the
    // dialog's current folder); empty when cancelled.
    virtual QString chooseFileToSave(QWidget *parent, const QString &proposedPath,
                                     const QString &filter);
    // A question with the buttons Yes and No, No the default; true for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &title, const QString &question);
    // Runs a modal dialog; returns its result code.
    virtual int runDialog(QDialog &dialog);

    static QString title() { return Tr::tr("Varn SE"); }
    // The box showMessage runs: the outcome's text as plain text, each of
    // its line breaks ("\n", "\r\n" or a lone "\r") a new line, with the
    // icon of its kind and OK.
    static std::unique_ptr<QMessageBox> messageBox(QWidget *parent, const Outcome &message);
};

} // namespace varn::app
