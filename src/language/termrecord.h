#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace varn::language {

// One term of a requirement, as the commits and the rebuild hand it to clause
// labelling and derivation. An array of them ends with a record whose letter
// is 0 (its group stays 0 after labelling).
struct TermRecord
{
    // The longest text a record holds (a field holds at most 50 characters).
    static constexpr int MaxTextLength = 54;

    char group = 0;  // clause group 'A'..'Q', written by LabelClauses
    qint32 form = 0; // clause form 0..8, written by LabelClauses
    char letter = 0; // the term letter; 0 ends the array
    QString text;    // normalised text or the shown list word
};

// One record per letter of the G-code, with empty texts, and the end record.
QList<TermRecord> termRecordsFromGCode(QByteArrayView gcode);

} // namespace varn::language
