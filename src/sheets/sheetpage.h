#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sheets {

// One row of a sheet; `group` heads the rows that follow it when it changes (the class
// and age of a combined race, the lane of a lane timesheet).
struct SheetRow {
    QStringList cells;
    QString group;
};

// What one printed page (one copy of one sheet) carries, before any layout: the printer
// lays it out, the tests read it back from the PDF.
struct SheetPage {
    QString kind;      // the sheet kind's key
    QString title;     // "Event Sheet", "Time sheet", ... or the event itself
    QString event;     // the event's description
    QStringList facts; // sequence, day, time, pit, round and heat, score exclusion
    QStringList notes; // lines under the facts: the item's records, the heat's teamdraw
    QString distribution;
    QString printed; // "Printed: yyyy/MM/dd hh:mm"
    QStringList columns;
    QList<int> widths; // relative widths of the columns
    QList<SheetRow> rows;
    QStringList boxes;      // labelled boxes under the rows ("Wind", "Result:")
    QStringList signatures; // the footer's boxes ("Referee", "Chief", ...); none when empty
    bool landscape = false;
    // The height of a row in layout units of a 946-unit detail area; 0 for text lines.
    int rowUnits = 0;
};

// The detail area of a page in layout units.
inline constexpr int kDetailUnits = 946;

} // namespace sheets
