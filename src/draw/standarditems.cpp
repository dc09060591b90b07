#include "draw/standarditems.h"

#include "base/messages.h"
#include "meeting/itemtypes.h"

namespace draw {

namespace {

QString ageText(int age)
{
    return QString::number(age).rightJustified(2, QLatin1Char('0'));
}

struct CombinedRow {
    const char* gender;
    int count;
    std::initializer_list<int> ages;
    const char* events;
    bool throws = false; // the throws pentathlon of the masters
};

// Rows are tried in order; the first whose gender, count and age match wins. The masters
// rows follow the standard ones and use the lower hurdles of the older age groups.
const CombinedRow kCombined[] = {
    {"M", 10, {17, 18, 19, 22, 25, 99}, "100m,LJ,SP,HJ,400m,110mH,DT,PV,JT,1500m"},
    {"M", 8, {16}, "100m,LJ,SP,400m,110mH,HJ,JT,1000m"},
    {"M", 5, {14, 15, 99}, "LJ,HJ,SP,100mH,1000m"},
    {"M", 5, {25}, "LJ,JT,200m,DT,1500m"},
    {"M", 5, {13}, "80mH,LJ,HJ,SP,800m"},
    {"F", 10, {25, 99}, "100m,DT,PV,JT,400m,100mH,LJ,SP,HJ,1500m"},
    {"F", 7, {16, 17, 18, 19, 22, 25, 99}, "100mH,HJ,SP,200m,LJ,JT,800m"},
    {"F", 5, {14, 15}, "90mH,LJ,HJ,SP,800m"},
    {"F", 5, {13}, "80mH,LJ,HJ,SP,800m"},
    {"M", 10, {35, 40, 45}, "100m,LJ,SP,HJ,400m,110mH,DT,PV,JT,1500m"},
    {"M", 10, {50, 55, 60, 65}, "100m,LJ,SP,HJ,400m,100mH,DT,PV,JT,1500m"},
    {"M", 10, {70, 75, 80, 85, 90, 95}, "100m,LJ,SP,HJ,400m,80mH,DT,PV,JT,1500m"},
    {"M", 5, {35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95}, "LJ,JT,200m,DT,1500m"},
    {"F", 10, {35}, "100m,DT,PV,JT,400m,100mH,LJ,SP,HJ,1500m"},
    {"F",
     10,
     {40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95},
     "100m,DT,PV,JT,400m,80mH,LJ,SP,HJ,1500m"},
    {"F", 7, {35}, "100mH,HJ,SP,200m,LJ,JT,800m"},
    {"F", 7, {40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95}, "80mH,HJ,SP,200m,LJ,JT,800m"},
    {"F", 5, {35}, "100mH,HJ,SP,LJ,800m"},
    {"F", 5, {40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95}, "80mH,HJ,SP,LJ,800m"},
    {"M", 5, {35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95}, "HT,SP,DT,JT,WT", true},
    {"F", 5, {35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95}, "HT,SP,DT,JT,WT", true},
};

const char kThrowsPentathlon[] = "Throws Pentathlon";

} // namespace

QStringList StandardItems::athleticsTypes(int age, const QString& g, bool withRelays,
                                          bool fuller) const
{
    const bool girls = g == QLatin1String("F");
    QStringList t;
    if (age <= 8) {
        t << "SHD_____60"
          << "SHD_____80";
    } else if (age == 9) {
        t << "SHD_____60"
          << "SHD_____80"
          << "REL4X80___";
    } else if (age <= 11) {
        t << "SHD_____80"
          << "SHD____100"
          << "LOD___1200"
          << "HDL_____70"
          << "JMPHigh___"
          << "JMPLong___"
          << "THRShotput"
          << "REL4X100__";
    } else if (age == 12) {
        t << "SHD____100"
          << "SHD____150"
          << "LOD___1200"
          << "HDL_____75"
          << "HDL____150"
          << "JMPHigh___"
          << "JMPLong___"
          << "THRShotput"
          << "THRDiscus_"
          << "THRJavelin"
          << "REL4X100__";
    } else if (age == 13) {
        t << "SHD____100"
          << "SHD____200"
          << "LOD____800"
          << "LOD___1500" << (girls ? "HDL_____75" : "HDL_____80") << "HDL____200"
          << "JMPHigh___"
          << "JMPLong___"
          << "THRShotput"
          << "THRDiscus_"
          << "THRJavelin"
          << "REL4X100__";
    } else if (age <= 16) {
        t << "SHD____100"
          << "SHD____200"
          << "SHD____400"
          << "LOD____800"
          << "LOD___1500" << (age == 16 ? "HDL____400" : "HDL____300") << "JMPHigh___"
          << "JMPLong___"
          << "THRShotput"
          << "THRDiscus_"
          << "THRJavelin"
          << "REL4X100__";
        if (age < 16)
            t << (girls ? "HDL_____90" : "HDL____100");
        else
            t << (girls ? "HDL____100" : "HDL____110");
        if (!girls)
            t << "LOD___3000";
        if (age == 16 && !girls)
            t << "JMPTripple";
    } else {
        const bool older = age == 23 || age == 25;
        t << "SHD____100"
          << "SHD____200"
          << "SHD____400"
          << "LOD____800"
          << "LOD___1500"
          << "HDL____400"
          << "JMPHigh___"
          << "JMPLong___"
          << "JMPTripple"
          << "THRShotput"
          << "THRDiscus_"
          << "THRJavelin" << (girls ? "HDL____100" : "HDL____110");
        if (age == 17 || older)
            t << (older ? "LOD___5000" : "LOD___3000");
        else
            t << "LOD___3000"
              << "LOD___5000";
        if (!(age == 25 && !girls))
            t << "REL4X100__";
    }
    if (fuller)
        t << clubExtras(age, girls);
    // The list is written in the athletics groups in either edition, so its relays are
    // those groups' relays.
    if (!withRelays)
        t.erase(std::remove_if(t.begin(), t.end(),
                               [](const QString& c) {
                                   return c.startsWith(QLatin1String("REL")) ||
                                          c.startsWith(QLatin1String("SRL"));
                               }),
                t.end());
    return t;
}

QStringList StandardItems::clubExtras(int age, bool girls) const
{
    // What club and championship meetings add to the school programme: road races,
    // walks, the steeplechase, pole vault, hammer and the 4-3-2-1 relay.
    QStringList t;
    if (age < 14) {
        t << "RDR___3000"
          << "WLK___1000";
        return t;
    }
    t << "JMPPole___"
      << "THRHammer_"
      << "REL4_3_2_1";
    if (age <= 15) {
        t << "RDR___5000"
          << "WLK___3000"
          << "STP___1500";
    } else if (age <= 19) {
        t << "RDR__10000"
          << "WLK___5000" << (age <= 17 ? "STP___2000" : "STP___3000");
    } else {
        t << "RDR__10000"
          << "RDR__21100"
          << "LOD__10000"
          << "WLK__10000"
          << "WLK__20000"
          << "STP___3000";
    }
    if (age >= 35)
        t << "THRWeight_";
    if (girls && age >= 16)
        t.removeAll(QStringLiteral("WLK__20000"));
    return t;
}

QStringList StandardItems::itemsForAge(int age, const QString& gender, bool withRelays,
                                       bool fuller) const
{
    QStringList codes;
    for (const QString& type : athleticsTypes(age, gender, withRelays, fuller))
        codes.append(type + gender + ageText(age) + editionMark());
    return codes;
}

StandardItems::Combined StandardItems::combinedEvent(const QString& genderWord, int ageOrGrade,
                                                     const QString& name, bool grades) const
{
    base::Messages& messages = m_items.messages();
    Combined result;
    if (genderWord == QLatin1String("Women") || genderWord == QLatin1String("Girls"))
        result.gender = QStringLiteral("F");
    else if (genderWord == QLatin1String("Boys") || genderWord == QLatin1String("Men"))
        result.gender = QStringLiteral("M");
    static const QList<std::pair<QString, int>> names{{QStringLiteral("Pentathlon"), 5},
                                                      {QStringLiteral("Heptathlon"), 7},
                                                      {QStringLiteral("Octathlon"), 8},
                                                      {QStringLiteral("Decathlon"), 10},
                                                      {QLatin1String(kThrowsPentathlon), 5}};
    for (const auto& [word, count] : names) {
        if (word == name)
            result.count = count;
    }
    if (result.count == 0) {
        messages.internalError(410201, QStringLiteral("Nathlon"));
        return result;
    }
    result.age = grades ? ageOrGrade + 6 : ageOrGrade;
    for (const CombinedRow& row : kCombined) {
        if (result.gender == QLatin1String(row.gender) && row.count == result.count &&
            row.throws == (name == QLatin1String(kThrowsPentathlon)) &&
            std::find(row.ages.begin(), row.ages.end(), result.age) != row.ages.end()) {
            result.events = QString::fromLatin1(row.events).split(QLatin1Char(','));
            return result;
        }
    }
    // Name what the gender has at this age, so that the user can pick it instead.
    QStringList offered;
    for (const CombinedRow& row : kCombined) {
        if (result.gender != QLatin1String(row.gender) ||
            std::find(row.ages.begin(), row.ages.end(), result.age) == row.ages.end())
            continue;
        for (const auto& [word, count] : names) {
            if (count == row.count && row.throws == (word == QLatin1String(kThrowsPentathlon)) &&
                !offered.contains(word))
                offered.append(word);
        }
    }
    QString text = QStringLiteral("Invalid:") + result.gender + " " +
                   QString::number(result.count) + " " + QString::number(result.age);
    if (!offered.isEmpty())
        text += QStringLiteral("\rAt this age there is: ") + offered.join(QStringLiteral(", "));
    messages.warning(text);
    return result;
}

QString StandardItems::combinedItemCode(const QString& eventName, const QString& gender,
                                        int age) const
{
    static const QStringList sprint{"80m", "100m", "200m", "400m"};
    static const QStringList distance{"800m", "1000m", "1500m"};
    static const QStringList hurdles{"60mH", "80mH", "90mH", "100mH", "110mH"};
    static const QStringList fieldNames{"LJ", "HJ", "PV", "SP", "DT", "JT", "HT", "WT"};
    static const QStringList fieldTypes{"Long___", "High___", "Pole___", "Shotput",
                                        "Discus_", "Javelin", "Hammer_", "Weight_"};
    QString group;
    QString type;
    if (sprint.contains(eventName) || distance.contains(eventName) || hurdles.contains(eventName)) {
        group = sprint.contains(eventName)     ? QStringLiteral("SHD")
                : distance.contains(eventName) ? QStringLiteral("LOD")
                                               : QStringLiteral("HDL");
        type = QString(eventName).remove(QLatin1Char('H')).remove(QLatin1Char('m'));
        type = type.rightJustified(7, QLatin1Char('_'));
    } else if (fieldNames.contains(eventName)) {
        const int i = int(fieldNames.indexOf(eventName));
        group = i < 3 ? QStringLiteral("JMP") : QStringLiteral("THR");
        type = fieldTypes[i];
    } else {
        m_items.messages().internalError(410203, QStringLiteral("Invalid item:") + eventName);
        return QString();
    }
    return group + type + gender + ageText(age) + editionMark();
}

QString StandardItems::editionMark() const
{
    return m_items.isSwimming() ? QStringLiteral("W") : QString();
}

std::optional<StandardItems::CombinedTitle> StandardItems::parseCombinedTitle(const QString& title)
{
    const QStringList words = title.simplified().split(QLatin1Char(' '));
    if (words.size() < 3)
        return std::nullopt;
    bool ok = false;
    const int number = words[1].toInt(&ok);
    if (!ok || number <= 0)
        return std::nullopt;
    return CombinedTitle{words[0], number, words.mid(2).join(QLatin1Char(' '))};
}

QList<int> StandardItems::veteranBands(const QString& gender)
{
    QList<int> bands;
    for (int age = gender == QLatin1String("F") ? 30 : 35; age <= 95; age += 5)
        bands.append(age);
    return bands;
}

bool StandardItems::isVeteranAge(const QString& gender, int age)
{
    return age < 99 && age >= veteranBands(gender).first();
}

} // namespace draw
