#include "entries/disabilityclasses.h"

#include "db/dmdcoredbs.h"
#include "db/sqltext.h"

#include <QRegularExpression>

namespace entries {

bool isDisabilityClass(meeting::Edition edition, const QString& sportClass)
{
    if (edition == meeting::Edition::Swimming) {
        static const QRegularExpression swimming(QStringLiteral("^(S|SB|SM)([1-9]|1[0-4])$"));
        return swimming.match(sportClass).hasMatch();
    }
    static const QRegularExpression athletics(
        QStringLiteral("^[TF](1[1-3]|20|3[1-8]|4[0-7]|5[1-7]|6[1-4])$"));
    return athletics.match(sportClass).hasMatch();
}

DisabilityClasses readDisabilityClasses(meeting::Edition edition, const QString& typed, int width)
{
    static const QRegularExpression separators(QStringLiteral("[,;/\\s]+"));
    DisabilityClasses result;
    for (const QString& part : typed.toUpper().split(separators, Qt::SkipEmptyParts)) {
        if (!isDisabilityClass(edition, part)) {
            result.refusal = QStringLiteral("Invalid Disability Class: ") + part;
            return result;
        }
        if (!result.classes.contains(part))
            result.classes.append(part);
    }
    result.text = result.classes.join(QLatin1Char(','));
    if (width > 0 && result.text.size() > width) {
        result.refusal = QStringLiteral("Disability Classes ") + result.text +
                         QStringLiteral(" longer than ") + QString::number(width);
        return result;
    }
    result.ok = true;
    return result;
}

QSet<QString> meetingDisabilityClasses(db::DmdCoreDbs& database, int meetingNo)
{
    db::Query q = database.openQuery(
        QStringLiteral("select distinct C_CLASS from MYEVENT where MEETINGNO = ") +
        db::sqlInt(meetingNo) +
        QStringLiteral(" and SELECTED = 'X' and coalesce(trim(C_CLASS), '') <> ''"));
    QSet<QString> classes;
    for (q.first(); !q.eof(); q.next())
        classes.insert(q.text(QStringLiteral("C_CLASS")).trimmed().toUpper());
    return classes;
}

} // namespace entries
