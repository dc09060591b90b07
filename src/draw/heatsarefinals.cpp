#include "draw/heatsarefinals.h"

#include "base/messages.h"

namespace draw {

bool HeatsAreFinals::hasHeats(const EventRow& event)
{
    return !event.heatCountsEdit.isEmpty() && event.heatCountsEdit != QLatin1String("0");
}

QList<EventRow> HeatsAreFinals::events(bool withoutHeats)
{
    QList<EventRow> rows;
    bool anyHeats = false;
    for (const EventRow& e : m_events.list()) {
        anyHeats = anyHeats || hasHeats(e);
        if (withoutHeats || hasHeats(e))
            rows.append(e);
    }
    if (!anyHeats)
        m_events.messages().information(
            QStringLiteral("You do not have any events that has heats"));
    return rows;
}

bool HeatsAreFinals::askShowWithoutHeats()
{
    return m_events.messages().confirm(
        QStringLiteral("You dont need Items _WITHOUT_ Heats on this page, because\ryou cannot "
                       "call _NO_ heats the finals\r\rShow them anyway"));
}

bool HeatsAreFinals::toggle(qint64 eventNo)
{
    const EventRow row = m_events.event(eventNo);
    return row.eventNo != 0 && m_events.setFinalNotRun(eventNo, row.finalNotRun != 1);
}

} // namespace draw
