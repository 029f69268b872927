#pragma once

#include <QString>

namespace varn::store {
struct MasterReqRow;
}

namespace varn::templates {

// What every composer holds beside its sentence: the attributes that the
// MASTER_REQ row takes as the user chose them, and the stored requirement the
// composer was opened on.
struct DraftAttributes
{
    QString category = QStringLiteral("Software"); // shown texts of the three lists
    QString priority = QStringLiteral("1");
    QString release = QStringLiteral("1");
    QString paragraph;
    QString comments;

    // The stored requirement the composer was opened on (-1: none); with
    // edit set, a save stores its next version.
    int loadedNumber = -1;
    bool edit = false;
    int loadedVersion = 1;
    int loadedFirstVersion = 0;

    // Takes the attributes and version data of a stored MASTER_REQ row as a
    // composer shows them: a category that is no item shows "Software", a
    // priority or release outside 1 to 9 shows "1".
    void takeStored(const store::MasterReqRow &master);
    // See Example and Clear: the composer holds a new requirement again.
    void forgetLoaded();
    bool isEditing() const { return edit && loadedNumber >= 0; }
};

} // namespace varn::templates
