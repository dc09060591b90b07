#include "sheets/sheetoptions.h"

#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"

namespace sheets {

const QList<SheetOptionBox>& sheetOptionBoxes()
{
    static const QList<SheetOptionBox> boxes{
        {QStringLiteral("Use the Distribution list"), QStringLiteral("USE_DISTRIBUTION"), false},
        {QStringLiteral("Print the Eventsheets"), QStringLiteral("SHEETS_SKIP_EVENT"), true},
        {QStringLiteral("Print the Timesheets ( track events )"),
         QStringLiteral("SHEETS_SKIP_TRK_TIME"), true},
        {QStringLiteral("Print the Lapsheets (long distance)"), QStringLiteral("SHEETS_SKIP_LAP"),
         true},
        {QStringLiteral("Print the Startsheets (event-per-page option)"),
         QStringLiteral("SHEETS_SKIP_START"), true},
        {QStringLiteral("Print the Windsheets ( tripple and long jumps )"),
         QStringLiteral("SHEETS_SKIP_JMP_WIND"), true},
        {QStringLiteral("Print the Athlete names on the sheets"),
         QStringLiteral("SHEETS_SHOW_ATHLETE"), false},
        {QStringLiteral("Print the Teamdraw"), QStringLiteral("SHEETS_HIDE_TEAMDRAW"), true},
        {QStringLiteral("Vertical Jumps Landscape (wider)"),
         QStringLiteral("SHEET_VERTJUMP_LANDSCAPE"), false},
        {QStringLiteral("Print without preview"), QStringLiteral("SHEETS_SKIP_PREVIEW"), false},
        {QStringLiteral("Print the labels in Afrikaans"), QStringLiteral("PRINT_LANGUAGE"), false},
    };
    return boxes;
}

const SheetOptionBox* boxOfColumn(const QString& column)
{
    for (const SheetOptionBox& box : sheetOptionBoxes()) {
        if (box.column.compare(column, Qt::CaseInsensitive) == 0)
            return &box;
    }
    return nullptr;
}

bool boxTicked(const meeting::MeetingSettings& settings, const SheetOptionBox& box)
{
    const bool set = settings.integer(box.column) == 1;
    return box.inverted ? !set : set;
}

bool setBox(base::Run& run, const SheetOptionBox& box, bool ticked)
{
    const bool set = box.inverted ? !ticked : ticked;
    return meeting::updateMeeting(run,
                                  {{box.column, set ? QStringLiteral("1") : QStringLiteral("0")}});
}

SheetOptions readSheetOptions(const meeting::MeetingSettings& settings)
{
    auto on = [&settings](const char* column) {
        return settings.integer(QString::fromLatin1(column)) == 1;
    };
    SheetOptions o;
    o.useDistribution = on("USE_DISTRIBUTION");
    o.printEvent = !on("SHEETS_SKIP_EVENT");
    o.printTime = !on("SHEETS_SKIP_TRK_TIME");
    o.printLap = !on("SHEETS_SKIP_LAP");
    o.printStart = !on("SHEETS_SKIP_START");
    o.printJumpWind = !on("SHEETS_SKIP_JMP_WIND");
    o.showAthlete = on("SHEETS_SHOW_ATHLETE");
    o.hideTeamDraw = on("SHEETS_HIDE_TEAMDRAW");
    o.vertJumpLandscape = on("SHEET_VERTJUMP_LANDSCAPE");
    o.skipPreview = on("SHEETS_SKIP_PREVIEW");
    o.federationLayout = on("IS_ASA");
    o.afrikaans = on("PRINT_LANGUAGE");
    return o;
}

} // namespace sheets
