#pragma once

#include "draw/roundfacts.h"

#include <QList>
#include <QString>
#include <QStringList>

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

// One athlete of the event in the manual draw's work table (T_MANUAL_DRAW). The "before"
// columns come from the previous round, or from the entry for the first round; THIS_HEAT and
// THIS_LANE are what the user edits, as typed (empty when the athlete is not in the round).
struct ManualDrawRow {
    qint64 athleteNo = 0;
    QString surname;
    QString firstName;
    QString number;
    QString birthDate;
    int awolDnsDisq = 0;
    QString teamAbrv;
    qint64 teamNo = 0;
    int placeBefore = 0;
    QString perfBefore;
    int heatBefore = 0;
    int laneBefore = 0;
    qint64 partNoBefore = 0;
    int disqDnc = 0;
    int disqStatus = 0;
    QString thisHeat;
    QString thisLane;
    qint64 partNo = 0; // the row in this round: HEATPART, or PARTICIPATE for the final
    bool selected = false;
    bool hasPBefore = false;
    QString orderPBefore;

    // The stored heat and lane, to see what an edit changed.
    QString storedHeat;
    QString storedLane;
    bool edited() const { return thisHeat != storedHeat || thisLane != storedLane; }
    bool drawn() const { return !thisHeat.isEmpty(); }
};

// The orders the list is shown in.
enum class ManualOrder { PreviousHeatPlace, PreviousHeatLane, ThisHeatLane, PreviousPerformance };

// The manual draw of one round of an event: the work table and every action of the screen.
// Edits stay in the work table until accepted; swaps, clearing and the draw of selected
// athletes are written at once, each in one transaction.
class ManualDraw {
public:
    ManualDraw(db::DmdCoreDbs& database, const meeting::ItemTypes& items, base::Messages& messages);

    // Fills the work table. False (with the message) for an unknown round or a round that
    // already has results: the manual draw never works on those.
    bool open(qint64 eventNo, const QString& round);
    // Refills the work table from the database, dropping edits.
    bool reload();

    const RoundFacts& facts() const { return m_facts; }
    const QList<ManualDrawRow>& rows() const { return m_rows; }
    void sort(ManualOrder order);
    // The index of the athlete's row; -1 when he has no entry in the event.
    int indexOf(qint64 athleteNo) const;

    // --- edit heats and lanes ---
    // Checks the typed texts and puts them in the work table; false with the system's
    // message (the row unchanged) when a text is no number, out of range, or only one of
    // the two is filled.
    bool setHeatLane(int row, const QString& heat, const QString& lane);
    bool hasEdits() const;
    // The problems of each heat ("Heat 2, Has Duplicates, Has Gaps"); empty when correct.
    QStringList verifyErrors() const;
    // Shows the result of the check: the errors, or "Verified: The lanes are correct".
    bool verify();
    // Writes the edits: new rows, moved rows, removed rows; with errors the user is asked
    // to "Accept with errors" first.
    bool accept();

    // --- select and draw ---
    void toggleSelected(int row);
    void setSelected(int row, bool selected);
    int selectedCount() const;
    // Selects by previous place up to the round's places per heat, then the best previous
    // performances up to its times; a shortfall is reported.
    void selectPlacesAndPerformances();
    // Draws the selected athletes into the round and says so (see manualselect.cpp); with
    // nobody selected the user may clear the draw instead.
    bool drawSelected(quint32 seed);
    // The same without the closing message: the previous draw of the round is replaced by
    // the selected athletes, one transaction.
    bool storeSelectedDraw(quint32 seed);

    // --- swap and clear ---
    // Exchanges heat and lane of the two selected athletes (or the two given rows).
    bool swapSelected(bool sameTeam);
    bool swapRows(int first, int second, bool sameTeam);
    // Removes the round's draw; for the final, the entries' results go too.
    bool clearDraw();

private:
    bool load();
    bool writeStatements(const QStringList& statements);
    QString editStatement(const ManualDrawRow& row, QStringList* statements);
    QList<int> selectedRows() const;
    // The lowest lane the draw gives a heat of `athletes`: the lane order table's for
    // laned items, else the start positions counted down from the round's largest.
    int drawStart(int athletes, int roundLargest) const;

    db::DmdCoreDbs& m_database;
    const meeting::ItemTypes& m_items;
    base::Messages& m_messages;
    RoundFacts m_facts;
    QList<ManualDrawRow> m_rows;
    int m_lanes = 10;
};

// "The lanes of heat h" check: lanes must start at 1, hold no duplicates and no gaps. Lane
// 0 (not drawn into a lane) is left out. A heat that starts where the draw itself starts
// that many athletes (`drawStart`) starts right too: a short heat drawn into the middle
// lanes of the pool, or the start positions of a short heat of a long race, which end at
// the round's largest. Empty when correct, else the faults (", Do not start at 1",
// ", Has Duplicates", ", Has Gaps").
QString laneFaults(QList<int> lanes, int drawStart = 1);

// The sort text of a previous performance: the text itself for times; for distances and
// points each digit turned round, so that the best also sorts first.
QString performanceOrderText(const QString& performance, bool fieldItem);

} // namespace draw
