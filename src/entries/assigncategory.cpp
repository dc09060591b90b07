#include "entries/assigncategory.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

namespace entries {

namespace {

QString ofMeeting(base::Run& run)
{
    return QStringLiteral("MEETINGNO = ") + db::sqlInt(run.currentMeetingNo());
}

} // namespace

AssignedCategory assignCategory(base::Run& run, const QString& category)
{
    db::DmdCoreDbs& database = *run.database();
    const QString where = QStringLiteral(" where ") + ofMeeting(run) +
                          QStringLiteral(" and (CATEGORY = '' or CATEGORY is null)");
    AssignedCategory result;
    result.athletes = database.executeRowsAffected(
        QStringLiteral("update ATHLETE set CATEGORY = ") + db::quoted(category) + where);
    result.items = database.executeRowsAffected(QStringLiteral("update MYEVENT set CATEGORY = ") +
                                                db::quoted(category) + where);
    result.done = true;
    return result;
}

AssignedCategory assignCategoryToExisting(base::Run& run)
{
    base::Messages& messages = run.messages();
    db::DmdCoreDbs& database = *run.database();
    if (database.ZSqlCount(QStringLiteral("CATEGORY"), ofMeeting(run)) < 1) {
        messages.warning(QStringLiteral("You need Categories before you can Assign Categories\r"
                                        "to Athletes and Items with no Category"));
        return {};
    }
    if (!messages.confirm(QStringLiteral(
            "Every Athlete and every Item of the current meeting that has no Category\r"
            "will get the Category that you enter next.\rThose that have a Category keep "
            "it.\r\rDo you want to continue")))
        return {};
    QString category;
    if (!messages.askText(QStringLiteral("Enter the Category"), &category))
        return {};
    category = category.trimmed();
    if (category.isEmpty()) {
        messages.warning(QStringLiteral("The Category cannot be empty"));
        return {};
    }
    if (database.ZSqlCount(QStringLiteral("CATEGORY"), ofMeeting(run) +
                                                           QStringLiteral(" and CATEGORY = ") +
                                                           db::quoted(category)) < 1) {
        messages.warning(QStringLiteral("Thge Category is invalid:") + category);
        return {};
    }
    if (messages.confirm(QStringLiteral("This changes many rows at once.\r"
                                        "Do you want to stop first to make a backup")))
        return {};
    const AssignedCategory result = assignCategory(run, category);
    if (result.done)
        messages.information(QStringLiteral("Done: %1 Athletes and %2 Items were assigned to "
                                            "Category %3")
                                 .arg(result.athletes)
                                 .arg(result.items)
                                 .arg(category));
    return result;
}

} // namespace entries
