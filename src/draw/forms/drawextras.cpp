#include "draw/forms/drawextras.h"

#include "base/messages.h"
#include "base/run.h"
#include "draw/alphabeticaldraw.h"
#include "draw/callroomdraw.h"
#include "draw/drawcandidates.h"

namespace draw {

bool drawAlphabeticallyAsked(base::Run& run, qint64 eventNo)
{
    const int order = run.messages().choose(
        QStringLiteral("Draw alphabetically"),
        QStringLiteral("Order the athletes by surname and first name,\r"
                       "or by team name first?"),
        {QStringLiteral("&Surname"), QStringLiteral("&Team first"), QStringLiteral("Cancel")});
    if (order < 0 || order > 1)
        return false;
    return drawAlphabetically(*run.database(), run.messages(), eventNo, order == 1) >= 0;
}

bool drawFromCallRoom(base::Run& run, qint64 eventNo, const QString& round)
{
    // Seeded from the clock as every draw on a screen is.
    DrawRandom random;
    return callRoomDraw(*run.database(), run.items(), run.messages(), eventNo, round,
                        quint32(random.seed()));
}

} // namespace draw
