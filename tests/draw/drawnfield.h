#pragma once

#include "drawfixture.h"

#include "draw/drawcandidates.h"
#include "draw/drawengine.h"

#include <QList>
#include <QString>

#include <memory>

// A meeting with teams and swimmers entered in events, and the draw engine over it.
class DrawnFieldTest : public DrawFixture {
protected:
    struct Heat {
        int heat = 0;
        int lane = 0;
        qint64 athleteNo = 0;
    };

    qint64 addTeam(const QString& abbreviation);
    qint64 addSwimmer(qint64 teamNo, const QString& surname, int age = 13);
    // Enters the swimmer with a best time in seconds (0: none).
    qint64 enterSwimmer(qint64 eventNo, qint64 athleteNo, double bestSeconds = 0);
    // `count` swimmers over four teams; the i-th (from 0) with the best time
    // 60 + i seconds when `withBests`. Returns their athlete numbers, fastest first.
    QList<qint64> enterField(qint64 eventNo, int count, bool withBests);
    // The round's HEATPART rows (or the final's PARTICIPATE lanes) in heat and lane order.
    QList<Heat> drawnRows(qint64 eventNo, const QString& round);

    draw::DrawEngine& engine(quint64 seed = 1);

    int m_swimmers = 0;
    QList<qint64> m_teams;
    std::unique_ptr<draw::DrawRandom> m_random;
    std::unique_ptr<draw::DrawEngine> m_engine;
};
