#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

namespace db {
class DmdCoreDbs;
}
namespace base {
class Messages;
}

namespace meeting {

class MeetingAges;

// The current meeting's MEETING row held in memory for the run, with the values derived
// from it. Every operation reads the current meeting's settings here; whoever changes a
// MEETING column reloads (or sets the value here too).
class MeetingSettings {
public:
    // Fills the record from the meeting's row, checks its date, derives the descriptions,
    // the drawing method, the score-set names and the record-set lists, and reloads the
    // meeting ages. False when there is no such meeting (the number becomes 0) or when
    // some column could not be read (reported as an internal error). 0 clears.
    bool load(db::DmdCoreDbs& database, int meetingNo, MeetingAges* ages);
    void clear();

    int meetingNo() const { return m_meetingNo; }
    // The number as decimal text, for composing SQL.
    const QString& meetingNoText() const { return m_meetingNoText; }
    // The columns that could not be read by the last load.
    const QStringList& failedColumns() const { return m_failed; }

    // Any column as stored (null reads as 0 or empty). An unknown name is an internal
    // error and reads as 0 / empty.
    qint64 integer(const QString& column) const;
    QString text(const QString& column) const;
    // The stored value of any column as text, as `meeting show` prints it.
    QString valueText(const QString& column) const;
    // Sets the in-memory value of a column after its owner wrote it to the database.
    void setValue(const QString& column, const QString& value);

    // --- identity and calendar ---
    QString description() const { return text(QStringLiteral("DESCRIPTION")); }
    QString venue() const { return text(QStringLiteral("VENUE")); }
    QString theDate() const { return text(QStringLiteral("THEDATE")); }
    int dayCount() const { return int(integer(QStringLiteral("DAY_COUNT"))); }
    // The first day; invalid while THEDATE is not a date.
    const QDate& firstDay() const { return m_firstDay; }
    // The English and Afrikaans descriptions on one or two lines.
    QString descriptionText(bool afrikaans = false, bool twoLines = false) const;

    // --- athletes, ages and categories ---
    int ageDescType() const { return int(integer(QStringLiteral("AGE_DESC_TYPE"))); }
    bool usesGrades() const;
    bool athletesHaveBirthDates() const { return integer(QStringLiteral("ATH_HAS_BIRTHDATE")); }
    bool doAgeDefaulting() const { return integer(QStringLiteral("DO_AGE_DEFAULTING")) == 1; }
    bool hasCategories() const { return integer(QStringLiteral("HAS_CATEGORIES")) == 1; }
    bool categoriesRecordSetEach() const
    {
        return integer(QStringLiteral("CATEGORIES_RECSET_EACH")) == 1;
    }
    QString currentAddCategory() const { return text(QStringLiteral("CURRENT_ADD_CATEGORY")); }

    // --- program and heats ---
    // Every heat of one round carries the round's sequence number.
    bool roundSeqSame() const { return integer(QStringLiteral("ROUND_SEQ_SAME")) == 1; }

    // --- draws: the stored method with 1, 2 and 4 read as 3; 4 also means best-befores ---
    int drawMethod() const { return m_drawMethod; }
    bool hasBestBefores() const { return m_hasBestBefores; }

    // --- scores ---
    QString scoreSetName() const { return m_scoreSetName; }
    QString nAthlonScoreSetName() const { return m_nAthlonScoreSetName; }

    // --- record sets and failing standards of the meeting (MEETINGSET) ---
    // Every set: "F" or "N", ",", record-set number, ",", points; joined by ";".
    const QString& allSets() const { return m_allSets; }
    // Record sets that are not failing standards: "12;15"; with points: "12,3;15,2".
    const QString& recordSets() const { return m_recordSets; }
    const QString& recordSetsWithPoints() const { return m_recordSetsWithPoints; }
    const QString& failStandards() const { return m_failStandards; }
    const QString& failStandardsWithPoints() const { return m_failStandardsWithPoints; }
    bool hasFailStandards() const { return !m_failStandards.isEmpty(); }

private:
    bool readRow(db::DmdCoreDbs& database);
    void checkDate(db::DmdCoreDbs& database);
    void adjustDrawMethod();
    void lookUpScoreSets(db::DmdCoreDbs& database);
    void readMeetingSets(db::DmdCoreDbs& database);

    base::Messages* m_messages = nullptr;
    int m_meetingNo = 0;
    QString m_meetingNoText = QStringLiteral("0");
    QHash<QString, qint64> m_integers;
    QHash<QString, QString> m_texts;
    QStringList m_failed;
    QDate m_firstDay;
    int m_drawMethod = 0;
    bool m_hasBestBefores = false;
    QString m_scoreSetName;
    QString m_nAthlonScoreSetName;
    QString m_allSets;
    QString m_recordSets;
    QString m_recordSetsWithPoints;
    QString m_failStandards;
    QString m_failStandardsWithPoints;
};

} // namespace meeting
