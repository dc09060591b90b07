#pragma once

#include <QString>

namespace meeting {
class ItemTypes;
}
namespace base {
class Messages;
class Run;
} // namespace base

namespace results {

struct CaptureAthleteRow;
struct CaptureProgramRow;

// What the edit dialog (or a command line, or an imported line) hands over: the texts as
// typed and the chosen status.
struct ResultEntry {
    QString place;
    QString performance;
    int status = 0;
    QString reason;
    QString wind;
    QString thirdDigit;
};

// The values an athlete's row holds now, as the dialog starts from them.
ResultEntry entryOf(const CaptureAthleteRow& athlete);

// Capturing one result: the dialog's checks in their order and the write of the row in
// one statement, then the program row's "not calculated" state.
class ResultCapture {
public:
    explicit ResultCapture(base::Run& run);
    // Reports to `messages` and reads performances through `items` instead of the run's
    // (an import collects the messages of each line).
    ResultCapture(base::Run& run, base::Messages& messages, const meeting::ItemTypes& items);

    // A final that is not run takes no results of its own (refused with the message).
    bool mayEdit(const CaptureProgramRow& row);
    // The item code the athlete's performance is read by: a mixed-age or veteran item
    // takes the athlete's own age.
    QString itemCodeFor(const CaptureProgramRow& row, const CaptureAthleteRow& athlete);

    // The checks of "Accept" in their order; the first failure shows its message and
    // returns false. A decimal comma is made a point and a third digit without a
    // performance is cleared in `entry`.
    bool check(const QString& itemCode, ResultEntry& entry);
    // Writes the checked entry, refreshes the row's calculated state and tells when the
    // performance beat or equalled a record the meeting watches.
    bool save(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
              const ResultEntry& entry);
    // mayEdit, check and save.
    bool capture(const CaptureProgramRow& row, const CaptureAthleteRow& athlete, ResultEntry entry);

    // The statement that writes an entry to a row: every result column at once.
    static QString writeSql(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                            const ResultEntry& entry);

private:
    bool checkStatus(const ResultEntry& entry);
    bool checkPlace(const QString& place);
    bool checkWind(const QString& itemCode, const ResultEntry& entry);
    // "RECORDS were beaten or equalled" or "WIND Prevented a record" after a save.
    void reportRecords(const CaptureProgramRow& row, const CaptureAthleteRow& athlete,
                       const ResultEntry& entry);

    base::Run& m_run;
    base::Messages& m_messages;
    const meeting::ItemTypes& m_items;
};

// The entered place as a number; 0 when empty.
int placeNumber(const QString& place);
// "0" to "9", or empty: a third timing digit as stored.
bool isThirdDigitText(const QString& digit);

} // namespace results
