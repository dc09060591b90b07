#include "draw/formatcheck.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/heatformats.h"
#include "draw/roundletter.h"
#include "meeting/itemtypes.h"

#include <QTime>

#include <algorithm>

namespace draw {

namespace {
const QString kIndent = QStringLiteral("          ");
}

QString FormatCheck::textError(const QString& format)
{
    const QString text = format.trimmed();
    if (text.isEmpty())
        return QString();
    for (const QString& g : text.split(QLatin1Char('/'))) {
        const QStringList numbers = g.split(QLatin1Char(','));
        if (numbers.size() != 3)
            return QStringLiteral("All items must be filled or left open");
        for (const QString& n : numbers) {
            bool ok = false;
            const int value = n.trimmed().toInt(&ok);
            if (!ok || value < 0)
                return QStringLiteral("Not a valid integer");
        }
    }
    return QString();
}

QStringList FormatCheck::roundLines(const QString& round, const RoundGroup& g, int nextHeats,
                                    int perHeat)
{
    const int selected = g.places * g.heats + g.times;
    const int required = perHeat * nextHeats;
    if (selected == required)
        return {};
    return {QStringLiteral("Round ") + round + QStringLiteral(": you select ") +
                QString::number(selected) + QStringLiteral(" instead of ") +
                QString::number(required),
            kIndent + QStringLiteral("You select (Places X Heats)+Times = ") + "(" +
                QString::number(g.places) + "X" + QString::number(g.heats) + ") + " +
                QString::number(g.times),
            kIndent + QStringLiteral("You require (AthletesPerHeat X NextHeats) = ") + "(" +
                QString::number(perHeat) + "X" + QString::number(nextHeats) + ")"};
}

QStringList FormatCheck::check(const QString& itemCode, const QString& format, int athletes) const
{
    const meeting::ItemTypes& items = m_groups.items();
    const int perHeat = m_groups.athletesPerHeat(itemCode);
    if (items.IsFieldItem(itemCode) || format.isEmpty() || athletes == 0 || athletes <= perHeat)
        return {};
    QStringList lines;
    if (perHeat == 0) {
        lines.append(QStringLiteral("The athletes per heat for this heatgroup is empty"));
        return lines;
    }
    const std::optional<QList<RoundGroup>> groups = HeatFormats::groups(format);
    if (!groups || groups->isEmpty())
        return {QStringLiteral("Not a valid integer")};
    const int required = (athletes - 1) / perHeat + 1;
    if (groups->first().heats != required) {
        lines.append(QStringLiteral("The first round for ") + QString::number(athletes) +
                     QStringLiteral(" athletes and ") + QString::number(perHeat) +
                     QStringLiteral(" athletes per heat requires ") + QString::number(required) +
                     QStringLiteral(" heats, not ") + QString::number(groups->first().heats));
    }
    base::Messages& messages = items.messages();
    QString round = HeatFormats::firstRound(format);
    int index = 0;
    while (round != QLatin1String("F") && !round.isEmpty() && index < groups->size()) {
        const int nextHeats = index + 1 < groups->size() ? (*groups)[index + 1].heats : 1;
        lines += roundLines(round, (*groups)[index], nextHeats, perHeat);
        round = nextRound(format, round, messages);
        ++index;
    }
    return lines;
}

QString FormatCheck::MeetingReport::heading() const
{
    QStringList out{QStringLiteral("The following Track Items has either too\rmany or too few "
                                   "Heats based on the actual\rAthletes participating in the "
                                   "Heats :"),
                    QString()};
    out.append(QString::number(errors) + QStringLiteral(" ERRORS : too little heats"));
    out.append(QString::number(hints) + QStringLiteral(" Hints  : too many heats"));
    out.append(QString::number(correct) + QStringLiteral(" Correct number of Heats"));
    out.append(QString());
    out.append(QStringLiteral("Differ  Item  Seq  Time"));
    return out.join(QLatin1Char('\r'));
}

QString FormatCheck::MeetingReport::text() const
{
    return (QStringList{heading()} + lines).join(QLatin1Char('\r'));
}

FormatCheck::MeetingReport FormatCheck::checkMeeting(db::DmdCoreDbs& database, int meetingNo) const
{
    const meeting::ItemTypes& items = m_groups.items();
    base::Messages& messages = items.messages();
    MeetingReport report;
    db::Query q = database.openQuery(
        QStringLiteral("select E.EVENTNO, E.ITEMCODE, E.HEATCOUNTS, E.HEATFORMAT, E.N_ATHLON, "
                       "E.FINAL_NOT_RUN, E.CATEGORY, E.C_SEQ, E.C_TIME, "
                       "(select count(*) from PARTICIPATE P where P.EVENTNO = E.EVENTNO) "
                       "as ATHLETES from MYEVENT E where E.MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and E.SELECTED = 'X' order by E.C_ABSAORDER, E.EVENTNO"));
    int position = 0;
    for (q.first(); !q.eof(); q.next()) {
        messages.progress(QStringLiteral("Check HeatCounts"), q.text("ITEMCODE"), ++position,
                          q.recordCount());
        const QString item = q.text("ITEMCODE");
        if (items.IsFieldItem(item)) {
            messages.developerNote(
                QStringLiteral("Heatcounts are currently not checked for field items: ") + item);
            continue;
        }
        const int d =
            m_groups.heatShortfall(item, q.text("HEATFORMAT"), int(q.integer("ATHLETES")));
        const QString tail = items.ItemDescription(item, false).leftJustified(40) + "(" +
                             q.text("C_SEQ") + "  " + q.value("C_TIME").toTime().toString("hh:mm") +
                             ")";
        if (d > 0) {
            report.lines.append(QStringLiteral("ERROR: ") + QString::number(d).rightJustified(3) +
                                QStringLiteral(" too few for ") + tail);
            ++report.errors;
        } else if (d < 0) {
            report.lines.append(QStringLiteral("Hint : ") + QString::number(-d).rightJustified(3) +
                                QStringLiteral(" too many for ") + tail);
            ++report.hints;
        } else {
            ++report.correct;
        }
    }
    messages.progressDone();
    std::sort(report.lines.begin(), report.lines.end());
    return report;
}

} // namespace draw
