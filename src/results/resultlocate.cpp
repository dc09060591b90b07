#include "results/resultlocate.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace results {

namespace {

QString heatWords(const QString& round, int heatNo)
{
    if (round == QLatin1String("F"))
        return QStringLiteral("the Final");
    return QStringLiteral("Heat ") + QString::number(heatNo) + QStringLiteral(" of Round ") + round;
}

// The program row of the heat, or the refusal that names what is missing.
ResultTarget locateRow(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                       qint64 eventNo, const QString& round, int heatNo)
{
    ResultTarget t;
    if (database.ZSqlCount(QStringLiteral("MYEVENT"),
                           QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                               QStringLiteral(" and MEETINGNO = ") + db::sqlInt(meetingNo)) == 0) {
        t.refusal = QStringLiteral("There is no Event ") + QString::number(eventNo) +
                    QStringLiteral(" in this Meeting");
        return t;
    }
    static const QStringList rounds{"F", "A", "B", "C"};
    if (!rounds.contains(round)) {
        t.refusal = QStringLiteral("The round must be F, A, B or C, not ") + round;
        return t;
    }
    const qint64 programNo = programNoOf(database, eventNo, round, heatNo);
    const std::optional<CaptureProgramRow> row =
        programNo > 0 ? captureProgramRow(database, items, programNo) : std::nullopt;
    if (!row) {
        t.refusal = QStringLiteral("Event ") + QString::number(eventNo) +
                    QStringLiteral(" has no ") + heatWords(round, heatNo);
        return t;
    }
    t.row = *row;
    return t;
}

} // namespace

ResultTarget locateAthlete(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                           qint64 eventNo, const QString& round, int heatNo, qint64 athleteNo)
{
    int heat = heatNo;
    if (round != QLatin1String("F") && heat <= 0) {
        heat = database
                   .selectOneValue(QStringLiteral("HEATNO"), QStringLiteral("HEATPART"),
                                   QStringLiteral("EVENTNO = ") + db::sqlInt(eventNo) +
                                       QStringLiteral(" and ROUND = ") + db::quoted(round) +
                                       QStringLiteral(" and ATHLETENO = ") + db::sqlInt(athleteNo))
                   .toInt();
        if (heat <= 0) {
            ResultTarget t;
            t.refusal = QStringLiteral("Athlete ") + QString::number(athleteNo) +
                        QStringLiteral(" is not in a Heat of Round ") + round +
                        QStringLiteral(" of Event ") + QString::number(eventNo);
            return t;
        }
    }
    ResultTarget t = locateRow(database, items, meetingNo, eventNo, round, heat);
    if (!t.ok())
        return t;
    t.athlete = captureAthlete(database, items, t.row, athleteNo);
    if (t.athlete.key <= 0)
        t.refusal = QStringLiteral("Athlete ") + QString::number(athleteNo) +
                    QStringLiteral(" is not in ") + heatWords(round, heat) +
                    QStringLiteral(" of Event ") + QString::number(eventNo);
    return t;
}

ResultTarget locateLane(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                        qint64 eventNo, const QString& round, int heatNo, int lane)
{
    ResultTarget t = locateRow(database, items, meetingNo, eventNo, round, heatNo);
    if (!t.ok())
        return t;
    int found = 0;
    for (const CaptureAthleteRow& a :
         captureAthletes(database, items, t.row, draw::MemberOrder::Lane)) {
        if (lane > 0 && a.lane == lane) {
            t.athlete = a;
            ++found;
        }
    }
    if (found == 0)
        t.refusal = QStringLiteral("Nobody swims in lane ") + QString::number(lane) +
                    QStringLiteral(" of ") + heatWords(round, heatNo) +
                    QStringLiteral(" of Event ") + QString::number(eventNo);
    else if (found > 1)
        t.refusal = QString::number(found) + QStringLiteral(" athletes swim in lane ") +
                    QString::number(lane) + QStringLiteral(" of ") + heatWords(round, heatNo) +
                    QStringLiteral(": give the athlete number");
    return t;
}

} // namespace results
