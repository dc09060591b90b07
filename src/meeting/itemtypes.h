#pragma once

#include "meeting/edition.h"

#include <QString>

#include <optional>

namespace base {
class Messages;
}

namespace meeting {

// The item-code grammar and the performance texts of one edition.
//
// An item code is group (3) + type (7) + gender (1) + age (2) + an optional suffix: "W" on
// every swimming item, a disability class after "X" in athletics. Every item has one of
// seven performance formats; its canonical text is fixed-width and zero-padded so that the
// database orders the performances of one item as text (ascending for times, descending
// for field items).
//
// Every operation is a pure function of its arguments and the edition, except that states
// a caller should have filtered out are reported as internal errors (and the operation
// goes on with what it has), and the checks of typed texts show their messages. Nothing
// here throws: text that is not a number comes back as an empty optional or false.
//
// One object per run: it remembers that the swimming edition has reported an item code
// without "W", which is reported once per run only. Item-code operations are in
// itemtypes.cpp, the vocabulary in itemnames.cpp, performance texts in performances.cpp.
class ItemTypes {
public:
    ItemTypes(Edition edition, base::Messages& messages);

    Edition edition() const { return m_edition; }
    bool isSwimming() const { return m_edition == Edition::Swimming; }
    base::Messages& messages() const { return m_messages; }

    // --- item codes ---
    // Part 1 group, 2 type, 3 age, 4 gender, 5 track or field, 6 class code.
    QString ItemPart(const QString& itemCode, int part) const;
    QString ItemGroup(const QString& itemCode) const { return ItemPart(itemCode, 1); }
    QString ItemType(const QString& itemCode) const { return ItemPart(itemCode, 2); }
    QString ItemGender(const QString& itemCode) const { return ItemPart(itemCode, 4); }
    QString ItemAge(const QString& itemCode) const { return ItemPart(itemCode, 3); }
    QString ItemTrackOrField(const QString& itemCode) const { return ItemPart(itemCode, 5); }
    bool IsFieldItem(const QString& itemCode) const;
    bool IsTrackItem(const QString& itemCode) const { return !IsFieldItem(itemCode); }
    bool IsVerticalJump(const QString& itemCode) const;
    bool IsPoleVault(const QString& itemCode) const;
    bool IsJump(const QString& itemCode) const;
    bool IsThrow(const QString& itemCode) const;
    bool IsNathlon(const QString& itemCode) const;
    // `group` is a group code of exactly three characters.
    bool IsRelayGroup(const QString& group) const;
    bool IsMixedAgeOrVeteran(const QString& itemCode) const;
    // "Senior" from the dividing age on, else "Junior".
    QString ItemAgeClass(const QString& itemCode, int dividingAge) const;
    // Metres of a track item; 0 for the groups without a distance.
    int TrackDistance(const QString& itemCode) const;
    // 0 no wind, 1 one reading per race, 2 one reading per jump.
    int WindKind(const QString& itemCode) const;

    // --- performance formats ---
    // 1 h:mm:ss.dd, 2 mm:ss.dd, 3 m:ss.dd, 4 ss.dd, 6 metres 00.00, 7 metres 0.00, 8 points.
    int PerfFormatOf(const QString& itemCode) const;
    QString PerfMask(const QString& itemCode) const { return formatMask(PerfFormatOf(itemCode)); }
    QString PerfMaxText(const QString& itemCode) const
    {
        return formatMaxText(PerfFormatOf(itemCode));
    }
    QString PerfFormatName(const QString& itemCode) const
    {
        return formatName(PerfFormatOf(itemCode));
    }
    // The same by format number; empty for a number that is no format.
    static QString formatMask(int format);
    static QString formatMaxText(int format);
    static QString formatName(int format);
    // True for the formats whose lower value is better.
    static bool isTimeFormat(int format) { return format >= 1 && format <= 4; }

    // --- performance texts ---
    // Nothing but blanks, ":", ".", "0", "-" and "+".
    static bool PerfIsBlank(const QString& text);
    static bool PerfLooksValid(const QString& text);
    // Seconds, metres or points; empty when the text is not a number.
    std::optional<double> PerfTextToValue(const QString& text) const;
    QString PerfValueToText(const QString& itemCode, double value, bool withThirdDigit) const;
    QString formatPerfValue(int format, double value, bool withThirdDigit) const;
    // The canonical text of the same value; empty when the text is empty or not a
    // performance (both reported).
    std::optional<QString> NormalisePerf(const QString& itemCode, const QString& text) const;
    // True when the text is exactly canonical and within the largest value.
    bool CheckPerfFormat(const QString& itemCode, const QString& text, bool showMessages) const;
    static QString FixDecimalComma(const QString& text);
    // Refines a two-decimal time by the third timing digit ("0" keeps it).
    QString AddThirdDigit(const QString& itemCode, const QString& text, const QString& digit) const;
    static bool WindIsEmpty(const QString& text);
    bool CheckWindText(const QString& text, bool showMessages) const;

    // --- names ---
    // "code;name;code;name..." of the edition's groups.
    QString ItemGroups(bool afrikaans) const;
    // "type;name;type;name..." of a group of either edition. The type names exist in
    // English only.
    QString ZItemSubTypes(const QString& group, bool afrikaans) const;
    // A typed item code in its own spelling: "jmphigh___f25" is JMPHigh___F25. Group,
    // gender and suffix are upper case; a named type takes its case from the group's list.
    QString CanonicalItemCode(const QString& typed) const;
    // "4x100", "4x1760", or the legs of a medley relay ("100,200,300,400").
    QString RelayLegs(const QString& itemCode) const;
    // The type's display name followed by the age and gender ("100m Freestyle 19 Male").
    QString ItemDescription(const QString& itemCode, bool afrikaans) const;
    // "Male", "Female", "2Gender" (Afrikaans "Manlik", "Vroulik"); "Invalid" otherwise.
    QString GenderText(const QString& gender, bool afrikaans) const;
    // "19 Male", or "Male Mixed Ages" for age "99".
    QString GenderAgeText(const QString& itemCode, bool afrikaans) const;

private:
    bool isSwimmingItem(const QString& itemCode) const;
    int athleticsFormat(const QString& itemCode) const;
    QString typeName(const QString& itemCode) const;

    Edition m_edition;
    base::Messages& m_messages;
    mutable bool m_reportedMissingW = false;
};

} // namespace meeting
