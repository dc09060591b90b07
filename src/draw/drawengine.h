#pragma once

#include "draw/drawcandidates.h"
#include "draw/drawstore.h"
#include "draw/heatgroups.h"

#include <QHash>

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
class MeetingSettings;
} // namespace meeting
namespace base {
class Messages;
}

namespace draw {

// An event as the draws read it.
struct DrawEvent {
    qint64 eventNo = 0;
    QString itemCode;
    QString format; // HEATFORMAT; empty: final only
    qint64 combinedNo = 0;
    QString title; // the item's name with the event's description
};

// What draws leave for the user to read afterwards.
struct DrawReport {
    QStringList empties;       // items without athletes ("Empties")
    QStringList lanesExceeded; // items whose lanes went past the lanes available
    QStringList notDrawn;      // items a draw of many left alone, each with the reason
    int drawnEvents = 0;
    int drawnAthletes = 0;
    bool cancelled = false; // the user said no before anything was drawn

    void merge(const DrawReport& other);
};

// The draw engine over the database: reads the candidates of a round, ranks and places
// them with the meeting's method, gives the lanes and stores the result. Questions and
// refusals are the business of the callers ("Draw a round", "Draw all").
class DrawEngine {
public:
    DrawEngine(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
               const meeting::MeetingSettings& meeting, DrawRandom& random);

    db::DmdCoreDbs& database() const { return m_db; }
    const meeting::ItemTypes& items() const { return m_items; }
    const meeting::MeetingSettings& meeting() const { return m_meeting; }
    base::Messages& messages() const;
    int meetingNo() const;

    // The event of the meeting; nothing when there is no such event.
    std::optional<DrawEvent> readEvent(qint64 eventNo);
    // The heats the round's program has (the final's one row counts as one heat).
    int programHeats(qint64 eventNo, const QString& round);

    // The first round of the event's format (or its final). False when the draw could not
    // be stored; an event without candidates goes on the report's empties and is true.
    bool drawFirstRound(const DrawEvent& event, DrawReport& report);
    // The same with the candidates read before (the draws of many events read them at once).
    bool drawFirstRound(const DrawEvent& event, CandidateList candidates, DrawReport& report);
    // The "Constant" method's first round: every team in its own lane (constantdraw.h).
    bool drawConstantFirstRound(const DrawEvent& event, DrawReport& report);
    // The events of one combined race drawn together into their final, each athlete
    // stored on his own event's entry.
    bool drawCombinedRace(const QList<DrawEvent>& events, DrawReport& report);

    // The candidates of the first round: entries not struck off (did not call) and without
    // a status, with their best performance before the meeting when the meeting uses them.
    CandidateList firstRoundCandidates(const DrawEvent& event);
    // The first-round candidates of many events in one query over the meeting's entries,
    // by event number.
    QHash<qint64, CandidateList> firstRoundCandidates(const QList<DrawEvent>& events);
    // Random numbers, sort, placement over `heats`, lanes; then the round's draw replaced.
    // Shared by every round's draw.
    bool drawAndStore(const QList<qint64>& eventNos, const DrawEvent& event, const QString& round,
                      int heats, CandidateList& candidates, DrawReport& report);

    // The lanes available for the item (its heat's capacity).
    int lanesAvailable(const QString& itemCode) const;
    const QString& failure() const { return m_failure; }
    // Where this engine's draws are written; shared by them, so its statements and key
    // numbers serve many draws.
    DrawStore& store() { return m_store; }

private:
    db::DmdCoreDbs& m_db;
    const meeting::ItemTypes& m_items;
    const meeting::MeetingSettings& m_meeting;
    DrawRandom& m_random;
    HeatGroups m_groups;
    DrawStore m_store;
    QString m_failure;
};

} // namespace draw
