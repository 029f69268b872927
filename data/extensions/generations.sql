-- Generations: the requirement versions the last generation of each output
-- (the SQL module, the C++ headers, the Java classes) was written from, so
-- that a later check names the requirements changed since. A MASTER_REQ row's
-- number, version and sentence never change once written (an edit writes a
-- new row, a deletion retires the row in place), so the live rows are kept by
-- number alone, as runs of consecutive numbers: a workspace whose
-- requirements were never edited is one run however many it holds.

CREATE TABLE IF NOT EXISTS GENERATION (
    Generation_ID INTEGER PRIMARY KEY CHECK (Generation_ID BETWEEN -2147483648 AND 2147483647),
    Kind          TEXT NOT NULL UNIQUE CHECK (length(Kind) <= 10),
    OutputFolder  TEXT CHECK (length(OutputFolder) <= 4096),
    GeneratedBy   TEXT CHECK (length(GeneratedBy) <= 255),
    GeneratedAt   TEXT CHECK (length(GeneratedAt) <= 30),
    Requirements  INTEGER CHECK (Requirements BETWEEN 0 AND 2147483647)
);

CREATE TABLE IF NOT EXISTS GENERATION_RUN (
    FK_Generation INTEGER NOT NULL REFERENCES GENERATION (Generation_ID) DEFERRABLE INITIALLY DEFERRED
                  CHECK (FK_Generation BETWEEN -2147483648 AND 2147483647),
    FirstReqNum   INTEGER NOT NULL CHECK (FirstReqNum BETWEEN -2147483648 AND 2147483647),
    LastReqNum    INTEGER NOT NULL CHECK (LastReqNum BETWEEN -2147483648 AND 2147483647),
    PRIMARY KEY (FK_Generation, FirstReqNum)
);
