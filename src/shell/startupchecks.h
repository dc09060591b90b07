#pragma once

#include <QString>

namespace base {
class Run;
}

namespace shell {

// The configuration key of the start-up write test.
inline constexpr const char* kDummyTest = "DUMMY_TEST";
inline constexpr const char* kRoundScoresDown = "ROUND_SCORES_DOWN";

// Writes a random number to the configuration store and reads it back; warns (once, and
// goes on) when the store cannot be written. True when the value came back.
bool configWriteTest(base::Run& run);

// The warning when a local database is not in the default database's folder; empty when
// it is.
QString preferredFolderText(const QString& databasePath, const QString& defaultPath);
void preferredFolderWarning(base::Run& run);

// The reminder that scores from the tables are rounded down to the nearest 5.
void roundScoresDownWarning(base::Run& run);

} // namespace shell

namespace shell {

// The first start on a computer: with no stored database and no default one, the empty
// default database is made from the schema. True when it was made.
bool createDefaultDatabaseIfNone(base::Run& run);

} // namespace shell
