#include "draw/patternlanes.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <QMap>
#include <QSet>

#include <algorithm>

namespace draw {

void placeInTeamLanes(QList<DrawCandidate*>& heat, const QStringList& teamLanes,
                      const QHash<qint64, QString>& teamAbrvs, int lanesAvailable, bool straight)
{
    std::sort(heat.begin(), heat.end(), [](const DrawCandidate* a, const DrawCandidate* b) {
        return a->laneRank < b->laneRank;
    });
    QSet<int> taken;
    QList<DrawCandidate*> homeless;
    for (DrawCandidate* c : heat) {
        const int lane = int(teamLanes.indexOf(teamAbrvs.value(c->teamNo))) + 1;
        if (lane > 0 && !taken.contains(lane)) {
            c->lane = lane;
            taken.insert(lane);
        } else {
            homeless.append(c);
        }
    }
    int rank = 0;
    for (DrawCandidate* c : homeless) {
        int lane = 0;
        do
            lane = laneFromRank(++rank, lanesAvailable, straight);
        while (taken.contains(lane));
        c->lane = lane;
        taken.insert(lane);
    }
}

void placeByPattern(db::DmdCoreDbs& database, int meetingNo, qint64 eventNo, const QString& round,
                    CandidateList& candidates, int lanesAvailable, bool straight)
{
    const bool final = round == QLatin1String("F");
    QMap<int, QStringList> patternHeats;
    db::Query heats = database.openQuery(
        QStringLiteral("select HEATNO, RANDOMDRAW from PROGRAM where PATTERN_SEQ > 0 and "
                       "EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(round));
    for (heats.first(); heats.isOpen() && !heats.eof(); heats.next()) {
        const QStringList lanes =
            heats.text(QStringLiteral("RANDOMDRAW")).trimmed().split(QLatin1Char(';'));
        if (lanes.size() > 1 || !lanes.first().isEmpty())
            patternHeats.insert(final ? 1 : int(heats.integer(QStringLiteral("HEATNO"))), lanes);
    }
    if (patternHeats.isEmpty())
        return;
    QHash<qint64, QString> teamAbrvs;
    db::Query teams =
        database.openQuery(QStringLiteral("select TEAMNO, TEAMABRV from TEAM where MEETINGNO = ") +
                           db::sqlInt(meetingNo));
    for (teams.first(); teams.isOpen() && !teams.eof(); teams.next())
        teamAbrvs.insert(teams.integer(QStringLiteral("TEAMNO")),
                         teams.text(QStringLiteral("TEAMABRV")).trimmed());
    for (auto it = patternHeats.cbegin(); it != patternHeats.cend(); ++it) {
        QList<DrawCandidate*> heat;
        for (DrawCandidate& c : candidates)
            if (c.heat == it.key() && c.laneRank > 0)
                heat.append(&c);
        placeInTeamLanes(heat, it.value(), teamAbrvs, lanesAvailable, straight);
    }
}

} // namespace draw
