#pragma once

#include "draw/heatgroups.h"
#include "meeting/itemtypes.h"

#include <QString>

#include <optional>

namespace db {
class DmdCoreDbs;
}
namespace draw {
class Events;
}
namespace meeting {
class MeetingSettings;
}
namespace base {
class Run;
}

namespace cli {

class Context;

// What the event, format and program commands share: the database, the meeting the
// command works on (loaded into the run) and the run's item codes.
class DrawCli {
public:
    explicit DrawCli(Context& ctx);

    // False (with the reason shown) when there is no database or no meeting.
    bool ready() const { return m_database != nullptr && m_meetingNo > 0; }
    db::DmdCoreDbs& database() { return *m_database; }
    int meetingNo() const { return m_meetingNo; }
    const meeting::ItemTypes& items() const;
    // The settings of the command's meeting, as the run holds them.
    const meeting::MeetingSettings& meeting() const;
    // The heat groups at the meeting's lanes.
    draw::HeatGroups groups() const;
    // The events of the command's meeting.
    draw::Events events();

    // The opening of the commands on the whole meeting: exactly `words` words left and the
    // command's meeting ready. Success, else (once the reason was shown) how the command ends.
    int open(Context& ctx, int words);

    // The opening of the commands on one event: exactly `words` words left, the first of
    // them EVENTNO, and the command's meeting ready. The event number, or 0 once the reason
    // was shown; exitCode() then says how the command ends.
    qint64 eventArgument(Context& ctx, int words);
    // The same with another number first: `what` names it (ATHLETENO, PROGRAMNO).
    qint64 numberArgument(Context& ctx, int words, const QString& what);
    int exitCode() const { return m_exitCode; }

    // A positive whole number from a command-line word; 0 after the usage error.
    static qint64 number(Context& ctx, const QString& word, const QString& what);
    // The value of "--seed N" into `seed` when given: a draw repeated with the same seed
    // gives the same heats and lanes. False after the usage error.
    static bool seed(Context& ctx, const QString& text, std::optional<quint64>* seed);

private:
    base::Run& m_run;
    db::DmdCoreDbs* m_database = nullptr;
    int m_meetingNo = 0;
    int m_exitCode = 0;
};

} // namespace cli
