#include "cli/draftoptions.h"

#include "cli/clicommand.h"
#include "cli/clitr.h"
#include "cli/structuraloptions.h"
#include "store/recordobjects.h"
#include "templates/functionalcommit.h"

namespace varn::cli {

using templates::TemplateCatalogue;

QString applyDraftOptions(const CliOptions &options, templates::FunctionalDraft &draft)
{
    if (options.has(QStringLiteral("preamble"))) {
        const QString given = options.value(QStringLiteral("preamble"));
        bool isNumber = false;
        const int position = given.toInt(&isNumber);
        draft.preamble = isNumber && position >= 0 && position < TemplateCatalogue::kPreambleCount
                             ? TemplateCatalogue::preamblePhrases().at(position)
                             : given; // as typed: the save refuses it as the dialog does
    }
    for (const QString &field : options.values(QStringLiteral("field"))) {
        const qsizetype equals = field.indexOf(QLatin1Char('='));
        bool isNumber = false;
        const int k = equals > 0 ? field.left(equals).toInt(&isNumber) : -1;
        if (!isNumber || !draft.isOpen(k))
            return Tr::tr("--field takes K=TEXT with K a field of the requirement, 0 to %1")
                .arg(draft.fields.size() - 1);
        draft.setField(k, field.mid(equals + 1));
    }
    draft.category = options.value(QStringLiteral("category"), draft.category);
    draft.priority = options.value(QStringLiteral("priority"), draft.priority);
    draft.release = options.value(QStringLiteral("release"), draft.release);
    draft.paragraph = options.value(QStringLiteral("paragraph"), draft.paragraph);
    draft.comments = options.value(QStringLiteral("comments"), draft.comments);
    return {};
}

int saveFunctionalDraft(app::CVarnApp &app, templates::FunctionalDraft &draft)
{
    templates::FunctionalCommit commit(*app.records(), app.systemName());
    return reportCommit(app, commit.save(draft));
}

} // namespace varn::cli
