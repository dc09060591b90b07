#pragma once

#include "publishfixture.h"

// A timing system's file of heat 2 of the 50 m freestyle: a tie for second and a swimmer
// who did not start.
inline constexpr char kRace[] = "7,1,2,50m Freestyle Heat 2,+0.3,m/s\n"
                                "1,102,2,Jones,Ben,DOL,30.20\n"
                                "2,101,1,Smith,Ann,DOL,31.504\n"
                                "2,104,4,Dube,Dan,DOL,31.504\n"
                                "DNS,103,3,Cole,Cal,DOL,\n";

// The heat that file is of: four swimmers numbered 101 to 104 in lanes 1 to 4 of heat 2 at
// sequence 7.
class RaceTest : public PublishTest {
protected:
    void SetUp() override
    {
        PublishTest::SetUp();
        free = addEvent(m_free50);
        ann = swimmer("Smith", "Ann");
        ben = swimmer("Jones", "Ben");
        cal = swimmer("Cole", "Cal");
        dan = swimmer("Dube", "Dan");
        heat = drawHeat(free, "A", 2, 7, {ann, ben, cal, dan});
    }
    QString heatValue(qint64 athleteNo, const QString& column)
    {
        return value("select " + column + " from HEATPART where EVENTNO = " + db::sqlInt(free) +
                     " and ATHLETENO = " + db::sqlInt(athleteNo))
            .trimmed();
    }

    qint64 free = 0, ann = 0, ben = 0, cal = 0, dan = 0, heat = 0;
};
