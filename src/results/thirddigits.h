#pragma once

#include <QList>
#include <QString>

namespace base {
class Run;
}

namespace results {

struct CaptureAthleteRow;
struct CaptureProgramRow;

// One line of the grid of equal times: the athlete and the time with its digit.
struct ThirdDigitLine {
    qint64 athleteNo = 0;
    QString caption;
    QString performance;
    QString thirdDigit;
    QString threeDecimals; // the time refined by the digit
};

// Third timing digits: they only separate equal two-decimal times of track items.
class ThirdDigits {
public:
    explicit ThirdDigits(base::Run& run) : m_run(run) {}

    // Whether the row's item takes third digits at all (told when not).
    bool mayEdit(const CaptureProgramRow& row);
    // One athlete's digit ("0" to "9", or empty to remove it). On a final that is not run
    // the digit goes to the athlete's round A heat and reaches the final when it is
    // calculated; there it is refused unless the time has a duplicate.
    bool setDigit(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                  const QString& digit);
    // The athletes of the race whose time equals another's (with or without a digit).
    QList<ThirdDigitLine> grid(const CaptureProgramRow& row,
                               const QList<CaptureAthleteRow>& athletes) const;
    // Writes the digits of the grid; every digit is checked before anything is written.
    bool setDigits(const CaptureProgramRow& row, const QList<CaptureAthleteRow>& athletes,
                   const QList<ThirdDigitLine>& lines);

private:
    bool checkDigit(const QString& digit);
    QString writeSql(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                     const QString& digit) const;

    base::Run& m_run;
};

} // namespace results
