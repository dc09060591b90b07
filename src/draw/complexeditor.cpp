#include "draw/complexeditor.h"

#include "base/messages.h"
#include "draw/events.h"
#include "draw/formataccept.h"
#include "draw/formatproposal.h"
#include "draw/heatformats.h"
#include "draw/heatgroups.h"
#include "meeting/itemtypes.h"

namespace draw {

namespace {
const char kLetters[] = "CBA";
}

FormatRows FormatRows::of(const QString& format)
{
    FormatRows rows;
    const std::optional<QList<RoundGroup>> groups = HeatFormats::groups(format);
    if (!groups || groups->size() > 3)
        return rows;
    const int first = 3 - int(groups->size());
    for (int i = 0; i < groups->size(); ++i) {
        const RoundGroup& g = (*groups)[i];
        rows.cells[first + i] = {QString::number(g.heats), QString::number(g.places),
                                 QString::number(g.times)};
    }
    return rows;
}

std::optional<QString> FormatRows::format(base::Messages& messages) const
{
    std::array<bool, 3> filled{};
    for (int r = 0; r < 3; ++r) {
        int typed = 0;
        for (const QString& cell : cells[r]) {
            if (cell.trimmed().isEmpty())
                continue;
            ++typed;
            bool ok = false;
            cell.trimmed().toInt(&ok);
            if (!ok) {
                messages.warning(QStringLiteral("Not a valid integer"));
                return std::nullopt;
            }
        }
        if (typed != 0 && typed != 3) {
            messages.warning(QStringLiteral("All items must be filled or left open"));
            return std::nullopt;
        }
        filled[r] = typed == 3;
    }
    QStringList groups;
    for (int r = 0; r < 3; ++r) {
        if (!filled[r]) {
            if (r > 0 && filled[r - 1]) {
                messages.warning(QStringLiteral("Round ") + QLatin1Char(kLetters[r]) +
                                 QStringLiteral(" may not be empty if there was a round ") +
                                 QLatin1Char(kLetters[r - 1]));
                return std::nullopt;
            }
            continue;
        }
        groups.append(QString::number(cells[r][Heats].trimmed().toInt()) + QLatin1Char(',') +
                      QString::number(cells[r][Places].trimmed().toInt()) + QLatin1Char(',') +
                      QString::number(cells[r][Times].trimmed().toInt()));
    }
    return groups.join(QLatin1Char('/'));
}

bool ComplexEditor::canEdit(qint64 eventNo)
{
    const EventRow row = m_events.event(eventNo);
    if (row.eventNo == 0)
        return false;
    // The refusals come before the questions.
    const QString refusal = formatEditRefusal(m_events.items(), row);
    if (!refusal.isEmpty()) {
        m_events.messages().warning(refusal);
        return false;
    }
    if (!mayGiveHeats(m_events.items(), row) || !mayEditFormat(m_groups, row))
        return false;
    if (m_mode == Mode::SemisWithPlaces &&
        HeatFormats::formatKind(row.formatEdit) == FormatKind::Complex) {
        m_events.messages().warning(kComplexOnly);
        return false;
    }
    return true;
}

QString ComplexEditor::proposal(const EventRow& event, int athletes) const
{
    if (athletes <= 0 || m_groups.heatGroupOf(event.itemCode, false) == 0)
        return QString();
    return FormatProposal(m_groups).autoformat(event.itemCode, athletes);
}

bool ComplexEditor::accept(qint64 eventNo, const FormatRows& rows, bool heatsAreFinals,
                           int athletes)
{
    base::Messages& messages = m_events.messages();
    const EventRow row = m_events.event(eventNo);
    if (row.eventNo == 0)
        return false;
    const std::optional<QString> format = rows.format(messages);
    if (!format)
        return false;
    if (m_mode == Mode::SemisWithPlaces &&
        HeatFormats::formatKind(*format) == FormatKind::Complex) {
        messages.warning(kComplexOnly);
        return false;
    }
    if (format->isEmpty() && heatsAreFinals) {
        messages.warning(kNoHeatsToBeFinals);
        return false;
    }
    if (!acceptFormat(m_groups, row, *format, athletes))
        return false;
    return storeFormatEdit(m_events.database(), eventNo, *format, heatsAreFinals);
}

} // namespace draw
