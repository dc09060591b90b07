#include "meeting/itemtypes.h"

#include "base/appglobals.h"
#include "base/messages.h"
#include "meeting/itemvocabulary.h"

namespace meeting {

namespace {

constexpr QChar kCR = QLatin1Char('\r');

bool isOneOf(const QString& text, std::initializer_list<const char*> words)
{
    for (const char* w : words) {
        if (text == QLatin1String(w))
            return true;
    }
    return false;
}

const std::initializer_list<const char*> kAthleticsRelays{"REL", "SRL"};
const std::initializer_list<const char*> kSwimmingRelays{"F_R", "R_R", "K_R", "U_R", "M_R", "RLD"};

// A whole number of up to nine digits, nothing else.
std::optional<int> wholeNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    int n = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

struct FormatInfo {
    const char* mask;
    const char* name;
};

// Indexed by format number; format 5 is not used.
const FormatInfo kFormats[] = {
    {"", ""},
    {"9:99:99.99", "hours:minutes:seconds.decimals"},
    {"99:99.99", "minutes:seconds.decimals"},
    {"9:99.99", "minutes:seconds.decimals"},
    {"99.99", "seconds.decimals"},
    {"", ""},
    {"99.99", "meters.decimals"},
    {"9.99", "meters.decimals"},
    {"99999", "total table score"},
};

const FormatInfo* formatInfo(int format)
{
    if (format < 1 || format > 8 || format == 5)
        return nullptr;
    return &kFormats[format];
}

} // namespace

Edition editionOf(const QString& applicationCode)
{
    return applicationCode == QLatin1String(base::kAthleticsCode) ? Edition::Athletics
                                                                  : Edition::Swimming;
}

QString editionName(Edition edition)
{
    return edition == Edition::Athletics ? QStringLiteral("athletics") : QStringLiteral("swimming");
}

ItemTypes::ItemTypes(Edition edition, base::Messages& messages)
    : m_edition(edition), m_messages(messages)
{
}

// --- item codes ------------------------------------------------------------------------

QString ItemTypes::ItemPart(const QString& itemCode, int part) const
{
    switch (part) {
    case 1:
        return itemCode.left(3);
    case 2:
        return itemCode.mid(3, 7);
    case 3:
        if (itemCode.size() < 13)
            m_messages.internalError(20001, QStringLiteral("Itemcode too short: ") + itemCode);
        return itemCode.mid(11, 2);
    case 4:
        if (itemCode.size() < 11)
            m_messages.internalError(20002, QStringLiteral("Itemcode too short"));
        return itemCode.mid(10, 1);
    case 5:
        return isOneOf(itemCode.left(3), {"JMP", "THR", "NTH"}) ? QStringLiteral("F")
                                                                : QStringLiteral("T");
    case 6: {
        if (itemCode.size() <= 13)
            return {};
        QString classCode = itemCode.mid(13);
        classCode.remove(QLatin1Char('X')).remove(QLatin1Char('W')).remove(QLatin1Char('Z'));
        classCode = classCode.trimmed();
        if (!classCode.isEmpty() && !QStringLiteral("FTP").contains(classCode.front()))
            m_messages.internalError(20003, QStringLiteral("Invalid disability code: ") + itemCode);
        return classCode;
    }
    default:
        m_messages.internalError(20004, QStringLiteral("Invalid itemcode portion number:") +
                                            QString::number(part));
        return {};
    }
}

bool ItemTypes::IsFieldItem(const QString& itemCode) const
{
    return ItemTrackOrField(itemCode) == QLatin1String("F");
}

bool ItemTypes::IsVerticalJump(const QString& itemCode) const
{
    return IsJump(itemCode) && isOneOf(ItemType(itemCode), {"High___", "Pole___"});
}

bool ItemTypes::IsPoleVault(const QString& itemCode) const
{
    return itemCode.left(10) == QLatin1String("JMPPole___");
}

bool ItemTypes::IsJump(const QString& itemCode) const
{
    return ItemGroup(itemCode) == QLatin1String("JMP");
}

bool ItemTypes::IsThrow(const QString& itemCode) const
{
    return ItemGroup(itemCode) == QLatin1String("THR");
}

bool ItemTypes::IsNathlon(const QString& itemCode) const
{
    return ItemGroup(itemCode) == QLatin1String("NTH");
}

bool ItemTypes::IsRelayGroup(const QString& group) const
{
    if (group.size() != 3) {
        m_messages.internalError(
            20005, QStringLiteral("This function expects a group, 3chars, not: ") + group);
        return false;
    }
    return isOneOf(group, isSwimming() ? kSwimmingRelays : kAthleticsRelays);
}

bool ItemTypes::IsMixedAgeOrVeteran(const QString& itemCode) const
{
    const QString age = ItemAge(itemCode);
    if (!wholeNumber(age)) {
        m_messages.internalError(20006, QStringLiteral("Invalid age:") + age);
        return false;
    }
    return age == QLatin1String("99") || age > QLatin1String("35");
}

QString ItemTypes::ItemAgeClass(const QString& itemCode, int dividingAge) const
{
    if (dividingAge == 0) {
        m_messages.internalError(
            20007, QStringLiteral("The deviding age between Younger and Older is not defined"));
    }
    const int age = wholeNumber(ItemAge(itemCode)).value_or(0);
    return age >= dividingAge ? QStringLiteral("Senior") : QStringLiteral("Junior");
}

int ItemTypes::TrackDistance(const QString& itemCode) const
{
    if (IsFieldItem(itemCode)) {
        m_messages.internalError(
            20008, QStringLiteral("Only get the distance for items that you know is track items.") +
                       kCR + QStringLiteral("Not a track event:") + itemCode);
        return 0;
    }
    const QString group = ItemGroup(itemCode);
    QString type = ItemType(itemCode);
    if (isOneOf(group, kSwimmingRelays) || isOneOf(group, kAthleticsRelays) ||
        group == QLatin1String("I_M")) {
        if (const vocabulary::MedleyRelay* medley = vocabulary::findMedleyRelay(type))
            return medley->metres;
        if (type == QLatin1String("4X1MILE"))
            return 7040;
        const QStringList parts = type.remove(QLatin1Char('_')).split(QLatin1Char('X'));
        std::optional<int> legs;
        std::optional<int> length;
        if (parts.size() == 2) {
            legs = wholeNumber(parts[0]);
            length =
                wholeNumber(parts[1].startsWith(QLatin1Char('M')) ? parts[1].mid(1) : parts[1]);
        }
        if (!legs || !length || *legs > 99) {
            m_messages.internalError(20009,
                                     QStringLiteral("Relay could not be translated: ") + itemCode);
            return 0;
        }
        return *legs * *length;
    }
    if (isOneOf(group, {"SLM", "XCN", "BIA"}))
        return 0;
    const std::optional<int> metres = wholeNumber(type.remove(QLatin1Char('_')));
    if (!metres) {
        m_messages.internalError(
            20010, QStringLiteral("The distance of the item cannot be read: ") + itemCode);
        return 0;
    }
    return *metres;
}

int ItemTypes::WindKind(const QString& itemCode) const
{
    if (IsFieldItem(itemCode))
        return IsJump(itemCode) && isOneOf(ItemType(itemCode), {"Long___", "Tripple"}) ? 2 : 0;
    return !IsNathlon(itemCode) && TrackDistance(itemCode) < 201 ? 1 : 0;
}

// --- performance formats -----------------------------------------------------------------

bool ItemTypes::isSwimmingItem(const QString& itemCode) const
{
    return itemCode.size() >= 14 && itemCode.at(13) == QLatin1Char('W');
}

int ItemTypes::PerfFormatOf(const QString& itemCode) const
{
    if (isSwimmingItem(itemCode)) {
        if (!isSwimming()) {
            m_messages.internalError(20012,
                                     QStringLiteral("The Itemcode end in \"W\"") + kCR + itemCode);
        }
        // Combined events and the field items of a standard list keep their own formats
        // when a swimming meeting offers them.
        if (IsFieldItem(itemCode))
            return athleticsFormat(itemCode);
        const int d = TrackDistance(itemCode);
        if (d < 26)
            return 4;
        if (d >= 3000)
            return 1;
        if (d >= 500)
            return 2;
        return 3;
    }
    if (isSwimming() && !m_reportedMissingW) {
        m_reportedMissingW = true;
        m_messages.internalError(20011,
                                 QStringLiteral("We will not pop this up again") + kCR + itemCode +
                                     QStringLiteral("The Itemcode does not end in \"W\"") + kCR);
    }
    return athleticsFormat(itemCode);
}

int ItemTypes::athleticsFormat(const QString& itemCode) const
{
    const QString group = ItemGroup(itemCode);
    if (group == QLatin1String("NTH"))
        return 8;
    if (group == QLatin1String("SLM"))
        return 2;
    if (group == QLatin1String("THR"))
        return 6;
    if (ItemType(itemCode) == QLatin1String("Tripple"))
        return 6;
    if (group == QLatin1String("JMP"))
        return 7;

    const bool classItem = itemCode.size() >= 14 && itemCode.at(13) == QLatin1Char('X');
    if (!classItem) {
        if (group == QLatin1String("WLK"))
            return TrackDistance(itemCode) > 5000 ? 1 : 2;
        if (group.size() == 3 && IsRelayGroup(group)) {
            const int d = TrackDistance(itemCode);
            if (d < 301)
                return 4;
            if (d > 6000) {
                // How such a relay should be written is not settled; the rule of the
                // other long relays is the nearest.
                m_messages.internalError(20013, QStringLiteral("Invalid relay: ") + itemCode);
                return 2;
            }
            return d > 1400 ? 2 : 3;
        }
        if (group == QLatin1String("XCN") || group == QLatin1String("BIA"))
            return 2;
        const int d = TrackDistance(itemCode);
        const int age = wholeNumber(ItemAge(itemCode)).value_or(0);
        if (d < 251 || (d < 301 && age >= 15))
            return 4;
        if (d > 1400)
            return d >= 20000 ? 1 : 2;
        return 3;
    }

    const int d = TrackDistance(itemCode);
    if (group == QLatin1String("SCT")) {
        if (d > 800)
            m_messages.internalError(20014, QStringLiteral("Invalid scooter: ") + itemCode);
        return 3;
    }
    if (group == QLatin1String("REL")) {
        if (d > 1600)
            m_messages.internalError(20015, QStringLiteral("Invalid disabled relay: ") + itemCode);
        return 3;
    }
    if (d < 100)
        return 4;
    if (d > 42200) {
        m_messages.internalError(20016, QStringLiteral("Invalid disbaled running: ") + itemCode);
        return 2;
    }
    return d >= 800 ? 2 : 3;
}

QString ItemTypes::formatMask(int format)
{
    const FormatInfo* info = formatInfo(format);
    return info ? QString::fromLatin1(info->mask) : QString();
}

QString ItemTypes::formatMaxText(int format)
{
    return formatMask(format).replace(QLatin1String(":99"), QLatin1String(":59"));
}

QString ItemTypes::formatName(int format)
{
    const FormatInfo* info = formatInfo(format);
    return info ? QString::fromLatin1(info->name) : QString();
}

} // namespace meeting
