#include "scoring/topathletes.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "meeting/itemtypes.h"
#include "meeting/meetingsettings.h"
#include "scoring/placedresults.h"
#include "scoring/resultscores.h"
#include "scoring/scoringsettings.h"
#include "scoring/teamtotals.h"

#include <QHash>
#include <QMap>

#include <algorithm>
#include <numeric>

namespace scoring {

namespace {

using Perf = TopAthletePerformance;

const QString kTrack = QStringLiteral("T");
const QString kField = QStringLiteral("F");

// Best score first; equal scores in name order so that a report reads the same each time.
bool better(const Perf* a, const Perf* b)
{
    if (a->score != b->score)
        return a->score > b->score;
    if (a->name != b->name)
        return a->name < b->name;
    return a->partNo < b->partNo;
}

QString genderWord(const QString& gender)
{
    if (gender == QLatin1String("M"))
        return QStringLiteral("Male");
    if (gender == QLatin1String("F"))
        return QStringLiteral("Female");
    return gender;
}

QString groupWord(const QString& group)
{
    return group == kField ? QStringLiteral("Field") : QStringLiteral("Track");
}

QString describe(const Perf& p)
{
    return p.name + QStringLiteral(" ") + p.item + QStringLiteral(" (") + QString::number(p.score) +
           QStringLiteral(")");
}

QString useWord(const Perf& p)
{
    if (p.swoppedOut)
        return QStringLiteral("Swopped out");
    switch (p.usedCode) {
    case UsedForAge:
        return QStringLiteral("Age");
    case UsedForRest:
        return QStringLiteral("Rest");
    case SwoppedIn:
        return QStringLiteral("Swopped in");
    default:
        return QString();
    }
}

// The rows of one team (and gender), best first, that take part.
void tagUnit(QList<Perf*>& unit, const QString& unitName, const TopAthleteSettings& s,
             const QList<int>& ages, const QList<int>& counts, bool afrikaans,
             TopAthleteTagging& tagging)
{
    QList<Perf*> taking;
    for (Perf* p : unit) {
        if (p->perfRankForAth <= s.maxPerfsPerAthlete)
            taking.append(p);
    }
    std::sort(taking.begin(), taking.end(), better);
    QHash<int, int> perAge;
    QHash<QString, int> perGroup;
    for (qsizetype i = 0; i < taking.size(); ++i) {
        Perf* p = taking[i];
        p->allRank = int(i) + 1;
        p->ageRank = ++perAge[p->age];
        p->groupRank = ++perGroup[p->group];
        const qsizetype ageIndex = ages.indexOf(p->age);
        if (ageIndex >= 0 && ageIndex < counts.size() && p->ageRank <= counts[ageIndex])
            p->usedCode = UsedForAge;
    }
    int rest = 0;
    for (Perf* p : taking) {
        if (rest >= s.restParts)
            break;
        if (p->usedCode == NotUsed) {
            p->usedCode = UsedForRest;
            ++rest;
        }
    }
    const int required = std::accumulate(counts.begin(), counts.end(), 0) + s.restParts;
    const int used = int(std::count_if(taking.begin(), taking.end(),
                                       [](const Perf* p) { return p->usedCode != NotUsed; }));
    if (used < required)
        tagging.shortages << unitName +
                                 (afrikaans ? QStringLiteral(": Daar was n tekort van ")
                                            : QStringLiteral(": There was a shortage of ")) +
                                 QString::number(required - used) +
                                 (afrikaans ? QStringLiteral(" van pogings.")
                                            : QStringLiteral(" of performances"));

    // The track and field minimums, age by age.
    QList<int> minimumAges;
    for (const TopAthleteMinimum& m : s.minimums) {
        if (m.parts > 0 && !minimumAges.contains(m.age))
            minimumAges.append(m.age);
    }
    std::sort(minimumAges.begin(), minimumAges.end());
    for (const int age : minimumAges) {
        for (const QString& group : {kTrack, kField}) {
            const int needed = s.minimum(age, group);
            const QString& other = group == kTrack ? kField : kTrack;
            auto usedOf = [&](const QString& g) {
                return std::count_if(taking.begin(), taking.end(), [&](const Perf* p) {
                    return p->age == age && p->group == g && p->usedCode != NotUsed;
                });
            };
            while (usedOf(group) < needed) {
                const auto in = std::find_if(taking.begin(), taking.end(), [&](const Perf* p) {
                    return p->age == age && p->group == group && p->usedCode == NotUsed &&
                           !p->swoppedOut;
                });
                if (in == taking.end()) {
                    tagging.adjustments << QStringLiteral("==Shortage= ") + unitName +
                                               QStringLiteral(" age ") + QString::number(age) +
                                               QStringLiteral(" ") + groupWord(group) +
                                               QStringLiteral(": nothing available to swop");
                    break;
                }
                // The other group may give up a performance only above its own minimum.
                const auto out = usedOf(other) > s.minimum(age, other)
                                     ? std::find_if(taking.rbegin(), taking.rend(),
                                                    [&](const Perf* p) {
                                                        return p->age == age && p->group == other &&
                                                               p->usedCode != NotUsed;
                                                    })
                                     : taking.rend();
                if (out == taking.rend()) {
                    tagging.errors << QStringLiteral("Could not find the lowest score! (") +
                                          unitName + QStringLiteral(" age ") +
                                          QString::number(age) + QStringLiteral(" ") +
                                          groupWord(other) + QStringLiteral(")");
                    break;
                }
                (*out)->usedCode = NotUsed;
                (*out)->swoppedOut = true;
                (*in)->usedCode = SwoppedIn;
                tagging.adjustments << unitName + QStringLiteral(" age ") + QString::number(age) +
                                           QStringLiteral(": from ") + describe(**out) +
                                           QStringLiteral(" to ") + describe(**in);
            }
        }
    }
}

// Places within each league and gender, best total first; equal totals share a place.
void rank(QList<TopAthleteTeamTotal>& totals)
{
    std::stable_sort(totals.begin(), totals.end(),
                     [](const TopAthleteTeamTotal& a, const TopAthleteTeamTotal& b) {
                         if (a.league != b.league)
                             return a.league < b.league;
                         if (a.gender != b.gender)
                             return a.gender < b.gender;
                         if (a.score != b.score)
                             return a.score > b.score;
                         return a.abbreviation < b.abbreviation;
                     });
    int start = 0;
    for (qsizetype i = 0; i < totals.size(); ++i) {
        TopAthleteTeamTotal& t = totals[i];
        const bool sameGroup =
            i > 0 && t.league == totals[i - 1].league && t.gender == totals[i - 1].gender;
        if (!sameGroup)
            start = int(i);
        t.place =
            sameGroup && t.score == totals[i - 1].score ? totals[i - 1].place : int(i) - start + 1;
    }
}

QString groupTitle(int league, const QString& gender)
{
    QStringList words;
    if (league > 0)
        words << QStringLiteral("Competition ") + QString::number(league);
    if (!gender.isEmpty())
        words << genderWord(gender);
    return words.join(QStringLiteral(" "));
}

} // namespace

TopAthleteTagging tagTopAthletes(QList<TopAthletePerformance>& rows,
                                 const TopAthleteSettings& settings, const QList<int>& ages,
                                 bool afrikaans)
{
    TopAthleteTagging tagging;
    const QList<int> counts = settings.ageCounts().value_or(QList<int>{});
    QHash<qint64, QList<Perf*>> byAthlete;
    // Teams in the order of their abbreviations, so that the lines of a report read in order.
    QMap<std::tuple<QString, qint64, QString>, QList<Perf*>> units;
    for (Perf& p : rows) {
        p.perfRankForAth = p.allRank = p.ageRank = p.groupRank = 0;
        p.usedCode = NotUsed;
        p.swoppedOut = false;
        byAthlete[p.athleteNo].append(&p);
        units[{p.team, p.teamNo, settings.splitGenders ? p.gender : QString()}].append(&p);
    }
    for (QList<Perf*>& own : byAthlete) {
        std::sort(own.begin(), own.end(), better);
        for (qsizetype i = 0; i < own.size(); ++i)
            own[i]->perfRankForAth = int(i) + 1;
    }
    for (auto it = units.begin(); it != units.end(); ++it) {
        const QString& gender = std::get<2>(it.key());
        const QString name =
            std::get<0>(it.key()) +
            (gender.isEmpty() ? QString() : QStringLiteral(" ") + genderWord(gender));
        for (Perf* p : it.value())
            p->unit = name;
        tagUnit(it.value(), name, settings, ages, counts, afrikaans, tagging);
    }
    return tagging;
}

QList<TopAthleteTeamTotal> sumGenders(const QList<TopAthleteTeamTotal>& totals)
{
    QMap<std::pair<int, qint64>, TopAthleteTeamTotal> sums;
    for (const TopAthleteTeamTotal& t : totals) {
        TopAthleteTeamTotal& sum = sums[{t.league, t.teamNo}];
        if (sum.teamNo == 0) {
            sum = t;
            sum.gender.clear();
            sum.score = 0;
            sum.performances = 0;
        }
        sum.score += t.score;
        sum.performances += t.performances;
    }
    QList<TopAthleteTeamTotal> list = sums.values();
    rank(list);
    return list;
}

TopAthletes topAthletes(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                        const meeting::MeetingSettings& meeting)
{
    base::Messages& messages = database.messages();
    TopAthletes result;
    const ScoringSettings scoring = ScoringSettings::of(meeting);
    if (const QString why = teamScoreBasisRefusal(scoring.teamScoreBasis, true); !why.isEmpty()) {
        messages.warning(why);
        return result;
    }
    if (scoring.teamScoreBasis != 99) {
        messages.warning(QStringLiteral("The top athletes are the team score of a meeting whose "
                                        "Team-score basis is TopAthletes."));
        return result;
    }
    ResultScores scores(database, items, meeting);
    if (!scores.usable(QStringLiteral("the top athletes")))
        return result;

    QMap<int, QList<Perf>> leagues;
    for (const PlacedResult& r : placedFinals(database, meeting.meetingNo(), true)) {
        // A relay is no athlete's own, and an n-athlon total is no single performance.
        if (r.place <= 0 || r.athleteNo <= 0 || r.isCombinedComponent() ||
            items.IsNathlon(r.itemCode) || items.IsRelayGroup(items.ItemGroup(r.itemCode)))
            continue;
        Perf p;
        p.partNo = r.partNo;
        p.athleteNo = r.athleteNo;
        p.teamNo = r.teamNo;
        p.league = r.league;
        p.team = r.teamAbbreviation;
        p.gender = r.gender;
        p.age = r.age;
        p.name = r.surname + QStringLiteral(", ") + r.firstName;
        p.item = items.ItemDescription(r.itemCode, false);
        p.group = items.ItemTrackOrField(r.itemCode) == kField ? kField : kTrack;
        p.score = scores.score(r);
        if (p.score == 0 && !r.performance.isEmpty() && !result.unscored.contains(p.item))
            result.unscored.append(p.item);
        leagues[r.league].append(p);
    }
    if (leagues.isEmpty()) {
        messages.warning(QStringLiteral("No performances to collect"));
        return result;
    }

    const QList<int> ages = topAthleteAges(database, meeting.meetingNo());
    const bool afrikaans = meeting.integer(QStringLiteral("PRINT_LANGUAGE")) == 1;
    QMap<int, TopAthleteSettings> settings;
    for (auto it = leagues.cbegin(); it != leagues.cend(); ++it) {
        const std::optional<TopAthleteSettings> s =
            loadTopAthleteSettings(database, meeting.meetingNo(), it.key());
        if (const QString why = topAthleteSettingsRefusal(s, it.key()); !why.isEmpty()) {
            messages.warning(why);
            return result;
        }
        settings.insert(it.key(), *s);
    }
    bool exchanged = false;
    for (auto it = leagues.begin(); it != leagues.end(); ++it) {
        const TopAthleteSettings& s = settings[it.key()];
        const TopAthleteTagging tagging = tagTopAthletes(it.value(), s, ages, afrikaans);
        const QString prefix =
            leagues.size() > 1
                ? QStringLiteral("Competition ") + QString::number(it.key()) + QStringLiteral(": ")
                : QString();
        for (const QString& line : tagging.adjustments)
            result.adjustments << prefix + line;
        for (const QString& line : tagging.shortages)
            result.shortages << prefix + line;
        for (const QString& line : tagging.errors) {
            messages.warning(prefix + line);
            result.errors << prefix + line;
        }
        exchanged = exchanged || !tagging.adjustments.isEmpty();
        QMap<std::pair<QString, qint64>, TopAthleteTeamTotal> teams;
        for (const Perf& p : it.value()) {
            TopAthleteTeamTotal& t = teams[{s.splitGenders ? p.gender : QString(), p.teamNo}];
            t.league = it.key();
            t.gender = s.splitGenders ? p.gender : QString();
            t.teamNo = p.teamNo;
            t.abbreviation = p.team;
            if (p.usedCode != NotUsed) {
                t.score += p.score;
                ++t.performances;
            }
        }
        result.totals.append(teams.values());
        result.performances.append(it.value());
    }
    result.adjustments.prepend(
        exchanged ? QStringLiteral("============== Adjustments made for Track- and Field- "
                                   "requirements")
                  : QStringLiteral("No adjustments was required after ages to meet the Track- "
                                   "and Field- requirements"));
    // The teams' names for the reports.
    QHash<qint64, QString> names;
    for (const PlacedResult& r : placedFinals(database, meeting.meetingNo()))
        names.insert(r.teamNo, r.teamName);
    for (TopAthleteTeamTotal& t : result.totals)
        t.name = names.value(t.teamNo);
    rank(result.totals);
    result.ok = true;
    return result;
}

Report TopAthletes::totalsReport(bool summed) const
{
    Report r;
    const QList<TopAthleteTeamTotal> list = summed ? sumGenders(totals) : totals;
    r.title = summed ? QStringLiteral("Top Athletes: Teams (Genders Summed)")
                     : QStringLiteral("Top Athletes: Team Totals");
    r.headers = QStringList{QStringLiteral("Place"), QStringLiteral("Team"), QStringLiteral("Name"),
                            QStringLiteral("Performances"), QStringLiteral("Score")};
    QString section;
    for (const TopAthleteTeamTotal& t : list) {
        const QString title = groupTitle(t.league, t.gender);
        if (!title.isEmpty() && (r.rows.isEmpty() || title != section))
            r.sections.append({int(r.rows.size()), title});
        section = title;
        r.rows.append({QString::number(t.place), t.abbreviation, t.name,
                       QString::number(t.performances), QString::number(t.score)});
    }
    r.notes = notes();
    return r;
}

QStringList TopAthletes::notes() const
{
    QStringList lines = adjustments + shortages + errors;
    if (!unscored.isEmpty())
        lines << QStringLiteral("No table score for ") + unscored.join(QStringLiteral(", ")) +
                     QStringLiteral(": those performances count 0.");
    return lines;
}

Report TopAthletes::detailReport() const
{
    Report r;
    r.title = QStringLiteral("Top Athletes: Performances");
    r.headers =
        QStringList{QStringLiteral("Rank"),  QStringLiteral("Athlete"), QStringLiteral("Age"),
                    QStringLiteral("Item"),  QStringLiteral("T/F"),     QStringLiteral("Score"),
                    QStringLiteral("Counts")};
    QList<const Perf*> shown;
    for (const Perf& p : performances) {
        if (p.allRank > 0)
            shown.append(&p);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const Perf* a, const Perf* b) {
        return std::tie(a->league, a->unit, a->teamNo, a->allRank) <
               std::tie(b->league, b->unit, b->teamNo, b->allRank);
    });
    QString section;
    for (const Perf* p : shown) {
        QString title = groupTitle(p->league, QString());
        title += (title.isEmpty() ? QString() : QStringLiteral(" ")) + p->unit;
        if (r.rows.isEmpty() || title != section)
            r.sections.append({int(r.rows.size()), title});
        section = title;
        r.rows.append({QString::number(p->allRank), p->name, QString::number(p->age), p->item,
                       p->group, QString::number(p->score), useWord(*p)});
    }
    r.notes = notes();
    return r;
}

} // namespace scoring
