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

// Whether a typed format may become the event's format: a text that cannot be read or a
// round that sends on more than the next round holds is refused; a format that differs
// from the proposal for the expected swimmers, or fails the lane check, is stored only
// when the user accepts it nevertheless.
bool acceptFormat(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                  const EventRow& event, const QString& format);

} // namespace draw
