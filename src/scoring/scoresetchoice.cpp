#include "scoring/scoresetchoice.h"

#include "base/messages.h"
#include "base/run.h"
#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"
#include "scoring/scoredata.h"
#include "scoring/scoresets.h"

namespace scoring {

ScoreSetChoice ScoreSetChoice::of(const meeting::MeetingSettings& meeting)
{
    ScoreSetChoice c;
    c.scoreSet = int(meeting.integer(QStringLiteral("SCORESETNO")));
    c.tableScore = meeting.integer(QStringLiteral("HAS_TABLE_SCORE")) == 1;
    c.nAthlonSet = int(meeting.integer(QStringLiteral("NATHLON_SCORESET")));
    c.height = QString::number(meeting.integer(QStringLiteral("HEIGHTABOVESEA")));
    c.handTiming = meeting.integer(QStringLiteral("ELECHAND")) == 2;
    c.mastersItems = meeting.integer(QStringLiteral("HAS_MASTERS_ITEMS")) == 1;
    return c;
}

QList<std::pair<int, QString>> choosableScoreSets()
{
    return {{38, QStringLiteral("APE 2024")},
            {34, QStringLiteral("ASA 2020")},
            {15, QStringLiteral("ABSA 2007")},
            {32, QStringLiteral("WorldAth 2017 VETS")},
            {19, QStringLiteral("WorldAth 2008 COMB")},
            {37, QStringLiteral("WorldAth 2022")},
            {40, QStringLiteral("XSA 2024")},
            {39, scoreSetDisplayName(39)},
            {5, scoreSetDisplayName(5)}};
}

namespace {

// Why a set cannot be chosen: its data is not at hand. Empty when it can.
QString unavailable(int set)
{
    return set > 0 && !ScoreData::builtIn().isAtHand(set)
               ? QStringLiteral("The ScoreTable for ") + scoreSetDisplayName(set) +
                     QStringLiteral(" is not available")
               : QString();
}

QString noSetToScoreEvents(int set, bool tableScore)
{
    return tableScore && set <= 0
               ? QStringLiteral("Select the Score table with which every event is scored")
               : QString();
}

} // namespace

QString scoreSetChoiceRefusal(const ScoreSetChoice& c)
{
    for (const QString& why : {unavailable(c.scoreSet), unavailable(c.nAthlonSet),
                               noSetToScoreEvents(c.scoreSet, c.tableScore)}) {
        if (!why.isEmpty())
            return why;
    }
    if (c.height.trimmed().isEmpty())
        return QStringLiteral("The Height above sealevel is empty");
    bool ok = false;
    const int height = c.height.trimmed().toInt(&ok);
    if (!ok || height < 0)
        return QStringLiteral("The height is not a number");
    return QString();
}

bool saveScoreSetChoice(base::Run& run, const ScoreSetChoice& c)
{
    if (const QString why = scoreSetChoiceRefusal(c); !why.isEmpty()) {
        run.messages().warning(why);
        return false;
    }
    auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    return meeting::updateMeeting(
        run,
        {{QStringLiteral("SCORESETNO"), QString::number(c.scoreSet)},
         {QStringLiteral("HAS_TABLE_SCORE"), flag(c.tableScore)},
         {QStringLiteral("NATHLON_SCORESET"), QString::number(c.nAthlonSet)},
         {QStringLiteral("HEIGHTABOVESEA"), QString::number(c.height.trimmed().toInt())},
         {QStringLiteral("ELECHAND"), c.handTiming ? QStringLiteral("2") : QStringLiteral("1")},
         {QStringLiteral("HAS_MASTERS_ITEMS"), flag(c.mastersItems)}});
}

bool saveMeetingScoreSet(base::Run& run, int scoreSet)
{
    const bool tableScore = run.meeting().integer(QStringLiteral("HAS_TABLE_SCORE")) == 1;
    QString why = unavailable(scoreSet);
    if (why.isEmpty())
        why = noSetToScoreEvents(scoreSet, tableScore);
    if (!why.isEmpty()) {
        run.messages().warning(why);
        return false;
    }
    return meeting::updateMeeting(run, {{QStringLiteral("SCORESETNO"), QString::number(scoreSet)}});
}

} // namespace scoring
