#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace db {
class DmdCoreDbs;
}

namespace results {

// One program row with what the place calculation needs of it and its event.
struct ProgramRace {
    qint64 programNo = 0;
    int meetingNo = 0;
    qint64 eventNo = 0;
    QString round;
    int heatNo = 0;
    QString itemCode;
    int nAthlon = 0;
    qint64 combinedNo = 0;
    bool finalNotRun = false;
    bool isFinal() const { return round == QLatin1String("F"); }
    bool isCombined() const { return combinedNo > 0; }
};

// Empty when there is no such program row.
std::optional<ProgramRace> readProgramRace(db::DmdCoreDbs& database, qint64 programNo);

// The rows that were one race: a heat's HEATPART rows, an event's PARTICIPATE rows (the
// final), or the PARTICIPATE rows of every event of a combined race. `where` is a
// condition on the alias R.
struct RaceScope {
    QString table;
    QString keyColumn;
    QString where;
    QString itemCode; // the item whose performance rules compare the rows

    static RaceScope final(qint64 eventNo, const QString& itemCode);
    static RaceScope heat(qint64 eventNo, const QString& round, int heatNo,
                          const QString& itemCode);
    static RaceScope combined(qint64 combinedNo, const QString& itemCode);
    // The program row's own heat or final, without its combined partners.
    static RaceScope of(const ProgramRace& race);
};

// One competitor's row of a race, with the team's league and the athlete's age.
struct RaceRow {
    qint64 key = 0;
    qint64 eventNo = 0;
    QString round; // "F" for the final's rows
    int heatNo = 0;
    qint64 athleteNo = 0;
    QString performance;
    QString thirdDigit;
    int ePlace = 0;
    int tEmpty = 0;
    int storedTEmpty = 0; // as read, before the renumbering marks the row
    int place = 0;
    int shareCount = 0;
    int league = 0;
    int age = 0;
    int lane = 0;
    int status = 0;
};

// Every row of the scope in key order; `ok` is false when the query failed.
QList<RaceRow> readRaceRows(db::DmdCoreDbs& database, const RaceScope& scope, bool* ok = nullptr);

// New values of integer columns for some rows of a race, written in one statement.
struct RowValues {
    qint64 key = 0;
    QList<int> values; // one per column, in the order of the columns
};
// "update T set C = case K when .. then .. end, ... where K in (..)"; empty for no rows.
QString caseUpdateSql(const QString& table, const QString& keyColumn, const QStringList& columns,
                      const QList<RowValues>& rows);
inline QString raceUpdateSql(const RaceScope& scope, const QStringList& columns,
                             const QList<RowValues>& rows)
{
    return caseUpdateSql(scope.table, scope.keyColumn, columns, rows);
}

// Runs statements in one transaction of their own (the batch), or one by one when a
// batch is already running for someone else; a failure rolls back what the batch did.
class RowWriter {
public:
    explicit RowWriter(db::DmdCoreDbs& database);
    ~RowWriter();
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    bool execute(const QString& sql);
    // Commits; false when a statement or the commit failed (nothing was kept).
    bool finish();
    bool ok() const { return m_ok; }

private:
    db::DmdCoreDbs& m_database;
    bool m_ownBatch = false;
    bool m_ok = true;
    bool m_finished = false;
};

} // namespace results
