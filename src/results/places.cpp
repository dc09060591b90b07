#include "results/places.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "draw/programrows.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"

namespace results {

namespace {

const QString kResults = QStringLiteral("Results");

} // namespace

QString releasedRoundRefusal(db::DmdCoreDbs& database, const meeting::MeetingSettings& meeting,
                             qint64 eventNo, const QString& round, const QString& what,
                             const QString& column)
{
    if (meeting.integer(QStringLiteral("RESULTS_HAS_REVISIONS")) != 1)
        return QString();
    db::Query q = database.openQuery(
        QStringLiteral("select count(*) as HEATS, sum(case when coalesce(") + column +
        QStringLiteral(", 0) = 1 then 1 else 0 end) as RELEASED from PROGRAM where EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" and ROUND = ") + db::quoted(round));
    if (!q.isOpen() || q.isEmpty())
        return QString();
    const qint64 heats = q.integer("HEATS");
    const qint64 released = q.integer("RELEASED");
    if (released <= 0)
        return QString();
    const QString which = released == heats ? QStringLiteral("T")
                                            : QString::number(released) + QStringLiteral(" of t");
    return which + QStringLiteral("he ") + QString::number(heats) +
           QStringLiteral(" Heats for Round ") + round +
           QStringLiteral("\rwas already Released.  You cannot change the ") + what +
           QStringLiteral(".\rYou must first retract the Released ") + what +
           QStringLiteral(" before you can change them.");
}

Places::Places(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
               const meeting::MeetingSettings& meeting, QualifyingTest failsStandard)
    : m_database(database), m_items(items), m_meeting(meeting),
      m_failsStandard(std::move(failsStandard))
{
}

base::Messages& Places::messages() const
{
    return m_database.messages();
}

bool Places::combinedAsOne() const
{
    return m_meeting.integer(QStringLiteral("COMBINED_RESULTS_IS_ONE")) == 1;
}

bool Places::refusedByTeamPlaces() const
{
    if (m_meeting.integer(QStringLiteral("XCNT_TEAM_SCORE_PLACES")) <= 0)
        return false;
    messages().warning(
        QStringLiteral("Error: on the \"Settings : Winners\" screen, \rfor \"CrossCountry\", set "
                       "\"Places to use for team totals\" to 0"));
    return true;
}

RaceScope Places::raceScope(const ProgramRace& race) const
{
    if (!race.isCombined())
        return RaceScope::of(race);
    if (!race.isFinal() || race.heatNo != 0)
        messages().internalError(520201, QStringLiteral("Round and Heat (") + race.round +
                                             QString::number(race.heatNo) +
                                             QStringLiteral(") should be F0: ") + race.itemCode);
    if (m_database.ZSqlCount(QStringLiteral("MYEVENT"),
                             QStringLiteral("COMBINEDNO = ") + db::sqlInt(race.combinedNo)) == 0)
        messages().internalError(
            520202, QStringLiteral("How did you create this: Combineds MUST have Items"));
    return RaceScope::combined(race.combinedNo, race.itemCode);
}

FinalPlacesRequest Places::finalRequest(const ProgramRace& race) const
{
    FinalPlacesRequest request;
    request.byAge = m_items.IsMixedAgeOrVeteran(race.itemCode);
    request.failsStandard = m_failsStandard;
    if (race.isCombined() && combinedAsOne()) {
        if (request.byAge)
            messages().internalError(520203,
                                     QStringLiteral("Cannot Mixed AND Combined in the same Item"));
        request.scope = raceScope(race);
        request.combinedAsOne = true;
    } else {
        request.scope = RaceScope::of(race);
    }
    return request;
}

bool Places::nathlonIncomplete(const ProgramRace& race)
{
    if (race.nAthlon <= 0 || !m_items.IsNathlon(race.itemCode))
        return false;
    // The components: the other events of the same n-athlon, gender and age.
    db::Query q = m_database.openQuery(
        QStringLiteral("select E.ITEMCODE, coalesce(P.NOT_CALCULATED_YET, 0) as NOT_CALC, "
                       "coalesce(P.PLACEDCOUNT, 0) as PLACED from MYEVENT N "
                       "join MYEVENT E on E.MEETINGNO = N.MEETINGNO and E.N_ATHLON = N.N_ATHLON "
                       "and E.C_GENDER = N.C_GENDER and E.C_AGE = N.C_AGE "
                       "and E.ITEMCODE not starting with 'NTH' "
                       "join PROGRAM P on P.EVENTNO = E.EVENTNO and P.ROUND = 'F' "
                       "where N.EVENTNO = ") +
        db::sqlInt(race.eventNo) + QStringLiteral(" order by E.C_SEQ"));
    QStringList lines;
    for (q.first(); q.isOpen() && !q.eof(); q.next()) {
        const QString item = m_items.ItemDescription(q.text("ITEMCODE").trimmed(), false);
        if (q.integer("NOT_CALC") == 1)
            lines.append(item + QStringLiteral(" not calculated"));
        else if (q.integer("PLACED") == 0)
            lines.append(item + QStringLiteral(" no athletes placed"));
    }
    if (lines.isEmpty())
        return false;
    messages().warning(QStringLiteral("n-Athlon Results not Complete\r\r") +
                       lines.join(QLatin1Char('\r')));
    return true;
}

bool Places::CalcPlaces(qint64 programNo, QStringList* changes)
{
    const std::optional<ProgramRace> race = readProgramRace(m_database, programNo);
    if (!race) {
        messages().internalError(520204, QStringLiteral("There is no program row ") +
                                             QString::number(programNo));
        return false;
    }
    if (refusedByTeamPlaces())
        return false;
    const QString refusal = releasedRoundRefusal(m_database, m_meeting, race->eventNo, race->round,
                                                 kResults, QStringLiteral("RESULTS_RELEASED"));
    if (!refusal.isEmpty()) {
        messages().warning(refusal);
        return false;
    }
    if (!m_incompleteNathlonAccepted && nathlonIncomplete(*race))
        return false;
    // A combined event's total has no heats: its final holds the computed totals.
    if (race->finalNotRun && race->isFinal() && !m_items.IsNathlon(race->itemCode) &&
        !CopyHeatsToFinal(race->eventNo))
        return false;
    if (!results::RenumberRacePlaces(m_database, m_items, raceScope(*race), false, changes))
        return false;
    if (m_items.IsVerticalJump(race->itemCode))
        return true;
    messages().progress(QStringLiteral("Calculating final places"), race->itemCode);
    const bool done =
        race->isCombined() && !combinedAsOne()
            ? calcEachItemOfCombined(race->combinedNo)
            : results::CalcFinalPlaces(m_database, finalRequest(*race), FinalPlacesMode::Renumber);
    messages().progressDone();
    return done;
}

// Items that stay separate in a combined race: every item of the race gets its own places
// from the race places just renumbered, not only the one whose row was asked for.
bool Places::calcEachItemOfCombined(qint64 combinedNo)
{
    db::Query q = m_database.openQuery(
        QStringLiteral("select P.PROGRAMNO from PROGRAM P join MYEVENT E on E.EVENTNO = "
                       "P.EVENTNO where P.ROUND = 'F' and P.HEATNO = 0 and E.COMBINEDNO = ") +
        db::sqlInt(combinedNo) + QStringLiteral(" order by E.EVENTNO"));
    QList<qint64> rows;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        rows.append(q.integer("PROGRAMNO"));
    bool done = q.isOpen();
    for (const qint64 row : rows) {
        const std::optional<ProgramRace> item = readProgramRace(m_database, row);
        done =
            item &&
            results::CalcFinalPlaces(m_database, finalRequest(*item), FinalPlacesMode::Renumber) &&
            done;
    }
    return done;
}

bool Places::calcAndRefresh(qint64 programNo, QStringList* changes)
{
    const bool calculated = CalcPlaces(programNo, changes);
    RefreshCalculatedFlag(programNo);
    return calculated;
}

bool Places::RenumberRacePlaces(qint64 programNo, bool showMessages, QStringList* changes)
{
    const std::optional<ProgramRace> race = readProgramRace(m_database, programNo);
    if (!race)
        return false;
    return results::RenumberRacePlaces(m_database, m_items, raceScope(*race), showMessages,
                                       changes);
}

bool Places::CalcFinalPlaces(qint64 programNo, FinalPlacesMode mode, QStringList* errors)
{
    const std::optional<ProgramRace> race = readProgramRace(m_database, programNo);
    if (!race)
        return false;
    return results::CalcFinalPlaces(m_database, finalRequest(*race), mode, errors);
}

bool Places::CalcCombinedFinalPlaces(qint64 combinedNo, FinalPlacesMode mode, QStringList* errors)
{
    db::Query q = m_database.openQuery(
        QStringLiteral("select first 1 ITEMCODE from MYEVENT where COMBINEDNO = ") +
        db::sqlInt(combinedNo) + QStringLiteral(" order by EVENTNO"));
    if (!q.isOpen() || q.isEmpty()) {
        messages().internalError(
            520205, QStringLiteral("How did you create this: Combineds MUST have Items"));
        return false;
    }
    FinalPlacesRequest request;
    request.scope = RaceScope::combined(combinedNo, q.text("ITEMCODE").trimmed());
    request.combinedAsOne = true;
    request.failsStandard = m_failsStandard;
    return results::CalcFinalPlaces(m_database, request, mode, errors);
}

bool Places::CopyHeatsToFinal(qint64 eventNo)
{
    db::Query heats = m_database.openQuery(
        QStringLiteral("select ATHLETENO, coalesce(PERFORMANCE, '') as PERFORMANCE, "
                       "coalesce(DISQ_STATUS, 0) as DISQ_STATUS, "
                       "coalesce(THIRD_DIGIT, '') as THIRD_DIGIT from HEATPART where EVENTNO = ") +
        db::sqlInt(eventNo) + QStringLiteral(" and ROUND = 'A' order by HEATPARTNO"));
    if (!heats.isOpen())
        return false;
    RowWriter writer(m_database);
    writer.execute(QStringLiteral("update PARTICIPATE set PERFORMANCE = '', THIRD_DIGIT = '', "
                                  "DISQ_STATUS = 0, E_PLACE = 0, PLACE = 0 where EVENTNO = ") +
                   db::sqlInt(eventNo));
    for (heats.first(); !heats.eof(); heats.next()) {
        writer.execute(
            QStringLiteral("update PARTICIPATE set PERFORMANCE = ") +
            db::quoted(heats.text("PERFORMANCE").trimmed()) + QStringLiteral(", DISQ_STATUS = ") +
            db::sqlInt(heats.integer("DISQ_STATUS")) + QStringLiteral(", THIRD_DIGIT = ") +
            db::quoted(heats.text("THIRD_DIGIT").trimmed()) + QStringLiteral(" where EVENTNO = ") +
            db::sqlInt(eventNo) + QStringLiteral(" and ATHLETENO = ") +
            db::sqlInt(heats.integer("ATHLETENO")));
    }
    return writer.finish();
}

QList<qint64> Places::combinedProgramRows(qint64 combinedNo)
{
    QList<qint64> rows;
    db::Query q = m_database.openQuery(
        QStringLiteral("select P.PROGRAMNO from PROGRAM P join MYEVENT E on E.EVENTNO = "
                       "P.EVENTNO where P.ROUND = 'F' and E.COMBINEDNO = ") +
        db::sqlInt(combinedNo));
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        rows.append(q.integer("PROGRAMNO"));
    return rows;
}

bool Places::RefreshCalculatedFlag(qint64 programNo, QStringList* errors)
{
    const std::optional<ProgramRace> race = readProgramRace(m_database, programNo);
    if (!race)
        return false;
    if (race->itemCode.isEmpty())
        messages().internalError(520206, QStringLiteral("Empty itemcode:") +
                                             QString::number(race->eventNo));
    QStringList found;
    bool ok = true;
    if (!race->itemCode.isEmpty() && m_items.IsVerticalJump(race->itemCode))
        ok = results::CalcFinalPlaces(m_database, finalRequest(*race), FinalPlacesMode::Check,
                                      &found);
    const RaceScope scope = raceScope(*race);
    ok = results::CheckRacePlaces(m_database, m_items, scope, &found) && ok;
    if (race->isCombined() && combinedAsOne())
        ok = results::CalcFinalPlaces(m_database, finalRequest(*race), FinalPlacesMode::Check,
                                      &found) &&
             ok;
    const QList<qint64> rows =
        race->isCombined() ? combinedProgramRows(race->combinedNo) : QList<qint64>{programNo};
    QStringList keys;
    for (qint64 row : rows)
        keys.append(db::sqlInt(row));
    m_database.execute(QStringLiteral("update PROGRAM set NOT_CALCULATED_YET = ") +
                       db::sqlInt(ok ? 0 : 1) + QStringLiteral(" where PROGRAMNO in (") +
                       keys.join(QLatin1Char(',')) + QLatin1Char(')'));
    // The n-athlon's total waits for its components.
    if (race->nAthlon > 0 && !m_items.IsNathlon(race->itemCode))
        m_database.execute(
            QStringLiteral("update PROGRAM P set P.NOT_CALCULATED_YET = 1 where P.ROUND = ") +
            db::quoted(race->round) +
            QStringLiteral(" and P.EVENTNO in (select N.EVENTNO from MYEVENT N join MYEVENT E "
                           "on E.MEETINGNO = N.MEETINGNO and E.N_ATHLON = N.N_ATHLON and "
                           "E.C_GENDER = N.C_GENDER and E.C_AGE = N.C_AGE where "
                           "N.ITEMCODE starting with 'NTH' and E.EVENTNO = ") +
            db::sqlInt(race->eventNo) + QLatin1Char(')'));
    draw::ProgramRows programRows(m_database, messages());
    for (qint64 row : rows)
        programRows.updatePlacedCount(row);
    if (errors)
        *errors += found;
    return ok;
}

QString Places::meetingFinalPlacesQuestion() const
{
    static const QStringList medalBases{QStringLiteral("no medals"),
                                        QStringLiteral("medals by place"),
                                        QStringLiteral("medals by table score")};
    const int basis = int(m_meeting.integer(QStringLiteral("MEDALBASEDON")));
    const QString medals =
        basis >= 0 && basis < medalBases.size() ? medalBases[basis] : medalBases[0];
    const QString combined = combinedAsOne() ? QStringLiteral("combined items placed as one item")
                                             : QStringLiteral("combined items placed per item");
    return QStringLiteral("Calculate the final places for all Events\rfor the current "
                          "Meeeting.\rThis function calculates the final Places\rtaking into "
                          "account ") +
           medals + QStringLiteral(" and ") + combined + QStringLiteral(".\r\rContinue");
}

bool Places::calcMeetingFinalPlaces(int meetingNo)
{
    if (!messages().confirm(meetingFinalPlacesQuestion()))
        return false;
    const QString caption = QStringLiteral("Calculating ALL final places");
    db::Query q = m_database.openQuery(
        QStringLiteral("select PROGRAMNO from PROGRAM where MEETINGNO = ") + db::sqlInt(meetingNo) +
        QStringLiteral(" order by DAY_SEQ, SEQ, ROUND, HEATNO"));
    QList<qint64> rows;
    for (q.first(); q.isOpen() && !q.eof(); q.next())
        rows.append(q.integer("PROGRAMNO"));
    bool all = q.isOpen();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        messages().progress(caption, caption, int(i), int(rows.size()));
        all = CalcFinalPlaces(rows[i], FinalPlacesMode::Renumber) && all;
    }
    if (combinedAsOne()) {
        // Each group is placed as one item once every event of it has its own places.
        const QString groups = QStringLiteral("Calculating ALL final places in combined events");
        db::Query combined = m_database.openQuery(
            QStringLiteral("select COMBINEDNO from COMBINED where MEETINGNO = ") +
            db::sqlInt(meetingNo) + QStringLiteral(" order by COMBINEDNO"));
        for (combined.first(); combined.isOpen() && !combined.eof(); combined.next()) {
            messages().progress(groups, groups);
            all = CalcCombinedFinalPlaces(combined.integer("COMBINEDNO"),
                                          FinalPlacesMode::Renumber) &&
                  all;
        }
    }
    messages().progressDone();
    messages().information(QStringLiteral("Done: all final Places were calculated."));
    return all;
}

} // namespace results
