#pragma once

#include "common/outcome.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace varn::app {

class MessagePresenter;

// File > New Team Workspace...: the system, the database on a PostgreSQL
// server and the workspace file to write. Test Connection says what the
// database holds or why it cannot be reached; OK hands the request to the
// creator and stays open with its message when that fails, so nothing typed
// is lost.
class TeamWorkspaceDialog : public QDialog
{
    Q_OBJECT

public:
    struct Request
    {
        QString systemName;
        QString serverText; // "host=H port=P dbname=D user=U"
        QString workspaceFile;
    };
    using Creator = std::function<Outcome(const Request &request)>;

    TeamWorkspaceDialog(MessagePresenter &presenter, Creator creator, QWidget *parent = nullptr);

    QLineEdit *systemNameEdit() const { return m_systemName; }
    QLineEdit *serverEdit() const { return m_server; }
    QSpinBox *portBox() const { return m_port; }
    QLineEdit *databaseEdit() const { return m_database; }
    QLineEdit *userEdit() const { return m_user; }
    QLineEdit *workspaceFileEdit() const { return m_file; }
    QPushButton *browseButton() const { return m_browse; }
    QPushButton *testConnectionButton() const { return m_test; }

    // The login name, which the user field proposes.
    static QString loginName();

    void accept() override;
    void testConnection();
    void browse();

private:
    // The request of the fields, or the message that refuses them.
    Result<Request> request() const;
    Result<QString> serverText() const;

    MessagePresenter &m_presenter;
    Creator m_creator;
    QLineEdit *m_systemName;
    QLineEdit *m_server;
    QSpinBox *m_port;
    QLineEdit *m_database;
    QLineEdit *m_user;
    QLineEdit *m_file;
    QPushButton *m_browse;
    QPushButton *m_test;
};

} // namespace varn::app
