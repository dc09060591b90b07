#pragma once

#include "draw/drawcandidates.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace draw {

class DrawEngine;
struct DrawEvent;
struct DrawReport;

// A previous-round row that may go on: placed and without a status.
struct QualifierRow {
    qint64 athleteNo = 0;
    qint64 teamNo = 0;
    int heat = 0;
    int place = 0;
    QString performance;
};

// The draw of a round after the first: the qualifiers of the previous round selected by
// place in their heat and by time over all heats, ranked (winners first) and drawn with
// the engine into the round's heats, or into the final's lanes.
class NextRoundDraw {
public:
    NextRoundDraw(DrawEngine& engine, const DrawEvent& event, const QString& round);

    // Reads the previous round's rows; false (after the internal error) when the round has
    // no previous round in the format.
    bool prepare();

    // The eligible rows with a place not above `places`, by place then performance; all of
    // them (the caller takes the first places x heats).
    QList<QualifierRow> byPlace() const;
    // The eligible rows with a place above `places`, by performance.
    QList<QualifierRow> byTime() const;
    // collected - places x previous heats, and the warning when it is not 0.
    int checkCollectedPlaces(int collected);
    // The heats in which several eligible athletes share the last place that goes on;
    // empty when none. Shown as a note by run().
    QString sharedPlaceReport() const;

    // The candidates: place qualifiers (class 1) then time qualifiers (class 2, or 3
    // without a performance).
    CandidateList qualifiers();
    // Selects, warns, draws and stores. False when the draw could not be stored.
    bool run(DrawReport& report);

    int places() const { return m_places; }
    int times() const { return m_times; }
    int heats() const { return m_heats; }
    int previousHeats() const { return m_previousHeats; }
    const QString& previousRound() const { return m_previous; }
    // How many time qualifiers the selection took (after a shortfall of places, more).
    int timesTaken() const { return m_timesTaken; }

private:
    DrawEngine& m_engine;
    const DrawEvent& m_event;
    QString m_round;
    QString m_previous;
    int m_heats = 0;
    int m_places = 0;
    int m_times = 0;
    int m_previousHeats = 0;
    int m_timesTaken = 0;
    bool m_field = false;
    QList<QualifierRow> m_rows; // eligible rows of the previous round
};

} // namespace draw
