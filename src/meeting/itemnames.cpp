// The names of items: group and type lists, relay legs and item descriptions.

#include "meeting/itemcodecheck.h"
#include "meeting/itemtypes.h"

#include "base/messages.h"
#include "meeting/itemvocabulary.h"

namespace meeting {

namespace {

constexpr int kMinimumAge = 2;
constexpr int kMaximumAge = 95;

bool isTwoDigits(const QString& text)
{
    return text.size() == 2 && text[0].isDigit() && text[1].isDigit() && text[0].unicode() < 128 &&
           text[1].unicode() < 128;
}

} // namespace

QString ItemTypes::ItemGroups(bool afrikaans) const
{
    QStringList fields;
    for (const vocabulary::Group& g : vocabulary::groups(m_edition)) {
        fields << QString::fromLatin1(g.code)
               << QString::fromLatin1(afrikaans ? g.afrikaans : g.english);
    }
    return fields.join(QLatin1Char(';'));
}

QString ItemTypes::ZItemSubTypes(const QString& group, bool) const
{
    const QList<vocabulary::Type>* types = vocabulary::typesOf(group);
    if (!types) {
        m_messages.internalError(20030,
                                 QStringLiteral("Invalid ItemGroup for ZItemSubTypes: ") + group);
        return {};
    }
    QStringList fields;
    for (const vocabulary::Type& t : *types)
        fields << t.code << t.name;
    return fields.join(QLatin1Char(';'));
}

QString ItemTypes::RelayLegs(const QString& itemCode) const
{
    const QString type = ItemType(itemCode);
    if (const vocabulary::MedleyRelay* medley = vocabulary::findMedleyRelay(type))
        return QString::fromLatin1(medley->legs);
    if (type == QLatin1String("4X1MILE"))
        return QStringLiteral("4x1760");
    // "4X100__" is "4x100": legs, "x" and the leg's metres.
    const QStringList parts = QString(type).remove(QLatin1Char('_')).split(QLatin1Char('X'));
    bool legsOk = false;
    bool lengthOk = false;
    if (parts.size() == 2) {
        const int legs = parts[0].toInt(&legsOk);
        const int length = parts[1].toInt(&lengthOk);
        legsOk = legsOk && legs > 0 && QString::number(legs) == parts[0];
        lengthOk = lengthOk && length > 0 && QString::number(length) == parts[1];
    }
    if (!legsOk || !lengthOk) {
        m_messages.internalError(20031, QStringLiteral("Invalid relay type: ") + type);
        return {};
    }
    return parts[0] + QLatin1Char('x') + parts[1];
}

QString ItemTypes::GenderText(const QString& gender, bool afrikaans) const
{
    if (gender == QLatin1String("M"))
        return afrikaans ? QStringLiteral("Manlik") : QStringLiteral("Male");
    if (gender == QLatin1String("F"))
        return afrikaans ? QStringLiteral("Vroulik") : QStringLiteral("Female");
    if (gender == QLatin1String("T"))
        return QStringLiteral("2Gender");
    m_messages.internalError(20032, QStringLiteral("Invalid gender: ") + gender);
    return QStringLiteral("Invalid");
}

QString ItemTypes::GenderAgeText(const QString& itemCode, bool afrikaans) const
{
    const QString gender = GenderText(ItemGender(itemCode), afrikaans);
    const QString age = ItemAge(itemCode);
    if (age == QLatin1String("99"))
        return gender + QStringLiteral(" Mixed Ages");
    if (!isTwoDigits(age)) {
        m_messages.internalError(20033, QStringLiteral("Invalid age: ") + age);
    } else if (age.toInt() < kMinimumAge || age.toInt() > kMaximumAge) {
        m_messages.internalError(20034, QStringLiteral("Invalid Age: ") + age);
    }
    return age + QLatin1Char(' ') + gender;
}

QString ItemTypes::typeName(const QString& itemCode) const
{
    const QString group = ItemGroup(itemCode);
    const QString type = ItemType(itemCode);
    if (const vocabulary::MedleyRelay* medley = vocabulary::findMedleyRelay(type);
        medley && group == QLatin1String("REL")) {
        return QString::fromLatin1(medley->name) + QStringLiteral(" Relay");
    }
    const QList<vocabulary::Type>* types = vocabulary::typesOf(group);
    if (!types) {
        m_messages.internalError(20035,
                                 QStringLiteral("Invalid ItemGroup for ZItemSubTypes: ") + group);
        return QString(type).remove(QLatin1Char('_'));
    }
    for (const vocabulary::Type& t : *types) {
        if (t.code == type)
            return t.name;
    }
    // A type outside the list (an older meeting's item): its code is the best name.
    return QString(type).remove(QLatin1Char('_'));
}

QString ItemTypes::CanonicalItemCode(const QString& typed) const
{
    QString code = typed.trimmed().toUpper();
    if (code.size() < 10)
        return code;
    if (const QList<vocabulary::Type>* types = vocabulary::typesOf(code.left(3))) {
        for (const vocabulary::Type& t : *types) {
            if (t.code.compare(code.mid(3, 7), Qt::CaseInsensitive) == 0) {
                code.replace(3, 7, t.code);
                break;
            }
        }
    }
    return code;
}

QString ItemTypes::ItemDescription(const QString& itemCode, bool afrikaans) const
{
    return typeName(itemCode) + QLatin1Char(' ') + GenderAgeText(itemCode, afrikaans);
}

QString itemCodeProblem(Edition edition, const QString& itemCode)
{
    if (itemCode.size() < 13)
        return QStringLiteral("an item code has at least 13 characters");
    const QString group = itemCode.left(3);
    bool known = false;
    for (const vocabulary::Group& g : vocabulary::groups(edition))
        known = known || group == QLatin1String(g.code);
    if (!known)
        return QStringLiteral("the group \"") + group + QStringLiteral("\" is not one of ") +
               (edition == Edition::Swimming ? QStringLiteral("the swimming groups")
                                             : QStringLiteral("the athletics groups"));
    const QString gender = itemCode.mid(10, 1);
    if (gender != QLatin1String("M") && gender != QLatin1String("F") &&
        gender != QLatin1String("T"))
        return QStringLiteral("the gender \"") + gender + QStringLiteral("\" is not M, F or T");
    const QString age = itemCode.mid(11, 2);
    if (age != QLatin1String("99") &&
        (!isTwoDigits(age) || age.toInt() < kMinimumAge || age.toInt() > kMaximumAge))
        return QStringLiteral("the age \"") + age + QStringLiteral("\" is not from ") +
               QString::number(kMinimumAge).rightJustified(2, QLatin1Char('0')) +
               QStringLiteral(" to ") + QString::number(kMaximumAge) + QStringLiteral(" or 99");
    return {};
}

} // namespace meeting
