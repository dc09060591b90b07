#pragma once

#include <QString>

namespace base {
class Run;
}

namespace entries {

// The rows "Assign Category to Existing" changed.
struct AssignedCategory {
    bool done = false;
    qint64 athletes = 0;
    qint64 items = 0;
};

// Gives the category to the current meeting's athletes and items that have none.
AssignedCategory assignCategory(base::Run& run, const QString& category);

// "Assign Category to Existing": explains, asks for the category, checks it, offers to
// stop for a backup, assigns and reports.
AssignedCategory assignCategoryToExisting(base::Run& run);

} // namespace entries
