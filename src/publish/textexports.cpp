#include "publish/textexports.h"

#include "base/configstore.h"
#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "publish/csvwriter.h"
#include "publish/eventresults.h"
#include "publish/weblayout.h"
#include "publish/zipwriter.h"
#include "scoring/placepoints.h"
#include "scoring/teamtotals.h"

#include <QDir>
#include <QFileInfo>

namespace publish {

namespace {

QString releaseLine(const results::CaptureProgramRow& row)
{
    if (!row.resultsReleased)
        return QString();
    return row.resultsRevision > 0 ? QStringLiteral("***** Revised *****")
                                   : QStringLiteral("***** Final *****");
}

// The split of "TeamTotalsSplitUp.txt": by gender, track or field and junior or senior.
constexpr int kSplitUp =
    scoring::SplitGender | scoring::SplitTrackOrField | scoring::SplitSeniority;

QString column(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), true);
}

} // namespace

QString clipboardText(base::Run& run, const EventResults& event, bool starters)
{
    const base::ConfigStore& config = run.config();
    const results::CaptureProgramRow& row = event.row;
    QStringList lines;
    if (config.readInt(QStringLiteral("WT_INCLUDE_MEETNAME")) == 1)
        lines << run.meeting().description();
    QString eventLine =
        QStringLiteral("Item ") + QString::number(row.seq) + QLatin1Char(' ') + row.item;
    if (!row.isFinal())
        eventLine += QStringLiteral(" Heat ") + QString::number(row.heatNo);
    lines << eventLine;
    if (!starters && !releaseLine(row).isEmpty())
        lines << releaseLine(row);
    if (!row.wind.isEmpty())
        lines << QStringLiteral("   Wind: ") + row.wind;
    const int limit = config.readInt(QStringLiteral("WT_LENGTH"));
    QList<ResultLine> athletes = starters ? event.starters : event.placed + event.statused;
    if (limit > 0 && athletes.size() > limit)
        athletes = athletes.mid(0, limit);
    if (!starters && event.placed.isEmpty())
        lines << QStringLiteral("No places available.");
    for (const ResultLine& a : std::as_const(athletes)) {
        QStringList parts;
        if (starters)
            parts << QString::number(a.lane) << a.name() << a.teamAbrv;
        else
            parts << (a.place > 0 ? QString::number(a.place) : QString()) << a.performance
                  << a.name() << a.teamAbrv;
        parts.removeAll(QString());
        lines << parts.join(QLatin1Char(' '));
    }
    const int link = config.readInt(QStringLiteral("WT_INCLUDE_WEBLINK"));
    const QString root = config.readText(QStringLiteral("WT_WEBLINK_ROOT")).trimmed();
    if (link > 0 && !root.isEmpty()) {
        if (!root.endsWith(QLatin1Char('/')))
            run.messages().warning(QStringLiteral("The link end with a slash"));
        else if (link == 1 && !starters)
            lines << root + dayFolderName(row.day > 0 ? row.day : 1) + QLatin1Char('/') +
                         resultsFileName(row.seq, row.itemCode, row.round, row.heatNo,
                                         row.programNo);
        else
            lines << root + QString::fromLatin1(kMeetingIndex);
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList teamTotalsText(base::Run& run, int splits, const QDateTime& printedOn)
{
    const scoring::TeamTotals totals =
        scoring::teamTotals(*run.database(), run.items(), run.meeting(), splits);
    QStringList lines{QStringLiteral("Meeting: ") + run.meeting().description(),
                      QStringLiteral("Printed on ") +
                          QLocale::c().toString(printedOn, QStringLiteral("ddd d MMMM yyyy hh:mm")),
                      QStringLiteral("View this file in Courier font for correct alignment"),
                      QString()};
    if (!totals.ok)
        return lines << QStringLiteral("No data");
    QString heading;
    if (splits & scoring::SplitLeague)
        heading += column(QStringLiteral("CompNo"), 8);
    if (splits & scoring::SplitGender)
        heading += column(QStringLiteral("Gender"), 8);
    if (splits & scoring::SplitAge)
        heading += column(QStringLiteral("Age"), 5);
    if (splits & scoring::SplitSeniority)
        heading += column(QStringLiteral("Seniority"), 11);
    if (splits & scoring::SplitTrackOrField)
        heading += column(QStringLiteral("Track/Field"), 13);
    lines << heading + QStringLiteral("Place     Team   Score");
    for (const scoring::TeamTotalRow& r : totals.rows) {
        QString line;
        if (splits & scoring::SplitLeague)
            line += column(QString::number(r.league), 8);
        if (splits & scoring::SplitGender)
            line += column(r.gender, 8);
        if (splits & scoring::SplitAge)
            line += column(QString::number(r.age), 5);
        if (splits & scoring::SplitSeniority)
            line += column(r.seniority, 11);
        if (splits & scoring::SplitTrackOrField)
            line += column(r.trackOrField, 13);
        line += QString::number(r.place).rightJustified(5) + QStringLiteral("  ") +
                r.abbreviation.rightJustified(8) + scoring::pointsText(r.units).rightJustified(8);
        lines << line;
    }
    return lines;
}

QStringList allResultsText(base::Run& run)
{
    QStringList lines{QStringLiteral("Meeting: ") + run.meeting().description(), QString()};
    for (const results::CaptureProgramRow& row :
         results::captureProgramRows(*run.database(), run.items(), run.currentMeetingNo(),
                                     results::CaptureOrder::Sequence)) {
        if (row.isCalculatedFinal() || row.withResults == 0)
            continue;
        const EventResults event = eventResults(run, row);
        lines << event.title;
        for (const ResultLine& l : event.placed + event.statused)
            lines << (l.place > 0 ? QString::number(l.place) : QString()).rightJustified(4) +
                         QStringLiteral("  ") + l.performance.leftJustified(12) + l.name() +
                         QStringLiteral("  ") + l.teamAbrv;
        lines << QString();
    }
    return lines;
}

bool writeTeamTotalsText(base::Run& run, const QString& path, bool splitUp)
{
    return writeExportFile(run.messages(), path,
                           teamTotalsText(run, splitUp ? kSplitUp : scoring::SplitNone, run.now()));
}

bool writeResultsArchive(base::Run& run, const QString& path)
{
    base::Messages& messages = run.messages();
    if (!QFileInfo(path).absoluteDir().exists()) {
        messages.warning(QStringLiteral("The folder does not exist: ") +
                         QFileInfo(path).absolutePath());
        return false;
    }
    if (QFileInfo::exists(path) &&
        !messages.confirm(QStringLiteral("Delete the previous archive ") + path))
        return false;
    auto bytes = [](const QStringList& lines) { return (lines.join('\n') + '\n').toUtf8(); };
    QString error;
    if (!writeZip(path,
                  {{QStringLiteral("TeamTotalsSplitUp.txt"),
                    bytes(teamTotalsText(run, kSplitUp, run.now()))},
                   {QStringLiteral("AllResults.txt"), bytes(allResultsText(run))}},
                  &error)) {
        messages.warning(QStringLiteral("File could not be created:") + QStringLiteral("\r") +
                         path + QStringLiteral("\r") + error);
        return false;
    }
    return true;
}

} // namespace publish
