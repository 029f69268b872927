#pragma once

#include "templates/commitresult.h"
#include "templates/functionaldraft.h"
#include "templates/saveframe.h"

#include <QDate>
#include <QString>

namespace varn::store {
class RecordObjects;
}

namespace varn::templates {

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
    class Requirement;
    SaveFrame m_frame;
    QString m_systemName;
};

} // namespace varn::templates
