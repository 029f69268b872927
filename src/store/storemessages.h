#pragma once

#include "common/storedwords.h"

#include <QCoreApplication>

// Messages of the save frame that its callers show through Tr::tr(); the record sets' own
// failures carry "Cannot open <set> recordset.\n" and the like, followed by the
// database's text.
namespace varn::store::messages {

inline constexpr char kNoTransactions[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot perform a transaction on the Requirements database.");
inline constexpr char kCannotWriteMsReqSet[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot write to the MsReqSet recordset.");
// Holds a carriage return, which the gathered texts cannot carry: shown as is.
inline constexpr char kObjectModelFailed[] = QT_TRANSLATE_NOOP(
    "varn::store",
    "Error creating object model. Your database may be corrupt.\rVerify your database, then "
    "retry composing.");
inline constexpr char kOutOfMemoryRecordsets[] = QT_TRANSLATE_NOOP(
    "varn::store", "Out of memory. Could not allocate memory for one or more recordsets.");

// Marking the replaced version in the transaction of an edit.
inline constexpr char kEditOpenFailed[] =
    QT_TRANSLATE_NOOP("varn::store", "Cannot open ReqMsSet recordset for requirement edit.\n");
inline constexpr char kEditNotFound[] =
    QT_TRANSLATE_NOOP("varn::store", "Error querying the Requirements database for edit.");
inline constexpr char kEditWriteFailed[] =
    QT_TRANSLATE_NOOP("varn::store", "Error querying the Requirements database during edit.");
// Another program retired the version between its load and this save.
inline constexpr char kEditAlreadyDeleted[] = QT_TRANSLATE_NOOP(
    "varn::store", "The selected requirement has been deleted and cannot be edited.");

// Another user saved a newer version of the requirement since it was loaded.
inline constexpr char kEditSuperseded[] = QT_TRANSLATE_NOOP(
    "varn::store",
    "Requirement %1 was changed by another user while you were editing it: its version %2 is "
    "now requirement %3.\nOpen requirement %3 and make your change there.");

// The kind written into MASTER_REQ.FSTType of a deleted or superseded row:
// stored data, never translated.
inline constexpr const char *kDeletedKind = StoredWords::kDeleted;

} // namespace varn::store::messages
