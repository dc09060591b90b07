#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace db {
class DmdCoreDbs;
class Query;
} // namespace db
namespace meeting {
class ItemTypes;
}

namespace results {

// The bar at which a high jump or pole vault begins, one per event (`NON_CRUCIAL_SPEC`,
// `SPEC_GRAM_OR_MM`). Officials set it before the meeting; the sheets print it and the
// performance history offers it as the first height.
struct StartHeight {
    qint64 eventNo = 0;
    QString itemCode;
    QString description;
    QString height; // as people write it; kStartHeightNone when none is set
};

// The text of an event without a starting height.
inline const QString kStartHeightNone = QStringLiteral("0.00");

class StartHeights {
public:
    StartHeights(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo);

    // The meeting's vertical-jump events in program order with their starting heights.
    QList<StartHeight> list();
    // One event's starting height; empty (after the message) when the event is not a
    // vertical jump of the meeting.
    std::optional<StartHeight> of(qint64 eventNo);
    // Stores the height in the item's format; "0.00" or an empty text clears it. A text that
    // is not a height is refused with the message and nothing changes.
    bool set(qint64 eventNo, const QString& height);

private:
    StartHeight rowOf(const db::Query& q) const;

    db::DmdCoreDbs& m_db;
    const meeting::ItemTypes& m_items;
    int m_meetingNo = 0;
};

// Deletes the starting heights whose event is gone (say, removed by an older release) and
// reports how many with "... orphan EditVertJumpStartHgts were removed."; the count.
int purgeOrphanStartHeights(db::DmdCoreDbs& database);

} // namespace results
