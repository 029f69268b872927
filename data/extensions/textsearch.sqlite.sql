-- The words of every requirement, for finding requirements by what they say:
-- the sentence (with the whole text of a shortened sentence where one was
-- imported), the paragraph and the comments. Triggers keep the index current
-- whatever program writes the rows, so saves, edits, imports and ODBC clients
-- all reach it. The rows are keyed by the requirement's number; only live
-- requirements have one (a deleted or superseded version leaves the index),
-- so a search needs nothing but the index itself.

CREATE VIRTUAL TABLE IF NOT EXISTS REQ_WORDS USING fts5(Sentence, Paragraph, Comments);

-- Relevance weighs a word in the sentence above one in the paragraph, and
-- that above one in the comments.
INSERT INTO REQ_WORDS (REQ_WORDS, rank) VALUES ('rank', 'bm25(4.0, 2.0, 1.0)');

CREATE TRIGGER IF NOT EXISTS REQ_WORDS_SAVED AFTER INSERT ON MASTER_REQ
WHEN COALESCE(new.FSTType, '') NOT LIKE 'Deleted' BEGIN
    DELETE FROM REQ_WORDS WHERE rowid = new.Req_Num;
    INSERT INTO REQ_WORDS (rowid, Sentence, Paragraph, Comments)
    VALUES (new.Req_Num,
            COALESCE(new.Preamble, '') || ' ' ||
                COALESCE((SELECT FullText FROM FULL_TEXT WHERE Req_Num = new.Req_Num),
                         new.ReqText, ''),
            new.ParaNum, new.Comments);
END;

-- A record set writes every column back: only a change of the words, the
-- number or the kind touches the index.
CREATE TRIGGER IF NOT EXISTS REQ_WORDS_CHANGED
AFTER UPDATE OF Req_Num, FSTType, Preamble, ReqText, ParaNum, Comments ON MASTER_REQ
WHEN old.Req_Num IS NOT new.Req_Num OR old.FSTType IS NOT new.FSTType
    OR old.Preamble IS NOT new.Preamble OR old.ReqText IS NOT new.ReqText
    OR old.ParaNum IS NOT new.ParaNum OR old.Comments IS NOT new.Comments BEGIN
    DELETE FROM REQ_WORDS WHERE rowid = old.Req_Num;
    INSERT INTO REQ_WORDS (rowid, Sentence, Paragraph, Comments)
    SELECT new.Req_Num,
           COALESCE(new.Preamble, '') || ' ' ||
               COALESCE((SELECT FullText FROM FULL_TEXT WHERE Req_Num = new.Req_Num),
                        new.ReqText, ''),
           new.ParaNum, new.Comments
    WHERE COALESCE(new.FSTType, '') NOT LIKE 'Deleted';
END;

CREATE TRIGGER IF NOT EXISTS REQ_WORDS_REMOVED AFTER DELETE ON MASTER_REQ BEGIN
    DELETE FROM REQ_WORDS WHERE rowid = old.Req_Num;
END;

-- A whole text stored, changed or removed after its requirement's row.
CREATE TRIGGER IF NOT EXISTS REQ_WORDS_FULL_TEXT_SAVED AFTER INSERT ON FULL_TEXT BEGIN
    UPDATE REQ_WORDS SET Sentence = (SELECT COALESCE(Preamble, '') || ' ' || COALESCE(new.FullText, '')
                                     FROM MASTER_REQ WHERE Req_Num = new.Req_Num)
    WHERE rowid = new.Req_Num;
END;

CREATE TRIGGER IF NOT EXISTS REQ_WORDS_FULL_TEXT_CHANGED AFTER UPDATE ON FULL_TEXT BEGIN
    UPDATE REQ_WORDS SET Sentence = (SELECT COALESCE(Preamble, '') || ' ' ||
                                            COALESCE((SELECT FullText FROM FULL_TEXT
                                                      WHERE Req_Num = MASTER_REQ.Req_Num),
                                                     ReqText, '')
                                     FROM MASTER_REQ WHERE Req_Num = REQ_WORDS.rowid)
    WHERE rowid IN (old.Req_Num, new.Req_Num);
END;

CREATE TRIGGER IF NOT EXISTS REQ_WORDS_FULL_TEXT_REMOVED AFTER DELETE ON FULL_TEXT BEGIN
    UPDATE REQ_WORDS SET Sentence = (SELECT COALESCE(Preamble, '') || ' ' || COALESCE(ReqText, '')
                                     FROM MASTER_REQ WHERE Req_Num = old.Req_Num)
    WHERE rowid = old.Req_Num;
END;

-- A workspace made before the index existed gets the words of every live
-- requirement it holds.
INSERT INTO REQ_WORDS (rowid, Sentence, Paragraph, Comments)
SELECT m.Req_Num, COALESCE(m.Preamble, '') || ' ' || COALESCE(f.FullText, m.ReqText, ''),
       m.ParaNum, m.Comments
FROM MASTER_REQ m LEFT JOIN FULL_TEXT f ON f.Req_Num = m.Req_Num
WHERE COALESCE(m.FSTType, '') NOT LIKE 'Deleted' AND m.Req_Num NOT IN (SELECT rowid FROM REQ_WORDS);
