#include "central/requirementattributes.h"

#include "central/centraltr.h"

#include "store/masterrowedit.h"
#include "store/requirementreader.h"
#include "templates/storedtextcheck.h"
#include "templates/templatecatalogue.h"

namespace varn::central {

using templates::TemplateCatalogue;

namespace {

const QString kMissing =
    Tr::tr("The Requirement Number does not exist in the Requirements database.");

QString listNotChosen(const char *list)
{
    return Tr::tr("Validation error. A selection must be made from the %1 drop-down list.")
        .arg(QLatin1String(list));
}

} // namespace

Result<RequirementAttributes::Values> RequirementAttributes::load(int number,
                                                                  QList<Outcome> *notices) const
{
    const Result<std::optional<store::MasterReqRow>> master =
        store::RequirementReader(m_connection).master(number);
    if (!master)
        return master.outcome();
    if (!master.value())
        return Outcome::warning(kMissing);
    const store::MasterReqRow &row = *master.value();
    auto notice = [notices](const QString &text) {
        if (notices)
            notices->append(Outcome::refused(text));
    };

    Values values;
    values.paragraph = row.ParaNum;
    values.comments = row.Comments;
    values.version = row.Version;
    if (TemplateCatalogue::categories().contains(row.Category))
        values.category = row.Category;
    else
        notice(Tr::tr("The Category retrieved does not match any predefined "
                      "value.\nSetting the Category to the default, which is Software."));
    if (row.Priority >= 1 && row.Priority <= 9)
        values.priority = QString::number(row.Priority);
    if (row.Release >= 1 && row.Release <= 9)
        values.release = QString::number(row.Release);
    else
        notice(Tr::tr("The Release value retrieved does not match any predefined "
                      "value.\nSetting the Release to the default, which is 1."));
    return values;
}

Outcome RequirementAttributes::save(int number, const Values &values) const
{
    if (Outcome fits = templates::StoredTextCheck::attributes(values.paragraph, values.comments);
        !fits)
        return fits;
    const int category = TemplateCatalogue::categories().indexOf(values.category);
    const int priority = TemplateCatalogue::priorities().indexOf(values.priority);
    const int release = TemplateCatalogue::priorities().indexOf(values.release);
    store::MasterRowEdit::Steps steps;
    steps.missing = kMissing;
    steps.writeFailed = Outcome::stop(Tr::tr("Error writing to the Requirements database."));
    steps.check = [&](const store::MasterReqRow &) {
        if (category < 0)
            return Outcome::refused(listNotChosen("Category"));
        if (priority < 0)
            return Outcome::refused(listNotChosen("Priority"));
        if (release < 0)
            return Outcome::refused(listNotChosen("Release"));
        return Outcome::ok();
    };
    steps.change = [&](store::MasterReqRow &row) {
        row.ParaNum = values.paragraph.isEmpty() ? QStringLiteral("None") : values.paragraph;
        row.Priority = priority + 1;
        row.Category = values.category;
        row.Release = release + 1;
        row.Comments = values.comments;
    };
    return store::MasterRowEdit::apply(m_connection, number, steps);
}

QString RequirementAttributes::savedStatus(int number)
{
    return Tr::tr("Requirement %1 successfully updated.").arg(number);
}

} // namespace varn::central
