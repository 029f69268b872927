#pragma once

#include "common/outcome.h"
#include "language/termrecord.h"
#include "store/requirementwriter.h"
#include "templates/draftattributes.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace varn::templates {

// One step of a save: go on, or stop with the message and the control that
// the composer focuses (and whether it selects that control's text).
struct SaveStep
{
    Outcome outcome = Outcome::ok();
    int focusField = -1;
    bool selectField = false;

    static SaveStep proceed() { return {}; }
    static SaveStep stop(Outcome why, int focus = -1, bool select = false)
    {
        return {std::move(why), focus, select};
    }
    bool proceeds() const { return outcome.isOk(); }
};

// What one kind of requirement brings to the common save (SaveFrame): its
// checks, the head of its MASTER_REQ row, its sentence and terms, and the rows
// of its own tables. The frame calls these in the order listed.
class ComposedRequirement
{
public:
    virtual ~ComposedRequirement() = default;

    // The group opened for the save; the object-model group is opened beside
    // it when the requirement derives a model.
    virtual store::RecordGroup recordGroup() const = 0;
    virtual bool derivesObjectModel() const { return true; }
    // The attributes, and the loaded requirement that an edit versions (the
    // frame moves it on to the new version after an edit).
    virtual DraftAttributes &attributes() = 0;

    // Checks made before any record set is opened.
    virtual SaveStep checkBeforeSaving() = 0;
    // The sentence's fields hold no line break or other control character
    // (a free text may, and its own check is the frame's).
    virtual SaveStep checkCharacters() const { return SaveStep::proceed(); }
    // FSTType, Source and Preamble of the new MASTER_REQ row.
    virtual SaveStep describeMaster(store::MasterReqRow &row) = 0;
    // The sentence body, measured as it is against the 254-character limit,
    // and the terms without their end record (none when nothing is derived).
    virtual SaveStep compose(QString &body, QList<language::TermRecord> &terms) = 0;
    // OrigReqNum of an edit: the loaded first version, or the edited
    // requirement itself when its first version is unknown (0).
    virtual qint32 firstVersionOfEdit();
    // ReqText from the body: runs of blanks collapsed, trailing blanks removed.
    virtual QString storedText(const QString &body) const;
    // The rows of the requirement's own tables, under the new number, after
    // the MASTER_REQ row and the requirement counter.
    virtual Outcome writeOwnRows(store::RequirementWriter &writer, qint32 number,
                                 const QByteArray &tcode) = 0;

    // Every run of blanks becomes one blank; trailing blanks go.
    static QString collapsedBody(QString body);
};

} // namespace varn::templates
