#pragma once

#include "templates/commitresult.h"
#include "templates/saveframe.h"
#include "templates/structuralcomposition.h"
#include "templates/structuraldraft.h"

#include <QDate>
#include <QString>

namespace varn::templates {

// Preview and Save of the structural templates 19 to 22: the checks in their
// order, the MASTER_REQ, STRUC_REQ and POSS_VALS rows, the counters and the
// derived object model, all in one transaction. A refusal leaves the database
// exactly as it was; CommitResult::focusField names a StructuralControl.
class StructuralCommit
{
public:
    StructuralCommit(store::RecordObjects &records, QString systemName);

    // On success in edit mode the draft's loaded requirement becomes the new
    // version, so a second save versions it again.
    CommitResult save(StructuralDraft &draft, const QDate &today = QDate::currentDate());

    // The sentence Preview shows; nothing is written.
    static SentencePreview preview(const StructuralDraft &draft, const QString &systemName);

private:
    SaveFrame m_frame;
    QString m_systemName;
};

} // namespace varn::templates
