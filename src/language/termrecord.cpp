#include "language/termrecord.h"

namespace varn::language {

QList<TermRecord> termRecordsFromGCode(QByteArrayView gcode)
{
    QList<TermRecord> records(gcode.size() + 1);
    for (qsizetype index = 0; index < gcode.size(); ++index)
        records[index].letter = gcode[index];
    return records;
}

} // namespace varn::language
