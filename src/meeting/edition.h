#pragma once

#include <QString>

namespace meeting {

// The two editions that share the data model: they differ in the item vocabulary, the item
// code's suffix and the rule that picks a performance format.
enum class Edition { Swimming, Athletics };

// The edition that an application code runs as: the athletics code selects athletics,
// every other code the swimming edition of this program.
Edition editionOf(const QString& applicationCode);

// "swimming" / "athletics", as the CLI spells them.
QString editionName(Edition edition);

} // namespace meeting
