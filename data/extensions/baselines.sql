-- Baselines: the live requirements frozen under a name. A MASTER_REQ row's
-- number, version, sentence and template fields never change once written
-- (an edit writes a new row), so a baseline refers to its rows by number and
-- keeps only what Requirements Central changes in place: the attributes, the
-- type a deletion overwrites and the date it sets. The dependent links are
-- rewritten in place, so they are copied whole, with their keys.
--
-- Requirement and link keys are handed out in the order their saves commit
-- and a row is never revived, so a baseline keeps the last of each it saw:
-- what a later set holds above them came after it, and what it holds below
-- them it held too.

CREATE TABLE IF NOT EXISTS BASELINE (
    Baseline_ID INTEGER PRIMARY KEY CHECK (Baseline_ID BETWEEN -2147483648 AND 2147483647),
    Name        TEXT NOT NULL UNIQUE CHECK (length(Name) <= 50),
    Comments    TEXT CHECK (length(Comments) <= 255),
    CreatedBy   TEXT CHECK (length(CreatedBy) <= 255),
    CreatedAt   TEXT CHECK (length(CreatedAt) <= 30),
    LastReqNum  INTEGER CHECK (LastReqNum BETWEEN -2147483648 AND 2147483647),
    LastDepNum  INTEGER CHECK (LastDepNum BETWEEN -2147483648 AND 2147483647)
);

CREATE TABLE IF NOT EXISTS BASELINE_REQ (
    FK_Baseline INTEGER NOT NULL REFERENCES BASELINE (Baseline_ID) DEFERRABLE INITIALLY DEFERRED
                CHECK (FK_Baseline BETWEEN -2147483648 AND 2147483647),
    Req_Num     INTEGER NOT NULL CHECK (Req_Num BETWEEN -2147483648 AND 2147483647),
    FSTType     TEXT CHECK (length(FSTType) <= 50),
    Category    TEXT CHECK (length(Category) <= 50),
    Priority    INTEGER CHECK (Priority BETWEEN -2147483648 AND 2147483647),
    Release     INTEGER CHECK (Release BETWEEN -2147483648 AND 2147483647),
    ParaNum     TEXT CHECK (length(ParaNum) <= 50),
    DateSaved   TEXT CHECK (length(DateSaved) <= 10),
    Comments    TEXT CHECK (length(Comments) <= 255),
    PRIMARY KEY (FK_Baseline, Req_Num)
);

CREATE TABLE IF NOT EXISTS BASELINE_LINK (
    FK_Baseline INTEGER NOT NULL REFERENCES BASELINE (Baseline_ID) DEFERRABLE INITIALLY DEFERRED
                CHECK (FK_Baseline BETWEEN -2147483648 AND 2147483647),
    FK_ReqNum   INTEGER CHECK (FK_ReqNum BETWEEN -2147483648 AND 2147483647),
    Dep_ReqNum  INTEGER CHECK (Dep_ReqNum BETWEEN -2147483648 AND 2147483647),
    Dep_Num     INTEGER CHECK (Dep_Num BETWEEN -2147483648 AND 2147483647)
);
CREATE INDEX IF NOT EXISTS BASELINE_LINK_FK_Baseline
    ON BASELINE_LINK (FK_Baseline, FK_ReqNum, Dep_ReqNum, Dep_Num);
