#include "publish/meetingindex.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/meetingsettings.h"
#include "publish/htmlpage.h"
#include "publish/meetingreads.h"
#include "publish/weblayout.h"
#include "publish/website.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace publish {

namespace {

QString dayLink(int day, const QString& pathAndCaption)
{
    return QStringLiteral("<BR><A href=\"Day") + QString::number(day) + pathAndCaption +
           QStringLiteral(" Day ") + QString::number(day) + QStringLiteral("</A>");
}

// The caption a visitor reads for a team totals page: "Team Totals", "Team Totals Comp 2",
// as the page's own title says, not its file name.
QString teamTotalsCaption(const QString& file)
{
    static const QString perLeague = QStringLiteral("TeamTotals_Comp");
    QString caption = QStringLiteral("Team Totals");
    if (file.startsWith(perLeague))
        caption += QStringLiteral(" Comp ") + file.mid(perLeague.size()).chopped(5);
    return caption;
}

// The days found, or the warning when the program has none.
bool daysFound(base::Messages& messages, int first, int last, bool report)
{
    if (first > 0 && last >= first)
        return true;
    if (report)
        messages.warning(QStringLiteral("Duration must always be > 0"));
    return false;
}

} // namespace

bool programDays(base::Run& run, int* first, int* last, bool report)
{
    db::Query q = run.database()->openQuery(
        QStringLiteral("select min(P.DAY_SEQ) as FIRSTDAY, max(P.DAY_SEQ) as LASTDAY from "
                       "PROGRAM P join MYEVENT E on E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(run.currentMeetingNo()) +
        QStringLiteral(" and not (P.ROUND = 'F' and coalesce(E.FINAL_NOT_RUN, 0) = 1) and "
                       "P.DAY_SEQ > 0"));
    *first = q.isOpen() && !q.isEmpty() ? int(q.integer(QStringLiteral("FIRSTDAY"))) : 0;
    *last = q.isOpen() && !q.isEmpty() ? int(q.integer(QStringLiteral("LASTDAY"))) : 0;
    return daysFound(run.messages(), *first, *last, report);
}

bool programDays(WebSite& site, int* first, int* last, bool report)
{
    MeetingReads* reads = site.heldReads();
    if (!reads)
        return programDays(site.run(), first, last, report);
    // A run over the whole site asks for the days of the program several times; the
    // program lines it holds answer without a query each time.
    *first = *last = 0;
    for (const draw::ProgramLine& l : reads->programLines()) {
        if (l.day <= 0)
            continue;
        *first = *first > 0 ? std::min(*first, l.day) : l.day;
        *last = std::max(*last, l.day);
    }
    return daysFound(site.messages(), *first, *last, report);
}

QStringList meetingIndexLines(WebSite& site, int lastDay)
{
    const PublishSettings& s = site.settings();
    QStringList lines =
        pageHeader({QStringLiteral("Meeting: ") + site.run().meeting().description()},
                   QString::fromLatin1(kStyleSheetName), false);
    lines << QStringLiteral("All results are preliminary, subject to corrections.")
          << QStringLiteral("<BR>Press [Control]-[F5] to refresh to latest page.")
          << QStringLiteral("<BR>The explorer might be showing you the page that was cached on "
                            "your local disk.")
          << QStringLiteral("<BR>");
    auto group = [&](bool wanted, const QString& piece) {
        if (!wanted)
            return;
        for (int d = 1; d <= lastDay; ++d)
            lines << dayLink(d, piece);
        lines << QStringLiteral("<BR>");
    };
    group(s.mustProgram, QStringLiteral("/Program.html\">Program"));
    if (s.mustTeamTotals) {
        QStringList totals =
            QDir(site.root())
                .entryList({QStringLiteral("TeamTotals*.html")}, QDir::Files, QDir::Name);
        if (totals.isEmpty())
            totals << QStringLiteral("TeamTotals.html");
        for (const QString& file : std::as_const(totals))
            lines << QStringLiteral("<BR><A href=\"") + file + QStringLiteral("\">") +
                         htmlEscaped(teamTotalsCaption(file)) + QStringLiteral("</A>");
        lines << QStringLiteral("<BR>");
    }
    group(s.mustStarters, QStringLiteral("/Starters.html\">Starters"));
    group(true, QStringLiteral("/ResultsIndexSeq.html\">Results by Seq"));
    group(true, QStringLiteral("/ResultsIndexGrp.html\">Results by Item"));
    lines << pageFooter();
    return lines;
}

bool writeMeetingIndex(WebSite& site)
{
    int first = 0;
    int last = 0;
    if (!site.checkRoot() || !programDays(site, &first, &last))
        return false;
    const QString path = QDir(site.root()).filePath(QString::fromLatin1(kMeetingIndex));
    if (QFileInfo::exists(path) &&
        site.messages().choose(QStringLiteral("MeetingIndex"),
                               QStringLiteral("The Master Indexfile for the Meeting already "
                                              "exists:\r") +
                                   path,
                               {QStringLiteral("Cancel"), QStringLiteral("Rewrite")}) != 1)
        return false;
    if (!site.checkAutoRefresh())
        return false;
    QStringList created;
    for (int d = 1; d <= last; ++d) {
        const bool existed = QFileInfo(site.dayFolderPath(d)).isDir();
        if (site.dayFolder(d).isEmpty())
            return false;
        if (!existed)
            created << dayFolderName(d);
        if (!QFileInfo::exists(
                QDir(site.dayFolderPath(d)).filePath(QString::fromLatin1(kSequenceIndex))) &&
            !site.rebuildDayIndexes(d))
            return false;
    }
    if (!created.isEmpty())
        site.messages().note(QStringLiteral("The following folders for exporting days were "
                                            "created:\r") +
                             created.join(QStringLiteral("\r")));
    return site.writePage(path, meetingIndexLines(site, last));
}

} // namespace publish
