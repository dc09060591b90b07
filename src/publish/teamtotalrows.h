#pragma once

#include "publish/fieldrows.h"

#include <QList>
#include <QString>

namespace base {
class Run;
}
namespace db {
class DmdCoreDbs;
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
// The same read on `database`, a second connection to the run's (see db::SideReader).
QList<TeamTotalsPage> teamTotalsPages(base::Run& run, db::DmdCoreDbs& database);

} // namespace publish
