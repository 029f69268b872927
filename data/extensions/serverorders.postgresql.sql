-- Requirements Central's orders on a team database. Each index holds the live
-- requirements only (deleted and superseded rows are left out by its
-- condition, which the listing states in the same words), in the order the
-- list takes: the sort value, compared byte by byte as in a workspace file
-- whatever the database's collation and with the empty values first, then
-- the number (equal values keep number order). The kind and the template
-- ride along, so that a Functional or By Template list in any order is read
-- from the index alone (the sentence's index holds the two texts it is made
-- of, so that it is read alone as well).

CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Number ON MASTER_REQ (Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Type
    ON MASTER_REQ (FSTType COLLATE "C" NULLS FIRST, Req_Num)
    INCLUDE (Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Source ON MASTER_REQ (Source NULLS FIRST, Req_Num)
    INCLUDE (FSTType) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Category
    ON MASTER_REQ (Category COLLATE "C" NULLS FIRST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Priority ON MASTER_REQ (Priority NULLS FIRST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Release ON MASTER_REQ (Release NULLS FIRST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Version ON MASTER_REQ (Version NULLS FIRST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Paragraph
    ON MASTER_REQ (ParaNum COLLATE "C" NULLS FIRST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Sentence
    ON MASTER_REQ (((COALESCE(Preamble, '') || ' ' || COALESCE(ReqText, '')) COLLATE "C")
                   NULLS FIRST, Req_Num)
    INCLUDE (FSTType, Source, Preamble, ReqText) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_FirstVersion
    ON MASTER_REQ (OrigReqNum NULLS FIRST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_DateSaved
    ON MASTER_REQ (DateSaved COLLATE "C" NULLS FIRST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_Comments
    ON MASTER_REQ (Comments COLLATE "C" NULLS FIRST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';

-- The same orders descending, equal values still in number order.
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_TypeDown
    ON MASTER_REQ (FSTType COLLATE "C" DESC NULLS LAST, Req_Num)
    INCLUDE (Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_SourceDown
    ON MASTER_REQ (Source DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_CategoryDown
    ON MASTER_REQ (Category COLLATE "C" DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_PriorityDown
    ON MASTER_REQ (Priority DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_ReleaseDown
    ON MASTER_REQ (Release DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_VersionDown
    ON MASTER_REQ (Version DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_ParagraphDown
    ON MASTER_REQ (ParaNum COLLATE "C" DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_SentenceDown
    ON MASTER_REQ (((COALESCE(Preamble, '') || ' ' || COALESCE(ReqText, '')) COLLATE "C")
                   DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType, Source, Preamble, ReqText) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_FirstVersionDown
    ON MASTER_REQ (OrigReqNum DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_DateSavedDown
    ON MASTER_REQ (DateSaved COLLATE "C" DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_CommentsDown
    ON MASTER_REQ (Comments COLLATE "C" DESC NULLS LAST, Req_Num)
    INCLUDE (FSTType, Source) WHERE lower(FSTType) <> 'deleted';

-- Paragraph and entity patterns are matched lower-cased; a pattern without a
-- leading wildcard ("3.*", "station b*") reads the range it begins with.
-- Each holds the text itself as well, for the rest of the pattern.
CREATE INDEX IF NOT EXISTS MASTER_REQ_Live_ParagraphPattern
    ON MASTER_REQ (lower(ParaNum) text_pattern_ops) INCLUDE (ParaNum, Req_Num)
    WHERE lower(FSTType) <> 'deleted';
CREATE INDEX IF NOT EXISTS REQ_ENTITY_LowerPattern
    ON REQ_ENTITY (lower(ReqEntity) text_pattern_ops) INCLUDE (ReqEntity, FK_FReqNum, FK_SReqNum);

-- A number pattern ("1*") reads the range of numbers whose decimal text
-- begins with its digits, deleted ones included.
CREATE INDEX IF NOT EXISTS MASTER_REQ_NumberPattern
    ON MASTER_REQ ((CAST(Req_Num AS TEXT)) text_pattern_ops) INCLUDE (Req_Num);
