-- Requirements Central's orders over a large workspace. Each index holds the
-- sort column, then the number (equal values keep number order) and the kind
-- (deleted and superseded rows are left out by it), so that a listing in any
-- order reads one index from end to end and never sorts or visits the rows.
-- The sentence is ordered as the list shows it, preamble before text.

CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Number ON MASTER_REQ (Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Type ON MASTER_REQ (FSTType, Req_Num);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Source ON MASTER_REQ (Source, Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Category ON MASTER_REQ (Category, Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Priority ON MASTER_REQ (Priority, Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Release ON MASTER_REQ (Release, Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Version ON MASTER_REQ (Version, Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Paragraph ON MASTER_REQ (ParaNum, Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Sentence
    ON MASTER_REQ ((COALESCE(Preamble, '') || ' ' || COALESCE(ReqText, '')), Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_FirstVersion ON MASTER_REQ (OrigReqNum, Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_DateSaved ON MASTER_REQ (DateSaved, Req_Num, FSTType);
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_Comments ON MASTER_REQ (Comments, Req_Num, FSTType);

-- A paragraph pattern without a leading wildcard ("3.*") reads the range of
-- paragraphs it begins with; the patterns ignore case, and so does the index.
CREATE INDEX IF NOT EXISTS MASTER_REQ_List_ParagraphPattern
    ON MASTER_REQ (ParaNum COLLATE NOCASE, FSTType);

-- The By Entity list of names, and the requirements an entity pattern names.
CREATE INDEX IF NOT EXISTS REQ_ENTITY_ReqEntity ON REQ_ENTITY (ReqEntity);
CREATE INDEX IF NOT EXISTS REQ_ENTITY_Pattern
    ON REQ_ENTITY (ReqEntity COLLATE NOCASE, FK_FReqNum, FK_SReqNum);
