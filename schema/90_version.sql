-- Dolvane empty database: schema version (last file).
-- The program compares this text with its own schema version at connect time.
INSERT INTO DATABASE_VERSION (VERSION) VALUES ('2.855');
