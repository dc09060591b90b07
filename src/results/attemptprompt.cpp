#include "results/attemptprompt.h"

namespace results {

QStringList attemptPromptNames()
{
    return {QStringLiteral("Performance and Wind"), QStringLiteral("Performance only"),
            QStringLiteral("Wind only")};
}

QString attemptPromptName(AttemptPrompt prompt)
{
    return attemptPromptNames().value(int(prompt));
}

AttemptPrompt attemptPromptOf(const QString& stored)
{
    const qsizetype i = attemptPromptNames().indexOf(stored.trimmed());
    return i > 0 ? AttemptPrompt(i) : AttemptPrompt::PerformanceAndWind;
}

} // namespace results
