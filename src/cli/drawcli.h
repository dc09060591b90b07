#pragma once

#include "meeting/itemtypes.h"

#include <QString>

namespace db {
class DmdCoreDbs;
}

namespace cli {

class Context;

// What the event, format and program commands share: the database, the meeting the
// command works on and the item codes of the edition.
class DrawCli {
public:
    explicit DrawCli(Context& ctx);

    // False (with the reason shown) when there is no database or no meeting.
    bool ready() const { return m_database != nullptr && m_meetingNo > 0; }
    db::DmdCoreDbs& database() { return *m_database; }
    int meetingNo() const { return m_meetingNo; }
    const meeting::ItemTypes& items() const { return m_items; }

    // A positive whole number from a command-line word; 0 after the usage error.
    static qint64 number(Context& ctx, const QString& word, const QString& what);

private:
    db::DmdCoreDbs* m_database = nullptr;
    int m_meetingNo = 0;
    meeting::ItemTypes m_items;
};

} // namespace cli
