#include "results/fieldmarks.h"

#include "base/messages.h"
#include "meeting/itemtypes.h"

#include <QRegularExpression>

namespace results {

std::optional<QString> readFieldMark(const meeting::ItemTypes& items, const QString& itemCode,
                                     const QString& typed, base::Messages& messages)
{
    static const QRegularExpression metres(QStringLiteral("^\\d{1,3}(\\.\\d{1,2})?$"));
    const QString text = meeting::ItemTypes::FixDecimalComma(typed.trimmed());
    if (!metres.match(text).hasMatch() || meeting::ItemTypes::PerfIsBlank(text)) {
        messages.warning(
            (items.IsVerticalJump(itemCode) ? QStringLiteral("A height")
                                            : QStringLiteral("A distance")) +
            QStringLiteral(" is typed in metres (") + items.PerfMask(itemCode) +
            QStringLiteral("), for example ") +
            (items.IsVerticalJump(itemCode) ? QStringLiteral("1.50") : QStringLiteral("6.25")) +
            QStringLiteral(": ") + typed.trimmed());
        return std::nullopt;
    }
    const std::optional<QString> canonical = items.NormalisePerf(itemCode, text);
    if (!canonical || !items.CheckPerfFormat(itemCode, *canonical, true))
        return std::nullopt;
    return canonical;
}

} // namespace results
