#pragma once

#include <QList>
#include <QString>

namespace base {
class Run;
}
namespace meeting {
class MeetingSettings;
}

namespace scoring {

// The meeting's choice of score tables ("Settings: Scores and Points"): the set of ordinary
// events and whether every event is scored, the set of the n-athlon components, the height
// of the venue above sea and the meeting's timing.
struct ScoreSetChoice {
    int scoreSet = 0;
    bool tableScore = false;
    int nAthlonSet = 0;
    QString height = QStringLiteral("0");
    bool handTiming = false;
    bool mastersItems = false;

    static ScoreSetChoice of(const meeting::MeetingSettings& meeting);
};

// The sets a meeting may choose, in the order offered: the published sets of the settings
// list and WorldAth 2003, the combined-event formula at hand.
QList<std::pair<int, QString>> choosableScoreSets();

// Why the choice cannot be stored: a set without its data, a table score without a set, a
// height that is no number; empty when it can.
QString scoreSetChoiceRefusal(const ScoreSetChoice& choice);

// Stores the choice in the current meeting after the checks above; false, with the message,
// when one fails (nothing is written then).
bool saveScoreSetChoice(base::Run& run, const ScoreSetChoice& choice);

// "Select Score Table": the score table of the ordinary events alone (0 for none), refused
// as the settings refuse it; false, with the message and nothing written, when refused.
bool saveMeetingScoreSet(base::Run& run, int scoreSet);

} // namespace scoring
