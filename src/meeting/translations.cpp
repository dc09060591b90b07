#include "meeting/translations.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/meetingdescription.h"
#include "meeting/meetingsettings.h"

#include <QRegularExpression>

namespace meeting {

Translations::Translations(db::DmdCoreDbs& database, const MeetingSettings& settings)
    : m_database(database), m_settings(settings)
{
}

QString Translations::oneValue(const QString& sql, const QString& field) const
{
    db::Query q = m_database.openQuery(sql);
    return q.isOpen() && !q.isEmpty() ? q.text(field) : QString();
}

QString Translations::meetingDescription(int meetingNo, bool afrikaans, bool twoLines) const
{
    return describeMeeting(m_database, meetingNo, afrikaans, twoLines);
}

QString Translations::teamName(int teamNo) const
{
    return oneValue(QStringLiteral("select TEAMNAME from TEAM where TEAMNO=") + db::sqlInt(teamNo),
                    QStringLiteral("TEAMNAME"));
}

QString Translations::teamAbbreviation(int teamNo) const
{
    return oneValue(QStringLiteral("select TEAMABRV from TEAM where TEAMNO=") + db::sqlInt(teamNo),
                    QStringLiteral("TEAMABRV"));
}

QString Translations::athleteField(int athleteNo, const char* field) const
{
    const QString name = QString::fromLatin1(field);
    return oneValue(QStringLiteral("select ") + name +
                        QStringLiteral(" from ATHLETE where ATHLETENO=") + db::sqlInt(athleteNo),
                    name);
}

QString Translations::athleteName(int athleteNo) const
{
    db::Query q = m_database.openQuery(
        QStringLiteral("select SURNAME, FIRSTNAME from ATHLETE where ATHLETENO=") +
        db::sqlInt(athleteNo));
    if (!q.isOpen() || q.isEmpty())
        return QString();
    return q.text(QStringLiteral("SURNAME")) + QStringLiteral(", ") +
           q.text(QStringLiteral("FIRSTNAME"));
}

QString Translations::athleteGender(int athleteNo) const
{
    return athleteField(athleteNo, "GENDER");
}

QString Translations::athleteAge(int athleteNo) const
{
    return athleteField(athleteNo, "AGE");
}

QString Translations::athleteDisabilityClasses(int athleteNo) const
{
    return athleteField(athleteNo, "DISABILITY_CLASSES");
}

QString Translations::athleteCategory(int athleteNo) const
{
    return athleteField(athleteNo, "CATEGORY");
}

QString Translations::athleteBirthDate(int athleteNo) const
{
    if (!m_settings.athletesHaveBirthDates())
        return QString();
    db::Query q = m_database.openQuery(
        QStringLiteral("select SURNAME, BIRTHDATE from ATHLETE where ATHLETENO=") +
        db::sqlInt(athleteNo));
    if (!q.isOpen() || q.isEmpty() || q.text(QStringLiteral("SURNAME")) == "RELAY TEAM")
        return QString();
    const QString date = q.text(QStringLiteral("BIRTHDATE"));
    static const QRegularExpression onlySeparators(QStringLiteral("^[ /-]*$"));
    return onlySeparators.match(date).hasMatch() ? QString() : date;
}

QString Translations::eventField(int eventNo, const char* field) const
{
    if (eventNo <= 0) {
        m_database.messages().internalError(205501, QStringLiteral("Did not supply the Event."));
        return QString();
    }
    const QString name = QString::fromLatin1(field);
    db::Query q =
        m_database.openQuery(QStringLiteral("select ") + name +
                             QStringLiteral(" from MYEVENT where EVENTNO=") + db::sqlInt(eventNo));
    if (!q.isOpen() || q.isEmpty()) {
        m_database.messages().internalError(205502, QStringLiteral("Item not found: ") +
                                                        QString::number(eventNo));
        return QString();
    }
    return q.text(name);
}

QString Translations::eventItemCode(int eventNo) const
{
    return eventField(eventNo, "ITEMCODE");
}

int Translations::eventNAthlon(int eventNo) const
{
    return eventField(eventNo, "N_ATHLON").toInt();
}

QString Translations::eventCategory(int eventNo) const
{
    return eventField(eventNo, "CATEGORY");
}

ProgramRowRef Translations::programRow(int programNo) const
{
    db::Query q = m_database.openQuery(
        QStringLiteral("select EVENTNO, ROUND, HEATNO, SEQ from PROGRAM where PROGRAMNO=") +
        db::sqlInt(programNo));
    ProgramRowRef ref;
    if (!q.isOpen() || q.recordCount() != 1) {
        m_database.messages().internalError(205503, QStringLiteral("Expected exactly one record"));
        return ref;
    }
    ref.eventNo = int(q.integer(QStringLiteral("EVENTNO")));
    ref.round = q.text(QStringLiteral("ROUND"));
    ref.heatNo = int(q.integer(QStringLiteral("HEATNO")));
    ref.seq = int(q.integer(QStringLiteral("SEQ")));
    return ref;
}

} // namespace meeting
