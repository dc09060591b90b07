#include "publish/sitepublish.h"

#include "publish/meetingindex.h"
#include "publish/meetingreads.h"
#include "publish/webpages.h"
#include "publish/webresults.h"
#include "publish/website.h"
#include "results/captureprogram.h"

namespace publish {

bool publishMeeting(WebSite& site)
{
    const WebSite::ReadsHeld held(site);
    int first = 0;
    int last = 0;
    if (!site.checkRoot() || !site.checkAutoRefresh() || !programDays(site, &first, &last))
        return false;
    QList<results::CaptureProgramRow> withResults;
    for (const results::CaptureProgramRow& row : site.reads()->programRows())
        if (!row.isCalculatedFinal() && row.withResults > 0)
            withResults << row;
    const PublishSettings& linked = site.settings();
    // Made on the side while the pages are made here.
    if (linked.mustTeamTotals)
        site.reads()->beginTeamTotals();
    site.beginIndexBatch(true);
    bool ok = publishRowsInBatch(site, withResults, false);
    for (int day = first; ok && day <= last; ++day)
        ok = (!linked.mustProgram || publishProgram(site, day)) &&
             (!linked.mustStarters || publishStarters(site, day, {}));
    ok = ok && (!linked.mustTeamTotals || publishTeamTotals(site));
    ok = site.endIndexBatch() && ok;
    // Last: it links the team totals pages it finds on the site.
    return ok && writeMeetingIndex(site);
}

} // namespace publish
