#pragma once

#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace base {
class Messages;
}

namespace draw {

// Draws a round once its athletes have reported at the call room: the athletes who may
// start (for a later round the qualifiers by place and time) are drawn by the draw of
// selected athletes. When the meeting uses the call room and the event is under its
// control, those who did not report get the status "did not report" and the call room is
// told. `confirmed` skips the question (the caller asked already).
bool callRoomDraw(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                  base::Messages& messages, qint64 eventNo, const QString& round, quint32 seed,
                  bool confirmed = false);

} // namespace draw
