-- Dolvane empty database: event triggers.
-- Every trigger here is also (re)made by the upgrade of an older database, which runs the
-- statements of this file: write each one as CREATE OR ALTER.
--
-- A change to the athletes of a heat (HEATPART) or a final (PARTICIPATE) posts RACE_DONE,
-- so that the capture screens open on other computers refresh. The client hears the
-- event when the writing transaction commits.
SET TERM ^ ;
CREATE OR ALTER TRIGGER TRIGGER_RACE_UPDATED FOR HEATPART
ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 0
AS
BEGIN
  POST_EVENT 'RACE_DONE';
END
^
SET TERM ; ^
SET TERM ^ ;
CREATE OR ALTER TRIGGER TRIGGER_FINAL_UPDATED FOR PARTICIPATE
ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 0
AS
BEGIN
  POST_EVENT 'RACE_DONE';
END
^
SET TERM ; ^
-- The state a capture screen shows of a heat (calculated, placed count, wind, tags) is
-- written after its athletes' rows, in a transaction of its own: it posts RACE_DONE too.
SET TERM ^ ;
CREATE OR ALTER TRIGGER TRIGGER_PROGRAM_UPDATED FOR PROGRAM
ACTIVE AFTER UPDATE POSITION 0
AS
BEGIN
  IF (NEW.NOT_CALCULATED_YET IS DISTINCT FROM OLD.NOT_CALCULATED_YET
      OR NEW.PLACEDCOUNT IS DISTINCT FROM OLD.PLACEDCOUNT
      OR NEW.WIND_SPEED IS DISTINCT FROM OLD.WIND_SPEED
      OR NEW.QUERIED IS DISTINCT FROM OLD.QUERIED
      OR NEW.RESULTSPRINTED IS DISTINCT FROM OLD.RESULTSPRINTED
      OR NEW.ELECHAND IS DISTINCT FROM OLD.ELECHAND) THEN
    POST_EVENT 'RACE_DONE';
END
^
SET TERM ; ^
-- A race file read from the timing system is a race done: the capture screens refresh.
SET TERM ^ ;
CREATE OR ALTER TRIGGER TRIGGER_RACE_DONE FOR EIF_RACE
ACTIVE AFTER INSERT POSITION 0
AS
BEGIN
  POST_EVENT 'RACE_DONE';
END
^
SET TERM ; ^
-- Heats added to or removed from the program: the call room and the timing interface on
-- other computers reread their list of races.
SET TERM ^ ;
CREATE OR ALTER TRIGGER TRIGGER_EDIT_PROG_REC_INSERT FOR PROGRAM
ACTIVE AFTER INSERT POSITION 0
AS
BEGIN
  POST_EVENT 'EDIT_PROG_REC_INSERT';
END
^
SET TERM ; ^
SET TERM ^ ;
CREATE OR ALTER TRIGGER TRIGGER_EDIT_PROG_REC_DELETE FOR PROGRAM
ACTIVE AFTER DELETE POSITION 0
AS
BEGIN
  POST_EVENT 'EDIT_PROG_REC_DELETE';
END
^
SET TERM ; ^
