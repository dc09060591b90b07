#pragma once

#include <QString>

namespace db {

// Points the client library at a root folder of our own whose firebird.conf runs the
// embedded engine in SuperClassic mode, so that several processes on this computer can
// open one database file at once. Must run before the client library is first used;
// repeated calls do nothing. Returns the folder.
QString prepareFirebirdRoot();

} // namespace db
