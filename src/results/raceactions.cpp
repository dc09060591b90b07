#include "results/raceactions.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "results/calcstate.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "results/entrystatus.h"

namespace results {

std::optional<EntryRow> RaceActions::entryOf(const CaptureProgramRow& row,
                                             const CaptureAthleteRow& athlete)
{
    return readEntry(*m_run.database(), resultTable(row), athlete.key);
}

bool RaceActions::disqualify(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                             int code)
{
    if (athlete.key <= 0) {
        m_run.messages().warning(QStringLiteral("No athlete to disqualify"));
        return false;
    }
    const std::optional<EntryRow> entry = entryOf(row, athlete);
    if (!entry || !disqualifyEntry(*m_run.database(), *entry, code))
        return false;
    refreshCalculatedState(m_run, row.programNo);
    return true;
}

bool RaceActions::clearStatus(const CaptureProgramRow& row, const CaptureAthleteRow& athlete)
{
    if (athlete.key <= 0) {
        m_run.messages().warning(QStringLiteral("No athlete to clear"));
        return false;
    }
    const std::optional<EntryRow> entry = entryOf(row, athlete);
    if (!entry || !clearEntryStatus(*m_run.database(), *entry))
        return false;
    refreshCalculatedState(m_run, row.programNo);
    return true;
}

bool RaceActions::mayEditRaceWind(const CaptureProgramRow& row)
{
    const meeting::ItemTypes& items = m_run.items();
    base::Messages& messages = m_run.messages();
    if (items.IsNathlon(row.itemCode)) {
        messages.warning(
            QStringLiteral("You cannot edit the wind for an \"N-athlon Results\" item."));
        return false;
    }
    // Nothing in the water depends on the wind.
    const int kind = items.isSwimming() ? 0 : items.WindKind(row.itemCode);
    if (kind == 2 &&
        !messages.confirm(QStringLiteral("The Wind for this tem is captured per Performance.\r"
                                         "The Wind Speed must be captured for every jump.\r"
                                         "You do not capture the Wind for an Event as a whole.\r\r"
                                         "Proceed to edit the WindSpeed for the event anyway?")))
        return false;
    if (kind == 0 &&
        !messages.confirm(QStringLiteral("This Item is not wind-dependant.  Edit wind anyway?")))
        return false;
    if (m_run.meeting().integer(QStringLiteral("HAS_WIND")) == 0 &&
        !messages.confirm(QStringLiteral("You indicated that the Meeting need no WindSpeeds.\r"
                                         "Proceed to edit WindSpeed anyway?")))
        return false;
    return true;
}

bool RaceActions::setRaceWind(const CaptureProgramRow& row, const QString& wind)
{
    QString text = wind.trimmed();
    if (meeting::ItemTypes::WindIsEmpty(text))
        text.clear();
    else if (!m_run.items().CheckWindText(text, true))
        return false;
    return updateProgram(row, QStringLiteral("WIND_SPEED = ") + db::quoted(text));
}

bool RaceActions::updateProgram(const CaptureProgramRow& row, const QString& assignments)
{
    return m_run.database()->executeOneRow(QStringLiteral("update PROGRAM set ") + assignments +
                                           QStringLiteral(" where PROGRAMNO = ") +
                                           db::sqlInt(row.programNo));
}

bool RaceActions::setQueried(const CaptureProgramRow& row, bool queried)
{
    return updateProgram(row, QStringLiteral("QUERIED=") + db::sqlInt(queried ? 1 : 0));
}

bool RaceActions::setNoEntries(const CaptureProgramRow& row, bool noEntries)
{
    db::DmdCoreDbs& database = *m_run.database();
    if (noEntries &&
        database.ZSqlCount(QStringLiteral("PARTICIPATE"),
                           QStringLiteral("EVENTNO = ") + db::sqlInt(row.eventNo)) > 0) {
        m_run.messages().warning(QStringLiteral(
            "Athletes are entered for this Item.\rIt cannot be tagged as \"No Entries\"."));
        return false;
    }
    return database.executeOneRow(QStringLiteral("update MYEVENT set NO_ENTRIES = ") +
                                  db::sqlInt(noEntries ? 1 : 0) +
                                  QStringLiteral(" where EVENTNO = ") + db::sqlInt(row.eventNo));
}

bool RaceActions::setTiming(const CaptureProgramRow& row, int elecHand)
{
    if (m_run.items().IsFieldItem(row.itemCode)) {
        m_run.messages().warning(
            QStringLiteral("You cannot tag field events as \"Hand\" or \"Electronic\" time"));
        return false;
    }
    if (elecHand < 0 || elecHand > 2) {
        m_run.messages().internalError(510202, QStringLiteral("Invalid timing mark: ") +
                                                   QString::number(elecHand));
        return false;
    }
    return updateProgram(row, QStringLiteral("ELECHAND = ") + db::sqlInt(elecHand));
}

bool RaceActions::setResultsPrinted(const CaptureProgramRow& row, bool printed, bool ask)
{
    if (!printed && ask &&
        !m_run.messages().confirm(
            QStringLiteral("Remove the \"Results Printed\" tag from this event")))
        return false;
    return updateProgram(row, QStringLiteral("RESULTSPRINTED = ") + db::sqlInt(printed ? 1 : 0));
}

bool RaceActions::deleteParticipation(const CaptureProgramRow& row,
                                      const CaptureAthleteRow& athlete)
{
    db::DmdCoreDbs& database = *m_run.database();
    if (athlete.key <= 0) {
        m_run.messages().warning(QStringLiteral("No athlete to delete"));
        return false;
    }
    const QString athleteWhere = QStringLiteral("ATHLETENO = ") + db::sqlInt(athlete.athleteNo);
    if (database.ZSqlCount(QStringLiteral("HEATPART"),
                           QStringLiteral("EVENTNO = ") + db::sqlInt(row.eventNo) +
                               QStringLiteral(" and ") + athleteWhere) > 0) {
        m_run.messages().warning(
            QStringLiteral("You cannot delete this Athlete.  It participates in Heats"));
        return false;
    }
    if (!m_run.messages().confirm(QStringLiteral("Delete the participation of ") + athlete.name() +
                                  QStringLiteral(" in ") + row.item))
        return false;
    const bool deleted =
        database.execute(QStringLiteral("delete from PARTICIPATE where EVENTNO = ") +
                         db::sqlInt(row.eventNo) + QStringLiteral(" and ") + athleteWhere);
    if (deleted)
        refreshCalculatedState(m_run, row.programNo);
    return deleted;
}

bool RaceActions::deleteAthlete(const CaptureProgramRow& row, const CaptureAthleteRow& athlete)
{
    db::DmdCoreDbs& database = *m_run.database();
    if (athlete.key <= 0) {
        m_run.messages().warning(QStringLiteral("No athlete to delete"));
        return false;
    }
    const QString athleteWhere = QStringLiteral("ATHLETENO = ") + db::sqlInt(athlete.athleteNo);
    if (database.ZSqlCount(QStringLiteral("PARTICIPATE"), athleteWhere +
                                                              QStringLiteral(" and EVENTNO <> ") +
                                                              db::sqlInt(row.eventNo)) > 0) {
        m_run.messages().warning(
            QStringLiteral("You cannot delete this Athlete.  It participates in other Items"));
        return false;
    }
    if (database.ZSqlCount(QStringLiteral("HEATPART"), athleteWhere) > 0) {
        m_run.messages().warning(
            QStringLiteral("You cannot delete this Athlete.  It participates in Heats"));
        return false;
    }
    if (!m_run.messages().confirm(QStringLiteral("Delete the Athlete ") + athlete.name()))
        return false;
    // Entry and athlete go together or not at all.
    if (!database.executeAll({QStringLiteral("delete from PARTICIPATE where ") + athleteWhere,
                              QStringLiteral("delete from ATHLETE where ") + athleteWhere}))
        return false;
    refreshCalculatedState(m_run, row.programNo);
    return true;
}

} // namespace results
