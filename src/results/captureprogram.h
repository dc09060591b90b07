#pragma once

#include <QList>
#include <QString>
#include <QTime>

#include <optional>

namespace db {
class DmdCoreDbs;
}
namespace draw {
struct ProgramLine;
}
namespace meeting {
class ItemTypes;
}

namespace results {

class MeetingAthletes;

// How the capture by event lists the program: "Program Sequence" or "Item types".
enum class CaptureOrder { Sequence, ItemTypes };

// The colour a capture screen gives one cell of a program row.
enum class TagColour { None, Green, Red, Purple, Lime, Blue, Yellow };

// The per-row tags the capture screens show, worked out from the row's columns.
struct ProgramTags {
    QString sheetsPrinted;   // C_Sheets_Printed: "X" or empty
    QString resultsPrinted;  // C_Results_Printed
    QString resultsReleased; // C_Results_Released
    QString drawReleased;    // C_Draw_Released
    QString queried;         // C_Queried
    QString raceStatus;      // C_RACESTATUS: "BusyClrm", "DoneClrm", "Drawn", "Started", "Results"
    QString calculated;      // "Calc" while the places must be calculated or fixed
    TagColour notRun = TagColour::None;           // the final that is not run: green
    TagColour calculatedColour = TagColour::None; // red while not calculated
    TagColour resultsRelease = TagColour::None;   // purple no entries, lime results unreleased
    TagColour drawRelease = TagColour::None;      // lime while the draw is not released
    TagColour queriedColour = TagColour::None;    // green when queried
    TagColour progress = TagColour::None;         // purple, blue, green, yellow
};

// One program row (heat or final) as the capture screens show it.
struct CaptureProgramRow {
    qint64 programNo = 0;
    qint64 eventNo = 0;
    QString itemCode;
    QString heatFormat;
    QString round;
    int heatNo = 0;
    int day = 0;
    int seq = 0;
    QString time;   // "hh:mm" or empty
    QTime startsAt; // the time itself (invalid when there is none)
    QString pit;
    QString item; // the item's description
    QString combinedName;
    int nAthlon = 0;
    qint64 combinedNo = 0;
    bool finalNotRun = false;
    bool noEntries = false;
    bool excludePoints = false;
    int callRoomStatus = 0;
    QString category;
    int placedCount = 0;
    bool notCalculated = false;
    int elecHand = 0; // 0 the meeting's default, 1 electronic, 2 hand
    QString wind;
    bool sheetsPrinted = false;
    bool resultsPrinted = false;
    bool queried = false;
    bool drawReleased = false;
    int drawRevision = 0;
    bool resultsReleased = false;
    int resultsRevision = 0;
    bool didStart = false;
    int athletes = 0;    // in this heat (the event's entries for the final)
    int drawn = 0;       // of them with a lane
    int withResults = 0; // of them with a performance, place or status

    bool isFinal() const { return round == QLatin1String("F"); }
    // A final whose results are the heats' (it is not run): captured on the heats only.
    bool isCalculatedFinal() const { return isFinal() && finalNotRun; }
    // "Final", "Heat 3", "Semi-Final 1".
    QString heatText() const;
    // The sequence number as the screens show it: blank until the program is numbered.
    QString seqText() const;
    // The sequence number and the item, as the lists of items show them.
    QString seqAndItem() const;
};

ProgramTags programTags(const CaptureProgramRow& row);

// The program rows of a meeting for the capture by event. With the meeting's athletes read
// already, the heats' counts are taken from them instead of being counted again.
QList<CaptureProgramRow> captureProgramRows(db::DmdCoreDbs& database,
                                            const meeting::ItemTypes& items, int meetingNo,
                                            CaptureOrder order,
                                            const MeetingAthletes* athletesRead = nullptr);
// The same in sequence order in two steps, for work that reads the heats' athletes on
// another connection meanwhile: the rows with the finals' counts, then the heats' counts
// filled in from the athletes once read.
QList<CaptureProgramRow> captureProgramRowsBeforeHeats(db::DmdCoreDbs& database,
                                                       const meeting::ItemTypes& items,
                                                       int meetingNo);
void fillHeatCounts(QList<CaptureProgramRow>& rows, const MeetingAthletes& athletes);
// The row as a line of the program listing.
draw::ProgramLine programLine(const CaptureProgramRow& row);
// The rows of one event (the capture by item), rounds in running order.
QList<CaptureProgramRow> eventProgramRows(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                                          qint64 eventNo);
std::optional<CaptureProgramRow>
captureProgramRow(db::DmdCoreDbs& database, const meeting::ItemTypes& items, qint64 programNo);
// The program row of a heat (heat 0 for the final); 0 when there is none.
qint64 programNoOf(db::DmdCoreDbs& database, qint64 eventNo, const QString& round, int heatNo);

} // namespace results
