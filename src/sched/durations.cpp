#include "sched/durations.h"

#include "base/messages.h"
#include "meeting/itemtypes.h"

#include <algorithm>
#include <cmath>

namespace sched {

namespace {

const QStringList& swimmingGroups()
{
    static const QStringList groups{"FRE", "BRE", "BCK", "BFL", "I_M", "KBD",
                                    "F_R", "R_R", "K_R", "U_R", "M_R", "RLD"};
    return groups;
}

const QStringList& runningGroups()
{
    static const QStringList groups{"SHD", "LOD", "RDR", "RDW", "STP", "REL", "SRL",
                                    "WLK", "XCN", "BIA", "KBK", "PRM", "SCT", "SLM"};
    return groups;
}

// Hurdles are long from 141 m on (200 m to 400 m hurdles); shorter ones are sprints.
constexpr int kLongHurdles = 141;

bool isSwimmingItem(const QString& itemCode)
{
    return itemCode.size() >= 14 && itemCode.at(13) == QLatin1Char('W');
}

} // namespace

QString durationText(double days)
{
    const qint64 seconds = std::llround(days * 86400.0);
    return QString::number(seconds / 60) + QLatin1Char(':') +
           QString::number(seconds % 60).rightJustified(2, QLatin1Char('0'));
}

QStringList defaultTrackOrder(bool swimming)
{
    // Swimming follows the order of the medley with relays last; athletics starts with the
    // sprint hurdles while the hurdles are out, then runs from the sprints to the long races.
    return swimming
               ? QStringList{"BFL", "BCK", "BRE", "FRE", "I_M", "KBD",
                             "M_R", "F_R", "R_R", "K_R", "U_R", "RLD"}
               : QStringList{"HDL_SHORT", "SHD", "HDL_LONG", "STP", "SCT", "LOD", "RDR", "RDW",
                             "WLK",       "XCN", "BIA",      "KBK", "PRM", "SLM", "REL", "SRL"};
}

bool Durations::rejectNathlon(const QString& itemCode) const
{
    if (!m_items.IsNathlon(itemCode))
        return false;
    m_items.messages().internalError(1001001,
                                     QStringLiteral("Test for n-Athlon before you get here"));
    return true;
}

int Durations::distance(const QString& itemCode) const
{
    return m_items.IsFieldItem(itemCode) ? 0 : m_items.TrackDistance(itemCode);
}

int Durations::hurdleHeight(const QString& itemCode) const
{
    if (m_items.ItemGroup(itemCode) != QLatin1String("HDL"))
        return 0;
    // Mixed and open ages ("99") run over the seniors' hurdles, which are the highest.
    const int age = std::min(m_items.ItemAge(itemCode).toInt(), 20);
    return 2 * age + (m_items.ItemGender(itemCode) == QLatin1String("M") ? 1 : 0);
}

int Durations::fieldAttempts(const QString& round, int athletes, int setTwoCount) const
{
    if (round == QLatin1String("F"))
        return 3 * (athletes + std::min(std::max(setTwoCount, 0), athletes));
    if (round != QLatin1String("A")) {
        m_items.messages().internalError(
            7234, QStringLiteral("At this stage the program only caters for one round and a "
                                 "final\rin field events.  The program will give all athletes "
                                 "three throws\rin all rounds before the final.  If you need a "
                                 "round before\ra, please please let the programmer know."));
    }
    return 3 * athletes;
}

double Durations::rowDuration(const QString& itemCode, const QString& round, int athletes,
                              int setTwoCount) const
{
    if (rejectNathlon(itemCode))
        return 0;
    if (m_items.IsFieldItem(itemCode)) {
        // Reported before packing: an unknown field takes a minute.
        if (athletes <= 0)
            return kMinute;
        TimeParam perAttempt = TimeParam::OtherThrows;
        if (m_items.IsJump(itemCode))
            perAttempt =
                m_items.IsVerticalJump(itemCode) ? TimeParam::VertJumps : TimeParam::HorzJumps;
        else if (m_items.ItemType(itemCode) == QLatin1String("Shotput"))
            perAttempt = TimeParam::Shotput;
        return fieldAttempts(round, athletes, setTwoCount) * m_params.days(perAttempt);
    }
    if (isSwimmingItem(itemCode)) {
        // Younger swimmers are slower: 28% per 7 years below 17. Older ones (and mixed
        // ages, "99") swim at the rate of 17, which keeps the estimate positive.
        const int age = std::min(m_items.ItemAge(itemCode).toInt(), 17);
        const double seconds = distance(itemCode) * (100.0 + 28.0 * (17 - age) / 7.0) / 100.0;
        return seconds / 86400.0;
    }
    QString measured = itemCode;
    const QString age = m_items.ItemAge(itemCode);
    if (age == QLatin1String("99") || age > QLatin1String("35"))
        measured = itemCode.left(11) + QStringLiteral("70") + itemCode.mid(13);
    double metres = distance(measured);
    if (m_items.ItemGroup(itemCode) == QLatin1String("WLK"))
        metres *= 2;
    return m_params.days(TimeParam::Per1500m) * metres / 1500.0;
}

double Durations::changeover(const QString& firstItem, const QString& secondItem) const
{
    const int d1 = distance(firstItem);
    const int d2 = distance(secondItem);
    double starter = 0;
    if (d1 > 0 && d2 > 0 && std::abs(d1 - d2) % 400 >= 21)
        starter = m_params.days(TimeParam::MoveStarter);
    double hurdles = 0;
    const QLatin1String hdl("HDL");
    if (m_items.ItemGroup(firstItem) == hdl || m_items.ItemGroup(secondItem) == hdl) {
        // The height and spacing of the hurdles follow the gender and age of the item.
        const bool sameHurdles = d1 == d2 && firstItem.mid(10, 3) == secondItem.mid(10, 3);
        if (!sameHurdles)
            hurdles = m_params.days(std::max(d1, d2) >= kLongHurdles ? TimeParam::LongHurdles
                                                                     : TimeParam::ShortHurdles);
    }
    return std::max({starter, hurdles, m_params.days(TimeParam::Gap)});
}

RestClass Durations::restClass(const QString& itemCode) const
{
    if (m_items.IsFieldItem(itemCode))
        return m_items.ItemGroup(itemCode) == QLatin1String("JMP") ? RestClass::Jump
                                                                   : RestClass::Throw;
    return distance(itemCode) < 501 ? RestClass::Short : RestClass::Long;
}

QString Durations::stationType(const QString& itemCode, qint64 programNo) const
{
    if (rejectNathlon(itemCode))
        return QString();
    const QString group = m_items.ItemGroup(itemCode);
    QString type;
    if (group == QLatin1String("JMP") || group == QLatin1String("THR"))
        type = itemCode.left(10);
    else
        type = QStringLiteral("Track__");
    if (type.trimmed().isEmpty())
        m_items.messages().internalError(1001002, QStringLiteral("Empty StationType for ") +
                                                      itemCode + QLatin1Char(' ') +
                                                      QString::number(programNo));
    return type;
}

QString Durations::trackType(const QString& itemCode) const
{
    if (rejectNathlon(itemCode) || m_items.IsFieldItem(itemCode))
        return QString();
    const QString group = m_items.ItemGroup(itemCode);
    if (m_items.isSwimming()) {
        if (!swimmingGroups().contains(group))
            m_items.messages().internalError(1001003, QStringLiteral("Invalid group: ") + itemCode);
        return group;
    }
    if (group == QLatin1String("HDL"))
        return distance(itemCode) >= kLongHurdles ? QStringLiteral("HDL_LONG")
                                                  : QStringLiteral("HDL_SHORT");
    if (!runningGroups().contains(group))
        m_items.messages().internalError(1001004, QStringLiteral("Invalid group") + group);
    return group;
}

} // namespace sched
