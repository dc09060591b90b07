#pragma once

#include <QString>

namespace base {
class Run;
}

namespace publish {

// The implement (or hurdle height) of an item under the meeting's score set, "7.260kg";
// empty when the meeting has no set whose data is at hand or the set names none for it.
QString itemImplement(base::Run& run, const QString& itemCode);

// Whether the meeting enters disability classes: its start lists then show each
// athlete's classes, age and implement.
bool hasDisabilityClasses(base::Run& run);

} // namespace publish
