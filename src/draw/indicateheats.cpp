#include "draw/indicateheats.h"

#include "base/configstore.h"
#include "base/messages.h"
#include "draw/formatproposal.h"
#include "draw/heatformats.h"
#include "draw/heatgroups.h"
#include "draw/programrows.h"
#include "meeting/itemtypes.h"

#include <algorithm>

namespace draw {

namespace {
const QString kInAthletesKey = QStringLiteral("TOOFEW_ATHSNOTHEATS");
const QString kActualOnlyKey = QStringLiteral("TOOFEW_ACTNOTMAX");
} // namespace

TooFewOptions TooFewOptions::read(const base::ConfigStore& config)
{
    TooFewOptions options;
    if (config.exists(kInAthletesKey))
        options.inAthletes = config.readBool(kInAthletesKey);
    if (config.exists(kActualOnlyKey))
        options.actualOnly = config.readBool(kActualOnlyKey);
    return options;
}

bool TooFewOptions::write(base::ConfigStore& config) const
{
    return config.writeBool(kInAthletesKey, inAthletes) &&
           config.writeBool(kActualOnlyKey, actualOnly);
}

QList<HeatsLine> IndicateHeats::lines(const TooFewOptions& options)
{
    QList<HeatsLine> result;
    for (const EventRow& e : m_events.list(true))
        result.append(line(e, options));
    return result;
}

HeatsLine IndicateHeats::line(const EventRow& event, const TooFewOptions& options) const
{
    HeatsLine l;
    l.event = event;
    l.title = m_events.items().ItemDescription(event.itemCode, false);
    if (!event.description.isEmpty())
        l.title += QStringLiteral(" - ") + event.description;
    HeatFormats formats(m_events.messages());
    l.heatsProvided = formats.heatsOfFirstRound(event.formatEdit);
    l.athsProvided = l.heatsProvided * m_groups.athletesPerHeat(event.itemCode);
    const int athletes =
        options.actualOnly ? event.athletes : std::max(event.athletes, event.estimated);
    if (athletes == 0)
        return l;
    const int shortfall = m_groups.heatShortfall(event.itemCode, event.formatEdit, athletes);
    l.provision = shortfall > 0   ? HeatProvision::TooFew
                  : shortfall < 0 ? HeatProvision::TooMany
                                  : HeatProvision::Correct;
    l.tooFew = std::max(0, options.inAthletes ? athletes - l.athsProvided : shortfall);
    return l;
}

bool IndicateHeats::autoformat(qint64 eventNo)
{
    base::Messages& messages = m_events.messages();
    const meeting::ItemTypes& items = m_events.items();
    const EventRow row = m_events.event(eventNo);
    if (row.eventNo == 0)
        return false;
    if (!row.selectedEdit) {
        messages.warning(QStringLiteral("This item is not selected"));
        return false;
    }
    const QString title = items.ItemDescription(row.itemCode, false);
    if (!messages.confirm(QStringLiteral("Autoformat ") + title +
                          QStringLiteral(" using the\rEstimatedAthleteCount (") +
                          QString::number(row.estimated) + QStringLiteral(")")))
        return false;
    QString format;
    if (row.estimated == 0) {
        messages.information(QStringLiteral("No athletes for ") + title);
    } else if (m_groups.heatGroupOf(row.itemCode, false) == 0) {
        messages.information(QStringLiteral("There is no heat group for item ") + row.itemCode);
    } else {
        format = FormatProposal(m_groups).autoformat(row.itemCode, row.estimated);
    }
    return m_events.setFormatEdit(eventNo, format);
}

int IndicateHeats::autoformatAll()
{
    base::Messages& messages = m_events.messages();
    const meeting::ItemTypes& items = m_events.items();
    struct Change {
        EventRow event;
        QString proposed;
    };
    QList<Change> empty;
    QList<Change> own;
    FormatProposal proposal(m_groups);
    for (const EventRow& row : m_events.list(true)) {
        const int athletes = std::max(row.estimated, row.athletes);
        if (row.nAthlon > 0 || athletes == 0 || m_groups.heatGroupOf(row.itemCode, false) == 0)
            continue;
        const QString proposed = proposal.autoformat(row.itemCode, athletes);
        if (proposed == row.formatEdit)
            continue;
        (row.formatEdit.isEmpty() ? empty : own).append({row, proposed});
    }
    if (empty.isEmpty() && own.isEmpty()) {
        messages.information(QStringLiteral("Every selected item with swimmers expected or "
                                            "entered already has the proposed format."));
        return 0;
    }
    // An empty format is a final only, on either side of the arrow.
    const auto shown = [](const QString& format) {
        return format.isEmpty() ? QStringLiteral("final only") : format;
    };
    const auto describe = [&items, &shown](const Change& c) {
        return items.ItemDescription(c.event.itemCode, false) + QStringLiteral(": ") +
               shown(c.event.formatEdit) + QStringLiteral(" -> ") + shown(c.proposed);
    };
    const QString intro = QStringLiteral("AutoFormat All proposes a heat format for each "
                                         "selected item from its swimmers (expected or "
                                         "entered).\r\r") +
                          QString::number(empty.size()) +
                          QStringLiteral(" items without a format get one.");
    QList<Change> chosen = empty;
    if (own.isEmpty()) {
        if (!messages.confirm(intro + QStringLiteral("\rContinue")))
            return 0;
    } else {
        QStringList lines;
        for (const Change& c : own)
            lines << describe(c);
        const int answer = messages.choose(
            QStringLiteral("AutoFormat All"),
            intro + QStringLiteral("\r") + QString::number(own.size()) +
                QStringLiteral(" items have a format of their own (set by hand):\r") +
                lines.join(QStringLiteral("\r")),
            {QStringLiteral("Keep their own formats"), QStringLiteral("Replace them too"),
             QStringLiteral("Cancel")});
        if (answer != 0 && answer != 1)
            return 0;
        if (answer == 1)
            chosen += own;
    }
    QStringList changed;
    for (const Change& c : chosen) {
        if (m_events.setFormatEdit(c.event.eventNo, c.proposed))
            changed << describe(c);
    }
    QString report = QString::number(changed.size()) + QStringLiteral(" formats changed");
    report += changed.isEmpty() ? QStringLiteral(".")
                                : QStringLiteral(":\r") + changed.join(QStringLiteral("\r"));
    if (chosen.size() == empty.size() && !own.isEmpty())
        report += QStringLiteral("\r\r") + QString::number(own.size()) +
                  QStringLiteral(" formats set by hand were left as they are.");
    messages.information(report);
    return int(changed.size());
}

bool IndicateHeats::setEstimate(qint64 eventNo, const QString& text)
{
    bool ok = false;
    const int count = text.trimmed().toInt(&ok);
    if (!ok || count < 0) {
        m_events.messages().warning(QStringLiteral("Not a number:") + text);
        return false;
    }
    return m_events.setEstimatedCount(eventNo, count);
}

bool IndicateHeats::estimatesFromEntries()
{
    base::Messages& messages = m_events.messages();
    if (!messages.confirm(QStringLiteral("Update to the actual number of Athletes for all "
                                         "Events\r\rAll current Estimated Counts will be "
                                         "overridden")))
        return false;
    return m_events.estimatesFromEntries() &&
           ProgramRows(m_events.database(), messages).updatePlacedCounts(m_events.meetingNo());
}

QString IndicateHeats::lanesAvailable() const
{
    const meeting::LaneSettings& lanes = m_groups.lanes();
    return QStringLiteral("The number of lanes available for track events:\r  <= 110 : ") +
           QString::number(lanes.track110) + QStringLiteral("\r  <= 200 : ") +
           QString::number(lanes.track200) + QStringLiteral("\r  <= 400 : ") +
           QString::number(lanes.track400);
}

} // namespace draw
