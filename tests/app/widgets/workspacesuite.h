#pragma once

#include "app/widgets/openworkspace.h"
#include "app/widgets/testpresenter.h"
#include "support/workspaceenvironment.h"

#include <QObject>

#include <memory>
#include <optional>

// A widget suite whose every test starts with a new workspace open for one
// system. Suites derive from it; QTest runs these slots around each test.
class WorkspaceSuite : public QObject
{
    Q_OBJECT

public:
    explicit WorkspaceSuite(const QString &systemName = QStringLiteral("ESD"));
    ~WorkspaceSuite() override;

protected:
    // What a suite stores before each test beyond the new workspace; may use
    // QVERIFY (a failure there fails the test before it runs).
    virtual void fillWorkspace() {}

    std::unique_ptr<WorkspaceEnvironment> m_environment;
    TestPresenter m_presenter;
    std::optional<OpenWorkspace> m_open;

private slots:
    void initTestCase();
    void init();
    void cleanup();

private:
    QString m_systemName;
};
