#include "entries/athletes.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "entries/disabilityclasses.h"
#include "entries/nathlons.h"
#include "entries/teams.h"
#include "meeting/datetext.h"
#include "meeting/edition.h"
#include "meeting/genderage.h"

#include <QRegularExpression>

namespace entries {

namespace {

const QStringList kDemographicCodes{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("I"),
                                    QStringLiteral("W")};

QString where(const QString& column, qint64 value)
{
    return column + QStringLiteral(" = ") + db::sqlInt(value);
}

} // namespace

QString genderAge(db::DmdCoreDbs& database, const QString& gender, int age,
                  const EntrySettings& settings)
{
    return meeting::genderAgeDescription(&database.messages(), gender, meeting::ageText(age),
                                         settings.ageDescType, false);
}

QString athleteColumns()
{
    return QStringLiteral(
        "ATHLETENO, TEAMNO, SURNAME, FIRSTNAME, GENDER, AGE, NUMBER, ID_NUMBER, BIRTHDATE, "
        "N_ATHLON, CATEGORY, DISABILITY_CLASSES, LOCAL_SMDS, WORLD_SMDS, GAI_RACIST_ABRV");
}

AthleteRow athleteOf(const db::Query& q)
{
    AthleteRow a;
    a.athleteNo = q.integer(QStringLiteral("ATHLETENO"));
    a.teamNo = q.integer(QStringLiteral("TEAMNO"));
    a.surname = q.text(QStringLiteral("SURNAME"));
    a.firstName = q.text(QStringLiteral("FIRSTNAME"));
    a.gender = q.text(QStringLiteral("GENDER")).trimmed();
    a.age = int(q.integer(QStringLiteral("AGE")));
    a.number = q.text(QStringLiteral("NUMBER"));
    a.idNumber = q.text(QStringLiteral("ID_NUMBER"));
    a.birthDate = q.text(QStringLiteral("BIRTHDATE"));
    a.nAthlon = int(q.integer(QStringLiteral("N_ATHLON")));
    a.category = q.text(QStringLiteral("CATEGORY"));
    a.disabilityClasses = q.text(QStringLiteral("DISABILITY_CLASSES"));
    a.localSmds = q.text(QStringLiteral("LOCAL_SMDS"));
    a.worldSmds = q.text(QStringLiteral("WORLD_SMDS"));
    a.demographic = q.text(QStringLiteral("GAI_RACIST_ABRV"));
    return a;
}

Athletes::Athletes(db::DmdCoreDbs& database, const EntrySettings& settings)
    : m_db(database), m_settings(settings)
{
}

std::optional<int> Athletes::readAgeText(base::Messages& messages, const EntrySettings& s,
                                         const QString& text, bool relayTeam)
{
    const int value = text.trimmed().toInt();
    // A relay team of mixed ages is entered as 99 in either mode.
    if (relayTeam && value == meeting::kMixedAge)
        return value;
    const QString refusal = meeting::checkEnteredAge(text.trimmed(), s.grades());
    if (!refusal.isEmpty()) {
        messages.warning(refusal);
        return std::nullopt;
    }
    return s.grades() ? meeting::gradeToAge(value) : value;
}

std::optional<AthleteRow> Athletes::find(qint64 athleteNo)
{
    db::Query q = m_db.openQuery(QStringLiteral("select ") + athleteColumns() +
                                 QStringLiteral(" from ATHLETE where ") +
                                 where(QStringLiteral("ATHLETENO"), athleteNo));
    if (!q.isOpen() || q.isEmpty())
        return std::nullopt;
    return athleteOf(q);
}

QList<AthleteRow> Athletes::ofTeam(qint64 teamNo, bool withRelayTeams, AthleteOrder order)
{
    QString sql = QStringLiteral("select ") + athleteColumns() +
                  QStringLiteral(" from ATHLETE where ") + where(QStringLiteral("TEAMNO"), teamNo);
    if (!withRelayTeams)
        sql += QStringLiteral(" and SURNAME <> ") + db::quoted(kRelayTeamSurname);
    sql += order == AthleteOrder::Surname
               ? QStringLiteral(" order by upper(SURNAME), upper(FIRSTNAME), AGE, GENDER")
               : QStringLiteral(" order by AGE, GENDER, upper(SURNAME), upper(FIRSTNAME)");
    QList<AthleteRow> rows;
    db::Query q = m_db.openQuery(sql);
    for (q.first(); !q.eof(); q.next())
        rows.append(athleteOf(q));
    return rows;
}

int Athletes::participationCount(qint64 athleteNo)
{
    return m_db.ZSqlCount(QStringLiteral("PARTICIPATE"),
                          where(QStringLiteral("ATHLETENO"), athleteNo));
}

Athletes::Field Athletes::checkGender(const AthleteRow& a)
{
    base::Messages& messages = m_db.messages();
    if (a.gender != QLatin1String("F") && a.gender != QLatin1String("M")) {
        messages.warning(QStringLiteral(
            "You have to enter either a F for female or a M for male.\r\r(If you entered a "
            "space, and clicked in the Gender, you\r may want to press [Backspace] to be able "
            "to type a letter)"));
        return Field::Gender;
    }
    const auto team = Teams(m_db, m_settings.meetingNo).find(a.teamNo);
    if (!team) {
        messages.internalError(30101, QStringLiteral("The athlete's team is not found: ") +
                                          QString::number(a.teamNo));
        return Field::Gender;
    }
    if (a.gender == QLatin1String("M") && !team->hasMale) {
        messages.warning(QStringLiteral("This team does not have males"));
        return Field::Gender;
    }
    if (a.gender == QLatin1String("F") && !team->hasFemale) {
        messages.warning(QStringLiteral("This team does not have females"));
        return Field::Gender;
    }
    return Field::None;
}

Athletes::Field Athletes::check(const AthleteRow& a)
{
    base::Messages& messages = m_db.messages();
    if (const Field gender = checkGender(a); gender != Field::None)
        return gender;
    const bool ageOk = (a.age >= meeting::kMinimumAge && a.age <= meeting::kMaximumAge) ||
                       (a.isRelayTeam() && a.age == meeting::kMixedAge);
    if (!ageOk) {
        messages.warning(QStringLiteral("The age must be between ") +
                         QString::number(meeting::kMinimumAge) + QStringLiteral(" and ") +
                         QString::number(meeting::kMaximumAge));
        return Field::Age;
    }
    if (a.athleteNo != 0 && participationCount(a.athleteNo) > 0) {
        const auto old = find(a.athleteNo);
        if (old && old->gender != a.gender) {
            messages.warning(QStringLiteral("You cannot change the gender of this athlete"));
            return Field::Gender;
        }
        if (old && old->age != a.age && old->age != meeting::kMixedAge) {
            messages.warning(QStringLiteral("You cannot change the ") + m_settings.ageName() +
                             QStringLiteral(" of this athlete"));
            return Field::Age;
        }
        if (m_settings.hasCategories && old && old->category != a.category &&
            !categoryFitsEntries(a)) {
            messages.warning(QStringLiteral("You cannot change the Category of this athlete"));
            return Field::Category;
        }
    }
    if (!a.isRelayTeam() && a.surname.trimmed().isEmpty()) {
        messages.warning(QStringLiteral("The surname may not be empty"));
        return Field::Name;
    }
    const Field f = a.isRelayTeam() ? checkRelayTeam(a) : checkDuplicates(a);
    if (f != Field::None)
        return f;
    if (!a.isRelayTeam() && checkNumber(a) != Field::None)
        return Field::Number;
    if (checkBirthDate(a) != Field::None)
        return Field::BirthDate;
    if (const Field f = checkDisability(a); f != Field::None)
        return f;
    return checkCodes(a);
}

bool Athletes::categoryFitsEntries(const AthleteRow& a)
{
    return m_db.ZSqlRecCount(
               QStringLiteral("select count(*) as NRECS from PARTICIPATE p join MYEVENT e on "
                              "e.EVENTNO = p.EVENTNO where p.ATHLETENO = ") +
               db::sqlInt(a.athleteNo) +
               QStringLiteral(" and coalesce(e.CATEGORY, '') <> '' and upper(e.CATEGORY) <> ") +
               db::quoted(a.category.toUpper())) == 0;
}

Athletes::Field Athletes::checkDisability(const AthleteRow& a)
{
    if (!m_settings.showDisabled || a.isRelayTeam())
        return Field::None;
    base::Messages& messages = m_db.messages();
    // An athlete without a class is allowed: not everyone at such a meeting is classified.
    const DisabilityClasses classes = readDisabilityClasses(a.disabilityClasses);
    if (!a.disabilityClasses.trimmed().isEmpty() && !classes.ok) {
        messages.warning(classes.refusal);
        return Field::DisabilityClasses;
    }
    // Registration numbers of the classification bodies: letters and digits only.
    static const QRegularExpression registration(QStringLiteral("^[A-Za-z0-9]*$"));
    if (!registration.match(a.localSmds.trimmed()).hasMatch()) {
        messages.warning(QStringLiteral("The Local Smds is not valid: ") + a.localSmds);
        return Field::LocalSmds;
    }
    if (!registration.match(a.worldSmds.trimmed()).hasMatch()) {
        messages.warning(QStringLiteral("The World Smds is not valid: ") + a.worldSmds);
        return Field::WorldSmds;
    }
    return Field::None;
}

Athletes::Field Athletes::checkDuplicates(const AthleteRow& a)
{
    QString sql = QStringLiteral("select GENDER, AGE from ATHLETE where ") +
                  where(QStringLiteral("TEAMNO"), a.teamNo) +
                  QStringLiteral(" and upper(SURNAME) = ") + db::quoted(a.surname.toUpper()) +
                  QStringLiteral(" and upper(FIRSTNAME) = ") + db::quoted(a.firstName.toUpper());
    if (a.athleteNo != 0)
        sql += QStringLiteral(" and ATHLETENO <> ") + db::sqlInt(a.athleteNo);
    db::Query q = m_db.openQuery(sql);
    for (q.first(); !q.eof(); q.next()) {
        if (q.text(QStringLiteral("GENDER")).trimmed() == a.gender &&
            q.integer(QStringLiteral("AGE")) == a.age) {
            m_db.messages().warning(QStringLiteral("The \rAthlete\r") + a.surname +
                                    QLatin1Char('\r') + a.firstName + QLatin1Char('\r') + a.gender +
                                    QLatin1Char('\r') + QString::number(a.age) +
                                    QStringLiteral("\ralready exists."));
            return Field::Name;
        }
    }
    if (!q.isEmpty()) {
        q.first();
        const QString other = genderAge(m_db, q.text(QStringLiteral("GENDER")).trimmed(),
                                        int(q.integer(QStringLiteral("AGE"))), m_settings);
        const auto team = Teams(m_db, m_settings.meetingNo).find(a.teamNo);
        if (!m_db.messages().confirm(
                QStringLiteral("WARNING:\rThere is already an Athlete with this name and "
                               "surname entered\ras ") +
                other +
                QStringLiteral(",\rAre you sure there is another Athlete with the same "
                               "name\runder ") +
                (team ? team->name : QString())))
            return Field::Name;
    }
    return Field::None;
}

Athletes::Field Athletes::checkRelayTeam(const AthleteRow& a)
{
    QString sameKind = where(QStringLiteral("TEAMNO"), a.teamNo) +
                       QStringLiteral(" and SURNAME = ") + db::quoted(kRelayTeamSurname) +
                       QStringLiteral(" and GENDER = ") + db::quoted(a.gender) +
                       QStringLiteral(" and AGE = ") + db::sqlInt(a.age);
    if (a.athleteNo != 0)
        sameKind += QStringLiteral(" and ATHLETENO <> ") + db::sqlInt(a.athleteNo);
    if (m_db.ZSqlCount(QStringLiteral("ATHLETE"), sameKind) > 0) {
        if (!m_db.messages().confirmTwice(
                QStringLiteral("There is already a Relay team for ") +
                genderAge(m_db, a.gender, a.age, m_settings) +
                QStringLiteral("\rAdd another relay team for this Gender-Age.")))
            return Field::Name;
    } else if (!a.number.trimmed().isEmpty() && a.number.trimmed() != QLatin1String("0")) {
        if (!m_db.messages().confirm(QStringLiteral(
                "The number of a relay team is only required\rif you have more than one relay "
                "team for a gender-age.\rDo you want to keep the Number")))
            return Field::Number;
    }
    return Field::None;
}

Athletes::Field Athletes::checkNumber(const AthleteRow& a)
{
    const QString number = a.number.trimmed();
    const int width = m_db.fieldLength(QStringLiteral("ATHLETE"), QStringLiteral("NUMBER"));
    if (number.size() > (width > 0 ? width : 7)) {
        m_db.messages().warning(
            QStringLiteral("The Athlete number may not be longer than 7 characters"));
        return Field::Number;
    }
    if (number.isEmpty() || number == QLatin1String("0"))
        return Field::None;
    QString sql = QStringLiteral("select a.SURNAME, a.FIRSTNAME, t.TEAMNAME from ATHLETE a "
                                 "join TEAM t on t.TEAMNO = a.TEAMNO where t.MEETINGNO = ") +
                  db::sqlInt(m_settings.meetingNo) + QStringLiteral(" and a.NUMBER = ") +
                  db::quoted(number);
    if (a.athleteNo != 0)
        sql += QStringLiteral(" and a.ATHLETENO <> ") + db::sqlInt(a.athleteNo);
    db::Query q = m_db.openQuery(sql);
    if (q.isEmpty())
        return Field::None;
    m_db.messages().information(
        QStringLiteral("The number ") + number + QStringLiteral(" is already used by ") +
        q.text(QStringLiteral("SURNAME")) + QStringLiteral(", ") +
        q.text(QStringLiteral("FIRSTNAME")) + QStringLiteral(" of ") +
        q.text(QStringLiteral("TEAMNAME")) +
        QStringLiteral(".\r\rYou can print the numbers of the athletes, and renumber the "
                       "athletes of one team or of all teams under \"Athlete Numbers\"."));
    return Field::Number;
}

Athletes::Field Athletes::checkBirthDate(const AthleteRow& a)
{
    if (!m_settings.hasBirthDates || a.isRelayTeam())
        return Field::None;
    const int shown = m_settings.grades() ? meeting::ageToGrade(a.age) : a.age;
    return meeting::checkAgeAndBirthDate(m_db.messages(), a.birthDate, QString::number(shown),
                                         m_settings.grades(), m_settings.year)
               ? Field::None
               : Field::BirthDate;
}

Athletes::Field Athletes::checkCodes(const AthleteRow& a)
{
    base::Messages& messages = m_db.messages();
    if (m_settings.hasCategories && !a.isRelayTeam()) {
        if (a.category.trimmed().isEmpty()) {
            messages.warning(QStringLiteral("Enter the Category"));
            return Field::Category;
        }
        if (m_db.ZSqlCount(QStringLiteral("CATEGORY"),
                           where(QStringLiteral("MEETINGNO"), m_settings.meetingNo) +
                               QStringLiteral(" and upper(CATEGORY) = ") +
                               db::quoted(a.category.toUpper())) == 0) {
            messages.warning(QStringLiteral("The Category is not valid: ") + a.category);
            return Field::Category;
        }
    }
    if (m_settings.hasDemographics && !a.isRelayTeam()) {
        if (a.demographic.trimmed().isEmpty()) {
            messages.warning(QStringLiteral("Enter the Demographic"));
            return Field::Demographic;
        }
        if (!kDemographicCodes.contains(a.demographic.trimmed().toUpper())) {
            messages.warning(QStringLiteral("The Demographic is not valid: ") + a.demographic);
            return Field::Demographic;
        }
    }
    return Field::None;
}

DisabilityClasses Athletes::readDisabilityClasses(const QString& typed) const
{
    return entries::readDisabilityClasses(
        meeting::editionOf(m_db.applicationCode()), typed,
        m_db.fieldLength(QStringLiteral("ATHLETE"), QStringLiteral("DISABILITY_CLASSES")));
}

QString Athletes::updateSql(const AthleteRow& a) const
{
    QString sql = QStringLiteral("update ATHLETE set AGE = ") + db::sqlInt(a.age) +
                  QStringLiteral(", FIRSTNAME = ") + db::quoted(a.firstName) +
                  QStringLiteral(", SURNAME = ") + db::quoted(a.surname) +
                  QStringLiteral(", NUMBER = ") + db::quoted(a.number.trimmed().toUpper()) +
                  QStringLiteral(", GENDER = ") + db::quoted(a.gender);
    if (m_settings.hasBirthDates)
        sql += QStringLiteral(", BIRTHDATE = ") + db::quoted(a.birthDate);
    if (m_settings.hasIdNumbers)
        sql += QStringLiteral(", ID_NUMBER = ") + db::quoted(a.idNumber);
    if (m_settings.hasCategories)
        sql += QStringLiteral(", CATEGORY = ") + db::quoted(a.category);
    if (m_settings.showDisabled) {
        const DisabilityClasses classes = readDisabilityClasses(a.disabilityClasses);
        sql += QStringLiteral(", DISABILITY_CLASSES = ") +
               db::quoted(classes.ok ? classes.text : a.disabilityClasses.trimmed().toUpper()) +
               QStringLiteral(", LOCAL_SMDS = ") + db::quoted(a.localSmds) +
               QStringLiteral(", WORLD_SMDS = ") + db::quoted(a.worldSmds);
    }
    if (m_settings.hasDemographics)
        sql += QStringLiteral(", GAI_RACIST_ABRV = ") + db::quoted(a.demographic.toUpper());
    return sql + QStringLiteral(" where ATHLETENO = ") + db::sqlInt(a.athleteNo);
}

qint64 Athletes::save(const AthleteRow& athlete)
{
    AthleteRow a = athlete;
    if (a.athleteNo != 0)
        return m_db.execute(updateSql(a)) ? a.athleteNo : 0;
    a.athleteNo = m_db.nextKeyNumber();
    if (a.athleteNo == 0)
        return 0;
    if (!m_db.execute(QStringLiteral("insert into ATHLETE (ATHLETENO, TEAMNO, MEETINGNO, "
                                     "N_ATHLON) values (") +
                      db::sqlInt(a.athleteNo) + QLatin1Char(',') + db::sqlInt(a.teamNo) +
                      QLatin1Char(',') + db::sqlInt(m_settings.meetingNo) + QLatin1Char(',') +
                      db::sqlInt(a.nAthlon) + QLatin1Char(')')))
        return 0;
    // A failed update leaves the row with its key only; the lists show it without a name.
    m_db.execute(updateSql(a));
    return a.athleteNo;
}

qint64 Athletes::add(const AthleteRow& athlete)
{
    return nathlonCountValid(messages(), athlete.nAthlon) && check(athlete) == Field::None
               ? save(athlete)
               : 0;
}

bool Athletes::edit(const AthleteRow& athlete)
{
    return athlete.athleteNo != 0 && nathlonCountValid(messages(), athlete.nAthlon) &&
           check(athlete) == Field::None && save(athlete) != 0;
}

base::Messages& Athletes::messages()
{
    return m_db.messages();
}

bool Athletes::remove(qint64 athleteNo)
{
    const auto athlete = find(athleteNo);
    if (athlete && athlete->nAthlon > 0)
        return Nathlons(m_db, m_settings).removeAthlete(athleteNo);
    if (participationCount(athleteNo) > 0) {
        m_db.messages().warning(QStringLiteral("First delete the Participations of this athlete"));
        return false;
    }
    if (!m_db.messages().confirm(QStringLiteral("Delete this athlete")))
        return false;
    return m_db.execute(QStringLiteral("delete from ATHLETE where ") +
                        where(QStringLiteral("ATHLETENO"), athleteNo));
}

bool Athletes::clearBirthDate(qint64 athleteNo)
{
    if (!m_db.messages().confirm(QStringLiteral("Clear the Birthdate for this Athlete")))
        return false;
    return m_db.execute(QStringLiteral("update ATHLETE set BIRTHDATE = '' where ") +
                        where(QStringLiteral("ATHLETENO"), athleteNo));
}

} // namespace entries
