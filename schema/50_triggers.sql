-- Dolvane empty database: event triggers.
-- A change to the athletes of a heat (HEATPART) or a final (PARTICIPATE) posts RACE_DONE,
-- so that the capture screens open on other computers refresh. The client hears the
-- event when the writing transaction commits.
SET TERM ^ ;
CREATE TRIGGER TRIGGER_RACE_UPDATED FOR HEATPART
ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 0
AS
BEGIN
  POST_EVENT 'RACE_DONE';
END
^
SET TERM ; ^
SET TERM ^ ;
CREATE TRIGGER TRIGGER_FINAL_UPDATED FOR PARTICIPATE
ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 0
AS
BEGIN
  POST_EVENT 'RACE_DONE';
END
^
SET TERM ; ^
