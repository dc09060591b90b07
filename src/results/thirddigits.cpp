#include "results/thirddigits.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "results/calcstate.h"
#include "results/captureathletes.h"
#include "results/captureprogram.h"
#include "results/resultedit.h"

namespace results {

bool ThirdDigits::mayEdit(const CaptureProgramRow& row)
{
    if (m_run.items().IsFieldItem(row.itemCode)) {
        m_run.messages().warning(QStringLiteral("You cannot edit ThirdDigits for Field items"));
        return false;
    }
    return true;
}

bool ThirdDigits::checkDigit(const QString& digit)
{
    if (isThirdDigitText(digit))
        return true;
    m_run.messages().warning(QStringLiteral("Enter a digit"));
    return false;
}

QString ThirdDigits::writeSql(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                              const QString& digit) const
{
    if (row.isCalculatedFinal())
        return QStringLiteral("update HEATPART set THIRD_DIGIT=") + db::quoted(digit) +
               QStringLiteral(" where MEETINGNO = ") + db::sqlInt(m_run.currentMeetingNo()) +
               QStringLiteral(" and EVENTNO = ") + db::sqlInt(row.eventNo) +
               QStringLiteral(" and ATHLETENO = ") + db::sqlInt(athlete.athleteNo) +
               QStringLiteral(" and ROUND = 'A'");
    return QStringLiteral("update ") + resultTable(row) + QStringLiteral(" set THIRD_DIGIT=") +
           db::quoted(digit) + QStringLiteral(" where ") + resultKey(row) + QStringLiteral(" = ") +
           db::sqlInt(athlete.key);
}

bool ThirdDigits::setDigit(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                           const QString& digit)
{
    if (!mayEdit(row) || !checkDigit(digit))
        return false;
    if (row.isCalculatedFinal() && athlete.digitState != ThirdDigitState::Done &&
        athlete.digitState != ThirdDigitState::Needed) {
        m_run.messages().warning(
            QStringLiteral("You can only edit the Third Digit on calculated finals,\r"
                           "The performance is not a duplicate up the second digit:\r"
                           "it makes no sence to edit the third digit."));
        return false;
    }
    if (!digit.isEmpty() && !athlete.hasPerformance()) {
        m_run.messages().warning(
            QStringLiteral("The performance is empty, but there is a third digit.\r"
                           "The thitd digit will be cleared."));
        return false;
    }
    if (!m_run.database()->execute(writeSql(row, athlete, digit)))
        return false;
    refreshCalculatedState(m_run, row.programNo);
    return true;
}

QList<ThirdDigitLine> ThirdDigits::grid(const CaptureProgramRow& row,
                                        const QList<CaptureAthleteRow>& athletes) const
{
    QList<ThirdDigitLine> lines;
    for (const CaptureAthleteRow& a : athletes) {
        if (a.digitState != ThirdDigitState::Done && a.digitState != ThirdDigitState::Needed)
            continue;
        ThirdDigitLine l;
        l.athleteNo = a.athleteNo;
        l.caption = a.caption();
        l.performance = a.performance;
        l.thirdDigit = a.thirdDigit;
        l.threeDecimals = m_run.items().AddThirdDigit(row.itemCode, a.performance, a.thirdDigit);
        lines.append(l);
    }
    return lines;
}

bool ThirdDigits::setDigits(const CaptureProgramRow& row, const QList<CaptureAthleteRow>& athletes,
                            const QList<ThirdDigitLine>& lines)
{
    if (!mayEdit(row))
        return false;
    for (const ThirdDigitLine& l : lines)
        if (!checkDigit(l.thirdDigit))
            return false;
    db::DmdCoreDbs& database = *m_run.database();
    QStringList statements;
    for (const ThirdDigitLine& l : lines)
        for (const CaptureAthleteRow& a : athletes)
            if (a.athleteNo == l.athleteNo && a.thirdDigit != l.thirdDigit)
                statements << writeSql(row, a, l.thirdDigit);
    if (!database.executeAll(statements))
        return false;
    refreshCalculatedState(m_run, row.programNo);
    return true;
}

} // namespace results
