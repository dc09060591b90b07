#include "meeting/meetingsettings.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/datetext.h"
#include "meeting/genderage.h"
#include "meeting/meetingages.h"
#include "meeting/meetingcolumns.h"
#include "meeting/meetingdescription.h"
#include "meeting/meetingidentity.h"

namespace meeting {

void MeetingSettings::clear()
{
    m_meetingNo = 0;
    m_meetingNoText = QStringLiteral("0");
    m_integers.clear();
    m_texts.clear();
    m_failed.clear();
    m_firstDay = QDate();
    m_drawMethod = 0;
    m_hasBestBefores = false;
    m_scoreSetName.clear();
    m_nAthlonScoreSetName.clear();
    m_allSets.clear();
    m_recordSets.clear();
    m_recordSetsWithPoints.clear();
    m_failStandards.clear();
    m_failStandardsWithPoints.clear();
}

bool MeetingSettings::load(db::DmdCoreDbs& database, int meetingNo, MeetingAges* ages)
{
    clear();
    m_messages = &database.messages();
    m_meetingNo = meetingNo;
    m_meetingNoText = QString::number(meetingNo);
    if (meetingNo == 0) {
        if (ages)
            ages->clear();
        return false;
    }
    if (!readRow(database)) {
        clear();
        if (ages)
            ages->clear();
        return false;
    }
    if (!m_failed.isEmpty()) {
        m_messages->internalError(
            205101, QStringLiteral("Could not load all the meeting settings.\rYou might need to "
                                   "update the database by running\rthe main program with at "
                                   "least the same version as this program.\r\r"
                                   "Loading the folowing fields failed:\r") +
                        m_failed.join(QStringLiteral("\r")));
        return false;
    }
    checkDate(database);
    m_firstDay = dateFromText(theDate());
    adjustDrawMethod();
    lookUpScoreSets(database);
    readMeetingSets(database);
    if (ages)
        ages->reload(database, m_meetingNo);
    else
        m_messages->internalError(205102, QStringLiteral("You must create oMeetingAges at "
                                                         "startup\r(ZMeetingAgesCreate and Free)"));
    return true;
}

bool MeetingSettings::readRow(db::DmdCoreDbs& database)
{
    db::Query q = database.openQuery(QStringLiteral("select * from MEETING where MEETINGNO=") +
                                     m_meetingNoText);
    if (!q.isOpen() || q.isEmpty())
        return false;
    // Column by column, so that a database without some column still loads the rest.
    for (const MeetingColumn& column : meetingColumns()) {
        const QString name = QString::fromLatin1(column.name);
        if (!q.hasField(name)) {
            m_failed.append(name);
            continue;
        }
        const QVariant value = q.value(name);
        switch (column.kind) {
        case ColumnKind::Integer:
            m_integers.insert(name, value.isValid() ? value.toLongLong() : 0);
            break;
        case ColumnKind::Decimal:
            m_texts.insert(name, value.isValid() ? QString::number(value.toDouble()) : QString());
            break;
        case ColumnKind::Text:
            m_texts.insert(name, value.toString());
            break;
        }
    }
    return true;
}

void MeetingSettings::checkDate(db::DmdCoreDbs& database)
{
    const QString date = theDate();
    if (isValidDateText(date))
        return;
    m_messages->warning(QStringLiteral("The date of the Meeting is ") +
                        (date.isEmpty()
                             ? QStringLiteral("empty")
                             : QStringLiteral("incorrect (") + date + QStringLiteral(")")) +
                        QStringLiteral(".\rThe program will now allow you to fix it."));
    const QString fixed = editMeetingDate(database, m_meetingNo, date);
    if (!fixed.isEmpty())
        m_texts.insert(QStringLiteral("THEDATE"), fixed);
}

void MeetingSettings::adjustDrawMethod()
{
    m_drawMethod = int(integer(QStringLiteral("DRAW_METHOD")));
    m_hasBestBefores = integer(QStringLiteral("HAS_BEST_BEFORES")) == 1 || m_drawMethod == 4;
    if (m_drawMethod == 1 || m_drawMethod == 2 || m_drawMethod == 4)
        m_drawMethod = 3;
}

void MeetingSettings::lookUpScoreSets(db::DmdCoreDbs& database)
{
    auto lookUp = [&](qint64 setNo, bool nAthlon, bool check) {
        if (setNo <= 0)
            return QString();
        db::Query q = database.openQuery(
            QStringLiteral("select DESCRIPTION from SCORESET where SCORESETNO=") +
            db::sqlInt(setNo));
        if (q.isOpen() && !q.isEmpty())
            return q.text(QStringLiteral("DESCRIPTION"));
        if (check)
            m_messages->warning(
                QStringLiteral("The ") + (nAthlon ? QStringLiteral("n-Athlon ") : QString()) +
                QStringLiteral("Scoreset that is selected for this Meeting,") +
                QString::number(setNo) +
                QStringLiteral(", is currently not available.\r\r"
                               "To avoid getting hundreds of \"Error\" popups,\r"
                               "select another Scoreset under \"Settings: Scores and Points\".\r"
                               "If you need to use that Scoreset, contact support."));
        return QString();
    };
    m_scoreSetName = lookUp(integer(QStringLiteral("SCORESETNO")), false,
                            integer(QStringLiteral("HAS_TABLE_SCORE")) == 1);
    m_nAthlonScoreSetName = lookUp(integer(QStringLiteral("NATHLON_SCORESET")), true, true);
}

void MeetingSettings::readMeetingSets(db::DmdCoreDbs& database)
{
    db::Query q = database.openQuery(
        QStringLiteral("select RECORDSETNO, IS_FAIL_STD, POINTS_TO_ADD from MEETINGSET where "
                       "MEETINGNO=") +
        m_meetingNoText + QStringLiteral(" order by SEQ_NO, MEETSETNO"));
    QStringList all, records, recordPoints, fails, failPoints;
    for (q.first(); !q.eof(); q.next()) {
        const bool fail = q.integer(QStringLiteral("IS_FAIL_STD")) == 1;
        const QString set = QString::number(q.integer(QStringLiteral("RECORDSETNO")));
        const qint64 points = q.integer(QStringLiteral("POINTS_TO_ADD"));
        const QString withPoints = set + QLatin1Char(',') + QString::number(points);
        all.append((fail ? QStringLiteral("F,") : QStringLiteral("N,")) + withPoints);
        (fail ? fails : records).append(set);
        if (points != 0)
            (fail ? failPoints : recordPoints).append(withPoints);
    }
    const QString sep = QStringLiteral(";");
    m_allSets = all.join(sep);
    m_recordSets = records.join(sep);
    m_recordSetsWithPoints = recordPoints.join(sep);
    m_failStandards = fails.join(sep);
    m_failStandardsWithPoints = failPoints.join(sep);
}

qint64 MeetingSettings::integer(const QString& column) const
{
    const MeetingColumn* known = findMeetingColumn(column);
    if (!known || known->kind != ColumnKind::Integer) {
        if (m_messages)
            m_messages->internalError(205103, QStringLiteral("Not an integer setting: ") + column);
        return 0;
    }
    return m_integers.value(column.toUpper(), 0);
}

QString MeetingSettings::text(const QString& column) const
{
    const MeetingColumn* known = findMeetingColumn(column);
    if (!known || known->kind == ColumnKind::Integer) {
        if (m_messages)
            m_messages->internalError(205104, QStringLiteral("Not a text setting: ") + column);
        return QString();
    }
    return m_texts.value(column.toUpper());
}

QString MeetingSettings::valueText(const QString& column) const
{
    const MeetingColumn* known = findMeetingColumn(column);
    if (!known)
        return QString();
    const QString name = column.toUpper();
    return known->kind == ColumnKind::Integer ? QString::number(m_integers.value(name, 0))
                                              : m_texts.value(name);
}

void MeetingSettings::setValue(const QString& column, const QString& value)
{
    const MeetingColumn* known = findMeetingColumn(column);
    if (!known)
        return;
    if (known->kind == ColumnKind::Integer)
        m_integers.insert(column.toUpper(), value.toLongLong());
    else
        m_texts.insert(column.toUpper(), value);
}

QString MeetingSettings::descriptionText(bool afrikaans, bool twoLines) const
{
    if (m_meetingNo <= 0)
        return QString();
    return describeMeeting(description(), venue(), theDate(), dayCount(), afrikaans, twoLines);
}

bool MeetingSettings::usesGrades() const
{
    return ageDescType() == kAgeDescGrades;
}

} // namespace meeting
