#pragma once

#include "results/heightmarks.h"

#include <QList>
#include <QString>

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

namespace results {

// One heat or final of a field item: the final is round "F", heat 0.
struct FieldRace {
    qint64 eventNo = 0;
    QString round = QStringLiteral("F");
    int heatNo = 0;
    QString itemCode;
};

struct BarHeight {
    int heightSeq = 0;
    QString height; // the item's text, "1.50"
};

// What a race's ranking wrote for one athlete.
struct FieldResult {
    qint64 athleteNo = 0;
    QString performance;
    QString wind;
    int place = 0;
    int status = 0;
};

// The performance history of field items (`PERF_HIST`, `PERF_HIST_HGT`): every attempt of
// a horizontal jump or throw with its wind, the bar heights of a vertical jump with each
// athlete's marks at them, and the results and places derived from them. Each change is
// one short transaction; refusals are shown and change nothing.
class PerfHistory {
public:
    PerfHistory(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                const meeting::MeetingSettings& meeting);

    // The race of an event's heat, with the event's item; empty (after the message) when
    // the event is no field item or has no such race.
    std::optional<FieldRace> race(qint64 eventNo, const QString& round, int heatNo);

    // --- horizontal jumps and throws ---
    QList<Attempt> attempts(const FieldRace& race, qint64 athleteNo);
    // How the wind comes with a mark: typed with it (an empty wind is confirmed as "not
    // entered"), or later from the wind gauge's sheet (an edited attempt keeps its wind).
    enum class WindEntry { WithMark, Later };
    // Sets attempt `seq` (an existing one, or the next one) to a mark, "X" or "-".
    bool setAttempt(const FieldRace& race, qint64 athleteNo, int seq, const QString& perf,
                    const QString& wind, WindEntry windEntry = WindEntry::WithMark);
    // Sets only the wind of an existing attempt that has a mark.
    bool setAttemptWind(const FieldRace& race, qint64 athleteNo, int seq, const QString& wind);
    bool deleteAttempt(const FieldRace& race, qint64 athleteNo, int seq);

    // --- vertical jumps ---
    QList<BarHeight> heights(const FieldRace& race);
    // What the officials are offered as the next bar: the event's starting height while the
    // race has no height yet, else nothing.
    QString offeredHeight(const FieldRace& race);
    // Appends a height above the last one.
    bool addHeight(const FieldRace& race, const QString& height);
    // Only the last height can go, with every athlete's marks at it (asks first).
    bool deleteLastHeight(const FieldRace& race);
    QList<HeightMarks> marks(const FieldRace& race, qint64 athleteNo);
    bool setMarks(const FieldRace& race, qint64 athleteNo, int heightSeq, const QString& marks);
    // Marks typed one character at a time: `c` is added to the athlete's marks at the
    // height, half a performance ("X", "-") standing until it is finished.
    bool addMarkChar(const FieldRace& race, qint64 athleteNo, int heightSeq, QChar c);
    // Takes the last character off again; the marks go when none is left.
    bool removeLastMarkChar(const FieldRace& race, qint64 athleteNo, int heightSeq);

    // "Calculate": each athlete's result from the history (disqualified athletes skipped);
    // vertical jumps are also placed by count-back. False when refused or a write failed.
    bool CalcFromHistory(const FieldRace& race, bool oldRule = false);
    // The count-back ranking of a vertical-jump race; `oldRule` compares failures height by
    // height from the top.
    bool RankVerticalJump(const FieldRace& race, bool oldRule);

    // The race's results as they stand, in place order.
    QList<FieldResult> results(const FieldRace& race);

    // --- the screen against the table ---
    // Before the screen changes a history it checks that what it shows is what is stored: a
    // gap in the stored attempt or height numbers ("did you skip a perf") or a row that
    // differs from the screen's (another computer changed it) is an internal error, and
    // false; the screen then reads the history again.
    bool attemptsInSync(const FieldRace& race, qint64 athleteNo, const QList<Attempt>& shown);
    bool heightsInSync(const FieldRace& race, const QList<BarHeight>& shown);
    bool marksInSync(const FieldRace& race, qint64 athleteNo, int heightSeq, const QString& shown);

private:
    QString raceWhere(const FieldRace& race) const;
    QString marksAt(const FieldRace& race, qint64 athleteNo, int heightSeq);
    bool storeMarks(const FieldRace& race, qint64 athleteNo, int heightSeq, const QString& text);
    bool calcHorizontal(const FieldRace& race);
    // The internal errors of the checks above; always false.
    bool skipped(const QString& what, int position, int storedSeq);
    bool lostSync(const QString& what, const QString& stored, const QString& shown);
    base::Messages& messages();

    db::DmdCoreDbs& m_db;
    const meeting::ItemTypes& m_items;
    const meeting::MeetingSettings& m_meeting;
};

} // namespace results
