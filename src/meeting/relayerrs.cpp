#include "meeting/relayerrs.h"

#include "base/run.h"
#include "db/dmdcoredbs.h"

namespace meeting {

namespace {

const QString kWrongForm = QStringLiteral("REL8,4,2X2");
const QString kRightForm = QStringLiteral("REL8_4_2X2");

QString invalidWhere()
{
    return QStringLiteral("ITEMCODE starting with 'REL' and ITEMCODE containing ','");
}

QString fixableWhere()
{
    return QStringLiteral("ITEMCODE starting with '") + kWrongForm + QStringLiteral("'");
}

int total(const QList<RelayCodeCount>& counts, int RelayCodeCount::*field)
{
    int sum = 0;
    for (const RelayCodeCount& c : counts)
        sum += c.*field;
    return sum;
}

} // namespace

QStringList relayCodeTables()
{
    return {QStringLiteral("MYEVENT"), QStringLiteral("RECORD"), QStringLiteral("TEMP_RECORD"),
            QStringLiteral("TPLTITEM")};
}

QList<RelayCodeCount> checkRelayCodes(base::Run& run)
{
    db::DmdCoreDbs& database = *run.database();
    QList<RelayCodeCount> counts;
    for (const QString& table : relayCodeTables())
        counts.append({table, database.ZSqlCount(table, invalidWhere()),
                       database.ZSqlCount(table, fixableWhere())});
    return counts;
}

QString relayCheckText(const QList<RelayCodeCount>& counts)
{
    if (total(counts, &RelayCodeCount::invalid) == 0)
        return QStringLiteral("No other errors of this type");
    QString text = QStringLiteral("Relay item codes of an old form:");
    for (const RelayCodeCount& c : counts)
        if (c.invalid > 0)
            text += QStringLiteral("\r%1: %2 (%3 can be fixed)")
                        .arg(c.table)
                        .arg(c.invalid)
                        .arg(c.fixable);
    return text;
}

int rewriteRelayCodes(base::Run& run)
{
    db::DmdCoreDbs& database = *run.database();
    int fixed = 0;
    const QString set = QStringLiteral(" set ITEMCODE = '") + kRightForm +
                        QStringLiteral("' || substring(ITEMCODE from ") +
                        QString::number(kWrongForm.size() + 1) + QStringLiteral(") where ");
    for (const QString& table : relayCodeTables())
        fixed += int(
            database.executeRowsAffected(QStringLiteral("update ") + table + set + fixableWhere()));
    return fixed;
}

void fixRelayCodes(base::Run& run)
{
    const int fixable = total(checkRelayCodes(run), &RelayCodeCount::fixable);
    if (fixable == 0) {
        run.messages().information(relayCheckText(checkRelayCodes(run)));
        return;
    }
    if (!run.messages().confirm(QStringLiteral("Do you want to fix the ") +
                                QString::number(fixable) + QStringLiteral(" invalid relays types")))
        return;
    const int fixed = rewriteRelayCodes(run);
    const QList<RelayCodeCount> left = checkRelayCodes(run);
    QString text = QStringLiteral("Fixed: ") + QString::number(fixed) + QStringLiteral("\r");
    if (total(left, &RelayCodeCount::invalid) == 0)
        text += QStringLiteral("No other errors of this type");
    else
        text += QStringLiteral("Still invalid: ") +
                QString::number(total(left, &RelayCodeCount::invalid)) + QStringLiteral("\r") +
                relayCheckText(left);
    run.messages().information(text);
}

} // namespace meeting
