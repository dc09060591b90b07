#pragma once

#include "draw/drawengine.h"

#include <QString>

namespace draw {

// Where a draw was asked for: the capture screens first remind the user that first rounds
// are drawn for all events together.
enum class DrawFrom { DrawMenu, Capture };

enum class DrawOutcome {
    Drawn,     // the round's new draw is stored (or the event had nobody to draw)
    Refused,   // a check said no; the previous draw is untouched
    Cancelled, // the user said no
    Failed     // the database refused; the previous draw is untouched
};

// "Draw a round": the checks, the questions, the draw of the first round or of a later
// one, and "Done". Every message goes through the database's message sink.
class RoundDrawing {
public:
    explicit RoundDrawing(DrawEngine& engine) : m_engine(engine) {}

    DrawOutcome drawRound(qint64 eventNo, const QString& round, DrawFrom from = DrawFrom::DrawMenu);
    // "Clear the Draw" of a round, with the same checks as a draw and after asking.
    DrawOutcome clearRound(qint64 eventNo, const QString& round);
    const DrawReport& report() const { return m_report; }

    // The checks without questions, shared with the draws of many events: an empty text
    // when the round may be drawn, else the refusal.
    QString releasedRefusal(qint64 eventNo, const QString& round);
    QString resultsRefusal(qint64 eventNo, const QString& round);
    // The event, its format and the round's program; the refusal, or empty.
    QString eventRefusal(const std::optional<DrawEvent>& event, qint64 eventNo,
                         const QString& round);
    // Heats of the round before `round` without athletes and without (calculated)
    // results: the lines of the question, empty when all are ready.
    QString previousRoundGaps(const DrawEvent& event, const QString& round);

private:
    // The first refusal of the event, release and results checks, shown; false when one
    // refused.
    bool passesChecks(const std::optional<DrawEvent>& event, qint64 eventNo, const QString& round);
    QString confirmation(const DrawEvent& event, const QString& round);
    QString doneText(const DrawEvent& event, const QString& round);

    DrawEngine& m_engine;
    DrawReport m_report;
};

// The refusals of a round's draw over what the database counts, shared by the draw of one
// round and the draws of many events: empty when the round may be drawn.
QString eventRefusalText(const std::optional<DrawEvent>& event, qint64 eventNo,
                         const QString& round, int programHeats);
QString releasedRefusalText(const QString& round, int releasedHeats, int heats);
QString resultsRefusalText(const QString& round, int results);
// The conditions of a row with a result entered: a final's PARTICIPATE row, a heat's
// HEATPART row (a status counts there too).
extern const QString kFinalResultEntered;
extern const QString kHeatResultEntered;

// The rounds of a format in running order: "C", "B", "A" as far as it has them, then "F".
QStringList roundsOf(const QString& format);

} // namespace draw
