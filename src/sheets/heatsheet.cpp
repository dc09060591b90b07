#include "sheets/heatsheet.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/events.h"
#include "draw/heatformats.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "records/recordcheck.h"
#include "results/startheights.h"
#include "sheets/distribution.h"
#include "sheets/sheetkinds.h"
#include "sheets/sheetwords.h"

#include <QTime>

#include <algorithm>

namespace sheets {

namespace {

QString timeText(const QVariant& value)
{
    const QTime time = value.toTime();
    return time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QString();
}

// The federation's letters: the first round of the format, then A and B.
QString federationLabel(base::Messages& messages, const QString& format, const QString& round)
{
    if (round == QLatin1String("F"))
        return QStringLiteral("F");
    if (round == draw::HeatFormats::firstRound(format))
        return QStringLiteral("R");
    if (round == QLatin1String("A"))
        return QStringLiteral("S");
    if (round == QLatin1String("B"))
        return QStringLiteral("Q");
    messages.internalError(9128, QStringLiteral("Not handled:") + round);
    return QString();
}

QString roundText(base::Run& run, const SheetOptions& options, const QString& format,
                  const HeatRef& heat)
{
    const SheetWords words(options.afrikaans);
    if (options.federationLayout) {
        const QString label = federationLabel(run.messages(), format, heat.round);
        if (heat.isFinal())
            return label;
        return words("Heat ") + QString::number(heat.heatNo) +
               (label.isEmpty() ? QString() : QStringLiteral(" ") + label);
    }
    if (heat.isFinal())
        return words("Final");
    return words("Round ") + heat.round + QStringLiteral("  ") + words("Heat ") +
           QString::number(heat.heatNo);
}

// The heat's team lanes as the team draw left them in PROGRAM.RANDOMDRAW, lane 1 first.
QString teamDrawText(const QString& list)
{
    QStringList lanes;
    const QStringList teams = list.split(QLatin1Char(';'));
    for (qsizetype i = 0; i < teams.size(); ++i) {
        if (!teams[i].trimmed().isEmpty())
            lanes << QString::number(i + 1) + QLatin1Char(' ') + teams[i].trimmed();
    }
    return lanes.join(QStringLiteral("   "));
}

QStringList recordLines(base::Run& run, const QString& itemCode)
{
    QStringList lines;
    const QString sets = run.meeting().recordSets();
    if (sets.isEmpty())
        return lines;
    records::RecordCheck check(*run.database(), run.items(), run.meeting());
    for (const auto& [setNo, points] : records::setsWithPoints(sets)) {
        Q_UNUSED(points);
        const QString record = check.recordOf(setNo, itemCode).trimmed();
        if (!record.isEmpty())
            lines << check.abbreviationOf(setNo).trimmed() + QStringLiteral(": ") + record;
    }
    return lines;
}

// The heat's athletes straight from the heat or final rows into memory. The sheets of a
// heat were once printed from a scratch table (T_PARTTEMP) refilled per heat; reading the
// same rows in the same lane order gives the same sheets without a table that two
// computers printing at once would share.
QList<HeatAthlete> readAthletes(base::Run& run, const HeatSheet& sheet)
{
    const meeting::ItemTypes& items = run.items();
    QString from;
    QString where;
    if (!sheet.heat.isFinal()) {
        from = QStringLiteral("HEATPART X");
        where = QStringLiteral("X.EVENTNO = ") + db::sqlInt(sheet.heat.eventNo) +
                QStringLiteral(" and X.ROUND = ") + db::quoted(sheet.heat.round) +
                QStringLiteral(" and X.HEATNO = ") + db::sqlInt(sheet.heat.heatNo);
    } else if (sheet.combinedNo > 0) {
        from = QStringLiteral("PARTICIPATE X");
        where = QStringLiteral("X.EVENTNO in (select C.EVENTNO from MYEVENT C where "
                               "C.COMBINEDNO = ") +
                db::sqlInt(sheet.combinedNo) + QLatin1Char(')');
    } else {
        from = QStringLiteral("PARTICIPATE X");
        where = QStringLiteral("X.EVENTNO = ") + db::sqlInt(sheet.heat.eventNo);
    }
    // A combined race is grouped by the class and age of each athlete's own event.
    const QString order = sheet.combinedNo > 0
                              ? QStringLiteral("E.C_CLASS, E.C_AGE, E.ITEMCODE, X.LANE")
                              : QStringLiteral("X.LANE");
    db::Query q = run.database()->openQuery(
        QStringLiteral(
            "select X.LANE, A.NUMBER, A.SURNAME, A.FIRSTNAME, A.AGE, "
            "A.DISABILITY_CLASSES, T.TEAMNAME, T.TEAMABRV, E.ITEMCODE, X.TEAMDRAW_USED from ") +
        from +
        QStringLiteral(" join ATHLETE A on A.ATHLETENO = X.ATHLETENO join MYEVENT E on "
                       "E.EVENTNO = X.EVENTNO left join TEAM T on T.TEAMNO = A.TEAMNO where ") +
        where + QStringLiteral(" and X.LANE > 0 order by ") + order);
    QList<HeatAthlete> athletes;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        HeatAthlete a;
        a.lane = int(q.integer("LANE"));
        a.number = q.text("NUMBER").trimmed();
        a.surname = q.text("SURNAME").trimmed();
        a.firstName = q.text("FIRSTNAME").trimmed();
        a.age = int(q.integer("AGE"));
        a.disability = q.text("DISABILITY_CLASSES").trimmed();
        a.team = q.text("TEAMNAME").trimmed();
        a.teamAbrv = q.text("TEAMABRV").trimmed();
        a.teamDrawn = q.integer("TEAMDRAW_USED") == 1;
        if (sheet.combinedNo > 0)
            a.group = items.GenderAgeText(q.text("ITEMCODE").trimmed(), false);
        athletes << a;
    }
    return athletes;
}

QString athleteName(const HeatAthlete& a)
{
    if (a.firstName.isEmpty())
        return a.surname;
    return a.surname + QStringLiteral(", ") + a.firstName;
}

// The name column: the athlete's name when the meeting prints names, else the number.
QString athleteCell(const HeatAthlete& a, const SheetOptions& options)
{
    if (options.showAthlete)
        return athleteName(a);
    return a.number;
}

QStringList numbered(const QString& prefix, int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << prefix + QString::number(i);
    return list;
}

// Column titles in the print language.
QStringList titles(const SheetWords& words, std::initializer_list<const char*> english)
{
    QStringList list;
    for (const char* e : english)
        list << words(e);
    return list;
}

SheetPage swimmingEventSheet(const HeatSheet& sheet, const SheetOptions& options, SheetPage page)
{
    const SheetWords words(options.afrikaans);
    page.title = sheet.title;
    page.columns =
        titles(words, {"Draw", "Athlete", "Team", "1", "2", "3", "Performance", "Place"});
    page.widths = {6, 26, 22, 9, 9, 9, 15, 8};
    for (const HeatAthlete& a : sheet.athletes)
        page.rows.append({{QString::number(a.lane), athleteCell(a, options), a.team}, a.group});
    return page;
}

SheetPage trackEventSheet(const HeatSheet& sheet, const SheetOptions& options, SheetPage page)
{
    const SheetWords words(options.afrikaans);
    page.title = words("Event Sheet");
    page.columns = titles(words, {"Lane", "Number", "Athlete", "Team", "Pos", "Performance"});
    page.widths = {7, 10, 33, 28, 7, 15};
    for (const HeatAthlete& a : sheet.athletes) {
        page.rows.append({{QString::number(a.lane), a.number,
                           options.showAthlete ? athleteName(a) : QString(), a.team},
                          a.group});
    }
    page.boxes << QStringLiteral("Wind");
    return page;
}

SheetPage timeSheet(const SheetOptions& options, SheetPage page)
{
    const SheetWords words(options.afrikaans);
    page.title = words("Time sheet");
    page.columns << QString();
    page.widths << 4;
    for (const QString& place : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}) {
        for (const QString& keeper :
             {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), words("Final")}) {
            page.columns << place + QStringLiteral(" ") + keeper;
            page.widths << 8;
        }
    }
    for (int line = 1; line <= 18; ++line)
        page.rows.append({{QString::number(line)}, QString()});
    return page;
}

SheetPage lapSheet(const HeatSheet& sheet, const SheetOptions& options, SheetPage page)
{
    const SheetWords words(options.afrikaans);
    page.title = words("Lapsheet");
    page.landscape = true;
    page.columns = titles(words, {"Draw", "Number", "Athlete", "Team"}) + numbered(QString(), 25);
    page.widths = {5, 7, 18, 12};
    for (int lap = 0; lap < 25; ++lap)
        page.widths << 3;
    for (const HeatAthlete& a : sheet.athletes) {
        page.rows.append(
            {{QString::number(a.lane), a.number, athleteCell(a, options), a.teamAbrv}, a.group});
    }
    return page;
}

SheetPage startSheet(const HeatSheet& sheet, const SheetOptions& options, SheetPage page)
{
    const SheetWords words(options.afrikaans);
    page.title = sheet.title;
    page.columns =
        titles(words, {"Lane", "Number", "Surname", "First name", "Team", "Age", "Classes"});
    page.widths = {7, 10, 22, 18, 25, 9, 12};
    for (const HeatAthlete& a : sheet.athletes) {
        page.rows.append({{QString::number(a.lane), a.number, a.surname, a.firstName, a.team,
                           a.age > 0 ? QString::number(a.age) : QString(), a.disability},
                          a.group});
    }
    return page;
}

QString resultBlock(const SheetWords& words)
{
    return words("Result:") + numbered(QStringLiteral("  "), 8).join(' ');
}

// The field sheet and the wind sheet share their columns; the field sheet adds the block
// of the first eight places.
SheetPage fieldSheet(const HeatSheet& sheet, const SheetOptions& options, SheetPage page,
                     bool withResultBlock)
{
    const SheetWords words(options.afrikaans);
    page.title = sheet.title;
    page.columns = titles(words, {"Draw", "Athlete", "Team"}) + numbered(QStringLiteral("A"), 6) +
                   titles(words, {"Best", "Place", "Performance"});
    page.widths = {5, 22, 14, 7, 7, 7, 7, 7, 7, 7, 5, 10};
    for (const HeatAthlete& a : sheet.athletes)
        page.rows.append({{QString::number(a.lane), athleteCell(a, options), a.teamAbrv}, a.group});
    if (withResultBlock)
        page.boxes << resultBlock(words);
    return page;
}

// The vertical-jump sheet holds 24 athletes in portrait and 12 in landscape: a larger
// field goes on as many pages as it needs, each a whole sheet.
QList<SheetPage> verticalJumpSheets(const HeatSheet& sheet, const SheetOptions& options,
                                    SheetPage page)
{
    const SheetWords words(options.afrikaans);
    const int heights = options.vertJumpLandscape ? 12 : 7;
    const int capacity = options.vertJumpLandscape ? 12 : 24;
    page.title = words("Eventsheet");
    page.landscape = options.vertJumpLandscape;
    page.columns = titles(words, {"Draw", "Athlete", "Team"}) +
                   numbered(QStringLiteral("H"), heights) + titles(words, {"Height", "Place"});
    page.widths = {5, 22, 12};
    for (int h = 0; h < heights; ++h)
        page.widths << 6;
    page.widths << 8 << 6;
    // The officials write the first bar in by hand when none was set beforehand.
    page.boxes << (sheet.startHeight.isEmpty()
                       ? words("Start height:")
                       : words("Start height:") + QLatin1Char(' ') + sheet.startHeight)
               << resultBlock(words);
    QList<SheetPage> pages{page};
    for (const HeatAthlete& a : sheet.athletes) {
        if (pages.last().rows.size() >= capacity)
            pages << page;
        pages.last().rows.append(
            {{QString::number(a.lane), athleteCell(a, options), a.teamAbrv}, a.group});
    }
    return pages;
}

} // namespace

SheetPage heatPageHeading(const HeatSheet& sheet, const QString& kind, const SheetOptions& options,
                          const QDateTime& printed)
{
    const SheetWords words(options.afrikaans);
    SheetPage page;
    page.kind = kind;
    page.event = sheet.title;
    page.facts << words("Seq: ") + QString::number(sheet.seq)
               << words("Day: ") + QString::number(sheet.day);
    if (!sheet.time.isEmpty())
        page.facts << words("Time: ") + sheet.time;
    if (!sheet.pit.isEmpty())
        page.facts << words("Pit:") + sheet.pit;
    if (!sheet.roundText.isEmpty())
        page.facts << sheet.roundText;
    if (sheet.excludePoints)
        page.facts << words("Exclude From Team Score");
    if (!sheet.records.isEmpty())
        page.notes << words("Records:  ") + sheet.records.join(QStringLiteral("   "));
    if (!options.hideTeamDraw && !sheet.teamDraw.isEmpty())
        page.notes << words("Teamdraw: ") + sheet.teamDraw;
    page.printed = words("Printed: ") + printed.toString(QStringLiteral("yyyy/MM/dd hh:mm"));
    page.signatures =
        QStringList{words("Referee"), words("Chief"), words("Judge"), words("New Record")};
    return page;
}

std::optional<HeatSheet> readHeatSheet(base::Run& run, const HeatRef& heat)
{
    db::DmdCoreDbs& database = *run.database();
    const int meetingNo = run.meeting().meetingNo();
    db::Query event = database.openQuery(
        QStringLiteral("select ITEMCODE, coalesce(COMBINEDNO, 0) as COMBINEDNO, EXCLUDEPOINTS, "
                       "HEATFORMAT from MYEVENT where EVENTNO = ") +
        db::sqlInt(heat.eventNo) + QStringLiteral(" and MEETINGNO = ") + db::sqlInt(meetingNo));
    if (!event.isOpen() || event.isEmpty()) {
        run.messages().warning(QStringLiteral("There is no Item with the number ") +
                               QString::number(heat.eventNo) + QStringLiteral(" in this meeting."));
        return std::nullopt;
    }
    const SheetOptions options = readSheetOptions(run.meeting());
    HeatSheet sheet;
    sheet.heat = heat;
    sheet.itemCode = event.text("ITEMCODE").trimmed();
    sheet.combinedNo = event.integer("COMBINEDNO");
    sheet.excludePoints = event.text("EXCLUDEPOINTS").trimmed() == QLatin1String("X");
    sheet.title =
        draw::Events(database, run.items(), meetingNo).eventTitle(heat.eventNo, options.afrikaans);
    // A combined race is run at its group's place in the program.
    db::Query slot = database.openQuery(
        sheet.combinedNo > 0
            ? QStringLiteral("select DAY_SEQ, SEQ, THETIME, PIT from COMBINED where "
                             "COMBINEDNO = ") +
                  db::sqlInt(sheet.combinedNo)
            : QStringLiteral("select DAY_SEQ, SEQ, THETIME, PIT from PROGRAM where EVENTNO = ") +
                  db::sqlInt(heat.eventNo) + QStringLiteral(" and ROUND = ") +
                  db::quoted(heat.round) + QStringLiteral(" and HEATNO = ") +
                  db::sqlInt(heat.heatNo));
    if (slot.isOpen() && !slot.isEmpty()) {
        slot.first();
        sheet.day = int(slot.integer("DAY_SEQ"));
        sheet.seq = int(slot.integer("SEQ"));
        sheet.time = timeText(slot.value("THETIME"));
        sheet.pit = slot.text("PIT").trimmed();
    }
    sheet.roundText = roundText(run, options, event.text("HEATFORMAT").trimmed(), heat);
    sheet.records = recordLines(run, sheet.itemCode);
    sheet.athletes = readAthletes(run, sheet);
    if (run.items().IsVerticalJump(sheet.itemCode)) {
        const std::optional<results::StartHeight> start =
            results::StartHeights(database, run.items(), meetingNo).of(heat.eventNo);
        if (start && start->height != results::kStartHeightNone)
            sheet.startHeight = start->height;
    }
    // Every new heat keeps a list of team lanes; it tells the officials something only
    // where a team draw actually put athletes into their teams' lanes.
    if (std::any_of(sheet.athletes.cbegin(), sheet.athletes.cend(),
                    [](const HeatAthlete& a) { return a.teamDrawn; })) {
        sheet.teamDraw = teamDrawText(
            database
                .selectOneValue(QStringLiteral("RANDOMDRAW"), QStringLiteral("PROGRAM"),
                                QStringLiteral("EVENTNO = ") + db::sqlInt(heat.eventNo) +
                                    QStringLiteral(" and ROUND = ") + db::quoted(heat.round) +
                                    QStringLiteral(" and HEATNO = ") + db::sqlInt(heat.heatNo))
                .trimmed());
    }
    return sheet;
}

QStringList distributionCopies(base::Run& run, const QString& sheetKind,
                               const SheetOptions& options, bool ignoreDistribution)
{
    if (ignoreDistribution || !options.useDistribution)
        return {QString()};
    const QStringList lines =
        Distribution(*run.database(), run.messages(), run.meeting().meetingNo())
            .activeTexts(sheetKind);
    return lines.isEmpty() ? QStringList{QString()} : lines;
}

QList<SheetPage> heatPages(base::Run& run, const HeatSheet& sheet, const SheetOptions& options,
                           bool ignoreDistribution, const QDateTime& printed)
{
    const meeting::ItemTypes& items = run.items();
    QList<SheetPage> pages;
    auto copies = [&](const QString& kind, const SheetPage& page) {
        for (const QString& line : distributionCopies(run, kind, options, ignoreDistribution)) {
            SheetPage copy = page;
            copy.distribution = line;
            pages << copy;
        }
    };
    auto base = [&](const QString& kind) { return heatPageHeading(sheet, kind, options, printed); };
    if (items.IsTrackItem(sheet.itemCode)) {
        if (options.printEvent) {
            const bool swimming = !options.federationLayout && items.isSwimming();
            copies(kind::TrackEvent,
                   swimming ? swimmingEventSheet(sheet, options, base(kind::TrackEvent))
                            : trackEventSheet(sheet, options, base(kind::TrackEvent)));
        }
        if (options.printTime)
            copies(kind::TrackTime, timeSheet(options, base(kind::TrackTime)));
        if (options.printLap && items.TrackDistance(sheet.itemCode) > 801)
            copies(kind::TrackLap, lapSheet(sheet, options, base(kind::TrackLap)));
        if (options.printStart)
            copies(kind::TrackStart, startSheet(sheet, options, base(kind::TrackStart)));
        return pages;
    }
    if (options.printEvent && items.IsVerticalJump(sheet.itemCode)) {
        for (const SheetPage& page : verticalJumpSheets(sheet, options, base(kind::FieldEvent)))
            copies(kind::FieldEvent, page);
    } else if (options.printEvent) {
        copies(kind::FieldEvent, fieldSheet(sheet, options, base(kind::FieldEvent), true));
    }
    const QString type = items.ItemType(sheet.itemCode);
    if (options.printJumpWind &&
        (type.startsWith(QLatin1String("Long")) || type.startsWith(QLatin1String("Tripple"))))
        copies(kind::FieldWind, fieldSheet(sheet, options, base(kind::FieldWind), false));
    if (options.printStart)
        copies(kind::FieldStart, startSheet(sheet, options, base(kind::FieldStart)));
    return pages;
}

} // namespace sheets
