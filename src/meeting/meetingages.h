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

namespace meeting {

struct GenderAge {
    QString gender; // "M", "F" or "T"
    QString age;    // two characters
};

// The gender-age pairs of the current meeting's selected events, ordered by gender and
// age. One per run, reloaded whenever a meeting becomes current; the ages it lists are the
// ones athletes' ages are defaulted to.
class MeetingAges {
public:
    // Reads the pairs of the meeting's events with SELECTED = 'X'. An unknown gender stops
    // the reading with an internal error; the pairs read until then remain.
    void reload(db::DmdCoreDbs& database, int meetingNo);
    void clear() { m_pairs.clear(); }

    const QList<GenderAge>& pairs() const { return m_pairs; }
    // The ordered ages of one gender.
    QStringList agesOf(const QString& gender) const;

    // The age an athlete of this gender and age is entered as: the same age when the
    // meeting has items for it, else the next or the one after, else the oldest when the
    // athlete is one year older than it; unchanged otherwise. An unknown gender is an
    // internal error.
    int defaultAge(base::Messages& messages, const QString& gender, int age) const;

private:
    QList<GenderAge> m_pairs;
};

} // namespace meeting
