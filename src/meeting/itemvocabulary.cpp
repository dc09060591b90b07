#include "meeting/itemvocabulary.h"

#include <QHash>

#include <initializer_list>

namespace meeting::vocabulary {

namespace {

const QList<Group> kAthleticsGroups{
    {"SHD", "Short Distance", "Kort Afstand"},
    {"LOD", "Long Distance", "Lang Afstand"},
    {"RDR", "Road Race", "Pad wedlope"},
    {"STP", "Steeple Chase", "Hindernis"},
    {"HDL", "Hurdles", "Hekkies"},
    {"JMP", "Jump", "Spronge"},
    {"THR", "Throw", "Gooie"},
    {"NTH", "Nathlon", "Nathlon"},
    {"REL", "Relay", "Aflos"},
    {"SRL", "Shuttle Relay", "Shuttle Aflos"},
    {"WLK", "Walk", "Stap"},
    {"XCN", "CrossCountry", "Landloop"},
    {"BIA", "Biathle", "Biathle"},
    {"KBK", "KickBike", "SkopFiets"},
    {"PRM", "Pram", "StootWa"},
};

const QList<Group> kSwimmingGroups{
    {"FRE", "Freestyle", "Vryslag"},
    {"BRE", "Breaststroke", "Borsslag"},
    {"BCK", "Backstroke", "Rugslag"},
    {"BFL", "Butterfly", "Vlinderslag"},
    {"I_M", "Individual Medley", "Individuele Medley"},
    {"KBD", "Kickboard", "Skopbord"},
    {"F_R", "Freestyle Relay", "Vryslag Aflos"},
    {"R_R", "Breaststroke Relay", "Borsslag Aflos"},
    {"K_R", "Backstroke Relay", "Rugslag Aflos"},
    {"U_R", "Butterfly Relay", "Vlinderslag Aflos"},
    {"M_R", "Medley Relay", "Medley Aflos"},
    {"RLD", "Ladder Relay", "Leer Aflos"},
};

const MedleyRelay kMedleyRelays[] = {
    {"4_3_2_1", "1234 Swedish", 1000, "100,200,300,400"},
    {"842_2X1", "84211 Medley", 1600, "800,400,200,2x100"},
    {"84224X1", "84221111 Medley", 2000, "800,400,2x200,4x100"},
    {"42X24X1", "4221111 Medley", 1200, "400,2x200,4x100"},
    {"8_4_2X2", "8422 Medley", 1600, "800,400,2x200"},
    {"84224__", "84224 Medley", 2000, "800,400,2x200,400"},
    {"82X48_M", "8448 Varsity Medley", 2400, "800,2x400,800"},
    {"2X84_12", "884+1200 Medley", 2300, "400,2x800,1200"},
};

// A distance type: the metres right-aligned in seven characters.
QString distanceCode(int metres)
{
    return QString::number(metres).rightJustified(7, QLatin1Char('_'));
}

// A name type (or a relay type): left-aligned in seven characters.
QString nameCode(const QString& name)
{
    return name.leftJustified(7, QLatin1Char('_'));
}

QList<Type> byDistance(std::initializer_list<int> metres, const QString& prefix,
                       const QString& suffix)
{
    QList<Type> types;
    for (int m : metres)
        types.append({distanceCode(m), prefix + QString::number(m) + suffix});
    return types;
}

// Relays of legs x leg length: "4X100__" with the name "<legs><x><leg>m<suffix>".
QList<Type> byLegs(std::initializer_list<std::pair<int, int>> legs, const QString& x,
                   const QString& suffix)
{
    QList<Type> types;
    for (const auto& [count, length] : legs) {
        types.append({nameCode(QString::number(count) + 'X' + QString::number(length)),
                      QString::number(count) + x + QString::number(length) + 'm' + suffix});
    }
    return types;
}

QList<Type> named(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    QList<Type> types;
    for (const auto& [code, name] : pairs)
        types.append({QString::fromLatin1(code), QString::fromLatin1(name)});
    return types;
}

QHash<QString, QList<Type>> buildTypes()
{
    QHash<QString, QList<Type>> t;

    // Swimming.
    const std::initializer_list<int> strokeMetres{25, 50, 75, 100, 200, 400, 800, 1200, 1500};
    t["FRE"] = byDistance(strokeMetres, {}, "m Freestyle");
    t["BRE"] = byDistance(strokeMetres, {}, "m Breaststroke");
    t["BCK"] = byDistance(strokeMetres, {}, "m Backstroke");
    t["BFL"] = byDistance(strokeMetres, {}, "m Butterfly");
    t["KBD"] = byDistance({25, 50, 75, 100, 200}, {}, "m KickBoard");
    t["I_M"] = named({{"4X25___", "100m(4X25) IndMedl"},
                      {"4X50___", "200m(4X50) IndMedl"},
                      {"4X75___", "300m(4X75) IndMedl"},
                      {"4X100__", "400m(4X100) IndMedl"},
                      {"4X200__", "800m(4X200) IndMedl"}});
    const std::initializer_list<std::pair<int, int>> swimLegs{
        {4, 25}, {4, 50}, {4, 75}, {4, 100}, {4, 200}};
    t["F_R"] = byLegs(swimLegs, "X", " FreestRel");
    t["R_R"] = byLegs(swimLegs, "X", " BreastRel");
    t["K_R"] = byLegs(swimLegs, "X", " BackRel");
    t["U_R"] = byLegs(swimLegs, "X", " ButrflyRel");
    t["M_R"] = byLegs(swimLegs, "X", " MedRel");
    t["RLD"] = byLegs({{4, 25}, {4, 50}, {4, 75}}, "X", " LadderRel");

    // Athletics.
    t["SHD"] = byDistance({25, 50, 55, 60, 70, 80, 100, 110, 150, 200, 300, 400}, {}, "m");
    t["LOD"] = named({{"____500", "500m"},
                      {"____600", "600m"},
                      {"____800", "800m"},
                      {"____880", "Half Mile"},
                      {"___1000", "1000m"},
                      {"___1200", "1200m"},
                      {"___1500", "1500m"},
                      {"___1760", "Mile"},
                      {"___2000", "2000m"},
                      {"___3000", "3000m"},
                      {"___3520", "2 Mile"},
                      {"___5000", "5000m"},
                      {"__10000", "10km"},
                      {"__17600", "10 Mile"},
                      {"__20000", "20km"},
                      {"__30000", "30km"},
                      {"_100000", "100km"}});
    t["WLK"] = byDistance(
        {400, 800, 1000, 1500, 3000, 5000, 10000, 15000, 20000, 30000, 35000, 50000}, {}, "m Walk");
    t["RDR"] = named({{"___3000", "3km RoadRace"},
                      {"___4000", "4km RoadRace"},
                      {"___5000", "5km RoadRace"},
                      {"___6000", "6km RoadRace"},
                      {"__10000", "10km RoadRace"},
                      {"__15000", "15km RoadRace"},
                      {"__17600", "10mile RoadRace"},
                      {"__20000", "20km RoadRace"},
                      {"__21100", "Half Marathon"},
                      {"__25000", "25km RoadRace"},
                      {"__30000", "30km RoadRace"},
                      {"__42200", "Marathon"},
                      {"_100000", "100km RoadRace"}});
    for (int m : {3000, 5000, 10000, 15000, 20000, 30000, 35000, 50000})
        t["RDW"].append({distanceCode(m), QString::number(m / 1000) + "km RoadRace"});
    t["STP"] = byDistance({1000, 1500, 2000, 3000}, {}, "m SteepleChase");
    t["HDL"] =
        byDistance({50, 55, 60, 70, 75, 80, 90, 100, 110, 150, 200, 300, 400}, {}, "m Hurdles");
    t["JMP"] = named({{"High___", "HighJump"},
                      {"Pole___", "Polevault"},
                      {"Long___", "LongJump"},
                      {"Tripple", "TripleJump"}});
    t["THR"] = named({{"Shotput", "Shotput"},
                      {"Discus_", "Discus"},
                      {"Hammer_", "Hammer"},
                      {"Javelin", "Javelin"},
                      {"Weight_", "Weight"},
                      {"CricBal", "CricketBall"},
                      {"TrbJavl", "TurboJavelin"},
                      {"Club___", "Club"},
                      {"Softbal", "Softball"},
                      {"Frisbee", "Frisbee"}});
    const char* const athlonNames[] = {"Biathlon",   "Triathlon", "Quatrathlon",
                                       "Pentathlon", "Hexathlon", "Heptathlon",
                                       "Octathlon",  "Nonathlon", "Decathlon"};
    for (int n = 2; n <= 20; ++n) {
        const QString name = n <= 10 ? QString::fromLatin1(athlonNames[n - 2])
                                     : QString::number(n) + QStringLiteral("-athlon");
        t["NTH"].append({distanceCode(n), name});
    }
    t["REL"] = byLegs(
        {{4, 50}, {4, 80}, {4, 100}, {4, 200}, {4, 400}, {4, 600}, {4, 800}, {4, 1500}, {10, 100}},
        "x", " Relay");
    t["REL"].append({QStringLiteral("4X1MILE"), QStringLiteral("4x1Mile Relay")});
    t["SRL"] = byLegs({{4, 50}, {4, 60}, {4, 80}, {4, 100}, {5, 50}, {5, 60}, {5, 80}, {5, 100}},
                      "x", " Shuttle Relay");
    t["XCN"] = named({{"X_Cntry", "CrossCountry"},
                      {"___1000", "1km"},
                      {"___1500", "1.5km"},
                      {"___2000", "2km"},
                      {"___2500", "2.5km"},
                      {"___3000", "3km"},
                      {"___4000", "4km"},
                      {"___6000", "6km"},
                      {"___8000", "8km"},
                      {"__10000", "10km"}});
    for (Type& type : t["XCN"])
        type.name += QStringLiteral(" XCtry");
    t["BIA"] = named({{"Biathle", "Biathle"}});
    t["KBK"] = named({{"_____60", "60m KickBike"}});
    t["PRM"] = named({{"_____60", "60m Pram"}});
    return t;
}

} // namespace

const QList<Group>& groups(Edition edition)
{
    return edition == Edition::Swimming ? kSwimmingGroups : kAthleticsGroups;
}

const Group* findGroup(const QString& code)
{
    for (const QList<Group>* list : {&kSwimmingGroups, &kAthleticsGroups}) {
        for (const Group& g : *list) {
            if (code == QLatin1String(g.code))
                return &g;
        }
    }
    return nullptr;
}

const QList<Type>* typesOf(const QString& group)
{
    static const QHash<QString, QList<Type>> types = buildTypes();
    const auto it = types.constFind(group);
    return it == types.constEnd() ? nullptr : &it.value();
}

const MedleyRelay* findMedleyRelay(const QString& type)
{
    for (const MedleyRelay& m : kMedleyRelays) {
        if (type == QLatin1String(m.type))
            return &m;
    }
    return nullptr;
}

} // namespace meeting::vocabulary
