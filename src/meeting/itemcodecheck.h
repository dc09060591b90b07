#pragma once

#include "meeting/edition.h"

#include <QString>

namespace meeting {

// Why a typed item code cannot name an item of the edition (its group, gender or age is not
// one the item names know), or empty when it can. Raises no message: the caller refuses the
// code in its own words.
QString itemCodeProblem(Edition edition, const QString& itemCode);

} // namespace meeting
