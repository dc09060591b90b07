#pragma once

#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}

namespace draw {

struct EventRow;
class HeatGroups;

// What every heat editor asks before it opens: mixed events have no heats, and heats on
// a field item need the user's word. False when the editor must not open.
bool mayGiveHeats(const meeting::ItemTypes& items, const EventRow& event);

// Why the event's format cannot be edited at all (unselected, or the results event of a
// combined event); empty when it can.
QString formatEditRefusal(const meeting::ItemTypes& items, const EventRow& event);

// The checks of the format editor as it opens: the refusals above, and an item without a
// heat group only when the user goes on without the rules.
bool mayEditFormat(const HeatGroups& groups, const EventRow& event);

// Whether a typed format may become the event's format: a text that cannot be read is
// refused; the proposal for `athletes` goes in without a question; any other format is
// stored only when the user accepts it nevertheless, shown with the lane check's lines.
bool acceptFormat(const HeatGroups& groups, const EventRow& event, const QString& format,
                  int athletes);
// The same for the larger of the entered and the expected athletes.
bool acceptFormat(const HeatGroups& groups, const EventRow& event, const QString& format);

inline const QString kComplexOnly =
    QStringLiteral("This format is complex.  You can only edit it with Complex mode.\r\rIf you "
                   "want to edit it as Semi-s (Simplex) again, delete all the values.");
inline const QString kNoHeatsToBeFinals =
    QStringLiteral("You cannot indicate that Heats-are-finals \rif there are no Heats.");

// Writes an accepted format, its heat counts and heats-are-finals to the working copy;
// heats-are-finals without heats is refused.
bool storeFormatEdit(db::DmdCoreDbs& database, qint64 eventNo, const QString& format,
                     bool heatsAreFinals);

} // namespace draw
