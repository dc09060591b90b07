#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace sheets {

// One recipient line of a sheet kind: a printed copy goes to each active line.
struct DistributionLine {
    qint64 dstrNo = 0;
    QString sheet;
    QString text;
    bool active = false;
};

// The longest line DSTR_TEXT holds.
inline constexpr int kDistributionTextLength = 150;

// The distribution lines of one meeting, per sheet kind.
class Distribution {
public:
    Distribution(db::DmdCoreDbs& database, base::Messages& messages, int meetingNo)
        : m_db(database), m_messages(messages), m_meetingNo(meetingNo)
    {
    }

    // Every line of a kind (every kind when empty), active or not, in the order they were
    // added.
    QList<DistributionLine> lines(const QString& sheet = QString());
    // The texts of the active lines of a kind: one printed copy each.
    QStringList activeTexts(const QString& sheet);

    // A new active line; its key, or 0 after the message when the kind or text is refused.
    qint64 add(const QString& sheet, const QString& text);
    bool edit(qint64 dstrNo, const QString& text);
    bool remove(qint64 dstrNo);
    // Active becomes inactive and the other way round.
    bool toggle(qint64 dstrNo);
    // Asks, then adds the kind's default lines as active lines. The number added; 0 when
    // declined or refused.
    int loadDefaults(const QString& sheet);

private:
    bool checkText(const QString& text);
    bool exists(qint64 dstrNo);

    db::DmdCoreDbs& m_db;
    base::Messages& m_messages;
    int m_meetingNo;
};

} // namespace sheets
