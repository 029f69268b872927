-- Requirement quality checks: the rules a workspace switched off, the words
-- it added to a rule's list, and the findings reviewers accepted. An
-- acceptance holds for the row it was made on (Req_Num): a new version of
-- the requirement is a new row, so its findings show again.

CREATE TABLE IF NOT EXISTS QUALITY_RULE (
    RuleId      TEXT NOT NULL CHECK (length(RuleId) <= 50),
    SwitchedOff INTEGER NOT NULL CHECK (SwitchedOff IN (0, 1)),
    PRIMARY KEY (RuleId)
);

CREATE TABLE IF NOT EXISTS QUALITY_WORD (
    RuleId TEXT NOT NULL CHECK (length(RuleId) <= 50),
    Word   TEXT NOT NULL CHECK (length(Word) <= 254),
    PRIMARY KEY (RuleId, Word)
);

CREATE TABLE IF NOT EXISTS QUALITY_ACCEPTED (
    Req_Num    INTEGER NOT NULL CHECK (Req_Num BETWEEN -2147483648 AND 2147483647),
    OrigReqNum INTEGER CHECK (OrigReqNum BETWEEN -2147483648 AND 2147483647),
    Version    INTEGER CHECK (Version BETWEEN -2147483648 AND 2147483647),
    RuleId     TEXT NOT NULL CHECK (length(RuleId) <= 50),
    Words      TEXT NOT NULL CHECK (length(Words) <= 254),
    Reason     TEXT CHECK (length(Reason) <= 254),
    AcceptedBy TEXT CHECK (length(AcceptedBy) <= 255),
    AcceptedAt TEXT CHECK (length(AcceptedAt) <= 30),
    PRIMARY KEY (Req_Num, RuleId, Words)
);
