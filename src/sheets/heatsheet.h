#pragma once

#include "sheets/sheetoptions.h"
#include "sheets/sheetpage.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace base {
class Run;
}

namespace sheets {

// One heat of a round: the final is round "F", heat 0.
struct HeatRef {
    qint64 eventNo = 0;
    QString round;
    int heatNo = 0;
    bool isFinal() const { return round == QLatin1String("F"); }
};

// An athlete (or relay team) drawn into the heat.
struct HeatAthlete {
    int lane = 0;
    QString number;
    QString surname;
    QString firstName;
    QString team;
    QString teamAbrv;
    int age = 0;
    QString disability;
    QString group;          // the class and age of the athlete's event in a combined race
    bool teamDrawn = false; // the lane is the team's own lane of a team draw (TEAMDRAW_USED)
};

// What the sheets of one heat print, read from the database.
struct HeatSheet {
    HeatRef heat;
    QString itemCode;
    QString title;
    qint64 combinedNo = 0;
    int seq = 0;
    int day = 0;
    QString time; // "hh:mm"; empty when not set
    QString pit;
    bool excludePoints = false;
    QString roundText; // "Final", "Round A  Heat 2", or the federation letter
    QStringList records;
    // The heat's team lanes ("1 SHK   2 OTT"); empty unless a team draw placed its athletes.
    QString teamDraw;
    // A vertical jump's first bar as people write it; empty when none was set.
    QString startHeight;
    QList<HeatAthlete> athletes; // lane order; in a combined race grouped by class and age
};

// Reads a heat in the meeting's print language; nothing (after the message) for an event
// not in the meeting.
std::optional<HeatSheet> readHeatSheet(base::Run& run, const HeatRef& heat);

// A page of the heat with its heading filled in (event, facts, records, teamdraw unless
// hidden, the printing time, the signature boxes) and no rows yet.
SheetPage heatPageHeading(const HeatSheet& sheet, const QString& kind, const SheetOptions& options,
                          const QDateTime& printed);

// The pages of a heat's sheets, each sheet once per distribution copy, in the order of
// printing: event sheet, time sheet, lap sheet (items over 800 m), start sheet; for field
// items the field or vertical-jump sheet, the wind sheet and the start sheet.
QList<SheetPage> heatPages(base::Run& run, const HeatSheet& sheet, const SheetOptions& options,
                           bool ignoreDistribution, const QDateTime& printed);

// The distribution texts of a kind for one heat: one empty text when distribution is
// off, ignored, or has no active line.
QStringList distributionCopies(base::Run& run, const QString& sheetKind,
                               const SheetOptions& options, bool ignoreDistribution);

} // namespace sheets
