#include "base/asknumber.h"

#include "base/messages.h"

namespace base {

std::optional<int> askWholeNumber(Messages& messages, const QString& prompt, const QString& initial)
{
    QString text = initial;
    if (!messages.askText(prompt, &text))
        return std::nullopt;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        messages.warning(QStringLiteral("Not a number:") + text);
        return std::nullopt;
    }
    return value;
}

} // namespace base
