#include "exampledrafts.h"

using varn::templates::FunctionalDraft;

FunctionalDraft windSensorNotification(const QString &notified)
{
    FunctionalDraft draft = FunctionalDraft::forTemplate(9);
    draft.preamble = QStringLiteral("shall provide the capability");
    // Unused fields hold empty texts, as a template's controls give them.
    const QStringList texts = {QStringLiteral(""),
                               QStringLiteral("notify"),
                               QStringLiteral(""),
                               QStringLiteral(""),
                               notified,
                               QStringLiteral("when"),
                               QStringLiteral("wind sensor"),
                               QStringLiteral(""),
                               QStringLiteral("runway weather station"),
                               QStringLiteral("changes"),
                               QStringLiteral("from"),
                               QStringLiteral("nominal"),
                               QStringLiteral("to"),
                               QStringLiteral("caution")};
    for (int k = 0; k < texts.size(); ++k)
        draft.setField(k, texts[k]);
    return draft;
}
