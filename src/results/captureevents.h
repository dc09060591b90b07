#pragma once

namespace base {
class Run;
}
namespace db {
class DbEventListener;
}

namespace results {

// What a capture screen does when it opens: when GDB_TRIGGERS_ACTIVE is 1, registers the
// captured names, lets the user interface catch up and warns when that took over a
// minute. Returns whether the listener is registered.
bool registerCaptureEvents(base::Run& run, db::DbEventListener& listener);

} // namespace results
