#include "meeting/categories.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/currentmeeting.h"
#include "meeting/meetingsettings.h"
#include "meeting/meetingupdate.h"

namespace meeting {

namespace {

QString tooLong(const QString& what, int width)
{
    return QStringLiteral("The ") + what + QStringLiteral(" may not be longer than ") +
           QString::number(width) + QStringLiteral(" characters");
}

QString noCategory()
{
    return QStringLiteral(" and (CATEGORY = '' or CATEGORY is null)");
}

// Runs the statements in one transaction; false (and nothing written) when one fails.
bool runBatch(db::DmdCoreDbs& database, const QStringList& statements)
{
    if (database.executeAll(statements))
        return true;
    database.messages().internalError(205601, database.lastError().message);
    return false;
}

} // namespace

Categories::Categories(db::DmdCoreDbs& database, int meetingNo)
    : m_database(database), m_meetingNo(meetingNo)
{
}

QList<Category> Categories::list(bool byDescription) const
{
    const QString meeting = db::sqlInt(m_meetingNo);
    db::Query q = m_database.openQuery(
        QStringLiteral("select c.DUMMY_NO, c.CATEGORY, c.DESCRIPTION, c.RECORDSETNO,\r"
                       " (select count(*) from ATHLETE a where a.MEETINGNO=c.MEETINGNO and "
                       "a.CATEGORY=c.CATEGORY) as ATHLETES,\r"
                       " (select count(*) from MYEVENT e where e.MEETINGNO=c.MEETINGNO and "
                       "e.CATEGORY=c.CATEGORY) as EVENTS\r"
                       " from CATEGORY c where c.MEETINGNO=") +
        meeting +
        (byDescription ? QStringLiteral(" order by c.DESCRIPTION")
                       : QStringLiteral(" order by c.CATEGORY")));
    QList<Category> rows;
    for (q.first(); !q.eof(); q.next())
        rows.append(
            {int(q.integer(QStringLiteral("DUMMY_NO"))), q.text(QStringLiteral("CATEGORY")),
             q.text(QStringLiteral("DESCRIPTION")), int(q.integer(QStringLiteral("RECORDSETNO"))),
             int(q.integer(QStringLiteral("ATHLETES"))), int(q.integer(QStringLiteral("EVENTS")))});
    return rows;
}

Category Categories::find(int key) const
{
    for (const Category& c : list())
        if (c.key == key)
            return c;
    return {};
}

QString Categories::check(const QString& code, const QString& description, int exceptKey) const
{
    if (code.trimmed().isEmpty())
        return QStringLiteral("The Category may not be empty");
    if (description.trimmed().isEmpty())
        return QStringLiteral("The Description may not be empty");
    if (code.trimmed().size() > kCategoryCodeLength)
        return tooLong(QStringLiteral("Category"), kCategoryCodeLength);
    if (description.trimmed().size() > kCategoryDescriptionLength)
        return tooLong(QStringLiteral("Description"), kCategoryDescriptionLength);
    const QString others = QStringLiteral("MEETINGNO=") + db::sqlInt(m_meetingNo) +
                           QStringLiteral(" and DUMMY_NO<>") + db::sqlInt(exceptKey);
    if (m_database.ZSqlCount(QStringLiteral("CATEGORY"),
                             others + QStringLiteral(" and upper(CATEGORY)=") +
                                 db::quoted(code.trimmed().toUpper())) > 0)
        return QStringLiteral("The Category already exists");
    if (m_database.ZSqlCount(QStringLiteral("CATEGORY"),
                             others + QStringLiteral(" and upper(DESCRIPTION)=") +
                                 db::quoted(description.trimmed().toUpper())) > 0)
        return QStringLiteral("The description already exists");
    return QString();
}

bool Categories::add(const QString& code, const QString& description)
{
    const QString error = check(code, description);
    if (!error.isEmpty()) {
        m_database.messages().warning(error);
        return false;
    }
    const qint64 key = m_database.nextKeyNumber();
    return key > 0 &&
           m_database.executeOneRow(
               QStringLiteral("insert into CATEGORY (DUMMY_NO,MEETINGNO,CATEGORY,DESCRIPTION) "
                              "values (") +
               db::sqlInt(key) + QStringLiteral(", ") + db::sqlInt(m_meetingNo) +
               QStringLiteral(", ") + db::quoted(code.trimmed()) + QStringLiteral(", ") +
               db::quoted(description.trimmed()) + QStringLiteral(")"));
}

bool Categories::edit(int key, const QString& code, const QString& description)
{
    const Category old = find(key);
    if (old.key == 0) {
        m_database.messages().internalError(205602, QStringLiteral("Category not found: ") +
                                                        QString::number(key));
        return false;
    }
    const QString error = check(code, description, key);
    if (!error.isEmpty()) {
        m_database.messages().warning(error);
        return false;
    }
    QStringList statements{QStringLiteral("update CATEGORY set CATEGORY=") +
                           db::quoted(code.trimmed()) + QStringLiteral(", DESCRIPTION=") +
                           db::quoted(description.trimmed()) + QStringLiteral(" where DUMMY_NO=") +
                           db::sqlInt(key)};
    if (code.trimmed() != old.code) {
        for (const char* table : {"ATHLETE", "MYEVENT"})
            statements.append(QStringLiteral("update ") + QString::fromLatin1(table) +
                              QStringLiteral(" set CATEGORY=") + db::quoted(code.trimmed()) +
                              QStringLiteral(" where MEETINGNO=") + db::sqlInt(m_meetingNo) +
                              QStringLiteral(" and CATEGORY=") + db::quoted(old.code));
    }
    return runBatch(m_database, statements);
}

bool Categories::remove(int key)
{
    const Category c = find(key);
    if (c.key == 0)
        return false;
    if (c.athletes > 0 || c.events > 0) {
        m_database.messages().warning(QStringLiteral("You cannot delete this Category.\rIt has ") +
                                      QString::number(c.athletes) +
                                      QStringLiteral(" Athletes, and ") +
                                      QString::number(c.events) + QStringLiteral(" Events."));
        return false;
    }
    if (!m_database.messages().confirm(QStringLiteral("Delete Category ") + c.code))
        return false;
    return m_database.executeOneRow(QStringLiteral("delete from CATEGORY where DUMMY_NO=") +
                                    db::sqlInt(key));
}

int Categories::withoutRecordSet() const
{
    return m_database.ZSqlCount(QStringLiteral("CATEGORY"),
                                QStringLiteral("MEETINGNO=") + db::sqlInt(m_meetingNo) +
                                    QStringLiteral(" and COALESCE(RECORDSETNO,0)=0"));
}

namespace {

// The category of the meeting whose code matches whatever the case; empty when none.
QString knownCode(const QList<Category>& categories, const QString& code)
{
    for (const Category& c : categories)
        if (c.code.compare(code.trimmed(), Qt::CaseInsensitive) == 0)
            return c.code;
    return QString();
}

QStringList listOf(db::DmdCoreDbs& database, const QString& sql, const QString& field)
{
    QStringList rows;
    db::Query q = database.openQuery(sql);
    for (q.first(); !q.eof(); q.next())
        rows.append(q.text(field));
    return rows;
}

} // namespace

bool setCurrentAddCategory(base::Run& run, const QString& code)
{
    if (!requireCurrentMeeting(run))
        return false;
    const QList<Category> categories =
        Categories(*run.database(), run.currentMeetingNo()).list(true);
    if (categories.isEmpty()) {
        run.messages().warning(QStringLiteral("No Categories to select from!\r! Please fix the "
                                              "problem under \"Settings: Describe Items\" !"));
        return false;
    }
    const QString known = knownCode(categories, code);
    if (known.isEmpty()) {
        run.messages().warning(QStringLiteral("Thge Category is invalid:") + code);
        return false;
    }
    return updateMeeting(run, {{QStringLiteral("CURRENT_ADD_CATEGORY"), known}});
}

bool switchCategoriesOn(base::Run& run, bool recordSetEach, const QString& assignCode)
{
    if (!requireCurrentMeeting(run))
        return false;
    db::DmdCoreDbs& database = *run.database();
    base::Messages& messages = run.messages();
    const QString meeting = db::sqlInt(run.currentMeetingNo());
    if (run.meeting().integer(QStringLiteral("HAS_LEAGUES")) == 1 ||
        database.ZSqlCount(QStringLiteral("TEAM"), QStringLiteral("MEETINGNO=") + meeting +
                                                       QStringLiteral(" and LEAGUE>1")) > 0) {
        messages.warning(
            QStringLiteral("You cannot have Competitions AND Categories in the same Meeting"));
        return false;
    }
    const QStringList described = listOf(
        database,
        QStringLiteral("select e.ITEMCODE || ': ' || coalesce(d.DESCRIPTION, '') as ITEM from "
                       "EVENTDSCR d join MYEVENT e on e.EVENTNO=d.EVENTNO where e.MEETINGNO=") +
            meeting + QStringLiteral(" order by e.ITEMCODE"),
        QStringLiteral("ITEM"));
    if (!described.isEmpty()) {
        messages.warning(QStringLiteral("There are the following Described Items.\r") +
                         described.join(QStringLiteral("\r")) +
                         QStringLiteral("\r\rBefore you can add Categories, you must first "
                                        "remove\rall the Described Items"));
        return false;
    }
    const QList<Category> categories = Categories(database, run.currentMeetingNo()).list();
    if (categories.isEmpty()) {
        messages.warning(QStringLiteral(
            "You must add at least one Category if there are Categories for this Meeting"));
        return false;
    }
    QStringList statements;
    const QString where = QStringLiteral(" where MEETINGNO=") + meeting + noCategory();
    const int unassigned =
        database.ZSqlCount(QStringLiteral("ATHLETE"),
                           QStringLiteral("MEETINGNO=") + meeting + noCategory()) +
        database.ZSqlCount(QStringLiteral("MYEVENT"),
                           QStringLiteral("MEETINGNO=") + meeting + noCategory());
    if (unassigned > 0) {
        if (assignCode.trimmed().isEmpty()) {
            messages.warning(QStringLiteral("The Category cannot be empty"));
            return false;
        }
        const QString known = knownCode(categories, assignCode);
        if (known.isEmpty()) {
            messages.warning(QStringLiteral("Thge Category is invalid:") + assignCode);
            return false;
        }
        for (const char* table : {"ATHLETE", "MYEVENT"})
            statements.append(QStringLiteral("update ") + QString::fromLatin1(table) +
                              QStringLiteral(" set CATEGORY=") + db::quoted(known) + where);
    }
    statements.append(meetingUpdateSql(
        run.currentMeetingNo(), {{QStringLiteral("HAS_CATEGORIES"), QStringLiteral("1")},
                                 {QStringLiteral("CATEGORIES_RECSET_EACH"),
                                  recordSetEach ? QStringLiteral("1") : QStringLiteral("0")}}));
    const bool ok = runBatch(database, statements);
    run.meeting().load(database, run.currentMeetingNo(), run.meetingAges());
    return ok;
}

bool switchCategoriesOff(base::Run& run)
{
    if (!requireCurrentMeeting(run))
        return false;
    db::DmdCoreDbs& database = *run.database();
    base::Messages& messages = run.messages();
    const QString meeting = db::sqlInt(run.currentMeetingNo());
    const QStringList mixed =
        listOf(database,
               QStringLiteral("select ITEMCODE from MYEVENT where MEETINGNO=") + meeting +
                   QStringLiteral(" and CATEGORY<>'' group by ITEMCODE having count(distinct "
                                  "CATEGORY)>1 order by ITEMCODE"),
               QStringLiteral("ITEMCODE"));
    if (!mixed.isEmpty()) {
        messages.warning(QStringLiteral("There are the following Items with different "
                                        "Categories\r") +
                         mixed.join(QStringLiteral("\r")) +
                         QStringLiteral("\r\rBefore you can remove all Categories, you must "
                                        "first remove\rall the Items for which there are more "
                                        "than one Category"));
        return false;
    }
    if (!messages.confirm(QStringLiteral("Is it OK to remove all Categories.")))
        return false;
    QStringList statements;
    for (const char* table : {"ATHLETE", "MYEVENT"})
        statements.append(QStringLiteral("update ") + QString::fromLatin1(table) +
                          QStringLiteral(" set CATEGORY=null where MEETINGNO=") + meeting +
                          QStringLiteral(" and CATEGORY is not null"));
    statements.append(QStringLiteral("delete from CATEGORY where MEETINGNO=") + meeting);
    statements.append(meetingUpdateSql(
        run.currentMeetingNo(), {{QStringLiteral("HAS_CATEGORIES"), QStringLiteral("0")},
                                 {QStringLiteral("CATEGORIES_RECSET_EACH"), QStringLiteral("0")},
                                 {QStringLiteral("CURRENT_ADD_CATEGORY"), QString()}}));
    const bool ok = runBatch(database, statements);
    run.meeting().load(database, run.currentMeetingNo(), run.meetingAges());
    return ok;
}

} // namespace meeting
