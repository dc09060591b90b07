#include "records/swimitemcheck.h"

#include "base/messages.h"
#include "db/dmdcoredbs.h"
#include "db/sqltext.h"
#include "meeting/itemtypes.h"

namespace records {

namespace {

struct TargetTable {
    QString word;
    QString table;
    QString owner;
    QString key;
};

TargetTable tableOf(SwimItemTarget target)
{
    if (target == SwimItemTarget::Meeting)
        return {QStringLiteral("Meeting"), QStringLiteral("MYEVENT"), QStringLiteral("MEETINGNO"),
                QStringLiteral("EVENTNO")};
    return {QStringLiteral("RecordSet"), QStringLiteral("RECORD"), QStringLiteral("RECORDSETNO"),
            QStringLiteral("RECORDNO")};
}

const QString kMeetingAdvice = QStringLiteral(
    "To fix them, go to the main menu in the top left corner of\rthe main screen, and select\r"
    "\"More Utilities\" -> \"General Utilities\" -> \"Fix Dolvane Meeting\".\r\rThese are "
    "probably Items added by someone that opened this gala\rusing Tamrok instead of Dolvane.  You "
    "will probably find that they\rhave no Athletes.  In that case you will be able to remove "
    "them: they\rall will probably have 0 athletes on the \"Items\" -> \"Select\" screen.");
const QString kRecordSetAdvice = QStringLiteral(
    "To fix them use the \"Fix Items\" option on the \"Manage Data\" -> \"RecordSets\" screen.");
const QString kTitle = QStringLiteral("Invalid swim Items");

} // namespace

SwimItemCheck::SwimItemCheck(db::DmdCoreDbs& database, const meeting::ItemTypes& items)
    : m_db(database), m_items(items)
{
}

bool SwimItemCheck::isValidSwimmingCode(const QString& itemCode)
{
    return (itemCode.size() >= 14 && itemCode.at(13) == QLatin1Char('W')) ||
           (itemCode.size() >= 15 && itemCode.at(14) == QLatin1Char('Z'));
}

QString SwimItemCheck::describe(const QString& itemCode) const
{
    // The gender and age first, then the item's name, so the list sorts by swimmers.
    const QString genderAge = m_items.GenderAgeText(itemCode, false);
    QString name = m_items.ItemDescription(itemCode, false);
    if (name.endsWith(QLatin1Char(' ') + genderAge))
        name.chop(genderAge.size() + 1);
    return genderAge + QLatin1Char(' ') + name;
}

bool SwimItemCheck::walk(SwimItemTarget target, qint64 number, bool fixing, bool showMessages,
                         SwimItemFindings& findings)
{
    base::Messages& messages = m_db.messages();
    if (!m_items.isSwimming()) {
        messages.internalError(240101, QStringLiteral("This is not Dolvane"));
        findings.stopped = true;
        return false;
    }
    const TargetTable t = tableOf(target);
    if (showMessages &&
        !messages.confirm((fixing ? QStringLiteral("Fix") : QStringLiteral("Check")) +
                          QStringLiteral(" the Items for this ") + t.word)) {
        findings.stopped = true;
        return false;
    }
    if (fixing && showMessages &&
        !messages.confirm(QStringLiteral("PLEASE MAKE A BACKUP OF YOUR DATA BEFORE FIXING THE "
                                         "ITEMS !\r\rContinue (=I have a backup)"))) {
        findings.stopped = true;
        return true;
    }
    const QString owned = t.owner + QStringLiteral("=") + db::sqlInt(number);
    db::Query q =
        m_db.openQuery(QStringLiteral("select ITEMCODE, ") + t.key + QStringLiteral(" from ") +
                       t.table + QStringLiteral(" where ") + owned);
    auto update = [&](const QString& newCode, qint64 key, const QString& itemCode) {
        const bool ok = m_db.executeOneRow(QStringLiteral("update ") + t.table +
                                           QStringLiteral(" set ITEMCODE=") + db::quoted(newCode) +
                                           QStringLiteral(" where ") + t.key + QStringLiteral("=") +
                                           db::sqlInt(key));
        findings.lines.append((ok ? QStringLiteral("Fixed: ") : QStringLiteral("Fixing failed: ")) +
                              describe(itemCode));
    };
    for (q.first(); !q.eof(); q.next()) {
        const QString code = q.text(QStringLiteral("ITEMCODE"));
        const qint64 key = q.integer(t.key);
        if (code.size() > 13 && code.mid(13, 2) == QLatin1String("ZW")) {
            update(code.left(13) + QStringLiteral("WZ") + code.mid(15, 10), key, code);
            continue;
        }
        if (isValidSwimmingCode(code))
            continue;
        if (!fixing) {
            findings.lines.append(describe(code));
            continue;
        }
        const QString newCode = code + QStringLiteral("W");
        if (m_db.ZSqlCount(t.table,
                           owned + QStringLiteral(" and ITEMCODE = ") + db::quoted(newCode)) > 0) {
            findings.lines.append(QStringLiteral("Duplicate not fixed: ") + describe(code));
            continue;
        }
        update(newCode, key, code);
    }

    if (findings.lines.isEmpty()) {
        if (showMessages)
            messages.information(QStringLiteral("No errors were found"));
        return false;
    }
    const QString list = findings.lines.join(QStringLiteral("\r"));
    if (!fixing) {
        messages.sink().beep(true);
        messages.sink().show(
            base::MessageKind::Warning, kTitle,
            QStringLiteral("The following Items in the ") + t.word +
                QStringLiteral(" is not correct for Swimming.\r\r") + list +
                QStringLiteral("\r\r") +
                (target == SwimItemTarget::Meeting ? kMeetingAdvice : kRecordSetAdvice),
            base::buttons::ok);
        return true;
    }
    messages.sink().show(base::MessageKind::Information, kTitle,
                         QStringLiteral("The following Items in the ") + t.word +
                             QStringLiteral(" was not correct for Swimming.\r\r") + list +
                             QStringLiteral("\r\rThe program attempted to fix them."),
                         base::buttons::ok);
    return false;
}

bool SwimItemCheck::check(SwimItemTarget target, qint64 number, bool showMessages,
                          SwimItemFindings* findings)
{
    SwimItemFindings local;
    SwimItemFindings& f = findings ? *findings : local;
    return walk(target, number, false, showMessages, f);
}

bool SwimItemCheck::fix(SwimItemTarget target, qint64 number, bool showMessages,
                        SwimItemFindings* findings)
{
    SwimItemFindings local;
    SwimItemFindings& f = findings ? *findings : local;
    return walk(target, number, true, showMessages, f);
}

} // namespace records
