-- The requirements database of one workspace: requirement tables, object-model
-- tables and key counters. Text(n) columns keep their width as a CHECK; Long
-- columns are signed 32-bit and Integer columns signed 16-bit integers.
-- Every column may be null; keys are handed out by the counter tables.
-- Relationships are checked when a transaction commits, so a regeneration may
-- empty the object-model tables in its own order.

PRAGMA foreign_keys = ON;

-- Object model ------------------------------------------------------------

CREATE TABLE OM_ENTITY (
    Entity_ID   INTEGER PRIMARY KEY CHECK (Entity_ID BETWEEN -2147483648 AND 2147483647),
    Entity      TEXT CHECK (length(Entity) <= 255)
);

-- Derivation looks entities, attributes, methods, parts and values up by name.
CREATE INDEX OM_ENTITY_Entity ON OM_ENTITY (Entity);

CREATE TABLE OM_ATTR (
    Attr_ID     INTEGER PRIMARY KEY CHECK (Attr_ID BETWEEN -2147483648 AND 2147483647),
    Attribute   TEXT CHECK (length(Attribute) <= 255),
    DataTypeDef TEXT CHECK (length(DataTypeDef) <= 255),
    FK_EntityID INTEGER REFERENCES OM_ENTITY (Entity_ID) DEFERRABLE INITIALLY DEFERRED
                CHECK (FK_EntityID BETWEEN -2147483648 AND 2147483647)
);
CREATE INDEX OM_ATTR_FK_EntityID ON OM_ATTR (FK_EntityID);
CREATE INDEX OM_ATTR_Attribute ON OM_ATTR (Attribute);

CREATE TABLE OM_METHOD (
    Method_ID   INTEGER PRIMARY KEY CHECK (Method_ID BETWEEN -2147483648 AND 2147483647),
    Method      TEXT CHECK (length(Method) <= 255),
    FK_EntityID INTEGER REFERENCES OM_ENTITY (Entity_ID) DEFERRABLE INITIALLY DEFERRED
                CHECK (FK_EntityID BETWEEN -2147483648 AND 2147483647)
);
CREATE INDEX OM_METHOD_FK_EntityID ON OM_METHOD (FK_EntityID);
CREATE INDEX OM_METHOD_Method_ID ON OM_METHOD (Method_ID);
CREATE INDEX OM_METHOD_Method ON OM_METHOD (Method);

CREATE TABLE OM_INH (
    InH_ID      INTEGER PRIMARY KEY CHECK (InH_ID BETWEEN -2147483648 AND 2147483647),
    InH_Entity  TEXT CHECK (length(InH_Entity) <= 255),
    FK_EntityID INTEGER REFERENCES OM_ENTITY (Entity_ID) DEFERRABLE INITIALLY DEFERRED
                CHECK (FK_EntityID BETWEEN -2147483648 AND 2147483647)
);
CREATE INDEX OM_INH_FK_EntityID ON OM_INH (FK_EntityID);

CREATE TABLE OM_AGG (
    Agg_ID      INTEGER PRIMARY KEY CHECK (Agg_ID BETWEEN -2147483648 AND 2147483647),
    AggEntity   TEXT CHECK (length(AggEntity) <= 255),
    FK_EntityID INTEGER REFERENCES OM_ENTITY (Entity_ID) DEFERRABLE INITIALLY DEFERRED
                CHECK (FK_EntityID BETWEEN -2147483648 AND 2147483647)
);
CREATE INDEX OM_AGG_FK_EntityID ON OM_AGG (FK_EntityID);
CREATE INDEX OM_AGG_AggEntity ON OM_AGG (AggEntity);

CREATE TABLE OM_PV (
    PVOM_ID     INTEGER PRIMARY KEY CHECK (PVOM_ID BETWEEN -2147483648 AND 2147483647),
    FK_AttrID   INTEGER REFERENCES OM_ATTR (Attr_ID) DEFERRABLE INITIALLY DEFERRED
                CHECK (FK_AttrID BETWEEN -2147483648 AND 2147483647),
    Value       TEXT CHECK (length(Value) <= 255)
);
CREATE INDEX OM_PV_FK_AttrID ON OM_PV (FK_AttrID);
CREATE INDEX OM_PV_Value ON OM_PV (Value);

-- Requirements ------------------------------------------------------------

CREATE TABLE MASTER_REQ (
    Req_Num     INTEGER PRIMARY KEY CHECK (Req_Num BETWEEN -2147483648 AND 2147483647),
    FSTType     TEXT CHECK (length(FSTType) <= 50),
    Source      INTEGER CHECK (Source BETWEEN -2147483648 AND 2147483647),
    Category    TEXT CHECK (length(Category) <= 50),
    Priority    INTEGER CHECK (Priority BETWEEN -2147483648 AND 2147483647),
    Release     INTEGER CHECK (Release BETWEEN -2147483648 AND 2147483647),
    Version     INTEGER CHECK (Version BETWEEN -2147483648 AND 2147483647),
    ParaNum     TEXT CHECK (length(ParaNum) <= 50),
    Preamble    TEXT CHECK (length(Preamble) <= 255),
    ReqText     TEXT CHECK (length(ReqText) <= 255),
    OrigReqNum  INTEGER CHECK (OrigReqNum BETWEEN -2147483648 AND 2147483647),
    DateSaved   TEXT CHECK (length(DateSaved) <= 10),
    Comments    TEXT CHECK (length(Comments) <= 255)
);

CREATE TABLE FUNC_REQ (
    F_ReqNum    INTEGER PRIMARY KEY REFERENCES MASTER_REQ (Req_Num) DEFERRABLE INITIALLY DEFERRED
                CHECK (F_ReqNum BETWEEN -2147483648 AND 2147483647),
    Source      INTEGER CHECK (Source BETWEEN -2147483648 AND 2147483647),
    Preamble    INTEGER CHECK (Preamble BETWEEN -2147483648 AND 2147483647),
    Field0  TEXT CHECK (length(Field0)  <= 255), Field1  TEXT CHECK (length(Field1)  <= 255),
    Field2  TEXT CHECK (length(Field2)  <= 255), Field3  TEXT CHECK (length(Field3)  <= 255),
    Field4  TEXT CHECK (length(Field4)  <= 255), Field5  TEXT CHECK (length(Field5)  <= 255),
    Field6  TEXT CHECK (length(Field6)  <= 255), Field7  TEXT CHECK (length(Field7)  <= 255),
    Field8  TEXT CHECK (length(Field8)  <= 255), Field9  TEXT CHECK (length(Field9)  <= 255),
    Field10 TEXT CHECK (length(Field10) <= 255), Field11 TEXT CHECK (length(Field11) <= 255),
    Field12 TEXT CHECK (length(Field12) <= 255), Field13 TEXT CHECK (length(Field13) <= 255),
    Field14 TEXT CHECK (length(Field14) <= 255), Field15 TEXT CHECK (length(Field15) <= 255),
    Field16 TEXT CHECK (length(Field16) <= 255), Field17 TEXT CHECK (length(Field17) <= 255),
    Field18 TEXT CHECK (length(Field18) <= 255), Field19 TEXT CHECK (length(Field19) <= 255),
    Field20 TEXT CHECK (length(Field20) <= 255), Field21 TEXT CHECK (length(Field21) <= 255),
    Field22 TEXT CHECK (length(Field22) <= 255), Field23 TEXT CHECK (length(Field23) <= 255),
    Field24 TEXT CHECK (length(Field24) <= 255), Field25 TEXT CHECK (length(Field25) <= 255),
    Field26 TEXT CHECK (length(Field26) <= 255), Field27 TEXT CHECK (length(Field27) <= 255),
    TCodeStrF   TEXT CHECK (length(TCodeStrF) <= 255)
);

CREATE TABLE STRUC_REQ (
    S_ReqNum       INTEGER PRIMARY KEY REFERENCES MASTER_REQ (Req_Num) DEFERRABLE INITIALLY DEFERRED
                   CHECK (S_ReqNum BETWEEN -2147483648 AND 2147483647),
    Source         INTEGER CHECK (Source BETWEEN -2147483648 AND 2147483647),
    Preamble       INTEGER CHECK (Preamble BETWEEN -32768 AND 32767),
    TypeBasic      TEXT CHECK (length(TypeBasic) <= 255),
    EntityBasic    TEXT CHECK (length(EntityBasic) <= 255),
    TypeAttr       TEXT CHECK (length(TypeAttr) <= 255),
    EntityAttr     TEXT CHECK (length(EntityAttr) <= 255),
    StateVal       TEXT CHECK (length(StateVal) <= 255),
    AttrName       TEXT CHECK (length(AttrName) <= 255),
    PossVal        TEXT CHECK (length(PossVal) <= 255),
    DataType       TEXT CHECK (length(DataType) <= 255),
    "Default"      TEXT CHECK (length("Default") <= 255),
    TypeWithList   TEXT CHECK (length(TypeWithList) <= 255),
    EntityWithList TEXT CHECK (length(EntityWithList) <= 255),
    HowMany        TEXT CHECK (length(HowMany) <= 20),
    Cardinality    TEXT CHECK (length(Cardinality) <= 255),
    TypeInList     TEXT CHECK (length(TypeInList) <= 255),
    EntityInList   TEXT CHECK (length(EntityInList) <= 255),
    Position       INTEGER CHECK (Position BETWEEN -2147483648 AND 2147483647),
    "From"         TEXT CHECK (length("From") <= 50),
    "To"           TEXT CHECK (length("To") <= 50),
    TCodeStrS      TEXT CHECK (length(TCodeStrS) <= 255)
);

CREATE TABLE POSS_VALS (
    PV_ID       INTEGER PRIMARY KEY CHECK (PV_ID BETWEEN -2147483648 AND 2147483647),
    FK_SReqNum  INTEGER REFERENCES STRUC_REQ (S_ReqNum) DEFERRABLE INITIALLY DEFERRED
                CHECK (FK_SReqNum BETWEEN -2147483648 AND 2147483647),
    Value       TEXT CHECK (length(Value) <= 255)
);
CREATE INDEX POSS_VALS_FK_SReqNum ON POSS_VALS (FK_SReqNum);

CREATE TABLE REQ_ENTITY (
    Req_EntityID INTEGER PRIMARY KEY CHECK (Req_EntityID BETWEEN -2147483648 AND 2147483647),
    ReqEntity    TEXT CHECK (length(ReqEntity) <= 255),
    FK_FReqNum   INTEGER REFERENCES FUNC_REQ (F_ReqNum) DEFERRABLE INITIALLY DEFERRED
                 CHECK (FK_FReqNum BETWEEN -2147483648 AND 2147483647),
    FK_SReqNum   INTEGER REFERENCES STRUC_REQ (S_ReqNum) DEFERRABLE INITIALLY DEFERRED
                 CHECK (FK_SReqNum BETWEEN -2147483648 AND 2147483647),
    FK_OMEntity  INTEGER REFERENCES OM_ENTITY (Entity_ID) DEFERRABLE INITIALLY DEFERRED
                 CHECK (FK_OMEntity BETWEEN -2147483648 AND 2147483647)
);
CREATE INDEX REQ_ENTITY_FK_FReqNum ON REQ_ENTITY (FK_FReqNum);
CREATE INDEX REQ_ENTITY_FK_SReqNum ON REQ_ENTITY (FK_SReqNum);
CREATE INDEX REQ_ENTITY_FK_OMEntity ON REQ_ENTITY (FK_OMEntity);

CREATE TABLE DEPENDENT_REQ (
    Dep_Num     INTEGER PRIMARY KEY CHECK (Dep_Num BETWEEN -2147483648 AND 2147483647),
    FK_ReqNum   INTEGER REFERENCES MASTER_REQ (Req_Num) DEFERRABLE INITIALLY DEFERRED
                CHECK (FK_ReqNum BETWEEN -2147483648 AND 2147483647),
    Dep_ReqNum  INTEGER CHECK (Dep_ReqNum BETWEEN -2147483648 AND 2147483647)
);
CREATE INDEX DEPENDENT_REQ_FK_ReqNum ON DEPENDENT_REQ (FK_ReqNum);
CREATE INDEX DEPENDENT_REQ_Dep_ReqNum ON DEPENDENT_REQ (Dep_ReqNum);

CREATE TABLE SYSTEM_NAME (
    SystemName      TEXT PRIMARY KEY CHECK (length(SystemName) <= 255),
    TypeSet         INTEGER CHECK (TypeSet BETWEEN -32768 AND 32767),
    SourceSet       INTEGER CHECK (SourceSet BETWEEN -32768 AND 32767),
    CategorySet     INTEGER CHECK (CategorySet BETWEEN -32768 AND 32767),
    PrioritySet     INTEGER CHECK (PrioritySet BETWEEN -32768 AND 32767),
    ReleaseSet      INTEGER CHECK (ReleaseSet BETWEEN -32768 AND 32767),
    VersionSet      INTEGER CHECK (VersionSet BETWEEN -32768 AND 32767),
    ParagraphSet    INTEGER CHECK (ParagraphSet BETWEEN -32768 AND 32767),
    RequirementSet  INTEGER CHECK (RequirementSet BETWEEN -32768 AND 32767),
    OrigNumSet      INTEGER CHECK (OrigNumSet BETWEEN -32768 AND 32767),
    DateSavedSet    INTEGER CHECK (DateSavedSet BETWEEN -32768 AND 32767),
    CommentsSet     INTEGER CHECK (CommentsSet BETWEEN -32768 AND 32767),
    BackgroundColor INTEGER CHECK (BackgroundColor BETWEEN -32768 AND 32767)
);
INSERT INTO SYSTEM_NAME VALUES ('Unspecified', 1, 0, 1, 1, 1, 0, 1, 1, 0, 0, 0, 0);

-- Key counters: one row each, holding the last number handed out ------------

CREATE TABLE PK_MASTR_REQ (PMastrReq INTEGER PRIMARY KEY CHECK (PMastrReq BETWEEN -2147483648 AND 2147483647));
CREATE TABLE PK_ENT_REQ   (PEntReq   INTEGER PRIMARY KEY CHECK (PEntReq   BETWEEN -2147483648 AND 2147483647));
CREATE TABLE PK_DEP_REQ   (PDepReq   INTEGER PRIMARY KEY CHECK (PDepReq   BETWEEN -2147483648 AND 2147483647));
CREATE TABLE PK_PV_REQ    (PPvReq    INTEGER PRIMARY KEY CHECK (PPvReq    BETWEEN -2147483648 AND 2147483647));
CREATE TABLE PK_ENT_OM    (PEntOm    INTEGER PRIMARY KEY CHECK (PEntOm    BETWEEN -2147483648 AND 2147483647));
CREATE TABLE PK_ATTR_OM   (PAttrOm   INTEGER PRIMARY KEY CHECK (PAttrOm   BETWEEN -2147483648 AND 2147483647));
CREATE TABLE PK_METH_OM   (PMethOm   INTEGER PRIMARY KEY CHECK (PMethOm   BETWEEN -2147483648 AND 2147483647));
CREATE TABLE PK_INH_OM    (PInhOm    INTEGER PRIMARY KEY CHECK (PInhOm    BETWEEN -2147483648 AND 2147483647));
CREATE TABLE PK_AGG_OM    (PAggOm    INTEGER PRIMARY KEY CHECK (PAggOm    BETWEEN -2147483648 AND 2147483647));
CREATE TABLE PK_PV_OM     (PPvOm     INTEGER PRIMARY KEY CHECK (PPvOm     BETWEEN -2147483648 AND 2147483647));
INSERT INTO PK_MASTR_REQ VALUES (0);
INSERT INTO PK_ENT_REQ   VALUES (0);
INSERT INTO PK_DEP_REQ   VALUES (0);
INSERT INTO PK_PV_REQ    VALUES (0);
INSERT INTO PK_ENT_OM    VALUES (0);
INSERT INTO PK_ATTR_OM   VALUES (0);
INSERT INTO PK_METH_OM   VALUES (0);
INSERT INTO PK_INH_OM    VALUES (0);
INSERT INTO PK_AGG_OM    VALUES (0);
INSERT INTO PK_PV_OM     VALUES (0);

-- The stored report: every live requirement as its full sentence -----------

CREATE VIEW "System Requirements" AS
SELECT Req_Num AS "Req No.",
       ParaNum AS Paragraph,
       Preamble || ' ' || ReqText || '.' AS Requirement,
       Category,
       Priority,
       Release,
       Comments
FROM MASTER_REQ
WHERE FSTType <> 'Deleted'
ORDER BY ParaNum, Req_Num;
