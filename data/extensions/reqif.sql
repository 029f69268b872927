-- Another tool's requirements-exchange documents, kept so that an export
-- writes them back as they came and a newer file updates them.

-- One row per imported document: its header and, as JSON, what an export
-- needs besides the requirements themselves (datatypes, types with their
-- attribute definitions, specifications, the hierarchy and its headings).
CREATE TABLE IF NOT EXISTS REQIF_DOCUMENT (
    Doc_Num     INTEGER PRIMARY KEY CHECK (Doc_Num BETWEEN 1 AND 2147483647),
    Identifier  TEXT,
    SourceTool  TEXT,
    Title       TEXT,
    Layout      TEXT
);

-- The object a requirement version came from.
CREATE TABLE IF NOT EXISTS REQIF_OBJECT (
    Req_Num     INTEGER PRIMARY KEY CHECK (Req_Num BETWEEN -2147483648 AND 2147483647),
    Doc_Num     INTEGER NOT NULL CHECK (Doc_Num BETWEEN 1 AND 2147483647),
    Identifier  TEXT NOT NULL,
    ObjectType  TEXT,
    TypeName    TEXT,
    LongName    TEXT,
    LastChange  TEXT
);
CREATE INDEX IF NOT EXISTS REQIF_OBJECT_IDENTIFIER ON REQIF_OBJECT (Identifier);

-- Every attribute value of that object, in the file's order.
CREATE TABLE IF NOT EXISTS REQIF_VALUE (
    Req_Num     INTEGER NOT NULL CHECK (Req_Num BETWEEN -2147483648 AND 2147483647),
    Place       INTEGER NOT NULL CHECK (Place BETWEEN 0 AND 2147483647),
    Definition  TEXT NOT NULL,
    LongName    TEXT,
    Kind        TEXT,
    ValueText   TEXT,
    Original    TEXT,
    PRIMARY KEY (Req_Num, Place)
);

-- The relations of a document, by the objects they join.
CREATE TABLE IF NOT EXISTS REQIF_RELATION (
    Doc_Num      INTEGER NOT NULL CHECK (Doc_Num BETWEEN 1 AND 2147483647),
    Identifier   TEXT NOT NULL,
    SourceObject TEXT NOT NULL,
    TargetObject TEXT NOT NULL,
    RelationType TEXT,
    TypeName     TEXT,
    LongName     TEXT,
    LastChange   TEXT,
    ValuesJson   TEXT,
    PRIMARY KEY (Doc_Num, Identifier)
);

-- The whole text of a requirement whose sentence had to be shortened.
CREATE TABLE IF NOT EXISTS FULL_TEXT (
    Req_Num     INTEGER PRIMARY KEY CHECK (Req_Num BETWEEN -2147483648 AND 2147483647),
    FullText    TEXT NOT NULL
);
