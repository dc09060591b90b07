#include "scoring/scoringsettings.h"

#include "base/messages.h"
#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"
#include "records/recordcheck.h"

namespace scoring {

ScoringSettings ScoringSettings::of(const meeting::MeetingSettings& meeting)
{
    auto integer = [&meeting](const char* column) {
        return int(meeting.integer(QLatin1String(column)));
    };
    ScoringSettings s;
    s.teamScoreBasis = integer("TEAMSCOREBASIS");
    s.teamScorePlaces = integer("TEAMSCOREPLACES");
    s.sharePlacePoints = integer("SHAREPLACEPOINTS") == 1;
    s.leaguesHaveOwnPoints = integer("COMP_PLACEPOINTS_HAS_SETS") == 1;
    s.disqDeductPoints = integer("DISQ_DEDUCT_POINTS");
    s.medalBasedOn = integer("MEDALBASEDON");
    s.medalsExcludeTeams = integer("MEDALS_XCLD_TEAMS") == 1;
    s.checkGold = integer("CHECKGOLD") == 1;
    s.checkSilver = integer("CHECKSILVER") == 1;
    s.checkBronze = integer("CHECKBRONZE") == 1;
    s.pointGold = integer("POINTGOLD");
    s.pointSilver = integer("POINTSILVER");
    s.pointBronze = integer("POINTBRONZE");
    s.athleteScoreBasis = integer("ATHLETESCOREBASIS");
    s.athleteScoreEvents = integer("ATHLETESCOREEVENTS");
    s.olderStartAge = integer("OLDERSTARTAGE");
    s.hasTableScore = integer("HAS_TABLE_SCORE") == 1;
    s.recordBonuses = records::setsWithPoints(meeting.recordSetsWithPoints());
    s.failStandards = records::setsWithPoints(meeting.failStandardsWithPoints());
    return s;
}

QString winnersSettingsRefusal(const ScoringSettings& s, const QString& deductionText,
                               int taggedTeams)
{
    if (s.teamScoreBasis != 1 && s.teamScoreBasis != 2 && s.teamScoreBasis != 99)
        return QStringLiteral("Select \"Place Points\"  _OR_  \"Table Score\"");
    if (s.teamScoreBasis == 2 && s.teamScorePlaces <= 0)
        return QStringLiteral("The number of Score Table points to use per event for team scores "
                              "must be above 0");
    bool numeric = false;
    deductionText.trimmed().toInt(&numeric);
    if (!deductionText.trimmed().isEmpty() && !numeric)
        return QStringLiteral("Enter a number for Deducting Points for Disqualifications");
    if (s.medalBasedOn == 1 || s.medalBasedOn == 2) {
        const struct {
            bool ticked;
            int value;
            const char* name;
        } medals[] = {{s.checkGold, s.pointGold, "Gold"},
                      {s.checkSilver, s.pointSilver, "Silver"},
                      {s.checkBronze, s.pointBronze, "Bronze"}};
        if (!s.checkGold && !s.checkSilver && !s.checkBronze)
            return QStringLiteral("If medals are awarded, they must be indicated");
        QList<int> values;
        for (const auto& m : medals) {
            if (!m.ticked)
                continue;
            if (m.value <= 0)
                return QStringLiteral("There must be a corresponding value for the ") +
                       QLatin1String(m.name) + QStringLiteral(" medal awarded");
            values.append(m.value);
        }
        for (qsizetype i = 1; i < values.size(); ++i) {
            if (s.medalBasedOn == 2 && values[i] >= values[i - 1])
                return QStringLiteral("The points for the medals must be descending");
            if (s.medalBasedOn == 1 && values[i] <= values[i - 1])
                return QStringLiteral("The places for medals must be ascending");
        }
    }
    if (s.medalsExcludeTeams && taggedTeams == 0)
        return QStringLiteral("\"Exclude Teams\" is checked, but there are NO Teams selected.");
    if (!s.medalsExcludeTeams && taggedTeams > 0)
        return QStringLiteral("\"Exclude Teams\" is NOT checked, but there ARE Teams selected.");
    return QString();
}

bool saveWinnersSettings(base::Run& run, const ScoringSettings& s, const QString& deductionText)
{
    const int tagged = run.database()->ZSqlCount(QStringLiteral("TEAM"),
                                                 QStringLiteral("MEETINGNO = ") +
                                                     db::sqlInt(run.currentMeetingNo()) +
                                                     QStringLiteral(" and EXCLUDE_MEDALS = 'X'"));
    if (const QString why = winnersSettingsRefusal(s, deductionText, tagged); !why.isEmpty()) {
        run.messages().warning(why);
        return false;
    }
    auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    return meeting::updateMeeting(
        run, {{QStringLiteral("TEAMSCOREBASIS"), QString::number(s.teamScoreBasis)},
              {QStringLiteral("TEAMSCOREPLACES"), QString::number(s.teamScorePlaces)},
              {QStringLiteral("SHAREPLACEPOINTS"), flag(s.sharePlacePoints)},
              {QStringLiteral("COMP_PLACEPOINTS_HAS_SETS"), flag(s.leaguesHaveOwnPoints)},
              {QStringLiteral("DISQ_DEDUCT_POINTS"), deductionText.trimmed()},
              {QStringLiteral("MEDALBASEDON"), QString::number(s.medalBasedOn)},
              {QStringLiteral("MEDALS_XCLD_TEAMS"), flag(s.medalsExcludeTeams)},
              {QStringLiteral("CHECKGOLD"), flag(s.checkGold)},
              {QStringLiteral("CHECKSILVER"), flag(s.checkSilver)},
              {QStringLiteral("CHECKBRONZE"), flag(s.checkBronze)},
              {QStringLiteral("POINTGOLD"), QString::number(s.pointGold)},
              {QStringLiteral("POINTSILVER"), QString::number(s.pointSilver)},
              {QStringLiteral("POINTBRONZE"), QString::number(s.pointBronze)}});
}

void defaultMedalValues(ScoringSettings& s)
{
    const bool scores = s.medalBasedOn == 2;
    s.pointGold = scores ? 800 : 1;
    s.pointSilver = scores ? 700 : 2;
    s.pointBronze = scores ? 600 : 3;
}

bool clearSwimmingTableScore(base::Run& run)
{
    const meeting::MeetingSettings& m = run.meeting();
    if (!run.items().isSwimming() || m.integer(QStringLiteral("HAS_TABLE_SCORE")) != 1 ||
        m.integer(QStringLiteral("SCORESETNO")) <= 0)
        return false;
    run.messages().information(
        QStringLiteral("This Meeting is marked to print Table Scores.\r") +
        QStringLiteral("This Setting will now be cleared since Dolvane has no Score tables yet."));
    return meeting::updateMeeting(run, {{QStringLiteral("HAS_TABLE_SCORE"), QStringLiteral("0")}});
}

} // namespace scoring
