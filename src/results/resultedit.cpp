#include "results/resultedit.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "records/recordcheck.h"
#include "results/calcstate.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "results/statuscodes.h"

namespace results {

namespace {
// Where the age sits in an item code: group (3), type (7), gender (1), age (2).
constexpr int kAgePosition = 11;
} // namespace

ResultEntry entryOf(const CaptureAthleteRow& athlete)
{
    ResultEntry e;
    e.place = athlete.ePlace > 0 ? QString::number(athlete.ePlace) : QString();
    e.performance = athlete.hasPerformance() ? athlete.performance : QString();
    e.status = athlete.status;
    e.reason = athlete.reason;
    e.wind = athlete.wind;
    e.thirdDigit = athlete.thirdDigit;
    return e;
}

int placeNumber(const QString& place)
{
    return place.trimmed().toInt();
}

bool isThirdDigitText(const QString& digit)
{
    return digit.isEmpty() || (digit.size() == 1 && digit.at(0).isDigit());
}

ResultCapture::ResultCapture(base::Run& run)
    : m_run(run), m_messages(run.messages()), m_items(run.items())
{
}

ResultCapture::ResultCapture(base::Run& run, base::Messages& messages,
                             const meeting::ItemTypes& items)
    : m_run(run), m_messages(messages), m_items(items)
{
}

bool ResultCapture::mayEdit(const CaptureProgramRow& row)
{
    if (!row.isCalculatedFinal())
        return true;
    m_messages.warning(QStringLiteral("You cannot enter data on a calculated final.\r"
                                      "You must enter or edit the data on the various Heats.\r\r"
                                      "You indicate whether the final of an Item is run\r"
                                      "under \"Before\" -> \"Select Items and Heats\"."));
    return false;
}

QString ResultCapture::itemCodeFor(const CaptureProgramRow& row, const CaptureAthleteRow& athlete)
{
    const meeting::ItemTypes& items = m_items;
    QString code = row.itemCode;
    if (!items.IsMixedAgeOrVeteran(code))
        return code;
    // A relay team's age is its age group, 99 in a mixed-age relay, and a relay's format
    // follows its distance alone: the item's own code stands.
    if (items.IsRelayGroup(code.left(3)))
        return code;
    if (code.mid(kAgePosition, 2) == QLatin1String("99"))
        code.replace(kAgePosition, 2, QStringLiteral("%1").arg(athlete.age, 2, 10, QChar('0')));
    if (code.mid(kAgePosition, 2) == QLatin1String("99"))
        m_messages.internalError(510101, QStringLiteral("Did we not replace the age"));
    return code;
}

bool ResultCapture::checkStatus(const ResultEntry& entry)
{
    if (statusClearsResult(entry.status) &&
        (!entry.place.trimmed().isEmpty() || !meeting::ItemTypes::PerfIsBlank(entry.performance))) {
        m_messages.warning(QStringLiteral("The Place or Performance may not have\r"
                                          "values if the athlete is disqualified."));
        return false;
    }
    const QString refusal = disqReasonRefusal(entry.status, entry.reason);
    if (!refusal.isEmpty()) {
        m_messages.warning(refusal);
        return false;
    }
    return true;
}

bool ResultCapture::checkPlace(const QString& place)
{
    const QString p = place.trimmed();
    if (p.isEmpty())
        return true;
    if (p.size() > 2) {
        m_messages.warning(QStringLiteral("The place may not be more than 2 digits"));
        return false;
    }
    bool number = false;
    const int value = p.toInt(&number);
    if (!number) {
        m_messages.warning(QStringLiteral("The place must be a number"));
        return false;
    }
    if (value < 0) {
        m_messages.warning(QStringLiteral("The place may not be less than zero"));
        return false;
    }
    return true;
}

bool ResultCapture::checkWind(const QString& itemCode, const ResultEntry& entry)
{
    // Only the athletics edition's items with a reading per jump, in a meeting that takes
    // wind on track and field.
    if (m_items.WindKind(itemCode) != 2 || m_run.meeting().integer(QStringLiteral("HAS_WIND")) != 2)
        return true;
    const bool nothing =
        entry.place.trimmed().isEmpty() && meeting::ItemTypes::PerfIsBlank(entry.performance);
    if (nothing) {
        if (!meeting::ItemTypes::WindIsEmpty(entry.wind)) {
            m_messages.warning(
                QStringLiteral("You have no performance.  The WindSpeed must be empty"));
            return false;
        }
        return true;
    }
    if (!meeting::ItemTypes::WindIsEmpty(entry.wind))
        return m_items.CheckWindText(entry.wind, true);
    return m_messages.confirm(
        QStringLiteral("The wind is empty.  Accept it as is, meaning: \"not entered\"."));
}

bool ResultCapture::check(const QString& itemCode, ResultEntry& entry)
{
    const meeting::ItemTypes& items = m_items;
    entry.performance = meeting::ItemTypes::FixDecimalComma(entry.performance);
    if (!checkStatus(entry))
        return false;
    const bool blank = meeting::ItemTypes::PerfIsBlank(entry.performance);
    if (items.IsVerticalJump(itemCode) && !blank && entry.place.trimmed().isEmpty()) {
        m_messages.warning(QStringLiteral("You must enter the place for Vertical Jumps.\r\r"
                                          "It cannot be calculated because the program\r"
                                          "does not have all the required information.\r\r"
                                          "Remember: if there\r"
                                          "is a tie for second place, the places of the\r"
                                          "Athletes should be 1,2,2,4, and not 1,2,2,3."));
        return false;
    }
    if (!checkPlace(entry.place))
        return false;
    if (!blank && !items.CheckPerfFormat(itemCode, entry.performance, true))
        return false;
    if (placeNumber(entry.place) > 0 && blank)
        m_messages.warning(QStringLiteral("WARNING: you entered a place without a performance.\r"
                                          "Please check that it is intended"));
    if (!checkWind(itemCode, entry))
        return false;
    if (blank && !entry.thirdDigit.isEmpty()) {
        m_messages.information(
            QStringLiteral("The performance is empty, but there is a third digit.\r"
                           "The thitd digit will be cleared."));
        entry.thirdDigit.clear();
    }
    if (!isThirdDigitText(entry.thirdDigit)) {
        m_messages.warning(QStringLiteral("Enter a digit"));
        return false;
    }
    return true;
}

QString ResultCapture::writeSql(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                                const ResultEntry& entry)
{
    const QString place = db::sqlInt(placeNumber(entry.place));
    const QString performance = meeting::ItemTypes::PerfIsBlank(entry.performance)
                                    ? QString()
                                    : entry.performance.trimmed();
    const QString wind =
        meeting::ItemTypes::WindIsEmpty(entry.wind) ? QString() : entry.wind.trimmed();
    return QStringLiteral("update ") + resultTable(row) + QStringLiteral(" set E_PLACE = ") +
           place + QStringLiteral(", PLACE = ") + place + QStringLiteral(", PERFORMANCE = ") +
           db::quoted(performance) + QStringLiteral(", THIRD_DIGIT = ") +
           db::quoted(entry.thirdDigit) + QStringLiteral(", DISQ_STATUS = ") +
           db::sqlInt(entry.status) + QStringLiteral(", DISQ_REASON = ") +
           db::quoted(entry.reason.trimmed()) + QStringLiteral(", WIND_SPEED = ") +
           db::quoted(wind) + QStringLiteral(" where ") + resultKey(row) + QStringLiteral(" = ") +
           db::sqlInt(athlete.key);
}

bool ResultCapture::save(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                         const ResultEntry& entry)
{
    db::DmdCoreDbs& database = *m_run.database();
    if (!database.executeOneRow(writeSql(row, athlete, entry)))
        return false;
    refreshCalculatedState(m_run, row.programNo);
    // A place typed by hand stays red until the next calculation, even when it agrees.
    if (placeNumber(entry.place) != athlete.place)
        database.execute(QStringLiteral("update PROGRAM set NOT_CALCULATED_YET=1 where "
                                        "PROGRAMNO=") +
                         db::sqlInt(row.programNo));
    reportRecords(row, athlete, entry);
    return true;
}

void ResultCapture::reportRecords(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                                  const ResultEntry& entry)
{
    // A result that does not count (a status other than unofficial) beats no record.
    if (meeting::ItemTypes::PerfIsBlank(entry.performance) || statusClearsResult(entry.status) ||
        entry.status == kUof)
        return;
    records::RecordCheck check(*m_run.database(), m_items, m_run.meeting());
    const QString message =
        check
            .RecordsBroken(row.itemCode, entry.performance.trimmed(), entry.wind, athlete.athleteNo)
            .captureMessage();
    if (!message.isEmpty())
        m_messages.information(message);
}

bool ResultCapture::capture(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                            ResultEntry entry)
{
    return mayEdit(row) && check(itemCodeFor(row, athlete), entry) && save(row, athlete, entry);
}

} // namespace results
