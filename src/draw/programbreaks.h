#pragma once

#include <QList>
#include <QString>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace draw {

struct ProgramBreak {
    qint64 breakNo = 0;
    qint64 programNo = 0;
    int seq = 0;
    QString description;
};

// Breaks fall after a program row; a break whose row is gone is disconnected.
class ProgramBreaks {
public:
    ProgramBreaks(db::DmdCoreDbs& database, base::Messages& messages, int meetingNo)
        : m_database(database), m_messages(messages), m_meetingNo(meetingNo)
    {
    }

    qint64 add(qint64 programNo, const QString& description);
    bool edit(qint64 breakNo, const QString& description);
    // Asks "Delete this Break" first.
    bool remove(qint64 breakNo);
    // The connected breaks ordered by the SEQ of their row.
    QList<ProgramBreak> list();
    int disconnectedCount();
    // Lists the disconnected breaks and deletes them when the user agrees.
    int removeDisconnected();

private:
    db::DmdCoreDbs& m_database;
    base::Messages& m_messages;
    int m_meetingNo;
};

} // namespace draw
