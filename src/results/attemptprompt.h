#pragma once

#include <QString>
#include <QStringList>

namespace results {

// What the attempt dialog of a jump with wind asks for (the user option WINDITEM_PROMPT_WHAT,
// kept by name): the mark and its wind together; the mark alone, the winds typed later from
// the wind gauge's sheet; or the wind alone, for marks that were typed already.
enum class AttemptPrompt { PerformanceAndWind, PerformanceOnly, WindOnly };

inline const QString kAttemptPromptOption = QStringLiteral("WINDITEM_PROMPT_WHAT");

// The names in the order a list offers them.
QStringList attemptPromptNames();
QString attemptPromptName(AttemptPrompt prompt);
// The stored name read back; "Performance and Wind" when unset or unknown.
AttemptPrompt attemptPromptOf(const QString& stored);

} // namespace results
