#include "app/widgets/workspacesuite.h"

#include <QtTest>

WorkspaceSuite::WorkspaceSuite(const QString &systemName) : m_systemName(systemName) {}

WorkspaceSuite::~WorkspaceSuite() = default;

void WorkspaceSuite::initTestCase()
{
    m_environment = std::make_unique<WorkspaceEnvironment>();
}

void WorkspaceSuite::init()
{
    m_presenter = TestPresenter();
    m_open.emplace(*m_environment, m_presenter, m_systemName);
    QVERIFY2(m_open->created, qPrintable(m_open->created.message()));
    fillWorkspace();
}

void WorkspaceSuite::cleanup()
{
    m_open.reset();
}
