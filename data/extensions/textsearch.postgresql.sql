-- The words of every requirement, for finding requirements by what they say:
-- the sentence (with the whole text of a shortened sentence where one was
-- imported), the paragraph and the comments, weighed in that order. Triggers
-- keep the index current whatever program writes the rows; only live
-- requirements have a row, so a search needs nothing but the index.

CREATE TABLE IF NOT EXISTS REQ_WORDS (
    Req_Num INTEGER PRIMARY KEY,
    Words   TSVECTOR NOT NULL
);
CREATE INDEX IF NOT EXISTS REQ_WORDS_Words ON REQ_WORDS USING GIN (Words);

CREATE OR REPLACE FUNCTION req_words_of(preamble TEXT, sentence TEXT, paragraph TEXT,
                                        comments TEXT) RETURNS TSVECTOR AS $$
    SELECT setweight(to_tsvector('simple', COALESCE(preamble, '') || ' ' || COALESCE(sentence, '')), 'A')
        || setweight(to_tsvector('simple', COALESCE(paragraph, '')), 'B')
        || setweight(to_tsvector('simple', COALESCE(comments, '')), 'C')
$$ LANGUAGE SQL IMMUTABLE;

CREATE OR REPLACE FUNCTION req_words_of_master() RETURNS TRIGGER AS $$
BEGIN
    -- A row written back unchanged leaves the index as it is.
    IF TG_OP = 'UPDATE' AND OLD.Req_Num = NEW.Req_Num
       AND OLD.FSTType IS NOT DISTINCT FROM NEW.FSTType
       AND OLD.Preamble IS NOT DISTINCT FROM NEW.Preamble
       AND OLD.ReqText IS NOT DISTINCT FROM NEW.ReqText
       AND OLD.ParaNum IS NOT DISTINCT FROM NEW.ParaNum
       AND OLD.Comments IS NOT DISTINCT FROM NEW.Comments THEN
        RETURN NEW;
    END IF;
    IF TG_OP <> 'INSERT' THEN
        DELETE FROM REQ_WORDS WHERE Req_Num = OLD.Req_Num;
    END IF;
    IF TG_OP = 'DELETE' THEN
        RETURN OLD;
    END IF;
    IF lower(COALESCE(NEW.FSTType, '')) = 'deleted' THEN
        RETURN NEW;
    END IF;
    INSERT INTO REQ_WORDS (Req_Num, Words)
    VALUES (NEW.Req_Num,
            req_words_of(NEW.Preamble,
                         COALESCE((SELECT FullText FROM FULL_TEXT WHERE Req_Num = NEW.Req_Num),
                                  NEW.ReqText),
                         NEW.ParaNum, NEW.Comments))
    ON CONFLICT (Req_Num) DO UPDATE SET Words = EXCLUDED.Words;
    RETURN NEW;
END
$$ LANGUAGE plpgsql;

CREATE OR REPLACE TRIGGER REQ_WORDS_MASTER
AFTER INSERT OR DELETE OR UPDATE OF Req_Num, FSTType, Preamble, ReqText, ParaNum, Comments
ON MASTER_REQ
FOR EACH ROW EXECUTE FUNCTION req_words_of_master();

CREATE OR REPLACE FUNCTION req_words_of_full_text() RETURNS TRIGGER AS $$
DECLARE
    changed INTEGER;
BEGIN
    FOR changed IN SELECT OLD.Req_Num WHERE TG_OP <> 'INSERT'
                   UNION SELECT NEW.Req_Num WHERE TG_OP <> 'DELETE' LOOP
        UPDATE REQ_WORDS SET Words = req_words_of(m.Preamble,
                                                  COALESCE((SELECT FullText FROM FULL_TEXT
                                                            WHERE Req_Num = m.Req_Num),
                                                           m.ReqText),
                                                  m.ParaNum, m.Comments)
        FROM MASTER_REQ m WHERE m.Req_Num = changed AND REQ_WORDS.Req_Num = changed;
    END LOOP;
    RETURN NULL;
END
$$ LANGUAGE plpgsql;

CREATE OR REPLACE TRIGGER REQ_WORDS_FULL_TEXT
AFTER INSERT OR UPDATE OR DELETE ON FULL_TEXT
FOR EACH ROW EXECUTE FUNCTION req_words_of_full_text();

-- A team workspace made before the index existed gets the words of every
-- live requirement it holds.
INSERT INTO REQ_WORDS (Req_Num, Words)
SELECT m.Req_Num, req_words_of(m.Preamble, COALESCE(f.FullText, m.ReqText), m.ParaNum, m.Comments)
FROM MASTER_REQ m LEFT JOIN FULL_TEXT f ON f.Req_Num = m.Req_Num
WHERE lower(COALESCE(m.FSTType, '')) <> 'deleted'
ON CONFLICT (Req_Num) DO NOTHING;
