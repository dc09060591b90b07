-- Dolvane empty database: procedures.
-- GEN_NEXT_GLOBAL_NO: selectable procedure returning one row with NEXT_NO,
-- the next number of the database-wide key sequence GEN_GLOBAL_NO.
-- Usage: select NEXT_NO from GEN_NEXT_GLOBAL_NO
SET TERM ^ ;
CREATE PROCEDURE GEN_NEXT_GLOBAL_NO
RETURNS (NEXT_NO INTEGER)
AS
BEGIN
  NEXT_NO = NEXT VALUE FOR GEN_GLOBAL_NO;
  SUSPEND;
END
^
SET TERM ; ^
