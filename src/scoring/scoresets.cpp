#include "scoring/scoresets.h"

#include <QStringList>

namespace scoring {

namespace {

using M = ScoreMethod;

QList<ScoreSetInfo> makeSets()
{
    // number, display name, identifier, method, altitude correction
    return {
        {0, "-", "-", M::None, false},
        {2, "", "ABSA_2002", M::Retired, false},
        {3, "", "ABSA_2003_TBL", M::Retired, false},
        {4, "ABSA 2003", "ABSA_2003", M::Absa, true},
        {5, "WorldAth 2003", "IAAF_2003", M::Power, false},
        {6, "", "IAAF_2005_TBL", M::Retired, false},
        {7, "WorldAth 2005", "IAAF_2005", M::Quadratic, false},
        {8, "", "IAAF_2005_INDOOR_TBL", M::Retired, false},
        {9, "", "IAAF_2005_INDOOR", M::Quadratic, false},
        {10, "", "MINE_2005_TBL", M::Retired, true},
        {11, "MINE_2005", "MINE_2005", M::Retired, true},
        {12, "", "APE_2005_TBL", M::Retired, true},
        {13, "APE_2005", "APE_2005", M::Ape, true},
        {14, "ABSA 2006", "ABSA_2006", M::Absa, true},
        {15, "ABSA 2007", "ABSA_2007", M::Absa, true},
        {16, "ASA 2007", "ASA_2007", M::Asa2007, true},
        {17, "", "MALVO_2008", M::Retired, true},
        {18, "WorldAth 2008", "IAAF_2008", M::Quadratic, false},
        {19, "WorldAth 2008 Comb", "IAAF_2008_COMB", M::Quadratic, false},
        {20, "MALVO 2010", "MALVO_2010", M::DoubleExp, true},
        {21, "ASA 2010", "ASA_2010", M::Rows, true},
        {22, "ASA 2012", "ASA_2012", M::Rows, true},
        {23, "", "IAAF_2011", M::Retired, false},
        {24, "MALVO 2012", "MALVO_2012", M::DoubleExp, true},
        {26, "Tamrok 2013A", "TAMROK_2013A", M::Rows, true},
        {27, "", "TAMROK_2015A", M::Retired, true},
        {28, "MALVO 2015", "MALVO_2015", M::DoubleExp, true},
        {29, "ASA 2016", "ASA_2016", M::Rows, true},
        {30, "WorldAth 2014", "IAAF_2014", M::WaRows, false},
        {31, "Tamrok 2016A", "TAMROK_2016A", M::Rows, true},
        {32, "WorldAth 2017", "IAAF_2017", M::WaRows, false},
        {33, "MALVO 2019", "MALVO_2019", M::DoubleExp, true},
        {34, "ASA 2020", "ASA_2020", M::Rows, true},
        {35, "WMA AgeFactors 2015", "WMA_FACTORS_2015_2017", M::AgeFactors, false},
        {36, "WMA AgeFactors 2018", "WMA_FACTORS_2018_2020", M::AgeFactors, false},
        {37, "WorldAth 2022", "WA_2022", M::WaRows, false},
        {38, "APE 2024", "ASA_2024", M::Rows, true},
        {39, "ABSA 2007 with local tables", "", M::Local, true},
        {40, "XSA 2024", "XSA_2024", M::Rows, true},
        {910, "", "ASA_2007 upto 1000", M::IdentifierOnly, false},
        {914, "", "ASA_2007 upto 1400", M::IdentifierOnly, false},
    };
}

} // namespace

const QList<ScoreSetInfo>& allScoreSets()
{
    static const QList<ScoreSetInfo> sets = makeSets();
    return sets;
}

ScoreSetInfo scoreSetInfo(int number)
{
    for (const ScoreSetInfo& info : allScoreSets()) {
        if (info.number == number)
            return info;
    }
    ScoreSetInfo none;
    none.number = -1;
    return none;
}

QString scoreSetDisplayName(int number)
{
    const ScoreSetInfo info = scoreSetInfo(number);
    return info.displayName.isEmpty() ? QStringLiteral("Invalid") : info.displayName;
}

QString scoreSetIdentifier(int number)
{
    const ScoreSetInfo info = scoreSetInfo(number);
    return info.identifier.isEmpty() ? QStringLiteral("undefined") : info.identifier;
}

QString unknownScoreSetMessage(int number)
{
    return QStringList{QStringLiteral("Translate the scoreset name: ") + QString::number(number),
                       QStringLiteral("You are probably connected to a database that selected"),
                       QStringLiteral(" a (new?) ScoreSet that this exe is not aware of."),
                       QStringLiteral("It may also be that this Meeting still has a deprecated"),
                       QStringLiteral("selected."),
                       QStringLiteral("The Scoreset is selected under Meeting Settings")}
        .join(QLatin1Char('\r'));
}

bool isNoAltitudeSet(int number)
{
    static const QList<int> sets{5, 6, 7, 8, 9, 18, 19, 23, 30, 32, 37};
    return sets.contains(number);
}

QList<std::pair<int, QString>> selectableScoreSets()
{
    return {{38, "APE 2024"},           {34, "ASA 2020"},
            {15, "ABSA 2007"},          {32, "WorldAth 2017 VETS"},
            {19, "WorldAth 2008 COMB"}, {37, "WorldAth 2022"},
            {40, "XSA 2024"},           {39, scoreSetDisplayName(39)}};
}

QString timingText(int timingCode)
{
    return (timingCode == 2 ? QStringLiteral("Hand") : QStringLiteral("Electronic")) +
           QStringLiteral(" time");
}

QString scoreHeaderLine(int setNumber, int timingCode, int heightAboveSea, bool afrikaans)
{
    if (setNumber < 1)
        return afrikaans ? QStringLiteral("Geen punte tabel gekies nie")
                         : QStringLiteral("No score-table selected");
    const bool hand = timingCode == 2;
    if (afrikaans)
        return QStringLiteral("Prestasie-punte:  ") + scoreSetDisplayName(setNumber) +
               QStringLiteral(" tabel, ") +
               (hand ? QStringLiteral("Handtyd") : QStringLiteral("Elektroniese Tyd")) +
               QStringLiteral(",  Hoogte bo seevlak=") + QString::number(heightAboveSea);
    return QStringLiteral("Performance Scores:  ") + scoreSetDisplayName(setNumber) +
           QStringLiteral(" table, ") +
           (hand ? QStringLiteral("Hand time") : QStringLiteral("Electronic Time")) +
           QStringLiteral(",  Height above sea=") + QString::number(heightAboveSea);
}

bool isWorldAthleticsRowSet(int number)
{
    return scoreSetInfo(number).method == ScoreMethod::WaRows;
}

} // namespace scoring
