-- The two orders a workspace file is listed in most, over its live
-- requirements alone: by number (the list as it opens) and by the sentence
-- (the widest index). Every listing but By Number and By Version leaves
-- deleted and superseded rows out; these indexes hold no such rows, so a
-- listing reads fewer and smaller entries and tests no kind on the way. The
-- kind stays in each entry, so that a listing of one kind reads nothing else.
-- A listing that takes deleted rows too reads the indexes of listorders.sql.

CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Number
    ON MASTER_REQ (Req_Num, FSTType) WHERE FSTType NOT LIKE 'Deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Sentence
    ON MASTER_REQ ((COALESCE(Preamble, '') || ' ' || COALESCE(ReqText, '')), Req_Num, FSTType)
    WHERE FSTType NOT LIKE 'Deleted';
