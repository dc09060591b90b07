#pragma once

#include "meeting/edition.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}

namespace entries {

// An athlete's disability classes as typed or imported: a list of sport classes
// separated by commas, semicolons, slashes or blanks.
struct DisabilityClasses {
    bool ok = false;
    QString text;        // the classes in upper case joined by ",", as stored
    QString refusal;     // why the list cannot be stored
    QStringList classes; // each class once
};

// Swimmers carry S (freestyle, fly, back), SB (breaststroke) and SM (medley) classes 1 to
// 14; athletes T (track) and F (field) classes of the groups 11-13, 20, 31-38, 40-47,
// 51-57 and 61-64. A list must fit the column (`width` characters) once written.
DisabilityClasses readDisabilityClasses(meeting::Edition edition, const QString& typed, int width);
bool isDisabilityClass(meeting::Edition edition, const QString& sportClass);

// The classes of the meeting's selected items (their `C_CLASS`), upper case.
QSet<QString> meetingDisabilityClasses(db::DmdCoreDbs& database, int meetingNo);

} // namespace entries
