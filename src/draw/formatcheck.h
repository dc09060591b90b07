#pragma once

#include "draw/heatformats.h"
#include "draw/heatgroups.h"

#include <QStringList>

namespace db {
class DmdCoreDbs;
}

namespace draw {

// Checks of heat formats: against the text a user typed, against the lanes of the item
// and the athletes entered, and of a whole meeting's heat counts against its entries.
class FormatCheck {
public:
    explicit FormatCheck(const HeatGroups& groups) : m_groups(groups) {}

    // The message for a format text that cannot be stored; empty when it can. Every
    // group must be three whole numbers, as the editor's rows are.
    static QString textError(const QString& format);

    // The lines of the lane and athlete check; empty when the format passes.
    QStringList check(const QString& itemCode, const QString& format, int athletes) const;

    struct MeetingReport {
        QStringList lines; // sorted "ERROR: ..." and "Hint : ..." lines
        int errors = 0;
        int hints = 0;
        int correct = 0;
        bool passed() const { return errors == 0; }
        // The heading, counts and column caption of the list window; text() adds the lines.
        QString heading() const;
        QString text() const;
    };
    // Compares every selected track event's first-round heats with its entries.
    MeetingReport checkMeeting(db::DmdCoreDbs& database, int meetingNo) const;

private:
    static QStringList roundLines(const QString& round, const RoundGroup& group, int nextHeats,
                                  int perHeat);

    const HeatGroups& m_groups;
};

} // namespace draw
