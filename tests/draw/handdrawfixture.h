#pragma once

#include "drawfixture.h"

// A meeting with teams and named swimmers, for the draws made or corrected by hand. Heats
// are drawn by inserting their rows directly, as a stored draw leaves them.
class HandDrawFixture : public DrawFixture {
protected:
    qint64 addTeam(const QString& abrv, bool male = true, bool female = true);
    qint64 addSwimmer(qint64 teamNo, const QString& surname, const QString& gender = "M");
    // Enters the swimmer into the event; DID_NOT_CALL and the status as given.
    qint64 enterSwimmer(qint64 eventNo, qint64 athleteNo, const QString& best = QString(),
                        int didNotCall = 0, int status = 0);
    // A HEATPART row of a drawn (and perhaps swum) heat.
    qint64 seat(qint64 eventNo, const QString& round, int heat, qint64 athleteNo, int lane,
                int place = 0, const QString& performance = QString(), int status = 0);
    // "heat/lane" of the swimmer in the round, "-" when he is not in it.
    QString where(qint64 eventNo, const QString& round, qint64 athleteNo);
    // Every row of the round as "athlete:heat/lane", sorted: a picture of the whole draw.
    QString drawPicture(qint64 eventNo, const QString& round);
};
