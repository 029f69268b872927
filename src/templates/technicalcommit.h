#pragma once

#include "templates/commitresult.h"
#include "templates/saveframe.h"
#include "templates/technicaldraft.h"

#include <QDate>
#include <QString>

namespace varn::templates {

// The Save of the technical composer: one MASTER_REQ row of kind "Technical"
// (Source 23) in one transaction, without TCode, grammar or object model.
class TechnicalCommit
{
public:
    // The requirement text's own control, for CommitResult::focusField.
    static constexpr int kTextField = 0;

    TechnicalCommit(store::RecordObjects &records, QString systemName);

    // On success in edit mode the draft's loaded requirement becomes the new
    // version, so a second save versions it again.
    CommitResult save(TechnicalDraft &draft, const QDate &today = QDate::currentDate());

    // "The " + system name + " system shall": the sentence head and Preamble.
    static QString sentenceHead(const QString &systemName);

private:
    class Requirement;
    SaveFrame m_frame;
    QString m_systemName;
};

} // namespace varn::templates
