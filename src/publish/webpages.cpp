#include "publish/webpages.h"

#include "base/messages.h"
#include "base/run.h"
#include "draw/programorder.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "publish/eventresults.h"
#include "publish/htmlpage.h"
#include "publish/itemimplements.h"
#include "publish/meetingreads.h"
#include "publish/publishsettings.h"
#include "publish/startraces.h"
#include "publish/teamtotalrows.h"
#include "publish/weblayout.h"
#include "publish/website.h"
#include "results/captureprogram.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>

namespace publish {

namespace {

const QString kDayStyle = QStringLiteral("../") + QString::fromLatin1(kStyleSheetName);
const QString kSelectionKey = QStringLiteral("PUB_STARTERS_SEQ_RANGE");

// Program row -> pit, for the rows of one day.
QHash<qint64, QString> pitsOf(MeetingReads& reads, int day)
{
    QHash<qint64, QString> pits;
    for (const draw::ProgramLine& l : reads.programLines())
        if (l.day == day)
            pits.insert(l.programNo, l.pit);
    return pits;
}

bool writeDayPage(WebSite& site, int day, const char* name, const QStringList& lines)
{
    const QString folder = site.dayFolder(day);
    return !folder.isEmpty() &&
           site.writePage(QDir(folder).filePath(QString::fromLatin1(name)), lines);
}

// The races of the day in the range with a drawn lane, in program order.
QList<RaceRows> startHeats(MeetingReads& reads, int day, const SeqRange& range)
{
    RaceRows rows;
    for (const results::CaptureProgramRow& row : reads.programRows())
        if (row.day == day && !row.isCalculatedFinal() && range.contains(row.seq))
            rows << row;
    return startRaces(rows);
}

} // namespace

QString SeqRange::text() const
{
    return QString::number(from) + QLatin1Char('-') + QString::number(to);
}

bool SeqRange::parse(const QString& text, SeqRange* range)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d+)\\s*(?:-\\s*(\\d+))?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return false;
    range->from = m.captured(1).toInt();
    range->to = m.captured(2).isEmpty() ? range->from : m.captured(2).toInt();
    return range->from > 0 && range->to >= range->from;
}

bool savedStartersSelection(WebSite& site, SeqRange* range)
{
    if (SeqRange::parse(site.run().config().readText(kSelectionKey), range))
        return true;
    site.messages().information(QStringLiteral("No selection saved yet"));
    return false;
}

bool publishStarters(WebSite& site, int day, const SeqRange& range)
{
    if (!checkPublishDay(site, day) || !site.checkRoot())
        return false;
    base::Run& run = site.run();
    const std::shared_ptr<MeetingReads> reads = site.reads();
    const QHash<qint64, QString> pits = pitsOf(*reads, day);
    QStringList lines = pageHeader({QStringLiteral("Starters")}, kDayStyle, false);
    const bool disabilities = hasDisabilityClasses(run);
    const ResultsOfRow resultsOf = [&reads](const results::CaptureProgramRow& row) {
        return reads->resultsOf(row);
    };
    const QList<RaceRows> races = startHeats(*reads, day, range);
    const QStringList eventTitles{QStringLiteral("Seq"), QStringLiteral("Time"),
                                  QStringLiteral("Pit"), QStringLiteral("Event"),
                                  QStringLiteral("Implement")};
    QStringList athleteTitles{QStringLiteral("Lane"), QStringLiteral("Number"),
                              QStringLiteral("Athlete"), QStringLiteral("Team")};
    if (disabilities)
        athleteTitles << QStringLiteral("Disability") << QStringLiteral("Age")
                      << QStringLiteral("Implement");
    // Every race's tables start from the same header rows.
    const HtmlTable eventTable(eventTitles);
    const HtmlTable athleteTable(athleteTitles);
    if (races.isEmpty())
        lines << QStringLiteral("No data.<BR>"); // not a bare title: the range holds no heat
    QHash<QString, QString> implementOf;         // item code -> its implement
    for (const RaceRows& race : races) {
        // A combined race is one heat: its items side by side, its athletes in one list.
        const EventResults starters = raceResults(race, resultsOf);
        QStringList implements;
        for (const QString& itemCode : starters.itemCodes) {
            auto known = implementOf.constFind(itemCode);
            if (known == implementOf.cend())
                known = implementOf.insert(itemCode, itemImplement(run, itemCode));
            const QString& implement = *known;
            if (!implement.isEmpty() && !implements.contains(implement))
                implements << implement;
        }
        const results::CaptureProgramRow& first = starters.row;
        HtmlTable event = eventTable;
        event << QString::number(first.seq) << first.time << pits.value(first.programNo)
              << eventName(first) << implements.join(QStringLiteral(", "));
        event.endRow();
        event.appendTo(&lines);
        HtmlTable athletes = athleteTable;
        for (const ResultLine& l : starters.starters) {
            athletes << QString::number(l.lane) << l.number << l.name() << l.team;
            if (disabilities)
                athletes << l.disabilityClasses << (l.age > 0 ? QString::number(l.age) : QString())
                         << implementOf.value(l.itemCode);
            athletes.endRow();
        }
        athletes.appendTo(&lines);
        lines << QStringLiteral("<BR>");
    }
    lines << pageFooter();
    if (!writeDayPage(site, day, kStartersPage, lines))
        return false;
    if (!range.all())
        run.config().writeText(kSelectionKey, range.text());
    return true;
}

Listing programListing(base::Run& run, MeetingReads& reads, int day)
{
    const QList<draw::ProgramLine>& all = reads.programLines();
    // The first sequence of each round of each event, for the next round's column.
    QHash<qint64, QHash<QString, int>> roundSeq;
    for (const draw::ProgramLine& l : all) {
        int& seq = roundSeq[l.eventNo][l.round];
        if (seq == 0 || l.seq < seq)
            seq = l.seq;
    }
    const QString order = QStringLiteral("CBAF");
    Listing listing{QStringLiteral("Seq,Time,Pit,Event,NextEvent,Spec"),
                    QStringLiteral("SEQ,THETIME,PIT,EVENT,NEXTEVENT,SPEC"),
                    {}};
    for (const draw::ProgramLine& l : all) {
        if (l.day != day || l.itemCode.startsWith(QLatin1String("NTH")))
            continue;
        QString next;
        for (qsizetype i = order.indexOf(l.round) + 1; i > 0 && i < order.size(); ++i) {
            const int seq = roundSeq.value(l.eventNo).value(QString(order[i]));
            if (seq > 0) {
                next = QString::number(seq);
                break;
            }
        }
        results::CaptureProgramRow row;
        row.item = run.items().ItemDescription(l.itemCode, false);
        row.heatFormat = l.format;
        row.round = l.round;
        row.heatNo = l.heatNo;
        listing.rows << FieldRow{
            {QStringLiteral("SEQ"), QString::number(l.seq)},
            {QStringLiteral("THETIME"),
             l.time.isValid() ? l.time.toString(QStringLiteral("hh:mm")) : QString()},
            {QStringLiteral("PIT"), l.pit},
            {QStringLiteral("EVENT"), eventName(row)},
            {QStringLiteral("NEXTEVENT"), next},
            {QStringLiteral("SPEC"), itemImplement(run, l.itemCode)}};
    }
    return listing;
}

bool publishProgram(WebSite& site, int day)
{
    if (!checkPublishDay(site, day) || !site.checkRoot())
        return false;
    QStringList lines =
        pageHeader({QStringLiteral("Program Day ") + QString::number(day)}, kDayStyle, false);
    QString error;
    appendTable(programListing(site.run(), *site.reads(), day), &lines, &error);
    lines << pageFooter();
    return writeDayPage(site, day, kProgramPage, lines);
}

bool publishTeamTotals(WebSite& site)
{
    if (!site.checkRoot())
        return false;
    const QList<TeamTotalsPage> pages = site.reads()->teamTotals();
    if (pages.isEmpty())
        return false;
    for (const TeamTotalsPage& page : pages) {
        QStringList lines = pageHeader({page.title}, QString::fromLatin1(kStyleSheetName), false);
        QString error;
        appendTable(page.listing, &lines, &error);
        lines << pageFooter();
        if (!site.writePage(QDir(site.root()).filePath(page.fileName + QStringLiteral(".html")),
                            lines))
            return false;
    }
    return true;
}

} // namespace publish
