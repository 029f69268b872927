#pragma once

#include "common/requirementlimits.h"
#include "store/recordset.h"

#include <array>

namespace varn::store {

// One FUNC_REQ row: the template fields of a functional requirement, keyed by
// its MASTER_REQ number.
struct FuncReqRow
{

    qint32 F_ReqNum = 0;
    qint32 Source = 0;
    // The position of the "shall" phrase, as decimal text.
    QString Preamble;
    QString Field0;
    QString Field1;
    QString Field2;
    QString Field3;
    QString Field4;
    QString Field5;
    QString Field6;
    QString Field7;
    QString Field8;
    QString Field9;
    QString Field10;
    QString Field11;
    QString Field12;
    QString Field13;
    QString Field14;
    QString Field15;
    QString Field16;
    QString Field17;
    QString Field18;
    QString Field19;
    QString Field20;
    QString Field21;
    QString Field22;
    QString Field23;
    QString Field24;
    QString Field25;
    QString Field26;
    QString Field27;
    QString TCodeStrF;

    // Field0 to Field27 by number.
    QString &field(int k) { return this->*kFields[k]; }
    const QString &field(int k) const { return this->*kFields[k]; }

private:
    static constexpr std::array<QString FuncReqRow::*, kMaxTerms> kFields = {
        &FuncReqRow::Field0,  &FuncReqRow::Field1,  &FuncReqRow::Field2,  &FuncReqRow::Field3,
        &FuncReqRow::Field4,  &FuncReqRow::Field5,  &FuncReqRow::Field6,  &FuncReqRow::Field7,
        &FuncReqRow::Field8,  &FuncReqRow::Field9,  &FuncReqRow::Field10, &FuncReqRow::Field11,
        &FuncReqRow::Field12, &FuncReqRow::Field13, &FuncReqRow::Field14, &FuncReqRow::Field15,
        &FuncReqRow::Field16, &FuncReqRow::Field17, &FuncReqRow::Field18, &FuncReqRow::Field19,
        &FuncReqRow::Field20, &FuncReqRow::Field21, &FuncReqRow::Field22, &FuncReqRow::Field23,
        &FuncReqRow::Field24, &FuncReqRow::Field25, &FuncReqRow::Field26, &FuncReqRow::Field27};
};

inline constexpr RecordColumn<FuncReqRow> kFuncReqColumns[] = {
    {"F_ReqNum", ColumnType::Long, &FuncReqRow::F_ReqNum},
    {"Source", ColumnType::Long, &FuncReqRow::Source},
    {"Preamble", ColumnType::DecimalText, &FuncReqRow::Preamble},
    {"Field0", ColumnType::Text, &FuncReqRow::Field0},
    {"Field1", ColumnType::Text, &FuncReqRow::Field1},
    {"Field2", ColumnType::Text, &FuncReqRow::Field2},
    {"Field3", ColumnType::Text, &FuncReqRow::Field3},
    {"Field4", ColumnType::Text, &FuncReqRow::Field4},
    {"Field5", ColumnType::Text, &FuncReqRow::Field5},
    {"Field6", ColumnType::Text, &FuncReqRow::Field6},
    {"Field7", ColumnType::Text, &FuncReqRow::Field7},
    {"Field8", ColumnType::Text, &FuncReqRow::Field8},
    {"Field9", ColumnType::Text, &FuncReqRow::Field9},
    {"Field10", ColumnType::Text, &FuncReqRow::Field10},
    {"Field11", ColumnType::Text, &FuncReqRow::Field11},
    {"Field12", ColumnType::Text, &FuncReqRow::Field12},
    {"Field13", ColumnType::Text, &FuncReqRow::Field13},
    {"Field14", ColumnType::Text, &FuncReqRow::Field14},
    {"Field15", ColumnType::Text, &FuncReqRow::Field15},
    {"Field16", ColumnType::Text, &FuncReqRow::Field16},
    {"Field17", ColumnType::Text, &FuncReqRow::Field17},
    {"Field18", ColumnType::Text, &FuncReqRow::Field18},
    {"Field19", ColumnType::Text, &FuncReqRow::Field19},
    {"Field20", ColumnType::Text, &FuncReqRow::Field20},
    {"Field21", ColumnType::Text, &FuncReqRow::Field21},
    {"Field22", ColumnType::Text, &FuncReqRow::Field22},
    {"Field23", ColumnType::Text, &FuncReqRow::Field23},
    {"Field24", ColumnType::Text, &FuncReqRow::Field24},
    {"Field25", ColumnType::Text, &FuncReqRow::Field25},
    {"Field26", ColumnType::Text, &FuncReqRow::Field26},
    {"Field27", ColumnType::Text, &FuncReqRow::Field27},
    {"TCodeStrF", ColumnType::Text, &FuncReqRow::TCodeStrF},
};
static_assert(columnsMatchMembers<FuncReqRow>(kFuncReqColumns));

// FUNC_REQ of the requirements database.
class CReqSet : public RecordSet<FuncReqRow>
{
public:
    explicit CReqSet(const QString &connectionName)
        : RecordSet("ReqSet", "FUNC_REQ", kFuncReqColumns, Access::Updatable, connectionName)
    {}
};

} // namespace varn::store
