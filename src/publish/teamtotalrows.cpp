#include "publish/teamtotalrows.h"

#include "base/run.h"
#include "scoring/placepoints.h"
#include "scoring/scoringsettings.h"
#include "scoring/teamtotals.h"

#include <QMap>

namespace publish {

QList<TeamTotalsPage> teamTotalsPages(base::Run& run)
{
    return teamTotalsPages(run, *run.database());
}

QList<TeamTotalsPage> teamTotalsPages(base::Run& run, db::DmdCoreDbs& database)
{
    const bool byLeague = scoring::ScoringSettings::of(run.meeting()).leaguesHaveOwnPoints;
    const scoring::TeamTotals totals = scoring::teamTotals(
        database, run.items(), run.meeting(), byLeague ? scoring::SplitLeague : scoring::SplitNone);
    if (!totals.ok)
        return {};
    const Listing empty{QStringLiteral("Place,Total,Team,TeamAbrv"),
                        QStringLiteral("PLACE,TOTAL_POINT,TEAM_NAME,TEAM_ABRV"),
                        {}};
    QMap<int, TeamTotalsPage> pages;
    if (!byLeague)
        pages.insert(0, {QStringLiteral("TeamTotals"), QStringLiteral("Team Totals"), empty});
    for (const scoring::TeamTotalRow& r : totals.rows) {
        const int key = byLeague ? r.league : 0;
        if (!pages.contains(key))
            pages.insert(key, {QStringLiteral("TeamTotals_Comp") + QString::number(key),
                               QStringLiteral("Team Totals Comp ") + QString::number(key), empty});
        pages[key].listing.rows << FieldRow{
            {QStringLiteral("PLACE"), QString::number(r.place)},
            {QStringLiteral("TOTAL_POINT"), scoring::pointsText(r.units)},
            {QStringLiteral("TEAM_NAME"), r.name},
            {QStringLiteral("TEAM_ABRV"), r.abbreviation}};
    }
    return pages.values();
}

} // namespace publish
