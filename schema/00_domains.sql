-- Dolvane empty database: domains and the global key sequence.
-- Applied first. One statement per line group, each ending with ";".
--
-- T_LOGICAL: yes/no flag. 1 = yes, 0 or NULL = no. No check constraint:
-- a flag column may hold any small integer that older data put in it.
CREATE DOMAIN T_LOGICAL AS SMALLINT DEFAULT 0;
--
-- One sequence for every key of every table (read through GEN_NEXT_GLOBAL_NO).
CREATE SEQUENCE GEN_GLOBAL_NO;
