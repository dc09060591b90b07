#include "publish/timingraces.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/edition.h"
#include "meeting/itemtypes.h"
#include "publish/eventresults.h"
#include "results/calcstate.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "results/collectingsink.h"
#include "results/resultedit.h"

#include <QFileInfo>
#include <QMap>
#include <QSet>

#include <optional>

namespace publish {

namespace {

QString text50(const QString& text)
{
    return db::quoted(text.left(50));
}

bool hasNumbers(const LifRace& race)
{
    return std::any_of(race.lines.begin(), race.lines.end(),
                       [](const LifLine& l) { return !l.number.isEmpty(); });
}

// The rank's performance in the stored format of the item, or the time as read when the
// race is not matched yet.
QString performanceText(const meeting::ItemTypes& items, const QString& itemCode, const LifLine& l)
{
    if (l.status != 0)
        return QString();
    if (itemCode.isEmpty())
        return l.time.left(15);
    return items.PerfValueToText(itemCode, l.seconds, false);
}

} // namespace

QString RaceWrite::text() const
{
    QStringList out;
    out << (ok ? QString::number(written) + QStringLiteral(" results were written.")
               : QStringLiteral("Nothing was written into the heat."));
    out << errors;
    return out.join(QLatin1Char('\n'));
}

qint64 proposedProgramRow(base::Run& run, const LifRace& race)
{
    db::DmdCoreDbs& database = *run.database();
    const QString base = QStringLiteral("select PROGRAMNO from PROGRAM where MEETINGNO = ") +
                         db::sqlInt(run.currentMeetingNo()) + QStringLiteral(" and SEQ = ") +
                         db::sqlInt(race.event);
    for (const QString& condition :
         {QStringLiteral(" and ROUND <> 'F' and HEATNO = ") + db::sqlInt(race.heat),
          QStringLiteral(" and ROUND = 'F'")}) {
        db::Query q = database.openQuery(base + condition + QStringLiteral(" order by PROGRAMNO"));
        if (q.isOpen() && !q.isEmpty())
            return q.integer(QStringLiteral("PROGRAMNO"));
    }
    return 0;
}

qint64 storeRace(base::Run& run, const QString& fileName, const LifRace& race,
                 const QString& fileDateTime, qint64 fileSize)
{
    db::DmdCoreDbs& database = *run.database();
    const int meetingNo = run.currentMeetingNo();
    const qint64 programNo = proposedProgramRow(run, race);
    QString info;
    QString itemCode;
    if (programNo > 0) {
        if (const auto row = results::captureProgramRow(database, run.items(), programNo)) {
            info = eventTitle(*row);
            itemCode = row->itemCode;
        }
    }
    const int duplicates = database.ZSqlCount(
        QStringLiteral("EIF_RACE"), QStringLiteral("MEETINGNO = ") + db::sqlInt(meetingNo) +
                                        QStringLiteral(" and C_SEQ = ") + db::sqlInt(race.event) +
                                        QStringLiteral(" and C_HEAT = ") + db::sqlInt(race.heat));
    const QList<qint64> keys = database.nextKeyNumbers(int(race.lines.size()) + 1);
    if (keys.size() != race.lines.size() + 1)
        return 0;
    const bool byNumber = hasNumbers(race);
    QStringList statements;
    statements << QStringLiteral("insert into EIF_RACE (RACENO, MEETINGNO, FILE_NAME, FILE_INFO, "
                                 "FILE_DATE_TIME, FILE_SIZE, PROGRAM_PROGNO, PROGRAM_INFO, "
                                 "ASSIGN_ATH_OR_LANE, STATUS, MATCH, C_SEQ, C_HEAT, C_DUPLICATE, "
                                 "C_RUN_IN_LANES, C_OVERWRITTEN) values (") +
                      db::sqlInt(keys[0]) + ", " + db::sqlInt(meetingNo) + ", " + text50(fileName) +
                      ", " + text50(race.name) + ", " + db::quoted(fileDateTime.left(22)) + ", " +
                      db::sqlInt(fileSize) + ", " + db::sqlInt(programNo) + ", " + text50(info) +
                      ", " + db::sqlInt(byNumber ? kAssignByNumber : kAssignByLane) + ", " +
                      db::sqlInt(kRaceRead) + ", " +
                      db::sqlInt(programNo > 0 ? kMatchProposed : kMatchNone) + ", " +
                      db::sqlInt(race.event) + ", " + db::sqlInt(race.heat) + ", " +
                      db::sqlInt(duplicates > 0 ? 1 : 0) + ", 1, 0)";
    for (qsizetype i = 0; i < race.lines.size(); ++i) {
        const LifLine& l = race.lines[i];
        statements << QStringLiteral("insert into EIF_RANK (RANKNO, RACENO, PLACE, PERFORMANCE, "
                                     "DISQ_STATUS, ATH_OR_LANE) values (") +
                          db::sqlInt(keys[i + 1]) + ", " + db::sqlInt(keys[0]) + ", " +
                          db::sqlInt(l.place) + ", " +
                          db::quoted(performanceText(run.items(), itemCode, l)) + ", " +
                          db::sqlInt(l.status) + ", " +
                          db::sqlInt(byNumber ? l.number.toLongLong() : l.lane) + ")";
    }
    if (duplicates > 0)
        statements << QStringLiteral("update EIF_RACE set C_DUPLICATE = 1 where MEETINGNO = ") +
                          db::sqlInt(meetingNo) + QStringLiteral(" and C_SEQ = ") +
                          db::sqlInt(race.event) + QStringLiteral(" and C_HEAT = ") +
                          db::sqlInt(race.heat);
    return database.executeAll(statements) ? keys[0] : 0;
}

qint64 storeRaceOfFile(base::Run& run, const QString& path, const LifRace& race)
{
    const QFileInfo info(path);
    const qint64 raceNo =
        storeRace(run, info.fileName(), race,
                  info.lastModified().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")), info.size());
    if (raceNo == 0)
        run.messages().warning(QStringLiteral("The race could not be stored"));
    return raceNo;
}

namespace {

struct Checked {
    results::CaptureAthleteRow athlete;
    results::ResultEntry entry;
    const LifLine* line;
};

// The lines of the race matched to the athletes of the heat and checked as the capture checks
// a typed result, with the refusals kept by line number (the heat's own under 0).
struct Matched {
    std::optional<results::CaptureProgramRow> row;
    QList<Checked> accepted;
    QMap<int, QString> problems;
};

Matched matchRace(base::Run& run, const LifRace& race, qint64 programNo, const QSet<int>& leftOut)
{
    Matched m;
    db::DmdCoreDbs& database = *run.database();
    m.row = results::captureProgramRow(database, run.items(), programNo);
    if (!m.row) {
        m.problems.insert(0,
                          QStringLiteral("There is no program row ") + QString::number(programNo));
        return m;
    }
    const results::CaptureProgramRow& row = *m.row;
    const QList<results::CaptureAthleteRow> athletes =
        results::captureAthletes(database, run.items(), row, draw::MemberOrder::Lane);
    const bool byNumber = hasNumbers(race);

    // Every line is matched and checked with the messages kept, as an import checks.
    results::CollectingSink sink;
    base::Messages lineMessages(sink);
    const meeting::ItemTypes lineItems(meeting::editionOf(database.applicationCode()),
                                       lineMessages);
    results::ResultCapture capture(run, lineMessages, lineItems);
    QSet<qint64> seen;
    if (!capture.mayEdit(row))
        m.problems.insert(0, sink.take().join(QLatin1Char(' ')));
    for (const LifLine& l : race.lines) {
        if (leftOut.contains(l.lineNo))
            continue;
        const auto found = std::find_if(
            athletes.begin(), athletes.end(), [&](const results::CaptureAthleteRow& a) {
                return byNumber ? a.number.trimmed() == l.number : l.lane > 0 && a.lane == l.lane;
            });
        if (found == athletes.end()) {
            m.problems.insert(l.lineNo, byNumber
                                            ? QStringLiteral("no athlete with number ") + l.number +
                                                  QStringLiteral(" in ") + eventTitle(row)
                                            : QStringLiteral("no athlete in lane ") +
                                                  QString::number(l.lane) + QStringLiteral(" of ") +
                                                  eventTitle(row));
            continue;
        }
        if (byNumber && l.lane != 0 && found->lane != l.lane) {
            m.problems.insert(l.lineNo, QStringLiteral("lane ") + QString::number(l.lane) +
                                            QStringLiteral(" is not the lane of ") + found->name());
            continue;
        }
        if (seen.contains(found->key)) {
            m.problems.insert(l.lineNo, found->name() + QStringLiteral(" is on an earlier line"));
            continue;
        }
        seen.insert(found->key);
        results::ResultEntry entry;
        entry.status = l.status;
        entry.wind = found->wind;
        if (l.status == 0) {
            entry.performance = run.items().PerfValueToText(row.itemCode, l.seconds, false);
            entry.thirdDigit = l.thirdDigit;
        }
        sink.take();
        if (!capture.check(capture.itemCodeFor(row, *found), entry)) {
            const QStringList said = sink.take();
            m.problems.insert(l.lineNo, said.isEmpty() ? QStringLiteral("refused") : said.last());
            continue;
        }
        m.accepted.append({*found, entry, &l});
    }
    return m;
}

} // namespace

QMap<int, QString> raceProblems(base::Run& run, const LifRace& race, qint64 programNo)
{
    return matchRace(run, race, programNo, {}).problems;
}

RaceWrite writeRaceIntoHeat(base::Run& run, qint64 raceNo, const LifRace& race, qint64 programNo,
                            const QSet<int>& leftOut)
{
    RaceWrite report;
    db::DmdCoreDbs& database = *run.database();
    const Matched matched = matchRace(run, race, programNo, leftOut);
    for (auto p = matched.problems.begin(); p != matched.problems.end(); ++p)
        report.errors << (p.key() == 0 ? p.value()
                                       : QStringLiteral("Line ") + QString::number(p.key()) +
                                             QStringLiteral(": ") + p.value());
    if (!report.errors.isEmpty())
        return report;
    const results::CaptureProgramRow& row = *matched.row;
    const QList<Checked>& accepted = matched.accepted;

    const QList<qint64> keys = database.nextKeyNumbers(int(accepted.size()) + 1);
    if (keys.size() != accepted.size() + 1) {
        report.errors << QStringLiteral("The results could not be written");
        return report;
    }
    QStringList statements;
    for (const Checked& c : accepted)
        statements << results::ResultCapture::writeSql(row, c.athlete, c.entry);
    statements << QStringLiteral("delete from EIF_JOIN_PRGM where RACENO = ") + db::sqlInt(raceNo)
               << QStringLiteral("delete from EIF_JOIN_RANK where RACENO = ") + db::sqlInt(raceNo)
               << QStringLiteral("insert into EIF_JOIN_PRGM (JOINPRGMNO, RACENO, PROGRAMNO) "
                                 "values (") +
                      db::sqlInt(keys[0]) + ", " + db::sqlInt(raceNo) + ", " +
                      db::sqlInt(programNo) + ")";
    for (qsizetype i = 0; i < accepted.size(); ++i)
        statements << QStringLiteral("insert into EIF_JOIN_RANK (JOINRANKNO, RACENO, PLACE, "
                                     "PROGRAMNO, ATHLETENO, DISQ_STATUS) values (") +
                          db::sqlInt(keys[i + 1]) + ", " + db::sqlInt(raceNo) + ", " +
                          db::sqlInt(accepted[i].line->place) + ", " + db::sqlInt(programNo) +
                          ", " + db::sqlInt(accepted[i].athlete.athleteNo) + ", " +
                          db::sqlInt(accepted[i].line->status) + ")";
    statements << QStringLiteral("update EIF_RACE set PROGRAM_PROGNO = ") + db::sqlInt(programNo) +
                      QStringLiteral(", PROGRAM_INFO = ") + text50(eventTitle(row)) +
                      QStringLiteral(", STATUS = ") + db::sqlInt(kRaceWritten) +
                      QStringLiteral(", MATCH = ") + db::sqlInt(kMatchConfirmed) +
                      QStringLiteral(" where RACENO = ") + db::sqlInt(raceNo);
    if (!database.executeAll(statements)) {
        report.errors << QStringLiteral("The results could not be written: ") +
                             database.lastError().message;
        return report;
    }
    results::refreshCalculatedState(run, programNo);
    results::calculatePlaces(run, programNo);
    report.written = int(accepted.size());
    report.ok = true;
    return report;
}

bool wipeRaces(base::Run& run, int* races, int* ranks)
{
    db::DmdCoreDbs& database = *run.database();
    const QString ofMeeting = QStringLiteral("RACENO in (select RACENO from EIF_RACE where "
                                             "MEETINGNO = ") +
                              db::sqlInt(run.currentMeetingNo()) + QStringLiteral(")");
    *races = database.ZSqlCount(QStringLiteral("EIF_RACE"), QStringLiteral("MEETINGNO = ") +
                                                                db::sqlInt(run.currentMeetingNo()));
    *ranks = database.ZSqlCount(QStringLiteral("EIF_RANK"), ofMeeting);
    QStringList statements;
    for (const char* table : {"EIF_JOIN_RANK", "EIF_JOIN_PRGM", "EIF_RANK"})
        statements << QStringLiteral("delete from ") + QString::fromLatin1(table) +
                          QStringLiteral(" where ") + ofMeeting;
    statements << QStringLiteral("delete from EIF_RACE where MEETINGNO = ") +
                      db::sqlInt(run.currentMeetingNo());
    if (!database.executeAll(statements))
        return false;
    run.messages().information(QString::number(*races) + QStringLiteral(" Races, and ") +
                               QString::number(*ranks) + QStringLiteral(" Ranks deleted"));
    return true;
}

} // namespace publish
