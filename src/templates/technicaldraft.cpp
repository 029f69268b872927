#include "templates/technicaldraft.h"

#include "common/commonmessages.h"

#include "store/requirementreader.h"

namespace varn::templates {

Result<TechnicalDraft> TechnicalDraft::stored(const QString &connectionName, int number, bool edit)
{
    const Result<std::optional<store::MasterReqRow>> master =
        store::RequirementReader(connectionName).master(number);
    if (!master || !master.value())
        return Outcome::warning(CommonTr::tr(CommonMessages::kQueryFailed));
    TechnicalDraft draft;
    draft.takeStored(*master.value());
    draft.text = master.value()->ReqText;
    draft.loadedNumber = number;
    draft.edit = edit;
    return draft;
}

void TechnicalDraft::clear()
{
    text.clear();
    forgetLoaded();
}

} // namespace varn::templates
