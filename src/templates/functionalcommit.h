#pragma once

#include "common/outcome.h"
#include "objmodel/modeltables.h"
#include "templates/functionaldraft.h"

#include <QDate>
#include <QString>

namespace varn::store {
class RecordObjects;
}

namespace varn::templates {

// What a save did, or why it did not.
struct CommitResult
{
    Outcome outcome = Outcome::ok();
    // The database's own message behind a failed derivation, shown before
    // the outcome's message.
    QString detail;
    // The field to focus after a refusal (-1: none), and whether its whole
    // text is to be selected.
    int focusField = -1;
    bool selectField = false;

    qint32 number = 0; // the new requirement number
    // An edit retired the version it replaced: the requirements have changed
    // since the object model was last regenerated.
    bool versionRetired = false;
    // Retiring the replaced version failed; the new version stays saved.
    Outcome retireProblem = Outcome::ok();
};

// The Save of a functional requirement, from a template or the Builder: the
// checks in their order, the MASTER_REQ and FUNC_REQ rows, the requirement
// counter and the derived object model, all in one transaction. A refusal
// leaves the database exactly as it was.
class FunctionalCommit
{
public:
    FunctionalCommit(store::RecordObjects &records, QString systemName);

    // On success in edit mode the draft's loaded requirement becomes the new
    // version, so a second save versions it again.
    CommitResult save(FunctionalDraft &draft, const QDate &today = QDate::currentDate());

private:
    class Run;
    store::RecordObjects &m_records;
    QString m_systemName;
    objmodel::ModelTables m_modelTables; // its statements serve every save
};

} // namespace varn::templates
