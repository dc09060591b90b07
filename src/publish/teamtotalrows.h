#pragma once

#include "publish/fieldrows.h"

#include <QList>
#include <QString>

namespace base {
class Run;
}

namespace publish {

// The team totals as they are published: one listing "Place,Total,Team,TeamAbrv", or one a
// competition when the leagues have their own place points.
struct TeamTotalsPage {
    QString fileName; // "TeamTotals", "TeamTotals_Comp2" (without the extension)
    QString title;    // "Team Totals", "Team Totals Comp 2"
    Listing listing;
};

// Empty when the totals were refused (the reason was shown).
QList<TeamTotalsPage> teamTotalsPages(base::Run& run);

} // namespace publish
