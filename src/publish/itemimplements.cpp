#include "publish/itemimplements.h"

#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "scoring/scoredata.h"

namespace publish {

QString itemImplement(base::Run& run, const QString& itemCode)
{
    const int set = int(run.meeting().integer(QStringLiteral("SCORESETNO")));
    const scoring::ScoreData& data = scoring::ScoreData::builtIn();
    if (set < 1 || !data.isLoaded(set))
        return QString();
    // The score data names items by their first 13 characters (no class suffix).
    const scoring::ItemScoreData* item = data.item(set, itemCode.left(13));
    return item ? item->implement : QString();
}

bool hasDisabilityClasses(base::Run& run)
{
    return run.meeting().integer(QStringLiteral("SHOW_ADD_DISABLED")) == 1;
}

} // namespace publish
