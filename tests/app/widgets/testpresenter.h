#pragma once

#include "app/widgets/messagepresenter.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

// Stands in for the modal windows: records every message, answers the file
// dialogs from a queue, and hands each modal dialog to the test, which fills
// it and returns its result code without an event loop.
class TestPresenter : public varn::app::MessagePresenter
{
public:
    struct Shown
    {
        QString text;
        varn::MessageKind kind;
    };

    QList<Shown> messages;
    QStringList openAnswers;
    QStringList saveAnswers;
    QStringList saveProposals;
    QStringList openFolders;
    QStringList dialogTitles;
    // Answers to Yes/No questions in turn; No when none is left.
    QList<bool> yesNoAnswers;
    QStringList questions;
    // Called with each modal dialog; without one the dialog is cancelled.
    std::function<int(QDialog &)> dialogHandler;

    void showMessage(QWidget *, const varn::Outcome &message) override
    {
        if (message.hasMessage())
            messages.append({message.message(), message.kind()});
    }

    QString chooseFileToOpen(QWidget *, const QString &folder, const QString &) override
    {
        openFolders.append(folder);
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }

    QString chooseFileToSave(QWidget *, const QString &proposedPath, const QString &) override
    {
        saveProposals.append(proposedPath);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }

    bool askYesNo(QWidget *, const QString &title, const QString &question) override
    {
        questions.append(title + QLatin1Char('|') + question);
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }

    int runDialog(QDialog &dialog) override
    {
        dialogTitles.append(dialog.windowTitle());
        return dialogHandler ? dialogHandler(dialog) : int(QDialog::Rejected);
    }

    QStringList texts() const
    {
        QStringList all;
        for (const Shown &shown : messages)
            all.append(shown.text);
        return all;
    }

    void clear()
    {
        messages.clear();
        saveProposals.clear();
        openFolders.clear();
        dialogTitles.clear();
        questions.clear();
    }
};
