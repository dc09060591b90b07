#include "publish/eventexports.h"

#include "base/messages.h"
#include "base/run.h"
#include "draw/programorder.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "publish/csvwriter.h"
#include "publish/eventresults.h"
#include "publish/publishsettings.h"
#include "publish/startraces.h"
#include "publish/teamtotalrows.h"
#include "scoring/placedresults.h"
#include "scoring/resultscores.h"
#include "scoring/scoredata.h"

#include <QDir>

#include <functional>
#include <memory>

namespace publish {

namespace {

const QString kEventTitles = QStringLiteral("Seq,Item,Gender,Age,Round,Heat,Time,Wind");
const QString kEventFields = QStringLiteral("SEQ,ITEM,GENDER,AGE,ROUND,HEATNO,THETIME,WIND_SPEED");

// The values of the race's items, each once, joined by "/" ("13/14" for a combined race of
// two ages).
QString itemsPart(const EventResults& event, const std::function<QString(const QString&)>& part)
{
    QStringList values;
    for (const QString& itemCode : event.itemCodes)
        if (const QString value = part(itemCode); !values.contains(value))
            values << value;
    return values.join(QLatin1Char('/'));
}

FieldRow eventFields(base::Run& run, const EventResults& event)
{
    const meeting::ItemTypes& items = run.items();
    const results::CaptureProgramRow& row = event.row;
    return {{QStringLiteral("SEQ"), QString::number(row.seq)},
            {QStringLiteral("ITEM"), row.item},
            {QStringLiteral("GENDER"),
             itemsPart(event, [&items](const QString& c) { return items.ItemGender(c); })},
            {QStringLiteral("AGE"),
             itemsPart(event, [&items](const QString& c) { return items.ItemAge(c); })},
            {QStringLiteral("ROUND"), row.round},
            {QStringLiteral("HEATNO"), QString::number(row.heatNo)},
            {QStringLiteral("THETIME"), row.time},
            {QStringLiteral("WIND_SPEED"), row.wind}};
}

bool confirmCalculated(base::Run& run, const EventResults& event, ExportKind kind)
{
    return kind != ExportKind::Results || !event.row.notCalculated ||
           run.messages().confirm(QStringLiteral("The Event is not Calculated yet: Print anyway"));
}

// The file an export goes to: `path`, or the folder of its kind with the event's name.
QString targetPath(base::Run& run, const EventResults& event, ExportKind kind, const QString& path,
                   const QString& extension)
{
    if (!path.isEmpty())
        return path;
    const PublishSettings s = PublishSettings::read(run.config());
    const QString folder = kind == ExportKind::Results ? s.csvResultsFolder : s.csvStartersFolder;
    if (folder.isEmpty() || !QDir(folder).exists()) {
        run.messages().warning(QStringLiteral("The folder does not exist: ") + folder);
        return QString();
    }
    QString name = eventCsvFileName(event, kind);
    name.chop(4);
    return QDir(folder).filePath(name + extension);
}

bool writeListing(base::Run& run, const QString& path, const Listing& listing)
{
    QStringList lines;
    QString error;
    if (!csvLines(listing, true, &lines, &error)) {
        run.messages().internalError(160101, error);
        return false;
    }
    return writeExportFile(run.messages(), path, lines);
}

// The table score of each result under the meeting's score set, when the meeting scores
// with one whose data is at hand; else the column stays empty.
class TableScoreColumn {
public:
    TableScoreColumn(base::Run& run, const results::CaptureProgramRow& row) : m_row(row)
    {
        const scoring::TableScoreSettings settings = scoring::TableScoreSettings::of(run.meeting());
        if (settings.hasTableScore && settings.scoreSet > 0 &&
            scoring::ScoreData::builtIn().isAtHand(settings.scoreSet))
            m_scores = std::make_unique<scoring::ResultScores>(*run.database(), run.items(),
                                                               run.meeting());
    }
    QString of(const ResultLine& l) const
    {
        if (!m_scores || l.status > 0 || l.stored.isEmpty())
            return QString();
        scoring::PlacedResult result;
        result.athleteNo = l.athleteNo;
        result.itemCode = m_row.itemCode;
        result.nAthlon = m_row.nAthlon;
        result.athleteNathlon = m_row.nAthlon;
        result.age = l.age;
        result.performance = l.stored;
        result.timingCode = m_row.elecHand;
        const int points = m_scores->score(result);
        return points > 0 ? QString::number(points) : QString();
    }

private:
    const results::CaptureProgramRow& m_row;
    std::unique_ptr<scoring::ResultScores> m_scores;
};

} // namespace

Listing eventLineListing(base::Run& run, const EventResults& event)
{
    return {kEventTitles, kEventFields, {eventFields(run, event)}};
}

Listing athletesListing(base::Run& run, const EventResults& event, ExportKind kind)
{
    Listing listing;
    if (kind == ExportKind::Results) {
        listing.titles = QStringLiteral("Place,Surname,Firstname,Number,Team,Performance,Score");
        listing.fields = QStringLiteral("PLACE,SURNAME,FIRSTNAME,NUMBER,TEAMABRV,PERFORMANCE,ABSA");
        // With leagues the receiver sorts the results by competition first.
        if (run.meeting().integer(QStringLiteral("HAS_LEAGUES")) == 1) {
            listing.titles.prepend(QStringLiteral("Competition,"));
            listing.fields.prepend(QStringLiteral("LEAGUE,"));
        }
    } else {
        listing.titles = QStringLiteral("Lane,Surname,Firstname,Number,Team");
        listing.fields = QStringLiteral("LANE,SURNAME,FIRSTNAME,NUMBER,TEAMABRV");
    }
    const QList<ResultLine>& lines = kind == ExportKind::Results ? event.placed : event.starters;
    const TableScoreColumn scores(run, event.row);
    for (const ResultLine& l : lines)
        listing.rows << FieldRow{{QStringLiteral("ABSA"), scores.of(l)},
                                 {QStringLiteral("PLACE"), QString::number(l.place)},
                                 {QStringLiteral("LANE"), QString::number(l.lane)},
                                 {QStringLiteral("SURNAME"), l.surname},
                                 {QStringLiteral("FIRSTNAME"), l.firstName},
                                 {QStringLiteral("NUMBER"), l.number},
                                 {QStringLiteral("TEAMABRV"), l.teamAbrv},
                                 {QStringLiteral("PERFORMANCE"), l.performance},
                                 {QStringLiteral("LEAGUE"), QString::number(l.league)}};
    return listing;
}

QStringList startListLines(base::Run& run, const EventResults& event, StartListLayout layout)
{
    QStringList lines;
    QString error;
    if (layout == StartListLayout::Titled)
        return eventCsvLines(run, event, ExportKind::Starters);
    if (layout == StartListLayout::TimingSystem) {
        Listing listing{QStringLiteral("Id,Lane,Name,Number,Team"),
                        QStringLiteral("ID_NUMBER,LANE,NAME,NUMBER,TEAMABRV"),
                        {}};
        for (const ResultLine& l : event.starters)
            listing.rows << FieldRow{{QStringLiteral("ID_NUMBER"), l.idNumber},
                                     {QStringLiteral("LANE"), QString::number(l.lane)},
                                     {QStringLiteral("NAME"), l.name()},
                                     {QStringLiteral("NUMBER"), l.number},
                                     {QStringLiteral("TEAMABRV"), l.teamAbrv}};
        csvLines(listing, false, &lines, &error);
        return lines;
    }
    // The block layout: the event line over every eight athletes, the name in one column.
    const Listing eventLine = eventLineListing(run, event);
    Listing block{
        QStringLiteral("Lane,Name,Number,Team"), QStringLiteral("LANE,NAME,NUMBER,TEAMABRV"), {}};
    const auto flush = [&] {
        QStringList part;
        csvLines(eventLine, false, &part, &error);
        lines << part;
        part.clear();
        csvLines(block, false, &part, &error);
        lines << part;
        block.rows.clear();
    };
    for (const ResultLine& l : event.starters) {
        block.rows << FieldRow{
            {QStringLiteral("LANE"), QString::number(l.lane)},
            {QStringLiteral("NAME"),
             l.firstName.isEmpty() ? l.surname : l.firstName + QLatin1Char(' ') + l.surname},
            {QStringLiteral("NUMBER"), l.number},
            {QStringLiteral("TEAMABRV"), l.teamAbrv}};
        if (block.rows.size() == 8)
            flush();
    }
    if (!block.rows.isEmpty() || lines.isEmpty())
        flush();
    return lines;
}

QStringList eventCsvLines(base::Run& run, const EventResults& event, ExportKind kind)
{
    QStringList lines;
    QString error;
    csvLines(eventLineListing(run, event), true, &lines, &error);
    csvLines(athletesListing(run, event, kind), true, &lines, &error);
    return lines;
}

QString eventCsvFileName(const EventResults& event, ExportKind kind)
{
    QString item = event.row.item;
    item.remove(QLatin1Char(' '));
    item.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QStringList{kind == ExportKind::Results ? QStringLiteral("Results")
                                                   : QStringLiteral("Starters"),
                       QStringLiteral("%1").arg(event.row.seq, 4, 10, QLatin1Char('0')), item,
                       event.row.round + QString::number(event.row.heatNo)}
               .join(QLatin1Char('_')) +
           QStringLiteral(".csv");
}

std::optional<EventResults> exportedEvent(base::Run& run, qint64 programNo, ExportKind kind)
{
    std::optional<EventResults> event =
        kind == ExportKind::Starters ? raceStartList(run, programNo) : eventResults(run, programNo);
    if (!event)
        run.messages().warning(QStringLiteral("There is no program row ") +
                               QString::number(programNo));
    return event;
}

bool exportEventCsv(base::Run& run, qint64 programNo, ExportKind kind, const QString& path)
{
    const std::optional<EventResults> event = exportedEvent(run, programNo, kind);
    if (!event)
        return false;
    if (!confirmCalculated(run, *event, kind))
        return false;
    const QString target = targetPath(run, *event, kind, path, QStringLiteral(".csv"));
    return !target.isEmpty() &&
           writeExportFile(run.messages(), target, eventCsvLines(run, *event, kind));
}

bool exportStartList(base::Run& run, qint64 programNo, StartListLayout layout, const QString& path)
{
    const std::optional<EventResults> event = exportedEvent(run, programNo, ExportKind::Starters);
    if (!event)
        return false;
    const QString target =
        targetPath(run, *event, ExportKind::Starters, path, QStringLiteral(".csv"));
    return !target.isEmpty() &&
           writeExportFile(run.messages(), target, startListLines(run, *event, layout));
}

bool exportEventXml(base::Run& run, qint64 programNo, ExportKind kind, const QString& path)
{
    const std::optional<EventResults> event = exportedEvent(run, programNo, kind);
    if (!event)
        return false;
    if (!confirmCalculated(run, *event, kind))
        return false;
    const QString target = targetPath(run, *event, kind, path, QStringLiteral(".xml"));
    if (target.isEmpty())
        return false;
    // The event's fields first, then one record per athlete.
    Listing listing = athletesListing(run, *event, kind);
    listing.titles = kEventTitles + QLatin1Char(',') + listing.titles;
    listing.fields = kEventFields + QLatin1Char(',') + listing.fields;
    const FieldRow eventRow = eventFields(run, *event);
    for (FieldRow& r : listing.rows)
        r.insert(eventRow);
    QStringList lines;
    QString error;
    if (!xmlLines(kind == ExportKind::Results ? QStringLiteral("Results")
                                              : QStringLiteral("Starters"),
                  QStringLiteral("Athlete"), listing, &lines, &error)) {
        run.messages().internalError(160102, error);
        return false;
    }
    return writeExportFile(run.messages(), target, lines);
}

bool exportAllStarters(base::Run& run, const QString& path)
{
    const results::MeetingAthletes all(*run.database(), run.currentMeetingNo());
    RaceRows rows;
    for (const results::CaptureProgramRow& row :
         results::captureProgramRows(*run.database(), run.items(), run.currentMeetingNo(),
                                     results::CaptureOrder::Sequence, &all))
        if (!row.isCalculatedFinal())
            rows << row;
    const ResultsOfRow resultsOf = [&](const results::CaptureProgramRow& row) {
        return eventResults(run, row, all.of(run.items(), row));
    };
    QStringList lines;
    for (const RaceRows& race : startRaces(rows))
        lines << eventCsvLines(run, raceResults(race, resultsOf), ExportKind::Starters);
    if (lines.isEmpty())
        lines << QStringLiteral("No data");
    return writeExportFile(run.messages(), path, lines);
}

bool exportProgramCsv(base::Run& run, const QString& path)
{
    const meeting::ItemTypes& items = run.items();
    Listing listing{QStringLiteral("Seq,Item,Gender,Age,Round,Heat,Time,Pit"),
                    QStringLiteral("SEQ,ITEM,GENDER,AGE,ROUND,HEATNO,THETIME,PIT"),
                    {}};
    for (const draw::ProgramLine& l :
         draw::ProgramListing(*run.database())
             .lines(run.currentMeetingNo(), draw::ProgramOrder::Time, 0))
        listing.rows << FieldRow{
            {QStringLiteral("SEQ"), QString::number(l.seq)},
            {QStringLiteral("ITEM"), items.ItemDescription(l.itemCode, false)},
            {QStringLiteral("GENDER"), items.ItemGender(l.itemCode)},
            {QStringLiteral("AGE"), items.ItemAge(l.itemCode)},
            {QStringLiteral("ROUND"), l.round},
            {QStringLiteral("HEATNO"), QString::number(l.heatNo)},
            {QStringLiteral("THETIME"),
             l.time.isValid() ? l.time.toString(QStringLiteral("hh:mm")) : QString()},
            {QStringLiteral("PIT"), l.pit}};
    std::stable_sort(
        listing.rows.begin(), listing.rows.end(), [](const FieldRow& a, const FieldRow& b) {
            return a.value(QStringLiteral("SEQ")).toInt() < b.value(QStringLiteral("SEQ")).toInt();
        });
    return writeListing(run, path, listing);
}

bool exportTeamTotalsCsv(base::Run& run, const QString& path)
{
    const QList<TeamTotalsPage> pages = teamTotalsPages(run);
    if (pages.isEmpty())
        return false;
    Listing all = pages.first().listing;
    for (qsizetype i = 1; i < pages.size(); ++i)
        all.rows << pages[i].listing.rows;
    return writeListing(run, path, all);
}

} // namespace publish
