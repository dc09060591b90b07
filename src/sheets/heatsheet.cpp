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
#include "sheets/distribution.h"
#include "sheets/sheetkinds.h"

#include <QTime>

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

QString roundText(base::Run& run, const QString& format, const HeatRef& heat)
{
    if (run.meeting().integer(QStringLiteral("IS_ASA")) == 1) {
        const QString label = federationLabel(run.messages(), format, heat.round);
        if (heat.isFinal())
            return label;
        return QStringLiteral("Heat ") + QString::number(heat.heatNo) +
               (label.isEmpty() ? QString() : QStringLiteral(" ") + label);
    }
    if (heat.isFinal())
        return QStringLiteral("Final");
    return QStringLiteral("Round ") + heat.round + QStringLiteral("  Heat ") +
           QString::number(heat.heatNo);
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
        QStringLiteral("select X.LANE, A.NUMBER, A.SURNAME, A.FIRSTNAME, A.AGE, "
                       "A.DISABILITY_CLASSES, T.TEAMNAME, T.TEAMABRV, E.ITEMCODE from ") +
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

SheetPage basePage(const HeatSheet& sheet, const QString& kind, const QDateTime& printed)
{
    SheetPage page;
    page.kind = kind;
    page.event = sheet.title;
    page.facts << QStringLiteral("Seq: ") + QString::number(sheet.seq)
               << QStringLiteral("Day: ") + QString::number(sheet.day);
    if (!sheet.time.isEmpty())
        page.facts << QStringLiteral("Time: ") + sheet.time;
    if (!sheet.pit.isEmpty())
        page.facts << QStringLiteral("Pit:") + sheet.pit;
    if (!sheet.roundText.isEmpty())
        page.facts << sheet.roundText;
    if (sheet.excludePoints)
        page.facts << QStringLiteral("Exclude From Team Score");
    page.records = sheet.records;
    page.printed =
        QStringLiteral("Printed: ") + printed.toString(QStringLiteral("yyyy/MM/dd hh:mm"));
    return page;
}

SheetPage swimmingEventSheet(const HeatSheet& sheet, const SheetOptions& options, SheetPage page)
{
    page.title = sheet.title;
    page.columns = {QStringLiteral("Draw"),        QStringLiteral("Athlete"),
                    QStringLiteral("Team"),        QStringLiteral("1"),
                    QStringLiteral("2"),           QStringLiteral("3"),
                    QStringLiteral("Performance"), QStringLiteral("Place")};
    page.widths = {6, 26, 22, 9, 9, 9, 15, 8};
    for (const HeatAthlete& a : sheet.athletes)
        page.rows.append({{QString::number(a.lane), athleteCell(a, options), a.team}, a.group});
    return page;
}

SheetPage trackEventSheet(const HeatSheet& sheet, const SheetOptions& options, SheetPage page)
{
    page.title = QStringLiteral("Event Sheet");
    page.columns = {QStringLiteral("Lane"),    QStringLiteral("Number"),
                    QStringLiteral("Athlete"), QStringLiteral("Team"),
                    QStringLiteral("Pos"),     QStringLiteral("Performance")};
    page.widths = {7, 10, 33, 28, 7, 15};
    for (const HeatAthlete& a : sheet.athletes) {
        page.rows.append({{QString::number(a.lane), a.number,
                           options.showAthlete ? athleteName(a) : QString(), a.team},
                          a.group});
    }
    page.boxes << QStringLiteral("Wind");
    return page;
}

SheetPage timeSheet(SheetPage page)
{
    page.title = QStringLiteral("Time sheet");
    page.columns << QString();
    page.widths << 4;
    for (const QString& place : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}) {
        for (const QString& keeper : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                      QStringLiteral("Final")}) {
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
    page.title = QStringLiteral("Lapsheet");
    page.landscape = true;
    page.columns = QStringList{QStringLiteral("Draw"), QStringLiteral("Number"),
                               QStringLiteral("Athlete"), QStringLiteral("Team")} +
                   numbered(QString(), 25);
    page.widths = {4, 6, 18, 12};
    for (int lap = 0; lap < 25; ++lap)
        page.widths << 3;
    for (const HeatAthlete& a : sheet.athletes) {
        page.rows.append(
            {{QString::number(a.lane), a.number, athleteCell(a, options), a.teamAbrv}, a.group});
    }
    return page;
}

SheetPage startSheet(const HeatSheet& sheet, SheetPage page)
{
    page.title = sheet.title;
    page.columns = {QStringLiteral("Lane"),    QStringLiteral("Number"),
                    QStringLiteral("Surname"), QStringLiteral("First name"),
                    QStringLiteral("Team"),    QStringLiteral("Age"),
                    QStringLiteral("Classes")};
    page.widths = {7, 10, 22, 18, 25, 6, 12};
    for (const HeatAthlete& a : sheet.athletes) {
        page.rows.append({{QString::number(a.lane), a.number, a.surname, a.firstName, a.team,
                           a.age > 0 ? QString::number(a.age) : QString(), a.disability},
                          a.group});
    }
    return page;
}

// The field sheet and the wind sheet share their columns; the field sheet adds the block
// of the first eight places.
SheetPage fieldSheet(const HeatSheet& sheet, const SheetOptions& options, SheetPage page,
                     bool resultBlock)
{
    page.title = sheet.title;
    page.columns =
        QStringList{QStringLiteral("Draw"), QStringLiteral("Athlete"), QStringLiteral("Team")} +
        numbered(QStringLiteral("A"), 6) +
        QStringList{QStringLiteral("Best"), QStringLiteral("Place"), QStringLiteral("Performance")};
    page.widths = {5, 22, 14, 7, 7, 7, 7, 7, 7, 7, 5, 10};
    for (const HeatAthlete& a : sheet.athletes)
        page.rows.append({{QString::number(a.lane), athleteCell(a, options), a.teamAbrv}, a.group});
    if (resultBlock)
        page.boxes << QStringLiteral("Result:") + numbered(QStringLiteral("  "), 8).join(' ');
    return page;
}

SheetPage verticalJumpSheet(const HeatSheet& sheet, const SheetOptions& options, SheetPage page)
{
    const int heights = options.vertJumpLandscape ? 12 : 7;
    const int capacity = options.vertJumpLandscape ? 12 : 24;
    page.title = QStringLiteral("Eventsheet");
    page.landscape = options.vertJumpLandscape;
    page.columns =
        QStringList{QStringLiteral("Draw"), QStringLiteral("Athlete"), QStringLiteral("Team")} +
        numbered(QStringLiteral("H"), heights) +
        QStringList{QStringLiteral("Height"), QStringLiteral("Place")};
    page.widths = {5, 22, 12};
    for (int h = 0; h < heights; ++h)
        page.widths << 6;
    page.widths << 8 << 6;
    for (const HeatAthlete& a : sheet.athletes) {
        if (page.rows.size() >= capacity)
            break;
        page.rows.append({{QString::number(a.lane), athleteCell(a, options), a.teamAbrv}, a.group});
    }
    page.boxes << QStringLiteral("Start height:")
               << QStringLiteral("Result:") + numbered(QStringLiteral("  "), 8).join(' ');
    return page;
}

} // namespace

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
    HeatSheet sheet;
    sheet.heat = heat;
    sheet.itemCode = event.text("ITEMCODE").trimmed();
    sheet.combinedNo = event.integer("COMBINEDNO");
    sheet.excludePoints = event.text("EXCLUDEPOINTS").trimmed() == QLatin1String("X");
    sheet.title = draw::Events(database, run.items(), meetingNo).eventTitle(heat.eventNo);
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
    sheet.roundText = roundText(run, event.text("HEATFORMAT").trimmed(), heat);
    sheet.records = recordLines(run, sheet.itemCode);
    sheet.athletes = readAthletes(run, sheet);
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
    auto base = [&](const QString& kind) { return basePage(sheet, kind, printed); };
    if (items.IsTrackItem(sheet.itemCode)) {
        if (options.printEvent) {
            const bool swimming = !options.federationLayout && items.isSwimming();
            copies(kind::TrackEvent,
                   swimming ? swimmingEventSheet(sheet, options, base(kind::TrackEvent))
                            : trackEventSheet(sheet, options, base(kind::TrackEvent)));
        }
        if (options.printTime)
            copies(kind::TrackTime, timeSheet(base(kind::TrackTime)));
        if (options.printLap && items.TrackDistance(sheet.itemCode) > 801)
            copies(kind::TrackLap, lapSheet(sheet, options, base(kind::TrackLap)));
        if (options.printStart)
            copies(kind::TrackStart, startSheet(sheet, base(kind::TrackStart)));
        return pages;
    }
    if (options.printEvent) {
        copies(kind::FieldEvent, items.IsVerticalJump(sheet.itemCode)
                                     ? verticalJumpSheet(sheet, options, base(kind::FieldEvent))
                                     : fieldSheet(sheet, options, base(kind::FieldEvent), true));
    }
    const QString type = items.ItemType(sheet.itemCode);
    if (options.printJumpWind &&
        (type.startsWith(QLatin1String("Long")) || type.startsWith(QLatin1String("Tripple"))))
        copies(kind::FieldWind, fieldSheet(sheet, options, base(kind::FieldWind), false));
    if (options.printStart)
        copies(kind::FieldStart, startSheet(sheet, base(kind::FieldStart)));
    return pages;
}

} // namespace sheets
