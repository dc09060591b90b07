#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace base {
class Messages;
class Run;
} // namespace base

namespace sched {

// How long a competitor needs to recover depends on what kind of event was swum (or run)
// and what comes next. In the order of the guideline grid.
enum class RestClass { Long = 0, Short = 1, Throw = 2, Jump = 3 };
inline constexpr int kRestClassCount = 4;
inline constexpr int kGuidelineCount = kRestClassCount * kRestClassCount;
inline constexpr int kFirstGuidelinePosition = 11;
inline constexpr int kLastGuidelinePosition = 26;

// "LONG", "SHORT", "THROW", "JUMP".
QString restClassName(RestClass c);
// "Long", "Short", "Throw", "Jump" as the grid labels them.
QString restClassLabel(RestClass c);
// The guideline of a pair of classes: its index 0..15 and its position 11..26 in the list.
inline int guidelineIndex(RestClass first, RestClass second)
{
    return int(first) * kRestClassCount + int(second);
}
// The pair's name of eleven characters: "Long ,Short", "Short,Long ".
QString guidelinePairName(int index);
// "Short,Long", "short-long", "SHORT LONG" or a position 11..26; empty when none.
std::optional<int> guidelineIndexByName(const QString& name);

// Reads a guideline as whole minutes: blanks trimmed, empty or "." reads 0, a trailing "."
// is dropped; any other text is the internal error "Not integer:" and reads 0.
int guidelineMinutes(const QString& text, base::Messages& messages);
// Why a typed guideline cannot be stored; empty when it can.
QString checkGuideline(int index, const QString& text);

// The sixteen resting guidelines of a meeting, kept at positions 11 to 26 of CONFIGOTHER.
class RestGuidelines {
public:
    static RestGuidelines fromConfig(const QString& configOther);
    static RestGuidelines preset(bool fast);

    const QString& text(int index) const { return m_texts[index]; }
    void setText(int index, const QString& text) { m_texts[index] = text.trimmed(); }
    // The desired rest of a pair in whole minutes.
    int minutes(RestClass first, RestClass second, base::Messages& messages) const
    {
        return guidelineMinutes(m_texts[guidelineIndex(first, second)], messages);
    }
    // The names of the empty guidelines ("Long ,Long " ...).
    QStringList emptyPairs() const;
    // The list extended to 26 separators with the sixteen values in their positions.
    QString storedIn(const QString& configOther) const;

private:
    std::array<QString, kGuidelineCount> m_texts;
};

RestGuidelines restGuidelinesOf(base::Run& run);
// Checks every value and stores the list in the current meeting; nothing is written when
// one is refused (its message is shown).
bool storeRestGuidelines(base::Run& run, const RestGuidelines& guidelines);
// "Empty Resting Guidelines": true when none is empty; otherwise the list is shown.
bool checkNoEmptyGuidelines(base::Run& run);

} // namespace sched
