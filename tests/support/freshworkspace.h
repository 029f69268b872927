#pragma once

#include "store/recordobjects.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A fresh requirements database in a temporary folder with the long-lived
// record sets on it, for one test function: emplace it in init() and reset
// it in cleanup().
//
//     std::optional<FreshWorkspace> m_workspace;
//     void init() { QVERIFY(m_workspace.emplace(kConnection).isOpen()); }
//     void cleanup() { m_workspace.reset(); }
class FreshWorkspace
{
public:
    explicit FreshWorkspace(const QString &connectionName);
    ~FreshWorkspace();
    FreshWorkspace(const FreshWorkspace &) = delete;
    FreshWorkspace &operator=(const FreshWorkspace &) = delete;

    bool isOpen() const { return m_records != nullptr; }
    varn::store::RecordObjects &records() { return *m_records; }
    QString folderPath() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QString m_connection;
    std::unique_ptr<varn::store::RecordObjects> m_records;
};
