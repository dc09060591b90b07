#pragma once

#include <QString>

namespace base {

class AppGlobals;

// The folders of the product under the user's profile. Each ends with a separator.
// The profile is $USERPROFILE when set, else $HOME.
QString dataRoot(const AppGlobals& globals);
QString defaultDatabasePath(const AppGlobals& globals);
QString defaultDatabaseFolder(const AppGlobals& globals);
QString tempFolder(const AppGlobals& globals);

} // namespace base
