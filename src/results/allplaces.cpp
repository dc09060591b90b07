// "Calculating ALL Items": the places of every program row of a meeting.

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "db/statement.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "results/places.h"
#include "results/racecalculation.h"

#include <QHash>
#include <QSet>

#include <map>
#include <memory>

namespace results {

namespace {

struct ProgramLine {
    ProgramRace race;
    bool released = false;
    int notCalculated = 0;
    int placedCount = 0;
};

const QStringList kProgramColumns{QStringLiteral("NOT_CALCULATED_YET"),
                                  QStringLiteral("PLACEDCOUNT")};

QString keyColumnOf(const QString& table)
{
    if (table == QLatin1String("PROGRAM"))
        return QStringLiteral("PROGRAMNO");
    return table == QLatin1String("HEATPART") ? QStringLiteral("HEATPARTNO")
                                              : QStringLiteral("PARTNO");
}

// The changed places written through one prepared update per table, one execution per row,
// in the batch transaction: compiled once. A statement of many rows with a CASE per column
// is compiled anew for every chunk and searches its CASE lists for every row it updates,
// which made the writing cost three times the calculation.
class OutcomeWriter {
public:
    explicit OutcomeWriter(db::DmdCoreDbs& database) : m_database(database) {}

    bool write(const QString& table, const QList<RowValues>& rows)
    {
        std::unique_ptr<db::Statement>& statement = m_statements[table];
        if (!statement) {
            const QStringList& columns =
                table == QLatin1String("PROGRAM") ? kProgramColumns : kRaceOutcomeColumns;
            statement = m_database.prepareBatch(
                QStringLiteral("update ") + table + QStringLiteral(" set ") +
                columns.join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ? where ") +
                keyColumnOf(table) + QStringLiteral(" = ?"));
            if (!statement)
                return false;
        }
        for (const RowValues& row : rows) {
            QList<QVariant> values;
            values.reserve(row.values.size() + 1);
            for (int value : row.values)
                values.append(value);
            values.append(row.key);
            if (!m_database.batchExecute(*statement, values))
                return false;
        }
        return true;
    }
    QString failure() const { return m_database.lastError().message; }

private:
    db::DmdCoreDbs& m_database;
    std::map<QString, std::unique_ptr<db::Statement>> m_statements;
};

QString raceKey(qint64 eventNo, const QString& round, int heatNo)
{
    return QString::number(eventNo) + QLatin1Char('/') + round + QLatin1Char('/') +
           QString::number(heatNo);
}

QList<ProgramLine> programLines(db::DmdCoreDbs& database, int meetingNo, bool* ok)
{
    db::Query q = database.openQuery(
        QStringLiteral("select P.PROGRAMNO, P.EVENTNO, P.ROUND, P.HEATNO, E.ITEMCODE, "
                       "coalesce(E.N_ATHLON, 0) as N_ATHLON, coalesce(E.COMBINEDNO, 0) as "
                       "COMBINEDNO, coalesce(E.FINAL_NOT_RUN, 0) as FINAL_NOT_RUN, "
                       "coalesce(P.RESULTS_RELEASED, 0) as RELEASED, "
                       "coalesce(P.NOT_CALCULATED_YET, 0) as NOT_CALC, "
                       "coalesce(P.PLACEDCOUNT, 0) as PLACED from PROGRAM P "
                       "join MYEVENT E on E.EVENTNO = P.EVENTNO where P.MEETINGNO = ") +
        db::sqlInt(meetingNo) + QStringLiteral(" order by P.DAY_SEQ, P.SEQ, P.ROUND, P.HEATNO"));
    *ok = q.isOpen();
    QList<ProgramLine> lines;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        ProgramLine line;
        line.race.programNo = q.integer("PROGRAMNO");
        line.race.meetingNo = meetingNo;
        line.race.eventNo = q.integer("EVENTNO");
        line.race.round = q.text("ROUND").trimmed();
        line.race.heatNo = int(q.integer("HEATNO"));
        line.race.itemCode = q.text("ITEMCODE").trimmed();
        line.race.nAthlon = int(q.integer("N_ATHLON"));
        line.race.combinedNo = q.integer("COMBINEDNO");
        line.race.finalNotRun = q.integer("FINAL_NOT_RUN") == 1;
        line.released = q.integer("RELEASED") == 1;
        line.notCalculated = int(q.integer("NOT_CALC"));
        line.placedCount = int(q.integer("PLACED"));
        lines.append(line);
    }
    return lines;
}

// Every heat row and final row of the meeting, by race.
QHash<QString, QList<RaceRow>> meetingRows(db::DmdCoreDbs& database, int meetingNo, bool* ok)
{
    QHash<QString, QList<RaceRow>> races;
    const QString events = QStringLiteral("R.EVENTNO in (select M.EVENTNO from MYEVENT M where "
                                          "M.MEETINGNO = ") +
                           db::sqlInt(meetingNo) + QLatin1Char(')');
    *ok = true;
    for (const RaceScope& scope :
         {RaceScope{QStringLiteral("HEATPART"), QStringLiteral("HEATPARTNO"), events, QString()},
          RaceScope{QStringLiteral("PARTICIPATE"), QStringLiteral("PARTNO"), events, QString()}}) {
        bool read = false;
        for (const RaceRow& row : readRaceRows(database, scope, &read))
            races[raceKey(row.eventNo, row.round, row.heatNo)].append(row);
        *ok = *ok && read;
    }
    return races;
}

} // namespace

bool Places::CalcAllPlaces(int meetingNo)
{
    const QString caption = QStringLiteral("Calculating ALL Items");
    if (refusedByTeamPlaces())
        return false;
    bool read = false;
    const QList<ProgramLine> lines = programLines(m_database, meetingNo, &read);
    if (!read)
        return false;
    const bool revisions = m_meeting.integer(QStringLiteral("RESULTS_HAS_REVISIONS")) == 1;
    QSet<QString> releasedRounds;
    for (const ProgramLine& line : lines) {
        if (line.released)
            releasedRounds.insert(QString::number(line.race.eventNo) + line.race.round);
    }
    QHash<QString, QList<RaceRow>> races = meetingRows(m_database, meetingNo, &read);
    if (!read)
        return false;

    bool all = true;     // every row was calculated
    bool writing = true; // no statement failed
    bool batchOpen = false;
    OutcomeWriter writer(m_database);
    const auto commit = [&]() {
        if (!batchOpen)
            return;
        batchOpen = false;
        if (writing && m_database.commitBatch())
            return;
        const QString failure = writer.failure();
        m_database.rollbackBatch();
        messages().warning(QStringLiteral("The places could not be written:\r") + failure);
        writing = false;
    };
    for (qsizetype i = 0; i < lines.size() && writing; ++i) {
        messages().progress(caption, caption, int(i), int(lines.size()));
        const ProgramLine& line = lines[i];
        const ProgramRace& race = line.race;
        const bool ordinary =
            !race.itemCode.isEmpty() && !race.isCombined() && race.nAthlon == 0 &&
            !(race.finalNotRun && race.isFinal()) && !m_items.IsVerticalJump(race.itemCode) &&
            !(revisions && releasedRounds.contains(QString::number(race.eventNo) + race.round));
        if (!ordinary) {
            // These read what the rows before them wrote: commit first.
            commit();
            all = calcAndRefresh(race.programNo) && all;
            continue;
        }
        const RaceOutcome outcome = calculateRace(
            m_items, race.itemCode, races.value(raceKey(race.eventNo, race.round, race.heatNo)),
            m_items.IsMixedAgeOrVeteran(race.itemCode), m_failsStandard);
        const int flag = outcome.consistent ? 0 : 1;
        if (outcome.changed.isEmpty() && flag == line.notCalculated &&
            outcome.placedCount == line.placedCount)
            continue;
        if (!batchOpen && !(batchOpen = m_database.startBatch()))
            return false;
        writing = writer.write(RaceScope::of(race).table, outcome.changed) &&
                  writer.write(QStringLiteral("PROGRAM"),
                               {RowValues{race.programNo, {flag, outcome.placedCount}}});
    }
    commit();
    all = all && writing;
    messages().progress(caption, QStringLiteral("Done"), int(lines.size()), int(lines.size()));
    messages().progressDone();
    return all;
}

} // namespace results
