#pragma once

#include "results/entrystatus.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace meeting {
class ItemTypes;
}
namespace base {
class ConfigStore;
}

namespace results {

// Which program sequences the automatic tagging covers (user option AWOL_AUTO_SEQ_TYPE,
// stored by name; AWOL_SPECIFIED_AUTO_SEQ holds the specified sequence).
enum class AwolRange { AfterFirstAbsence, CurrentEventOnwards, SpecifiedOnwards };
QString awolRangeName(AwolRange range);
QStringList awolRangeNames();

struct AwolOptions {
    AwolRange range = AwolRange::AfterFirstAbsence;
    int currentSeq = 0;   // the sequence of the event on the capture screen
    int specifiedSeq = 0; // AWOL_SPECIFIED_AUTO_SEQ
};
AwolOptions readAwolOptions(const base::ConfigStore& store);
void writeAwolOptions(base::ConfigStore& store, const AwolOptions& options);

// One entry of an athlete with the sequence of its event's final.
struct AthleteEntry {
    EntryRow row;
    QString itemCode;
    int finalSeq = 0;
};

// An athlete with entries, as the absentee screen lists them.
struct AwolAthlete {
    qint64 athleteNo = 0;
    QString surname;
    QString firstName;
    QString gender;
    int age = 0;
    QString teamAbrv;
    bool awol = false;   // AWOL_DNS_DISQ
    int firstDnsSeq = 0; // the lowest final sequence of the events with a DNS or DNR
    int disqsOia = 0;
    int disqsDnsa = 0;
    int disqsDns = 0;  // DNS and DNR
    int itemCount = 0; // PARTICIPATE rows
    QList<AthleteEntry> entries;
    // Has a DNS or DNR and more than one item.
    bool isCandidate() const { return disqsDns > 0 && itemCount > 1; }
};

// Every athlete of the meeting with entries, or the one athlete when `athleteNo` is given.
QList<AwolAthlete> awolAthletes(db::DmdCoreDbs& database, int meetingNo, qint64 athleteNo = 0);

enum class AwolActionKind { TagAwol, UntagAwol, QueueDraw, QueueCalc, TagOia };

struct AwolAction {
    AwolActionKind kind = AwolActionKind::TagOia;
    qint64 athleteNo = 0;
    AthleteEntry entry;         // the entry queued or tagged
    bool deleteHeatRow = false; // a drawn heat row that goes so the heat can be redrawn
};

struct AwolPlan {
    QList<AwolAction> actions;
    int athletesToTag() const;
    int itemsToTag() const;
    bool isEmpty() const { return actions.isEmpty(); }
};

// The tags and queue entries the rule asks for, nothing written.
AwolPlan planAwolActions(const QList<AwolAthlete>& athletes, const AwolOptions& options);

// The automatic actions: "There are n Athletes to tag as Awol, and m items to tag as Oia",
// asked once, then applied. False when there was nothing to do or the user said no.
bool AutoAwolActions(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                     const AwolOptions& options, qint64 athleteNo = 0);
// Applies a plan without asking.
bool applyAwolPlan(db::DmdCoreDbs& database, const meeting::ItemTypes& items, int meetingNo,
                   const AwolPlan& plan);

// ATHLETE.AWOL_DNS_DISQ to 1 / 0; already in that state is an internal error.
bool TagAthleteAwol(db::DmdCoreDbs& database, qint64 athleteNo);
bool UntagAthleteAwol(db::DmdCoreDbs& database, qint64 athleteNo);

// The manual tagging of the absentee screen, with its questions and refusals.
bool tagAthleteAwolByHand(db::DmdCoreDbs& database, qint64 athleteNo);
bool untagAthleteAwolByHand(db::DmdCoreDbs& database, const meeting::ItemTypes& items,
                            qint64 athleteNo);
// Tags (or removes) OIA on one entry.
bool TagItemOia(db::DmdCoreDbs& database, const meeting::ItemTypes& items, const EntryRow& entry,
                bool tag);

// DNS and DNR entries (heats and finals) to DNSA, or DNSA back to DNS, after asking.
bool AbsolveDns(db::DmdCoreDbs& database, qint64 athleteNo, bool absolve);

} // namespace results
