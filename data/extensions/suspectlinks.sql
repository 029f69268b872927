-- Suspect links: a parent-dependent link whose parent or dependent got a new
-- version or was deleted, with the change that made it so (the retired row
-- and the row that replaced it, 0 for a deletion), until someone reviews it.

CREATE TABLE IF NOT EXISTS SUSPECT_LINK (
    FK_ReqNum      INTEGER NOT NULL CHECK (FK_ReqNum BETWEEN -2147483648 AND 2147483647),
    Dep_ReqNum     INTEGER NOT NULL CHECK (Dep_ReqNum BETWEEN -2147483648 AND 2147483647),
    Changed_ReqNum INTEGER NOT NULL CHECK (Changed_ReqNum BETWEEN -2147483648 AND 2147483647),
    New_ReqNum     INTEGER CHECK (New_ReqNum BETWEEN -2147483648 AND 2147483647),
    MarkedOn       TEXT CHECK (length(MarkedOn) <= 10),
    ClearedBy      TEXT CHECK (length(ClearedBy) <= 255),
    ClearedAt      TEXT CHECK (length(ClearedAt) <= 30),
    PRIMARY KEY (FK_ReqNum, Dep_ReqNum, Changed_ReqNum)
);
CREATE INDEX IF NOT EXISTS SUSPECT_LINK_Dep_ReqNum ON SUSPECT_LINK (Dep_ReqNum);
