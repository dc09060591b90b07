#pragma once

#include <QList>
#include <QString>

namespace base {
class Run;
}
namespace meeting {
class MeetingSettings;
}

namespace sheets {

// One check box of the sheet options and the MEETING column it writes. A "skip" column
// is stored inverted: a cleared "Print ..." box sets it to 1.
struct SheetOptionBox {
    QString caption;
    QString column;
    bool inverted = false;
};

// The boxes in their order on the screen.
const QList<SheetOptionBox>& sheetOptionBoxes();

// What the meeting's settings say about printing sheets.
struct SheetOptions {
    bool useDistribution = false;
    bool printEvent = true;
    bool printTime = true;
    bool printLap = true;
    bool printStart = true;
    bool printJumpWind = true;
    bool showAthlete = false;
    bool hideTeamDraw = false;
    bool vertJumpLandscape = false;
    bool skipPreview = false;
    bool federationLayout = false; // IS_ASA
    bool afrikaans = false;        // PRINT_LANGUAGE 1
};

SheetOptions readSheetOptions(const meeting::MeetingSettings& settings);
// Whether a box is ticked by the current settings.
bool boxTicked(const meeting::MeetingSettings& settings, const SheetOptionBox& box);
// Writes one box's column at once (and into the run's settings); false after the message.
bool setBox(base::Run& run, const SheetOptionBox& box, bool ticked);
// The box of a column; null for another column.
const SheetOptionBox* boxOfColumn(const QString& column);

} // namespace sheets
