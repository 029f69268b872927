#pragma once

#include "common/requirementlimits.h"
#include "store/recordcolumn.h"

#include <array>

// The rows of the requirement tables as their owners hand them out: one
// member per column, named as the column is. The record sets of these tables
// bind the same members (kMasterReqColumns...), and so does the exchange of
// stored fields.
namespace varn::store {

// One MASTER_REQ row: every stored requirement, whatever its kind.
struct MasterReqRow
{
    qint32 Req_Num = 0;
    QString FSTType;
    qint32 Source = 0;
    QString Category;
    qint32 Priority = 0;
    qint32 Release = 0;
    qint32 Version = 0;
    QString ParaNum;
    QString Preamble;
    QString ReqText;
    qint32 OrigReqNum = 0;
    QString DateSaved;
    QString Comments;
};

inline constexpr RecordColumn<MasterReqRow> kMasterReqColumns[] = {
    {"Req_Num", ColumnType::Long, &MasterReqRow::Req_Num},
    {"FSTType", ColumnType::Text, &MasterReqRow::FSTType},
    {"Source", ColumnType::Long, &MasterReqRow::Source},
    {"Category", ColumnType::Text, &MasterReqRow::Category},
    {"Priority", ColumnType::Long, &MasterReqRow::Priority},
    {"Release", ColumnType::Long, &MasterReqRow::Release},
    {"Version", ColumnType::Long, &MasterReqRow::Version},
    {"ParaNum", ColumnType::Text, &MasterReqRow::ParaNum},
    {"Preamble", ColumnType::Text, &MasterReqRow::Preamble},
    {"ReqText", ColumnType::Text, &MasterReqRow::ReqText},
    {"OrigReqNum", ColumnType::Long, &MasterReqRow::OrigReqNum},
    {"DateSaved", ColumnType::Text, &MasterReqRow::DateSaved},
    {"Comments", ColumnType::Text, &MasterReqRow::Comments},
};
static_assert(columnsMatchMembers<MasterReqRow>(kMasterReqColumns));

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

// One STRUC_REQ row: the fields of a structural requirement, keyed by its
// MASTER_REQ number.
struct StrucReqRow
{
    qint32 S_ReqNum = 0;
    qint32 Source = 0;
    // The article position, as decimal text.
    QString Preamble;
    QString TypeBasic;
    QString EntityBasic;
    QString TypeAttr;
    QString EntityAttr;
    QString StateVal;
    QString AttrName;
    QString PossVal;
    QString DataType;
    QString Default;
    QString TypeWithList;
    QString EntityWithList;
    QString HowMany;
    QString Cardinality;
    QString TypeInList;
    QString EntityInList;
    qint32 Position = 0;
    QString From;
    QString To;
    QString TCodeStrS;
};

inline constexpr RecordColumn<StrucReqRow> kStrucReqColumns[] = {
    {"S_ReqNum", ColumnType::Long, &StrucReqRow::S_ReqNum},
    {"Source", ColumnType::Long, &StrucReqRow::Source},
    {"Preamble", ColumnType::DecimalText, &StrucReqRow::Preamble},
    {"TypeBasic", ColumnType::Text, &StrucReqRow::TypeBasic},
    {"EntityBasic", ColumnType::Text, &StrucReqRow::EntityBasic},
    {"TypeAttr", ColumnType::Text, &StrucReqRow::TypeAttr},
    {"EntityAttr", ColumnType::Text, &StrucReqRow::EntityAttr},
    {"StateVal", ColumnType::Text, &StrucReqRow::StateVal},
    {"AttrName", ColumnType::Text, &StrucReqRow::AttrName},
    {"PossVal", ColumnType::Text, &StrucReqRow::PossVal},
    {"DataType", ColumnType::Text, &StrucReqRow::DataType},
    {"Default", ColumnType::Text, &StrucReqRow::Default},
    {"TypeWithList", ColumnType::Text, &StrucReqRow::TypeWithList},
    {"EntityWithList", ColumnType::Text, &StrucReqRow::EntityWithList},
    {"HowMany", ColumnType::Text, &StrucReqRow::HowMany},
    {"Cardinality", ColumnType::Text, &StrucReqRow::Cardinality},
    {"TypeInList", ColumnType::Text, &StrucReqRow::TypeInList},
    {"EntityInList", ColumnType::Text, &StrucReqRow::EntityInList},
    {"Position", ColumnType::Long, &StrucReqRow::Position},
    {"From", ColumnType::Text, &StrucReqRow::From},
    {"To", ColumnType::Text, &StrucReqRow::To},
    {"TCodeStrS", ColumnType::Text, &StrucReqRow::TCodeStrS},
};
static_assert(columnsMatchMembers<StrucReqRow>(kStrucReqColumns));

// One POSS_VALS row: a possible value listed by a structural requirement.
struct PossValRow
{
    qint32 PV_ID = 0;
    qint32 FK_SReqNum = 0;
    QString Value;
};

inline constexpr RecordColumn<PossValRow> kPossValColumns[] = {
    {"PV_ID", ColumnType::Long, &PossValRow::PV_ID},
    {"FK_SReqNum", ColumnType::Reference, &PossValRow::FK_SReqNum},
    {"Value", ColumnType::Text, &PossValRow::Value},
};
static_assert(columnsMatchMembers<PossValRow>(kPossValColumns));

// The MASTER_REQ columns read from the application database.
struct VarnMasterRow
{
    qint32 Req_Num = 0;
    QString FSTType;
    qint32 Source = 0;
    QString ParaNum;
    QString Preamble;
    QString ReqText;
};

inline constexpr RecordColumn<VarnMasterRow> kVarnMasterColumns[] = {
    {"Req_Num", ColumnType::Long, &VarnMasterRow::Req_Num},
    {"FSTType", ColumnType::Text, &VarnMasterRow::FSTType},
    {"Source", ColumnType::Long, &VarnMasterRow::Source},
    {"ParaNum", ColumnType::Text, &VarnMasterRow::ParaNum},
    {"Preamble", ColumnType::Text, &VarnMasterRow::Preamble},
    {"ReqText", ColumnType::Text, &VarnMasterRow::ReqText},
};
static_assert(columnsMatchMembers<VarnMasterRow>(kVarnMasterColumns));

} // namespace varn::store
